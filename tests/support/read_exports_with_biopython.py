"""Reads the FASTA, PHYLIP and NEXUS exports of one alignment with
Biopython's AlignIO and compares names, lengths and characters with the
alignment they were written from.

Usage: read_exports_with_biopython.py FOLDER
FOLDER holds alignment.tsv (first line the data type, then one line per row:
name TAB aligned characters) and export.fasta, export.phy, export.nex.
Prints one line per format; exits 1 at the first difference."""

import sys

from Bio import AlignIO


def fail(text):
    print("FAILED: " + text)
    sys.exit(1)


def main(folder):
    with open(folder + "/alignment.tsv", encoding="latin-1") as f:
        lines = f.read().split("\n")
    data_type = lines[0]
    rows = [line.split("\t", 1) for line in lines[1:] if line]
    missing = "X" if data_type == "AMINO" else "N"

    def ends(text):
        stripped = text.strip("-")
        if not stripped:
            return len(text), -1
        first = len(text) - len(text.lstrip("-"))
        return first, len(text.rstrip("-")) - 1

    def compare(what, name, written, held):
        if len(written) != len(held):
            fail("%s %s: %d characters, expected %d" % (what, name, len(written), len(held)))
        for k, (w, h) in enumerate(zip(written, held)):
            if w != h and not (h == "-" and w == missing):
                fail("%s %s: character %d is %r, expected %r" % (what, name, k + 1, w, h))

    first = min(ends(text)[0] for _, text in rows)
    last = max(ends(text)[1] for _, text in rows)
    expected = {
        "fasta": [(name.split()[0], text[ends(text)[0]:ends(text)[1] + 1]) for name, text in rows],
        "phylip-sequential": [(name[:9].strip(), text[first:last + 1]) for name, text in rows],
        "nexus": [(name[:12], text[first:last + 1]) for name, text in rows],
    }
    files = {"fasta": "export.fasta", "phylip-sequential": "export.phy", "nexus": "export.nex"}
    for fmt, wanted in expected.items():
        alignment = AlignIO.read(folder + "/" + files[fmt], fmt)
        if len(alignment) != len(wanted):
            fail("%s: %d rows, expected %d" % (fmt, len(alignment), len(wanted)))
        for record, (name, held) in zip(alignment, wanted):
            if record.id != name:
                fail("%s: name %r, expected %r" % (fmt, record.id, name))
            compare(fmt, name, str(record.seq), held)
        if fmt == "fasta":
            for record, (name, _) in zip(alignment, rows):
                if record.description != name:
                    fail("fasta: description %r, expected %r" % (record.description, name))
        print("%s: %d rows of %d characters read back" % (fmt, len(alignment), alignment.get_alignment_length()))


if __name__ == "__main__":
    main(sys.argv[1])
