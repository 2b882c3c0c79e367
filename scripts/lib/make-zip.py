#!/usr/bin/env python3
"""Packs files into a zip that is the same bytes whenever the files are: entries sorted by name,
no owner or permissions, and one time for every entry: SOURCE_DATE_EPOCH when it is set, else the
time of the repository's last commit, else 1 January 1980.

Usage: make-zip.py out.zip name-in-zip=file ...
"""
import os
import subprocess
import sys
import time
import zipfile

ZIP_EPOCH = 315532800  # 1 January 1980, the earliest time a zip entry can carry


def entry_time():
    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    if epoch is None:
        root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
        try:
            epoch = subprocess.run(["git", "-C", root, "log", "-1", "--format=%ct"], capture_output=True,
                                   text=True, check=True).stdout.strip()
        except (OSError, subprocess.CalledProcessError):
            epoch = ""
    return time.gmtime(max(int(epoch or 0), ZIP_EPOCH))[:6]


def main():
    out, entries = sys.argv[1], [a.split("=", 1) for a in sys.argv[2:]]
    when = entry_time()
    partial = out + ".part"
    with zipfile.ZipFile(partial, "w") as z:
        for name, path in sorted(entries):
            info = zipfile.ZipInfo(name, date_time=when)
            info.create_system = 0  # MS-DOS: no Unix owner or permissions
            info.external_attr = 0
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(path, "rb") as f:
                z.writestr(info, f.read(), compresslevel=9)
    os.replace(partial, out)


if __name__ == "__main__":
    main()
