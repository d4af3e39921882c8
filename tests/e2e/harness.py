"""harness.py -- the end-to-end tests' side of the harness: checks, their verdict, pictures compared.

The game on its display, keys and screenshots are tools/attract/wine_game.py's, which make run's attract
sequence plays on too; the tests import them from here."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "attract"))

from wine_game import (BUILD_DIR, EXE_DIR, ROOT, SHOTS, SKY, Game, Picture, banner_cell,  # noqa: E402,F401
                       banner_shown, close_help, log, near, wait_until)


def same_picture(a, b, tolerance=6, step=8, top=0):
    """Whether two screenshots show the same scene (from row `top` down); the rasterizer may differ by a
    level at a few edges."""
    if a is None or b is None or (a.width, a.height) != (b.width, b.height):
        return False
    for y in range(top, a.height, step):
        for x in range(0, a.width, step):
            if not near(a.at(x, y), b.at(x, y), tolerance):
                return False
    return True


failures = []


def check(condition, what):
    """Records one check of a scenario and prints it."""
    log(("ok   " if condition else "FAIL ") + what)
    if not condition:
        failures.append(what)


def finish():
    """The scenario's exit code: 0 when every check held."""
    if failures:
        log(f"{len(failures)} checks failed")
        return 1
    return 0
