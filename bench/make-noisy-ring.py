#!/usr/bin/env python3
"""Writes a cyclic ring of copies of one chain, with Gaussian noise on every atom, and its truth.

  bench/make-noisy-ring.py SOURCE.pdb ORDER OUT.pdb [--radius R] [--noise S] [--seed N]

The first chain of SOURCE is moved so that its centre of mass lies R A (default 180) from the
ring's axis (a tilted line, not a coordinate axis), then turned by k steps of 360/ORDER degrees
about that axis (k = 0 .. ORDER - 1); copy k is chain k of CHAIN_IDS, so the file lists the
chains in ring order. Independent Gaussian noise of S A (default 1.0) is added to each x, y and z
of every atom after the turn; coordinates are rounded to the PDB's thousandths. OUT.json beside
OUT.pdb holds the group, the axis, the centre, the noise and the chain ids in ring order, in the
form the missing-chains sweep reads.
"""
import argparse
import json
import math
import os
import random

CHAIN_IDS = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789'
AXIS = [1.0 / 3.0, 2.0 / 3.0, 2.0 / 3.0]  # unit
CENTRE = [12.0, -7.0, 25.0]


def rotate(p, angle):
    """p turned by angle (radians) about AXIS through CENTRE (Rodrigues)."""
    c, s = math.cos(angle), math.sin(angle)
    v = [p[i] - CENTRE[i] for i in range(3)]
    d = sum(AXIS[i] * v[i] for i in range(3))
    x = [AXIS[1] * v[2] - AXIS[2] * v[1], AXIS[2] * v[0] - AXIS[0] * v[2], AXIS[0] * v[1] - AXIS[1] * v[0]]
    return [CENTRE[i] + v[i] * c + x[i] * s + AXIS[i] * d * (1.0 - c) for i in range(3)]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('source')
    ap.add_argument('order', type=int)
    ap.add_argument('out')
    ap.add_argument('--radius', type=float, default=180.0)
    ap.add_argument('--noise', type=float, default=1.0)
    ap.add_argument('--seed', type=int, default=1)
    args = ap.parse_args()
    if not 2 <= args.order <= len(CHAIN_IDS):
        ap.error('ORDER must be 2 .. %d' % len(CHAIN_IDS))
    rng = random.Random(args.seed)

    atoms = []
    for line in open(args.source):
        if line.startswith('ATOM'):
            if atoms and line[21] != atoms[0][21]:
                break
            atoms.append(line.rstrip('\n').ljust(80))
    xyz = [[float(l[30:38]), float(l[38:46]), float(l[46:54])] for l in atoms]
    mass = [sum(p[i] for p in xyz) / len(xyz) for i in range(3)]
    # A direction perpendicular to the axis, to place the chain's centre of mass.
    out = [1.0, 0.0, 0.0]
    d = sum(out[i] * AXIS[i] for i in range(3))
    out = [out[i] - d * AXIS[i] for i in range(3)]
    n = math.sqrt(sum(x * x for x in out))
    shift = [CENTRE[i] + args.radius * out[i] / n - mass[i] for i in range(3)]

    lines = ['HEADER    SYNTHETIC ASSEMBLY\n',
             'REMARK 999 C%d RING, RADIUS %.1f A, NOISE %.2f A, SEED %d; SEE make-noisy-ring.py\n'
             % (args.order, args.radius, args.noise, args.seed)]
    serial = 1
    for k in range(args.order):
        chain = CHAIN_IDS[k]
        for line, p in zip(atoms, xyz):
            q = rotate([p[i] + shift[i] for i in range(3)], 2.0 * math.pi * k / args.order)
            q = [x + rng.gauss(0.0, args.noise) for x in q]
            lines.append('%s%5d%s%s%s%8.3f%8.3f%8.3f%s\n' % (line[:6], serial % 100000, line[11:21], chain,
                                                           line[22:30], q[0], q[1], q[2], line[54:].rstrip()))
            serial += 1
        lines.append('TER\n')
    lines.append('END\n')
    open(args.out, 'w').writelines(lines)
    truth = {'group': 'C%d' % args.order, 'centre': CENTRE, 'main_axis': AXIS, 'radius': args.radius,
             'noise_sigma': args.noise, 'seed': args.seed, 'source': os.path.basename(args.source),
             'file_chain_order': list(CHAIN_IDS[:args.order])}
    json.dump(truth, open(os.path.splitext(args.out)[0] + '.json', 'w'), indent=1)


if __name__ == '__main__':
    main()
