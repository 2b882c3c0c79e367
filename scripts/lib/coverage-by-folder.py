"""Prints the branch coverage of each folder of src/ from gcovr's JSON reports of the native
build, the Windows build and both together, and the line coverage of both together."""
import collections
import json
import sys


def by_folder(report):
    # folder -> [lines, lines run, branches, branches taken]; "all" sums them
    totals = collections.defaultdict(lambda: [0, 0, 0, 0])
    with open(report) as f:
        for entry in json.load(f)["files"]:
            parts = entry["file"].split("/")
            if len(parts) < 3 or parts[0] != "src":
                continue
            for line in entry["lines"]:
                if line.get("gcovr/noncode"):
                    continue
                taken = sum(b["count"] > 0 for b in line["branches"])
                for key in (parts[1], "all"):
                    t = totals[key]
                    t[0] += 1
                    t[1] += line["count"] > 0
                    t[2] += len(line["branches"])
                    t[3] += taken
    return totals


def percent(part, whole):
    return f"{100 * part / whole:5.1f}% of {whole:5}" if whole else "-"


native, win, both = (by_folder(name) for name in sys.argv[1:4])
folders = sorted(set(native) | set(win), key=lambda f: (f == "all", f))
print(f"{'':10}" + "".join(f"{h:>22}" for h in ("branches: native", "Windows", "both", "lines: both")))
for folder in folders:
    cells = [percent(r[folder][3], r[folder][2]) for r in (native, win, both)]
    cells.append(percent(both[folder][1], both[folder][0]))
    print(f"{folder:10}" + "".join(f"{c:>22}" for c in cells))
