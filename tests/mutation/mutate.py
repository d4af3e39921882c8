"""mutate.py -- applies each mutant of mutants.txt in turn and runs the test layers until one turns red.

Usage: python3 tests/mutation/mutate.py [name ...]   (no names: every mutant)

Before any mutant the layers the chosen mutants need are built and run once unmutated: a red test there
stops the run, since it would seem to kill every mutant. Then, for each mutant: apply the one textual
change, rebuild incrementally, run its layers fastest first and stop at the first failing test.
Killed: a test failed or hung past its time. Survived: every layer passed. Invalid: the build failed.

Which layers a mutant needs follows from its file: the browser shell is only in the emscripten build, the
desktop shell only in the native one, the Windows shell and the resources only in the Windows one; the core
is in all of them. Every command has a time limit; a test run over its limit is killed and counts as a kill
"by a timeout", named after the test that was running.

The tree must be clean when the run starts. The original of the mutated file is kept on disk
(build/mutation/backup.json) for as long as the mutant is in the tree, so that a run ended any way at all,
SIGKILL included, is undone by the next run before it looks at the tree; that run also ends the tests the
killed one left running (build/mutation/command names their session).
"""
import json
import os
import re
import signal
import subprocess
import sys
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
MUTANTS = os.path.join(os.path.dirname(__file__), "mutants.txt")
BUILD = os.path.join(ROOT, "build")
WORK = os.path.join(BUILD, "mutation")
BACKUP = os.path.join(WORK, "backup.json")
LOGS = os.path.join(WORK, "logs")
COMMAND = os.path.join(WORK, "command")
WASM = os.path.join(BUILD, "wasm")
WINE_PREFIX = os.path.join(BUILD, "windows", "wineprefix")
# Long runs stay out: the fuzzer, the soak and the key storm.
SLOW_TESTS = {"replay_fuzzer", "stress_soak", "e2e_storm"}
# Time limits in seconds. A mutant's test run may take three times its unmutated time and two minutes
# more: a loaded machine must not pass for a hang.
BUILD_LIMIT = 1800
LIST_LIMIT = 120
BASELINE_LIMIT = 3600
SLACK_FACTOR = 3.0
SLACK_SECONDS = 120.0


class Interrupted(Exception):
    """A signal asked the run to end."""


def read_mutants(path):
    mutants = []
    current = None
    with open(path) as source:
        for line in source:
            line = line.rstrip("\n")
            if line.startswith("#") or not line.strip():
                continue
            heading = re.match(r"^\[(.+?)\]\s*(.*)$", line)
            if heading:
                current = {"name": heading.group(1), "rule": heading.group(2)}
                mutants.append(current)
                continue
            key, _, value = line.partition(" = ")
            if current is None or key not in ("file", "find", "replace"):
                raise SystemExit(f"mutants.txt: cannot read line: {line}")
            current[key] = value.replace("\\n", "\n") if key != "file" else value
    for mutant in mutants:
        missing = {"file", "find", "replace"} - set(mutant)
        if missing:
            raise SystemExit(f"mutant {mutant['name']}: no {', '.join(sorted(missing))}")
    return mutants


# --- commands with a time limit -----------------------------------------------------------------------

running = None  # the command in progress, so that a signal can end it with everything it started


def process_table():
    """(pid, parent, session, start time) of every process, read from /proc."""
    table = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/stat") as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
            table.append((int(entry), int(fields[1]), int(fields[3]), int(fields[19])))
        except (OSError, IndexError, ValueError):
            continue
    return table


def kill_all(pids):
    for pid in pids:
        try:
            os.kill(pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
    # A Wine server outlives its clients; a killed test would leave it holding the prefix.
    if os.path.isdir(WINE_PREFIX):
        subprocess.run(["wineserver", "-k"], env={**os.environ, "WINEPREFIX": WINE_PREFIX},
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)


def stop_command(process):
    """Kills a command and everything it started (ctest, its tests, their Xvfb and Wine): the command's own
    session, and whatever left it but still descends from the command."""
    table = process_table()
    children = {}
    for pid, parent, _, _ in table:
        children.setdefault(parent, []).append(pid)
    found = {pid for pid, _, session, _ in table if session == process.pid}
    pending = [process.pid]
    while pending:
        for child in children.get(pending.pop(), []):
            if child not in found:
                found.add(child)
                pending.append(child)
    kill_all(found | {process.pid})
    process.wait()
    forget_command()


def forget_command():
    if os.path.exists(COMMAND):
        os.remove(COMMAND)


def stop_leftovers():
    """Ends what a killed run left running: the session of its last command, if that is still ours."""
    if not os.path.exists(COMMAND):
        return 0
    with open(COMMAND) as source:
        fields = source.read().split()
    forget_command()
    if len(fields) != 2 or not all(field.isdigit() for field in fields):
        return 0
    leader, started = int(fields[0]), int(fields[1])
    table = process_table()
    reused = any(pid == leader and start != started for pid, _, _, start in table)
    left = [] if reused else [pid for pid, _, session, _ in table if session == leader]
    if left:
        kill_all(left)
    return len(left)


def run(command, log_name, limit, cwd=ROOT):
    """Runs a command with its output in a log file. Returns (exit status or None past the limit, output).
    The command leads a session of its own, named in build/mutation/command until it ends."""
    global running
    os.makedirs(LOGS, exist_ok=True)
    log_path = os.path.join(LOGS, log_name + ".log")
    with open(log_path, "w") as log:
        log.write("$ " + " ".join(command) + "\n")
        log.flush()
        running = subprocess.Popen(command, cwd=cwd, stdout=log, stderr=subprocess.STDOUT,
                                   stdin=subprocess.DEVNULL, start_new_session=True)
        started = [start for pid, _, _, start in process_table() if pid == running.pid] or [0]
        with open(COMMAND, "w") as target:
            target.write(f"{running.pid} {started[0]}\n")
        try:
            status = running.wait(timeout=limit)
            forget_command()
        except subprocess.TimeoutExpired:
            stop_command(running)
            status = None
        finally:
            running = None
    with open(log_path, errors="replace") as log:
        return status, log.read()


# --- the layers ---------------------------------------------------------------------------------------

def first_gtest_failure(output):
    """The first failed GoogleTest case, or the one running when the program died."""
    found = re.search(r"^\[  FAILED  \] (\S+)", output, re.MULTILINE)
    if found:
        return found.group(1)
    running_cases = re.findall(r"^\[ RUN      \] (\S+)", output, re.MULTILINE)
    return f"{running_cases[-1]} (crashed)" if running_cases else None


def first_check_failure(output):
    """The first failed check of an end-to-end scenario (harness.check prints "FAIL <what>")."""
    found = re.search(r"^FAIL (.+)$", output, re.MULTILINE)
    return f'"{found.group(1).strip()}"' if found else None


def unfinished_tests(output):
    """The ctest entries that started and never reported an end: the ones a time limit cut short."""
    started = re.findall(r"^\s*Start\s+\d+: (\S+)", output, re.MULTILINE)
    ended = set(re.findall(r"Test\s+#\d+: (\S+) \.", output))
    return [name for name in started if name not in ended]


class Layer:
    """One step of the test net: a build tree and the command that runs some of its tests. A ctest run
    names its failing entry; a test program run straight (program) is named after the program."""

    def __init__(self, name, tree, command, program=None):
        self.name = name
        self.tree = tree
        self.command = command
        self.program = program
        self.seconds = None  # the unmutated run's time

    def limit(self):
        if self.seconds is None:
            return BASELINE_LIMIT
        return SLACK_FACTOR * self.seconds + SLACK_SECONDS

    def run(self, log_name):
        """(None when every test passed, else what turned red; the seconds it took)."""
        started = time.time()
        status, output = run(self.command, log_name, self.limit())
        seconds = time.time() - started
        if status == 0:
            return None, seconds
        if status is None:
            if self.program:
                cases = re.findall(r"^\[ RUN      \] (\S+)", output, re.MULTILINE)
                cut = [f"{self.program} {cases[-1]}" if cases else self.program]
            else:
                cut = unfinished_tests(output)
            return f"timeout in {self.name} {cut[0] if cut else ''}".rstrip(), seconds
        timed_out = re.search(r"^\s*\d+ - (\S+) \(Timeout\)", output, re.MULTILINE)
        if timed_out:
            return f"timeout in {self.name} {timed_out.group(1)}", seconds
        failed = re.search(r"The following tests FAILED:\s*\n\s*\d+ - (\S+)", output)
        name = self.program or (failed.group(1) if failed else f"(exit {status})")
        detail = first_gtest_failure(output) or first_check_failure(output)
        return f"{self.name} {name}" + (f" {detail}" if detail else ""), seconds


class Tree:
    """A build folder and how it is brought up to date."""

    def __init__(self, name, folder, command):
        self.name = name
        self.folder = folder
        self.command = command

    def build(self, log_name):
        """None when the build is up to date, else why it is not."""
        status, output = run(["nice", *self.command], log_name, BUILD_LIMIT)
        if status is None:
            return f"timeout in the {self.name} build"
        if status != 0:
            errors = [line for line in output.splitlines() if "error" in line.lower()]
            tail = errors[:3] or output.splitlines()[-5:]
            return f"{self.name} build failed: " + " / ".join(line.strip() for line in tail)
        return None


TREES = {
    "native": Tree("native", os.path.join(BUILD, "native"), ["cmake", "--build", "--preset", "native"]),
    "windows": Tree("windows", os.path.join(BUILD, "windows"), ["cmake", "--build", "--preset", "windows"]),
    "web": Tree("web", WASM, ["cmake", "--build", WASM, "-j2"]),
}


def ctest_names(tree, selection):
    status, output = run(["ctest", "--test-dir", TREES[tree].folder, "-N", *selection], f"list-{tree}", LIST_LIMIT)
    if status != 0:
        raise SystemExit(f"listing the {tree} tests failed:\n{output[-2000:]}")
    return re.findall(r"Test\s+#\d+: (\S+)", output)


def ctest_layer(name, tree, names, selection=()):
    """The named ctest entries in one ctest run that stops at the first failure."""
    pattern = "^(" + "|".join(re.escape(n) for n in names) + ")$"
    command = ["ctest", "--test-dir", TREES[tree].folder, "-R", pattern, *selection, "-j2",
               "--stop-on-failure", "--output-on-failure"]
    return Layer(name, tree, command)


def make_layers(trees):
    """Every layer of the given build trees, keyed by what it tests, in a first guess of fastest first."""
    layers = {}
    if "native" in trees:
        # The host's gtest cases (Suite.Case) run straight from their program, the rest as ctest entries.
        names = ctest_names("native", ["-LE", "bench|stress"])
        rest = [n for n in names if not re.match(r"^[A-Z]\w*\.", n) and n not in SLOW_TESTS]
        program = os.path.join(BUILD, "native", "tests", "unit_tests")
        layers["native unit"] = Layer("native", "native", [program, "--gtest_fail_fast"], "unit_tests")
        layers["native"] = ctest_layer("native", "native", rest)
    if "windows" in trees:
        names = [n for n in ctest_names("windows", ["-LE", "bench|stress"]) if n not in SLOW_TESTS]
        unit = [n for n in names if n == "unit_tests"]
        replays = [n for n in names if n.startswith("replay_")]
        e2e = [n for n in names if n.startswith("e2e_")]
        shell = [n for n in names if n not in unit + replays + e2e + ["wine_prefix"]]
        layers["windows unit"] = ctest_layer("windows", "windows", unit)
        layers["windows shell"] = ctest_layer("windows", "windows", shell)
        layers["windows replays"] = ctest_layer("windows", "windows", replays)
        layers["windows e2e"] = ctest_layer("windows", "windows", e2e)
    if "web" in trees:
        names = [n for n in ctest_names("web", ["-L", "web"]) if n not in SLOW_TESTS]
        layers["web"] = ctest_layer("web", "web", names, ["-L", "web"])
    return layers


def layer_keys(path):
    """The layers that can see a change to this file. The Windows shell and the resources are in no host
    binary, nor in the Windows unit tests and replays, so their mutants start at the shell tests; the Linux
    resources are only in the desktop game's packages."""
    if path.startswith("platform/web/"):
        return ["web"]
    if path.startswith(("platform/desktop/", "resources/linux/")):
        return ["native unit", "native"]
    if path.startswith(("platform/windows/", "resources/")):
        return ["windows shell", "windows e2e"]
    return ["native unit", "native", "windows unit", "windows shell", "windows replays", "windows e2e", "web"]


def configured_with_tests(build):
    """Whether the build folder is configured with the tests (make web configures the browser build without)."""
    cache = os.path.join(build, "CMakeCache.txt")
    if not os.path.exists(cache):
        return False
    with open(cache) as source:
        return "KESTREL_TESTS:BOOL=ON" in source.read()


def trees_of(keys):
    return sorted({"web" if k == "web" else k.split()[0] for k in keys})


# --- the mutated file and its backup ------------------------------------------------------------------

def write_file(path, text):
    """Replaces a file's text in one step: a kill leaves either the old text or the new."""
    scratch = path + ".mutate-tmp"
    with open(scratch, "w") as target:
        target.write(text)
        target.flush()
        os.fsync(target.fileno())
    os.replace(scratch, path)


def restore_backup():
    """Puts back the file of a mutant that is still in the tree; says so when it did."""
    if not os.path.exists(BACKUP):
        return None
    with open(BACKUP) as source:
        backup = json.load(source)
    path = os.path.join(ROOT, backup["file"])
    with open(path) as source:
        now = source.read()
    if now not in (backup["original"], backup["mutated"]):
        raise SystemExit(f"{backup['file']} was changed since mutant {backup['mutant']} was applied; "
                         f"compare it with the original in {BACKUP}, then remove that file")
    if now != backup["original"]:
        write_file(path, backup["original"])
    os.remove(BACKUP)
    return backup


def apply_mutant(mutant, original, mutated):
    os.makedirs(WORK, exist_ok=True)
    backup = {"mutant": mutant["name"], "file": mutant["file"], "original": original, "mutated": mutated}
    scratch = BACKUP + ".tmp"
    with open(scratch, "w") as target:
        json.dump(backup, target)
        target.flush()
        os.fsync(target.fileno())
    os.replace(scratch, BACKUP)
    write_file(os.path.join(ROOT, mutant["file"]), mutated)


def dirty_files():
    done = subprocess.run(["git", "status", "--porcelain", "--untracked-files=no"], cwd=ROOT,
                          capture_output=True, text=True, timeout=LIST_LIMIT)
    if done.returncode != 0:
        raise SystemExit(f"git status failed: {done.stderr.strip()}")
    return [line[3:] for line in done.stdout.splitlines()]


# --- the run ------------------------------------------------------------------------------------------

def build_trees(trees, log_prefix):
    for tree in trees:
        problem = TREES[tree].build(f"{log_prefix}-build-{tree}")
        if problem:
            return problem
    return None


def run_layers(keys, layers, log_prefix):
    """Builds what the layers need and runs them in order up to the first red test.
    Returns (outcome, detail): None when all passed, "invalid" when a build failed, "killed" otherwise."""
    built = set()
    for key in keys:
        layer = layers[key]
        if layer.tree not in built:
            problem = TREES[layer.tree].build(f"{log_prefix}-build-{layer.tree}")
            if problem:
                return "invalid", problem
            built.add(layer.tree)
        red, _ = layer.run(f"{log_prefix}-{key.replace(' ', '-')}")
        if red:
            return "killed", red
    return None, None


def baseline(keys, layers):
    """Runs every needed layer unmutated, timing each; stops the whole run at a red test."""
    print("unmutated run of " + ", ".join(keys), flush=True)
    for key in keys:
        layer = layers[key]
        red, seconds = layer.run(f"baseline-{key.replace(' ', '-')}")
        if red:
            raise SystemExit(f"the unmutated tree fails: {red}\n(log in {LOGS}); "
                             "no mutant can be judged until it is green")
        layer.seconds = seconds
        print(f"  {key}: green in {seconds:.0f} s", flush=True)


def try_mutant(mutant, layers):
    path = os.path.join(ROOT, mutant["file"])
    with open(path) as source:
        text = source.read()
    count = text.count(mutant["find"])
    if count != 1:
        return "invalid", f"the text to change is found {count} times", 0.0
    # Fastest first, as the unmutated run measured them.
    keys = sorted(layer_keys(mutant["file"]), key=lambda k: layers[k].seconds)
    start = time.time()
    apply_mutant(mutant, text, text.replace(mutant["find"], mutant["replace"]))
    try:
        outcome, detail = run_layers(keys, layers, mutant["name"])
    finally:
        restore_backup()
    if outcome is None:
        return "survived", "every layer passed", time.time() - start
    return outcome, detail, time.time() - start


def main(selected):
    stopped = stop_leftovers()
    if stopped:
        print(f"ended {stopped} processes left running by a run that was killed")
    left = restore_backup()
    if left:
        print(f"put back {left['file']}, left mutated (mutant {left['mutant']}) by a run that was killed")
    dirty = dirty_files()
    if dirty:
        raise SystemExit("the tree has uncommitted changes, which would be taken for the unmutated game: "
                         + ", ".join(dirty) + "\ncommit or stash them first")

    mutants = read_mutants(MUTANTS)
    if selected:
        unknown = set(selected) - {m["name"] for m in mutants}
        if unknown:
            raise SystemExit("no such mutant: " + ", ".join(sorted(unknown)))
        mutants = [m for m in mutants if m["name"] in selected]
    needed = []
    for mutant in mutants:
        needed += [k for k in layer_keys(mutant["file"]) if k not in needed]
    trees = trees_of(needed)
    if "web" in trees and not configured_with_tests(WASM):
        raise SystemExit("build/wasm is not configured with the tests: run make web-tests first (make mutate does)")

    started = time.time()
    problem = build_trees(trees, "baseline")
    if problem:
        raise SystemExit(f"the unmutated game does not build: {problem}")
    layers = make_layers(trees)
    baseline(sorted(needed, key=list(layers).index), layers)
    print(f"unmutated run in {time.time() - started:.0f} s\n", flush=True)
    results = []
    try:
        for mutant in mutants:
            print(f"{mutant['name']}: {mutant['rule']}", flush=True)
            outcome, detail, seconds = try_mutant(mutant, layers)
            results.append((mutant["name"], outcome, detail, seconds))
            print(f"  {outcome} by {detail} ({seconds:.0f} s)" if outcome == "killed" else
                  f"  {outcome}: {detail} ({seconds:.0f} s)", flush=True)
    finally:
        restore_backup()
        # No binary of the last mutant may outlive the run.
        problem = build_trees(trees, "final")
        if problem:
            print(f"rebuilding the unmutated game failed: {problem}")

    total = time.time() - started
    print("\n| mutant | outcome | killing test | seconds |\n|---|---|---|---|")
    for name, outcome, detail, seconds in results:
        print(f"| {name} | {outcome} | {'' if outcome == 'survived' else detail} | {seconds:.0f} |")
    counts = {o: sum(1 for r in results if r[1] == o) for o in ("killed", "survived", "invalid")}
    print(f"\n{len(results)} mutants: {counts['killed']} killed, {counts['survived']} survived, "
          f"{counts['invalid']} invalid, in {total / 60:.1f} min (unmutated run and final rebuild included)")
    return 0 if counts["killed"] == len(results) else 1


def interrupted(signum, frame):
    if running is not None:
        stop_command(running)
    raise Interrupted(signal.Signals(signum).name)


if __name__ == "__main__":
    for signum in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
        signal.signal(signum, interrupted)
    try:
        sys.exit(main(sys.argv[1:]))
    except Interrupted as name:
        restore_backup()
        sys.exit(f"ended by {name}: the source is put back; the builds hold the last mutant until the next build")
