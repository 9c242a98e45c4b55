#!/usr/bin/env python3
"""Writes Orvelin's object data file try.q3d: the ball and the stage.

The stage is the square corridor the game's walls describe: outer walls at +-2400, the solid
inner block from -2000 to 2000, a floor below the flight band (-300 to 300). Every face is
turned towards the corridor, where the camera flies, and large faces are cut into tiles so that
the depth sort and the near-plane clipping work on pieces small against the distances they are
seen from. Colours lie between the colour cube's levels, so the halftone mode shows its dither.

Usage: make_try_q3d.py [output]   (default: try.q3d next to this script's parent folder)
"""
import math
import os
import sys

MAX_VALUES = 16000  # values per tag in a tagged data file
MAX_VERTICES = 5000
MAX_POLYGONS = 5000

OUTER = 2400.0
INNER = 2000.0
FLOOR = -400.0
WALL_TOP = 600.0
TILE = 200.0        # tile width along the floor and the walls
WALL_ROWS = 4       # tiles from the floor to the top of a wall
BALL_RADIUS = 30.0


class Model:
    def __init__(self):
        self.materials = []  # (r, g, b, highlight)
        self.vertices = []
        self.polygons = []   # ([vertex numbers], material)

    def material(self, r, g, b, highlight):
        self.materials.append((r, g, b, highlight))
        return len(self.materials) - 1

    def vertex(self, p):
        self.vertices.append(p)
        return len(self.vertices) - 1

    def polygon(self, corners, material, facing):
        """Adds a flat polygon whose front side faces the direction facing: the corners are put
        in the order that is anticlockwise seen from there."""
        p0, p1, p2 = (self.vertices[i] for i in corners[:3])
        e1 = [p1[k] - p0[k] for k in range(3)]
        e2 = [p2[k] - p1[k] for k in range(3)]
        normal = (e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                  e1[0] * e2[1] - e1[1] * e2[0])
        if sum(normal[k] * facing[k] for k in range(3)) < 0:
            corners = list(reversed(corners))
        self.polygons.append((list(corners), material))

    def values(self):
        return (1 + 4 * len(self.materials) + 1 + 3 * len(self.vertices) + 1 +
                sum(2 + len(c) for c, _ in self.polygons))

    def check(self, name):
        assert len(self.vertices) <= MAX_VERTICES, name
        assert len(self.polygons) <= MAX_POLYGONS, name
        assert all(3 <= len(c) <= 8 for c, _ in self.polygons), name
        assert self.values() <= MAX_VALUES, f"{name}: {self.values()} values"

    def write(self, out, name, comment):
        out.write(f"; {comment}\n")
        out.write(f"; {len(self.vertices)} vertices, {len(self.polygons)} polygons, "
                  f"{self.values()} values\n*{name}\n")
        out.write(f"{len(self.materials)}\n")
        for r, g, b, h in self.materials:
            out.write(f"{r} {g} {b} {h}\n")
        out.write(f"{len(self.vertices)}\n")
        for x, y, z in self.vertices:
            out.write(f"{x:g} {y:g} {z:g}\n")
        out.write(f"{len(self.polygons)}\n")
        for corners, m in self.polygons:
            out.write(f"{len(corners)} {' '.join(map(str, corners))} {m}\n")
        out.write("\n")


def grid(model, origin, u, v, columns, rows, facing, material_of):
    """A rectangle from origin spanned by columns steps of u and rows steps of v, cut into
    tiles that share their corners."""
    index = {}
    for j in range(rows + 1):
        for i in range(columns + 1):
            index[i, j] = model.vertex(tuple(origin[k] + i * u[k] + j * v[k] for k in range(3)))
    for j in range(rows):
        for i in range(columns):
            corners = [index[i, j], index[i + 1, j], index[i + 1, j + 1], index[i, j + 1]]
            model.polygon(corners, material_of(i, j), facing)


def stage():
    m = Model()
    # Each side of the corridor has its own colours, so the player sees where he is.
    floor = [(m.material(*a), m.material(*b)) for a, b in [
        ((180, 150, 110, 0.2), (110, 90, 70, 0.2)),
        ((120, 160, 190, 0.2), (70, 95, 120, 0.2)),
        ((170, 190, 120, 0.2), (100, 115, 70, 0.2)),
        ((190, 130, 160, 0.2), (115, 75, 95, 0.2))]]
    outer = [(m.material(*a), m.material(*b)) for a, b in [
        ((200, 120, 60, 0.5), (170, 95, 45, 0.5)),
        ((80, 140, 210, 0.5), (60, 110, 175, 0.5)),
        ((120, 190, 90, 0.5), (95, 160, 70, 0.5)),
        ((210, 90, 140, 0.5), (175, 70, 115, 0.5))]]
    inner = [m.material(230, 215, 120, 0.6), m.material(180, 165, 90, 0.6)]
    up = (0, 0, 1)
    height = (WALL_TOP - FLOOR) / WALL_ROWS
    n_outer = int(2 * OUTER / TILE)
    n_inner = int(2 * INNER / TILE)
    band = int((OUTER - INNER) / TILE)

    def checker(side):
        return lambda i, j: floor[side][(i + j) % 2]

    # Floor: the ring as two long strips (south, north) and two short ones (west, east).
    grid(m, (-OUTER, -OUTER, FLOOR), (TILE, 0, 0), (0, TILE, 0), n_outer, band, up, checker(0))
    grid(m, (-OUTER, INNER, FLOOR), (TILE, 0, 0), (0, TILE, 0), n_outer, band, up, checker(2))
    grid(m, (-OUTER, -INNER, FLOOR), (TILE, 0, 0), (0, TILE, 0), band, n_inner, up, checker(3))
    grid(m, (INNER, -INNER, FLOOR), (TILE, 0, 0), (0, TILE, 0), band, n_inner, up, checker(1))

    def bricks(colours):
        return lambda i, j: colours[(i + j) % 2]

    def rows(i, j):
        return inner[j % 2]

    vertical = (0, 0, height)
    # Outer walls face the centre, the inner block's walls face outwards.
    walls = [
        ((-OUTER, -OUTER, FLOOR), (TILE, 0, 0), (0, 1, 0), 0),   # south
        ((OUTER, -OUTER, FLOOR), (0, TILE, 0), (-1, 0, 0), 1),   # east
        ((-OUTER, OUTER, FLOOR), (TILE, 0, 0), (0, -1, 0), 2),   # north
        ((-OUTER, -OUTER, FLOOR), (0, TILE, 0), (1, 0, 0), 3)]   # west
    for origin, step, facing, side in walls:
        grid(m, origin, step, vertical, n_outer, WALL_ROWS, facing, bricks(outer[side]))
    blocks = [
        ((-INNER, -INNER, FLOOR), (TILE, 0, 0), (0, -1, 0)),
        ((INNER, -INNER, FLOOR), (0, TILE, 0), (1, 0, 0)),
        ((-INNER, INNER, FLOOR), (TILE, 0, 0), (0, 1, 0)),
        ((-INNER, -INNER, FLOOR), (0, TILE, 0), (-1, 0, 0))]
    for origin, step, facing in blocks:
        grid(m, origin, step, vertical, n_inner, WALL_ROWS, facing, rows)
    return m


def ball():
    m = Model()
    colours = [m.material(235, 95, 40, 0.8), m.material(240, 225, 160, 0.8)]
    rings, segments = 8, 12
    top = m.vertex((0, 0, BALL_RADIUS))
    bottom = m.vertex((0, 0, -BALL_RADIUS))
    index = {}
    for r in range(1, rings):
        theta = math.pi * r / rings
        for s in range(segments):
            phi = 2 * math.pi * s / segments
            p = (BALL_RADIUS * math.sin(theta) * math.cos(phi),
                 BALL_RADIUS * math.sin(theta) * math.sin(phi), BALL_RADIUS * math.cos(theta))
            index[r, s] = m.vertex(tuple(round(c, 3) for c in p))

    def outward(corners):
        centre = [sum(m.vertices[i][k] for i in corners) / len(corners) for k in range(3)]
        return tuple(centre)

    for s in range(segments):
        t = (s + 1) % segments
        colour = colours[s % 2]
        cap = [top, index[1, s], index[1, t]]
        m.polygon(cap, colour, outward(cap))
        for r in range(1, rings - 1):
            quad = [index[r, s], index[r + 1, s], index[r + 1, t], index[r, t]]
            m.polygon(quad, colours[(s + r) % 2], outward(quad))
        cap = [bottom, index[rings - 1, t], index[rings - 1, s]]
        m.polygon(cap, colours[(s + rings) % 2], outward(cap))
    return m


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "try.q3d")
    models = [("ball", ball(), f"the ball: a sphere of radius {BALL_RADIUS:g}"),
              ("stage", stage(), "the stage: the square corridor around the inner block")]
    with open(path, "w", encoding="ascii", newline="\n") as out:
        # The reader skips a line's rest 78 characters at a time, so comments stay shorter.
        out.write("; Orvelin's models, written by orvelin/tools/make_try_q3d.py\n"
                  "; (edit the script, not this file)\n\n")
        for name, model, comment in models:
            model.check(name)
            model.write(out, name, comment)
    for name, model, _ in models:
        print(f"{name}: {len(model.vertices)} vertices, {len(model.polygons)} polygons, "
              f"{model.values()} values")


if __name__ == "__main__":
    main()
