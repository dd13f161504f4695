#!/usr/bin/python3
"""Writes replication_sites.tsv: crystals of one or two chains, the site of a dihedral group
nearest the chains, and the true crystal mates of the first chain.

gemmi 0.5.7 (Debian python3-gemmi) resolves the space-group field as makeCrystalMates.py does. The
site symmetry of a point is the set of proper rotations of the group's operations (centring
included) that map the point onto itself up to a lattice vector. Every point of the 1/24 grid
within one cell of the chains' mean is tried; the nearest one whose site symmetry is the requested
dihedral group (of that order and not cyclic) is written, with its distance from the mean. The
script checks that the next such site is clearly farther, so that the answer is unambiguous.

Cases: crambin (the tests centre tests/data/structure/1crn.pdb on its atom mean), placed at the
given point as chain A, and for the pairs chain B = A moved by a crystal operation (the file holds
two chains that the group of the site already relates).

  case  <TAB> case <TAB> space-group field <TAB> a b c alpha beta gamma <TAB> group type and order
        <TAB> nearest site (x y z, A) <TAB> its distance from the mean of the chain centres (A)
  chain <TAB> case <TAB> rotation r11 .. r33 and translation t1 t2 t3 (A) placing the centred chain
  mate  <TAB> case <TAB> a true crystal mate of chain A within 80 A, as in crystal_mates.tsv

Usage (from this folder):  /usr/bin/python3 makeReplicationSites.py > replication_sites.tsv
"""
import itertools
import math

import gemmi

from makeCrystalMates import matmul, matvec, true_mates

GRID = 24
# Sites nearer than this to the nearest one would make the expected answer depend on rounding.
MARGIN = 1.0

# name, field, cell, group type, group order, centre of chain A (A), operation giving chain B
CASES = [
    # The 222 site (a/2, b/2, c/2) of the example: every axis through it is a translated one.
    ('P222_body', 'P 2 2 2', (60, 70, 80, 90, 90, 90), 'd', 2, (36.0, 40.0, 46.0), None),
    # (1/4, 1/4, 1/4): axes moved by centring vectors.
    ('F222_quarter', 'F 2 2 2', (80, 90, 100, 90, 90, 90), 'd', 2, (24.0, 18.9, 29.0), None),
    # (1/2, 1/2, 1/2) on rhombohedral axes, the chain nearest the lattice point (1, 1, 0).
    ('R32_body', 'R 3 2', (60, 60, 60, 70, 70, 70), 'd', 3, (55.5, 39.7, 22.4), None),
    # B = A under a 2-fold of the site nearest the pair, the origin.
    ('P222_pair', 'P 2 2 2', (60, 70, 80, 90, 90, 90), 'd', 2, (5.0, 4.0, 4.5), 'x,-y,-z'),
    ('P222_pair_z', 'P 2 2 2', (60, 70, 80, 90, 90, 90), 'd', 2, (5.0, 4.0, 4.5), '-x,-y,z'),
    ('P321_pair', 'P 3 2 1', (70, 70, 90, 90, 90, 120), 'd', 3, (5.0, 4.0, 4.5), 'x-y,-y,-z'),
]


def cartesian_op(uc, op):
    """Rotation and translation (A) of a gemmi operation in the cell's Cartesian frame."""
    orth, frac = uc.orth.mat.tolist(), uc.frac.mat.tolist()
    rot = matmul(matmul(orth, [[v / gemmi.Op.DEN for v in row] for row in op.rot]), frac)
    return rot, matvec(orth, [v / gemmi.Op.DEN for v in op.tran])


def site_rotations(sg, f):
    """The proper rotations (fractional, as tuples) of sg that fix the fractional point f."""
    found = set()
    for op in sg.operations():
        R = [[v // gemmi.Op.DEN for v in row] for row in op.rot]
        det = (R[0][0] * (R[1][1] * R[2][2] - R[1][2] * R[2][1]) - R[0][1] * (R[1][0] * R[2][2] - R[1][2] * R[2][0])
               + R[0][2] * (R[1][0] * R[2][1] - R[1][1] * R[2][0]))
        if det != 1:
            continue
        moved = [sum(R[i][k] * f[k] for k in range(3)) + op.tran[i] / gemmi.Op.DEN - f[i] for i in range(3)]
        if all(abs(d - round(d)) < 1e-9 for d in moved):
            found.add(tuple(v for row in R for v in row))
    return found


def rotation_order(R):
    trace = R[0] + R[4] + R[8]
    return {3: 1, 2: 6, 1: 4, 0: 3, -1: 2}[trace]


def is_dihedral(rotations, n):
    """Of order 2n and not cyclic: the dihedral group Dn (D2 included)."""
    return len(rotations) == 2 * n and max(rotation_order(R) for R in rotations) < 2 * n


def nearest_sites(sg, uc, mean, kind, order):
    """(distance, Cartesian point) of every grid point within a cell of mean with the group."""
    assert kind == 'd'
    f0 = uc.fractionalize(gemmi.Position(*mean))
    sites = []
    for steps in itertools.product(range(-GRID, GRID + 1), repeat=3):
        f = [round(c * GRID) / GRID + s / GRID for c, s in zip((f0.x, f0.y, f0.z), steps)]
        if is_dihedral(site_rotations(sg, f), order):
            p = uc.orthogonalize(gemmi.Fractional(*f))
            sites.append((math.dist((p.x, p.y, p.z), mean), (p.x, p.y, p.z)))
    return sorted(sites)


def main():
    print('# nearest sites and crystal mates from gemmi %s, written by makeReplicationSites.py' % gemmi.__version__)
    for name, field, cell, kind, order, centre, second in CASES:
        uc = gemmi.UnitCell(*cell)
        sg = gemmi.find_spacegroup_by_name(field, cell[3], cell[5])
        assert uc.is_compatible_with_spacegroup(sg), name
        motions = [([[1, 0, 0], [0, 1, 0], [0, 0, 1]], list(centre))]
        if second:
            rot, t = cartesian_op(uc, gemmi.Op(second))
            motions.append((rot, [a + b for a, b in zip(matvec(rot, centre), t)]))
        mean = [sum(m[1][i] for m in motions) / len(motions) for i in range(3)]
        sites = nearest_sites(sg, uc, mean, kind, order)
        distance, point = sites[0]
        farther = [d for d, p in sites if math.dist(p, point) > 1e-6]
        assert farther[0] - distance > MARGIN, name
        print('case\t%s\t%s\t%s\t%s %d\t%s\t%.4f' % (name, field, ' '.join('%g' % v for v in cell), kind, order,
                                                   ' '.join('%.4f' % v for v in point), distance))
        for rot, t in motions:
            print('chain\t%s\t%s' % (name, ' '.join('%.6f' % (round(v, 9) + 0.0) for v in [x for row in rot for x in row] + t)))
        for m in true_mates(sg, uc, centre):
            print('mate\t%s\t%s' % (name, m))


if __name__ == '__main__':
    main()
