#!/usr/bin/python3
"""Writes replication_cases.tsv: crystals whose chains the file's own rotations relate, and what
crystal-mate replication must make of them, judged with gemmi 0.5.7 (Debian python3-gemmi).

Cases (crambin, centred on its atom mean as the tests centre tests/data/structure/1crn.pdb, one
placement per chain):
- whole: the file holds the whole assembly already (a C5 ring about an arbitrary axis, a D2
  tetramer), in space groups where gemmi finds no proper rotation with a fixed point (P 1, and
  P 21 21 21, whose 2-folds are all screws): no site can hold the group, and nothing is added.
- site: the assembly completed about a site (or, for the copies turned from a true group, the
  crystal's own site that replaces the completion those copies would have made). The site is a point of the crystal whose rotations
  (gemmi's site symmetry: the proper rotations of the group's operations, centring included, that
  map the point onto itself up to a lattice vector) hold the rotations listed, checked here. Where
  the site alone makes the group (dihedral requests), it is gemmi's nearest site with that group
  on the 1/24 grid within a cell of the chains; where the file's own rotation completes it, it is
  the point where that rotation's axis meets the crystal's axis, which the script builds.
- larger: no site has the group itself; the nearest site whose group holds it and is larger
  (gemmi's site symmetry on the 1/24 grid), with the name of that group.
- none: no site of the group at all (gemmi: no rotation of the order requested).

  case  <TAB> name <TAB> space-group field <TAB> a b c alpha beta gamma <TAB> group type and n
        <TAB> whole | site x y z | larger NAME x y z | none <TAB> chains after replication
        <TAB> noise: each atom coordinate moved by up to this (A) by the tests' fixed sequence
  chain <TAB> name <TAB> r11 .. r33 t1 t2 t3: placement of the centred chain (a mirror image
        where the determinant is -1)
  mate  <TAB> name <TAB> k <TAB> a true crystal mate of the file's chain k within 60 A (over
        lattice vectors long enough for chains far from the origin), as rotation and translation
        acting on that chain's placed atoms

Usage (from this folder):  /usr/bin/python3 makeReplicationCases.py > replication_cases.tsv
"""
import itertools
import math
import sys

import gemmi

from makeCrystalMates import matmul, matvec, true_mates
from makeReplicationSites import GRID, cartesian_op, det, site_rotations

IDENTITY = [[1.0, 0.0, 0.0], [0.0, 1.0, 0.0], [0.0, 0.0, 1.0]]


def unit(v):
    n = math.sqrt(sum(c * c for c in v))
    return [c / n for c in v]


def cross(a, b):
    return [a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]]


def turn(axis, angle):
    """Rotation matrix by angle (radians) about the unit axis."""
    x, y, z = unit(axis)
    c, s = math.cos(angle), math.sin(angle)
    C = 1 - c
    return [[c + x * x * C, x * y * C - z * s, x * z * C + y * s],
            [y * x * C + z * s, c + y * y * C, y * z * C - x * s],
            [z * x * C - y * s, z * y * C + x * s, c + z * z * C]]


def about(point, R, placement):
    """The placement moved by R about point."""
    rot, t = placement
    return matmul(R, rot), [a + p - b for a, p, b in zip(matvec(R, t), point, matvec(R, point))]


def at(centre, rot=IDENTITY):
    return [row[:] for row in rot], list(centre)


def site_group(sg, uc, point):
    return site_rotations(sg, uc.fractionalize(gemmi.Position(*point)).tolist())


def order_of(R):
    return {3: 1, 2: 6, 1: 4, 0: 3, -1: 2}[R[0] + R[4] + R[8]]


def group_name(rotations):
    n, top = len(rotations), max(order_of(R) for R in rotations)
    if top == n:
        return 'C%d' % n
    if 2 * top == n:
        return 'D%d' % top
    return {12: 'T', 24: 'O'}[n]


def holds(name, wanted):
    """Whether the point group `name` holds the group `wanted` (C2 .. D6, T), for the groups of
    crystal sites."""
    inside = {'O': {'C2', 'C3', 'C4', 'D2', 'D3', 'D4', 'T', 'O'}, 'T': {'C2', 'C3', 'D2', 'T'}}
    if name in inside:
        return wanted in inside[name]
    kind, n = name[0], int(name[1:])
    wkind, m = wanted[0], int(wanted[1:]) if wanted[1:].isdigit() else 0
    if wkind == 'C':
        return n % m == 0 or (kind == 'D' and m == 2)
    return kind == 'D' and wkind == 'D' and n % m == 0


def sites_on_grid(sg, uc, mean):
    """(distance, point, group name) of every point of the 1/24 grid within a cell of mean whose
    site symmetry has a rotation."""
    f0 = uc.fractionalize(gemmi.Position(*mean))
    found = []
    for steps in itertools.product(range(-GRID, GRID + 1), repeat=3):
        f = [round(c * GRID) / GRID + s / GRID for c, s in zip((f0.x, f0.y, f0.z), steps)]
        rotations = site_rotations(sg, f)
        if len(rotations) > 1:
            p = uc.orthogonalize(gemmi.Fractional(*f))
            found.append((math.dist((p.x, p.y, p.z), mean), (p.x, p.y, p.z), group_name(list(rotations))))
    return sorted(found)


def nearest_with(sites, test):
    """The nearest site whose group passes test, checked to be clear of the next one."""
    chosen = [s for s in sites if test(s[2])]
    assert chosen and all(math.dist(s[1], chosen[0][1]) < 1e-6 or s[0] - chosen[0][0] > 0.5 for s in chosen[1:])
    return chosen[0]


def cyclic_ring(centre, axis, radius, n, spin):
    """n placements of a ring about the line through centre along axis."""
    a = unit(axis)
    w = unit(cross(a, [0.3, 1.0, 0.2]))
    first = at([c + radius * x for c, x in zip(centre, w)], turn([0.2, 0.7, 0.4], spin))
    return [about(centre, turn(a, 2 * math.pi * k / n), first) for k in range(n)]


def tetramer(centre, frame_turn, offset):
    """D2 tetramer: the chain at centre + offset and its images by the three 2-folds of a frame."""
    F = frame_turn
    first = at([c + o for c, o in zip(centre, matvec(F, offset))], turn([0.5, -0.3, 0.8], 0.9))
    axes = [[F[i][k] for i in range(3)] for k in range(3)]
    return [first] + [about(centre, turn(ax, math.pi), first) for ax in axes]


def cases():
    out = []
    # Item: the file holds the whole assembly already.
    ring = cyclic_ring([31.0, 12.0, 44.0], [0.31, -0.52, 0.79], 22.0, 5, 0.7)
    out.append(('P212121_ring_c5', 'P 21 21 21', (60, 70, 80, 90, 90, 90), 'c', 5, ring, 'whole', 0.0))
    tet = tetramer([18.0, 27.0, 33.0], turn([0.4, 0.2, 0.9], 0.6), [9.0, 12.0, 7.0])
    out.append(('P1_tetramer_d2', 'P 1', (50, 60, 70, 90, 90, 90), 'd', 2, tet, 'whole', 0.0))
    out.append(('P212121_tetramer_d2', 'P 21 21 21', (60, 70, 80, 90, 90, 90), 'd', 2, tet, 'whole', 0.0))
    out.append(('P212121_tetramer_c2', 'P 21 21 21', (60, 70, 80, 90, 90, 90), 'c', 2, tet, 'whole', 0.0))

    # Reach: one chain of H -3 c, the 32 site at (1/3, 5/3, -19/12) beside it.
    out.append(('H-3c_chain_d3', 'H -3 c', (67.666, 67.666, 99.511, 90, 90, 120), 'd', 3,
                [at([-37.722, 91.401, -148.832])], 'nearest D3', 0.0))
    # Reach: I 2 2 2, two chains related by a 4-fold along the x-parallel 2-fold at y = 0, z = 3
    # cells, their mean at z = 2.497 cells: the 222 point of that line completes D4.
    uc = gemmi.UnitCell(63.259, 81.361, 15.75, 90, 90, 90)
    X = uc.orthogonalize(gemmi.Fractional(0.5, 0.0, 3.0)).tolist()
    A = at([X[0] + 13.83, X[1] - 3.0, X[2] - 12.84], turn([0.6, 0.1, -0.3], 1.1))
    out.append(('I222_quarter_d4', 'I 2 2 2', (63.259, 81.361, 15.75, 90, 90, 90), 'd', 4,
                [A, about(X, turn([1, 0, 0], math.pi / 2), A)], 'site', 0.0, X, 8))
    # Reach: C 1 2/c 1, two chains related by a 2-fold across b that meets the b 2-fold through
    # (2.5, 0.3, -2.75), their mean above it by more than a quarter of c.
    cell = (73.963, 47.623, 53.727, 90, 98.07, 90)
    uc = gemmi.UnitCell(*cell)
    X = uc.orthogonalize(gemmi.Fractional(2.5, 0.3, -2.75)).tolist()
    u = unit([0.2, 0.0, 0.98])
    v = unit(cross(u, [0.0, 1.0, 0.0]))
    A = at([x + 16.0 * a + 12.0 * b + 11.6 * c for x, a, b, c in zip(X, u, [0, 1, 0], v)], turn([0.1, 0.9, 0.2], 2.0))
    out.append(('C12c1_own2fold_d2', 'C 1 2/c 1', cell, 'd', 2, [A, about(X, turn(u, math.pi), A)], 'site', 0.0, X, 4))

    # The file's own rotations only where they hold: I 2 2 2, a pair about a 2-fold across the
    # x-parallel 2-fold at x = a/5, the second chain then turned 8.6 degrees about the line through
    # its centre along x (the rotations still make a D2, but the pair's motion is now a screw).
    cell = (60, 70, 80, 90, 90, 90)
    uc = gemmi.UnitCell(*cell)
    X = uc.orthogonalize(gemmi.Fractional(0.2, 0.0, 0.0)).tolist()
    u = unit([0.0, math.cos(0.87), math.sin(0.87)])
    A = at([X[0] + 1.0, X[1] + 8.0, X[2] + 6.0], turn([0.3, 0.3, 0.9], 0.4))
    B = about(X, turn(u, math.pi), A)
    B = about(B[1], turn([1.0, 0.0, 0.0], math.radians(8.6)), B)
    out.append(('I222_turned_d2', 'I 2 2 2', cell, 'd', 2, [A, B], 'nearest D2', 0.0))
    # P 2 2 2, B = A under a 2-fold through the x-parallel 2-fold at x = a/5, but 1.5 degrees off
    # the perpendicular (B turned 3 degrees from the place a D2 would give it): the chains fit
    # within 2 A, the products of the rotations miss by 6 degrees. The nearest 222 site instead.
    n = unit(cross(u, [1.0, 0.0, 0.0]))
    tilted = matvec(turn(n, math.radians(1.5)), u)
    A = at([x + 7.0 * a + 1.5 * b for x, a, b in zip(X, n, u)], turn([0.6, 0.3, 0.2], 0.7))
    out.append(('P222_tilted_d2', 'P 2 2 2', cell, 'd', 2, [A, about(X, turn(tilted, math.pi), A)], 'nearest D2', 0.0))
    # Noise: P 2 2 2, B = A under the 2-fold along x through the 222 point at the origin, both
    # moved 0.2 A along z and every atom by up to 0.1 A: the 222 point, not a 2-fold's own point.
    A = at([5.0, 4.0, 4.7])
    B = about([0, 0, 0], turn([1, 0, 0], math.pi), at([5.0, 4.0, 4.5]))
    B = (B[0], [B[1][0], B[1][1], B[1][2] + 0.2])
    out.append(('P222_noisy_d2', 'P 2 2 2', (60, 70, 80, 90, 90, 90), 'd', 2, [A, B], 'nearest D2', 0.1))
    # Dn through a C2 site, noisy: P 1 2 1, three chains about a 3-fold of their own across the
    # 2-fold along b at the origin, every atom moved by up to 0.3 A: D3 about their meeting point.
    cell = (50, 40, 60, 90, 105, 90)
    X = [0.0, 12.0, 0.0]
    u = unit([math.cos(0.35), 0.0, math.sin(0.35)])
    A = at([x + 11.0 * b + 4.0 * c for x, b, c in zip(X, [0, 1, 0], u)], turn([0.2, 0.4, 0.9], 1.3))
    trio = [about(X, turn(u, 2 * math.pi * k / 3), A) for k in range(3)]
    out.append(('P121_own3fold_d3', 'P 1 2 1', cell, 'd', 3, trio, 'site', 0.3, X, 6))
    # A mirror image is no rotation: P 1 2 1, B = A mirrored through a plane that holds the
    # 2-fold along b; a fit that may reflect would take the 2-fold and the mirror as a C4.
    n = unit([math.cos(0.5), 0.0, math.sin(0.5)])
    M = [[(i == j) - 2 * n[i] * n[j] for j in range(3)] for i in range(3)]
    A = at([4.0, 17.0, 9.0], turn([0.7, 0.2, 0.3], 0.8))
    B = (matmul(M, A[0]), [a - 2 * n[i] * sum(n[k] * (A[1][k] - X[k]) for k in range(3)) for i, a in enumerate(A[1])])
    out.append(('P121_mirror_c4', 'P 1 2 1', cell, 'c', 4, [A, B], 'none', 0.0))

    # Refusals that name a larger site: one chain 0.96 A from an O site of I 4 3 2 (T), and one
    # chain of P 4 3 2 near its D4 and O sites (D2).
    out.append(('I432_chain_t', 'I 4 3 2', (100, 100, 100, 90, 90, 90), 't', 12, [at([0.5, 0.6, 0.55])],
                'larger T', 0.0))
    out.append(('P432_chain_d2', 'P 4 3 2', (100, 100, 100, 90, 90, 90), 'd', 2, [at([44.0, 3.0, 6.0])],
                'larger D2', 0.0))
    # The old spelling H 3 2, on hexagonal axes: no 4-fold.
    out.append(('H32_chain_c4', 'H 3 2', (70, 70, 90, 90, 90, 120), 'c', 4, [at([5.0, 4.0, 4.5])], 'none', 0.0))
    return out


def main():
    print('# replication cases from gemmi %s, written by makeReplicationCases.py' % gemmi.__version__)
    for case in cases():
        name, field, cell, kind, n, placements, expect, noise = case[:8]
        uc = gemmi.UnitCell(*cell)
        sg = gemmi.find_spacegroup_by_name(field, cell[3], cell[5])
        assert sg is not None and uc.is_compatible_with_spacegroup(sg), name
        proper = [op for op in sg.operations() if det([[v // gemmi.Op.DEN for v in r] for r in op.rot]) == 1]
        mean = [sum(p[1][i] for p in placements) / len(placements) for i in range(3)]
        wanted = {'c': 'C%d' % n, 'd': 'D%d' % n, 't': 'T', 'o': 'O'}[kind]
        chains = len(placements)
        if expect == 'whole':
            # No proper rotation of the group fixes any point: every 2-fold is a screw.
            for op in proper:
                R = [[v // gemmi.Op.DEN for v in r] for r in op.rot]
                if R != [[1, 0, 0], [0, 1, 0], [0, 0, 1]]:
                    assert order_of([v for r in R for v in r]) == 2
                    assert any(op.tran[i] % gemmi.Op.DEN and R[i][i] == 1 for i in range(3)), name
            text = 'whole'
        elif expect.startswith('nearest'):
            d, point, group = nearest_with(sites_on_grid(sg, uc, mean), lambda g: g == expect.split()[1])
            text = 'site %.4f %.4f %.4f' % tuple(point)
            chains = len(placements) * (2 * int(expect.split()[1][1:]))
            if name == 'P222_noisy_d2':
                chains = 4  # the pair is one of the site's own pairs
        elif expect == 'site':
            point, chains = case[8], case[9]
            rotations = site_group(sg, uc, point)
            assert len(rotations) > 1 and group_name(list(rotations)).startswith(('C2', 'D2')), name
            text = 'site %.4f %.4f %.4f' % tuple(point)
        elif expect.startswith('larger'):
            sites = sites_on_grid(sg, uc, mean)
            assert not any(g == wanted for d, p, g in sites), name
            d, point, group = nearest_with(sites, lambda g: g != wanted and holds(g, wanted))
            text = 'larger %s %.4f %.4f %.4f' % ((group,) + tuple(point))
        else:
            assert kind == 'c' and not any(order_of([v // gemmi.Op.DEN for r in op.rot for v in r]) == n for op in proper), name
            text = 'none'
        print('%s: %s, the chains\' mean %.2f A from it' % (name, text, math.dist(mean, [float(v) for v in text.split()[-3:]]) if text.split()[0] in ('site', 'larger') else 0.0), file=sys.stderr)
        print('case\t%s\t%s\t%s\t%s %d\t%s\t%d\t%g' % (name, field, ' '.join('%g' % v for v in cell), kind, n, text,
                                                       chains, noise))
        for rot, t in placements:
            print('chain\t%s\t%s' % (name, ' '.join('%.6f' % (round(v, 9) + 0.0) for v in [x for r in rot for x in r] + t)))
        for k, (rot, t) in enumerate(placements):
            # Lattice vectors long enough to bring back a chain several cells from the origin.
            f = uc.fractionalize(gemmi.Position(*t))
            reach = int(2 * max(abs(f.x), abs(f.y), abs(f.z))) + 2
            for m in true_mates(sg, uc, t, 60.0, (reach, reach, reach)):
                print('mate\t%s\t%d\t%s' % (name, k, m))


if __name__ == '__main__':
    main()
