"""latency_bench.py -- key-to-frame latency of the Windows exe under Wine, the desktop game and the browser game,
side by side; never fails on timing.

One definition for all three: from the moment a key event is sent to the moment the first frame whose picture
shows its effect is presented. The key is Right on the title view, which turns the turntable by one step.
- exe and desktop: the key goes to the X server through XTest; the screen is Xvfb's own framebuffer (-fbdir),
  watched where the car stands until its pixels change.
- browser: the key goes through CDP and its time is the page's keydown time; the frame is presented at the
  first animation frame after the pass that turned the car (tests/web/bench.js --latency).
Rounds alternate the builds so that load from other work on the machine hits all of them alike. A pass is the
mean time between two presented frames in the same session (34 ms plus the frame's work).
Writes a table to stdout and the figures to build/native/latency-bench.json.
"""
import json
import mmap
import os
import random
import statistics
import struct
import subprocess
import sys
import tempfile
import time

# The desktop bench's build folders and environment, which the harnesses read.
from desktop_bench import NATIVE, ROOT, WINDOWS  # noqa: E402,F401
WASM = os.path.join(ROOT, "build", "wasm")

import frame_cost  # noqa: E402  (reads the environment above)
from desktop_harness import SPY, DesktopGame, KeyChannel  # noqa: E402
from harness import Game, log  # noqa: E402

WIDTH, HEIGHT = 1280, 720
ROUNDS = int(os.environ.get("KESTREL_LATENCY_ROUNDS", "5"))
PRESSES = int(os.environ.get("KESTREL_LATENCY_PRESSES", "10"))
# Longest wait for a press to show, generous for a loaded machine; a press never seen is a failed measurement.
SHOW_TIMEOUT = 5.0


class Framebuffer:
    """Xvfb's screen as the XWD file it keeps in -fbdir, mapped: read without a round trip to the server."""

    def __init__(self, folder):
        with open(os.path.join(folder, "Xvfb_screen0"), "rb") as screen:
            self.map = mmap.mmap(screen.fileno(), 0, access=mmap.ACCESS_READ)
        header = struct.unpack(">25I", self.map[:100])
        self.width, self.height = header[4], header[5]
        self.stride = header[12]
        self.pixel = header[11] // 8
        # Pixels follow the header and its colour table (12 bytes an entry).
        self.start = header[0] + header[19] * 12

    def read(self, region):
        """The pixels of a region: a list of rows and the columns [left, right) in each."""
        rows, left, right = region
        return b"".join(self.map[self.start + y * self.stride + left * self.pixel:
                                 self.start + y * self.stride + right * self.pixel] for y in rows)

    def whole(self):
        return self.read((range(self.height), 0, self.width))

    def changed_rows(self, before, after):
        line = self.width * self.pixel
        return {y for y in range(self.height) if before[y * line:(y + 1) * line] != after[y * line:(y + 1) * line]}

    def changed_columns(self, before, after, rows):
        line = self.width * self.pixel
        return [x for x in range(self.width)
                if any(before[y * line + x * self.pixel:y * line + (x + 1) * self.pixel] !=
                       after[y * line + x * self.pixel:y * line + (x + 1) * self.pixel] for y in rows)]


def car_region(keys, screen):
    """The rows and columns a turn of the turntable changes, less the rows that change by themselves (the
    rasterizer draws the banner's lower edge a little differently from frame to frame)."""
    unsteady = set()
    before = screen.whole()
    watched_until = time.monotonic() + 2.0
    while time.monotonic() < watched_until:
        time.sleep(0.005)
        now = screen.whole()
        unsteady |= screen.changed_rows(before, now)
        before = now
    keys.press("Right")
    time.sleep(0.5)
    after = screen.whole()
    rows = sorted(screen.changed_rows(before, after) - unsteady)
    columns = screen.changed_columns(before, after, rows[::4])
    if not rows or not columns:
        raise RuntimeError("Right did not turn the turntable on the screen")
    return rows, columns[0], columns[-1] + 1


def watch_presses(keys, screen, count, period):
    """Presses Right `count` times at random phases of the pass; each press's time until the screen shows it."""
    region = car_region(keys, screen)
    latencies = []
    for _ in range(count):
        time.sleep(random.uniform(8 * period, 9 * period))
        shown = screen.read(region)
        sent = time.monotonic()
        keys.press("Right")
        while True:
            now = time.monotonic()
            if screen.read(region) != shown:
                latencies.append(1000.0 * (now - sent))
                break
            if now - sent > SHOW_TIMEOUT:
                raise RuntimeError(f"a press did not show within {SHOW_TIMEOUT} s")
            time.sleep(0.0003)
    return latencies


def mean_period_ms(times):
    return 1000.0 * (times[-1] - times[0]) / (len(times) - 1) if len(times) > 1 else None


def exe_round(count):
    with tempfile.TemporaryDirectory() as folder:
        class WatchedGame(Game):
            xvfb_options = ("-fbdir", folder)

        with WatchedGame(WIDTH, HEIGHT, winedebug="+timestamp,trace+wgl", name="latency-exe") as game:
            keys = KeyChannel(game.display)
            start = len(frame_cost.swaps(game))
            latencies = watch_presses(keys, Framebuffer(folder), count, 0.045)
            period = mean_period_ms(frame_cost.swaps(game)[start:])
            keys.press("Escape")
            game.wait_exit()
    return latencies, period


def desktop_round(count):
    with tempfile.TemporaryDirectory() as folder:
        class WatchedGame(DesktopGame):
            xvfb_options = DesktopGame.xvfb_options + ("-fbdir", folder)

        log_path = os.path.join(NATIVE, "swaps-latency.txt")
        preload = {"LD_PRELOAD": SPY, "KESTREL_SWAP_LOG": log_path}
        with WatchedGame(WIDTH, HEIGHT, name="latency-desktop", environment=preload) as game:
            keys = KeyChannel(game.display)
            start = game.frames()
            latencies = watch_presses(keys, Framebuffer(folder), count, 0.045)
            period = mean_period_ms(game.swap_times()[start:])
            keys.press("Escape")
            game.wait_exit()
    return latencies, period


def web_round(count):
    environment = dict(os.environ, NODE_PATH=os.path.join(WASM, "web-tests", "node_modules"),
                       KESTREL_WEB_DIR=os.path.join(WASM, "test-page"),
                       KESTREL_SHOTS=os.path.join(WASM, "screenshots"))
    out = subprocess.run(["node", os.path.join(ROOT, "tests", "web", "bench.js"), "--latency", str(count),
                          str(WIDTH), str(HEIGHT)], env=environment, capture_output=True, text=True, timeout=300)
    if out.returncode != 0:
        raise RuntimeError(f"the browser's latency run failed: {out.stderr.strip()[-2000:]}")
    figures = json.loads(out.stdout.strip().splitlines()[-1])
    return figures["latencies_ms"], figures["pass_ms"]


def summary(latencies, periods):
    ordered = sorted(latencies)
    period = statistics.mean(periods)
    figures = {"presses": len(ordered), "median_ms": round(statistics.median(ordered), 1),
               "p90_ms": round(ordered[int(0.9 * (len(ordered) - 1))], 1), "max_ms": round(ordered[-1], 1),
               "pass_ms": round(period, 1)}
    for field in ("median", "p90", "max"):
        figures[f"{field}_passes"] = round(figures[f"{field}_ms"] / period, 2)
    return figures


def main():
    subprocess.run(["bash", os.path.join(ROOT, "scripts", "wine-boot.sh")], check=True)
    builds = {"exe under Wine": exe_round, "desktop": desktop_round, "browser": web_round}
    measured = {name: ([], []) for name in builds}
    loads = []
    for _ in range(ROUNDS):
        loads.append(os.getloadavg()[0])
        for name, run in builds.items():
            latencies, period = run(PRESSES)
            measured[name][0].extend(latencies)
            measured[name][1].append(period)
    results = {name: summary(*measured[name]) for name in builds}
    reference = results["exe under Wine"]
    lines = [f"Key-to-frame latency, Right on the title view at {WIDTH}x{HEIGHT}, {ROUNDS} rounds of {PRESSES} "
             f"presses per build, builds alternating; load average {min(loads):.2f}-{max(loads):.2f}",
             "| build | presses | median ms | p90 ms | max ms | pass ms | median | p90 | max (passes) | "
             "median behind the exe |",
             "|---|---|---|---|---|---|---|---|---|---|"]
    for name, figures in results.items():
        behind = (figures["median_ms"] - reference["median_ms"]) / reference["pass_ms"]
        lines.append(f"| {name} | {figures['presses']} | {figures['median_ms']} | {figures['p90_ms']} | "
                     f"{figures['max_ms']} | {figures['pass_ms']} | {figures['median_passes']} | "
                     f"{figures['p90_passes']} | {figures['max_passes']} | {behind:+.2f} passes |")
    path = os.path.join(NATIVE, "latency-bench.json")
    with open(path, "w") as out:
        json.dump({"width": WIDTH, "height": HEIGHT, "load_average": loads, "builds": results,
                   "latencies_ms": {name: measured[name][0] for name in builds}}, out, indent=2)
    log("\n".join(lines))
    log(f"written to {path}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
