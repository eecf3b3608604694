#!/usr/bin/python3
"""Checks rolled and unit-cell tubes against ASE's nanotube builder.

    ase_tubes.py MODEL_DUMP

For each (n, m) at bond length 1.42: the radius, the ring heights modulo the
translational period T (compared cyclically: the two builders start at
different heights), the atoms per translational cell, T itself, and the
range of nearest-neighbour distances of atoms at least 3 A from both ends.
Exits 77 (skipped) when ASE is missing, unless CI=true.
"""

import math
import os
import subprocess
import sys
import tempfile

try:
    import numpy as np
    from ase.build import nanotube
except ImportError:
    print("ase_tubes: ASE is missing; install the Debian package python3-ase")
    sys.exit(1 if os.environ.get("CI") == "true" else 77)

BOND = 1.42
INDICES = [(10, 0), (9, 0), (5, 5), (6, 6), (10, 10), (11, 11),
           (6, 3), (8, 4), (7, 2), (10, 5), (12, 3), (9, 1)]

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL", what)


def dump(tool, folder, *args):
    out = os.path.join(folder, "out")
    subprocess.run([tool, out] + [str(a) for a in args], check=True)
    with open(out) as f:
        lines = f.read().splitlines()
    if args[0] == "radius":
        return float(lines[0])
    count = int(lines[0])
    return np.array([[float(v) for v in line.split()[1:4]] for line in lines[2:2 + count]])


def levels(z, period):
    """Distinct heights modulo the period, sorted, merged within 5e-4."""
    values = sorted(v % period for v in z)
    out = []
    for v in values:
        if not out or v - out[-1] > 5e-4:
            out.append(v)
    if len(out) > 1 and out[0] + period - out[-1] < 5e-4:
        out.pop()
    return out


def cyclic_distance(a, b, period):
    d = abs(a - b) % period
    return min(d, period - d)


def same_levels(ours, theirs, period):
    if len(ours) != len(theirs):
        return False
    for start in ours:
        shift = theirs[0] - start
        if all(min(cyclic_distance(o + shift, t, period) for t in theirs) < 1e-3 for o in ours):
            return True
    return False


def neighbour_range(pos):
    """Smallest and largest of the three nearest-neighbour distances of the
    atoms at least 3 A from both ends."""
    z = pos[:, 2]
    inner = np.where((z >= z.min() + 3.0) & (z <= z.max() - 3.0))[0]
    lo, hi = math.inf, 0.0
    for i in inner:
        d = np.sort(np.linalg.norm(pos - pos[i], axis=1))[1:4]
        lo, hi = min(lo, d[0]), max(hi, d[2])
    return lo, hi


def atoms_per_period(pos, period):
    """Atoms in one period starting between two interior ring heights."""
    z = pos[:, 2]
    start = z.min() + 3.0
    above = sorted(v for v in set(np.round(z, 4)) if v > start)
    z0 = (above[0] + above[1]) / 2.0
    return int(np.count_nonzero((z >= z0) & (z < z0 + period)))


def main():
    tool = sys.argv[1]
    with tempfile.TemporaryDirectory() as folder:
        for n, m in INDICES:
            name = f"({n},{m})"
            one = nanotube(n, m, length=1, bond=BOND, symbol="C")
            period = one.cell[2][2]
            per_cell = len(one)
            cells = max(3, math.ceil(25.0 / period) + 1)
            ase_pos = nanotube(n, m, length=cells, bond=BOND, symbol="C").positions
            ase_radius = float(np.mean(np.hypot(ase_pos[:, 0], ase_pos[:, 1])))
            ase_levels = levels(ase_pos[:, 2], period)
            ase_lo, ase_hi = neighbour_range(ase_pos)

            radius = dump(tool, folder, "radius", n, m, BOND)
            check(abs(radius - ase_radius) < 1e-4, f"{name} tubeRadius {radius} vs {ase_radius}")

            # Unit cells.
            unit1 = dump(tool, folder, "unitcell", n, m, 1, BOND)
            check(len(unit1) == per_cell, f"{name} unit cell has {len(unit1)} atoms, not {per_cell}")
            unit2 = dump(tool, folder, "unitcell", n, m, 2, BOND)
            t = unit2[len(unit1), 2] - unit2[0, 2]
            check(abs(t - period) < 1e-3, f"{name} unit-cell period {t} vs {period}")
            unit = dump(tool, folder, "unitcell", n, m, cells, BOND)
            r = np.hypot(unit[:, 0], unit[:, 1])
            check(np.all(np.abs(r - ase_radius) < 1e-4), f"{name} unit-cell radius {r.min()}..{r.max()}")
            check(same_levels(levels(unit[:, 2], period), ase_levels, period),
                  f"{name} unit-cell ring heights differ")
            lo, hi = neighbour_range(unit)
            check(abs(lo - ase_lo) < 1e-3 and abs(hi - ase_hi) < 1e-3,
                  f"{name} unit-cell neighbours {lo:.4f}..{hi:.4f} vs {ase_lo:.4f}..{ase_hi:.4f}")

            # The rolled tube.
            length = max(2.0 * period + 7.0, 25.0)
            rolled = dump(tool, folder, "tube", n, m, f"{length:.4f}", BOND)
            r = np.hypot(rolled[:, 0], rolled[:, 1])
            check(np.all(np.abs(r - ase_radius) < 1e-4), f"{name} rolled radius {r.min()}..{r.max()}")
            check(same_levels(levels(rolled[:, 2], period), ase_levels, period),
                  f"{name} rolled ring heights differ")
            count = atoms_per_period(rolled, period)
            check(count == per_cell, f"{name} rolled tube has {count} atoms per period, not {per_cell}")
            lo, hi = neighbour_range(rolled)
            check(abs(lo - ase_lo) < 1e-3 and abs(hi - ase_hi) < 1e-3,
                  f"{name} rolled neighbours {lo:.4f}..{hi:.4f} vs {ase_lo:.4f}..{ase_hi:.4f}")
            print(f"{name}: checked")

    if failures:
        print(f"ase_tubes: {len(failures)} failures")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
