"""test_play.py -- whole-game acceptance on the real exe: runs that end, the pause, the music toggle, quitting."""
import subprocess
import sys
import time

from harness import SKY, banner_cell, banner_shown, check, finish, Game, log, near, same_picture, wait_until


def glyph_at(picture, position, pattern, width, height):
    """Whether the banner shows a glyph at a character position: pattern rows of '#' (ink) and '.'."""
    for r, row in enumerate(pattern):
        for k, cell in enumerate(row):
            colour = picture.at(*banner_cell(2 + r, 1 + 4 * position + k, width, height))
            if cell == "#" and not near(colour, (0, 0, 0), 40):
                return False
            if cell == "." and not near(colour, (128, 128, 128), 40):
                return False
    return True


GLYPH_S = [".##", "#..", ".#.", "..#", "##."]
GLYPH_G = ["###", "#..", "#..", "#.#", "###"]
GLYPH_K = ["#.#", "##.", "#..", "##.", "#.#"]
GLYPH_1 = [".#.", "##.", ".#.", ".#.", "###"]


def wait_for_title(game, label, width, height, timeout=30.0):
    deadline = time.time() + timeout
    while time.time() < deadline:
        picture = game.screenshot(label)
        if banner_shown(picture, width, height):
            return picture
        time.sleep(0.5)
    return None


def hold(game, key, count):
    """A held key: repeated key-down events, each a message of its own under Wine, then the release."""
    for _ in range(count):
        subprocess.run(["xdotool", "keydown", key], env=game.env, check=True)
    subprocess.run(["xdotool", "keyup", key], env=game.env, check=True)


def press_until(game, key, condition, tries=6):
    """Presses a key until the game shows its effect; a key the game drops (a hold, the pausing
    frames) leaves no trace, so a later press is the same as a press at the right moment."""
    for _ in range(tries):
        game.key(key, gap=0.1)
        if wait_until(condition, timeout=4.0):
            return True
    return False


ROAD = (54, 54, 55)
GRASS = (12, 139, 26)
# Frames from the Up that starts the first run to the frame whose hit ends it, unsteered.
FIRST_RUN_FRAMES = 66


def car_centre(picture, width, height):
    """The middle of the car seen from behind, in screen pixels, along the row through its tail (85 % down)."""
    y = int(height * 0.85)
    body = [x for x in range(width // 4, 3 * width // 4)
            if not near(picture.at(x, y), ROAD, 12) and not near(picture.at(x, y), GRASS, 12)]
    return (body[0] + body[-1]) / 2 if body else None


def turned_from(picture, reference, height):
    """Whether the car on the title view's turntable stands otherwise than in the reference title view: the
    picture below the banner differs."""
    return not same_picture(picture, reference, top=height // 4)


def first_run(game, width, height, timeout=60.0):
    """From the road before Up: Left and Right do nothing yet; Up starts a run in which Right steps the car right
    and Left back; unsteered after that, the first block ends it 66 frames after Up. Returns the title view
    after the run, or None."""
    road = game.screenshot("road")
    centre = car_centre(road, width, height)
    sent = game.frames()
    # The game takes keys in order, one a pass, so waiting frames is enough, and no picture has to catch the
    # run's first rows while the run goes on. Had the three keys before Up steered, the car would stand a
    # step right of where it started after the Left that follows the Right of the run.
    game.burst("Right", "Right", "Left", "Up", "Right")
    game.wait_frames(14)
    stepped = car_centre(game.screenshot("run-right"), width, height)
    game.burst("Left")
    game.wait_frames(4)
    back = car_centre(game.screenshot("run-left"), width, height)
    check(None not in (centre, stepped, back) and stepped > centre + 2 and abs(back - centre) <= 1,
          f"steering before Up changes nothing, during the run Right steps the car right and Left back "
          f"(centre {centre}, {stepped}, {back})")
    ended = wait_for_title(game, "first-run-ended", width, height, timeout=timeout)
    frames = game.frames() - sent
    # The title view is seen a screenshot or two after the frame that shows it.
    check(ended is not None and FIRST_RUN_FRAMES <= frames <= FIRST_RUN_FRAMES + 40,
          f"the first block ends the run {FIRST_RUN_FRAMES} frames after Up (seen after {frames})")
    return ended


def steer_off_and_pause(game, width, height, title, timeout=30.0, held=True):
    """From the title view: a run steered off the road ends with the score line; then a paused run, where
    P and R are ignored for 30 frames, P resumes, and R from Paused returns to the title view. `title` is a
    title view with the turntable as a pause or a fresh start sets it. held: the car is steered by a held
    Right, whose auto-repeats all count under Wine, which posts each as a message of its own (Windows folds
    those still waiting, as the README says); otherwise (a port, which folds them too) by as many presses."""
    game.key("Return", gap=0.6)
    game.key("Up", gap=0.2)
    if held:
        hold(game, "Right", 60)
    else:
        game.burst(*["Right"] * 60)
    off_road = wait_for_title(game, "off-road", width, height, timeout=timeout)
    check(off_road is not None and glyph_at(off_road, 7, GLYPH_S, width, height),
          "steering off the road ends the run with the score line")

    game.key("Return", gap=0.6)
    game.key("Up", gap=0.4)
    # P, then P and R inside the pause's 30 frames: one burst, however slow programs start. The pause shows
    # the title view, where the Right after them turns the turntable: once it has, P and R have been taken.
    game.burst("p", "p", "r", "Right")

    def paused_and_turned():
        shot = game.screenshot("paused")
        return glyph_at(shot, 7, GLYPH_G, width, height) and turned_from(shot, title, height)
    check(wait_until(paused_and_turned),
          "pause notice shown; P and R in the pause's first frames ignored, a Right after them taken")
    check(press_until(game, "p", lambda: not banner_shown(game.screenshot("resumed"), width, height)),
          "P after the pause resumes the play view")
    game.key("p")
    check(press_until(game, "r", lambda: glyph_at(game.screenshot("restarted"), 7, GLYPH_S, width, height)),
          "R from Paused returns to the title view")


def music_calls(game):
    game.trace.flush()
    with open(game.trace_path, errors="replace") as trace:
        return [line.split("fdwSound=")[1].strip() for line in trace if "MULTIMEDIA_PlaySound" in line]


def sound_names(game):
    """The file names the sound system was asked to play, as Wine quotes them."""
    game.trace.flush()
    with open(game.trace_path, errors="replace") as trace:
        return [line.split("SoundName=")[1].split(" !")[0] for line in trace if "SoundName=" in line]


def main(width, height):
    with Game(width, height, winedebug="trace+winmm,trace+wgl", name=f"play-{width}x{height}") as game:
        title = game.screenshot("title")
        check(glyph_at(title, 7, GLYPH_K, width, height), "title message on a fresh start")
        check(music_calls(game)[:1] == ["00020009"], f"tune started looping in the first frame {music_calls(game)}")
        check(sound_names(game)[:1] == ['L"gamesound.wav"'], f"the tune is gamesound.wav {sound_names(game)[:1]}")

        # Enter: the play view with the road and the car, no blocks, and no banner.
        game.key("Return")
        wait_until(lambda: not banner_shown(game.screenshot("road"), width, height))
        road = game.screenshot("road")
        check(not banner_shown(road, width, height), "no banner in the play view")
        check(near(road.at(width // 2, int(height * 0.6)), (54, 54, 55), 12), "road ahead of the car")
        check(near(road.at(width // 2, 3), SKY, 2), "sky above the hills")
        # Up, a step right and back: the first wave's block meets the car, score 1.
        ended = first_run(game, width, height)
        check(ended is not None, "first run ends and the title view returns")
        if ended is not None:
            check(glyph_at(ended, 7, GLYPH_S, width, height), "score line after the run")
            check(glyph_at(ended, 14, GLYPH_1, width, height), "score line reads 1")

        steer_off_and_pause(game, width, height, title)

        # S: stop, and after the hold start again; Escape stops it too.
        before = len(music_calls(game))
        sent = game.frames()
        game.key("s", gap=0)
        check(wait_until(lambda: music_calls(game)[before:] == ["00000040"]),
              f"S stops the tune {music_calls(game)[before:]}")
        # S in the hold, then Right: once the turntable has turned, the S has been taken.
        game.burst("s", "Right")
        turned = wait_until(lambda: turned_from(game.screenshot("held-s"), title, height), step=0.1)
        held = game.frames() - sent
        check(turned and held < 60 and music_calls(game)[before:] == ["00000040"],
              f"S {held} frames after the stop is dropped")
        check(press_until(game, "s", lambda: len(music_calls(game)) > before + 1),
              "S after the hold starts the tune again")
        check(music_calls(game)[before:] == ["00000040", "00020009"], f"stop, then start {music_calls(game)[before:]}")

        game.key("Escape")
        code = game.wait_exit()
        check(code == 27, f"Escape exits with 27 (got {code})")
        check(music_calls(game)[-1:] == ["00000040"], "quitting stops the tune")

    with Game(width, height, name=f"altf4-{width}x{height}") as game:
        game.key("alt+F4")
        code = game.wait_exit()
        # Alt+F4 posts the close command, the last message fetched: the game returns its wParam,
        # SC_CLOSE (0xF060), of which a Linux exit status keeps the low byte.
        check(code == 0xF060 & 0xFF, f"Alt+F4 exits with SC_CLOSE, low byte 96 (got {code})")

    return finish()


if __name__ == "__main__":
    sys.exit(main(int(sys.argv[1]), int(sys.argv[2])))
