"""wine_game.py -- runs the real game under Wine on a display of its own, presses keys, reads the screen.

The attract sequence plays on it, and the end-to-end tests drive the game through it."""
import math
import os
import subprocess
import time

# Run by hand, the scripts find the Windows build and write under build/, never into the folder they run from.
ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
BUILD_DIR = os.environ.get("KESTREL_BUILD_DIR", os.path.join(ROOT, "build", "windows"))
EXE_DIR = os.environ.get("KESTREL_EXE_DIR", BUILD_DIR)
PROBE = os.environ.get("KESTREL_PROBE", os.path.join(BUILD_DIR, "probe.exe"))
SHOTS = os.environ.get("KESTREL_SHOTS", os.path.join(BUILD_DIR, "screenshots"))

SKY = (0, 232, 255)


def log(*parts):
    print(*parts, flush=True)


def free_display():
    for number in range(90, 400):
        if not os.path.exists(f"/tmp/.X{number}-lock") and not os.path.exists(f"/tmp/.X11-unix/X{number}"):
            return number
    raise RuntimeError("no free X display number")


def serves_display(xvfb, number):
    """Waits until our Xvfb holds the display (its pid in the lock file) and answers; False when another
    server started on the same number at the same moment holds it instead."""
    for _ in range(100):
        if xvfb.poll() is not None:
            return False
        try:
            with open(f"/tmp/.X{number}-lock") as lock:
                owner = int(lock.read().strip() or 0)
        except (OSError, ValueError):
            owner = 0
        if owner not in (0, xvfb.pid):
            return False
        if owner == xvfb.pid and subprocess.run(["xdpyinfo", "-display", f":{number}"], stdout=subprocess.DEVNULL,
                                                stderr=subprocess.DEVNULL).returncode == 0:
            return True
        time.sleep(0.1)
    return False


def start_xvfb(width, height, options=()):
    """An Xvfb of our own and its display name; a number another test took at the same moment is left to it.

    -noreset: by default the server resets whenever its last client leaves, as each probe of ours does, and a
    program connecting during the reset is refused. Wine's desktop process, refused so, leaves the whole session
    without a display driver, and the game's window cannot be made: on a loaded machine the reset lasts long
    enough for that to happen about once in a hundred starts."""
    for _ in range(5):
        number = free_display()
        xvfb = subprocess.Popen(["Xvfb", f":{number}", "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp",
                                 "-noreset", *options],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if serves_display(xvfb, number):
            return xvfb, f":{number}"
        xvfb.kill()
        xvfb.wait()
    raise RuntimeError("Xvfb did not start")


class Game:
    """One Xvfb display with the game running on it under Wine."""

    # More of Xvfb's options, for a display of another kind.
    xvfb_options = ()

    def __init__(self, width=1920, height=1080, winedebug="-all", name="game"):
        self.width = width
        self.height = height
        self.name = name
        self.xvfb, self.display = start_xvfb(width, height, self.xvfb_options)
        self.env = dict(os.environ)
        self.env.update({
            "DISPLAY": self.display,
            "WINEPREFIX": os.environ.get("WINEPREFIX", os.path.join(BUILD_DIR, "wineprefix")),
            "WINEDLLOVERRIDES": "mscoree,mshtml=",
            # Wine's own errors always go to the trace: they say why a start failed.
            "WINEDEBUG": winedebug + ",err+all",
        })
        self.process = None
        self.trace = None
        try:
            self._start()
        except BaseException:
            self.close()
            raise

    def _start(self):
        self._wait_for_display()
        # A fresh wineserver, so the Wine desktop comes up on this display.
        subprocess.run(["wineserver", "-k"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.trace_path = os.path.join(SHOTS, f"{self.name}.trace")
        os.makedirs(SHOTS, exist_ok=True)
        self.trace = open(self.trace_path, "w")
        # Seconds since boot, the clock of Wine's +timestamp trace lines.
        with open("/proc/uptime") as uptime:
            self.launched_uptime = float(uptime.read().split()[0])
        self.process = subprocess.Popen(["wine", "KestrelForges.exe"], cwd=EXE_DIR, env=self.env,
                                        stdout=subprocess.DEVNULL, stderr=self.trace)
        self.exit_code = None
        self.wait_for_window()

    def _wait_for_display(self):
        for _ in range(100):
            if subprocess.run(["xdpyinfo"], env=self.env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL).returncode == 0:
                return
            time.sleep(0.1)
        raise RuntimeError("Xvfb did not start")

    def wait_for_window(self, timeout=60):
        deadline = time.time() + timeout
        while time.time() < deadline:
            found = subprocess.run(["xdotool", "search", "--name", "^Kestrel Forges$"], env=self.env,
                                   capture_output=True, text=True)
            if found.stdout.strip():
                # The first frame is on the screen once the sky shows (the loop
                # waits for a first message, and a loaded machine is slow).
                if not wait_until(lambda: near(self.screenshot("start").at(self.width // 2, 5), SKY, 2),
                                  timeout=max(deadline - time.time(), 1.0)):
                    raise RuntimeError("the game window showed no frame")
                return
            if self.process.poll() is not None:
                raise RuntimeError(f"game exited early with {self.process.returncode}; its trace ends:\n" +
                                   "".join(self.trace_tail()))
            time.sleep(0.2)
        raise RuntimeError("game window did not appear")

    def trace_tail(self, lines=20):
        self.trace.flush()
        with open(self.trace_path, errors="replace") as trace:
            return trace.readlines()[-lines:]

    def key(self, *names, gap=0.25):
        """Presses keys one by one, each a real X key event, with a gap of several frames."""
        for name in names:
            subprocess.run(["xdotool", "key", name], env=self.env, check=True)
            time.sleep(gap)

    def burst(self, *names):
        """Presses keys in one xdotool call, a few milliseconds apart: all reach the game within a few frames."""
        subprocess.run(["xdotool", "key", *names], env=self.env, check=True)

    def frames(self):
        """Frames presented so far: Wine's wgl trace (winedebug with trace+wgl) logs one swap per frame.
        Without that trace nothing can be counted: that is an error, never 0 frames."""
        if "wgl" not in self.env["WINEDEBUG"]:
            raise RuntimeError(f"no wgl trace to count frames in (WINEDEBUG={self.env['WINEDEBUG']})")
        self.trace.flush()
        with open(self.trace_path, errors="replace") as trace:
            return sum(1 for line in trace if "wglSwapBuffers" in line)

    def wait_frames(self, count, timeout=30.0):
        """Until the game has presented `count` more frames: time passes in frames."""
        target = self.frames() + count
        return wait_until(lambda: self.frames() >= target, timeout=timeout, step=0.02)

    def click(self, x, y):
        subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], env=self.env, check=True)

    def probe(self, *args):
        """The probe's key=value lines, and its exit status under "status"."""
        out = subprocess.run(["wine", PROBE, *args], env=self.env, capture_output=True, text=True,
                             timeout=60)
        values = {"status": str(out.returncode)}
        for line in out.stdout.splitlines():
            if "=" in line:
                key, value = line.split("=", 1)
                values[key] = value.rstrip("\r")
        return values

    def screenshot(self, label):
        path = os.path.join(SHOTS, f"{self.name}-{label}.png")
        subprocess.run(["import", "-window", "root", path], env=self.env, check=True)
        return Picture(path)

    def wait_exit(self, timeout=30):
        try:
            self.exit_code = self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.exit_code = None
        return self.exit_code

    def close(self):
        if self.process is not None and self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        subprocess.run(["wineserver", "-k"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        self.xvfb.terminate()
        self.xvfb.wait()
        if self.trace is not None:
            self.trace.close()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


class Picture:
    """A screenshot, readable pixel by pixel."""

    def __init__(self, path):
        self.path = path
        data = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], capture_output=True, check=True).stdout
        # P6 header: magic, width, height, maxval, then one whitespace byte.
        fields = data.split(maxsplit=4)
        self.width = int(fields[1])
        self.height = int(fields[2])
        self.pixels = fields[4][:self.width * self.height * 3]

    def at(self, x, y):
        """The pixel at (x, y); a point off the picture is a fault of the test, never its edge's pixel."""
        x, y = int(x), int(y)
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise IndexError(f"pixel ({x}, {y}) is off the {self.width}x{self.height} picture {self.path}")
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])


def near(colour, expected, tolerance=24):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, expected))


def project(point, view, width, height):
    """Screen pixel of a world point under the game's camera and 16:9 frustum (stretched to the screen)."""
    x, y, z = point
    tilt = math.radians(290.0 if view == "title" else 274.0)
    ye = y * math.cos(tilt) - z * math.sin(tilt)
    ze = y * math.sin(tilt) + z * math.cos(tilt) - 30.0
    xn = (x / 1.0264) / -ze
    yn = (ye / 0.57735) / -ze
    return (xn + 1.0) / 2.0 * width, (1.0 - yn) / 2.0 * height


def banner_cell(row, column, width, height):
    """Screen pixel at the centre of a banner cell in the title view."""
    return project((-170 + column + 0.5, 140 - row - 0.5, 17 - row - 0.5), "title", width, height)


def banner_shown(picture, width, height):
    """Whether the picture shows the banner: its grey in a cell mid-row, on the screen at every size."""
    return near(picture.at(*banner_cell(0, 160, width, height)), (128, 128, 128), 12)


def wait_until(condition, timeout=60.0, step=0.25):
    """Polls until condition() is true; frames are slow on a loaded machine, so waits are by state, not time,
    and the limit is only there to end a wait for what never comes."""
    deadline = time.time() + timeout
    while time.time() < deadline:
        if condition():
            return True
        time.sleep(step)
    return condition()


def close_help(game, fallback=True):
    """Clicks the help dialog's OK button and waits until the game window has the keyboard again.

    A click on the game window leaves the dialog open behind it, out of the mouse's reach; with
    fallback the button is then pressed through the probe. Returns whether the dialog closed.
    """
    def closed():
        return (game.probe("dialog").get("visible") == "0" and
                game.probe("focus").get("foreground") == "Kestrel Forges")

    button = game.probe("ok-button")
    if "x" not in button:
        return False
    game.click(int(button["x"]) + int(button["width"]) // 2, int(button["y"]) + int(button["height"]) // 2)
    if wait_until(closed, timeout=10.0) or not fallback:
        return closed()
    game.probe("press-ok")
    return wait_until(closed)

