#!/usr/bin/env python3
"""Protein families for the speed benchmark of corvid's default alignment, made from a seed:

  family100.fa  family200.fa  family500.fa  family1000.fa

Each file is one family of N related sequences of about 300 residues: a random ancestor (amino
acids in their usual background frequencies) evolved down a random binary tree, every branch
adding substitutions and a few short insertions and deletions. The seed of a family is its
size, so a file is the same on every run and machine (only random.random() is used).

Usage: make-family-fasta.py OUT_DIR [N ...]     (default N: 100 200 500 1000)
Then time, for example: corvid -in OUT_DIR/family500.fa -out /tmp/family500.afa

For the memory of long alignments, a few long copies of one random ancestor instead:

  make-family-fasta.py OUT_DIR --copies COUNT LENGTH [--dna]  ->  copies<COUNT>x<LENGTH>.fa
                                                                   (dnacopies... with --dna)

An ancestor of LENGTH amino acids (or nucleotides, uniform, with --dna) copied COUNT times, each
copy losing every residue with a chance of 3 % and having every other one replaced by a random
letter with a chance of 20 %; seeded by COUNT, LENGTH and the alphabet.
"""
import os
import random
import sys

# Background amino-acid frequencies (percent), in letter order.
AMINO = 'ACDEFGHIKLMNPQRSTVWY'
FREQS = [7.4, 2.5, 5.4, 5.4, 4.7, 7.4, 2.6, 6.8, 5.8, 9.9, 2.5, 4.5, 3.9, 3.4, 5.2, 5.7, 5.1, 7.3, 1.3, 3.2]
ANCESTOR_LENGTH = 300
LINE = 60

# Per-residue chance of a substitution and of an indel per unit of branch length.
SUBSTITUTION = 0.15
INDEL = 0.02
MAX_INDEL = 4

# The copies of --copies: per-residue chance of a deletion and of a substitution.
COPY_DELETION = 0.03
COPY_SUBSTITUTION = 0.20


def letter(rng):
    x = rng.random() * sum(FREQS)
    for a, f in zip(AMINO, FREQS):
        x -= f
        if x < 0:
            return a
    return AMINO[-1]


def evolve(rng, seq, length):
    out = []
    for a in seq:
        r = rng.random()
        if r < INDEL * length / 2:
            continue  # deletion of this residue (runs come from neighbouring draws)
        out.append(letter(rng) if rng.random() < SUBSTITUTION * length else a)
        if rng.random() < INDEL * length / 2:
            out.extend(letter(rng) for _ in range(1 + int(rng.random() * MAX_INDEL)))
    return ''.join(out)


def leaves(rng, seq, count, out):
    """Splits count sequences below seq into two subtrees, each down its own branch."""
    if count == 1:
        out.append(seq)
        return
    left = 1 + int(rng.random() * (count - 1))
    for part in (left, count - left):
        leaves(rng, evolve(rng, seq, 0.1 + 0.4 * rng.random()), part, out)


def family(n):
    rng = random.Random(n)
    ancestor = ''.join(letter(rng) for _ in range(ANCESTOR_LENGTH))
    out = []
    leaves(rng, ancestor, n, out)
    return out


def write(path, seqs):
    with open(path, 'w') as f:
        for i, s in enumerate(seqs):
            f.write('>seq%04d\n' % (i + 1))
            for k in range(0, len(s), LINE):
                f.write(s[k:k + LINE] + '\n')


def copies(count, length, dna):
    rng = random.Random(count * 1000003 + length * 2 + (1 if dna else 0))
    draw = (lambda: 'ACGT'[int(rng.random() * 4)]) if dna else (lambda: letter(rng))
    ancestor = [draw() for _ in range(length)]
    out = []
    for _ in range(count):
        copy = []
        for a in ancestor:
            if rng.random() < COPY_DELETION:
                continue
            copy.append(draw() if rng.random() < COPY_SUBSTITUTION else a)
        out.append(''.join(copy))
    return out


if __name__ == '__main__':
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    if len(sys.argv) > 2 and sys.argv[2] == '--copies':
        if len(sys.argv) not in (5, 6) or sys.argv[5:] not in ([], ['--dna']):
            sys.exit(__doc__)
        count, length, dna = int(sys.argv[3]), int(sys.argv[4]), len(sys.argv) == 6
        name = '%scopies%dx%d.fa' % ('dna' if dna else '', count, length)
        write(os.path.join(sys.argv[1], name), copies(count, length, dna))
        sys.exit(0)
    sizes = [int(a) for a in sys.argv[2:]] or [100, 200, 500, 1000]
    for n in sizes:
        write(os.path.join(sys.argv[1], 'family%d.fa' % n), family(n))
