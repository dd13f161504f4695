#!/usr/bin/env python3
"""Named cyclic groups on rings with chains taken out: how many runs print a wrong row.

  bench/missing-chains-sweep.py QUORIX [--data DIR] [--max-missing K] [--sample S] [--keep-a]
                                [--against OLD_QUORIX]
  bench/missing-chains-sweep.py QUORIX --generated [--source PDB] [--orders 40,60]
                                [--noises 0.5,0.7,1.0] [--max-missing 15] [--sample S]

For every ring of the shared synthetic data (c5, c6, c7, c12 exact; c5, c7 with noise) and every
set of 1 .. K chains taken out (all of them, or S drawn at random with a fixed seed when there
are more), runs QUORIX on the rest with the file's group named and JSON output, and counts a
run as wrong when it fails, when a figure is NaN, or when a measured row is off the truth:
for an exact ring an RMSD above 0.01 Å, an axis 0.5 degrees or more off, or a centre 0.1 Å or
more off the true axis line; for a noisy ring an axis 1 degree or more off, or a centre 0.5 Å
or more off the line. Rows whose RMSD could not be measured (null) must still carry the group's
axis and centre. --keep-a keeps chain A in every subset (the sweep of the first report).
Prints one line per file and count of chains taken out: wrong runs of all runs, and the
largest axis error and centre distance from the true axis among the rows.

--generated sweeps large noisy rings instead: for every order and noise named, a ring of copies
of the first chain of --source (default tests/data/structure/1crn.pdb) 180 A from its axis, with
that Gaussian noise on every atom (made by make-noisy-ring.py), and 1 .. K chains taken out (S
random subsets per count, default 10). There a run is wrong when it fails, when a figure is NaN,
or when the chains are paired wrongly: every row's permutation (-p) must move each chain present
by one whole number of the ring's steps, onto the chain at that place or onto a missing slot
exactly where that place is empty, and the rows together must make every step but none. A last
line per ring adds the wrong runs up.

--against OLD_QUORIX runs every case with OLD_QUORIX too (both with -p -y -j) and counts the runs
whose text (timings, host, date, command line and the column of an unmeasured row's dash masked)
or JSON differ, and of those the runs that OLD_QUORIX got right: a change should only mend.
"""
import argparse
import itertools
import json
import math
import os
import random
import re
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
RINGS = ['c5_exact', 'c6_origin_zaxis', 'c7_exact', 'c12_exact', 'c5_noise0.5', 'c7_noise0.5']


def chains_of(lines):
    ids = []
    for line in lines:
        if line.startswith('ATOM') and line[21] not in ids:
            ids.append(line[21])
    return ids


def without(lines, gone):
    return [l for l in lines if not (l[:6].rstrip() in ('ATOM', 'HETATM', 'TER') and len(l) > 21 and l[21] in gone)]


def angle(a, b):
    na = math.sqrt(sum(x * x for x in a))
    nb = math.sqrt(sum(x * x for x in b))
    c = min(1.0, abs(sum(x * y for x, y in zip(a, b))) / (na * nb))
    return math.degrees(math.acos(c))


def off_line(p, centre, axis):
    d = [x - y for x, y in zip(p, centre)]
    n = math.sqrt(sum(x * x for x in axis))
    u = [x / n for x in axis]
    along = sum(x * y for x, y in zip(d, u))
    return math.sqrt(max(0.0, sum(x * x for x in d) - along * along))


MASKS = [(re.compile(r'^([^.:]*[A-Za-z)][^.:]*\.{3,} : ).*[0-9.e+-]+ s$', re.M), r'\1<time>'),
         (re.compile(r'^(Total time : \.+ : ).*', re.M), r'\1<time>'),
         (re.compile(r'^(Host name\.+ : ).*', re.M), r'\1<host>'),
         (re.compile(r'^(Started on\.+ : ).*', re.M), r'\1<date>'),
         (re.compile(r'^(Command-line arguments\.+ : ).*', re.M), r'\1<args>'),
         # The dash of an unmeasured row, which earlier builds print one column further right.
         (re.compile(r'^(      -|     - )', re.M), '<dash>')]


def run(quorix, pdb, group, out):
    """Runs quorix with -p -y -j out; returns the status, the masked text and the JSON document
    (None when not written) and its text."""
    if os.path.exists(out):
        os.remove(out)
    done = subprocess.run([quorix, pdb, group, '-p', '-y', '-j', out], capture_output=True, text=True)
    text = done.stdout
    for pattern, replacement in MASKS:
        text = pattern.sub(replacement, text)
    raw = open(out).read() if os.path.exists(out) else None
    return done.returncode, text + done.stderr, (json.loads(raw) if raw else None), raw


class Changes:
    """Runs whose output differs between the binary swept and the one it is compared against."""
    def __init__(self, against):
        self.against = against
        self.changed = 0
        self.changed_right = 0

    def compare(self, new, pdb, group, out, wrong_of, label, verbose):
        if not self.against:
            return
        old = run(self.against, pdb, group, out)
        if (old[0], old[1], old[3]) == (new[0], new[1], new[3]):
            return
        self.changed += 1
        before = 'status %d' % old[0] if old[0] else wrong_of(old[2])
        if not before:
            self.changed_right += 1
        if verbose:
            print('    changed:', label, 'before:', before or 'right')

    def summary(self):
        """The changes since the last summary."""
        if not self.against:
            return ''
        line = '; %d changed, %d of them right before' % (self.changed, self.changed_right)
        self.changed = self.changed_right = 0
        return line


def judge(doc, truth, noisy, worst):
    """None when every row is right, else the first complaint; worst keeps the largest axis
    error (degrees) and centre distance from the true axis (A) of the rows seen."""
    if not doc:
        return 'no group printed'
    axis = truth['main_axis']
    centre = truth['centre']
    for t in doc[0]['transforms']:
        if isinstance(t.get('AXIS'), list) and None not in t['AXIS'] and None not in t['CENTER']:
            worst[0] = max(worst[0], angle(t['AXIS'], axis))
            worst[1] = max(worst[1], off_line(t['CENTER'], centre, axis))
        for key in ('AXIS', 'CENTER', 'P0', 'P1', 'RAD_GYR'):
            v = t.get(key)
            vals = v if isinstance(v, list) else [v]
            if any(x is None or (isinstance(x, float) and math.isnan(x)) for x in vals):
                return key + ' missing'
        r = t['RMSD']
        if angle(t['AXIS'], axis) >= (1.0 if noisy else 0.5):
            return 'axis %.2f deg off' % angle(t['AXIS'], axis)
        if off_line(t['CENTER'], centre, axis) >= (0.5 if noisy else 0.1):
            return 'centre %.3f A off the axis' % off_line(t['CENTER'], centre, axis)
        if r is not None and not noisy and r > 0.01:
            return 'RMSD %.3f' % r
    return None


def wrong_pairing(doc, places, order):
    """None when every row's permutation moves every chain present by one whole step of the ring,
    and the rows make each step once; else the first complaint. places: the true place of each
    chain present, in file order."""
    if not doc:
        return 'no group printed'
    a = len(places)
    at = {p: j for j, p in enumerate(places)}
    steps = []
    for t in doc[0]['transforms']:
        for key in ('AXIS', 'CENTER', 'P0', 'P1', 'RAD_GYR'):
            v = t.get(key)
            vals = v if isinstance(v, list) else [v]
            if any(x is None or (isinstance(x, float) and math.isnan(x)) for x in vals):
                return key + ' missing'
        perm = t.get('permutation')
        if not perm or len(perm) != order:
            return 'no permutation'
        step = None
        for j in range(a):
            target = perm[j]
            if target < a:
                s = (places[target] - places[j]) % order
            else:
                continue
            if step is None:
                step = s
            elif s != step:
                return 'row of order %d pairs chains across different steps' % t['ORDER']
        if step is None:
            steps.append(None)
            continue
        for j in range(a):
            if (perm[j] < a) != ((places[j] + step) % order in at):
                return 'row %d: a chain paired with a missing slot where a chain is present, or back' % step
        steps.append(step)
    known = [s for s in steps if s is not None]
    if 0 in known or len(set(known)) != len(known):
        return 'rows repeat a step'
    return None


def generated(args):
    here = os.path.dirname(os.path.abspath(__file__))
    source = args.source or os.path.join(here, '..', 'tests', 'data', 'structure', '1crn.pdb')
    sample = args.sample if args.sample_given else 10
    rng = random.Random(11)
    totals = []
    changes = Changes(args.against)
    with tempfile.TemporaryDirectory() as tmp:
        for order in [int(x) for x in args.orders.split(',')]:
            for noise in [float(x) for x in args.noises.split(',')]:
                name = 'c%d_noise%g' % (order, noise)
                ring = os.path.join(tmp, name + '.pdb')
                subprocess.run([sys.executable, os.path.join(here, 'make-noisy-ring.py'), source, str(order), ring,
                                '--noise', str(noise), '--seed', str(order * 100 + int(noise * 10))], check=True)
                lines = open(ring).read().splitlines(True)
                ids = chains_of(lines)
                all_wrong = all_runs = 0
                for k in range(1, args.max_missing + 1):
                    wrong = 0
                    for _ in range(sample):
                        gone = rng.sample(ids[1:] if args.keep_a else ids, k)
                        places = [p for p, c in enumerate(ids) if c not in gone]
                        pdb = os.path.join(tmp, 'x.pdb')
                        out = os.path.join(tmp, 'x.json')
                        open(pdb, 'w').writelines(without(lines, gone))
                        new = run(args.quorix, pdb, 'c%d' % order, out)
                        wrong_of = lambda doc: wrong_pairing(doc, places, order)
                        why = 'status %d' % new[0] if new[0] else wrong_of(new[2])
                        label = name + ' ' + ''.join(sorted(gone))
                        if why:
                            wrong += 1
                            if args.verbose:
                                print('   ', label, why)
                        changes.compare(new, pdb, 'c%d' % order, out, wrong_of, label, args.verbose)
                    print('%-16s %2d missing: %3d wrong of %3d%s' % (name, k, wrong, sample, changes.summary()))
                    sys.stdout.flush()
                    all_wrong += wrong
                    all_runs += sample
                totals.append((name, all_wrong, all_runs))
    for name, wrong, runs in totals:
        print('%-16s all: %4d wrong of %4d' % (name, wrong, runs))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('quorix')
    ap.add_argument('--data', default=os.path.join(HERE, '..', '..', 'shared', 'data', 'synthetic'))
    ap.add_argument('--max-missing', type=int)
    ap.add_argument('--sample', type=int)
    ap.add_argument('--keep-a', action='store_true')
    ap.add_argument('--verbose', action='store_true')
    ap.add_argument('--generated', action='store_true')
    ap.add_argument('--source')
    ap.add_argument('--orders', default='40,60')
    ap.add_argument('--noises', default='0.5,0.7,1.0')
    ap.add_argument('--against')
    args = ap.parse_args()
    args.sample_given = args.sample is not None
    if args.generated:
        if args.max_missing is None:
            args.max_missing = 15
        generated(args)
        return
    if args.max_missing is None:
        args.max_missing = 3
    if args.sample is None:
        args.sample = 60
    rng = random.Random(7)
    changes = Changes(args.against)
    with tempfile.TemporaryDirectory() as tmp:
        for ring in RINGS:
            lines = open(os.path.join(args.data, ring + '.pdb')).read().splitlines(True)
            truth = json.load(open(os.path.join(args.data, ring + '.json')))
            group = truth['group'].lower()
            ids = chains_of(lines)
            pool = ids[1:] if args.keep_a else ids
            for k in range(1, args.max_missing + 1):
                subsets = list(itertools.combinations(pool, k))
                if len(subsets) > args.sample:
                    subsets = rng.sample(subsets, args.sample)
                wrong = 0
                worst = [0.0, 0.0]
                for gone in subsets:
                    pdb = os.path.join(tmp, 'x.pdb')
                    out = os.path.join(tmp, 'x.json')
                    open(pdb, 'w').writelines(without(lines, gone))
                    new = run(args.quorix, pdb, group, out)
                    why = 'status %d' % new[0] if new[0] else judge(new[2], truth, 'noise' in ring, worst)
                    if why:
                        wrong += 1
                        if args.verbose:
                            print('   ', ring, ''.join(gone), why)
                    changes.compare(new, pdb, group, out, lambda doc: judge(doc, truth, 'noise' in ring, [0.0, 0.0]),
                                    ring + ' ' + ''.join(gone), args.verbose)
                print('%-18s %d missing: %3d wrong of %3d   worst axis %.3f deg, centre %.3f A off the axis%s'
                      % (ring, k, wrong, len(subsets), worst[0], worst[1], changes.summary()))
                sys.stdout.flush()


if __name__ == '__main__':
    main()
