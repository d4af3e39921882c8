"""desktop_bench.py -- the desktop game beside the Windows exe under Wine, on the same Xvfb and Mesa; never fails on timing.

Frame period and work per frame (period less the 34 ms sleep) of the title view, the waiting road and a run,
with the processor time each frame took in the game's process (every thread, Mesa's too), which load from other
work on the machine changes far less than the period; start-up to the first presented frame, the median of a few
starts alternating with an empty SDL2 OpenGL window's, with the processor time each took; binary sizes; peak memory (VmHWM) against that window;
the title view with the help box closed and open, with and without a window manager.
Writes a table to stdout and the figures to build/native/desktop-bench.json.
"""
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
NATIVE = os.path.join(ROOT, "build", "native")
WINDOWS = os.path.join(ROOT, "build", "windows")
os.environ.setdefault("KESTREL_BUILD_DIR", WINDOWS)
os.environ.setdefault("KESTREL_EXE_DIR", WINDOWS)
os.environ.setdefault("KESTREL_SHOTS", os.path.join(NATIVE, "screenshots"))
os.environ.setdefault("KESTREL_DESKTOP_GAME", os.path.join(NATIVE, "KestrelForges"))

import frame_cost  # noqa: E402  (reads the environment above)
from desktop_harness import GAME, SPY, DesktopGame  # noqa: E402
from harness import log  # noqa: E402

SECONDS = frame_cost.SECONDS
# Starts of the game and of the empty window, alternating, for each start-up figure.
STARTS = 3


def swap_times(path):
    with open(path) as times:
        return [float(line) for line in times if line.strip()]


def peak_memory_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def processor_seconds(pid):
    """Time on a processor of the process so far, all its live threads together, to the nanosecond."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as stat:
                total += int(stat.read().split()[0])
        except OSError:
            pass
    return total / 1e9


class StartWatched(DesktopGame):
    """The game or the empty window, its processor time read as soon as its first frame is presented: the frame
    sleep that follows leaves the process idle, so the reading is what the start-up took."""

    def wait_for_window(self, timeout=60):
        log_path = self.environment["KESTREL_SWAP_LOG"]
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline and self.process.poll() is None:
            if os.path.exists(log_path) and os.path.getsize(log_path) > 0:
                self.startup_processor_s = processor_seconds(self.process.pid)
                break
            time.sleep(0.001)
        super().wait_for_window(timeout)


def measure(times, pid, seconds):
    """The next `seconds` of frames: their periods and the processor time each took."""
    start, processor = len(times()), processor_seconds(pid)
    time.sleep(seconds)
    presented, processor = times()[start:], processor_seconds(pid) - processor
    result = frame_cost.summary(frame_cost.periods_between(presented))
    if len(presented) > 1:
        result["processor_ms"] = round(1000.0 * processor / (len(presented) - 1), 2)
    return result


def phases(game, times, pid):
    """The title view, the waiting road and a run, as frame_cost measures them under Wine."""
    result = {"title": measure(times, pid, SECONDS)}
    game.key("Return", gap=0.5)
    result["play_waiting"] = measure(times, pid, SECONDS)
    start = len(times())
    game.key("Up", gap=0.0)
    time.sleep(4.0)
    result["play_run"] = frame_cost.summary(frame_cost.periods_between(times()[start:start + 66]))
    result["peak_memory_kib"] = peak_memory_kib(pid)
    game.key("Escape")
    game.wait_exit()
    return result


def desktop_run(width, height):
    log_path = os.path.join(NATIVE, f"swaps-{width}x{height}.txt")
    preload = {"LD_PRELOAD": SPY, "KESTREL_SWAP_LOG": log_path}
    with DesktopGame(width, height, name=f"bench-{width}x{height}", environment=preload) as game:
        return phases(game, lambda: swap_times(log_path), game.process.pid)


def wine_game_pid(display):
    """The exe's process on our display: other Wine sessions may run on the machine beside it."""
    found = subprocess.run(["pgrep", "-f", "KestrelForges.exe"], capture_output=True, text=True).stdout.split()
    for pid in found:
        try:
            with open(f"/proc/{pid}/environ", "rb") as environment:
                if f"DISPLAY={display}".encode() in environment.read().split(b"\0"):
                    return int(pid)
        except OSError:
            pass
    raise RuntimeError(f"no KestrelForges.exe on {display}")


def wine_run(width, height):
    with frame_cost.Game(width, height, winedebug="+timestamp,trace+wgl", name=f"cost-{width}x{height}") as game:
        first = frame_cost.swaps(game)[:1]
        startup = round(first[0] - game.launched_uptime, 2) if first else None
        return {"startup_s": startup, **phases(game, lambda: frame_cost.swaps(game), wine_game_pid(game.display))}


def help_box_run(width, height, window_manager):
    """The title view's frame period with the help box closed, then open: the box must cost the game nothing."""
    name = f"bench-box-{width}x{height}" + ("-openbox" if window_manager else "")
    log_path = os.path.join(NATIVE, f"swaps-{name}.txt")
    preload = {"LD_PRELOAD": SPY, "KESTREL_SWAP_LOG": log_path}
    with DesktopGame(width, height, name=name, environment=preload, window_manager=window_manager) as game:
        closed = measure(game.swap_times, game.process.pid, SECONDS)
        game.key("m", gap=1.0)
        opened = measure(game.swap_times, game.process.pid, SECONDS) if "MENU" in game.windows() else {}
        game.key("Escape")
        game.wait_exit()
    return {"closed": closed, "open": opened}


def start(width, height, empty):
    """One start of the game, or of an SDL2 OpenGL window that draws nothing (the floor under the game's):
    seconds from launch to the first presented frame, and the peak memory a few seconds on."""
    log_path = os.path.join(NATIVE, f"swaps-start-{width}x{height}.txt")
    preload = {"LD_PRELOAD": SPY, "KESTREL_SWAP_LOG": log_path}
    program, title = (os.path.join(NATIVE, "tests", "desktop_empty_window"), "Empty Window") if empty else (GAME,
                                                                                                        "Kestrel Forges")
    if os.path.exists(log_path):
        os.remove(log_path)
    with StartWatched(width, height, name=f"start-{width}x{height}", program=program, title=title,
                      environment=preload) as game:
        first = swap_times(log_path)[:1]
        time.sleep(5.0)
        result = {"peak_memory_kib": peak_memory_kib(game.process.pid),
                  "startup_s": round(first[0] - game.launched, 3) if first else None,
                  "processor_s": round(game.startup_processor_s, 3)}
        game.key("Escape")
        game.wait_exit()
    return result


def startups(width, height):
    """Start-up of the game and of the empty window, alternating; the median of each, and the window's memory."""
    runs = {False: [], True: []}
    for _ in range(STARTS):
        for empty in (False, True):
            runs[empty].append(start(width, height, empty))

    def median(empty, field="startup_s"):
        found = [run[field] for run in runs[empty] if run[field] is not None]
        return round(statistics.median(found), 3) if found else None

    return {"game_startup_s": median(False), "empty_startup_s": median(True),
            "game_processor_s": median(False, "processor_s"), "empty_processor_s": median(True, "processor_s"),
            "empty_peak_memory_kib": runs[True][-1]["peak_memory_kib"],
            "starts": {"game": runs[False], "empty": runs[True]}}


def stripped_size(path):
    with tempfile.TemporaryDirectory() as scratch:
        out = os.path.join(scratch, "stripped")
        subprocess.run(["strip", "--strip-all", "-o", out, path], check=True)
        return os.path.getsize(out)


def ratio(a, b):
    return f"{a / b:.2f}" if a is not None and b else "-"


def row(name, desktop, wine, unit="ms"):
    return f"| {name} | {desktop} {unit} | {wine} {unit} | {ratio(desktop, wine)} |"


def main():
    subprocess.run(["bash", os.path.join(ROOT, "scripts", "wine-boot.sh")], check=True)
    results = {
        "desktop_bytes": os.path.getsize(GAME),
        "desktop_stripped_bytes": stripped_size(GAME),
        "exe_bytes": os.path.getsize(os.path.join(WINDOWS, "KestrelForges.exe")),
    }
    lines = [f"binary: desktop {results['desktop_stripped_bytes']} bytes stripped "
             f"({results['desktop_bytes']} with debug information), Windows exe {results['exe_bytes']} bytes"]
    for width, height in ((1920, 1080), (1280, 720)):
        size = f"{width}x{height}"
        load = os.getloadavg()[0]
        desktop = desktop_run(width, height)
        wine = wine_run(width, height)
        starts = startups(width, height)
        results[size] = {"desktop": desktop, "wine": wine, "starts": starts, "load_average": load}
        lines += [f"\n{size} (desktop | Windows exe under Wine | ratio), load average {load:.2f}",
                  "| measure | desktop | wine | ratio |", "|---|---|---|---|"]
        for view in ("title", "play_waiting", "play_run"):
            for field in ("median_ms", "work_median_ms", "processor_ms"):
                if field in desktop[view] or field in wine[view]:
                    lines.append(row(f"{view} {field}", desktop[view].get(field), wine[view].get(field)))
        lines.append(row("start-up to first frame (wine: from starting Wine)", starts["game_startup_s"],
                         wine["startup_s"], "s"))
        lines.append(row("peak memory VmHWM", desktop["peak_memory_kib"], wine["peak_memory_kib"], "KiB"))
        lines.append(f"| start-up, median of {STARTS} alternating starts: desktop, empty SDL2 GL window | "
                     f"{starts['game_startup_s']} s | {starts['empty_startup_s']} s | "
                     f"{ratio(starts['game_startup_s'], starts['empty_startup_s'])} |")
        lines.append(f"| processor time to the first frame, median of the same starts: desktop, empty window | "
                     f"{starts['game_processor_s']} s | {starts['empty_processor_s']} s | "
                     f"{ratio(starts['game_processor_s'], starts['empty_processor_s'])} |")
        lines.append(f"| empty SDL2 GL window: VmHWM | {starts['empty_peak_memory_kib']} KiB | desktop/empty "
                     f"{desktop['peak_memory_kib'] / starts['empty_peak_memory_kib']:.2f} | |")
    lines += ["\nhelp box, title view at 1280x720 (box closed | box open | open/closed)", "| display | closed | open | ratio |",
              "|---|---|---|---|"]
    for window_manager in (False, True):
        box = help_box_run(1280, 720, window_manager)
        results[f"help_box{'_openbox' if window_manager else ''}"] = box
        closed, opened = box["closed"].get("median_ms"), box["open"].get("median_ms")
        box_ratio = f"{opened / closed:.3f}" if opened and closed else "-"
        lines.append(f"| {'openbox' if window_manager else 'bare X'} median period | {closed} ms | {opened} ms "
                     f"| {box_ratio} |")
    path = os.path.join(NATIVE, "desktop-bench.json")
    with open(path, "w") as out:
        json.dump(results, out, indent=2)
    log("\n".join(lines))
    log(f"written to {path}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
