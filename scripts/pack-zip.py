"""pack-zip.py -- writes a zip whose bytes depend only on the files' contents: fixed order, times and modes.

Usage: pack-zip.py <archive.zip> <folder name in the archive> <file>=<name> ...
"""
import sys
import zipfile


def main():
    archive, folder, entries = sys.argv[1], sys.argv[2], sys.argv[3:]
    with zipfile.ZipFile(archive, "w") as out:
        for entry in entries:
            path, name = entry.split("=", 1)
            info = zipfile.ZipInfo(f"{folder}/{name}", date_time=(2026, 1, 1, 0, 0, 0))
            info.compress_type = zipfile.ZIP_DEFLATED
            info.external_attr = 0o644 << 16
            info.create_system = 0
            with open(path, "rb") as source:
                out.writestr(info, source.read(), compresslevel=9)
    print(archive)


if __name__ == "__main__":
    main()
