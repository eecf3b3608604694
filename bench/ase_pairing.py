#!/usr/bin/python3
"""Whole-process timing of model_dump against ASE on one (100,100) tube.

    bench/ase_pairing.py MODEL_DUMP [RUNS]

model_dump builds a rolled (100,100) tube of 499 A at 1.42 A (81,400 atoms)
with its bonds and writes it as XYZ; ASE builds the same tube (204
translational cells) and writes it as XYZ (the system interpreter, where
Debian's python3-ase is importable). The two processes run in turns, RUNS
times each (default 9), so both see the same load; the report gives the
median wall time of each, their ratio and the median ratio within a pair,
ASE's own build-and-write time measured inside its process, and the
processor time (user and system) of each process, which a busy machine
disturbs less than the wall time.
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
    """Wall seconds, processor seconds (user and system) and the output."""
    start = time.perf_counter()
    child = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    out = child.stdout.read()
    _, status, usage = os.wait4(child.pid, 0)
    wall = time.perf_counter() - start
    child.returncode = os.waitstatus_to_exitcode(status)
    if child.returncode != 0:
        raise subprocess.CalledProcessError(child.returncode, command)
    return wall, usage.ru_utime + usage.ru_stime, out


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    tool = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 9
    ours, theirs, inside, our_cpu, their_cpu = [], [], [], [], []
    with tempfile.TemporaryDirectory() as folder:
        our_file = os.path.join(folder, "ours.xyz")
        ase_file = os.path.join(folder, "ase.xyz")
        for _ in range(runs):
            seconds, cpu, _ = timed([tool, our_file, "tube", "100", "100", "499", "1.42"])
            ours.append(seconds)
            our_cpu.append(cpu)
            seconds, cpu, out = timed(["/usr/bin/python3", "-c", ASE_SCRIPT, ase_file])
            theirs.append(seconds)
            their_cpu.append(cpu)
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
    print(f"ratio model_dump / ASE (whole process): {ours_median / theirs_median:.3f}, "
          f"median of the pairs' ratios {statistics.median(o / t for o, t in zip(ours, theirs)):.3f}")
    print(f"ratio model_dump / ASE build and write: {ours_median / statistics.median(inside):.3f}")
    print(f"processor time: model_dump {statistics.median(our_cpu) * 1000:.1f} ms, ASE "
          f"{statistics.median(their_cpu) * 1000:.1f} ms, ratio "
          f"{statistics.median(our_cpu) / statistics.median(their_cpu):.3f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
