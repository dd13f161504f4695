#!/usr/bin/env python3
"""Writes hetero_a4b4_c4_ca.pdb and its ground truth hetero_a4b4_c4.json: a C4 ring of four
haemoglobin alpha+beta pairs, made from chains A and B of hetero_a2b2_c2_ca.pdb.

The pair is moved so that its centre of mass lies 32 A from the ring's axis, then turned by
k quarter turns (k = 0 .. 3) about that axis; pair k becomes chains (alpha, beta) =
(A, B), (C, D), (E, F), (G, H). Coordinates are rounded to the PDB's thousandths.

  python3 make_hetero_ring.py    (run in this folder)
"""
import json
import math

AXIS = [1.0 / 3.0, 2.0 / 3.0, 2.0 / 3.0]  # unit
CENTRE = [12.0, -7.0, 25.0]
RADIUS = 32.0


def rotate(p, k):
    """p turned by k quarter turns about AXIS through CENTRE (Rodrigues)."""
    t = k * math.pi / 2.0
    c, s = math.cos(t), math.sin(t)
    v = [p[i] - CENTRE[i] for i in range(3)]
    d = sum(AXIS[i] * v[i] for i in range(3))
    x = [AXIS[1] * v[2] - AXIS[2] * v[1], AXIS[2] * v[0] - AXIS[0] * v[2], AXIS[0] * v[1] - AXIS[1] * v[0]]
    return [CENTRE[i] + v[i] * c + x[i] * s + AXIS[i] * d * (1.0 - c) for i in range(3)]


def main():
    atoms = [l for l in open('hetero_a2b2_c2_ca.pdb') if l.startswith('ATOM') and l[21] in 'AB']
    xyz = [[float(l[30:38]), float(l[38:46]), float(l[46:54])] for l in atoms]
    mass = [sum(p[i] for p in xyz) / len(xyz) for i in range(3)]
    # A direction perpendicular to the axis, to place the pair's centre of mass.
    out = [1.0, 0.0, 0.0]
    d = sum(out[i] * AXIS[i] for i in range(3))
    out = [out[i] - d * AXIS[i] for i in range(3)]
    n = math.sqrt(sum(x * x for x in out))
    target = [CENTRE[i] + RADIUS * out[i] / n for i in range(3)]
    shift = [target[i] - mass[i] for i in range(3)]
    lines = ['HEADER    SYNTHETIC ASSEMBLY\n',
             'REMARK 999 C4 RING OF FOUR HAEMOGLOBIN ALPHA+BETA PAIRS; SEE make_hetero_ring.py\n']
    serial = 1
    for k in range(4):
        for line, p in zip(atoms, xyz):
            chain = 'ABCDEFGH'[2 * k + (0 if line[21] == 'A' else 1)]
            q = rotate([p[i] + shift[i] for i in range(3)], k)
            lines.append('%s%5d%s%s%s%8.3f%8.3f%8.3f%s' % (line[:6], serial, line[11:21], chain, line[22:30],
                                                          q[0], q[1], q[2], line[54:]))
            serial += 1
            if line is atoms[-1] or atoms[atoms.index(line) + 1][21] != line[21]:
                lines.append('TER\n')
    lines.append('END\n')
    open('hetero_a4b4_c4_ca.pdb', 'w').writelines(lines)
    json.dump({'group': 'C4', 'centre': CENTRE, 'main_axis': AXIS,
               'axes': [{'fold': 4, 'direction': AXIS}], 'noise_sigma': 0.0,
               'chains': {'alpha': 'ACEG', 'beta': 'BDFH'}},
              open('hetero_a4b4_c4.json', 'w'), indent=1)


if __name__ == '__main__':
    main()
