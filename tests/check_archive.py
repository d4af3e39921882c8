"""check_tarball.py -- the Linux player's tarball: same bytes when packed again, fixed metadata, small game, runtime named.

Usage: check_tarball.py <archive.tar.gz> <packer> <same inputs as the packer got ...>
"""
import os
import subprocess
import sys
import tarfile
import tempfile

LARGEST_GAME = 400 * 1024


def main():
    archive, packer, folder, entries = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
    failures = []

    def check(condition, what):
        print(("ok   " if condition else "FAIL ") + what, flush=True)
        if not condition:
            failures.append(what)

    with tempfile.TemporaryDirectory() as scratch:
        again = os.path.join(scratch, "again.tar.gz")
        subprocess.run([sys.executable, packer, again, folder, *entries], check=True, stdout=subprocess.DEVNULL)
        with open(archive, "rb") as a, open(again, "rb") as b:
            first = a.read()
            check(first == b.read(), "packed again, the archive has the same bytes")
    # Gzip header: bytes 4-7 are the time, flag bit 3 a stored file name.
    check(first[4:8] == b"\0\0\0\0" and (first[3] & 0x08) == 0, "no time and no file name in the gzip header")

    with tarfile.open(archive) as tar:
        members = tar.getmembers()
        names = [m.name for m in members]
        wanted = [folder] + [f"{folder}/{n}" for n in ("KestrelForges", "gamesound.wav", "README.txt", "LICENSE.txt")]
        check(names == wanted, f"entries in their fixed order {names}")
        check(len({m.mtime for m in members}) == 1, "one fixed time on every entry")
        check(all(m.uid == 0 and m.gid == 0 and m.uname == "root" for m in members), "owned by root")
        game = tar.getmember(f"{folder}/KestrelForges")
        check(game.mode == 0o755, f"the game is executable {oct(game.mode)}")
        check(game.size <= LARGEST_GAME, f"the game is at most 400 KB ({game.size} bytes)")
        readme = tar.extractfile(f"{folder}/README.txt").read().decode()
        check("libsdl2-2.0-0" in readme, "the README names the runtime package libsdl2-2.0-0")
    if failures:
        print(f"{len(failures)} checks failed")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
