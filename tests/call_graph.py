#!/usr/bin/env python3
"""The house's calls, read off the built libraries: which object file calls a function that
another defines (nm), mapped back to src/FOLDER/FILE.cpp. Fails on a circle of calls between
files, and on a call from a folder into a folder above it; the folders' layers are those of
layering.cmake.

    call_graph.py NM LAYERING.cmake LIBRARY.a...
    call_graph.py --show NM LAYERING.cmake LIBRARY.a...   also prints every call between files
"""
import re
import subprocess
import sys

DEFINED = set("TDBRV")  # code, data, bss, read-only data; weak template copies (W) are not calls


def members(nm, library):
    """{member: (defined, undefined)} of a static library, demangled names."""
    out = subprocess.run([nm, "-C", library], capture_output=True, text=True,
                         check=True).stdout
    table = {}
    current = None
    for line in out.splitlines():
        header = re.match(r"^(\S+\.o):$", line)
        if header:
            current = header.group(1)
            table[current] = (set(), set())
            continue
        fields = re.match(r"^\s*[0-9a-f]*\s+([A-Za-z])\s+(.*)$", line)
        if not fields or current is None:
            continue
        kind, name = fields.groups()
        if kind == "U":
            table[current][1].add(name)
        elif kind in DEFINED:
            table[current][0].add(name)
    return table


def folder_of(library):
    return re.sub(r"^lib(spring_)?|\.a$", "", library.split("/")[-1])


def source_of(library, member):
    return "src/%s/%s" % (folder_of(library), member[: -len(".o")])


def strongly_connected(nodes, edges):
    """Tarjan's components of more than one node."""
    index, low, stack, on_stack, found = {}, {}, [], set(), []
    counter = [0]

    def visit(v):
        index[v] = low[v] = counter[0]
        counter[0] += 1
        stack.append(v)
        on_stack.add(v)
        for w in edges.get(v, ()):
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
    for v in sorted(nodes):
        if v not in index:
            visit(v)
    return found


def main(argv):
    show = argv[:1] == ["--show"]
    if show:
        argv = argv[1:]
    nm, layering, libraries = argv[0], argv[1], argv[2:]
    with open(layering) as f:
        layers = dict((k, int(v)) for k, v in re.findall(r"set\(layer_(\w+) (\d+)\)", f.read()))
    definer = {}
    uses = {}
    for library in libraries:
        for member, (defined, undefined) in members(nm, library).items():
            source = source_of(library, member)
            uses[source] = undefined
            for name in defined:
                definer.setdefault(name, source)
    edges = {}
    for source, undefined in uses.items():
        for name in undefined:
            target = definer.get(name)
            if target and target != source:
                edges.setdefault(source, set()).add(target)
    faults = []
    for source in sorted(edges):
        for target in sorted(edges[source]):
            if show:
                print("%s -> %s" % (source, target))
            upper, lower = target.split("/")[1], source.split("/")[1]
            if layers.get(upper, 99) > layers.get(lower, 99):
                faults.append("%s calls into %s, a folder above its own" % (source, target))
    for component in strongly_connected(uses.keys(), edges):
        faults.append("a circle of calls: " + ", ".join(component))
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
