#!/usr/bin/python3
"""Writes ASE's nanotubes as XMOL files, for the XMOL import's tube fit.

    ase_tube_xmol.py FOLDER

Writes FOLDER/ase_<n>_<m>.xmol for (10,0) x 6 cells, (5,5) x 10, (6,3) x 2,
(7,2) x 1 and (12,3) x 3 at bond length 1.42 A (axis on z from z = 0).
Exits 77 (skipped) when ASE is missing, unless CI=true.
"""

import os
import sys

try:
    from ase.build import nanotube
except ImportError:
    print("ase_tube_xmol: ASE is missing; install the Debian package python3-ase")
    sys.exit(1 if os.environ.get("CI") == "true" else 77)

TUBES = [(10, 0, 6), (5, 5, 10), (6, 3, 2), (7, 2, 1), (12, 3, 3)]

folder = sys.argv[1]
for n, m, cells in TUBES:
    atoms = nanotube(n, m, length=cells, bond=1.42)
    lines = [str(len(atoms)), f"ASE ({n},{m}) x {cells}"]
    lines += [f"C {x:.6f} {y:.6f} {z:.6f}" for x, y, z in atoms.get_positions()]
    with open(os.path.join(folder, f"ase_{n}_{m}.xmol"), "w", newline="") as out:
        out.write("\r\n".join(lines) + "\r\n")
