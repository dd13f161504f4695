#!/usr/bin/env python3
"""Whole-process time of two builds of quorix side by side, on the large cases.

  bench/compare-speed.py OLD_REV [NEW_REV] [--runs N] [--data DIR]

Builds OLD_REV (and NEW_REV, or else the working tree's build/quorix after building it) in
Release mode in temporary work trees, makes the inputs that no shared file provides
(make-speed-inputs.py), then runs every case N times (default 7), old and new in turn, and
prints the median wall-clock time of each and the ratio new/old. DIR is the shared data folder
(default ../shared/data beside the repository). Output files go to /dev/null.
"""
import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(HERE)


def build(rev, work):
    """Release build of quorix at rev in a work tree under work; returns the binary."""
    tree = os.path.join(work, 'tree-' + rev.replace('/', '_'))
    if not os.path.isdir(tree):
        subprocess.run(['git', '-C', REPO, 'worktree', 'add', '--detach', tree, rev], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    out = os.path.join(tree, 'build-speed')
    subprocess.run(['cmake', '-S', tree, '-B', out, '-DCMAKE_BUILD_TYPE=Release', '-DBUILD_TESTING=OFF'],
                   check=True, stdout=subprocess.DEVNULL)
    subprocess.run(['cmake', '--build', out, '--target', 'quorix', '-j', str(os.cpu_count())], check=True,
                   stdout=subprocess.DEVNULL)
    return os.path.join(out, 'quorix')


def seconds(binary, args):
    start = time.perf_counter()
    subprocess.run([binary] + args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
    return time.perf_counter() - start


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('old')
    parser.add_argument('new', nargs='?')
    parser.add_argument('--runs', type=int, default=7)
    parser.add_argument('--data', default=os.path.join(REPO, '..', 'shared', 'data'))
    options = parser.parse_args()

    work = os.path.join(tempfile.gettempdir(), 'quorix-speed')
    os.makedirs(work, exist_ok=True)
    old = build(options.old, work)
    if options.new:
        new = build(options.new, work)
    else:
        subprocess.run(['cmake', '-S', REPO, '-B', os.path.join(REPO, 'build'), '-DCMAKE_BUILD_TYPE=Release'],
                       check=True, stdout=subprocess.DEVNULL)
        subprocess.run(['cmake', '--build', os.path.join(REPO, 'build'), '--target', 'quorix', '-j',
                        str(os.cpu_count())], check=True, stdout=subprocess.DEVNULL)
        new = os.path.join(REPO, 'build', 'quorix')

    inputs = os.path.join(work, 'inputs')
    os.makedirs(inputs, exist_ok=True)
    if not os.path.exists(os.path.join(inputs, 't_exact.dcd')):
        subprocess.run([sys.executable, os.path.join(HERE, 'make-speed-inputs.py'),
                        os.path.join(options.data, 'synthetic'), inputs], check=True)

    structures = os.path.join(options.data, 'structures')
    synthetic = os.path.join(options.data, 'synthetic')
    cases = [
        ('2buk, 60 chains, automatic', [os.path.join(structures, '2buk_stnv_60mer.pdb')]),
        ('2buk, 60 chains, i', [os.path.join(structures, '2buk_stnv_60mer.pdb'), 'i']),
        ('i_exact, 60 chains, automatic', [os.path.join(synthetic, 'i_exact.pdb')]),
        ('o_exact, 24 chains, automatic', [os.path.join(synthetic, 'o_exact.pdb')]),
        ('ring of 48 chains, automatic', [os.path.join(inputs, 'ring48.pdb')]),
        ('t_exact, 12 chains, 1000 frames', [os.path.join(synthetic, 't_exact.pdb'), 't', '-d',
                                             os.path.join(inputs, 't_exact.dcd')]),
    ]
    print('%d cores; %d runs of each, old %s, new %s' % (os.cpu_count(), options.runs, options.old,
                                                         options.new or 'working tree'))
    print('%-34s %10s %10s %7s' % ('case', 'old (s)', 'new (s)', 'new/old'))
    for name, args in cases:
        olds, news = [], []
        seconds(old, args)  # warm the file cache
        for _ in range(options.runs):
            olds.append(seconds(old, args))
            news.append(seconds(new, args))
        o, n = statistics.median(olds), statistics.median(news)
        print('%-34s %10.3f %10.3f %7.2f' % (name, o, n, n / o))


if __name__ == '__main__':
    main()
