#!/usr/bin/env python3
"""Counts non-blank, non-comment lines of C and C++ files (.cpp, .h, .c) in tests/
against everything else (build folders, bench/ and hidden folders left out) and prints
both figures and their ratio.  Usage: tools/count_lines.py [ROOT]"""
import os
import re
import sys

SUFFIXES = ('.cpp', '.h', '.c', '.hpp', '.cc')


def code_lines(path):
    """Lines holding code once // and /* */ comments and blanks are taken out."""
    text = open(path, encoding='utf-8', errors='replace').read()
    # String literals may hold // or /*; blank them first so they are not read as comments.
    text = re.sub(r'"(\\.|[^"\\\n])*"', '""', text)
    text = re.sub(r'/\*.*?\*/', lambda m: '\n' * m.group(0).count('\n'), text, flags=re.S)
    text = re.sub(r'//[^\n]*', '', text)
    return sum(1 for line in text.split('\n') if line.strip())


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                           os.path.join(os.path.dirname(__file__), '..'))
    tests = rest = 0
    for top in sorted(os.listdir(root)):
        full = os.path.join(root, top)
        if top.startswith('.') or top.startswith('build') or top in ('bench', 'out'):
            continue
        files = [full] if os.path.isfile(full) else [
            os.path.join(d, f) for d, _, fs in os.walk(full) for f in fs]
        n = sum(code_lines(f) for f in files if f.endswith(SUFFIXES))
        if top == 'tests':
            tests += n
        else:
            rest += n
    print(f'tests {tests}  rest {rest}  ratio {tests / rest:.3f}  (limit {rest // 3})')


if __name__ == '__main__':
    main()
