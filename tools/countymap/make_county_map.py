#!/usr/bin/env python3
"""Draws the county map picture and its hot-spot table.

Reads the Florida county polygons of the `county` database of Debian's r-cran-maps package
(through Rscript), projects them onto a 533 x 449 picture, draws every county outline in black
on white and writes:

  data/countymap.png                  the two-colour map (24-bit RGB)
  src/logtools/CountyHotSpots.cpp     one hot-spot rectangle per county, in window design order

Borders are 8-connected lines, so every county is a closed white area for a 4-connected flood
fill. Each hot-spot is centred on the pixel of its county's largest white area that lies
farthest from the area's edge.

Run once by a developer (needs r-base-core and r-cran-maps, Python 3 only):
    python3 tools/countymap/make_county_map.py
"""

import math
import os
import struct
import subprocess
import sys
import zlib
from collections import deque

WIDTH, HEIGHT = 533, 449
MARGIN = 8

# The hot-spot names in the window's design order.
DESIGN_ORDER = [
    "Escambia", "Santa Rosa", "Okaloosa", "Walton", "Holmes", "Washington", "Jackson", "Bay",
    "Gulf", "Calhoun", "Liberty", "Gadsden", "Franklin", "Leon", "Wakulla", "Jefferson", "Taylor",
    "Madison", "Hamilton", "Suwannee", "Lafayette", "Dixie", "Gilchrist", "Columbia", "Baker",
    "Nassau", "Duval", "Union", "Bradford", "Clay", "St. Johns", "Alachua", "Levy", "Putnam",
    "Flagler", "Marion", "Citrus", "Sumter", "Hernando", "Volusia", "Lake", "Seminole", "Orange",
    "Pasco", "Pinellas", "Polk", "Hillsborough", "Osceola", "Brevard", "Manatee", "Hardee",
    "Indian River", "Sarasota", "Highlands", "Okeechobee", "St. Lucie", "DeSoto", "Charlotte",
    "Glades", "Martin", "Palm Beach", "Collier", "Monroe", "Hendry", "Broward", "Dade", "Lee",
]

# Database spellings that differ from the names the logger uses.
RENAMES = {"miami-dade": "Dade", "de soto": "DeSoto", "st johns": "St. Johns", "st lucie": "St. Lucie"}

R_EXPORT = r'''
library(maps)
m <- map("county", "florida", plot = FALSE, fill = TRUE)
k <- 1
for (i in seq_along(m$x)) {
  if (is.na(m$x[i])) { k <- k + 1; next }
  cat(m$names[k], "\t", sprintf("%.6f", m$x[i]), "\t", sprintf("%.6f", m$y[i]), "\n", sep = "")
}
'''


def logger_name(db_name):
    county = db_name.split(",", 1)[1].split(":", 1)[0]
    if county in RENAMES:
        return RENAMES[county]
    return " ".join(w.capitalize() for w in county.split(" "))


def read_polygons():
    out = subprocess.run(["Rscript", "-e", R_EXPORT], check=True, capture_output=True, text=True).stdout
    polygons = []  # (db name, [(lon, lat)])
    for line in out.splitlines():
        name, lon, lat = line.split("\t")
        if not polygons or polygons[-1][0] != name:
            polygons.append((name, []))
        polygons[-1][1].append((float(lon), float(lat)))
    return polygons


def projector(polygons):
    lons = [p[0] for _, pts in polygons for p in pts]
    lats = [p[1] for _, pts in polygons for p in pts]
    lat0 = (min(lats) + max(lats)) / 2
    kx = math.cos(math.radians(lat0))
    span_x = (max(lons) - min(lons)) * kx
    span_y = max(lats) - min(lats)
    scale = min((WIDTH - 1 - 2 * MARGIN) / span_x, (HEIGHT - 1 - 2 * MARGIN) / span_y)
    off_x = (WIDTH - 1 - span_x * scale) / 2
    off_y = (HEIGHT - 1 - span_y * scale) / 2

    def project(lon, lat):
        return ((lon - min(lons)) * kx * scale + off_x, (max(lats) - lat) * scale + off_y)

    return project


def draw_line(ink, x0, y0, x1, y1):
    """Bresenham: consecutive pixels touch at least diagonally, which closes a 4-connected fill."""
    dx, dy = abs(x1 - x0), -abs(y1 - y0)
    sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
    err = dx + dy
    while True:
        ink[y0][x0] = True
        if x0 == x1 and y0 == y1:
            return
        e2 = 2 * err
        if e2 >= dy:
            err += dy
            x0 += sx
        if e2 <= dx:
            err += dx
            y0 += sy


def inside_rows(points):
    """Even-odd fill at pixel centres: {y: [(x_from, x_to), ...]}."""
    rows = {}
    n = len(points)
    ys = [p[1] for p in points]
    for y in range(max(0, int(min(ys))), min(HEIGHT, int(max(ys)) + 2)):
        cy = y  # pixel centres sit on whole coordinates
        xs = []
        for i in range(n):
            (xa, ya), (xb, yb) = points[i], points[(i + 1) % n]
            if (ya <= cy < yb) or (yb <= cy < ya):
                xs.append(xa + (cy - ya) * (xb - xa) / (yb - ya))
        xs.sort()
        spans = []
        for a, b in zip(xs[0::2], xs[1::2]):
            spans.append((math.ceil(a), math.floor(b)))
        rows[y] = spans
    return rows


def components(ink):
    """4-connected white areas: a label per pixel (-1 for ink) and each area's pixel list."""
    label = [[-1] * WIDTH for _ in range(HEIGHT)]
    areas = []
    for y in range(HEIGHT):
        for x in range(WIDTH):
            if ink[y][x] or label[y][x] >= 0:
                continue
            idx = len(areas)
            pixels = []
            label[y][x] = idx
            queue = deque([(x, y)])
            while queue:
                px, py = queue.popleft()
                pixels.append((px, py))
                for nx, ny in ((px + 1, py), (px - 1, py), (px, py + 1), (px, py - 1)):
                    if 0 <= nx < WIDTH and 0 <= ny < HEIGHT and not ink[ny][nx] and label[ny][nx] < 0:
                        label[ny][nx] = idx
                        queue.append((nx, ny))
            areas.append(pixels)
    return label, areas


def deepest_pixel(pixels, label, idx):
    """The pixel of an area farthest (in 4-steps) from any pixel outside it."""
    dist = {}
    queue = deque()
    for (x, y) in pixels:
        for nx, ny in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
            if not (0 <= nx < WIDTH and 0 <= ny < HEIGHT) or label[ny][nx] != idx:
                dist[(x, y)] = 1
                queue.append((x, y))
                break
    while queue:
        x, y = queue.popleft()
        for n in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
            if 0 <= n[0] < WIDTH and 0 <= n[1] < HEIGHT and label[n[1]][n[0]] == idx and n not in dist:
                dist[n] = dist[(x, y)] + 1
                queue.append(n)
    best = max(pixels, key=lambda p: (dist[p], -p[1], -p[0]))
    return best, dist[best]


def write_png(path, ink):
    raw = bytearray()
    for y in range(HEIGHT):
        raw.append(0)
        for x in range(WIDTH):
            raw += b"\x00\x00\x00" if ink[y][x] else b"\xff\xff\xff"

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def write_table(path, spots):
    lines = [
        "// Generated by tools/countymap/make_county_map.py together with data/countymap.png;",
        "// regenerate both together. One rectangle per county, inside its closed white area.",
        '#include "logtools/CountyHotSpots.h"',
        "",
        "namespace logtools {",
        "",
        "const std::array<CountyHotSpot, kCountyHotSpotCount>& CountyHotSpots() {",
        "    static const std::array<CountyHotSpot, kCountyHotSpotCount> spots{{",
    ]
    for name, (left, top, w, h) in spots:
        lines.append(f'        {{"{name}", {left}, {top}, {w}, {h}}},')
    lines += ["    }};", "    return spots;", "}", "", "}  // namespace logtools", ""]
    with open(path, "w") as f:
        f.write("\n".join(lines))


def main():
    root = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
    polygons = read_polygons()
    project = projector(polygons)

    ink = [[False] * WIDTH for _ in range(HEIGHT)]
    owner = [[None] * WIDTH for _ in range(HEIGHT)]
    for db_name, pts in polygons:
        proj = [project(lon, lat) for lon, lat in pts]
        name = logger_name(db_name)
        for y, spans in inside_rows(proj).items():
            for a, b in spans:
                for x in range(max(0, a), min(WIDTH - 1, b) + 1):
                    owner[y][x] = name
        grid = [(int(round(x)), int(round(y))) for x, y in proj]
        for i in range(len(grid)):
            draw_line(ink, *grid[i], *grid[(i + 1) % len(grid)])

    label, areas = components(ink)
    spots = {}
    used = {}
    for name in DESIGN_ORDER:
        counts = {}
        for y in range(HEIGHT):
            for x in range(WIDTH):
                if owner[y][x] == name and label[y][x] >= 0:
                    counts[label[y][x]] = counts.get(label[y][x], 0) + 1
        if not counts:
            sys.exit(f"no white area for {name}")
        idx = max(counts, key=counts.get)
        if idx in used:
            sys.exit(f"{name} shares its area with {used[idx]}")
        if any(x in (0, WIDTH - 1) or y in (0, HEIGHT - 1) for x, y in areas[idx]):
            sys.exit(f"{name} reaches the edge")
        used[idx] = name
        (cx, cy), depth = deepest_pixel(areas[idx], label, idx)
        half = max(0, min(depth - 1, 6))
        spots[name] = (cx - half, cy - half, 2 * half + 1, 2 * half + 1)

    write_png(os.path.join(root, "data", "countymap.png"), ink)
    write_table(os.path.join(root, "src", "logtools", "CountyHotSpots.cpp"), [(n, spots[n]) for n in DESIGN_ORDER])
    print("smallest hot-spot:", min((spots[n][2], n) for n in DESIGN_ORDER))


if __name__ == "__main__":
    main()
