#!/usr/bin/env python3
"""Reduces the graph `cmake --graphviz` writes to the program's libraries and
the outside libraries they link, each edge drawn once (tred drops the edges
another path already implies). Usage: architecture-graph.py IN.dot OUT.dot"""
import re
import sys

KEEP = re.compile(r'^(quorvel(_[a-z_]+)?|Qt6::(Core|Gui|Widgets|Sql|Svg|PrintSupport|Charts|Pdf|PdfWidgets)'
                  r'|SQLite::SQLite3|.*libreadstat\.so|PkgConfig::XLSXWRITER|Boost::headers)$')
DROP = re.compile(r'_resources_|_autogen')

text = open(sys.argv[1]).read()
labels = dict(re.findall(r'"(node\d+)"\s*\[\s*label\s*=\s*"([^"]+)"', text))
edges = {}
for source, target in re.findall(r'"(node\d+)"\s*->\s*"(node\d+)"', text):
    edges.setdefault(source, set()).add(target)


def kept(node):
    label = labels.get(node, '')
    return bool(KEEP.match(label)) and not DROP.search(label)


def reached(node, seen):
    """Kept nodes reachable from node through nodes that are not kept."""
    found = set()
    for target in edges.get(node, ()):
        if target in seen:
            continue
        seen.add(target)
        if kept(target):
            found.add(target)
        else:
            found |= reached(target, seen)
    return found


def name(label):
    return label.rsplit('/', 1)[-1].replace('.so', '').replace('PkgConfig::XLSXWRITER', 'libxlsxwriter')


out = ['digraph Quorvel {', '  rankdir=TB; node [shape=box, fontname="Noto Sans", fontsize=11];']
for node in sorted(n for n in labels if kept(n)):
    label = labels[node]
    style = '' if label.startswith('quorvel') else ', style=filled, fillcolor="#eeeeee"'
    out.append(f'  "{name(label)}" [label="{name(label)}"{style}];')
    for target in sorted(reached(node, set())):
        if target != node:
            out.append(f'  "{name(label)}" -> "{name(labels[target])}";')
out.append('}')
open(sys.argv[2], 'w').write('\n'.join(out) + '\n')
