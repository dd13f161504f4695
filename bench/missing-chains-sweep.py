#!/usr/bin/env python3
"""Named cyclic groups on rings with chains taken out: how many runs print a wrong row.

  bench/missing-chains-sweep.py QUORIX [--data DIR] [--max-missing K] [--sample S] [--keep-a]

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
"""
import argparse
import itertools
import json
import math
import os
import random
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


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('quorix')
    ap.add_argument('--data', default=os.path.join(HERE, '..', '..', 'shared', 'data', 'synthetic'))
    ap.add_argument('--max-missing', type=int, default=3)
    ap.add_argument('--sample', type=int, default=60)
    ap.add_argument('--keep-a', action='store_true')
    ap.add_argument('--verbose', action='store_true')
    args = ap.parse_args()
    rng = random.Random(7)
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
                    if os.path.exists(out):
                        os.remove(out)
                    run = subprocess.run([args.quorix, pdb, group, '-j', out], capture_output=True, text=True)
                    why = 'status %d' % run.returncode if run.returncode else None
                    if why is None:
                        why = judge(json.load(open(out)), truth, 'noise' in ring, worst)
                    if why:
                        wrong += 1
                        if args.verbose:
                            print('   ', ring, ''.join(gone), why)
                print('%-18s %d missing: %3d wrong of %3d   worst axis %.3f deg, centre %.3f A off the axis'
                      % (ring, k, wrong, len(subsets), worst[0], worst[1]))
                sys.stdout.flush()


if __name__ == '__main__':
    main()
