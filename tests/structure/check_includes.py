#!/usr/bin/env python3
"""Checks the library's include graph: every include of src/ stays within its layer or the layers
below it (as the top CMakeLists.txt declares them with qrv_layer), and no header includes itself
through others. Prints each offence; exits 1 when there is one."""
import re
import sys
from pathlib import Path

root = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parents[2]
src = root / "src"

layers = {}
for m in re.finditer(r"^qrv_layer\(([^)]*)\)", (root / "CMakeLists.txt").read_text(), re.M):
    name, *lower = m.group(1).split()
    layers[name] = {name, *lower}

include = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
graph = {}
offences = []
for path in sorted(src.rglob("*")):
    if path.suffix not in (".h", ".cpp"):
        continue
    rel = path.relative_to(src).as_posix()
    layer = rel.split("/")[0]
    if layer not in layers:
        continue  # the DLL's and ELF's entry points link everything
    targets = []
    for name in include.findall(path.read_text(encoding="utf-8", errors="replace")):
        if "/" not in name:
            name = (path.parent.relative_to(src) / name).as_posix()
        target_layer = name.split("/")[0]
        if (src / name).exists():
            targets.append(name)
            if target_layer not in layers.get(layer, ()):
                offences.append(f"{rel}: includes {name}, above its layer {layer}")
    graph[rel] = targets

# Circles among headers: a depth-first walk that meets a header still on its path.
state = {}
def walk(node, path):
    state[node] = 1
    for nxt in graph.get(node, ()):
        if state.get(nxt) == 1:
            circle = path[path.index(nxt):] + [nxt]
            offences.append("include circle: " + " -> ".join(circle))
        elif nxt not in state:
            walk(nxt, path + [nxt])
    state[node] = 2

for node in sorted(graph):
    if node not in state:
        walk(node, [node])

for o in offences:
    print(o)
print(f"{len(graph)} files of {len(layers)} layers checked, {len(offences)} offences")
sys.exit(1 if offences else 0)
