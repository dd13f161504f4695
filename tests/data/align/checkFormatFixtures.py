#!/usr/bin/python3
"""Checks the golden alignment files with an independent reader (Biopython's Bio.AlignIO).

PREFIX.fa is the alignment; PREFIX.aln (ClustalW, strict header), PREFIX.msf, PREFIX.phy
(PHYLIP interleaved) and PREFIX.phys (PHYLIP sequential) must read back to its rows and to
its names as far as each format keeps them, and every MSF checksum must equal
Bio.SeqUtils.CheckSum.gcg (the GCG checksum) of the row as written. PREFIX.html, which no
Biopython reader takes, must give the rows of the ClustalW file (in any case) once its tags are
removed by the standard library's HTML parser. With an INPUT file (unaligned FASTA), every row
of PREFIX.fa without gaps must be the input sequence of its name, and PREFIX.score must give
each column of PREFIX.fa after its score. Run from this folder:
    /usr/bin/python3 checkFormatFixtures.py                            (PREFIX formats)
    /usr/bin/python3 checkFormatFixtures.py corvid/out corvid/in.fa    (the corvid program's run)
"""
import re
import sys
from html.parser import HTMLParser

from Bio import AlignIO
from Bio.SeqUtils.CheckSum import gcg as gcg_checksum  # the MSF (GCG) checksum


def names_and_rows(alignment, gap_map=None):
    rows = []
    for record in alignment:
        row = str(record.seq)
        if gap_map:
            row = row.translate(gap_map)
        rows.append((record.id, row))
    return rows


def check_input(prefix, input_path, rows, names):
    """Rows without gaps against the input; the score file's columns against the rows."""
    from Bio import SeqIO

    sequences = {record.id: str(record.seq) for record in SeqIO.parse(input_path, "fasta")}
    got = {name: row.replace("-", "") for name, row in zip(names, rows)}
    failures = int(got != sequences)
    print(f"{prefix}.fa rows without gaps = {input_path}: {'ok' if got == sequences else 'MISMATCH'}")
    with open(prefix + ".score") as f:
        columns = [line.rstrip("\n")[12:] for line in f]
    want = ["".join(row[col] for row in rows) for col in range(len(rows[0]))]
    failures += columns != want
    print(f"{prefix}.score: {len(columns)} columns: {'ok' if columns == want else 'MISMATCH'}")
    return failures


def main(prefix="formats", input_path=None):
    reference = AlignIO.read(prefix + ".fa", "fasta")
    # FASTA keeps the whole label; Bio's id is the label up to its first blank.
    full_names = [record.description for record in reference]
    rows = [str(record.seq) for record in reference]
    first_words = [name.split(" ")[0] for name in full_names]

    expected = {
        (prefix + ".aln", "clustal"): [w[:32] for w in first_words],
        (prefix + ".msf", "msf"): [w[:62] for w in first_words],
        (prefix + ".phy", "phylip"): [n[:10].strip() for n in full_names],
        (prefix + ".phys", "phylip-sequential"): [n[:10].strip() for n in full_names],
    }
    failures = 0
    for (path, fmt), names in expected.items():
        alignment = AlignIO.read(path, fmt)
        got = names_and_rows(alignment, str.maketrans(".", "-"))
        want = list(zip(names, rows))
        status = "ok" if got == want else "MISMATCH"
        failures += got != want
        print(f"{path} ({fmt}): {len(got)} rows of {alignment.get_alignment_length()} columns: {status}")
        if got != want:
            for g, w in zip(got, want):
                print("  got ", g)
                print("  want", w)

    # Each checksum of the MSF header against the row as the MSF blocks print it (gaps as '.').
    msf_rows = {name: row.replace("-", ".") for name, row in zip(expected[(prefix + ".msf", "msf")], rows)}
    with open(prefix + ".msf") as f:
        for line in f:
            m = re.match(r" Name: (\S+)\s+Len: (\d+)\s+Check:\s+(\d+)", line)
            if not m:
                continue
            name, length, check = m.group(1), int(m.group(2)), int(m.group(3))
            ok = check == gcg_checksum(msf_rows[name]) and length == len(msf_rows[name])
            failures += not ok
            print(f"{prefix}.msf checksum of {name}: {check} {'ok' if ok else 'MISMATCH'}")

    # The HTML page without its tags, against the ClustalW rows (the conservation lines aside).
    class Text(HTMLParser):
        text = ""

        def handle_data(self, data):
            self.text += data

    page = Text()
    with open(prefix + ".html") as f:
        page.feed(f.read())
    with open(prefix + ".aln") as f:
        clustal_rows = [line for line in f.read().split("\n")[1:] if line and not line.startswith(" ")]
    html_rows = [line.upper() for line in page.text.split("\n") if line]
    ok = html_rows == [line.upper() for line in clustal_rows]
    failures += not ok
    print(f"{prefix}.html: {len(html_rows)} row lines, as in {prefix}.aln: {'ok' if ok else 'MISMATCH'}")
    if input_path:
        failures += check_input(prefix, input_path, rows, first_words)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:3]))
