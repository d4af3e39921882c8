"""attract.py -- a short attract sequence of the real game on a virtual display, with a screenshot of each stage."""
import os
import sys
import time

from wine_game import Game, banner_shown, close_help, log, wait_until


def main():
    width, height = 1920, 1080
    shots = []
    with Game(width, height, name="attract") as game:
        shots.append(game.screenshot("1-title"))
        game.key("m", gap=0.5)
        wait_until(lambda: game.probe("dialog").get("visible") == "1")
        shots.append(game.screenshot("2-help"))
        close_help(game)
        game.key("Return", gap=0.6)
        game.key("Up", gap=0.0)
        # No steering: the first wave's block comes down the road and ends the run.
        # The last play view seen before the banner returns shows the block nearest.
        deadline = time.time() + 30
        ended = None
        play = None
        shot = 0
        while time.time() < deadline and ended is None:
            shot += 1
            picture = game.screenshot(f"run-{shot:03d}")
            if banner_shown(picture, width, height):
                ended = picture
            else:
                play = picture
        if play is not None:
            os.replace(play.path, os.path.join(os.path.dirname(play.path), "attract-3-play.png"))
            play.path = os.path.join(os.path.dirname(play.path), "attract-3-play.png")
            shots.append(play)
        if ended is not None:
            os.replace(ended.path, os.path.join(os.path.dirname(ended.path), "attract-4-score.png"))
            ended.path = os.path.join(os.path.dirname(ended.path), "attract-4-score.png")
            shots.append(ended)
        for leftover in os.listdir(os.path.dirname(shots[0].path)):
            if leftover.startswith("attract-run-"):
                os.remove(os.path.join(os.path.dirname(shots[0].path), leftover))
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
