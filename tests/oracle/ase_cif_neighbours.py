#!/usr/bin/python3
"""Reads a written CIF file with ASE, periodic along all three edges, and checks its bonds.

    ase_cif_neighbours.py CIF CLOSED [C]

Every pair of atoms within 1.6 A, across the periodic images too, must lie
1.30 to 1.55 A apart, and no atom may have more than three such neighbours;
with CLOSED 1 every atom has exactly three. No atom may lie within 3.4 A of
an image of another in a cell beside its own along a or b, nor along c unless
C is given: the structure then continues into its images along c, and the
cell's c must be C within 0.002 A.
Exits 77 (skipped) when ASE is missing, unless CI=true.
"""

import os
import sys

try:
    import ase.io
    from ase.neighborlist import neighbor_list
    import numpy
except ImportError:
    print("ase_cif_neighbours: ASE is missing; install the Debian package python3-ase")
    sys.exit(1 if os.environ.get("CI") == "true" else 77)

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL", what)


def main(cif, closed, period):
    atoms = ase.io.read(cif, format="cif")
    atoms.pbc = True
    check(len(atoms) > 0, "no atoms read")
    if len(atoms) == 0:
        return
    if period is not None:
        c = atoms.cell.lengths()[2]
        check(abs(c - period) <= 0.002, "c is %f, expected %f" % (c, period))

    i, j, d = neighbor_list("ijd", atoms, 1.6)
    short = d[(d < 1.30) | (d > 1.55)]
    check(len(short) == 0, "%d bonds outside 1.30-1.55 A, e.g. %s" % (len(short), short[:4]))
    counts = numpy.bincount(i, minlength=len(atoms))
    over = numpy.nonzero(counts > 3)[0]
    check(len(over) == 0, "%d atoms with more than three neighbours, e.g. %s" % (len(over), over[:4]))
    if closed:
        under = numpy.nonzero(counts < 3)[0]
        check(len(under) == 0,
              "%d atoms with fewer than three neighbours, e.g. %s" % (len(under), under[:4]))

    i, j, d, shift = neighbor_list("ijdS", atoms, 3.4)
    sideways = numpy.any(shift[:, :2] != 0, axis=1)
    if period is None:
        sideways |= shift[:, 2] != 0
    check(not numpy.any(sideways),
          "%d atoms within 3.4 A of an image of another, nearest %f A"
          % (len(numpy.unique(i[sideways])), d[sideways].min() if numpy.any(sideways) else 0))


if __name__ == "__main__":
    if len(sys.argv) not in (3, 4):
        print(__doc__)
        sys.exit(2)
    main(sys.argv[1], sys.argv[2] == "1", float(sys.argv[3]) if len(sys.argv) == 4 else None)
    if failures:
        print("%d failures" % len(failures))
        sys.exit(1)
    print("ase_cif_neighbours: ok")
