#!/usr/bin/python3
"""Whole-process timing of model_dump against ASE on one (100,100) tube.

    bench/ase_pairing.py MODEL_DUMP [RUNS]

model_dump builds a rolled (100,100) tube of 499 A at 1.42 A (81,400 atoms)
with its bonds
and writes it as XYZ; ASE builds the same tube (204 translational cells) and
writes it as XYZ (the system interpreter, where Debian's python3-ase is
importable). The two processes run in turns, RUNS times each (default
9), so both see the same load; the report gives the median wall time of
each and their ratio, with ASE's own build-and-write time measured inside
its process beside it.
"""

import os
import statistics
import subprocess
import sys
import tempfile
import time

ASE_SCRIPT = """
import sys, time
from ase.build import nanotube
from ase.io import write
start = time.perf_counter()
tube = nanotube(100, 100, length=204, bond=1.42)
write(sys.argv[1], tube, format="xyz")
print(len(tube), time.perf_counter() - start)
"""


def timed(command):
    start = time.perf_counter()
    done = subprocess.run(command, check=True, capture_output=True, text=True)
    return time.perf_counter() - start, done.stdout


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    tool = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 9
    ours, theirs, inside = [], [], []
    with tempfile.TemporaryDirectory() as folder:
        our_file = os.path.join(folder, "ours.xyz")
        ase_file = os.path.join(folder, "ase.xyz")
        for _ in range(runs):
            seconds, _ = timed([tool, our_file, "tube", "100", "100", "499", "1.42"])
            ours.append(seconds)
            seconds, out = timed(["/usr/bin/python3", "-c", ASE_SCRIPT, ase_file])
            theirs.append(seconds)
            atoms, own = out.split()
            inside.append(float(own))
        with open(our_file) as f:
            our_atoms = int(f.readline())
            title = f.readline().strip()
    ours_median = statistics.median(ours)
    theirs_median = statistics.median(theirs)
    print(f"model_dump: {our_atoms} atoms ({title}), median {ours_median * 1000:.1f} ms "
          f"(min {min(ours) * 1000:.1f})")
    print(f"ASE:        {atoms} atoms, median {theirs_median * 1000:.1f} ms "
          f"(min {min(theirs) * 1000:.1f}), of which build and write "
          f"{statistics.median(inside) * 1000:.1f} ms")
    print(f"ratio model_dump / ASE (whole process): {ours_median / theirs_median:.3f}")
    print(f"ratio model_dump / ASE build and write: {ours_median / statistics.median(inside):.3f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
