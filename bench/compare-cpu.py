#!/usr/bin/env python3
"""CPU of two quorix binaries side by side, per input file (automatic detection):

  bench/compare-cpu.py OLD_QUORIX NEW_QUORIX [--pairs N] [--cpu C] [--no-callgrind] [FILE ...]

For each file it prints the instructions that callgrind counts for a whole run of each binary
(exact, and blind to the load of a shared machine), then N pairs of runs pinned to processor C
with taskset, old and new in turn: the medians of each one's user + system CPU seconds, the
median of the per-pair ratios new/old, and the median peak resident memory (kB) of each (it
varies by a megabyte from run to run). Output goes to /dev/null. FILE defaults to the shared files whose
detection cost is watched: 1l2y, 1aq5, 2buk and the icosahedral synthetic assemblies.
"""
import argparse
import os
import re
import statistics
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, '..', '..', 'shared', 'data')
DEFAULT_FILES = [os.path.join(DATA, 'structures', name) for name in
                 ('1l2y_nmr.pdb', '1aq5_nmr.pdb', '2buk_stnv_60mer.pdb')] + \
                [os.path.join(DATA, 'synthetic', name) for name in ('i_exact.pdb', 'i_noise0.5.pdb')]


def instructions(binary, path):
    """Instructions of the whole run, as callgrind counts them."""
    with tempfile.NamedTemporaryFile(suffix='.callgrind') as profile:
        run = subprocess.run(['valgrind', '--tool=callgrind', '--callgrind-out-file=' + profile.name, binary, path],
                             stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True, check=False)
    found = re.search(r'Collected : (\d+)', run.stderr)
    return int(found.group(1)) if found else None


def pinned_run(binary, path, cpu):
    """User + system CPU seconds and peak resident memory (kB) of one run pinned to one processor.
    The seconds come from the kernel's accounting of the finished processes (microseconds, finer
    than /usr/bin/time's); the memory from /usr/bin/time, whose child does not inherit the peak of
    this Python process as a child of this process would."""
    with tempfile.NamedTemporaryFile(mode='r', suffix='.time') as memory, open(os.devnull, 'wb') as null:
        process = subprocess.Popen(['taskset', '-c', str(cpu), '/usr/bin/time', '-f', '%M', '-o', memory.name,
                                    binary, path], stdout=null, stderr=null)
        _, _, usage = os.wait4(process.pid, 0)
        return usage.ru_utime + usage.ru_stime, int(memory.read().split()[-1])


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('old')
    parser.add_argument('new')
    parser.add_argument('files', nargs='*')
    parser.add_argument('--pairs', type=int, default=11)
    parser.add_argument('--cpu', type=int, default=2)
    parser.add_argument('--no-callgrind', action='store_true')
    options = parser.parse_intermixed_args()

    print('%-22s %14s %14s %6s | %8s %8s %6s | %9s %9s' % (
        'file', 'old instr', 'new instr', 'ratio', 'old cpu', 'new cpu', 'ratio', 'old kB', 'new kB'))
    for path in options.files or DEFAULT_FILES:
        name = os.path.splitext(os.path.basename(path))[0]
        old_count = new_count = None
        if not options.no_callgrind:
            old_count, new_count = instructions(options.old, path), instructions(options.new, path)
        pinned_run(options.old, path, options.cpu)  # warm the file cache
        olds, news, ratios, old_memory, new_memory = [], [], [], [], []
        for _ in range(options.pairs):
            old_seconds, memory = pinned_run(options.old, path, options.cpu)
            old_memory.append(memory)
            new_seconds, memory = pinned_run(options.new, path, options.cpu)
            new_memory.append(memory)
            olds.append(old_seconds)
            news.append(new_seconds)
            if old_seconds > 0:
                ratios.append(new_seconds / old_seconds)
        counted = old_count and new_count
        print('%-22s %14s %14s %6s | %8.3f %8.3f %6.3f | %9.0f %9.0f' % (
            name[:22], '{:,}'.format(old_count) if old_count else '-', '{:,}'.format(new_count) if new_count else '-',
            '%.3f' % (new_count / old_count) if counted else '-', statistics.median(olds), statistics.median(news),
            statistics.median(ratios) if ratios else float('nan'), statistics.median(old_memory),
            statistics.median(new_memory)))


if __name__ == '__main__':
    main()
