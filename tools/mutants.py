#!/usr/bin/env python3
"""Plants small faults in source files one at a time and tells which ones the tests catch.

Usage (from the project's root, after configuring a Ninja build folder with tests on):
  tools/mutants.py --build build-mut --count 60 --seed 11 \
      --exclude 'E2E|EndToEnd|Xvfb|Benchmark' FILES...

Each mutant swaps one operator (+ - * / < <= > >= == != && ||), changes one number,
swaps true/false or deletes one statement line.  Only the test programs that depend on
the file are rebuilt and run (test names and program names matching --exclude left out).
A mutant is "killed" when a test fails or times out, "survived" when all pass, and
"build failed" when it does not compile (not counted).  The file is always put back.
A non-sanitised Debug build folder with ccache keeps it quick:
  cmake -G Ninja -S . -B build-mut -DCMAKE_BUILD_TYPE=Debug -DGLIMBO_TESTS=ON
"""
import argparse
import os
import random
import re
import signal
import subprocess
import sys
import time

SWAPS = {'+': '-', '-': '+', '*': '/', '/': '*', '<': '<=', '<=': '<', '>': '>=',
         '>=': '>', '==': '!=', '!=': '==', '&&': '||', '||': '&&'}
# Binary operators written with a space on each side, so templates, ->, <<, ++ stay out.
OPERATOR = re.compile(r'(?<=\s)(<=|>=|==|!=|&&|\|\||[+\-*/<>])(?=\s)')
NUMBER = re.compile(r'(?<![\w.])(\d+\.\d*|\d*\.\d+|\d+)(f?)(?![\w.])')
BOOL = re.compile(r'\b(true|false)\b')
# A statement line that assigns to or calls something, not a declaration.
STATEMENT = re.compile(r'^\s*(?!return\b|break\b|continue\b|case\b|else\b|delete\b)'
                       r'([\w.\[\]>()-]+\s*([+\-*/|&]?=)\s*[^=].*|[\w:.\->]+\(.*\));\s*$')


def code_of(line, in_block):
    """The line with comments and string/char literals blanked (same length), and whether
    a /* comment is still open at its end."""
    out = []
    i = 0
    while i < len(line):
        if in_block:
            end = line.find('*/', i)
            if end < 0:
                out.append(' ' * (len(line) - i))
                return ''.join(out), True
            out.append(' ' * (end + 2 - i))
            i = end + 2
            in_block = False
            continue
        c = line[i]
        if line.startswith('//', i):
            out.append(' ' * (len(line) - i))
            break
        if line.startswith('/*', i):
            in_block = True
            continue
        if c in '"\'':
            j = i + 1
            while j < len(line) and line[j] != c:
                j += 2 if line[j] == '\\' else 1
            out.append(c + ' ' * (min(j, len(line)) - i - 1) + (c if j < len(line) else ''))
            i = j + 1
            continue
        out.append(c)
        i += 1
    return ''.join(out), in_block


def sites_in(path):
    """Every place in the file where one fault can be planted:
    (path, line index, start, end, replacement)."""
    sites = []
    in_block = False
    lines = open(path, encoding='utf-8').read().split('\n')
    for n, line in enumerate(lines):
        code, in_block = code_of(line, in_block)
        stripped = code.strip()
        if not stripped or stripped.startswith('#') or 'static_assert' in code:
            continue
        for m in OPERATOR.finditer(code):
            sites.append((path, n, m.start(), m.end(), SWAPS[m.group(1)]))
        for m in NUMBER.finditer(code):
            text = m.group(1)
            if '.' in text:
                value = float(text)
                new = '1.0' if value == 0 else repr(value * 2)
            else:
                new = str(int(text) + 1)
            sites.append((path, n, m.start(), m.end(1), new))
        for m in BOOL.finditer(code):
            sites.append((path, n, m.start(), m.end(), 'false' if m.group(1) == 'true' else 'true'))
        if STATEMENT.match(code) and code.count('(') == code.count(')'):
            sites.append((path, n, 0, len(line), ''))
    return sites


def ninja(build, *args):
    return subprocess.run(['ninja', '-C', build, *args], capture_output=True, text=True)


def test_programs(build, exclude):
    """Map each test program (under <build>/tests) to the set of sources and headers it
    is built from."""
    out = ninja(build, '-t', 'targets', 'all').stdout
    programs = [t.split(':')[0] for t in out.splitlines()
                if t.startswith('tests/') and ': CXX_EXECUTABLE_LINKER' in t]
    programs = [p for p in programs if not exclude.search(os.path.basename(p))]
    files = {}
    for p in programs:
        inputs = ninja(build, '-t', 'inputs', p).stdout.split()
        objects = [i for i in inputs if i.endswith('.o')]
        deps = ninja(build, '-t', 'deps', *objects).stdout if objects else ''
        names = set(inputs)
        for line in deps.splitlines():
            if line.startswith('    '):
                names.add(line.strip())
        files[p] = {os.path.realpath(os.path.join(build, f)) for f in names}
    return files


def run_tests(build, program, exclude, timeout):
    """True when every chosen test of the program passes."""
    exe = os.path.join(build, program)
    listed = subprocess.run([exe, '--gtest_list_tests'], capture_output=True, text=True,
                            cwd=os.path.join(build, 'tests'), timeout=timeout)
    names = []
    suite = ''
    for line in listed.stdout.splitlines():
        if not line.startswith(' '):
            suite = line.split('#')[0].strip()
        else:
            name = suite + line.split('#')[0].strip()
            if not exclude.search(name):
                names.append(name)
    if not names:
        return True
    try:
        run = subprocess.run([exe, '--gtest_filter=' + ':'.join(names)], capture_output=True,
                             cwd=os.path.join(build, 'tests'), timeout=timeout)
    except subprocess.TimeoutExpired:
        return False
    return run.returncode == 0


def main():
    ap = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    ap.add_argument('--build', default='build-mut')
    ap.add_argument('--count', type=int, default=40)
    ap.add_argument('--seed', type=int, default=7)
    ap.add_argument('--exclude', default='E2E|EndToEnd|Xvfb|Benchmark')
    ap.add_argument('--timeout', type=float, default=120, help='seconds per test program')
    ap.add_argument('--jobs', default='2')
    ap.add_argument('files', nargs='+')
    args = ap.parse_args()
    args.build = os.path.abspath(args.build)
    exclude = re.compile(args.exclude, re.I)

    files = sorted({os.path.realpath(f) for f in args.files if f.endswith(('.cpp', '.h'))})
    sites = [s for f in files for s in sites_in(f)]
    rng = random.Random(args.seed)
    chosen = rng.sample(sites, min(args.count, len(sites)))
    print(f'{len(sites)} sites in {len(files)} files; planting {len(chosen)} (seed {args.seed})')
    if ninja(args.build, '-j', args.jobs).returncode:
        sys.exit('the unmutated build fails')
    programs = test_programs(args.build, exclude)

    original = {}

    def restore(*_):
        for path, text in original.items():
            with open(path, 'w', encoding='utf-8') as f:
                f.write(text)
        original.clear()

    signal.signal(signal.SIGTERM, lambda *_: (restore(), sys.exit(1)))
    root = os.getcwd()
    results = {'killed': 0, 'survived': 0, 'build failed': 0, 'no tests': 0}
    survivors = []
    try:
        for i, (path, n, start, end, new) in enumerate(chosen, 1):
            text = open(path, encoding='utf-8').read()
            lines = text.split('\n')
            old_line = lines[n]
            lines[n] = old_line[:start] + new + old_line[end:]
            where = f'{os.path.relpath(path, root)}:{n + 1}'
            change = (f'{old_line[start:end]!r} -> {new!r}' if new or start else
                      f'deleted {old_line.strip()!r}')
            targets = [p for p, deps in programs.items() if path in deps]
            started = time.time()
            if not targets:
                verdict = 'no tests'
            else:
                original[path] = text
                with open(path, 'w', encoding='utf-8') as f:
                    f.write('\n'.join(lines))
                if ninja(args.build, '-j', args.jobs, *targets).returncode:
                    verdict = 'build failed'
                else:
                    verdict = 'survived'
                    for p in targets:
                        if not run_tests(args.build, p, exclude, args.timeout):
                            verdict = 'killed'
                            break
                restore()
            results[verdict] += 1
            if verdict in ('survived', 'no tests'):
                survivors.append(f'{where}  {change}')
            print(f'[{i}/{len(chosen)}] {verdict:12} {where}  {change}  '
                  f'({len(targets)} programs, {time.time() - started:.0f}s)', flush=True)
    except KeyboardInterrupt:
        print('interrupted')
    finally:
        restore()
    counted = results['killed'] + results['survived'] + results['no tests']
    score = 100 * results['killed'] / counted if counted else 0
    print(f"\nkilled {results['killed']} / {counted} = {score:.0f}%  (survived "
          f"{results['survived']}, no tests {results['no tests']}, build failed "
          f"{results['build failed']}, seed {args.seed})")
    for s in survivors:
        print('  survivor', s)


if __name__ == '__main__':
    main()
