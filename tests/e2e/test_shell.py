"""test_shell.py -- the real game window: its size and class, the first frames, the help dialog, Escape."""
import sys

from harness import SKY, banner_cell, banner_shown, check, close_help, finish, Game, log, near, wait_until


UPPER = ("KESTREL FORGES HAZARD HIGHWAY - The game supports on 16:9 aspect ratio screens only. If the car goes out of "
         "the road area or if the car hits a yellow block then the game is over and your score is displayed. Create "
         "high scores in Kestrel Forges Hazard Highway 3D.After reaching the score 70 the game is won.")
LOWER = ("Keyboard controls of the game - Use the Right arrow key to rotate the area right at the start screen of the "
         "game. Use the Left arrow key to rotate the area left at the start screen of the game. Use the Enter key to "
         "go to the play screen. Use the Up arrow key to start the game. Use the Right arrow key to move the car "
         "right.Use the Left arrow key to move the car left. Use the P key to play and use the R key to restart the "
         "game when the game is paused. Use the P key to resume the game from the paused state. Use the S key to "
         "stop the sound and to play the sound. Use the Escape key to quit the game.")

def main(width, height):
    with Game(width, height, name=f"shell-{width}x{height}") as game:
        window = game.probe("window")
        check(window.get("class") == "KESTRELFORGES", f"window class {window.get('class')}")
        check(window.get("title") == "Kestrel Forges", f"window title {window.get('title')}")
        check((window.get("x"), window.get("y"), window.get("width"), window.get("height")) ==
              ("0", "0", str(width), str(height)), f"window covers the screen: {window}")
        # The system adds WS_CLIPSIBLINGS to every top-level window.
        check(window.get("style") == "94000000", f"visible popup style {window.get('style')}")

        title = game.screenshot("title")
        check(near(title.at(width // 2, 5), SKY, 2), f"sky at the top {title.at(width // 2, 5)}")
        # The "k" of the title: ink in its top-left cell, none in the gap after it.
        ink = title.at(*banner_cell(2, 29, width, height))
        clear = title.at(*banner_cell(2, 32, width, height))
        check(near(ink, (0, 0, 0)), f"banner ink at row 2 column 29 {ink}")
        check(near(clear, (128, 128, 128), 8), f"banner grey at row 2 column 32 {clear}")
        cursor = game.probe("cursor")
        check(cursor.get("showing") == "0", f"cursor hidden in the game {cursor}")

        game.key("m", gap=0.5)
        wait_until(lambda: game.probe("dialog").get("visible") == "1")
        dialog = game.probe("dialog")
        check(dialog.get("visible") == "1", "M shows the help dialog")
        check(dialog.get("caption") == "MENU", f"dialog caption {dialog.get('caption')}")
        check(dialog.get("upper") == UPPER, "upper help text exactly")
        check(dialog.get("lower") == LOWER, "lower help text exactly")
        check(game.probe("cursor").get("showing") == "1", "cursor shown with the dialog")
        game.screenshot("help")

        check(close_help(game, fallback=False), "a click on OK hides the dialog")
        check(game.probe("focus").get("foreground") == "Kestrel Forges", "game window in the foreground again")
        check(game.probe("cursor").get("showing") == "0", "cursor hidden again")

        # The game takes keys again: Enter shows the play view with the road ahead.
        game.key("Return")
        wait_until(lambda: not banner_shown(game.screenshot("play"), width, height))
        play = game.screenshot("play")
        road = play.at(width // 2, int(height * 0.6))
        # The car from behind: its grey tail above the blue of its lower body.
        tail = play.at(width // 2, int(height * 0.85))
        body = play.at(int(width * 0.45), int(height * 0.8))
        check(near(road, (54, 54, 55), 12), f"road ahead of the car in the play view {road}")
        check(near(tail, (178, 176, 179), 16) and near(body, (23, 59, 224), 16), f"the car from behind {tail} {body}")

        game.key("Escape")
        code = game.wait_exit()
        check(code == 27, f"Escape exits with 27 (got {code})")

    return finish()


if __name__ == "__main__":
    sys.exit(main(int(sys.argv[1]), int(sys.argv[2])))
