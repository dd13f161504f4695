#!/usr/bin/env python3
"""Inputs of the speed benchmark that no shared file provides, made from shared synthetic files:

  ring48.pdb     48 copies of chain A of c3_exact.pdb (all atoms) around a tilted axis, 3 decimals
  t_exact.dcd    1,000 frames of every atom record of t_exact.pdb (12 chains), each frame the
                 structure turned and moved a little further (rigid motions keep its symmetry)

Usage: make-speed-inputs.py SYNTHETIC_DIR OUT_DIR
"""
import math
import struct
import sys


def atom_lines(path):
    with open(path) as f:
        for line in f:
            if line.startswith('END') and not line.startswith('ENDMDL'):
                return
            if line.startswith(('ATOM', 'HETATM')):
                yield line.rstrip('\n')


def rotation(axis, angle):
    x, y, z = axis
    c, s, t = math.cos(angle), math.sin(angle), 1.0 - math.cos(angle)
    return ((t * x * x + c, t * x * y - s * z, t * x * z + s * y),
            (t * x * y + s * z, t * y * y + c, t * y * z - s * x),
            (t * x * z - s * y, t * y * z + s * x, t * z * z + c))


def apply(m, v):
    return tuple(sum(m[i][j] * v[j] for j in range(3)) for i in range(3))


def position(line):
    return float(line[30:38]), float(line[38:46]), float(line[46:54])


def ring(source, out, n):
    chain = [l for l in atom_lines(source) if l[21] == 'A']
    points = [position(l) for l in chain]
    centre = [sum(p[i] for p in points) / len(points) for i in range(3)]
    norm = math.sqrt(0.3 ** 2 + 0.5 ** 2 + 0.8 ** 2)
    axis = (0.3 / norm, -0.5 / norm, 0.8 / norm)
    across = (axis[1], -axis[0], 0.0)
    length = math.hypot(across[0], across[1])
    radius = max(30.0, 2.3 * n)
    offset = tuple(a / length * radius for a in across)
    ids = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789'
    serial = 0
    with open(out, 'w') as f:
        for k in range(n):
            m = rotation(axis, 2.0 * math.pi * k / n)
            for line, p in zip(chain, points):
                q = apply(m, tuple(p[i] - centre[i] + offset[i] for i in range(3)))
                serial += 1
                f.write('%s%5d%s%s%s%8.3f%8.3f%8.3f%s\n' % (line[:6], serial % 100000, line[11:21], ids[k],
                                                          line[22:30], q[0] + 10.0, q[1] - 5.0, q[2] + 3.0, line[54:]))
            f.write('TER\n')
        f.write('END\n')


def trajectory(source, out, frames):
    points = [position(l) for l in atom_lines(source)]
    n = len(points)

    def record(data):
        return struct.pack('<i', len(data)) + data + struct.pack('<i', len(data))

    control = [0] * 20
    control[0] = control[3] = frames
    control[19] = 24
    with open(out, 'wb') as f:
        f.write(record(b'CORD' + struct.pack('<20i', *control)))
        f.write(record(struct.pack('<i', 1) + b'rigid motions of t_exact.pdb'.ljust(80)))
        f.write(record(struct.pack('<i', n)))
        for t in range(frames):
            m = rotation((0.6, 0.0, 0.8), 0.002 * t)
            moved = [apply(m, p) for p in points]
            for i in range(3):
                f.write(record(struct.pack('<%df' % n, *[q[i] + 0.01 * t for q in moved])))


if __name__ == '__main__':
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    synthetic, out = sys.argv[1], sys.argv[2]
    ring(synthetic + '/c3_exact.pdb', out + '/ring48.pdb', 48)
    trajectory(synthetic + '/t_exact.pdb', out + '/t_exact.dcd', 1000)
