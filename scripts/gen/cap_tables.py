#!/usr/bin/python3
"""Makes the stored end caps of the (10,10), (11,11), (16,16), (19,0) and
(28,0) tubes.

Writes src/model/cap_tables_generated.cpp. With --check it regenerates into a
temporary folder and compares with the committed file (10^-4 Å); exit 0 when
they match, 1 when not.

Method: a cap is found through its dual, the hexagon and pentagon centres.
The centres of the last tube rings are fixed; M free centres on a
half-spheroid above them repel each other (sum of 1/r). The tube keeps its
own triangles of centres, a convex hull gives those with a free corner, and
the triangulation must give every free centre five or six neighbours,
exactly six of them five (the cap's pentagons). A near miss may be mended by
edge flips. Each triangle with a free corner is a carbon atom, bonded to the
atoms of the triangles beside it. The atoms are relaxed towards bond length
a and 120-degree angles with the rim pinned where the builders will put it,
checked (bonds 0.9-1.1 a, other atoms at least 1.35 a apart) and written in
the builders' table frame.
"""

import argparse
import math
import os
import sys
import tempfile

try:
    import numpy as np
    from scipy.optimize import minimize
    from scipy.spatial import ConvexHull
except ImportError:
    sys.stderr.write("cap_tables.py needs python3-numpy and python3-scipy "
                     "(scripts/deps installs them)\n")
    # 77 tells CTest to skip; a CI run must have them.
    sys.exit(1 if os.environ.get("CI") == "true" else 77)

A = 1.42
LAST_RING = 3  # k0: the tube's last ring in the fitting frame
SEEDS = range(10)
# Bonds of a relaxed cap, in bond lengths, and the nearest unbonded pair.
BOND_BAND = (0.9, 1.1)
NEAREST_UNBONDED = 1.35

# Table name, n, armchair (n,n) or zigzag (n,0), free centres M, rim radius
# over the tube radius, how far each rim atom is drawn towards its pair (in
# a), the builders' first turn (degrees), where the search for a cap starts
# (cap height in Å, seed) and how many flip mends a near miss gets. The
# starts of the wider tubes are where a longer search found their caps.
CAPS = [
    ("kCap1010Lines", 10, True, 46, 0.99, 0.03, 18.0, (4.0, 0), 0),
    ("kCap1111Lines", 11, True, 49, 0.95, 0.0, 6.0, (4.0, 0), 0),
    ("kCap1616Lines", 16, True, 110, 1.0, 0.0, 0.0, (10.0, 0), 0),
    ("kCap190Lines", 19, False, 46, 1.0, 0.0, 0.0, (6.0, 1), 0),
    ("kCap280Lines", 28, False, 112, 1.0, 0.0, 0.0, (11.0, 0), 3),
]

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
OUTPUT = os.path.join("src", "model", "cap_tables_generated.cpp")


def ring_rise():
    return math.sqrt(3.0) / 2.0 * A


class Lattice:
    """The hexagon centres and atom slots of an (n,n) or (n,0) tube. A slot
    is (height, arc): heights count z_unit Å along the axis, arcs count
    arc_unit bond lengths round it (modulo period). Centre level k lies at
    height k * level_step."""

    def __init__(self, n, armchair):
        self.n = n
        self.armchair = armchair
        if armchair:
            self.period = 3 * n
            self.arc_unit = 1.0
            self.z_unit = ring_rise()
            self.level_step = 1
        else:
            self.period = 2 * n
            self.arc_unit = math.sqrt(3.0) / 2.0
            self.z_unit = A / 2.0
            self.level_step = 3
        self.radius = self.period * self.arc_unit * A / (2.0 * math.pi)

    def centre_arcs(self, level):
        if self.armchair:
            first = 1.0 if level % 2 == 0 else 2.5
            return [first + 3.0 * j for j in range(self.n)]
        return [2 * j + level % 2 for j in range(self.n)]

    def vertices(self, level, arc):
        """The slots of the hexagon around a centre."""
        h = level * self.level_step
        if self.armchair:
            slots = [(h, arc - 1.0), (h, arc + 1.0)]
            for dl in (-1, 1):
                slots += [(h + dl, arc - 0.5), (h + dl, arc + 0.5)]
        else:
            slots = [(h - 2, arc), (h + 2, arc)]
            for dh in (-1, 1):
                slots += [(h + dh, arc - 1), (h + dh, arc + 1)]
        return {(z, round(a % self.period, 3)) for z, a in slots}

    def point(self, arc, height, scale=1.0):
        """The slot at an arc and height, moved to scale times the radius."""
        return on_cylinder(self.radius, arc * self.arc_unit, height * self.z_unit, scale)


def on_cylinder(radius, arc, z, scale=1.0):
    """The point at an arc (in a) of the tube of this radius, moved to
    scale times the radius."""
    phi = arc * A / radius
    return np.array([scale * radius * math.cos(phi), scale * radius * math.sin(phi), z])


def spheroid(params, radius, z0, height):
    u = params[0::2]
    v = params[1::2]
    q = 1.0 + u * u + v * v
    pts = np.stack([2 * radius * u / q, 2 * radius * v / q, z0 + height * (2.0 / q - 1.0)], axis=1)
    q2 = q * q
    d_du = np.stack([2 * radius * (q - 2 * u * u) / q2, -4 * radius * u * v / q2,
                     -4 * height * u / q2], axis=1)
    d_dv = np.stack([-4 * radius * u * v / q2, 2 * radius * (q - 2 * v * v) / q2,
                     -4 * height * v / q2], axis=1)
    return pts, d_du, d_dv


def repulsion(params, fixed, radius, z0, height):
    pts, d_du, d_dv = spheroid(params, radius, z0, height)
    m = len(pts)
    allp = np.vstack([pts, fixed])
    diff = pts[:, None, :] - allp[None, :, :]
    r = np.sqrt((diff ** 2).sum(axis=2))
    idx = np.arange(m)
    r[idx, idx] = np.inf
    inv = 1.0 / r
    energy = 0.5 * inv[:, :m].sum() + inv[:, m:].sum()
    grad_p = -(diff * (inv ** 3)[:, :, None]).sum(axis=1)
    grad = np.empty_like(params)
    grad[0::2] = (grad_p * d_du).sum(axis=1)
    grad[1::2] = (grad_p * d_dv).sum(axis=1)
    # Keeps the points above the rim level.
    s = params[0::2] ** 2 + params[1::2] ** 2
    over = np.maximum(0.0, s - 1.4)
    energy += 100.0 * (over ** 2).sum()
    grad[0::2] += 400.0 * over * params[0::2]
    grad[1::2] += 400.0 * over * params[1::2]
    return energy, grad


def triangulate(points, centre):
    rel = points - centre
    unit = rel / np.linalg.norm(rel, axis=1)[:, None]
    pole = len(points)
    hull = ConvexHull(np.vstack([unit, [[0.0, 0.0, -1.0]]]))
    return [tuple(sorted(t)) for t in hull.simplices if pole not in t]


def neighbours(triangles, count):
    near = [set() for _ in range(count)]
    for t in triangles:
        for i in t:
            near[i].update(j for j in t if j != i)
    return near


def fixed_centres(lattice):
    levels = []
    fixed = []
    for level in range(LAST_RING + 2):
        for arc in lattice.centre_arcs(level):
            levels.append((level, arc))
            fixed.append(lattice.point(arc, level * lattice.level_step))
    return levels, np.array(fixed)


def common_slots(lattice, levels, corners):
    return set.intersection(*(lattice.vertices(*levels[i]) for i in corners))


def topology_fits(lattice, levels, nf, m, triangles):
    """Every free centre has five or six neighbours, six of them five; the
    tube hexagons from level 2 up are whole; two tube hexagons on a cap atom
    share an edge, whose upper ends make one ring."""
    near = neighbours(triangles, nf + m)
    degrees = [len(near[nf + i]) for i in range(m)]
    upper_ok = all(len(near[i]) == 6 for i in range(nf) if levels[i][0] >= 2)
    rims = [common_slots(lattice, levels, [i for i in t if i < nf])
            for t in triangles if sum(i < nf for i in t) == 2]
    rims_ok = all(rims) and len({max(r)[0] for r in rims}) == 1
    return upper_ok and rims_ok and all(d in (5, 6) for d in degrees) and degrees.count(5) == 6


def lattice_triangles(lattice, levels):
    """The tube's own triangles: three centres whose hexagons meet."""
    hexagons = [lattice.vertices(*c) for c in levels]
    count = len(levels)
    near = [{j for j in range(count) if j != i and len(hexagons[i] & hexagons[j]) == 2}
            for i in range(count)]
    return {tuple(sorted((i, j, k))) for i in range(count) for j in near[i]
            for k in near[i] & near[j]}


def mend(levels, nf, triangles, seed, steps=3000):
    """Edge flips towards a cap: each flip is the one that most lowers the
    misfit (a free centre's or a tube centre's from level 2 up distance from
    six neighbours, a free centre's five counting as fit), else one at
    random that keeps it. An edge between two tube centres is never flipped
    or made."""
    rng = np.random.default_rng(seed)
    thirds = {}
    for t in triangles:
        t = tuple(int(v) for v in t)
        for k in range(3):
            e = tuple(sorted((t[k], t[(k + 1) % 3])))
            thirds.setdefault(e, set()).add(t[(k + 2) % 3])
    count = 1 + max(max(e) for e in thirds)
    degree = [0] * count
    for e in thirds:
        degree[e[0]] += 1
        degree[e[1]] += 1
    counted = [i >= nf or levels[i][0] >= 2 for i in range(count)]

    def cost(i, d):
        if not counted[i] or (i >= nf and d == 5):
            return 0
        return (d - 6) ** 2

    def gain(a, b, c, d):
        before = sum(cost(i, degree[i]) for i in (a, b, c, d))
        after = (cost(a, degree[a] - 1) + cost(b, degree[b] - 1) + cost(c, degree[c] + 1)
                 + cost(d, degree[d] + 1))
        return before - after

    for _ in range(steps):
        if all(cost(i, degree[i]) == 0 for i in range(count)):
            break
        moves = []
        for (a, b), opposite in thirds.items():
            if len(opposite) != 2 or (a < nf and b < nf) or min(degree[a], degree[b]) <= 4:
                continue
            c, d = sorted(opposite)
            if (c < nf and d < nf) or (c, d) in thirds:
                continue
            moves.append((gain(a, b, c, d), a, b, c, d))
        best = max(move[0] for move in moves)
        pick = [move for move in moves if move[0] == max(best, 0)]
        if not pick:
            break
        _, a, b, c, d = pick[rng.integers(len(pick))]
        del thirds[(a, b)]
        for x, y, z in ((a, c, b), (a, d, b), (b, c, a), (b, d, a)):
            e = tuple(sorted((x, y)))
            thirds[e].discard(z)
            thirds[e].add(d if y == c else c)
        thirds[(c, d)] = {a, b}
        degree[a] -= 1
        degree[b] -= 1
        degree[c] += 1
        degree[d] += 1
    return sorted({tuple(sorted((a, b, c))) for (a, b), opposite in thirds.items()
                   for c in opposite})


def find_topology(lattice, m, begin, mends):
    levels, fixed = fixed_centres(lattice)
    radius = lattice.radius
    nf = len(fixed)
    # The hull sees a wide tube's hexagons askew; the tube keeps its own
    # triangles and the hull gives those of the cap.
    tube = lattice_triangles(lattice, levels)
    z0 = (LAST_RING + 1) * lattice.level_step * lattice.z_unit
    for height in [begin[0] + 0.25 * i for i in range(21)]:
        for seed in SEEDS:
            if height == begin[0] and seed < begin[1]:
                continue
            rng = np.random.default_rng(seed)
            rho = 0.9 * np.sqrt(rng.uniform(0.0, 1.0, m))
            ang = rng.uniform(0.0, 2.0 * math.pi, m)
            start = np.empty(2 * m)
            start[0::2] = rho * np.cos(ang)
            start[1::2] = rho * np.sin(ang)
            res = minimize(repulsion, start, args=(fixed, radius, z0, height), jac=True,
                           method="L-BFGS-B", options={"maxiter": 5000, "gtol": 1e-9})
            free, _, _ = spheroid(res.x, radius, z0, height)
            points = np.vstack([fixed, free])
            hull = triangulate(points, np.array([0.0, 0.0, z0 - radius]))
            kept = [t for t in hull if max(t) >= nf or t in tube]
            triangles = kept + sorted(tube - set(kept))
            if topology_fits(lattice, levels, nf, m, triangles):
                return levels, points, triangles
            for attempt in range(mends):
                mended = mend(levels, nf, triangles, attempt)
                if topology_fits(lattice, levels, nf, m, mended):
                    return levels, points, mended
    shape = f"({lattice.n},{lattice.n if lattice.armchair else 0})"
    raise SystemExit(f"no cap found for {shape} with {m} free centres")


def build_cap(name, n, armchair, m, fill, draw, first_turn, begin, mends):
    lattice = Lattice(n, armchair)
    levels, points, all_triangles = find_topology(lattice, m, begin, mends)
    nf = len(levels)
    period = lattice.period
    shape = f"({n},{n if armchair else 0})"

    # The lowest fixed level has no level below it; triangles there that no
    # atom of the tube matches are left out.
    def tube_slot(tri):
        common = common_slots(lattice, levels, tri)
        return common.pop() if common else None

    triangles = [tri for tri in all_triangles
                 if any(i >= nf for i in tri) or tube_slot(tri) is not None]

    # Atoms: one per triangle; bonds between triangles sharing an edge.
    edge_owner = {}
    for t, tri in enumerate(triangles):
        for e in ((tri[0], tri[1]), (tri[0], tri[2]), (tri[1], tri[2])):
            edge_owner.setdefault(e, []).append(t)
    bonds = set()
    for owners in edge_owner.values():
        if len(owners) == 2:
            bonds.add(tuple(sorted(owners)))
    is_cap = [any(i >= nf for i in tri) for tri in triangles]
    adj = [set() for _ in triangles]
    for i, j in bonds:
        adj[i].add(j)
        adj[j].add(i)
    if any(is_cap[t] and len(adj[t]) != 3 for t in range(len(triangles))):
        raise SystemExit(f"{shape}: a cap atom without three bonds")

    pos = np.zeros((len(triangles), 3))
    pinned = np.zeros(len(triangles), dtype=bool)
    rim = []
    for t, tri in enumerate(triangles):
        fixed_corners = [i for i in tri if i < nf]
        if len(fixed_corners) == 3:
            # A tube atom: the common corner of its three hexagons.
            height, arc = tube_slot(tri)
            pos[t] = lattice.point(arc, height)
            pinned[t] = True
        elif len(fixed_corners) == 2:
            # The upper end of the edge the two tube hexagons share.
            rim.append((t,) + max(common_slots(lattice, levels, fixed_corners)))
            pinned[t] = True
        else:
            pos[t] = points[list(tri)].mean(axis=0)
    rim_height = rim[0][1]

    # Rim atoms where the builders' scale puts them; a pair (one arc apart)
    # drawn together keeps the contact checks clear of their threshold.
    rim_arcs = {t: arc for t, _, arc in rim}
    for t, _, arc in rim:
        shift = 0.0
        for u, other in rim_arcs.items():
            gap = (other - arc + period / 2) % period - period / 2
            if u != t and abs(abs(gap) - 1.0) < 1e-6 and tuple(sorted((t, u))) in bonds:
                shift = math.copysign(draw, gap)
        pos[t] = lattice.point(arc + shift, rim_height, fill)

    # Pairs two bonds apart.
    second = set()
    for k in range(len(triangles)):
        for i in adj[k]:
            for j in adj[k]:
                if i < j and j not in adj[i]:
                    second.add((i, j))
    cap_atoms = [t for t in range(len(triangles)) if is_cap[t]]
    moving = [t for t in cap_atoms if not pinned[t]]
    bond_list = np.array([b for b in bonds if not (pinned[b[0]] and pinned[b[1]])])
    second_list = np.array([p for p in second if not (pinned[p[0]] and pinned[p[1]])])
    cap_idx = np.array(cap_atoms)

    def strain(flat):
        p = pos.copy()
        p[moving] = flat.reshape(-1, 3)
        g = np.zeros_like(p)
        energy = 0.0
        for pairs, target, weight in ((bond_list, A, 1.0), (second_list, math.sqrt(3) * A, 0.3)):
            d = p[pairs[:, 0]] - p[pairs[:, 1]]
            r = np.linalg.norm(d, axis=1)
            energy += weight * ((r - target) ** 2).sum()
            f = (2 * weight * (r - target) / r)[:, None] * d
            np.add.at(g, pairs[:, 0], f)
            np.add.at(g, pairs[:, 1], -f)
        mean = p[cap_idx, :2].mean(axis=0)
        energy += 1e5 * (mean ** 2).sum()
        g[cap_idx, :2] += 2e5 * mean / len(cap_idx)
        return energy, g[moving].ravel()

    res = minimize(strain, pos[moving].ravel(), jac=True, method="L-BFGS-B",
                   options={"maxiter": 20000, "gtol": 1e-10})
    pos[moving] = res.x.reshape(-1, 3)
    check_bonds(shape, pos, bonds, cap_atoms)
    cap = pos[cap_idx].copy()
    cap[:, 2] -= rim_height * lattice.z_unit

    # The table frame: rim in the odd-ring pattern, before the first turn.
    if (LAST_RING + 1) % 2 == 0:
        cap = rotate_z(cap, 360.0 / (2 * n))
    cap = rotate_z(cap, -first_turn)
    order = sorted(range(len(cap)), key=lambda i: (-round(cap[i, 2], 6), i))
    return name, [cap[i] for i in order]


def check_bonds(shape, pos, bonds, cap_atoms):
    """Every bond of a cap atom within BOND_BAND; no other pair of a cap atom
    nearer than NEAREST_UNBONDED (in bond lengths)."""
    for i in cap_atoms:
        d = np.linalg.norm(pos - pos[i], axis=1) / A
        for j in range(len(pos)):
            if j == i:
                continue
            bonded = tuple(sorted((i, j))) in bonds
            if bonded and not BOND_BAND[0] <= d[j] <= BOND_BAND[1]:
                raise SystemExit(f"{shape}: a bond of {d[j]:.3f} a")
            if not bonded and d[j] < NEAREST_UNBONDED:
                raise SystemExit(f"{shape}: unbonded atoms {d[j]:.3f} a apart")


def rotate_z(points, degrees):
    """Clockwise seen from +z for a positive angle, as the builders turn."""
    rad = math.radians(degrees)
    c, s = math.cos(rad), math.sin(rad)
    out = points.copy()
    out[:, 0] = c * points[:, 0] + s * points[:, 1]
    out[:, 1] = -s * points[:, 0] + c * points[:, 1]
    return out


def number(v):
    text = "%.6f" % v
    return "0.000000" if text == "-0.000000" else text


def source_text(tables):
    lines = [
        "// Generated by scripts/gen/cap_tables.py; do not edit.",
        '#include "model/cap_tables.h"',
        "",
        "namespace tarvek {",
    ]
    for name, rows in tables:
        lines += ["", f"const std::array<std::string_view, {len(rows)}> {name} = {{"]
        lines += [f'    "{number(x)} {number(y)} {number(z)}",' for x, y, z in rows]
        lines += ["};"]
    lines += ["", "} // namespace tarvek", ""]
    return "\n".join(lines)


def table_values(text):
    values = []
    for line in text.splitlines():
        line = line.strip()
        if line.startswith('"'):
            values.append([float(f) for f in line.strip('",').split()])
        elif "std::array" in line:
            values.append(line)
    return values


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true",
                        help="regenerate into a temporary folder and compare")
    args = parser.parse_args()
    text = source_text([build_cap(*cap) for cap in CAPS])
    target = os.path.join(ROOT, OUTPUT)
    if not args.check:
        with open(target, "w", encoding="ascii", newline="\n") as out:
            out.write(text)
        return 0
    with tempfile.TemporaryDirectory() as folder:
        fresh = os.path.join(folder, os.path.basename(OUTPUT))
        with open(fresh, "w", encoding="ascii", newline="\n") as out:
            out.write(text)
        with open(fresh, encoding="ascii") as f:
            new = table_values(f.read())
    with open(target, encoding="ascii") as f:
        old = table_values(f.read())
    same = len(new) == len(old) and all(
        (a == b) if isinstance(a, str) else
        (isinstance(b, list) and len(a) == len(b) and all(abs(x - y) <= 1e-4 for x, y in zip(a, b)))
        for a, b in zip(new, old))
    if not same:
        sys.stderr.write(f"{OUTPUT} differs from what cap_tables.py makes\n")
        return 1
    print(f"{OUTPUT} matches")
    return 0


if __name__ == "__main__":
    sys.exit(main())
