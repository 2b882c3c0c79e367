#!/usr/bin/env python3
"""Finds circles of includes among the program's units and among the folders of src/.

A unit is a header with the source files that implement it: Name.h, Name.cpp and Name_*.cpp
(the halves of a platform pair). A source file with no header of its own name (a class split
over several files: Unit1Keys.cpp) belongs to the unit of its folder whose name begins its own.
Unit A uses unit B when a file of A includes B's header. Prints every circle and exits with 1
when there is one; prints the layers (each using only layers above it in the list) otherwise.
"""
import os
import re
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def includes(path):
    with open(path, encoding="utf-8") as f:
        return INCLUDE.findall(f.read())


def units():
    """Maps every file under src/ (as 'folder/File.ext' or 'folder/sub/File.ext') to its unit."""
    files = []
    for folder, _, names in os.walk(ROOT):
        for n in names:
            if n.endswith((".h", ".cpp")):
                files.append(os.path.relpath(os.path.join(folder, n), ROOT).replace(os.sep, "/"))
    headers = {f[:-2] for f in files if f.endswith(".h")}
    unit_of = {}
    for f in files:
        stem = f.rsplit(".", 1)[0]
        folder, name = os.path.dirname(stem), os.path.basename(stem)
        base = folder + "/" + name.split("_", 1)[0]
        if stem in headers:
            unit_of[f] = stem
        elif base in headers:
            unit_of[f] = base
        else:
            owners = [h for h in headers
                      if os.path.dirname(h) == folder and name.startswith(os.path.basename(h))]
            unit_of[f] = max(owners, key=len) if owners else stem
    return unit_of


def circles(graph):
    """The strongly connected components with more than one member (Tarjan)."""
    index, low, stack, on_stack, found = {}, {}, [], set(), []
    counter = [0]

    def visit(v):
        index[v] = low[v] = counter[0]
        counter[0] += 1
        stack.append(v)
        on_stack.add(v)
        for w in sorted(graph.get(v, ())):
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on_stack:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            component = []
            while True:
                w = stack.pop()
                on_stack.discard(w)
                component.append(w)
                if w == v:
                    break
            if len(component) > 1:
                found.append(sorted(component))

    sys.setrecursionlimit(10000)
    for v in sorted(graph):
        if v not in index:
            visit(v)
    return found


def main():
    unit_of = units()
    unit_graph, folder_graph = {}, {}
    for f, unit in unit_of.items():
        unit_graph.setdefault(unit, set())
        folder = unit.split("/", 1)[0]
        folder_graph.setdefault(folder, set())
        for inc in includes(os.path.join(ROOT, f)):
            if not inc.endswith(".h") or inc not in unit_of:
                continue
            used = unit_of[inc]
            if used != unit:
                unit_graph[unit].add(used)
            used_folder = used.split("/", 1)[0]
            if used_folder != folder:
                folder_graph[folder].add(used_folder)
    bad = False
    for kind, graph in (("folders", folder_graph), ("units", unit_graph)):
        for c in circles(graph):
            bad = True
            print(f"include circle among {kind}: {', '.join(c)}")
    if bad:
        return 1
    print("no include circle among %d units in %d folders" % (len(unit_graph), len(folder_graph)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
