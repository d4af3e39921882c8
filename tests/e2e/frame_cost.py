"""frame_cost.py -- measures the real game's frame period under Wine from the swap timestamps; never fails on timing.

Writes a table to stdout and the figures to <build>/frame-cost.json.
"""
import json
import os
import re
import statistics
import subprocess
import sys
import time

from harness import BUILD_DIR, EXE_DIR, Game, log

SWAP = re.compile(r"^(\d+\.\d+):.*wglSwapBuffers")
SECONDS = float(os.environ.get("KESTREL_FRAME_COST_SECONDS", "20"))


def swaps(game):
    game.trace.flush()
    with open(game.trace_path, errors="replace") as trace:
        return [float(m.group(1)) for m in map(SWAP.match, trace) if m]


def periods_between(times):
    return [1000.0 * (b - a) for a, b in zip(times, times[1:])]


def summary(periods):
    if len(periods) < 2:
        return {"frames": len(periods)}
    ordered = sorted(periods)
    return {
        "frames": len(periods),
        "median_ms": round(statistics.median(ordered), 2),
        "p90_ms": round(ordered[int(0.9 * (len(ordered) - 1))], 2),
        "work_median_ms": round(statistics.median(ordered) - 34.0, 2),
    }


def measure(game, seconds):
    start = len(swaps(game))
    time.sleep(seconds)
    return summary(periods_between(swaps(game)[start:]))


def peak_memory_kib():
    found = subprocess.run(["pgrep", "-f", "KestrelForges.exe"], capture_output=True, text=True).stdout.split()
    peak = 0
    for pid in found:
        try:
            with open(f"/proc/{pid}/status") as status:
                for line in status:
                    if line.startswith("VmHWM:"):
                        peak = max(peak, int(line.split()[1]))
        except OSError:
            pass
    return peak


def run(width, height):
    with Game(width, height, winedebug="+timestamp,trace+wgl", name=f"cost-{width}x{height}") as game:
        # Start-up: from launching the exe under Wine to its first presented frame.
        first = swaps(game)[:1]
        result = {"startup_s": round(first[0] - game.launched_uptime, 2) if first else None}
        result["title"] = measure(game, SECONDS)
        game.key("Return", gap=0.5)
        result["play_waiting"] = measure(game, SECONDS)
        # A run with no steering lasts until the first wave's block arrives.
        start = len(swaps(game))
        game.key("Up", gap=0.0)
        time.sleep(4.0)
        result["play_run"] = summary(periods_between(swaps(game)[start:start + 66]))
        result["peak_memory_kib"] = peak_memory_kib()
        game.key("Escape")
        game.wait_exit()
    return result


def main():
    results = {"exe_bytes": os.path.getsize(os.path.join(EXE_DIR, "KestrelForges.exe"))}
    for width, height in ((1280, 720), (1920, 1080)):
        results[f"{width}x{height}"] = run(width, height)
    path = os.path.join(BUILD_DIR, "frame-cost.json")
    with open(path, "w") as out:
        json.dump(results, out, indent=2)
    log("| screen | phase | frames | median ms | p90 ms | work ms |")
    log("|---|---|---|---|---|---|")
    measured = True
    for size in ("1280x720", "1920x1080"):
        for phase in ("title", "play_waiting", "play_run"):
            figures = results[size][phase]
            measured = measured and "median_ms" in figures
            log(f"| {size} | {phase} | {figures['frames']} | {figures.get('median_ms', '-')} | "
                f"{figures.get('p90_ms', '-')} | {figures.get('work_median_ms', '-')} |")
        log(f"| {size} | start-up {results[size]['startup_s']} s, peak memory {results[size]['peak_memory_kib']} KiB |")
    log(f"exe {results['exe_bytes']} bytes; figures written to {path}")
    # No frames to measure is a failed measurement, not a figure.
    return 0 if measured else 1


if __name__ == "__main__":
    sys.exit(main())
