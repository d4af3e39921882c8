"""attract.py -- a short attract sequence of the real game on a virtual display, with a screenshot of each stage."""
import os
import sys
import time

from harness import Game, banner_cell, log, near


def main():
    width, height = 1920, 1080
    shots = []
    with Game(width, height, name="attract") as game:
        shots.append(game.screenshot("1-title"))
        game.key("m", gap=1.0)
        shots.append(game.screenshot("2-help"))
        button = game.probe("ok-button")
        if button:
            game.click(int(button["x"]) + int(button["width"]) // 2, int(button["y"]) + int(button["height"]) // 2)
        time.sleep(1.0)
        game.key("Return", gap=0.6)
        game.key("Up", gap=1.6)
        shots.append(game.screenshot("3-play"))
        # No steering: the first wave's block ends the run, and the banner shows the score.
        deadline = time.time() + 30
        ended = None
        while time.time() < deadline and ended is None:
            picture = game.screenshot("4-score")
            if near(picture.at(*banner_cell(0, 5, width, height)), (128, 128, 128), 12):
                ended = picture
            time.sleep(0.5)
        if ended is not None:
            shots.append(ended)
        game.key("Escape")
        code = game.wait_exit()
    for shot in shots:
        log(os.path.relpath(shot.path))
    log(f"exit code {code}")
    happened = ended is not None and len(shots) == 4 and code == 27
    log("attract sequence complete" if happened else "attract sequence incomplete")
    return 0 if happened else 1


if __name__ == "__main__":
    sys.exit(main())
