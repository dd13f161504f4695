#!/usr/bin/python3
"""Checks the golden alignment files with an independent reader (Biopython's Bio.AlignIO).

formats.fa is the alignment; formats.aln (ClustalW, strict header), formats.msf, formats.phy
(PHYLIP interleaved) and formats.phys (PHYLIP sequential) must read back to its rows and to
its names as far as each format keeps them, and every MSF checksum must equal
Bio.SeqUtils.CheckSum.gcg (the GCG checksum) of the row as written. formats.html, which no
Biopython reader takes, must give the rows of the ClustalW file (in any case) once its tags are
removed by the standard library's HTML parser. Run from this folder:
    /usr/bin/python3 checkFormatFixtures.py
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


def main():
    reference = AlignIO.read("formats.fa", "fasta")
    # FASTA keeps the whole label; Bio's id is the label up to its first blank.
    full_names = [record.description for record in reference]
    rows = [str(record.seq) for record in reference]
    first_words = [name.split(" ")[0] for name in full_names]

    expected = {
        ("formats.aln", "clustal"): [w[:32] for w in first_words],
        ("formats.msf", "msf"): [w[:62] for w in first_words],
        ("formats.phy", "phylip"): [n[:10].strip() for n in full_names],
        ("formats.phys", "phylip-sequential"): [n[:10].strip() for n in full_names],
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
    msf_rows = {name: row.replace("-", ".") for name, row in zip(expected[("formats.msf", "msf")], rows)}
    with open("formats.msf") as f:
        for line in f:
            m = re.match(r" Name: (\S+)\s+Len: (\d+)\s+Check:\s+(\d+)", line)
            if not m:
                continue
            name, length, check = m.group(1), int(m.group(2)), int(m.group(3))
            ok = check == gcg_checksum(msf_rows[name]) and length == len(msf_rows[name])
            failures += not ok
            print(f"formats.msf checksum of {name}: {check} {'ok' if ok else 'MISMATCH'}")

    # The HTML page without its tags, against the ClustalW rows (the conservation lines aside).
    class Text(HTMLParser):
        text = ""

        def handle_data(self, data):
            self.text += data

    page = Text()
    with open("formats.html") as f:
        page.feed(f.read())
    with open("formats.aln") as f:
        clustal_rows = [line for line in f.read().split("\n")[1:] if line and not line.startswith(" ")]
    html_rows = [line.upper() for line in page.text.split("\n") if line]
    ok = html_rows == [line.upper() for line in clustal_rows]
    failures += not ok
    print(f"formats.html: {len(html_rows)} row lines, as in formats.aln: {'ok' if ok else 'MISMATCH'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
