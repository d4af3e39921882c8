"""check_archive.py -- a player's download: its files, same bytes when packed again, fixed metadata, owed notices.

Usage: check_archive.py <archive.tar.gz or .zip> <packer> <same inputs as the packer got ...>
What each download holds is named here, apart from the packer's list: a file missing from both still fails.
The Linux tarball also: owned by root, a small executable game, the runtime package named.
"""
import os
import subprocess
import sys
import tarfile
import tempfile
import zipfile

LARGEST_GAME = 400 * 1024
# Each download by the end of its name: its files, how the game's files begin, and what its notices must
# name whatever the game's bytes show.
PLAYER_FILES = ["README.txt", "LICENSE.txt", "THIRD-PARTY-NOTICES.txt"]
DOWNLOADS = {
    "-win64.zip": (["KestrelForges.exe", "gamesound.wav"],
                   {"KestrelForges.exe": b"MZ", "gamesound.wav": b"RIFF"},
                   ["winpthreads", "Lockless Inc.", "the mingw-w64 project", "Zope Public License",
                    "Lucent Technologies"]),
    "-web.zip": (["index.html", "index.js", "index.css", "kestrel-forges.js", "kestrel-forges.wasm", "gamesound.wav",
                  "kestrel-forges.webmanifest", "kestrel-forges-192.png", "kestrel-forges-512.png",
                  "service-worker.js"],
                 {"kestrel-forges.wasm": b"\0asm", "gamesound.wav": b"RIFF"},
                 ["The Emscripten Authors", "Rich Felker", "Sun Microsystems"]),
    "-linux-x86_64.tar.gz": (["KestrelForges", "gamesound.wav"],
                             {"KestrelForges": b"\x7fELF", "gamesound.wav": b"RIFF"},
                             ["SDL 2", "no third-party notice goes with this game"]),
}
# Others' code a program shows in its bytes, and what the notices beside it must name.
RUNTIMES = {b"./mingw-w64-libraries/winpthreads/": ["winpthreads", "Lockless Inc."],
            b"Mingw-w64 runtime failure": ["the mingw-w64 project", "Zope Public License", "Lucent Technologies"],
            b"emscripten_set_main_loop": ["The Emscripten Authors", "Rich Felker", "Sun Microsystems"]}


def main():
    archive, packer, folder, entries = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
    failures = []

    def check(condition, what):
        print(("ok   " if condition else "FAIL ") + what, flush=True)
        if not condition:
            failures.append(what)

    with tempfile.TemporaryDirectory() as scratch:
        again = os.path.join(scratch, "again" + os.path.splitext(archive)[1])
        subprocess.run([sys.executable, packer, again, folder, *entries], check=True, stdout=subprocess.DEVNULL)
        with open(archive, "rb") as a, open(again, "rb") as b:
            first = a.read()
            check(first == b.read(), "packed again, the archive has the same bytes")

    kind = next((end for end in DOWNLOADS if archive.endswith(end)), None)
    check(kind is not None, f"{os.path.basename(archive)} is a download this check knows")
    files, beginnings, owed_always = DOWNLOADS.get(kind, ([], {}, []))
    wanted = [f"{folder}/{entry.split('=', 1)[1].split(':')[0]}" for entry in entries]
    if archive.endswith(".zip"):
        with zipfile.ZipFile(archive) as z:
            names, times = z.namelist(), {i.date_time for i in z.infolist()}
            contents = {name: z.read(name) for name in names}
    else:
        # Gzip header: bytes 4-7 are the time, flag bit 3 a stored file name.
        check(first[4:8] == b"\0\0\0\0" and (first[3] & 0x08) == 0, "no time and no file name in the gzip header")
        with tarfile.open(archive) as tar:
            members = tar.getmembers()
            names, times, wanted = [m.name for m in members], {m.mtime for m in members}, [folder] + wanted
            contents = {m.name: tar.extractfile(m).read() for m in members if m.isfile()}
            check(all(m.uid == 0 and m.gid == 0 and m.uname == "root" for m in members), "owned by root")
            game = tar.getmember(f"{folder}/KestrelForges")
            check(game.mode == 0o755, f"the game is executable {oct(game.mode)}")
            check(game.size <= LARGEST_GAME, f"the game is at most 400 KB ({game.size} bytes)")
            readme = tar.extractfile(f"{folder}/README.txt").read().decode()
            check("libsdl2-2.0-0" in readme, "the README names the runtime package libsdl2-2.0-0")
    check(names == wanted, f"entries in their fixed order {names}")
    held = {name.partition("/")[2] for name in names if name != folder}
    check(held == set(files + PLAYER_FILES), f"the download holds {sorted(files + PLAYER_FILES)}, nothing else")
    for name, start in beginnings.items():
        check(contents.get(f"{folder}/{name}", b"").startswith(start), f"{name} begins as it must ({start})")
    check(contents.get(f"{folder}/LICENSE.txt", b"").startswith(b"MIT License"), "LICENSE.txt is the game's licence")
    check(len(times) == 1, "one fixed time on every entry")
    notices = contents.get(f"{folder}/THIRD-PARTY-NOTICES.txt", b"").decode()
    check(notices != "", "the archive holds THIRD-PARTY-NOTICES.txt")
    # Named always: a game built so that its bytes show no marker still owes them.
    check(all(notice in " ".join(notices.split()) for notice in owed_always), f"the notices name {owed_always}")
    for name, marker, owed in [(n, m, o) for n, data in contents.items() for m, o in RUNTIMES.items() if m in data]:
        check(all(notice in notices for notice in owed), f"{name} shows {marker.decode()}: the notices name {owed}")
    if failures:
        print(f"{len(failures)} checks failed")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
