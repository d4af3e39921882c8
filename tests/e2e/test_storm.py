"""test_storm.py -- thousands of random key events with the help dialog in between; the game survives and quits cleanly."""
import os
import random
import subprocess
import sys
import time

from harness import check, close_help, finish, Game, log, same_picture


KEYS = ["Return", "Left", "Right", "Up", "Down", "m", "p", "r", "s", "a", "z", "space", "F2", "Tab", "1"]
EVENTS = int(os.environ.get("KESTREL_STORM_EVENTS", "5000"))
# The game works off a press as a few messages, one per frame: the drain's limit grows with the storm, and
# with the wait for the exit it stays inside the test's own time limit (600 s for 1,000 events, 1,200 s for
# 5,000).
DRAIN_LIMIT = 60.0 + 0.12 * EVENTS
EXIT_LIMIT = 60.0


def close_dialog(game):
    if game.probe("dialog").get("visible") == "1":
        close_help(game)
        return True
    return False


def main():
    seed = int(os.environ.get("KESTREL_STORM_SEED", "1"))
    rng = random.Random(seed)
    log(f"seed {seed}, {EVENTS} key events")
    closed = 0
    with Game(1280, 720, name="storm") as game:
        sent = 0
        while sent < EVENTS:
            batch = [rng.choice(KEYS) for _ in range(100)]
            # Each press is a key-down and a key-up event.
            subprocess.run(["xdotool", "key", "--delay", "0", *batch], env=game.env, check=True)
            sent += 2 * len(batch)
            if game.process.poll() is not None:
                break
            if close_dialog(game):
                closed += 1
        log(f"sent {sent} key events, closed the help dialog {closed} times while sending")
        check(game.process.poll() is None, "the game is alive after the storm")

        # Let the queue drain, one message per frame, closing the dialog whenever a late M opened it.
        # Ten seconds without a change on screen and without the dialog means the keys are worked off:
        # in every view some of the storm's keys would show (the turntable, the rows, a pause).
        still_since = None
        last = None
        deadline = time.time() + DRAIN_LIMIT
        while time.time() < deadline:
            if game.probe("dialog").get("visible") == "1":
                close_help(game)
                still_since, last = None, None
                continue
            picture = game.screenshot("drain")
            if same_picture(picture, last):
                still_since = still_since or time.time()
                if time.time() - still_since >= 10.0:
                    break
            else:
                still_since = None
            last = picture
            time.sleep(1.0)
        check(game.probe("dialog").get("visible") == "0", "help dialog closed")
        check(game.probe("cursor").get("showing") == "0", "cursor hidden: show and hide balanced")
        game.key("Return", gap=1.0)
        check(game.probe("focus").get("foreground") == "Kestrel Forges", "game window has the keyboard")
        game.key("Escape")
        code = game.wait_exit(timeout=EXIT_LIMIT)
        check(code == 27, f"a final Escape exits with 27 (got {code})")

    return finish()


if __name__ == "__main__":
    sys.exit(main())
