"""check_archive.py -- a player's download: same bytes when packed again, fixed metadata, and the notices it owes.

Usage: check_archive.py <archive.tar.gz or .zip> <packer> <same inputs as the packer got ...>
The Linux tarball also: owned by root, a small executable game, the runtime package named.
"""
import os
import subprocess
import sys
import tarfile
import tempfile
import zipfile

LARGEST_GAME = 400 * 1024
NOTICES = "THIRD-PARTY-NOTICES.txt"
# Others' code a program shows in its bytes, and the notices that must go with it.
RUNTIMES = [
    (b"./mingw-w64-libraries/winpthreads/", ["winpthreads", "Lockless Inc."]),
    (b"Mingw-w64 runtime failure", ["the mingw-w64 project", "Zope Public License", "Lucent Technologies"]),
    (b"emscripten_set_main_loop", ["The Emscripten Authors", "Rich Felker", "Sun Microsystems"]),
]


def members(archive):
    """(name, mode, time, owner, bytes) of every entry in order; folders have no bytes."""
    if archive.endswith(".zip"):
        with zipfile.ZipFile(archive) as z:
            return [(i.filename, i.external_attr >> 16, i.date_time, "", z.read(i)) for i in z.infolist()]
    with tarfile.open(archive) as tar:
        return [(m.name, m.mode, m.mtime, f"{m.uid}:{m.gid}:{m.uname}",
                 tar.extractfile(m).read() if m.isfile() else None) for m in tar.getmembers()]


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

    listed = members(archive)
    names = [name for name, *_ in listed]
    tarball = archive.endswith(".tar.gz")
    wanted = [folder] * tarball + [f"{folder}/{entry.split('=', 1)[1].split(':')[0]}" for entry in entries]
    check(names == wanted, f"entries in their fixed order {names}")
    check(len({time for _, _, time, _, _ in listed}) == 1, "one fixed time on every entry")
    contents = {name: data for name, _, _, _, data in listed}
    notices = contents.get(f"{folder}/{NOTICES}", b"").decode()
    check(notices != "", f"{NOTICES} is in the archive")
    for marker, owed in RUNTIMES:
        for name in [name for name, data in contents.items() if data and marker in data]:
            missing = [notice for notice in owed if notice not in notices]
            check(missing == [], f"{name} shows {marker.decode()}: the notices name {owed}, missing {missing}")

    if tarball:
        # Gzip header: bytes 4-7 are the time, flag bit 3 a stored file name.
        check(first[4:8] == b"\0\0\0\0" and (first[3] & 0x08) == 0, "no time and no file name in the gzip header")
        check(all(owner == "0:0:root" for _, _, _, owner, _ in listed), "owned by root")
        game = [(mode, len(data)) for name, mode, _, _, data in listed if name == f"{folder}/KestrelForges"][0]
        check(game[0] == 0o755, f"the game is executable {oct(game[0])}")
        check(game[1] <= LARGEST_GAME, f"the game is at most 400 KB ({game[1]} bytes)")
        check("libsdl2-2.0-0" in contents[f"{folder}/README.txt"].decode(),
              "the README names the runtime package libsdl2-2.0-0")
    if failures:
        print(f"{len(failures)} checks failed")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
