#!/usr/bin/env python3
"""Writes chrMT_<N>x.ali for each N given: the rCRS reference labelled 1 to
16,569, then the 2,534 whole mitogenomes of shared/data/1000genomes-chrMT
repeated N times (names get _0, _1, ...), one name;sequence line each, CR LF.
Usage: bench/make-mitogenome-ali.py [--data DIR] N [N ...]  (writes into the current folder)"""
import gzip
import os
import sys

args = sys.argv[1:]
data = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'shared', 'data')
if args[:1] == ['--data']:
    data, args = args[1], args[2:]
if not args:
    sys.exit(__doc__)
with open(os.path.join(data, 'rcrs', 'rCRS_NC_012920.1.fasta')) as f:
    ref = ''.join(line.strip() for line in f if not line.startswith('>'))
records, name, seq = [], None, []
with gzip.open(os.path.join(data, '1000genomes-chrMT', 'chrMT_sequences_2534.20160505.fasta.gz'), 'rt') as f:
    for line in f:
        line = line.strip()
        if line.startswith('>'):
            if name:
                records.append((name, ''.join(seq)))
            name, seq = line[1:].split()[0], []
        else:
            seq.append(line)
records.append((name, ''.join(seq)))
if any(len(s) != len(ref) for _, s in records):
    sys.exit('the mitogenomes are not all as long as the reference')
labels = ';'.join(str(i) for i in range(1, len(ref) + 1))
for copies in map(int, args):
    with open(f'chrMT_{copies}x.ali', 'w', newline='') as out:
        out.write('rCRS;' + ref + '\r\n' + labels + '\r\n')
        for copy in range(copies):
            for n, s in records:
                out.write(f'{n}_{copy};{s}\r\n')
