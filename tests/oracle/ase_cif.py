#!/usr/bin/python3
"""Reads a written CIF file with ASE and compares it with the structure.

    ase_cif.py CIF REFERENCE

REFERENCE lines: "formula F", "cell a b c", "atom fx fy fz" (the expected
fractions, in file order) and "bond i j length" (0-based rows). Every atom
must be read, each within 0.0005 A of its expected place along each axis
(fractions compared modulo 1), no two atoms closer than 1.2 A across the
cell's periodic images, and every bond length, taken with the minimum-image
convention, within 0.02 A.
Exits 77 (skipped) when ASE is missing, unless CI=true.
"""

import os
import sys

try:
    import ase.io
    import numpy
except ImportError:
    print("ase_cif: ASE is missing; install the Debian package python3-ase")
    sys.exit(1 if os.environ.get("CI") == "true" else 77)

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL", what)


def main(cif, reference):
    formula = None
    cell = None
    fractions = []
    bonds = []
    with open(reference) as f:
        for line in f:
            fields = line.split()
            if not fields:
                continue
            if fields[0] == "formula":
                formula = fields[1]
            elif fields[0] == "cell":
                cell = [float(v) for v in fields[1:4]]
            elif fields[0] == "atom":
                fractions.append([float(v) for v in fields[1:4]])
            elif fields[0] == "bond":
                bonds.append((int(fields[1]), int(fields[2]), float(fields[3])))

    atoms = ase.io.read(cif, format="cif")
    check(len(atoms) == len(fractions), "%d atoms read, %d written" % (len(atoms), len(fractions)))
    if formula:
        check(atoms.get_chemical_formula() == formula,
              "formula %s, expected %s" % (atoms.get_chemical_formula(), formula))
    lengths = atoms.cell.lengths()
    for k in range(3):
        check(abs(lengths[k] - cell[k]) < 1e-4, "cell edge %d: %f, expected %f" % (k, lengths[k], cell[k]))
    if len(atoms) != len(fractions):
        return
    read = atoms.get_scaled_positions(wrap=False)
    for i, expected in enumerate(fractions):
        for k in range(3):
            d = read[i][k] - expected[k]
            d -= round(d)
            check(abs(d) * cell[k] <= 0.0005,
                  "atom %d axis %d: %s read, %s expected" % (i, k, read[i][k], expected[k]))
    if len(atoms) > 1:
        distances = atoms.get_all_distances(mic=True)
        numpy.fill_diagonal(distances, numpy.inf)
        closest = distances.min()
        check(closest >= 1.2, "two atoms %f A apart" % closest)
    for i, j, length in bonds:
        got = atoms.get_distance(i, j, mic=True)
        check(abs(got - length) <= 0.02, "bond %d-%d: %f, model %f" % (i, j, got, length))


if __name__ == "__main__":
    if len(sys.argv) != 3:
        print(__doc__)
        sys.exit(2)
    main(sys.argv[1], sys.argv[2])
    if failures:
        print("%d failures" % len(failures))
        sys.exit(1)
    print("ase_cif: ok")
