"""test_desktop.py -- the native desktop game under Xvfb with real X key events: views, a run, pause, help, music, quitting.

Usage: test_desktop.py            the whole acceptance run
       test_desktop.py openbox    the same under a window manager, at 1280x720
       test_desktop.py session    a short session, for the sanitizer build
       test_desktop.py playback   recorded runs played with --play, against the simulator's frames
"""
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from desktop_harness import GAME, SPY, DesktopGame, KeyChannel, shown_box
from harness import SHOTS, SKY, Picture, banner_cell, banner_shown, check, finish, log, near, same_picture, wait_until
from test_play import (GLYPH_1, GLYPH_K, GLYPH_S, first_run, glyph_at, steer_off_and_pause,
                       wait_for_title)
from test_shell import LOWER, UPPER

GRASS = (12, 139, 26)
# The score view after the first unsteered run, from the Windows exe at 1920x1080, halved.
WINDOWS_SCORE = os.path.join(os.path.dirname(__file__), "..", "..", "docs", "score.png")
ROAD = (54, 54, 55)
# The tune as the game finds it beside itself: a 44-byte header, then the samples.
TUNE = os.path.join(os.path.dirname(GAME), "gamesound.wav")
BUILD = os.environ.get("KESTREL_BUILD_DIR", os.path.dirname(GAME))
SIMULATE = os.path.join(BUILD, "tools", "simulate")
NATIVE_FRAMES = os.path.join(BUILD, "tests", "native_frames")
REPLAYS = os.path.join(os.path.dirname(__file__), "..", "replays")
# The committed replays that press one key a pass at most, and so play in a shell.
PLAYABLE = ["hit_edge_pair", "hit_left_pair", "hit_random_a", "hit_random_b", "hit_right_pair", "off_road_left",
            "off_road_right", "road_waits", "long_run_victory"]
# A run recorded in the browser: title turns, the help, the music, a run steered with keys a pass apart.
BROWSER_RUN = os.path.join(os.path.dirname(__file__), "browser_run.txt")


def audio_size(path):
    """Bytes of audio SDL has mixed into the file; None while there is no file: no tune has played."""
    return os.path.getsize(path) if os.path.exists(path) else None


def audio_growing(path, timeout=10.0):
    """Whether SDL keeps writing mixed audio into the file."""
    start = audio_size(path) or 0
    return wait_until(lambda: (audio_size(path) or 0) > start, timeout=timeout, step=0.1)


def audio_silent(path, quiet=1.0, timeout=15.0):
    """Whether the file, once there, stops growing: no byte added for `quiet` seconds."""
    deadline = time.time() + timeout
    while time.time() < deadline:
        before = audio_size(path)
        time.sleep(quiet)
        if before is not None and audio_size(path) == before:
            return True
    return False


def tune_start(path, samples, since=0):
    """Where the tune's first samples lie in the mixed audio from `since` on, or None when not in the 64 KiB
    there: a device may write a little silence before its first callback."""
    with open(path, "rb") as played:
        played.seek(since)
        found = played.read(65536).find(samples[:4096])
    return found if found >= 0 else None


def title_checks(game, width, height):
    title = game.screenshot("title")
    check(near(title.at(width // 2, 5), SKY, 2), f"sky at the top {title.at(width // 2, 5)}")
    check(near(title.at(*banner_cell(2, 29, width, height)), (0, 0, 0)), "banner ink at row 2 column 29")
    check(near(title.at(*banner_cell(2, 32, width, height)), (128, 128, 128), 8), "banner grey at row 2 column 32")
    check(glyph_at(title, 7, GLYPH_K, width, height), "title message on a fresh start")
    car = title.at(width // 2 - 20, int(height * 0.45))
    check(not near(car, GRASS, 12) and not near(car, SKY, 12), f"the car on the turntable {car}")
    return title


def run_to_title(game, width, height, label):
    """Enter, Up with no steering: the first wave's block meets the car and the title view returns."""
    game.key("Return")
    wait_until(lambda: not banner_shown(game.screenshot(f"{label}-road"), width, height))
    game.key("Up", gap=0.1)
    return wait_for_title(game, f"{label}-ended", width, height, timeout=60.0)


def spied_environment(name):
    """The spy preloaded into the game, logging frames; nothing where no spy can be loaded."""
    if not SPY:
        return {}
    swaps = os.path.join(SHOTS, f"{name}.swaps")
    if os.path.exists(swaps):
        os.remove(swaps)
    return {"LD_PRELOAD": SPY, "KESTREL_SWAP_LOG": swaps}


def pointer_and_keypad(game, title):
    """Pointer motion costs a pass at most, as on Windows, where one mouse move waits at a time: after 200 moves
    Right turns the turntable at once. Alt+M is no game key; the keypad's Left is Left while NumLock is off."""
    moves = [word for i in range(200) for word in ("mousemove", str(100 + i % 50), str(100 + i % 40))]
    start = game.frames()
    subprocess.run(["xdotool", *moves, "key", "Right"], env=game.env, check=True)
    turned = wait_until(lambda: not same_picture(game.screenshot("pointer-right"), title), timeout=20.0, step=0.1)
    frames = game.frames() - start
    check(turned and frames < 60, f"Right after 200 pointer moves turned the turntable within {frames} frames")
    # Alt+M before the keypad's Left: once the turntable is back, Alt+M has been taken too.
    subprocess.run(["xdotool", "key", "alt+m", "KP_Left"], env=game.env, check=True)
    back = wait_until(lambda: same_picture(game.screenshot("keypad-left"), title), timeout=20.0, step=0.1)
    check(back, "the keypad's Left turns the turntable back")
    check("MENU" not in game.windows(), "Alt+M opens no help box")


def help_box(game, game_window):
    """M: the box titled MENU over the running game shows both help texts and OK and has the keyboard: Enter,
    Escape and Left typed into it do nothing, Space presses OK. M opens it again; a click on the game takes
    the keyboard back, and a click on OK hands it back."""
    before = game.screenshot("help-before")
    box = open_box(game)
    if box is None:
        return
    # The box's window is named before it is shown, and owned before it takes the keyboard.
    check(wait_until(lambda: game.focused_window() == box[0]), "the box has the keyboard")
    check(game.transient_for(box[0]) == game_window, "the box is parented to the game window")
    shot, shown = shown_box(game, box, "help", [UPPER, LOWER, "OK"])
    check(shown == [UPPER, LOWER, "OK"], f"both help texts exactly, wrapped at their blanks, and OK {shown}")
    # X delivers keys in order: once the Space pressed after them shows OK pushed, Enter, Escape and Left have
    # reached the box, and closed neither it nor the game, nor turned the turntable. Space let go presses OK.
    game.burst("Return", "Escape", "Left")
    subprocess.run(["xdotool", "keydown", "space"], env=game.env, check=True)
    x, y = box_button(shot, box)
    pushed = wait_until(lambda: near(game.screenshot("help-pushed").at(x, y - 7), (204, 228, 247), 8), timeout=10)
    subprocess.run(["xdotool", "keyup", "space"], env=game.env, check=True)
    check(pushed, "Enter, Escape and Left leave the box open: the Space after them pushes its OK")
    check(wait_until(lambda: "MENU" not in game.windows()) and game.process.poll() is None,
          "Space let go on OK closes the box; the game plays on")
    check(wait_until(lambda: game.focused_window() == game_window), "the game window has the keyboard back")
    check(same_picture(game.screenshot("help-typed"), before), "keys typed into the box never reached the game")

    box = open_box(game)
    if box is None:
        return
    check(wait_until(lambda: game.focused_window() == box[0]), "the box opened again has the keyboard")
    game.click(20, game.height - 20)
    check(wait_until(lambda: game.focused_window() == game_window), "a click on the game gives it the keyboard")
    game.key("Left", gap=0.1)
    check(wait_until(lambda: not same_picture(game.screenshot("help-left"), before)),
          "Left after the click turns the turntable behind the box")
    subprocess.run(["xdotool", "windowfocus", str(box[0])], env=game.env, check=True)
    game.click(*box_button(shot, box))
    check(wait_until(lambda: "MENU" not in game.windows()), "OK closes the box")
    check(wait_until(lambda: game.focused_window() == game_window), "the game window has the keyboard back")


def box_button(shot, box):
    """The middle of the box's OK button: the button's frame is the box's only blue."""
    _, left, top, width, height = box
    frame = [(x, y) for y in range(top, top + height, 2) for x in range(left, left + width, 2)
             if near(shot.at(x, y), (0, 120, 215), 8)]
    if not frame:
        return left + width // 2, top + height - 20
    return (min(x for x, _ in frame) + max(x for x, _ in frame)) // 2, (min(y for _, y in frame) + max(y for _, y in frame)) // 2


def refused_box(game):
    """A display that takes no new client refuses the box: the game says why in one line on stderr and plays
    on, and M opens the box once the display takes clients again."""
    keys = KeyChannel(game.display)
    try:
        subprocess.run(["xhost", "-local:"], env=game.env, check=True, capture_output=True)
        keys.press("m")
        said = wait_until(lambda: any("help box" in line for line in game.stderr_lines()), timeout=20.0)
    finally:
        keys.allow_every_client()
    lines = game.stderr_lines()
    check(said and len(lines) == 1 and lines[0].startswith("KestrelForges: cannot show the help box:")
          and "Authorization required" in lines[0], f"one line on stderr says why the box cannot show {lines}")
    check(game.process.poll() is None and "MENU" not in game.windows(), "the game plays on without the box")
    check(open_box(game) is not None, "M works again once the display takes clients")


def held_left(game):
    """Left held 3 s, X repeating it 60 times a second: as Windows folds a repeat into its key-down still waiting.
    Its repeats count: it turns the turntable further than one press does."""
    subprocess.run(["xset", "r", "rate", "250", "60"], env=game.env, check=True)
    before = game.screenshot("held-before")
    game.key("Left", gap=0.1)
    wait_until(lambda: not same_picture(game.screenshot("held-one"), before), step=0.1)
    one = game.screenshot("held-one")
    game.key("Right", gap=0.1)
    wait_until(lambda: same_picture(game.screenshot("held-back"), before), step=0.1)
    subprocess.run(["xdotool", "keydown", "Left", "sleep", "3", "keyup", "Left"], env=game.env, check=True)
    game.wait_frames(3)
    released = game.screenshot("held-released")
    game.wait_frames(15)
    check(not same_picture(released, before) and not same_picture(released, one) and
          same_picture(game.screenshot("held-still"), released),
          "a held Left turns the turntable past one press's step; it stands still three frames after the release")


def music_loops(game, audio):
    """Past its end the tune goes on from its start without a gap (S and its hold play on a record's exact
    passes: playback)."""
    check(audio_growing(audio), "the tune plays: SDL mixes it into the audio file")
    with open(TUNE, "rb") as tune:
        samples = tune.read()[44:]
    start = tune_start(audio, samples)
    end = (start or 0) + len(samples) + 4096
    looped = start is not None and wait_until(lambda: (audio_size(audio) or 0) >= end, timeout=40.0)
    with open(audio, "rb") as played:
        seam = played.read(end)[-8192:]
    check(looped and seam == samples[-4096:] + samples[:4096], "past its end the tune goes on from its start, no gap")


def acceptance(width, height, window_manager=False):
    name = f"desktop-{width}x{height}" + ("-openbox" if window_manager else "")
    audio = os.path.join(SHOTS, f"{name}.audio")
    with DesktopGame(width, height, name=name, audio_file=audio, environment=spied_environment(name),
                     window_manager=window_manager) as game:
        window = game.windows().get("Kestrel Forges")
        check(window is not None and window[1:] == (0, 0, width, height), f"window covers the screen {window}")
        title = title_checks(game, width, height)
        pointer_and_keypad(game, title)
        help_box(game, window[0] if window else None)
        held_left(game)

        # Enter, from the keypad: the play view with the road and the car, no banner.
        game.key("KP_Enter")
        wait_until(lambda: not banner_shown(game.screenshot("road"), width, height))
        road = game.screenshot("road")
        check(not banner_shown(road, width, height), "no banner in the play view")
        check(near(road.at(width // 2, int(height * 0.6)), ROAD, 12), "road ahead of the car")
        car = road.at(width // 2, int(height * 0.85))
        check(not near(car, ROAD, 12) and not near(car, GRASS, 12), f"the car from behind {car}")
        # Up, a step right and back: the first block meets the car, score 1.
        ended = first_run(game, width, height)
        check(ended is not None, "the first run ends and the title view returns")
        if ended is not None:
            check(glyph_at(ended, 7, GLYPH_S, width, height), "score line after the run")
            check(glyph_at(ended, 14, GLYPH_1, width, height), "score line reads 1")
        if ended is not None and (width, height) == (1920, 1080):
            halved = ended.path.replace(".png", "-halved.png")
            subprocess.run(["convert", ended.path, "-resize", "50%", halved], check=True)
            check(same_picture(Picture(halved), Picture(WINDOWS_SCORE), step=4),
                  "the same picture as the Windows exe's after its first run")

        steer_off_and_pause(game, width, height, title, timeout=60.0, held=False)

        music_loops(game, audio)
        # Every frame ends with the 34 ms pause, so no two frames come closer together.
        times = game.swap_times()
        closest = min(later - earlier for earlier, later in zip(times, times[1:]))
        check(closest >= 0.034, f"frames at least 34 ms apart ({1000 * closest:.1f} ms at the closest of {len(times)})")

        box = open_box(game)
        wait_until(lambda: box is not None and game.focused_window() == box[0])
        game.click(20, height - 20)
        check(wait_until(lambda: game.focused_window() == window[0]), "a click on the game takes the keyboard back")
        game.key("Escape")
        code = game.wait_exit()
        check(code == 27 and "MENU" not in game.windows(), f"Escape exits with 27 (got {code}), the box with it")
        # SDL's disk driver announces itself; the game has nothing to say.
        own = [line for line in game.stderr_lines() if not line.startswith("CRITICAL:")]
        check(own == [], f"nothing from the game on stderr {own}")


def record_text(keys, passes):
    """A run record of (pass, key name) pairs."""
    return "kestrel-forges run 1\ngame 1.0.0\n" + "".join(f"{p} {k}\n" for p, k in keys) + f"passes {passes}\n"


def record_keys(text):
    """A record's key lines."""
    return [line for line in text.splitlines() if line[:1].isdigit()]


def played(name, text, width=640, height=360, audio=None, watch=None):
    """The record played by the desktop game with --play, and recorded again with --record: the screen ends on
    the simulator's last frame of it, drawn through Mesa, and the game's own record holds the same keys. Returns
    the simulator's last trace line. `watch(game)` runs while it plays."""
    path = os.path.join(SHOTS, f"{name}.run")
    with open(path, "w") as out:
        out.write(text)
    expected = os.path.join(SHOTS, f"{name}-simulated.png")
    trace = subprocess.run([NATIVE_FRAMES, str(width), str(height), expected, "--play", path], capture_output=True,
                           text=True, check=True).stdout.strip()
    passes = int(text.rsplit("passes ", 1)[1])
    again = os.path.join(SHOTS, f"{name}-again.run")
    with DesktopGame(width, height, name=f"desktop-play-{name}", arguments=["--play", path, "--record", again],
                     audio_file=audio, environment=spied_environment(f"play-{name}")) as game:
        if watch:
            watch(game)
        last = Picture(expected)
        shown = wait_until(lambda: game.frames() >= passes and same_picture(game.screenshot(name), last),
                           timeout=passes * 0.1 + 30, step=0.5)
        check(shown, f"{name}: the game ends on the simulator's last frame ({trace.split(' timer')[0]})")
        game.key("Escape")
        game.wait_exit()
        drawn = game.frames()
    with open(again) as out:
        own = out.read()
    replayed = subprocess.run([SIMULATE, again], capture_output=True, text=True)
    check(record_keys(own) == record_keys(text) and own.endswith(f"passes {drawn}\n") and replayed.returncode == 0
          and len(replayed.stdout.splitlines()) == drawn,
          f"{name}: the game's own record holds the keys it played and the {drawn} frames it drew, and plays")
    return trace


def playback():
    """Recorded runs played by the desktop game: every committed replay that presses a key a pass at most, the
    victory among them; a run recorded in the browser; a dodge in the last pass that saves the car, and the same
    dodge a pass later, which does not. Bad records exit with 2 and one line. S and the hold after it, on a
    record's exact passes."""
    for name in PLAYABLE:
        text = subprocess.run([SIMULATE, "--record", os.path.join(REPLAYS, f"{name}.keys")], capture_output=True,
                              text=True, check=True).stdout
        final = played(name, text)
        if name == "long_run_victory":
            check(" score=73 " in final, f"the victory's 73 on the screen ({final[:60]})")
    with open(BROWSER_RUN) as run:
        text = run.read()
    final = played("browser-run", text)
    shown = re.search(r"showed score (\d+)", text).group(1)
    check(f" score={shown} " in final, f"the browser's run scores {shown} on the desktop too ({final[:60]})")
    dodge = [(1, "enter"), (2, "up")] + [(pass_, "left") for pass_ in range(55, 69)]
    saved = played("last-pass-dodge", record_text(dodge, 300))
    late = played("one-pass-late", record_text(dodge[:-1] + [(69, "left")], 300))
    check(" score=5 " in saved and " score=1 " in late, "the same dodge one pass later ends the run: 5 against 1")

    # The tune starts with the first frame and S waits out its 60-frame hold: S stops it at pass 80; the S of pass
    # 110 falls in the hold after the stop and is dropped; the S of pass 150 starts it again from its beginning.
    audio = os.path.join(SHOTS, "desktop-play-music.audio")

    def hold(game):
        check(game.wait_frames(85 - game.frames(), timeout=20) and audio_silent(audio, quiet=0.5),
              "S on pass 80 stops the tune")
        size = audio_size(audio)
        game.wait_frames(145 - game.frames(), timeout=20)
        check(audio_size(audio) == size, "the S of pass 110, in the hold, is dropped")
        check(game.wait_frames(155 - game.frames(), timeout=20) and audio_growing(audio),
              "the S of pass 150 starts the tune again")
        with open(TUNE, "rb") as tune:
            samples = tune.read()[44:]
        check(wait_until(lambda: tune_start(audio, samples, 0 if (audio_size(audio) or 0) < size else size) is not None,
                         timeout=10.0), "the tune starts again from its beginning")

    played("music", record_text([(80, "music"), (110, "music"), (150, "music")], 240), audio=audio, watch=hold)

    hostile = {"newer": "kestrel-forges run 2\ngame 9\n", "corrupt": record_text([(5, "left"), (3, "up")], 9),
               "cut": "kestrel-forges ru", "escape": record_text([(1, "\x1b[2J")], 5)}
    for name, text in hostile.items():
        path = os.path.join(SHOTS, f"bad-{name}.run")
        with open(path, "w") as out:
            out.write(text)
        out = subprocess.run([GAME, "--play", path], capture_output=True, text=True, timeout=30)
        check(out.returncode == 2 and out.stderr.count("\n") == 1 and "\x1b" not in out.stderr and
              out.stderr.startswith(f"KestrelForges: cannot play {path}: "),
              f"a {name} record: exit 2 and one line ({out.returncode}, {out.stderr.strip()})")


def open_box(game):
    """M, and the box it opens: (id, x, y, width, height); None when none opens."""
    game.key("m", gap=0.1)
    check(wait_until(lambda: "MENU" in game.windows()), "M opens the help box")
    return game.windows().get("MENU")


def closing(window_manager=False):
    """The window manager's close and SDL_QUIT both end the game once, with 0, even while the help box is open;
    a box the display refuses is reported; a killed game takes its box along too."""
    managed = {"window_manager": window_manager}
    # Started from another folder, the game finds its tune beside itself.
    with DesktopGame(1920, 1080, name="desktop-window", arguments=["--window", "1280x720"], folder="/",
                     **managed) as game:
        window = game.windows().get("Kestrel Forges")
        check(window is not None and window[3:] == (1280, 720), f"--window 1280x720 gives that window {window}")
        check(game.stderr_lines() == [], f"the tune found beside the game {game.stderr_lines()}")
        open_box(game)
        game.request_close(window[0])
        code = game.wait_exit()
        check(code == 0, f"closing the window with the box open ends the game with 0 (got {code})")
        check("MENU" not in game.windows(), "the box goes with the game")

    # Without the tune anywhere: one line on stderr and a silent game.
    folder = tempfile.mkdtemp(prefix="kestrel-no-tune-")
    try:
        program = shutil.copy(GAME, folder)
        with DesktopGame(1280, 720, name="desktop-no-tune", program=program, **managed) as game:
            lines = game.stderr_lines()
            check(len(lines) == 1 and "gamesound.wav" in lines[0], f"one line about the missing tune {lines}")
            open_box(game)
            sent = time.monotonic()
            game.process.send_signal(signal.SIGTERM)
            code = game.wait_exit()
            took = time.monotonic() - sent
            check(code == 0 and took < 2.0, f"SIGTERM with the box open ends the game with 0 (got {code} in {took:.1f} s)")
            check("MENU" not in game.windows(), "the box goes with the game")
        check(sorted(os.listdir(folder)) == ["KestrelForges"], f"the game leaves nothing behind {os.listdir(folder)}")
    finally:
        shutil.rmtree(folder)

    # Killed outright, the game runs no quit sequence; its box, open after a refused one, still goes with it.
    with DesktopGame(1280, 720, name="desktop-killed", **managed) as game:
        refused_box(game)
        game.process.kill()
        game.wait_exit()
        check(wait_until(lambda: "MENU" not in game.windows(), timeout=10), "a killed game leaves no box behind")

    if window_manager:
        return
    for bad in (["--window", "0x720"], ["--window", "20000x720"], ["--window", "1280"], ["--window", "12a0x720"],
                ["--fullscreen"],
                ["--window", "1280x720", "extra"]):
        out = subprocess.run([GAME, *bad], capture_output=True, text=True, timeout=30)
        check(out.returncode == 2 and out.stderr.count("\n") == 1 and out.stderr.startswith("usage:"),
              f"{' '.join(bad)}: one-line usage and exit 2 (got {out.returncode})")


def session():
    """A short session for the sanitizer build: title, help, a run to its end, music, Escape."""
    width, height = 1280, 720
    audio = os.path.join(SHOTS, "desktop-session.audio")
    with DesktopGame(width, height, name="desktop-session", audio_file=audio) as game:
        window = game.windows().get("Kestrel Forges")
        help_box(game, window[0] if window else None)
        ended = run_to_title(game, width, height, "session")
        check(ended is not None and glyph_at(ended, 14, GLYPH_1, width, height), "a run to its end, score 1")
        check(audio_growing(audio), "the tune plays: SDL mixes it into the audio file")
        game.key("s", gap=0.1)
        check(audio_silent(audio), "S stops the tune: the audio file stops growing")
        game.key("Escape")
        code = game.wait_exit(timeout=60)
        check(code == 27, f"Escape exits with 27 (got {code})")
        errors = [line for line in game.stderr_lines() if "Sanitizer" in line or "runtime error" in line]
        check(errors == [], f"no sanitizer reports {errors[:3]}")


def main(arguments):
    started = time.monotonic()
    if arguments[:1] == ["session"]:
        session()
    elif arguments[:1] == ["playback"]:
        playback()
    elif arguments[:1] == ["openbox"]:
        acceptance(1280, 720, window_manager=True)
        closing(window_manager=True)
    else:
        acceptance(1920, 1080)
        closing()
    log(f"took {time.monotonic() - started:.1f} s")
    return finish()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
