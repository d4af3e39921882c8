"""desktop_bench.py -- the desktop game beside the Windows exe under Wine, on the same Xvfb and Mesa; never fails on timing.

Frame period and work per frame (period less the 34 ms sleep) of the title view, the waiting road and a run;
start-up to the first presented frame; binary sizes; peak memory (VmHWM) against an empty SDL2 OpenGL window;
the title view with the help box closed and open, with and without a window manager.
Writes a table to stdout and the figures to build/native/desktop-bench.json.
"""
import json
import os
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


def swap_times(path):
    with open(path) as times:
        return [float(line) for line in times if line.strip()]


def peak_memory_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def measure(path, seconds):
    start = len(swap_times(path))
    time.sleep(seconds)
    return frame_cost.summary(frame_cost.periods_between(swap_times(path)[start:]))


def desktop_run(width, height):
    log_path = os.path.join(NATIVE, f"swaps-{width}x{height}.txt")
    preload = {"LD_PRELOAD": SPY, "KESTREL_SWAP_LOG": log_path}
    with DesktopGame(width, height, name=f"bench-{width}x{height}", environment=preload) as game:
        first = swap_times(log_path)[:1]
        result = {"startup_s": round(first[0] - game.launched, 3) if first else None}
        result["title"] = measure(log_path, SECONDS)
        game.key("Return", gap=0.5)
        result["play_waiting"] = measure(log_path, SECONDS)
        start = len(swap_times(log_path))
        game.key("Up", gap=0.0)
        time.sleep(4.0)
        result["play_run"] = frame_cost.summary(frame_cost.periods_between(swap_times(log_path)[start:start + 66]))
        result["peak_memory_kib"] = peak_memory_kib(game.process.pid)
        game.key("Escape")
        game.wait_exit()
    return result


def help_box_run(width, height, window_manager):
    """The title view's frame period with the help box closed, then open: the box must cost the game nothing."""
    name = f"bench-box-{width}x{height}" + ("-openbox" if window_manager else "")
    log_path = os.path.join(NATIVE, f"swaps-{name}.txt")
    preload = {"LD_PRELOAD": SPY, "KESTREL_SWAP_LOG": log_path}
    with DesktopGame(width, height, name=name, environment=preload, window_manager=window_manager) as game:
        closed = measure(log_path, SECONDS)
        game.key("m", gap=1.0)
        opened = measure(log_path, SECONDS) if "MENU" in game.windows() else {}
        game.key("Escape")
        game.wait_exit()
    return {"closed": closed, "open": opened}


def empty_window(width, height):
    """Peak memory and start-up of an SDL2 OpenGL window that draws nothing: the floor under the game's."""
    program = os.path.join(NATIVE, "tests", "desktop_empty_window")
    log_path = os.path.join(NATIVE, f"swaps-empty-{width}x{height}.txt")
    preload = {"LD_PRELOAD": SPY, "KESTREL_SWAP_LOG": log_path}
    with DesktopGame(width, height, name=f"empty-{width}x{height}", program=program, title="Empty Window",
                     environment=preload) as game:
        first = swap_times(log_path)[:1]
        time.sleep(5.0)
        result = {"peak_memory_kib": peak_memory_kib(game.process.pid),
                  "startup_s": round(first[0] - game.launched, 3) if first else None}
        game.key("Escape")
        game.wait_exit()
    return result


def stripped_size(path):
    with tempfile.TemporaryDirectory() as scratch:
        out = os.path.join(scratch, "stripped")
        subprocess.run(["strip", "--strip-all", "-o", out, path], check=True)
        return os.path.getsize(out)


def row(name, desktop, wine, unit="ms"):
    ratio = f"{desktop / wine:.2f}" if desktop is not None and wine else "-"
    return f"| {name} | {desktop} {unit} | {wine} {unit} | {ratio} |"


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
        desktop = desktop_run(width, height)
        wine = frame_cost.run(width, height)
        empty = empty_window(width, height)
        results[size] = {"desktop": desktop, "wine": wine, "empty_window": empty}
        lines += [f"\n{size} (desktop | Windows exe under Wine | ratio)", "| measure | desktop | wine | ratio |",
                  "|---|---|---|---|"]
        for view in ("title", "play_waiting", "play_run"):
            for field in ("median_ms", "work_median_ms"):
                lines.append(row(f"{view} {field}", desktop[view].get(field), wine[view].get(field)))
        lines.append(row("start-up to first frame", desktop["startup_s"], wine["startup_s"], "s"))
        lines.append(row("peak memory VmHWM", desktop["peak_memory_kib"], wine["peak_memory_kib"], "KiB"))
        lines.append(f"| empty SDL2 GL window: VmHWM, start-up | {empty['peak_memory_kib']} KiB, "
                     f"{empty['startup_s']} s | desktop/empty VmHWM "
                     f"{desktop['peak_memory_kib'] / empty['peak_memory_kib']:.2f} | |")
    lines += ["\nhelp box, title view at 1280x720 (box closed | box open | open/closed)", "| display | closed | open | ratio |",
              "|---|---|---|---|"]
    for window_manager in (False, True):
        box = help_box_run(1280, 720, window_manager)
        results[f"help_box{'_openbox' if window_manager else ''}"] = box
        closed, opened = box["closed"].get("median_ms"), box["open"].get("median_ms")
        ratio = f"{opened / closed:.3f}" if opened and closed else "-"
        lines.append(f"| {'openbox' if window_manager else 'bare X'} median period | {closed} ms | {opened} ms "
                     f"| {ratio} |")
    path = os.path.join(NATIVE, "desktop-bench.json")
    with open(path, "w") as out:
        json.dump(results, out, indent=2)
    log("\n".join(lines))
    log(f"written to {path}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
