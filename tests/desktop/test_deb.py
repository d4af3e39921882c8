"""test_deb.py -- the Debian package: fields, files, checkers, same bytes, cmake --install, and the game played from it.

Usage: test_deb.py package <package.deb> <build folder>
       test_deb.py play <package.deb>      the game started from the unpacked package under Xvfb
       test_deb.py installed <root>        the game apt installed in a clean root (tests/clean_root.sh)
"""
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from desktop_harness import DesktopGame, shown_box  # noqa: E402
from harness import SHOTS, check, finish, log, wait_until  # noqa: E402
from test_desktop import open_box  # noqa: E402
from test_shell import LOWER, UPPER  # noqa: E402

SOURCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
NAME = "kestrel-forges"
DATA = f"usr/share/games/{NAME}"
ICONS = {size: f"usr/share/icons/hicolor/{size}x{size}/apps/{NAME}.png" for size in (16, 32, 48, 64, 128, 256)}
FILES = [f"usr/games/{NAME}", f"{DATA}/gamesound.wav", f"usr/share/applications/{NAME}.desktop",
         "usr/share/metainfo/example.kestrel.KestrelForges.metainfo.xml", f"usr/share/man/man6/{NAME}.6.gz",
         f"usr/share/doc/{NAME}/copyright", f"usr/share/doc/{NAME}/changelog.gz",
         f"usr/share/doc/{NAME}/THIRD-PARTY-NOTICES.txt", *ICONS.values()]


def run(*command):
    return subprocess.run(command, capture_output=True, text=True)


def tree(root):
    """Relative path -> (mode, contents) of every entry under root; a folder's contents are None."""
    entries = {}
    for folder, subfolders, files in os.walk(root):
        for name in subfolders + files:
            path = os.path.join(folder, name)
            content = open(path, "rb").read() if name in files else None
            entries[os.path.relpath(path, root)] = (os.lstat(path).st_mode & 0o7777, content)
    return entries


def package(deb, build, root, scratch):
    version = re.match(rf"{NAME}_(.+)_amd64\.deb$", os.path.basename(deb)).group(1)
    fields = dict(re.findall(r"^\s*(\S+): (.*)$", run("dpkg-deb", "--info", deb).stdout, re.MULTILINE))
    wanted = {"Package": NAME, "Version": version, "Architecture": "amd64", "Section": "games"}
    check(all(fields.get(k) == v for k, v in wanted.items()) and "@" in fields.get("Maintainer", ""), f"fields {fields}")
    check(re.search(r"\blibsdl2-2\.0-0 \(>= ", fields.get("Depends", "")) is not None, "dpkg-shlibdeps found SDL2")

    # One owner, one time (the release's date), the modes Debian expects.
    listing = [line.split(None, 5) for line in run("dpkg-deb", "--contents", deb).stdout.splitlines()]
    log("\n".join(" ".join(entry) for entry in listing))
    files = {path[2:]: mode for mode, _, _, _, _, path in listing if not mode.startswith("d")}
    check(files == {p: "-rwxr-xr-x" if p.startswith("usr/games/") else "-rw-r--r--" for p in FILES}, f"files {files}")
    odd = [e for e in listing if e[1] != "root/root" or e[3:5] != ["2026-01-01", "00:00"] or e[0][0] not in "d-"]
    check(odd == [], f"every entry root's and dated 2026-01-01 {odd[:3]}")

    lint = run("lintian", "--fail-on", "error,warning", "--display-info", deb)
    log(f"lintian:\n{lint.stdout}{lint.stderr}")
    check(lint.returncode == 0, "lintian: no error, no warning")
    desktop = run("desktop-file-validate", os.path.join(root, f"usr/share/applications/{NAME}.desktop"))
    check(desktop.returncode == 0 and desktop.stdout == "", f"desktop-file-validate {desktop.stdout}")
    with open(os.path.join(root, FILES[2])) as menu:
        entry = dict(line.strip().split("=", 1) for line in menu if "=" in line)
    check(os.path.isfile(os.path.join(root, "usr/games", entry.get("Exec", "?"))) and
          all(path.endswith(f"/{entry.get('Icon')}.png") for path in ICONS.values()),
          f"the menu entry starts the installed game with its icon ({entry.get('Exec')}, {entry.get('Icon')})")
    appstream = run("appstreamcli", "validate-tree", "--no-net", root)
    check(appstream.returncode == 0, f"appstreamcli validate-tree --no-net: {appstream.stdout}")
    metainfo = open(os.path.join(root, FILES[3])).read()
    check(f'<release version="{version}"' in metainfo and "<screenshot" in metainfo, "metadata: release, screenshot")
    # The notices the tarball carries, as the copyright file's comment.
    notices = open(os.path.join(SOURCE, "docs", "THIRD-PARTY-NOTICES-linux.txt")).read().split("\n", 2)[2]
    comment = re.search(r"^Comment:(.*?)^\S", open(os.path.join(root, FILES[5])).read(), re.MULTILINE | re.DOTALL)
    flat = lambda text: " ".join(word for word in text.split() if word != ".")  # noqa: E731
    check(comment is not None and flat(comment.group(1)) == flat(notices), "the copyright file holds the notices")
    sizes = {s: open(os.path.join(root, p), "rb").read()[16:24] for s, p in ICONS.items()}
    check(all(v == s.to_bytes(4, "big") * 2 for s, v in sizes.items()), "each icon is as large as its folder says")
    game = os.path.getsize(os.path.join(root, "usr/games", NAME))
    check(game < 128 * 1024, f"the installed game, stripped, is {game} bytes, under 128 KiB")

    # Packed again, later and under a stricter umask, which folders are made with. The first package waits
    # aside meanwhile: a rebuild that fails or packs nothing leaves no package to pass for the same bytes.
    first = os.path.join(scratch, os.path.basename(deb))
    shutil.move(deb, first)
    os.umask(0o077)
    rebuilt = run("cmake", "--build", build, "--target", "package_deb")
    os.umask(0o022)
    again = open(deb, "rb").read() if os.path.exists(deb) else None
    same = rebuilt.returncode == 0 and again == open(first, "rb").read()
    check(same, "packed again under umask 077, the same bytes" + ("" if same else
          f" (exit {rebuilt.returncode}, {'no package' if again is None else len(again)}) {rebuilt.stderr[-300:]}"))
    shutil.move(first, deb)
    prefix = os.path.join(scratch, "prefix")
    installed = run("cmake", "--install", build, "--prefix", prefix)
    check(installed.returncode == 0,
          "cmake --install into a scratch folder " + (installed.stderr[-300:] if installed.returncode else ""))
    ours, theirs = tree(prefix), tree(os.path.join(root, "usr"))
    check(ours == theirs, f"cmake --install gives the package's tree; differing: {sorted(set(ours) ^ set(theirs))}")


def play(root):
    """The tune from the installed data folder and Escape's 27; without the tune, one line naming where it looked."""
    program = os.path.join(root, "usr/games", NAME)
    audio = os.path.join(SHOTS, "deb-installed.audio")
    if os.path.exists(audio):
        os.remove(audio)
    with DesktopGame(1280, 720, name="deb-installed", program=program, audio_file=audio) as game:
        check(wait_until(lambda: os.path.exists(audio) and os.path.getsize(audio) > 0, timeout=10, step=0.1),
              f"the tune plays from {DATA}: SDL mixes it into the audio file")
        own = [line for line in game.stderr_lines() if not line.startswith("CRITICAL:")]
        check(own == [], f"nothing from the game on stderr {own}")
        game.key("Escape")
        check(game.wait_exit() == 27, "Escape exits with 27")

    os.remove(os.path.join(root, DATA, "gamesound.wav"))
    with DesktopGame(1280, 720, name="deb-no-tune", program=program) as game:
        lines = game.stderr_lines()
        looked = f"{root}/usr/games/../share/games/{NAME}/ or the current folder"
        check(len(lines) == 1 and looked in lines[0], f"one line naming where the tune was looked for {lines}")
        game.process.send_signal(signal.SIGTERM)
        game.wait_exit()


def installed(root):
    """The game apt installed in a clean root, with only what the package's relationships brought, on a display
    that serves no core fonts: M shows the box with both texts and OK, and Escape exits with 27."""
    with DesktopGame(1280, 720, name="deb-clean-root", program="/usr/sbin/chroot",
                     arguments=[root, f"/usr/games/{NAME}"], folder="/") as game:
        box = open_box(game)
        _, shown = shown_box(game, box, "help", [UPPER, LOWER, "OK"]) if box else (None, None)
        check(shown == [UPPER, LOWER, "OK"], f"the help box shows both texts and OK {shown}")
        # The box has the keyboard: Space presses its OK, and the game has the keyboard again for Escape.
        game.key("space")
        check(wait_until(lambda: "MENU" not in game.windows()), "Space on OK closes the box")
        game.key("Escape")
        check(game.wait_exit() == 27, "Escape exits with 27")
    return finish()


def main():
    if sys.argv[1] == "installed":
        return installed(sys.argv[2])
    deb = os.path.abspath(sys.argv[2])
    with tempfile.TemporaryDirectory(prefix="kestrel-deb-") as scratch:
        root = os.path.join(scratch, "root")
        check(run("dpkg-deb", "-x", deb, root).returncode == 0, f"dpkg-deb -x {deb}")
        if sys.argv[1] == "package":
            package(deb, os.path.abspath(sys.argv[3]), root, scratch)
        else:
            play(root)
    return finish()


if __name__ == "__main__":
    sys.exit(main())
