#!/usr/bin/python3
"""Makes the stored end caps of the (10,10) and (11,11) tubes.

Writes src/model/cap_tables_generated.cpp. With --check it regenerates into a
temporary folder and compares with the committed file (10^-4 Å); exit 0 when
they match, 1 when not.

Method: a cap is found through its dual, the hexagon and pentagon centres.
The centres of the last tube rings are fixed; M free centres on a
half-spheroid above them repel each other (sum of 1/r), and a triangulation
of all centres must give every free centre five or six neighbours, exactly
six of them five (the cap's pentagons). Each triangle with a free corner is
a carbon atom, bonded to the atoms of the triangles beside it. The atoms
are relaxed towards bond length a and 120-degree angles with the rim pinned
where the builders will put it, then written in the builders' table frame.
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
HEIGHTS = [4.0 + 0.25 * i for i in range(21)]

# n, free centres M, rim radius over the tube radius, how far each rim atom
# is drawn towards its pair (in a), the builders' first turn (degrees).
CAPS = [
    ("kCap1010Lines", 10, 46, 0.99, 0.03, 18.0),
    ("kCap1111Lines", 11, 49, 0.95, 0.0, 6.0),
]

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
OUTPUT = os.path.join("src", "model", "cap_tables_generated.cpp")


def ring_rise():
    return math.sqrt(3.0) / 2.0 * A


def centre_arcs(n, level):
    """Arc positions (in a) of the hexagon centres of one ring level."""
    first = 1.0 if level % 2 == 0 else 2.5
    return [first + 3.0 * j for j in range(n)]


def on_cylinder(radius, arc, z, scale=1.0):
    """The slot at an arc (in a) of the tube of this radius, moved to
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


def find_topology(n, m):
    radius = 3.0 * n * A / (2.0 * math.pi)
    rise = ring_rise()
    levels = []
    fixed = []
    for level in range(LAST_RING + 2):
        for arc in centre_arcs(n, level):
            levels.append((level, arc))
            fixed.append(on_cylinder(radius, arc, level * rise))
    fixed = np.array(fixed)
    z0 = (LAST_RING + 1) * rise
    for height in HEIGHTS:
        for seed in SEEDS:
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
            triangles = triangulate(points, np.array([0.0, 0.0, z0 - radius]))
            near = neighbours(triangles, len(points))
            nf = len(fixed)
            degrees = [len(near[nf + i]) for i in range(m)]
            upper_ok = all(len(near[i]) == 6 for i in range(nf) if levels[i][0] >= 2)
            if upper_ok and all(d in (5, 6) for d in degrees) and degrees.count(5) == 6:
                return radius, levels, points, triangles
    raise SystemExit(f"no cap found for ({n},{n}) with {m} free centres")


def hexagon_vertices(n, level, arc):
    """Atom slots (level, arc mod 3n) of the hexagon around a centre."""
    period = 3.0 * n
    slots = [(level, arc - 1.0), (level, arc + 1.0)]
    for dl in (-1, 1):
        slots += [(level + dl, arc - 0.5), (level + dl, arc + 0.5)]
    return {(lv, round(a % period, 3)) for lv, a in slots}


def build_cap(name, n, m, fill, draw, first_turn):
    radius, levels, points, all_triangles = find_topology(n, m)
    nf = len(levels)
    rise = ring_rise()
    period = 3.0 * n

    # The lowest fixed level has no level below it; triangles there that no
    # atom of the tube matches are left out.
    def tube_slot(tri):
        common = set.intersection(*(hexagon_vertices(n, *levels[i]) for i in tri))
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
    if sum(is_cap) != 2 * (n + m - 1):
        raise SystemExit(f"({n},{n}): {sum(is_cap)} cap atoms, not {2 * (n + m - 1)}")

    pos = np.zeros((len(triangles), 3))
    pinned = np.zeros(len(triangles), dtype=bool)
    rim = []
    for t, tri in enumerate(triangles):
        fixed_corners = [i for i in tri if i < nf]
        if len(fixed_corners) == 3:
            # A tube atom: the common corner of its three hexagons.
            level, arc = tube_slot(tri)
            pos[t] = on_cylinder(radius, arc, level * rise)
            pinned[t] = True
        elif len(fixed_corners) == 2:
            common = set.intersection(*(hexagon_vertices(n, *levels[i]) for i in fixed_corners))
            slot = [s for s in common if s[0] == LAST_RING + 1]
            _, arc = slot[0]
            rim.append((t, arc))
            pinned[t] = True
        else:
            pos[t] = points[list(tri)].mean(axis=0)

    # Rim atoms where the builders' scale puts them; a pair (one arc apart)
    # drawn together keeps the contact checks clear of their threshold.
    rim_arcs = {t: arc for t, arc in rim}
    for t, arc in rim:
        shift = 0.0
        for u, other in rim_arcs.items():
            gap = (other - arc + period / 2) % period - period / 2
            if u != t and abs(abs(gap) - 1.0) < 1e-6 and tuple(sorted((t, u))) in bonds:
                shift = math.copysign(draw, gap)
        pos[t] = on_cylinder(radius, arc + shift, (LAST_RING + 1) * rise, fill)

    # Pairs two bonds apart.
    adj = [set() for _ in triangles]
    for i, j in bonds:
        adj[i].add(j)
        adj[j].add(i)
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
    cap = pos[cap_idx].copy()
    cap[:, 2] -= (LAST_RING + 1) * rise

    # The table frame: rim in the odd-ring pattern, before the first turn.
    if (LAST_RING + 1) % 2 == 0:
        cap = rotate_z(cap, 360.0 / (2 * n))
    cap = rotate_z(cap, -first_turn)
    order = sorted(range(len(cap)), key=lambda i: (-round(cap[i, 2], 6), i))
    return name, [cap[i] for i in order]


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
