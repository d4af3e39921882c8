"""mutate.py -- applies each mutant of mutants.txt in turn and runs the fast test layers until one turns red.

Usage: python3 tests/mutation/mutate.py [name ...]   (no names: every mutant)

For each mutant: apply the one textual change, rebuild incrementally, run the layers fastest first and stop
at the first failing test. Killed: a test failed. Survived: every layer passed. Invalid: the build failed.
The source is always put back, on errors and Ctrl-C too. Exits 0 only when every mutant was killed.
"""
import os
import re
import signal
import subprocess
import sys
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
MUTANTS = os.path.join(os.path.dirname(__file__), "mutants.txt")
NATIVE = os.path.join(ROOT, "build", "native")
WINDOWS = os.path.join(ROOT, "build", "windows")
# Only the Windows build holds its shell and resources; everything else (the
# core, the desktop shell, the tools) is in the host build too.
WINDOWS_ONLY = ("platform/windows/", "resources/")
# Measurements and long runs stay out: the fuzzer, the soak and the key storm.
SLOW_TESTS = {"replay_fuzzer", "stress_soak", "e2e_storm"}


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


def run(command, cwd=ROOT):
    """Runs a command quietly; returns (exit status, combined output)."""
    done = subprocess.run(command, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                          errors="replace")
    return done.returncode, done.stdout


def ctest_names(preset):
    status, output = run(["ctest", "--preset", preset, "-N"])
    if status != 0:
        raise SystemExit(f"ctest --preset {preset} -N failed:\n{output}")
    return re.findall(r"Test\s+#\d+: (\S+)", output)


def first_gtest_failure(output):
    """The first failed GoogleTest case, or the one running when the program died."""
    found = re.search(r"^\[  FAILED  \] (\S+)", output, re.MULTILINE)
    if found:
        return found.group(1)
    running = re.findall(r"^\[ RUN      \] (\S+)", output, re.MULTILINE)
    return f"{running[-1]} (crashed)" if running else None


def unit_tests_layer():
    status, output = run([os.path.join(NATIVE, "tests", "unit_tests"), "--gtest_fail_fast"])
    if status == 0:
        return None
    return "native unit_tests " + (first_gtest_failure(output) or f"(exit {status})")


def ctest_layer(preset, names, label):
    """Runs the named ctest entries in one ctest run that stops at the first failure; returns that test."""
    if not names:
        return None
    pattern = "^(" + "|".join(re.escape(n) for n in names) + ")$"
    status, output = run(["ctest", "--preset", preset, "-R", pattern, "--stop-on-failure", "--output-on-failure"])
    if status == 0:
        return None
    failed = re.search(r"The following tests FAILED:\s*\n\s*\d+ - (\S+)", output)
    name = failed.group(1) if failed else f"(ctest exit {status})"
    detail = first_gtest_failure(output)
    return f"{label} {name}" + (f" {detail}" if detail else "")


def layers_for(mutant, native_rest, windows_names):
    """The layers in order, fastest first. A mutant of the Windows shell or the resources is in no host
    binary, nor in the Windows unit tests and replays, so it starts at the shell tests."""
    core = not mutant["file"].startswith(WINDOWS_ONLY)
    windows_unit = [n for n in windows_names if n == "unit_tests"]
    windows_replays = [n for n in windows_names if n.startswith("replay_")]
    windows_e2e = [n for n in windows_names if n.startswith("e2e_")]
    windows_shell = [n for n in windows_names if n not in windows_unit + windows_replays + windows_e2e + ["wine_prefix"]]
    layers = []
    if core:
        layers.append(("native", ["unit_tests"], unit_tests_layer))
        layers.append(("native", None, lambda: ctest_layer("native", native_rest, "native")))
        layers.append(("windows", None, lambda: ctest_layer("windows", windows_unit, "windows")))
    layers.append(("windows", None, lambda: ctest_layer("windows", windows_shell, "windows")))
    if core:
        layers.append(("windows", None, lambda: ctest_layer("windows", windows_replays, "windows")))
    layers.append(("windows", None, lambda: ctest_layer("windows", windows_e2e, "windows")))
    return layers


def build(preset, targets):
    command = ["nice", "cmake", "--build", "--preset", preset]
    if targets:
        command += ["--target", *targets]
    status, output = run(command)
    return status == 0, output


class Restorer:
    """Puts a mutated file back however the run ends."""

    def __init__(self):
        self.path = None
        self.original = None

    def apply(self, path, text):
        with open(path) as source:
            self.original = source.read()
        self.path = path
        with open(path, "w") as target:
            target.write(text)

    def restore(self):
        if self.path is not None:
            with open(self.path, "w") as target:
                target.write(self.original)
            self.path = None


def try_mutant(mutant, restorer, native_rest, windows_names):
    path = os.path.join(ROOT, mutant["file"])
    with open(path) as source:
        text = source.read()
    count = text.count(mutant["find"])
    if count != 1:
        return "invalid", f"the text to change is found {count} times", 0.0
    start = time.time()
    restorer.apply(path, text.replace(mutant["find"], mutant["replace"]))
    try:
        built = set()
        for preset, targets, layer in layers_for(mutant, native_rest, windows_names):
            key = (preset, tuple(targets or ()))
            if key not in built and (preset, ()) not in built:
                ok, output = build(preset, targets)
                if not ok:
                    tail = "\n".join(output.splitlines()[-5:])
                    return "invalid", f"{preset} build failed: {tail}", time.time() - start
                built.add(key)
            killer = layer()
            if killer is not None:
                return "killed", killer, time.time() - start
        return "survived", "every layer passed", time.time() - start
    finally:
        restorer.restore()


def main(selected):
    mutants = read_mutants(MUTANTS)
    if selected:
        mutants = [m for m in mutants if m["name"] in selected]
    restorer = Restorer()

    def interrupted(signum, frame):
        restorer.restore()
        raise SystemExit(f"interrupted by signal {signum}; source restored")

    signal.signal(signal.SIGINT, interrupted)
    signal.signal(signal.SIGTERM, interrupted)

    for preset in ("native", "windows"):
        ok, output = build(preset, None)
        if not ok:
            raise SystemExit(f"the unmutated {preset} build fails:\n{output[-2000:]}")
    # The host's gtest cases (Suite.Case) are the first layer; the rest follow as ctest entries.
    native_rest = [n for n in ctest_names("native") if not re.match(r"^[A-Z]\w*\.", n) and n not in SLOW_TESTS]
    windows_names = [n for n in ctest_names("windows") if n not in SLOW_TESTS]

    started = time.time()
    results = []
    try:
        for mutant in mutants:
            print(f"{mutant['name']}: {mutant['rule']}", flush=True)
            outcome, detail, seconds = try_mutant(mutant, restorer, native_rest, windows_names)
            results.append((mutant["name"], outcome, detail, seconds))
            print(f"  {outcome} by {detail} ({seconds:.0f} s)" if outcome == "killed" else
                  f"  {outcome}: {detail} ({seconds:.0f} s)", flush=True)
    finally:
        restorer.restore()
        # No binary of the last mutant may outlive the run.
        for preset in ("native", "windows"):
            build(preset, None)

    total = time.time() - started
    print("\n| mutant | outcome | killing test | seconds |\n|---|---|---|---|")
    for name, outcome, detail, seconds in results:
        print(f"| {name} | {outcome} | {detail if outcome == 'killed' else ''} | {seconds:.0f} |")
    counts = {o: sum(1 for r in results if r[1] == o) for o in ("killed", "survived", "invalid")}
    print(f"\n{len(results)} mutants: {counts['killed']} killed, {counts['survived']} survived, "
          f"{counts['invalid']} invalid, in {total / 60:.1f} min")
    return 0 if counts["killed"] == len(results) else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
