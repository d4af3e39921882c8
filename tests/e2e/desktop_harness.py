"""desktop_harness.py -- the harness's Game for the native desktop build: same displays, keys and pictures, no Wine."""
import ctypes
import os
import re
import subprocess
import time

import harness
from harness import SHOTS, SKY, Game, near

GAME = os.environ.get("KESTREL_DESKTOP_GAME", os.path.join(harness.ROOT, "build", "native", "KestrelForges"))
# Preloaded to log presented frames and message boxes; none in the sanitizer build.
SPY = os.environ.get("KESTREL_SDL_SPY", os.path.join(os.path.dirname(GAME), "tests", "libsdl_spy.so"))


class DesktopGame(Game):
    """One Xvfb display with the desktop game running on it natively.

    audio_file: SDL mixes the music into this file (the disk driver); without it the game runs silent.
    """

    def __init__(self, width=1920, height=1080, name="desktop", arguments=(), audio_file=None,
                 program=GAME, title="Kestrel Forges", environment=None, folder=None):
        self.arguments = list(arguments)
        self.audio_file = audio_file
        self.program = program
        # The folder the game starts in: its own, unless told otherwise.
        self.folder = folder or os.path.dirname(program)
        self.title = title
        self.environment = environment or {}
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
            self.env.update({"SDL_AUDIODRIVER": "disk", "SDL_DISKAUDIOFILE": self.audio_file})
        else:
            self.env["SDL_AUDIODRIVER"] = "dummy"
        os.makedirs(SHOTS, exist_ok=True)
        self.trace_path = os.path.join(SHOTS, f"{self.name}.stderr")
        self.trace = open(self.trace_path, "w")
        self.launched = time.monotonic()
        self.process = subprocess.Popen([self.program, *self.arguments], cwd=self.folder,
                                        env={**self.env, **self.environment},
                                        stdout=subprocess.DEVNULL, stderr=self.trace)
        self.exit_code = None
        self.wait_for_window()

    def windows(self):
        """Top-level windows on the display: name -> (id, x, y, width, height)."""
        tree = subprocess.run(["xwininfo", "-root", "-children"], env=self.env, capture_output=True,
                              text=True).stdout
        found = {}
        for line in tree.splitlines():
            m = re.match(r'\s*(0x[0-9a-f]+) "([^"]*)".*?(\d+)x(\d+)\+(-?\d+)\+(-?\d+)', line)
            if m:
                found[m.group(2)] = (int(m.group(1), 16), int(m.group(5)), int(m.group(6)),
                                     int(m.group(3)), int(m.group(4)))
        return found

    def wait_for_window(self, timeout=60):
        """Until the game window is there and its first frames show the sky at the top."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            if self.process.poll() is not None:
                raise RuntimeError(f"game exited early with {self.process.returncode}")
            window = self.windows().get(self.title)
            if window is not None:
                _, x, y, width, height = window
                if near(self.screenshot("start").at(x + width // 2, y + 2), SKY, 2):
                    return
            time.sleep(0.2)
        raise RuntimeError("game window did not show the sky")

    def transient_for(self, window):
        """The window a dialog is parented to, or None."""
        props = subprocess.run(["xprop", "-id", str(window), "WM_TRANSIENT_FOR"], env=self.env,
                               capture_output=True, text=True).stdout
        m = re.search(r"window id # (0x[0-9a-f]+)", props)
        return int(m.group(1), 16) if m else None

    def request_close(self, window):
        """What a window manager's close button does: WM_DELETE_WINDOW sent to the window."""
        send_delete_window(self.display, window)

    def frames(self):
        """Frames presented so far, from the spy's swap log (KESTREL_SWAP_LOG in the environment)."""
        path = self.environment.get("KESTREL_SWAP_LOG")
        if not path or not os.path.exists(path):
            return 0
        with open(path) as swaps:
            return sum(1 for _ in swaps)

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
