#!/usr/bin/python3
"""Writes sw_dna.txt: local alignments of DNA pairs made by an independent aligner.

Biopython's PairwiseAligner in local mode scores with HOXD70 + 60 (the engine's nucleotide
matrix) and a flat gap of -400 (open -400, extension 0), the engine's DNA gap cost. A case is
kept only when Biopython finds exactly one best alignment and that alignment never puts a gap
in one sequence right after a gap in the other (the engine's local aligner enters and leaves
every gap through a match, so such an alignment is out of its reach). For each case the file
holds the two sequences, the best score and the two rows the engine writes for it: the
unmatched starts in lower case side by side, padded with '.', the matched region in upper case
with '-' gaps, then the unmatched ends the same way. Run from this folder:
    /usr/bin/python3 makeSwFixtures.py
"""
import random

from Bio import Align
from Bio.Align import substitution_matrices

GAP = -400.0
CASES = 8


def aligner():
    hoxd70 = substitution_matrices.load("HOXD70")
    a = Align.PairwiseAligner()
    a.mode = "local"
    a.substitution_matrix = hoxd70 + 60
    a.open_gap_score = GAP
    a.extend_gap_score = 0.0
    return a


def random_dna(rng, n):
    return "".join(rng.choice("ACGT") for _ in range(n))


def mutate(rng, s, substitutions, indels):
    s = list(s)
    for _ in range(substitutions):
        i = rng.randrange(len(s))
        s[i] = rng.choice([c for c in "ACGT" if c != s[i]])
    for _ in range(indels):
        i = rng.randrange(5, len(s) - 5)
        if rng.random() < 0.5:
            del s[i : i + rng.randint(1, 3)]
        else:
            s[i:i] = random_dna(rng, rng.randint(1, 3))
    return "".join(s)


def columns(alignment):
    """The aligned region as (row A, row B, start A, end A, start B, end B)."""
    coords = alignment.coordinates
    row_a, row_b = "", ""
    for k in range(coords.shape[1] - 1):
        a0, a1 = coords[0][k], coords[0][k + 1]
        b0, b1 = coords[1][k], coords[1][k + 1]
        la, lb = a1 - a0, b1 - b0
        row_a += alignment.target[a0:a1] if la else "-" * lb
        row_b += alignment.query[b0:b1] if lb else "-" * la
    return row_a, row_b, coords[0][0], coords[0][-1], coords[1][0], coords[1][-1]


def block(a, b):
    width = max(len(a), len(b))
    return a.lower().ljust(width, "."), b.lower().ljust(width, ".")


def gaps_adjacent(row_a, row_b):
    return any(
        (row_a[k] == "-" and row_b[k + 1] == "-") or (row_b[k] == "-" and row_a[k + 1] == "-")
        for k in range(len(row_a) - 1)
    )


def candidates(rng):
    core = random_dna(rng, 40)
    yield "identical", core, core
    yield "middle", random_dna(rng, 10) + core + random_dna(rng, 5), random_dna(rng, 3) + mutate(rng, core, 2, 0) + random_dna(rng, 12)
    k = 0
    while True:
        core = random_dna(rng, rng.randint(25, 45))
        a = random_dna(rng, rng.randint(0, 12)) + core + random_dna(rng, rng.randint(0, 12))
        b = random_dna(rng, rng.randint(0, 12)) + mutate(rng, core, rng.randint(0, 4), rng.randint(1, 2)) + random_dna(rng, rng.randint(0, 12))
        k += 1
        yield "random%d" % k, a, b


def main():
    rng = random.Random(20261208)
    al = aligner()
    out = []
    for name, a, b in candidates(rng):
        alignments = al.align(a, b)
        if len(alignments) != 1:
            continue
        alignment = alignments[0]
        row_a, row_b, sa, ea, sb, eb = columns(alignment)
        if gaps_adjacent(row_a, row_b):
            continue
        head_a, head_b = block(a[:sa], b[:sb])
        tail_a, tail_b = block(a[ea:], b[eb:])
        out.append(
            "case %s\na %s\nb %s\nscore %g\nrowA %s\nrowB %s\nend\n"
            % (name, a, b, alignment.score, head_a + row_a + tail_a, head_b + row_b + tail_b)
        )
        if len(out) == CASES:
            break
    with open("sw_dna.txt", "w") as f:
        f.write("".join(out))


if __name__ == "__main__":
    main()
