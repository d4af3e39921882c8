"""test_quit.py -- a posted WM_QUIT does not end the game; a flood of WM_CLOSE from another process ends it once."""
import sys

from harness import check, finish, Game, log


def purges(game):
    game.trace.flush()
    with open(game.trace_path, errors="replace") as trace:
        return sum(1 for line in trace if "MULTIMEDIA_PlaySound" in line and "fdwSound=00000040" in line)


def main():
    with Game(1280, 720, winedebug="trace+winmm,trace+wgl", name="quit") as game:
        check(game.probe("quit-thread").get("status") == "0", "WM_QUIT posted to the game's thread")
        check(game.wait_frames(30) and game.process.poll() is None, "the game goes on drawing frames after WM_QUIT")
        check(game.probe("window").get("visible") == "1", "its window is still there")

        flood = game.probe("close-flood", "500")
        check(flood.get("posted", "0") != "0", f"WM_CLOSE flood posted {flood}")
        code = game.wait_exit()
        check(code == 0, f"the game ends; exit code is the WM_CLOSE's wParam 0 (got {code})")
        check(purges(game) == 1, f"the quit sequence ran exactly once ({purges(game)} music stops)")

    return finish()


if __name__ == "__main__":
    sys.exit(main())
