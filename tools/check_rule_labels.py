#!/usr/bin/env python3
"""Checks the numbered rules in header comments.

A rule is a comment line that starts with a label and a full stop ("//  ML3. ..."). Each
label must be defined by one header only, so a reference such as "(ML3)" names one rule.
A header may repeat its own label beside the declaration it governs. Usage:
check_rule_labels.py [source root]; exits 1 and lists the clashes when a label is defined by
more than one header.
"""
import os
import re
import sys

DEFINITION = re.compile(r'^\s*//\s+([A-Z]{1,3}\d{1,2}[a-z]?)\.\s')
SKIPPED = {'build', '.git', 'node_modules'}


def definitions(root):
    found = {}
    for folder, dirs, files in os.walk(root):
        dirs[:] = [d for d in dirs if d not in SKIPPED and not d.startswith('build')]
        for name in files:
            if not name.endswith('.h'):
                continue
            path = os.path.join(folder, name)
            with open(path, encoding='utf-8', errors='replace') as header:
                for number, line in enumerate(header, 1):
                    match = DEFINITION.match(line)
                    if match:
                        rel = os.path.relpath(path, root)
                        found.setdefault(match.group(1), {}).setdefault(rel, number)
    return found


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..')
    clashes = {label: places for label, places in definitions(root).items() if len(places) > 1}
    for label in sorted(clashes):
        places = ', '.join(f'{path}:{line}' for path, line in sorted(clashes[label].items()))
        print(f'{label} is defined by {len(clashes[label])} headers: {places}')
    return 1 if clashes else 0


if __name__ == '__main__':
    sys.exit(main())
