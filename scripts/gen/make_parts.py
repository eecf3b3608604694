#!/usr/bin/python3
"""Makes the structure-part library: data/lib/IMM/*.pdb and data/lib/tarvek.mnu.

Each part is built from internal coordinates (standard bond lengths, bond
angles and torsions; planar rings from the 120-degree angle), so the output
is the same on every machine. The files hold HETATM records (atom names the
element symbol plus a number), CONECT records from the bond table below, and
END. The menu file holds one record "id|caption|file|crc#" per part, with the
file's zlib CRC-32 as 8 lower-case hex digits, then CR LF, scrambled by XOR
with the program's key. tests/shell/fixtures/parts/library_table.txt lists
each part's formula, atom count and elements for the tests.

Before writing, every part is checked: no two atoms closer than 0.9 A, no two
unbonded atoms closer than 1.5 A, every bond within 0.05 A of its table
length. With --check the files are made in memory and compared byte for byte
with the committed ones; exit 0 when they match, 1 when not.

Python standard library only.
"""

import argparse
import math
import os
import sys
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
KEY = b"pqrLane_83"

# Standard bond lengths (A) by element pair; "ar" marks aromatic carbon.
LENGTHS = {
    ("C", "C"): 1.54, ("C", "H"): 1.09, ("C", "N"): 1.47, ("C", "O"): 1.43,
    ("C", "S"): 1.82, ("C", "F"): 1.35, ("C", "Si"): 1.87, ("H", "N"): 1.01,
    ("H", "O"): 0.97, ("H", "S"): 1.34, ("O", "Si"): 1.64,
    ("C=O",): 1.21, ("C-OH",): 1.34, ("CA-C",): 1.52, ("ar",): 1.40, ("arH",): 1.08,
    ("arS",): 1.77, ("arC",): 1.51,
}

TETRA = 109.47


def length(a, b):
    return LENGTHS[tuple(sorted((a, b)))]


def sub(p, q):
    return [p[0] - q[0], p[1] - q[1], p[2] - q[2]]


def cross(p, q):
    return [p[1] * q[2] - p[2] * q[1], p[2] * q[0] - p[0] * q[2], p[0] * q[1] - p[1] * q[0]]


def norm(p):
    n = math.sqrt(p[0] ** 2 + p[1] ** 2 + p[2] ** 2)
    return [p[0] / n, p[1] / n, p[2] / n]


def dist(p, q):
    return math.sqrt(sum((p[i] - q[i]) ** 2 for i in range(3)))


class Molecule:
    """Atoms placed one by one from internal coordinates, with a bond table."""

    def __init__(self, residue):
        self.residue = residue
        self.elements = []
        self.xyz = []
        self.bonds = []  # (i, j, table length)

    def first(self, element):
        return self._put(element, [0.0, 0.0, 0.0])

    def second(self, element, c, r):
        i = self._put(element, [self.xyz[c][0] + r, self.xyz[c][1], self.xyz[c][2]])
        self.bonds.append((c, i, r))
        return i

    def third(self, element, c, b, r, theta):
        # In the xy plane: angle b-c-new = theta.
        cb = norm(sub(self.xyz[b], self.xyz[c]))
        t = math.radians(theta)
        rot = [cb[0] * math.cos(t) - cb[1] * math.sin(t), cb[0] * math.sin(t) + cb[1] * math.cos(t), 0.0]
        i = self._put(element, [self.xyz[c][k] + r * rot[k] for k in range(3)])
        self.bonds.append((c, i, r))
        return i

    def add(self, element, c, r, b, theta, a, phi):
        """New atom bonded to c at r, angle b-c-new = theta, torsion a-b-c-new = phi."""
        A, B, C = self.xyz[a], self.xyz[b], self.xyz[c]
        bc = norm(sub(C, B))
        n = norm(cross(sub(B, A), bc))
        m = cross(n, bc)
        t, p = math.radians(theta), math.radians(phi)
        d = [-r * math.cos(t), r * math.sin(t) * math.cos(p), r * math.sin(t) * math.sin(p)]
        pos = [C[k] + d[0] * bc[k] + d[1] * m[k] + d[2] * n[k] for k in range(3)]
        i = self._put(element, pos)
        self.bonds.append((c, i, r))
        return i

    def bond(self, i, j, r):
        self.bonds.append((i, j, r))

    def _put(self, element, pos):
        self.elements.append(element)
        self.xyz.append(pos)
        return len(self.xyz) - 1

    def check(self, name):
        bonded = {(min(i, j), max(i, j)) for i, j, _ in self.bonds}
        for i, j, r in self.bonds:
            d = dist(self.xyz[i], self.xyz[j])
            if abs(d - r) > 0.05:
                raise SystemExit(f"{name}: bond {i + 1}-{j + 1} is {d:.3f} A, its table says {r}")
        for i in range(len(self.xyz)):
            for j in range(i + 1, len(self.xyz)):
                d = dist(self.xyz[i], self.xyz[j])
                if d < 0.9 or ((i, j) not in bonded and d < 1.5):
                    raise SystemExit(f"{name}: atoms {i + 1} and {j + 1} lie {d:.3f} A apart")


def methyl_hydrogens(mol, c, b, a):
    for phi in (180.0, 60.0, -60.0):
        mol.add("H", c, length("C", "H"), b, TETRA, a, phi)


def cysteine():
    m = Molecule("CYS")
    n = m.first("N")
    ca = m.second("C", n, length("C", "N"))
    c = m.third("C", ca, n, LENGTHS[("CA-C",)], 110.0)
    m.add("O", c, LENGTHS[("C=O",)], ca, 123.0, n, -60.0)
    oh = m.add("O", c, LENGTHS[("C-OH",)], ca, 112.0, n, 120.0)
    cb = m.add("C", ca, LENGTHS[("CA-C",)], n, 110.0, c, -120.0)
    sg = m.add("S", cb, length("C", "S"), ca, 114.0, n, 180.0)
    m.add("H", ca, length("C", "H"), n, TETRA, c, 120.0)
    m.add("H", n, length("H", "N"), ca, TETRA, c, 60.0)
    m.add("H", n, length("H", "N"), ca, TETRA, c, -60.0)
    m.add("H", cb, length("C", "H"), ca, TETRA, n, 60.0)
    m.add("H", cb, length("C", "H"), ca, TETRA, n, -60.0)
    m.add("H", sg, length("H", "S"), cb, 96.0, ca, 180.0)
    m.add("H", oh, length("H", "O"), c, 107.0, ca, 180.0)
    return m


def aminopropyl_trimethoxysilane():
    m = Molecule("APS")
    si = m.first("Si")
    c1 = m.second("C", si, length("C", "Si"))
    c2 = m.third("C", c1, si, length("C", "C"), 112.0)
    c3 = m.add("C", c2, length("C", "C"), c1, 112.0, si, 180.0)
    n = m.add("N", c3, length("C", "N"), c2, 111.0, c1, 180.0)
    for phi in (180.0, 60.0, -60.0):
        o = m.add("O", si, length("O", "Si"), c1, TETRA, c2, phi)
        cm = m.add("C", o, length("C", "O"), si, 123.0, c1, 180.0)
        methyl_hydrogens(m, cm, o, si)
    for centre, b, a in ((c1, c2, c3), (c2, c1, si), (c3, c2, c1)):
        for phi in (60.0, -60.0):
            m.add("H", centre, length("C", "H"), b, TETRA, a, phi)
    for phi in (60.0, -60.0):
        m.add("H", n, length("H", "N"), c3, TETRA, c2, phi)
    return m


def benzene_ring(m):
    r = LENGTHS[("ar",)]
    c = [m.first("C")]
    c.append(m.second("C", c[0], r))
    c.append(m.third("C", c[1], c[0], r, 120.0))
    for k in range(3, 6):
        c.append(m.add("C", c[k - 1], r, c[k - 2], 120.0, c[k - 3], 0.0))
    m.bond(c[5], c[0], r)
    return c


def ring_hydrogen(m, ring, k):
    """Hydrogen on ring atom k, in the ring plane, pointing out."""
    m.add("H", ring[k], LENGTHS[("arH",)], ring[(k + 1) % 6], 120.0, ring[(k + 2) % 6], 180.0)


def trifluoromethyl_benzenethiol():
    m = Molecule("TFT")
    ring = benzene_ring(m)
    s = m.add("S", ring[0], LENGTHS[("arS",)], ring[1], 120.0, ring[2], 180.0)
    m.add("H", s, length("H", "S"), ring[0], 96.0, ring[1], 90.0)
    cf = m.add("C", ring[3], LENGTHS[("arC",)], ring[2], 120.0, ring[1], 180.0)
    for phi in (90.0, -150.0, -30.0):
        m.add("F", cf, length("C", "F"), ring[3], TETRA, ring[2], phi)
    for k in (1, 2, 4, 5):
        ring_hydrogen(m, ring, k)
    return m


def benzene():
    m = Molecule("BNZ")
    ring = benzene_ring(m)
    for k in range(6):
        ring_hydrogen(m, ring, k)
    return m


def pyrene():
    """Four fused rings: two side by side and one above and below their
    shared edge, cut from the honeycomb of 1.40 A bonds and 120-degree
    angles; a hydrogen on each carbon with two carbon neighbours."""
    m = Molecule("PYR")
    r = LENGTHS[("ar",)]
    d = math.sqrt(3.0) * r
    centres = [(-d / 2, 0.0), (d / 2, 0.0), (0.0, d * math.sqrt(3.0) / 2), (0.0, -d * math.sqrt(3.0) / 2)]
    carbons = []
    for cx, cy in centres:
        for k in range(6):
            t = math.radians(90.0 + 60.0 * k)
            p = [round(cx + r * math.cos(t), 9) + 0.0, round(cy + r * math.sin(t), 9) + 0.0, 0.0]
            if all(dist(p, q) > 0.1 for q in carbons):
                carbons.append(p)
    assert len(carbons) == 16
    for p in carbons:
        m._put("C", p)
    for i in range(16):
        for j in range(i + 1, 16):
            if abs(dist(carbons[i], carbons[j]) - r) < 1e-6:
                m.bond(i, j, r)
    for i in range(16):
        near = [j for j in range(16) if abs(dist(carbons[i], carbons[j]) - r) < 1e-6]
        if len(near) == 2:
            out = norm([2 * carbons[i][k] - carbons[near[0]][k] - carbons[near[1]][k] for k in range(3)])
            h = m._put("H", [carbons[i][k] + LENGTHS[("arH",)] * out[k] for k in range(3)])
            m.bond(i, h, LENGTHS[("arH",)])
    return m


# Menu order: items 0, 1 and 2 carry their own element colours in the program.
PARTS = [
    ("Cysteine", "cysteine.pdb", cysteine),
    ("(3-Aminopropyl)trimethoxysilane", "aminopropyl_trimethoxysilane.pdb",
     aminopropyl_trimethoxysilane),
    ("4-(Trifluoromethyl)benzenethiol", "trifluoromethyl_benzenethiol.pdb",
     trifluoromethyl_benzenethiol),
    ("Benzene", "benzene.pdb", benzene),
    ("Pyrene", "pyrene.pdb", pyrene),
]


def pdb_text(mol, caption):
    lines = [f"COMPND    {caption.upper()}"]
    counts = {}
    for i, (element, p) in enumerate(zip(mol.elements, mol.xyz)):
        counts[element] = counts.get(element, 0) + 1
        symbol = element.upper()
        name = (f"{symbol}{counts[element]}".ljust(4) if len(symbol) == 2
                else f" {symbol}{counts[element]}".ljust(4))
        x, y, z = (0.0 if abs(v) < 0.0005 else v for v in p)
        lines.append(f"HETATM{i + 1:5d} {name} {mol.residue} A   1    "
                     f"{x:8.3f}{y:8.3f}{z:8.3f}  1.00  0.00          {symbol:>2}")
    neighbours = {i: [] for i in range(len(mol.xyz))}
    for i, j, _ in mol.bonds:
        neighbours[i].append(j)
        neighbours[j].append(i)
    for i in range(len(mol.xyz)):
        partners = sorted(neighbours[i])
        for k in range(0, len(partners), 4):
            lines.append("CONECT" + f"{i + 1:5d}" + "".join(f"{j + 1:5d}" for j in partners[k:k + 4]))
    lines.append("END")
    return ("\n".join(lines) + "\n").encode("ascii")


def formula(mol):
    """Hill order: C, H, then the others alphabetically."""
    counts = {}
    for e in mol.elements:
        counts[e] = counts.get(e, 0) + 1
    order = [e for e in ("C", "H") if e in counts] + sorted(e for e in counts if e not in ("C", "H"))
    return "".join(e + (str(counts[e]) if counts[e] > 1 else "") for e in order)


def first_appearance(mol):
    seen = []
    for e in mol.elements:
        if e not in seen:
            seen.append(e)
    return "".join(e + " " for e in seen)


def make():
    """Every output file, path relative to the source tree -> bytes."""
    files = {}
    records = []
    table = ["# file|caption|formula|atoms|elements in order of first appearance"]
    for index, (caption, name, build) in enumerate(PARTS):
        mol = build()
        mol.check(name)
        data = pdb_text(mol, caption)
        files[os.path.join("data", "lib", "IMM", name)] = data
        records.append(f"{index + 1}|{caption}|{name}|{zlib.crc32(data):08x}#")
        table.append(f"{name}|{caption}|{formula(mol)}|{len(mol.elements)}|{first_appearance(mol)}")
    clear = ("".join(records) + "\r\n").encode("ascii")
    files[os.path.join("data", "lib", "tarvek.mnu")] = bytes(
        b ^ KEY[i % len(KEY)] for i, b in enumerate(clear))
    files[os.path.join("tests", "shell", "fixtures", "parts", "library_table.txt")] = (
        "\n".join(table) + "\n").encode("ascii")
    return files


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true",
                        help="compare with the committed files instead of writing")
    args = parser.parse_args()
    files = make()
    if args.check:
        stale = []
        for rel, data in sorted(files.items()):
            try:
                with open(os.path.join(ROOT, rel), "rb") as f:
                    if f.read() != data:
                        stale.append(rel)
            except OSError:
                stale.append(rel)
        for rel in stale:
            sys.stderr.write(f"{rel} differs from what make_parts.py makes\n")
        return 1 if stale else 0
    for rel, data in files.items():
        path = os.path.join(ROOT, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
