"""pack-tar.py -- writes a .tar.gz whose bytes depend only on the files' contents: fixed order, times, owners and modes.

Usage: pack-tar.py <archive.tar.gz> <folder name in the archive> <file>=<name>[:<octal mode>] ...
"""
import gzip
import io
import sys
import tarfile

# 2026-01-01 00:00:00 UTC, the same date as the Windows zip's entries.
FIXED_TIME = 1767225600


def entry(path, name, mode):
    info = tarfile.TarInfo(name)
    with open(path, "rb") as source:
        data = source.read()
    info.size = len(data)
    info.mtime = FIXED_TIME
    info.mode = mode
    info.uid = info.gid = 0
    info.uname = info.gname = "root"
    return info, data


def main():
    archive, folder, entries = sys.argv[1], sys.argv[2], sys.argv[3:]
    body = io.BytesIO()
    with tarfile.open(fileobj=body, mode="w", format=tarfile.USTAR_FORMAT) as tar:
        top = tarfile.TarInfo(folder)
        top.type = tarfile.DIRTYPE
        top.mode = 0o755
        top.mtime = FIXED_TIME
        top.uname = top.gname = "root"
        tar.addfile(top)
        for item in entries:
            path, name = item.split("=", 1)
            mode = 0o644
            if ":" in name:
                name, octal = name.rsplit(":", 1)
                mode = int(octal, 8)
            info, data = entry(path, f"{folder}/{name}", mode)
            tar.addfile(info, io.BytesIO(data))
    # No file name and a zero time in the gzip header.
    with open(archive, "wb") as raw:
        with gzip.GzipFile(filename="", mode="wb", fileobj=raw, compresslevel=9, mtime=0) as out:
            out.write(body.getvalue())
    print(archive)


if __name__ == "__main__":
    main()
