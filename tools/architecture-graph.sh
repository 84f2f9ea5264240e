#!/bin/sh
# Draws docs/pictures/architecture.png from the build's own target graph:
# every library of the program and the outside libraries it links.
set -eu
source=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$source/docs/CMakeGraphVizOptions.cmake" "$work/"
(cd "$work" && cmake -S "$source" -B . -DQUORVEL_TESTS=OFF -DQUORVEL_BENCH=OFF --graphviz=graph/quorvel.dot >/dev/null)
python3 "$source/tools/architecture-graph.py" "$work/graph/quorvel.dot" "$work/reduced.dot"
tred "$work/reduced.dot" > "$work/drawn.dot"
dot -Tpng -Gdpi=80 "$work/drawn.dot" -o "$source/docs/pictures/architecture.png"
echo "docs/pictures/architecture.png"
