"""desktop_harness.py -- the harness's Game for the native desktop build: same displays, keys and pictures, no Wine."""
import ctypes
import os
import re
import subprocess
import time

import harness
from harness import SHOTS, SKY, Game, near

GAME = os.environ.get("KESTREL_DESKTOP_GAME", os.path.join(harness.ROOT, "build", "native", "KestrelForges"))
# Preloaded to log presented frames; none in the sanitizer build.
SPY = os.environ.get("KESTREL_SDL_SPY", os.path.join(os.path.dirname(GAME), "tests", "libsdl_spy.so"))


class DesktopGame(Game):
    """One Xvfb display with the desktop game running on it natively.

    The display serves only the X server's built-in fonts, as a bare, remote or nested server may: the game
    needs none. audio_file: SDL mixes the music into this file (the disk driver); without it the game runs
    silent. window_manager: openbox manages the display, framing every window, as on a player's desktop.
    """

    xvfb_options = ("-fp", "built-ins")

    def __init__(self, width=1920, height=1080, name="desktop", arguments=(), audio_file=None,
                 program=GAME, title="Kestrel Forges", environment=None, folder=None, window_manager=False):
        self.arguments = list(arguments)
        self.audio_file = audio_file
        self.program = program
        # The folder the game starts in: its own, unless told otherwise.
        self.folder = folder or os.path.dirname(program)
        self.title = title
        self.environment = environment or {}
        self.manager = None
        self.window_manager = window_manager
        # Another test may take the display number between the harness's look and
        # our server's start; ours then exits, and the next free number is tried.
        for attempt in range(5):
            try:
                super().__init__(width, height, name=name)
                return
            except DisplayTaken:
                if attempt == 4:
                    raise

    def _start(self):
        self._wait_for_display()
        if self.xvfb.poll() is not None or lock_owner(self.display) != self.xvfb.pid:
            raise DisplayTaken(self.display)
        if self.audio_file:
            # SDL writes the file once the tune plays: none may be left from an earlier run.
            if os.path.exists(self.audio_file):
                os.remove(self.audio_file)
            self.env.update({"SDL_AUDIODRIVER": "disk", "SDL_DISKAUDIOFILE": self.audio_file})
        else:
            self.env["SDL_AUDIODRIVER"] = "dummy"
        os.makedirs(SHOTS, exist_ok=True)
        if self.window_manager:
            self.manager = subprocess.Popen(["openbox", "--sm-disable"], env=self.env, stdout=subprocess.DEVNULL,
                                            stderr=subprocess.DEVNULL)
            if not harness.wait_until(self.managed, timeout=30.0, step=0.1):
                raise RuntimeError("openbox did not take the display")
        self.trace_path = os.path.join(SHOTS, f"{self.name}.stderr")
        self.trace = open(self.trace_path, "w")
        self.launched = time.monotonic()
        self.process = subprocess.Popen([self.program, *self.arguments], cwd=self.folder,
                                        env={**self.env, **self.environment},
                                        stdout=subprocess.DEVNULL, stderr=self.trace)
        self.exit_code = None
        self.wait_for_window()

    def managed(self):
        """Whether a window manager has announced itself on the display."""
        return "window id #" in subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env,
                                               capture_output=True, text=True).stdout

    def windows(self):
        """Named windows on the display, framed by a window manager or not: name -> (id, x, y, width, height),
        on the screen."""
        tree = subprocess.run(["xwininfo", "-root", "-tree"], env=self.env, capture_output=True,
                              text=True).stdout
        found = {}
        for line in tree.splitlines():
            m = re.match(r'\s*(0x[0-9a-f]+) "([^"]*)".*?(\d+)x(\d+)\+-?\d+\+-?\d+\s+\+(-?\d+)\+(-?\d+)', line)
            if m:
                found[m.group(2)] = (int(m.group(1), 16), int(m.group(5)), int(m.group(6)),
                                     int(m.group(3)), int(m.group(4)))
        return found

    def wait_for_window(self, timeout=60):
        """Until the game window is there and its first frames show the sky at the top."""
        deadline = time.time() + timeout
        window, top = None, None
        while time.time() < deadline:
            if self.process.poll() is not None:
                raise RuntimeError(f"game exited early with {self.process.returncode}")
            window = self.windows().get(self.title)
            if window is not None:
                _, x, y, width, height = window
                top = self.screenshot("start").at(x + width // 2, y + 2)
                if near(top, SKY, 2):
                    return
            time.sleep(0.2)
        raise RuntimeError(f"game window did not show the sky (window {window}, its top {top}, "
                           f"windows {sorted(self.windows())}, stderr {self.stderr_lines()[-5:]})")

    def transient_for(self, window):
        """The window a dialog is parented to, or None."""
        props = subprocess.run(["xprop", "-id", str(window), "WM_TRANSIENT_FOR"], env=self.env,
                               capture_output=True, text=True).stdout
        m = re.search(r"window id # (0x[0-9a-f]+)", props)
        return int(m.group(1), 16) if m else None

    def request_close(self, window):
        """What a window manager's close button does: WM_DELETE_WINDOW sent to the window."""
        send_delete_window(self.display, window)

    def swap_times(self):
        """The time of every frame presented so far, from the spy's swap log (KESTREL_SWAP_LOG in the
        environment). Without the log nothing can be counted: that is an error, never 0 frames."""
        path = self.environment.get("KESTREL_SWAP_LOG")
        if not path or not os.path.exists(path):
            raise RuntimeError(f"no swap log to count frames in ({path}): is the spy preloaded?")
        with open(path) as swaps:
            return [float(line) for line in swaps if line.endswith("\n")]

    def frames(self):
        """Frames presented so far."""
        return len(self.swap_times())

    def wait_frames(self, count, timeout=30.0):
        """Until the game has presented `count` more frames: time passes in frames."""
        target = self.frames() + count
        deadline = time.time() + timeout
        while self.frames() < target and time.time() < deadline:
            time.sleep(0.02)
        return self.frames() >= target

    def focused_window(self):
        """The window that has the keyboard focus."""
        out = subprocess.run(["xdotool", "getwindowfocus"], env=self.env, capture_output=True, text=True).stdout
        return int(out) if out.strip().isdigit() else None

    def stderr_lines(self):
        self.trace.flush()
        with open(self.trace_path, errors="replace") as out:
            return [line.rstrip("\n") for line in out]

    def close(self):
        if self.process is not None and self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        if self.manager is not None:
            self.manager.kill()
            self.manager.wait()
        self.xvfb.terminate()
        self.xvfb.wait()
        if self.trace is not None:
            self.trace.close()


def lock_owner(display):
    """The process id in the display's lock file: the server that answers on it."""
    try:
        with open(f"/tmp/.X{display.lstrip(':')}-lock") as lock:
            return int(lock.read().strip())
    except (OSError, ValueError):
        return None


class DisplayTaken(RuntimeError):
    """Our Xvfb lost its display number to another server started at the same moment."""


class _ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class _Event(ctypes.Union):
    _fields_ = [("xclient", _ClientMessage), ("pad", ctypes.c_long * 24)]


def send_delete_window(display_name, window):
    xlib = ctypes.CDLL("libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    xlib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                ctypes.POINTER(_Event)]
    xlib.XFlush.argtypes = [ctypes.c_void_p]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = xlib.XOpenDisplay(display_name.encode())
    if not display:
        raise RuntimeError(f"cannot open display {display_name}")
    event = _Event()
    event.xclient.type = 33  # ClientMessage
    event.xclient.window = window
    event.xclient.message_type = xlib.XInternAtom(display, b"WM_PROTOCOLS", 0)
    event.xclient.format = 32
    event.xclient.data[0] = xlib.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    event.xclient.data[1] = 0  # CurrentTime
    xlib.XSendEvent(display, window, 0, 0, ctypes.byref(event))
    xlib.XFlush(display)
    xlib.XCloseDisplay(display)


# The help box draws its texts with a font of its own, dark on a light face; reading the screen with that font
# tells what the box shows.
BOX_SOURCE = os.path.join(harness.ROOT, "platform", "desktop", "help_box.cpp")


def box_font():
    """The box's glyphs: their five columns of bits -> the character."""
    with open(BOX_SOURCE) as source:
        text = source.read()
    table = text[text.index("Glyphs = {"):]
    columns = [int(value, 16) for value in re.findall(r"0x([0-9A-F]{2})", table[:table.index("};")])]
    return {tuple(columns[i:i + 5]): chr(32 + i // 5) for i in range(0, len(columns), 5)}


def shown_box(game, box, label, expected):
    """The screenshot and the lines read off the box once they are the expected ones, or the last ones read
    within 10 s: the box shows its window before its first picture reaches the screen."""
    seen = {}

    def read():
        seen["picture"] = game.screenshot(label)
        seen["lines"] = read_box(seen["picture"], box)
        return seen["lines"] == expected

    harness.wait_until(read, timeout=10.0, step=0.2)
    return seen["picture"], seen["lines"]


def read_box(picture, box):
    """The lines of text in the box's window, top to bottom, grouped into blocks wherever the gap between two
    lines is wider than between the lines of a block; None where a character cannot be read."""
    font = box_font()
    _, left, top, width, height = box

    def ink(x, y):
        return sum(picture.at(x, y)) < 200

    rows = [y for y in range(top, top + height) if any(ink(x, y) for x in range(left, left + width))]
    bands = []
    for y in rows:
        if bands and y == bands[-1][1] + 1:
            bands[-1][1] = y
        else:
            bands.append([y, y])
    lines = []
    for first, last in bands:
        inked = [x for x in range(left, left + width) if any(ink(x, y) for y in range(first, last + 1))]

        def read(cell_top, cell_left):
            text = ""
            for x in range(cell_left, inked[-1] + 1, 6):
                bits = tuple(sum(1 << r for r in range(8) if ink(x + c, cell_top + r)) for c in range(5))
                if bits not in font:
                    return None
                text += font[bits]
            return text.rstrip()

        # A line's cells start at most two columns before its first ink; its glyphs are eight rows high.
        readings = (read(cell_top, inked[0] - back) for cell_top in range(last - 7, first + 1) for back in range(3))
        lines.append((first, next((text for text in readings if text), None)))
    blocks = []
    pitch = min((b[0] - a[0] for a, b in zip(lines, lines[1:])), default=0)
    for i, (first, text) in enumerate(lines):
        if i == 0 or first - lines[i - 1][0] > pitch:
            blocks.append([])
        blocks[-1].append(text)
    return [" ".join(block) if None not in block else None for block in blocks]


class KeyChannel:
    """A connection to the display of our own, open before the display stops taking new clients: it still
    presses keys then, and lets every client in again afterwards."""

    def __init__(self, display_name):
        self.xlib = ctypes.CDLL("libX11.so.6")
        self.xtest = ctypes.CDLL("libXtst.so.6")
        self.xlib.XOpenDisplay.restype = ctypes.c_void_p
        self.xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.xlib.XStringToKeysym.restype = ctypes.c_ulong
        self.xlib.XStringToKeysym.argtypes = [ctypes.c_char_p]
        self.xlib.XKeysymToKeycode.restype = ctypes.c_ubyte
        self.xlib.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.xlib.XFlush.argtypes = [ctypes.c_void_p]
        self.xlib.XDisableAccessControl.argtypes = [ctypes.c_void_p]
        self.xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.xtest.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        self.display = self.xlib.XOpenDisplay(display_name.encode())
        if not self.display:
            raise RuntimeError(f"cannot open display {display_name}")

    def press(self, key):
        code = self.xlib.XKeysymToKeycode(self.display, self.xlib.XStringToKeysym(key.encode()))
        self.xtest.XTestFakeKeyEvent(self.display, code, 1, 0)
        self.xtest.XTestFakeKeyEvent(self.display, code, 0, 0)
        self.xlib.XFlush(self.display)

    def allow_every_client(self):
        self.xlib.XDisableAccessControl(self.display)
        self.xlib.XFlush(self.display)
        self.xlib.XCloseDisplay(self.display)
