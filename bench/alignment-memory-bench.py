#!/usr/bin/env python3
"""Peak memory and CPU time of corvid's alignment on long sequences and of its usual work, for
one or more builds side by side:

  bench/alignment-memory-bench.py [--runs N] [--callgrind] [--cases WORD,...] [--data DIR] [--work DIR]
                                  LABEL=BINDIR ...

BINDIR holds the programs corvid and quorix of one build (build/ of a work tree, say). The
inputs that no shared file provides are made in the work folder (default
/tmp/alignment-memory-bench) by make-family-fasta.py:

  copies3x10000     3 protein sequences of about 10,000 residues        corvid -in
  copies3x20000     3 protein sequences of about 20,000 residues        corvid -in -maxiters 2
  dnacopies2x12000  2 nucleotide sequences of about 12,000 bases        corvid -in
  balibase          the 50 BAliBASE cases of DIR/msa/cases, one after another (CPU summed)
  family500         500 related protein sequences of about 300 residues corvid -in
  2buk              the 60 chains of DIR/structures/2buk_stnv_60mer.pdb quorix

Each case runs N times (default 3) per build, builds in turn; the table gives the median CPU
seconds (user + system, /usr/bin/time) and the largest peak resident size (MB) of a run, and
the ratio of each build to the first. With --callgrind the CPU column is the instruction count
of one run under valgrind's callgrind tool instead (exact and insensitive to machine load, but
some fifty times slower). --cases keeps the cases whose name contains one of the words. DIR is the shared data folder (default ../shared/data beside the
repository). Alignments go to the work folder and are not compared here.
"""
import argparse
import glob
import os
import re
import statistics
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(HERE)


def make_inputs(work):
    generator = [sys.executable, os.path.join(HERE, 'make-family-fasta.py'), work]
    inputs = [('copies3x10000', ['--copies', '3', '10000']), ('copies3x20000', ['--copies', '3', '20000']),
              ('dnacopies2x12000', ['--copies', '2', '12000', '--dna']), ('family500', ['500'])]
    for name, args in inputs:
        if not os.path.exists(os.path.join(work, name + '.fa')):
            subprocess.run(generator + args, check=True)


def cases(work, data, bindir):
    """(name, [command, ...]) per case; a case of several commands sums their figures."""
    corvid = os.path.join(bindir, 'corvid')
    out = os.path.join(work, 'out.afa')

    def align(name, *extra):
        return [corvid, '-in', os.path.join(work, name + '.fa'), '-out', out, '-quiet'] + list(extra)

    balibase = [[corvid, '-in', path, '-out', out, '-quiet']
                for path in sorted(glob.glob(os.path.join(data, 'msa', 'cases', '*', 'in.fa')))]
    return [
        ('copies3x10000', [align('copies3x10000')]),
        ('copies3x20000 -maxiters 2', [align('copies3x20000', '-maxiters', '2')]),
        ('dnacopies2x12000', [align('dnacopies2x12000')]),
        ('balibase (50 cases)', balibase),
        ('family500', [align('family500')]),
        ('2buk (quorix)', [[os.path.join(bindir, 'quorix'), os.path.join(data, 'structures', '2buk_stnv_60mer.pdb')]]),
    ]


def timed(command):
    """(CPU seconds, peak resident MB) of one run."""
    with tempfile.NamedTemporaryFile(mode='r') as figures:
        subprocess.run(['/usr/bin/time', '-o', figures.name, '-f', '%U %S %M'] + command,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
        user, system, kb = figures.read().split()[-3:]
    return float(user) + float(system), int(kb) / 1000.0


def instructions(command):
    """Instruction count of one run under callgrind."""
    with tempfile.TemporaryDirectory() as scratch:
        result = subprocess.run(['valgrind', '--tool=callgrind',
                                 '--callgrind-out-file=' + os.path.join(scratch, 'callgrind.out')] + command,
                                stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True, check=False)
    match = re.search(r'Collected : (\d+)', result.stderr)
    return int(match.group(1)) if match else float('nan')


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('builds', nargs='+', help='LABEL=BINDIR')
    parser.add_argument('--runs', type=int, default=3)
    parser.add_argument('--callgrind', action='store_true')
    parser.add_argument('--cases', default='')
    parser.add_argument('--data', default=os.path.join(REPO, '..', 'shared', 'data'))
    parser.add_argument('--work', default=os.path.join(tempfile.gettempdir(), 'alignment-memory-bench'))
    options = parser.parse_args()
    builds = [b.split('=', 1) for b in options.builds]
    os.makedirs(options.work, exist_ok=True)
    make_inputs(options.work)

    per_build = [cases(options.work, options.data, bindir) for _, bindir in builds]
    cpu_head = 'instructions' if options.callgrind else 'CPU s'
    print('%-26s %-12s %16s %10s %10s %10s' % ('case', 'build', cpu_head, 'peak MB', 'CPU ratio', 'mem ratio'))
    words = [w for w in options.cases.split(',') if w]
    for index, (name, _) in enumerate(per_build[0]):
        if words and not any(w in name for w in words):
            continue
        first = None
        for (label, _), build_cases in zip(builds, per_build):
            commands = build_cases[index][1]
            peak = 0.0
            if options.callgrind:
                cpu = sum(instructions(c) for c in commands)
                for c in commands:
                    peak = max(peak, timed(c)[1])
            else:
                totals = []
                for _ in range(options.runs):
                    runs = [timed(c) for c in commands]
                    totals.append(sum(r[0] for r in runs))
                    peak = max([peak] + [r[1] for r in runs])
                cpu = statistics.median(totals)
            if first is None:
                first = (cpu, peak)
            print('%-26s %-12s %16s %10.1f %10.3f %10.3f' %
                  (name, label, ('%d' % cpu) if options.callgrind else ('%.2f' % cpu), peak,
                   cpu / first[0] if first[0] else float('nan'), peak / first[1] if first[1] else float('nan')))
        sys.stdout.flush()


if __name__ == '__main__':
    main()
