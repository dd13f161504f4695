#!/usr/bin/python3
"""Writes crystal_mates.tsv: crystals of one chain and the true crystal mates of that chain.

The expected mates come from gemmi 0.5.7 (Debian python3-gemmi): gemmi resolves the space-group
field (for R groups on the axes the cell has, as the PDB format intends), and every operation of
its group (centring included) combined with the lattice vectors of components -2..2 is turned into
Cartesian form with gemmi's orthogonalisation of the cell (a along x, b in the xy plane). A mate
is kept when it moves the chain's centre by less than 80 A.

Cases: crambin (the tests centre tests/data/structure/1crn.pdb on its atom mean and move it to
the given point) in synthetic cells, and chain D of 1tii (1tii_chainD_ca.pdb, its CA atoms and
cell record), whose centre is the mean of its CA atoms.

  cell <TAB> case <TAB> space-group field <TAB> a b c alpha beta gamma <TAB> chain centre (x y z) <TAB> gemmi's name
  mate <TAB> case <TAB> rotation r11 .. r33 and translation t1 t2 t3 (A): x -> R x + t

Usage (from this folder):  /usr/bin/python3 makeCrystalMates.py > crystal_mates.tsv
"""
import gemmi

RADIUS = 80.0

# name, field, cell, chain centre (None: the CA atoms of the file)
CASES = [
    ('I212121', 'I 21 21 21', (60, 70, 80, 90, 90, 90), (37.0, 20.5, 10.0)),   # 7.6 A from a 2-fold at (a/2, b/4)
    ('P4212', 'P 4 21 2', (70, 70, 90, 90, 90, 90), (9.4, 35.0, 12.0)),        # 9.4 A from the 4-fold at (0, b/2)
    ('1tii_D', 'P 31 2 1', None, None),
    ('R3_hexagonal', 'R 3 :H', (80, 80, 100, 90, 90, 120), (8.0, 3.0, 10.0)),  # near the 3-fold at the origin
    ('R32_rhombohedral', 'R 3 2', (60, 60, 60, 70, 70, 70), (8.0, 3.0, 5.0)),  # near the 32 site at the origin
    ('P321', 'P 3 2 1', (70, 70, 90, 90, 90, 120), (5.0, 4.0, 4.5)),
    ('P23', 'P 2 3', (90, 90, 90, 90, 90, 90), (5.0, 4.0, 4.5)),
    ('P422', 'P 4 2 2', (70, 70, 90, 90, 90, 90), (5.0, 4.0, 4.5)),           # 6.4 A from the 4-fold, 35 A from 222
]


def matmul(a, b):
    return [[sum(a[i][k] * b[k][j] for k in range(3)) for j in range(3)] for i in range(3)]


def matvec(a, v):
    return [sum(a[i][k] * v[k] for k in range(3)) for i in range(3)]


def ca_file_case():
    st = gemmi.read_structure('1tii_chainD_ca.pdb')
    cas = [a.pos for r in st[0]['D'] for a in r if a.name == 'CA']
    centre = [sum(p.x for p in cas) / len(cas), sum(p.y for p in cas) / len(cas), sum(p.z for p in cas) / len(cas)]
    c = st.cell
    return (c.a, c.b, c.c, c.alpha, c.beta, c.gamma), centre


def true_mates(sg, uc, centre, radius=RADIUS, ranges=(2, 2, 2)):
    """Every operation of sg with the lattice vectors of components within ranges (-2..2 unless
    given), in Cartesian form, that moves centre by less than radius: the sorted lines
    'r11 .. r33 t1 t2 t3'."""
    orth, frac = uc.orth.mat.tolist(), uc.frac.mat.tolist()
    mates = set()
    for op in sg.operations():
        R = [[v / gemmi.Op.DEN for v in row] for row in op.rot]
        rot = matmul(matmul(orth, R), frac)
        for i in range(-ranges[0], ranges[0] + 1):
            for j in range(-ranges[1], ranges[1] + 1):
                for k in range(-ranges[2], ranges[2] + 1):
                    f = [op.tran[0] / gemmi.Op.DEN + i, op.tran[1] / gemmi.Op.DEN + j, op.tran[2] / gemmi.Op.DEN + k]
                    t = matvec(orth, f)
                    moved = [a + b for a, b in zip(matvec(rot, centre), t)]
                    if sum((a - b) ** 2 for a, b in zip(moved, centre)) < radius ** 2:
                        mates.add(' '.join('%.6f' % (v + 0.0) for v in [x for row in rot for x in row] + t))
    return sorted(mates)


def main():
    print('# crystal mates from gemmi %s, written by makeCrystalMates.py' % gemmi.__version__)
    for name, field, cell, centre in CASES:
        if cell is None:
            cell, centre = ca_file_case()
        uc = gemmi.UnitCell(*cell)
        sg = gemmi.find_spacegroup_by_name(field, cell[3], cell[5])
        assert uc.is_compatible_with_spacegroup(sg), name
        print('cell\t%s\t%s\t%s\t%s\t%s' % (name, field, ' '.join('%g' % v for v in cell),
                                            ' '.join('%.4f' % v for v in centre), sg.xhm()))
        for m in true_mates(sg, uc, centre):
            print('mate\t%s\t%s' % (name, m))


if __name__ == '__main__':
    main()
