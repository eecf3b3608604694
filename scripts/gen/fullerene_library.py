#!/usr/bin/python3
"""Makes the program's fullerene library, data/DATA/Fullerene.

Writes one ".cc1" file per cage and index.txt:
  - for each even N from 20 to 58 and 62 to 68 (there is no C22) the isomer
    with the fewest pentagon-pentagon bonds, ties going to the smaller
    canonical spiral: C20.cc1, C24.cc1, ...;
  - every isolated-pentagon isomer of C60, C70 and C72 to C100: C60.cc1 where
    a size has one, else C78-1.cc1 ... C78-5.cc1 in canonical-spiral order;
  - the icosahedral C180, C240, C320, C540 and C720.

A ".cc1" file has CR LF line ends, the atom count, then per atom
"C  <n>  <x> <y> <z>  2  <n1> <n2> <n3>" (angstrom, 6 decimals, centred at
the origin). index.txt lists per file: name, atoms, isomer number (the place
in canonical-spiral order among the size's isolated-pentagon isomers; 0 for
the files that are not numbered so), the isolated-pentagon flag, the number
of pentagon-pentagon bonds and the 1-based pentagon positions of the
canonical spiral.

A spiral lists the faces so that each face after the first touches the one
before it and the first face still open; the canonical spiral of a cage is
the smallest such (pentagon before hexagon), and the isomers of a size are
numbered in the order of their canonical spirals.

Method. A cage is found through its dual: the faces in spiral order, each
new face wound onto the ring of open faces. Spirals are enumerated
depth-first, pentagon before hexagon, pruned when a face runs out of
valency, when a face closes before the last (it could not touch the next)
and, for isolated pentagons, when two pentagons meet; in this order each
isomer first appears at its canonical spiral, so a spiral is kept when its
graph is new. Spirals start at a pentagon, which
loses no isomer of these sizes (the counts are checked). Atoms are the
dual's triangles. Coordinates start from adjacency eigenvectors 2-4 and are
relaxed with harmonic bonds (1.401, 1.458, 1.479 A between two hexagons, a
hexagon and a pentagon, two pentagons) and face angles (108 and 120
degrees). The giants come from C20 by leapfrog (x3) and chamfer (x4).

With --check nothing is enumerated: each file's bonds are found by
distance (and must be its neighbour columns), its faces from the embedding,
and its canonical spiral and isolated-pentagon flag are compared with
index.txt; spirals must be distinct, bonds 1.36-1.50 A and no other atom
nearer than 2.2 A. Every index spiral must keep the spiral rule, and each
isomer's number must be the rank of its file's spiral among its size's.
The isomers in ANCHORS must have the point groups the literature gives
them. C20, C60, C70 and C180 are regenerated and must give the same sorted
bond lengths to 1e-3 A. Exit 0 when all holds.

Run from the source root: /usr/bin/python3 scripts/gen/fullerene_library.py
"""

import argparse
import multiprocessing
import os
import pathlib
import sys

try:
    import numpy as np
    from scipy.optimize import minimize
except ImportError:
    sys.stderr.write("fullerene_library.py needs python3-numpy and python3-scipy "
                     "(scripts/deps installs them)\n")
    # 77 tells CTest to skip; a CI run must have them.
    sys.exit(1 if os.environ.get("CI") == "true" else 77)

sys.setrecursionlimit(10000)

ROOT = pathlib.Path(__file__).resolve().parents[2]
LIBRARY = ROOT / "data/DATA/Fullerene"

SMALL_SIZES = [n for n in range(20, 69, 2) if n not in (22, 60)]
IPR_SIZES = [60, 70] + list(range(72, 101, 2))
IPR_COUNTS = {60: 1, 70: 1, 72: 1, 74: 1, 76: 2, 78: 5, 80: 7, 82: 9, 84: 24, 86: 19,
              88: 35, 90: 46, 92: 86, 94: 134, 96: 187, 98: 259, 100: 450}
BOND = {(6, 6): 1.401, (5, 6): 1.458, (6, 5): 1.458, (5, 5): 1.479}
BOND_RANGE = (1.36, 1.50)
NEAREST_OTHER = 2.2
BOND_SEARCH = 1.8
# Point groups by (order, rotations, inversion, largest rotation).
GROUP_NAMES = {
    (2, 2, False, 2): "C2", (4, 4, False, 2): "D2", (6, 6, False, 3): "D3",
    (8, 4, False, 2): "D2d", (8, 4, True, 2): "D2h", (10, 10, False, 5): "D5",
    (12, 12, False, 3): "T", (12, 6, False, 3): "D3h", (12, 6, True, 3): "D3d",
    (20, 10, False, 5): "D5h", (20, 10, True, 5): "D5d", (24, 12, False, 3): "Td",
    (24, 12, True, 3): "Th", (24, 12, True, 6): "D6h", (24, 12, False, 6): "D6d",
    (120, 60, True, 5): "Ih"}
# Isomers whose point groups the literature fixes.
ANCHORS = {"C76-1": "D2", "C78-1": "D3", "C80-7": "Ih", "C84-22": "D2", "C84-23": "D2d",
           "C84-24": "D6h"}
# Depth at which the search of one size is shared among processes.
SPLIT_DEPTH = 18
PARTS = {90: 2, 92: 2, 94: 4, 96: 6, 98: 10, 100: 16}


class Windup:
    """Winds faces of given sizes onto a growing patch, with undo."""

    def __init__(self, faces, ipr):
        self.n = faces
        self.ipr = ipr
        self.size = [0] * faces
        self.val = [0] * faces
        self.adj = [[] for _ in range(faces)]
        self.ring = []
        self.pp = 0
        self.log = []

    def connect(self, i, j):
        if j in self.adj[i]:
            return False
        self.adj[i].append(j)
        self.adj[j].append(i)
        self.val[i] -= 1
        self.val[j] -= 1
        both = self.size[i] == 5 and self.size[j] == 5
        if both:
            self.pp += 1
        self.log.append(("c", i, j, both))
        if self.val[i] < 0 or self.val[j] < 0:
            return False
        return not (both and self.ipr)

    def add(self, k, size):
        """Places face k; False when it does not fit (undo with undo())."""
        self.size[k] = size
        self.val[k] = size
        mark = len(self.log)
        self.log.append(("m", mark))
        if k == 0:
            self.ring.append(0)
            self.log.append(("a",))
            return True
        if k == 1:
            self.ring.append(1)
            self.log.append(("a",))
            return self.connect(0, 1)
        if k == self.n - 1:
            for f in list(self.ring):
                if self.val[f] > 0 and not self.connect(k, f):
                    return False
            return self.val[k] == 0 and all(self.val[f] == 0 for f in self.ring)
        if not self.connect(k, self.ring[-1]) or not self.connect(k, self.ring[0]):
            return False
        while True:
            if self.val[self.ring[0]] == 0:
                self.log.append(("f", self.ring.pop(0)))
                if not self.ring or not self.connect(k, self.ring[0]):
                    return False
            elif self.val[self.ring[-1]] == 0:
                self.log.append(("b", self.ring.pop()))
                if not self.ring or not self.connect(k, self.ring[-1]):
                    return False
            else:
                break
        if self.val[k] == 0:
            # A face that closes here could not touch the face after it.
            return False
        self.ring.append(k)
        self.log.append(("a",))
        return True

    def undo(self):
        while True:
            entry = self.log.pop()
            kind = entry[0]
            if kind == "m":
                return
            if kind == "c":
                _, i, j, both = entry
                self.adj[i].pop()
                self.adj[j].pop()
                self.val[i] += 1
                self.val[j] += 1
                if both:
                    self.pp -= 1
            elif kind == "f":
                self.ring.insert(0, entry[1])
            elif kind == "b":
                self.ring.append(entry[1])
            elif kind == "a":
                self.ring.pop()


def wind_spiral(spiral):
    """The dual adjacency of one spiral of face sizes."""
    w = Windup(len(spiral), False)
    for k, size in enumerate(spiral):
        if not w.add(k, size):
            raise ValueError("the spiral does not close")
    return [list(a) for a in w.adj]


def spiral_sizes(atoms, positions):
    sizes = [6] * (atoms // 2 + 2)
    for p in positions:
        sizes[p - 1] = 5
    return sizes


def spectrum_key(adj):
    n = len(adj)
    m = np.zeros((n, n))
    for i, nb in enumerate(adj):
        m[i, nb] = 1.0
    return tuple(np.round(np.linalg.eigvalsh(m), 6))


class _Found(Exception):
    pass


def enumerate_spirals(atoms, ipr, part=(0, 1)):
    """The spirals (face sizes, with their dual adjacency and pentagon
    bonds) of the isomers of C<atoms>, every isolated-pentagon one with ipr,
    in canonical-spiral order; repeats of an isomer are dropped. part
    (i, parts) walks only every parts-th branch at SPLIT_DEPTH, from the
    i-th, so sizes can be shared among processes (merge with merge_parts)."""
    faces = atoms // 2 + 2
    w = Windup(faces, ipr)
    found = []
    seen = {}
    spiral = [0] * faces
    branch = [0]

    def walk(k, pentagons):
        if k == SPLIT_DEPTH and part[1] > 1:
            branch[0] += 1
            if (branch[0] - 1) % part[1] != part[0]:
                return
        if k == faces:
            if pentagons == 12:
                keep_new(found, seen, list(spiral), [list(a) for a in w.adj], w.pp)
            return
        left = faces - k
        if 12 - pentagons > left:
            return
        for size in (5, 6):
            if size == 5 and pentagons == 12:
                continue
            if size == 6 and (k == 0 or 12 - pentagons >= left):
                continue
            spiral[k] = size
            if w.add(k, size):
                walk(k + 1, pentagons + (size == 5))
            w.undo()

    walk(0, 0)
    return found


def keep_new(found, seen, spiral, adj, pp):
    """Appends the spiral unless an earlier one gave the same isomer."""
    key = spectrum_key(adj)
    for other in seen.get(key, []):
        if canonical_spiral(faces_from_dual(adj))[0] == canonical_spiral(
                faces_from_dual(other))[0]:
            return
    seen.setdefault(key, []).append(adj)
    found.append((spiral, adj, pp))


def merge_parts(parts):
    """The isomers of all parts of one size, in canonical-spiral order."""
    found, seen = [], {}
    for spiral, adj, pp in sorted((x for p in parts for x in p), key=lambda x: x[0]):
        keep_new(found, seen, spiral, adj, pp)
    return found


def fewest_pentagon_bonds(atoms):
    """The isomer of C<atoms> with the fewest pentagon-pentagon bonds, ties
    going to the smaller canonical spiral: the first spiral found under a
    bound on those bonds that rises from 0."""
    faces = atoms // 2 + 2
    w = Windup(faces, False)
    spiral = [0] * faces

    def walk(k, pentagons, bound):
        if w.pp > bound:
            return
        if k == faces:
            if pentagons == 12:
                raise _Found((list(spiral), [list(a) for a in w.adj], w.pp))
            return
        left = faces - k
        if 12 - pentagons > left:
            return
        for size in (5, 6):
            if size == 5 and pentagons == 12:
                continue
            if size == 6 and (k == 0 or 12 - pentagons >= left):
                continue
            spiral[k] = size
            if w.add(k, size):
                walk(k + 1, pentagons + (size == 5), bound)
            w.undo()

    for bound in range(0, 31):
        try:
            walk(0, 0, bound)
        except _Found as hit:
            return hit.args[0]
    raise ValueError(f"no C{atoms}")


def faces_from_dual(adj):
    """The atoms of a fullerene as the triangles of its dual, with their
    neighbours and the faces around them."""
    faces = len(adj)
    sets = [set(a) for a in adj]
    triangles = []
    for i in range(faces):
        for j in adj[i]:
            if j <= i:
                continue
            for k in sets[i] & sets[j]:
                if k > j:
                    triangles.append((i, j, k))
    by_edge = {}
    for n, t in enumerate(triangles):
        for a, b in ((t[0], t[1]), (t[0], t[2]), (t[1], t[2])):
            by_edge.setdefault((a, b), []).append(n)
    neighbours = [[] for _ in triangles]
    for pair in by_edge.values():
        if len(pair) == 2:
            neighbours[pair[0]].append(pair[1])
            neighbours[pair[1]].append(pair[0])
    return Cage(neighbours, [list(t) for t in triangles], faces)


class Cage:
    """A cubic planar graph with its faces (each a cycle of atoms)."""

    def __init__(self, neighbours, atom_faces, face_count):
        self.nb = neighbours
        self.atom_faces = atom_faces
        self.face_count = face_count
        self._faces = None

    def face_cycles(self):
        """Each face's atoms in cyclic order."""
        if self._faces is None:
            members = [[] for _ in range(self.face_count)]
            for a, fs in enumerate(self.atom_faces):
                for f in fs:
                    members[f].append(a)
            cycles = []
            for f, atoms in enumerate(members):
                inside = set(atoms)
                cycle = [atoms[0]]
                prev = None
                while True:
                    cur = cycle[-1]
                    step = [b for b in self.nb[cur] if b in inside and b != prev]
                    nxt = step[0] if prev is not None or len(step) == 1 else min(step)
                    if nxt == cycle[0]:
                        break
                    prev = cur
                    cycle.append(nxt)
                    if len(cycle) > len(atoms):
                        raise ValueError("face is no cycle")
                cycles.append(cycle)
            self._faces = cycles
        return self._faces


def dual_orders(cage, coords):
    """Per face, its neighbouring faces in one rotational sense about the
    outward normal; coordinates fix the sense."""
    cycles = cage.face_cycles()
    orders = []
    centre = coords.mean(axis=0)
    for f, cyc in enumerate(cycles):
        pts = coords[cyc]
        c = pts.mean(axis=0)
        normal = np.cross(pts[0] - c, pts[1] - c)
        if np.dot(normal, c - centre) < 0:
            cyc = cyc[::-1]
        around = []
        for i, a in enumerate(cyc):
            b = cyc[(i + 1) % len(cyc)]
            others = [g for g in set(cage.atom_faces[a]) & set(cage.atom_faces[b]) if g != f]
            around.append(others[0])
        orders.append(around)
    return orders


def unwind(orders, f0, f1, direction):
    """The spiral of faces from f0, f1 winding in direction (+1 or -1), or
    None when no spiral starts there."""
    n = len(orders)
    used = [False] * n
    seq = [f0, f1]
    used[f0] = used[f1] = True
    pos = [dict((g, i) for i, g in enumerate(o)) for o in orders]
    left = [len(o) for o in orders]
    left[f0] -= 1
    left[f1] -= 1
    first_open = 0
    while len(seq) < n:
        if len(seq) == n - 1:
            # The last face caps what is open; it must touch the face
            # before it like every other.
            last = used.index(False)
            if seq[-1] not in pos[last]:
                return None
            seq.append(last)
            break
        while first_open < len(seq) and left[seq[first_open]] == 0:
            first_open += 1
        if first_open >= len(seq):
            return None
        o = seq[first_open]
        last = seq[-1]
        if last not in pos[o]:
            return None
        ring = orders[o]
        nxt = ring[(pos[o][last] + direction) % len(ring)]
        if used[nxt]:
            return None
        used[nxt] = True
        seq.append(nxt)
        for g in orders[nxt]:
            if used[g]:
                left[g] -= 1
                left[nxt] -= 1
    return seq


def canonical_spiral(cage_or_orders, coords=None):
    """The smallest spiral (face sizes) of a cage and its pentagon
    positions (1-based)."""
    if isinstance(cage_or_orders, Cage):
        cage = cage_or_orders
        if coords is None:
            coords = embed(cage)
        orders = dual_orders(cage, coords)
    else:
        orders = cage_or_orders
    best = None
    sizes = [len(o) for o in orders]
    for f0 in range(len(orders)):
        if sizes[f0] != 5:
            continue
        for f1 in orders[f0]:
            for d in (1, -1):
                seq = unwind(orders, f0, f1, d)
                if seq is None:
                    continue
                spiral = tuple(sizes[f] for f in seq)
                if best is None or spiral < best:
                    best = spiral
    if best is None:
        raise ValueError("no spiral from a pentagon")
    return best, [i + 1 for i, s in enumerate(best) if s == 5]


def embed(cage):
    """Coordinates from adjacency eigenvectors 2-4, scaled to bonds of
    about 1.42 A."""
    n = len(cage.nb)
    m = np.zeros((n, n))
    for i, nb in enumerate(cage.nb):
        m[i, nb] = 1.0
    values, vectors = np.linalg.eigh(m)
    order = np.argsort(values)[::-1]
    xyz = np.stack([vectors[:, order[k]] / np.sqrt(max(3.0 - values[order[k]], 1e-9))
                    for k in (1, 2, 3)], axis=1)
    bonds = np.array([(i, j) for i in range(n) for j in cage.nb[i] if j > i])
    mean = np.linalg.norm(xyz[bonds[:, 0]] - xyz[bonds[:, 1]], axis=1).mean()
    return xyz * (1.42 / mean)


def relax(cage, coords):
    """Harmonic bonds by the kinds of faces beside them and face angles."""
    cycles = cage.face_cycles()
    size_of = [len(c) for c in cycles]
    bonds, lengths = [], []
    for i, nb in enumerate(cage.nb):
        for j in nb:
            if j > i:
                fs = [f for f in set(cage.atom_faces[i]) & set(cage.atom_faces[j])]
                key = tuple(sorted(5 if size_of[f] == 5 else 6 for f in fs))
                bonds.append((i, j))
                lengths.append(BOND[key])
    bonds = np.array(bonds)
    lengths = np.array(lengths)
    corners, cos0 = [], []
    for cyc in cycles:
        c0 = np.cos(np.radians(108.0 if len(cyc) == 5 else 120.0))
        for k, a in enumerate(cyc):
            corners.append((cyc[k - 1], a, cyc[(k + 1) % len(cyc)]))
            cos0.append(c0)
    corners = np.array(corners)
    cos0 = np.array(cos0)
    n = len(cage.nb)

    def energy(flat):
        p = flat.reshape(n, 3)
        grad = np.zeros_like(p)
        d = p[bonds[:, 1]] - p[bonds[:, 0]]
        r = np.linalg.norm(d, axis=1)
        dr = r - lengths
        e = 50.0 * np.sum(dr * dr)
        g = (100.0 * dr / r)[:, None] * d
        np.add.at(grad, bonds[:, 1], g)
        np.add.at(grad, bonds[:, 0], -g)
        u = p[corners[:, 0]] - p[corners[:, 1]]
        v = p[corners[:, 2]] - p[corners[:, 1]]
        lu = np.linalg.norm(u, axis=1)
        lv = np.linalg.norm(v, axis=1)
        c = np.sum(u * v, axis=1) / (lu * lv)
        dc = c - cos0
        e += 20.0 * np.sum(dc * dc)
        k = (40.0 * dc)[:, None]
        gu = k * (v / (lu * lv)[:, None] - (c / (lu * lu))[:, None] * u)
        gv = k * (u / (lu * lv)[:, None] - (c / (lv * lv))[:, None] * v)
        np.add.at(grad, corners[:, 0], gu)
        np.add.at(grad, corners[:, 2], gv)
        np.add.at(grad, corners[:, 1], -gu - gv)
        return e, grad.ravel()

    result = minimize(energy, coords.ravel(), jac=True, method="L-BFGS-B",
                      options={"maxiter": 20000, "gtol": 1e-9, "ftol": 1e-15})
    p = result.x.reshape(n, 3)
    return p - p.mean(axis=0)


def cage_from_spiral(spiral, adj):
    cage = faces_from_dual(adj)
    if len(cage.nb) != 2 * (len(spiral) - 2):
        raise ValueError("the dual gives the wrong number of atoms")
    return cage


def leapfrog(cage, coords):
    """L(G): every face kept, a hexagon for every atom; 3N atoms."""
    cycles = cage.face_cycles()
    darts = {}
    for f, cyc in enumerate(cycles):
        for k, a in enumerate(cyc):
            b = cyc[(k + 1) % len(cyc)]
            darts[(f, a, b)] = len(darts)
    nb = [[] for _ in darts]
    atom_faces = [[] for _ in darts]
    face_of_edge = {}
    for (f, a, b) in darts:
        face_of_edge.setdefault(frozenset((a, b)), []).append((f, a, b))
    for f, cyc in enumerate(cycles):
        for k, a in enumerate(cyc):
            d1 = darts[(f, a, cyc[(k + 1) % len(cyc)])]
            d0 = darts[(f, cyc[k - 1], a)]
            nb[d1].append(d0)
            nb[d0].append(d1)
    for pair in face_of_edge.values():
        x, y = darts[pair[0]], darts[pair[1]]
        nb[x].append(y)
        nb[y].append(x)
    # Faces: the old faces, then one hexagon per old atom.
    for (f, a, b), d in darts.items():
        atom_faces[d] = [f, len(cycles) + a, len(cycles) + b]
    new = Cage(nb, atom_faces, len(cycles) + len(cage.nb))
    pts = np.array([(coords[a] * 2 + coords[b] * 2 + coords[cycles[f]].mean(axis=0) * 2) / 6
                    for (f, a, b) in darts])
    return new, pts


def chamfer(cage, coords):
    """Ch(G): every face kept, a hexagon for every bond; 4N atoms."""
    cycles = cage.face_cycles()
    n = len(cage.nb)
    corner = {}
    for f, cyc in enumerate(cycles):
        for a in cyc:
            corner[(f, a)] = n + len(corner)
    total = n + len(corner)
    nb = [[] for _ in range(total)]
    atom_faces = [[] for _ in range(total)]
    bond_face = {}
    for i in range(n):
        for j in cage.nb[i]:
            if j > i:
                bond_face[(i, j)] = len(cycles) + len(bond_face)
    def bf(a, b):
        return bond_face[(min(a, b), max(a, b))]
    for (f, a), c in corner.items():
        nb[a].append(c)
        nb[c].append(a)
    for f, cyc in enumerate(cycles):
        for k, a in enumerate(cyc):
            b = cyc[(k + 1) % len(cyc)]
            x, y = corner[(f, a)], corner[(f, b)]
            nb[x].append(y)
            nb[y].append(x)
    for a in range(n):
        atom_faces[a] = [bf(a, b) for b in cage.nb[a]]
    for (f, a), c in corner.items():
        cyc = cycles[f]
        k = cyc.index(a)
        atom_faces[c] = [f, bf(a, cyc[k - 1]), bf(a, cyc[(k + 1) % len(cyc)])]
    new = Cage(nb, atom_faces, len(cycles) + len(bond_face))
    pts = np.zeros((total, 3))
    pts[:n] = coords * 1.15
    for (f, a), c in corner.items():
        pts[c] = (coords[a] * 2 + coords[cycles[f]].mean(axis=0)) / 3
    return new, pts


def build_cage(cage, start=None):
    coords = embed(cage) if start is None else start
    # The start only sets the shape; scale it to bonds of about 1.42 A.
    bonds = np.array([(i, j) for i in range(len(cage.nb)) for j in cage.nb[i] if j > i])
    coords = coords * (1.42 / np.linalg.norm(coords[bonds[:, 0]] - coords[bonds[:, 1]],
                                            axis=1).mean())
    return relax(cage, coords - coords.mean(axis=0))


def giants():
    spiral = [5] * 12
    c20 = cage_from_spiral(spiral, wind_spiral(spiral))
    p20 = build_cage(c20)
    made = {}
    l60, q = leapfrog(c20, p20)
    c180, q180 = leapfrog(l60, build_cage(l60, q))
    made[180] = (c180, q180)
    made[540] = leapfrog(c180, build_cage(c180, q180))
    c80, q80 = chamfer(c20, p20)
    p80 = build_cage(c80, q80)
    made[240] = leapfrog(c80, p80)
    made[320] = chamfer(c80, p80)
    c240, q240 = made[240]
    made[720] = leapfrog(c240, build_cage(c240, q240))
    return [(n, made[n][0], made[n][1]) for n in (180, 240, 320, 540, 720)]


def write_cc1(path, neighbours, coords):
    lines = [str(len(neighbours))]
    for i, nb in enumerate(neighbours):
        x, y, z = (f"{v:.6f}" for v in coords[i])
        lines.append(f"C  {i + 1}  {x} {y} {z}  2  " + " ".join(str(j + 1) for j in nb))
    tmp = path.with_suffix(".tmp")
    tmp.write_bytes(("\r\n".join(lines) + "\r\n").encode())
    tmp.replace(path)


def read_cc1(path):
    text = path.read_bytes().decode().split()
    n = int(text[0])
    coords = np.zeros((n, 3))
    nb = []
    k = 1
    for i in range(n):
        coords[i] = [float(v) for v in text[k + 2:k + 5]]
        nb.append([int(v) - 1 for v in text[k + 6:k + 9]])
        k += 9
    return nb, coords


def rotations(nb, coords):
    """Each atom's three neighbours in one rotational sense about the
    outward direction."""
    centre = coords.mean(axis=0)
    rot = []
    for i in range(len(nb)):
        normal = coords[i] - centre
        normal /= np.linalg.norm(normal)
        ref = coords[nb[i][0]] - coords[i]
        ref -= normal * np.dot(ref, normal)
        side = np.cross(normal, ref)
        ang = []
        for j in nb[i]:
            d = coords[j] - coords[i]
            ang.append(np.arctan2(np.dot(d, side), np.dot(d, ref)))
        rot.append([nb[i][k] for k in np.argsort(ang)])
    return rot


def walk_faces(rot):
    """The faces (atom cycles) of an embedded cubic graph, walked round the
    rotations by always turning the same way."""
    seen = set()
    faces = []
    for i in range(len(rot)):
        for j in rot[i]:
            if (i, j) in seen:
                continue
            face = []
            a, b = i, j
            while (a, b) not in seen:
                seen.add((a, b))
                face.append(a)
                r = rot[b]
                a, b = b, r[(r.index(a) - 1) % 3]
            faces.append(face)
    return faces


def cage_from_graph(nb, coords):
    """A cubic graph with the faces its coordinates embed it with."""
    faces = walk_faces(rotations(nb, coords))
    atom_faces = [[] for _ in nb]
    for f, face in enumerate(faces):
        for a in face:
            atom_faces[a].append(f)
    return Cage(nb, atom_faces, len(faces))


def bonds_by_distance(coords):
    """Each atom's neighbours: the atoms nearer than BOND_SEARCH."""
    d = np.linalg.norm(coords[:, None, :] - coords[None, :, :], axis=2)
    np.fill_diagonal(d, np.inf)
    return [sorted(np.nonzero(row < BOND_SEARCH)[0].tolist()) for row in d]


def symmetries(rot):
    """The automorphisms of an embedded cubic graph, each as (atom images,
    proper): one start dart taken to every dart, keeping the rotational
    sense (proper) or reversing it."""
    start = (0, rot[0][0])
    found = []
    for a in range(len(rot)):
        for b in rot[a]:
            for sense in (1, -1):
                image = extend_map(rot, start, (a, b), sense)
                if image is not None:
                    found.append((image, sense == 1))
    return found


def extend_map(rot, dart, target, sense):
    image = {dart[0]: target[0]}
    queue = [(dart, target)]
    while queue:
        (u, v), (x, y) = queue.pop()
        ru, rx = rot[u], rot[x]
        i, k = ru.index(v), rx.index(y)
        for step in range(3):
            w = ru[(i + step) % 3]
            z = rx[(k + sense * step) % 3]
            if w in image:
                if image[w] != z:
                    return None
                continue
            if z in image.values():
                return None
            image[w] = z
            queue.append(((w, u), (z, x)))
    if len(image) != len(rot):
        return None
    return [image[i] for i in range(len(rot))]


def point_group(nb, coords):
    """The point group of a cage, from the symmetries of its embedded graph:
    named by order, rotations, inversion and largest rotation where
    GROUP_NAMES knows them, else 'order N'."""
    rot = rotations(nb, coords)
    faces = [sorted(f) for f in walk_faces(rot)]
    group = symmetries(rot)
    proper = [g for g, p in group if p]
    # The improper involution that fixes no atom, bond or face.
    inversion = any(
        not p and all(g[g[i]] == i and g[i] != i and g[i] not in nb[i] for i in range(len(g)))
        and all(sorted(g[a] for a in f) != f for f in faces)
        for g, p in group)
    largest = max(element_order(g) for g in proper)
    return GROUP_NAMES.get((len(group), len(proper), inversion, largest),
                           f"order {len(group)}")


def element_order(g):
    order, p = 1, list(g)
    while any(p[i] != i for i in range(len(p))):
        p = [g[i] for i in p]
        order += 1
    return order


def pentagon_bonds(cage):
    sizes = [len(c) for c in cage.face_cycles()]
    count = 0
    for i, nb in enumerate(cage.nb):
        for j in nb:
            if j > i:
                fs = set(cage.atom_faces[i]) & set(cage.atom_faces[j])
                if all(sizes[f] == 5 for f in fs):
                    count += 1
    return count


def search(task):
    """One search task: (atoms, "small" or "ipr", part)."""
    atoms, kind, part = task
    if kind == "small":
        return atoms, kind, [fewest_pentagon_bonds(atoms)]
    return atoms, kind, enumerate_spirals(atoms, True, part)


def shape(task):
    """Coordinates of one isomer: (name, spiral, adj) -> (name, nb, coords)."""
    name, spiral, adj = task
    cage = cage_from_spiral(spiral, adj)
    return name, cage.nb, build_cage(cage)


def shape_giants():
    """The giants with their coordinates, pentagon bonds and spirals."""
    out = []
    for n, cage, start in giants():
        coords = build_cage(cage, start)
        _, positions = canonical_spiral(cage, coords)
        out.append((n, cage.nb, coords, pentagon_bonds(cage), positions))
    return out


def write_library(folder, jobs):
    folder.mkdir(parents=True, exist_ok=True)
    tasks = []
    for n in reversed(IPR_SIZES):
        parts = PARTS.get(n, 1)
        tasks += [(n, "ipr", (i, parts)) for i in range(parts)]
    tasks += [(n, "small", (0, 1)) for n in SMALL_SIZES]
    by_size = {}
    rows = {}
    shapes = []
    with multiprocessing.Pool(jobs) as pool:
        giant_jobs = pool.apply_async(shape_giants)
        for atoms, kind, found in pool.imap_unordered(search, tasks):
            by_size.setdefault((atoms, kind), []).append(found)
            if kind == "ipr" and len(by_size[(atoms, kind)]) < PARTS.get(atoms, 1):
                continue
            spirals = merge_parts(by_size[(atoms, kind)])
            if kind == "ipr" and len(spirals) != IPR_COUNTS[atoms]:
                raise SystemExit(f"C{atoms}: {len(spirals)} isolated-pentagon isomers, "
                                 f"expected {IPR_COUNTS[atoms]}")
            for number, (spiral, adj, pp) in enumerate(spirals, start=1):
                if kind == "small":
                    name, number = f"C{atoms}", 0
                else:
                    name = f"C{atoms}" if len(spirals) == 1 else f"C{atoms}-{number}"
                positions = [i + 1 for i, size in enumerate(spiral) if size == 5]
                rows[name] = (atoms, number, int(pp == 0), pp, positions)
                shapes.append((name, spiral, adj))
            sys.stderr.write(f"C{atoms}: {len(spirals)} found\n")
        for name, nb, coords in pool.imap_unordered(shape, shapes, chunksize=4):
            write_cc1(folder / f"{name}.cc1", nb, coords)
        for n, nb, coords, pp, positions in giant_jobs.get():
            write_cc1(folder / f"C{n}.cc1", nb, coords)
            rows[f"C{n}"] = (n, 0, int(pp == 0), pp, positions)
    write_index(folder, rows)


def write_index(folder, rows):
    def order(name):
        base, _, number = name[1:].partition("-")
        return int(base), int(number or 0)
    lines = ["# name atoms isomer ipr pentagon-pentagon-bonds spiral"]
    for name in sorted(rows, key=order):
        n, number, ipr, pp, positions = rows[name]
        lines.append(f"{name} {n} {number} {ipr} {pp} " + " ".join(map(str, positions)))
    (folder / "index.txt").write_bytes(("\r\n".join(lines) + "\r\n").encode())


def check(folder):
    problems = []
    index = {}
    for line in (folder / "index.txt").read_bytes().decode().splitlines():
        if line.startswith("#") or not line.strip():
            continue
        f = line.split()
        index[f[0]] = (int(f[1]), int(f[2]), int(f[3]), int(f[4]), [int(v) for v in f[5:]])
    files = sorted(p.stem for p in folder.glob("*.cc1"))
    if sorted(index) != files:
        problems.append("index.txt and the .cc1 files name different cages")
    spirals = {}
    found = {}
    for name in files:
        nb, coords = read_cc1(folder / f"{name}.cc1")
        if [sorted(js) for js in nb] != bonds_by_distance(coords):
            problems.append(f"{name}: the neighbour columns are not the bonds by distance")
            continue
        cage = cage_from_graph(nb, coords)
        sizes = [len(c) for c in cage.face_cycles()]
        if sizes.count(5) != 12 or any(s not in (5, 6) for s in sizes):
            problems.append(f"{name}: faces are not 12 pentagons and hexagons")
            continue
        spiral, positions = canonical_spiral(cage, coords)
        pp = pentagon_bonds(cage)
        atoms, _, ipr, pp_listed, listed = index.get(name, (0, 0, 0, 0, []))
        if positions != listed:
            problems.append(f"{name}: canonical spiral {positions} but index.txt has {listed}")
        if ipr != int(pp == 0) or pp != pp_listed or atoms != len(nb):
            problems.append(f"{name}: atoms, IPR flag or pentagon bonds differ from index.txt")
        key = (len(nb), tuple(positions))
        if key in spirals:
            problems.append(f"{name} and {spirals[key]} are the same isomer")
        spirals[key] = name
        found[name] = positions
        d = np.linalg.norm(coords[:, None, :] - coords[None, :, :], axis=2)
        bonded = np.zeros_like(d, dtype=bool)
        for i, js in enumerate(nb):
            bonded[i, js] = True
        lengths = d[bonded]
        if lengths.min() < BOND_RANGE[0] or lengths.max() > BOND_RANGE[1]:
            problems.append(f"{name}: bonds {lengths.min():.3f}-{lengths.max():.3f} A")
        np.fill_diagonal(d, np.inf)
        if d[~bonded].min() < NEAREST_OTHER:
            problems.append(f"{name}: unbonded atoms {d[~bonded].min():.3f} A apart")
        if name in ANCHORS and point_group(nb, coords) != ANCHORS[name]:
            problems.append(f"{name}: point group {point_group(nb, coords)}, "
                            f"not {ANCHORS[name]}")
    check_numbering(index, found, problems)
    for name in ("C20", "C60", "C70"):
        atoms, positions = index[name][0], index[name][4]
        spiral = spiral_sizes(atoms, positions)
        cage = cage_from_spiral(spiral, wind_spiral(spiral))
        compare_bonds(folder, name, cage.nb, build_cage(cage), problems)
    for n, cage, start in giants():
        if n == 180:
            compare_bonds(folder, "C180", cage.nb, build_cage(cage, start), problems)
    for p in problems:
        sys.stderr.write(p + "\n")
    return not problems


def check_numbering(index, found, problems):
    """Index spirals keep the spiral rule; an isomer's number is the rank of
    the spiral found in its file among its size's, and names the file when
    the size has more than one."""
    by_size = {}
    for name, (atoms, number, _, _, positions) in index.items():
        try:
            adj = wind_spiral(spiral_sizes(atoms, positions))
        except ValueError:
            adj = None
        if adj is None or any(k - 1 not in adj[k] for k in range(1, len(adj))):
            problems.append(f"{name}: the index spiral breaks the spiral rule")
        if number:
            by_size.setdefault(atoms, []).append((found.get(name, positions), number, name))
    for atoms, isomers in by_size.items():
        for rank, (_, number, name) in enumerate(sorted(isomers), start=1):
            want = f"C{atoms}" if len(isomers) == 1 else f"C{atoms}-{rank}"
            if number != rank or name != want:
                problems.append(f"{name}: number {number}, but its spiral ranks {rank}")


def bond_lengths(nb, coords):
    return np.sort([np.linalg.norm(coords[i] - coords[j])
                    for i in range(len(nb)) for j in nb[i] if j > i])


def compare_bonds(folder, name, nb, coords, problems):
    stored_nb, stored = read_cc1(folder / f"{name}.cc1")
    a = bond_lengths(stored_nb, stored)
    b = bond_lengths(nb, coords)
    if len(a) != len(b) or np.abs(a - b).max() > 1e-3:
        problems.append(f"{name}: regenerated bond lengths differ")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true")
    parser.add_argument("--jobs", type=int, default=4)
    parser.add_argument("--out", type=pathlib.Path, default=LIBRARY)
    args = parser.parse_args()
    if args.check:
        sys.exit(0 if check(args.out) else 1)
    write_library(args.out, args.jobs)


if __name__ == "__main__":
    main()
