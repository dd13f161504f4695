#!/usr/bin/python3
"""Writes replication_sites.tsv: crystals of one or two chains, the site of a point group nearest
the chains, and the true crystal mates of the first chain.

gemmi 0.5.7 (Debian python3-gemmi) resolves the space-group field as makeCrystalMates.py does.

Dihedral groups: the site symmetry of a point is the set of proper rotations of the group's
operations (centring included) that map the point onto itself up to a lattice vector. Every point
of the 1/24 grid within one cell of the chains' mean is tried; the nearest one whose site symmetry
is the requested dihedral group (of that order and not cyclic) is written, with its distance from
the mean. Where no point of the grid has a site symmetry holding the group, and the two chains are
related by a rotation whose axis is parallel to every rotation axis of the crystal (so that no
rotation of the crystal can join them into the group either), the site is 'none'.

Cyclic groups: every operation whose rotation has the requested order, with the lattice vectors of
the given ranges added to its translation, is a rotation about an axis when its translation has no
part along the axis; the axis nearest the mean is written, as its point nearest the mean, with the
distance. The ranges are chosen per cell (very oblique cells need long ones), and the script checks
that the nearest axis lies inside them.

The script checks that the next site or axis is clearly farther, so that the answer is unambiguous.

Cases: crambin (the tests centre tests/data/structure/1crn.pdb on its atom mean), placed at the
given point as chain A, and for the pairs chain B = A moved by a crystal operation (the file holds
two chains that the group of the site already relates). For the cases on a plane of the crystal the
point given is that of chain A's CA atoms (the centre the site search measures from), which puts
the chain's centre on the plane to the precision of the coordinates.

  case  <TAB> case <TAB> space-group field <TAB> a b c alpha beta gamma <TAB> group type and order
        <TAB> nearest site (x y z, A), or none <TAB> its distance from the mean of the chain
        placements (A), or - ; for a cyclic group the site is a point of the axis
  chain <TAB> case <TAB> rotation r11 .. r33 and translation t1 t2 t3 (A) placing the centred chain
  mate  <TAB> case <TAB> a true crystal mate of chain A within 80 A (30 A in the oblique cells, over
        the lattice vectors searched there), as in crystal_mates.tsv

Usage (from this folder):  /usr/bin/python3 makeReplicationSites.py > replication_sites.tsv
"""
import itertools
import math

import gemmi

from makeCrystalMates import matmul, matvec, true_mates

GRID = 24
# Sites nearer than this to the nearest one would make the expected answer depend on rounding.
MARGIN = 0.5

# name, field, cell, group type, group order, centre of chain A (A), operation giving chain B,
# and for the cyclic groups the ranges of lattice vectors searched (None: the centre is chain A's
# atom mean, the dihedral site search)
CASES = [
    # The 222 site (a/2, b/2, c/2) of the example: every axis through it is a translated one.
    ('P222_body', 'P 2 2 2', (60, 70, 80, 90, 90, 90), 'd', 2, (36.0, 40.0, 46.0), None, None),
    # (1/4, 1/4, 1/4): axes moved by centring vectors.
    ('F222_quarter', 'F 2 2 2', (80, 90, 100, 90, 90, 90), 'd', 2, (24.0, 18.9, 29.0), None, None),
    # (1/2, 1/2, 1/2) on rhombohedral axes, the chain nearest the lattice point (1, 1, 0).
    ('R32_body', 'R 3 2', (60, 60, 60, 70, 70, 70), 'd', 3, (55.5, 39.7, 22.4), None, None),
    # B = A under a 2-fold of the site nearest the pair, the origin.
    ('P222_pair', 'P 2 2 2', (60, 70, 80, 90, 90, 90), 'd', 2, (5.0, 4.0, 4.5), 'x,-y,-z', None),
    ('P222_pair_z', 'P 2 2 2', (60, 70, 80, 90, 90, 90), 'd', 2, (5.0, 4.0, 4.5), '-x,-y,z', None),
    ('P321_pair', 'P 3 2 1', (70, 70, 90, 90, 90, 120), 'd', 3, (5.0, 4.0, 4.5), 'x-y,-y,-z', None),
    # Half a D2 tetramer: the 222 site on B's own 2-fold, not a nearer lone 2-fold that would add
    # a second pair unrelated to the first.
    ('P222_half', 'P 2 2 2', (40, 30, 120, 90, 90, 90), 'd', 2, (6.1, 4.2, 29.7), '-x,-y,z', None),
    # A dimer about the 2-fold of P 1 2 1, whose 2-folds are all parallel: no D2 at all.
    ('P121_dimer', 'P 1 2 1', (50, 40, 60, 90, 105, 90), 'd', 2, (5.0, 4.0, 4.5), '-x,y,-z', None),
    # Chains on the plane z = 0, where the 4-fold (6-fold) meets the 2-folds of the plane.
    ('P422_plane', 'P 4 2 2', (70, 70, 90, 90, 90, 90), 'c', 4, (7.0, 10.5, 0.0), None, (3, 3, 3)),
    ('P622_plane', 'P 6 2 2', (70, 70, 90, 90, 90, 120), 'c', 6, (12.0, 5.0, 0.0), None, (3, 3, 3)),
    # Very oblique cells: a and c nearly opposite, so that rounding the cell coordinates of the
    # chains gives a lattice point far from them.
    ('I121_oblique', 'I 1 2 1', (77.231, 49.066, 85.161, 90, 174.6, 90), 'c', 2, (3.0, 5.0, 20.0), None,
     (30, 2, 30)),
    ('P121_oblique', 'P 1 2 1', (300, 50, 10, 90, 178.5, 90), 'c', 2, (4.0, 5.0, 3.0), None, (4, 2, 130)),
]
# Cases whose point is that of chain A's CA atoms.
CA_CENTRED = {'P422_plane', 'P622_plane'}
OBLIQUE = {'I121_oblique', 'P121_oblique'}


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
        if det(R) != 1:
            continue
        moved = [sum(R[i][k] * f[k] for k in range(3)) + op.tran[i] / gemmi.Op.DEN - f[i] for i in range(3)]
        if all(abs(d - round(d)) < 1e-9 for d in moved):
            found.add(tuple(v for row in R for v in row))
    return found


def det(R):
    return (R[0][0] * (R[1][1] * R[2][2] - R[1][2] * R[2][1]) - R[0][1] * (R[1][0] * R[2][2] - R[1][2] * R[2][0])
            + R[0][2] * (R[1][0] * R[2][1] - R[1][1] * R[2][0]))


def rotation_order(R):
    trace = R[0] + R[4] + R[8]
    return {3: 1, 2: 6, 1: 4, 0: 3, -1: 2}[trace]


def is_dihedral(rotations, n):
    """Of order 2n and not cyclic: the dihedral group Dn (D2 included)."""
    return len(rotations) == 2 * n and max(rotation_order(R) for R in rotations) < 2 * n


def nearest_sites(sg, uc, mean, order):
    """(distance, Cartesian point) of every grid point within a cell of mean with the group Dn."""
    f0 = uc.fractionalize(gemmi.Position(*mean))
    sites = []
    for steps in itertools.product(range(-GRID, GRID + 1), repeat=3):
        f = [round(c * GRID) / GRID + s / GRID for c, s in zip((f0.x, f0.y, f0.z), steps)]
        if is_dihedral(site_rotations(sg, f), order):
            p = uc.orthogonalize(gemmi.Fractional(*f))
            sites.append((math.dist((p.x, p.y, p.z), mean), (p.x, p.y, p.z)))
    return sorted(sites)


def solve(A, b):
    """x with A x = b (3 x 3, Cramer's rule)."""
    d = det(A)
    x = []
    for k in range(3):
        Ak = [[b[i] if j == k else A[i][j] for j in range(3)] for i in range(3)]
        x.append(det(Ak) / d)
    return x


def rotation_axis(R):
    """Unit axis of a Cartesian rotation of order above 1."""
    w = [R[2][1] - R[1][2], R[0][2] - R[2][0], R[1][0] - R[0][1]]  # 2 sin(angle) axis
    if math.hypot(*w) < 1e-6:  # a half turn: R + I = 2 u u^T
        cols = [[R[i][j] + (i == j) for i in range(3)] for j in range(3)]
        w = max(cols, key=lambda c: math.hypot(*c))
    n = math.hypot(*w)
    return [v / n for v in w]


def nearest_axes(sg, uc, mean, order, ranges):
    """(distance, point of the axis nearest mean, lattice vector) of every axis of a rotation of the
    given order, over the lattice vectors of components within ranges."""
    orth = uc.orth.mat.tolist()
    axes = []
    for op in sg.operations():
        Rf = [[v // gemmi.Op.DEN for v in row] for row in op.rot]
        if det(Rf) != 1 or rotation_order([v for row in Rf for v in row]) != order:
            continue
        R, t0 = cartesian_op(uc, op)
        u = rotation_axis(R)
        # (I - R + u u^T) p = t has the point p of the axis nearest the origin as its solution.
        A = [[(i == j) - R[i][j] + u[i] * u[j] for j in range(3)] for i in range(3)]
        for L in itertools.product(*(range(-r, r + 1) for r in ranges)):
            t = [a + b for a, b in zip(t0, matvec(orth, L))]
            if abs(sum(a * b for a, b in zip(t, u))) > 1e-6:  # a screw axis
                continue
            p = solve(A, t)
            d = [m - q for m, q in zip(mean, p)]
            along = sum(a * b for a, b in zip(d, u))
            foot = [q + along * c for q, c in zip(p, u)]
            axes.append((math.dist(foot, mean), foot, L))
    return sorted(axes)


def main():
    st = gemmi.read_structure('../structure/1crn.pdb')
    atoms = [a.pos for r in st[0]['A'] for a in r]
    cas = [a.pos for r in st[0]['A'] for a in r if a.name == 'CA']
    # The CA centre of the chain centred on its atom mean.
    ca_offset = [sum(getattr(p, c) for p in cas) / len(cas) - sum(getattr(p, c) for p in atoms) / len(atoms)
                 for c in 'xyz']
    print('# nearest sites and crystal mates from gemmi %s, written by makeReplicationSites.py' % gemmi.__version__)
    for name, field, cell, kind, order, centre, second, ranges in CASES:
        uc = gemmi.UnitCell(*cell)
        sg = gemmi.find_spacegroup_by_name(field, cell[3], cell[5])
        assert uc.is_compatible_with_spacegroup(sg), name
        if name in CA_CENTRED:
            centre = tuple(round(c - o, 6) for c, o in zip(centre, ca_offset))
        motions = [([[1, 0, 0], [0, 1, 0], [0, 0, 1]], list(centre))]
        if second:
            rot, t = cartesian_op(uc, gemmi.Op(second))
            motions.append((rot, [a + b for a, b in zip(matvec(rot, centre), t)]))
        mean = [sum(m[1][i] for m in motions) / len(motions) for i in range(3)]
        if kind == 'd':
            sites = nearest_sites(sg, uc, mean, order)
            if not sites:
                # No site holds the group, and the pair's own 2-fold is parallel to every rotation
                # axis of the crystal.
                pair_axis = rotation_axis(cartesian_op(uc, gemmi.Op(second))[0])
                for op in sg.operations():
                    R = cartesian_op(uc, op)[0]
                    if det(R) > 0 and R[0][0] + R[1][1] + R[2][2] < 3 - 1e-6:
                        assert abs(abs(sum(a * b for a, b in zip(rotation_axis(R), pair_axis))) - 1) < 1e-9, name
        else:
            axes = nearest_axes(sg, uc, mean, order, ranges)
            assert all(abs(v) < r for v, r in zip(axes[0][2], ranges)), name  # inside the ranges searched
            sites = [(d, p) for d, p, L in axes]
        if sites:
            distance, point = sites[0]
            farther = [d for d, p in sites if math.dist(p, point) > 1e-6]
            assert farther[0] - distance > MARGIN, name
            site = '%s\t%.4f' % (' '.join('%.4f' % (v + 0.0) for v in point), distance)
        else:
            site = 'none\t-'
        print('case\t%s\t%s\t%s\t%s %d\t%s' % (name, field, ' '.join('%g' % v for v in cell), kind, order, site))
        for rot, t in motions:
            print('chain\t%s\t%s' % (name, ' '.join('%.6f' % (round(v, 9) + 0.0) for v in [x for row in rot for x in row] + t)))
        # In the oblique cells, the mates within 30 A, over the lattice vectors searched.
        oblique = name in OBLIQUE
        for m in true_mates(sg, uc, centre, 30.0 if oblique else 80.0, ranges if oblique else (2, 2, 2)):
            print('mate\t%s\t%s' % (name, m))


if __name__ == '__main__':
    main()
