#!/usr/bin/python3
"""Helpers of .ci/consumers.sh: drawings written by ezdxf's fast R12 writer, and the checks of
converted documents against what that writer wrote, against assimp's import and against a
rendered picture.

  consumers.py drawings FOLDER            write the drawings and FOLDER/expected.json
  consumers.py triangles DOC [EXPECTED]   triangles per color; compared when EXPECTED is given
  consumers.py assimp DOC                 assimp's raw import against the document's triangles
  consumers.py pixels PNG CFG MIN COLOR.. pixels of each color's material, at least MIN each
  consumers.py above DOC OUT              a scene that looks down on DOC from above
"""

import json
import random
import re
import struct
import subprocess
import sys
from pathlib import Path

from ezdxf.addons import r12writer

# --- Drawings ------------------------------------------------------------------------------


def as_read(value):
    """The 32-bit float that the writer's text of `value` reads as."""
    text = str(round(value, 6))  # the writer's own number text
    return struct.unpack("f", struct.pack("f", float(text)))[0]


def triangles_of(vertices):
    """One triangle, and a second one when the fourth corner differs from the third."""
    if len(vertices) == 3:
        return 1
    third, fourth = ([as_read(c) for c in v] for v in vertices[2:4])
    return 2 if third != fourth else 1


class Drawing:
    def __init__(self, name, fixed_tables=False):
        self.name = name
        self.fixed_tables = fixed_tables
        self.calls = []  # (method, args, kwargs) for the writer
        self.triangles = {}

    def face(self, color, vertices, **kwargs):
        self.calls.append(("add_3dface", (vertices,), dict(color=color, **kwargs)))
        self.triangles[color] = self.triangles.get(color, 0) + triangles_of(vertices)

    def other(self, method, *args, **kwargs):
        self.calls.append((method, args, kwargs))

    def write(self, folder):
        """Writes NAME-lf.dxf and NAME-crlf.dxf."""
        for ending, newline in (("lf", "\n"), ("crlf", "\r\n")):
            path = folder / f"{self.name}-{ending}.dxf"
            with open(path, "w", encoding="cp1252", newline=newline) as stream:
                with r12writer(stream, fixed_tables=self.fixed_tables) as dxf:
                    for method, args, kwargs in self.calls:
                        getattr(dxf, method)(*args, **kwargs)


def panels():
    """Upright panels facing the front viewpoint, one per color, at negative DXF y and x.

    The highest z is 10, so the scale box has T = 10 and the front viewpoint, at distance 40,
    sees every panel whole."""
    d = Drawing("panels")
    for k, color in enumerate((1, 2, 4, 5, 6)):
        x0, x1, y = -9.5 + 4 * k, -6.5 + 4 * k, -2.0 - k
        d.face(color, [(x0, y, -8), (x1, y, -8), (x1, y, 1), (x0, y, 1)], layer="PANELS")
        d.face(color, [(x0, y, 1), (x1, y, 1), (x1, y, 10)], layer="PANELS", invisible=2)
        d.face(color, [(x0, y, 1), (x1, y, 10), (x0, y, 10), (x0, y, 10)], layer="0")
    return d


def flat():
    """Tiles at height 0, so the scale box has T = 0. Every face's last value is 0.0."""
    d = Drawing("flat")
    for k, color in enumerate((1, 2, 5)):
        for row in range(3):
            x0, y0 = -7.5 + 5 * k, -7.5 + 5 * row
            tile = [(x0, y0, 0.0), (x0 + 4, y0, 0.0), (x0 + 4, y0 + 4, 0.0), (x0, y0 + 4, 0.0)]
            d.face(color, tile if row != 1 else tile[:3], layer="FLOOR")
    return d


def layouts():
    """What the writer also puts around faces: its tables section, other entities, edge flags,
    number texts in exponent form and negative zero, layer and text values that look like
    entity names or the end marker."""
    d = Drawing("layouts", fixed_tables=True)
    d.other("add_line", (0, 0, 0), (10, -10, 5), layer="EOF")
    d.face(0, [(0, 0, 0), (1e-6, 0, 0), (0, 2.5e-5, 1)], layer="3DFACE")
    d.other("add_text", "3DFACE", insert=(1, 1), height=0.5, layer="NOTES")
    d.face(7, [(-1e6, -2, -0.0), (1e6, -2, -0.0), (1e6, 3, 123456.789), (-1e6, 3, -0.0)])
    d.other("add_circle", (0, 0), radius=2.5, color=3)
    d.face(3, [(-1, -1, -1), (-2, -1, -1), (-2, -3, -5), (-1, -3, -5)], invisible=15)
    d.other("add_polyline", [(0, 0, 0), (1, 2, 3), (4, 5, 6)], layer="EOF")
    d.face(12, [(0.5, 0.25, 0.125), (-0.5, 0.25, 0.125), (-0.5, -0.25, 0)])
    d.other("add_point", (1, 2, 0.0))
    d.face(7, [(3, 3, 0), (4, 3, 0), (4, 4, 0), (3, 4, 0)], layer="MYEOF")
    d.other("add_solid", [(0, 0), (1, 0), (1, 1)], color=1)
    d.face(8, [(9, 9, 9), (8, 9, 9), (8, 8, 0.0), (9, 8, 0.0)])
    return d


def many():
    """Many faces of random colors and coordinates, quads and triangles mixed."""
    d = Drawing("many")
    rng = random.Random(20240615)
    for _ in range(1500):
        corners = [tuple(rng.uniform(-1000, 1000) for _ in range(3)) for _ in range(4)]
        d.face(rng.randint(0, 12), corners[: rng.choice((3, 4, 4))], layer=rng.choice("0AB"))
    return d


def write_drawings(folder):
    folder = Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    expected = {}
    for drawing in (panels(), flat(), layouts(), many()):
        drawing.write(folder)
        for ending in ("lf", "crlf"):
            expected[f"{drawing.name}-{ending}"] = {str(c): n for c, n in drawing.triangles.items()}
    (folder / "expected.json").write_text(json.dumps(expected, indent=1, sort_keys=True))
    for name, counts in expected.items():
        print(f"{name}.dxf: {sum(counts.values())} triangles written in colors "
              + " ".join(f"{c}:{n}" for c, n in sorted(counts.items(), key=lambda i: int(i[0]))))


# --- The document --------------------------------------------------------------------------

GROUP = re.compile(
    r"<Transform DEF='Color(-?\d+)Group'><Shape>\s*"
    r"<IndexedFaceSet solid='false' coordIndex='([^']*)'>\s*<Coordinate point='([^']*)'")


def document_triangles(doc):
    """Triangles per color group, counted as index triples ending in -1; checks that every
    triple names its own three points and that the points match."""
    text = Path(doc).read_text(encoding="utf-8", errors="replace")
    counts = {}
    for color, indices, points in GROUP.findall(text):
        numbers = [int(n) for n in indices.split()]
        triples = [numbers[i : i + 4] for i in range(0, len(numbers), 4)]
        for k, triple in enumerate(triples):
            if triple != [3 * k, 3 * k + 1, 3 * k + 2, -1]:
                sys.exit(f"{doc}: color {color}: triangle {k} is {triple}")
        if len(points.split()) != 9 * len(triples):
            sys.exit(f"{doc}: color {color}: {len(points.split())} numbers for "
                     f"{len(triples)} triangles")
        counts[int(color)] = len(triples)
    if not counts:
        sys.exit(f"{doc}: no color group")
    return counts


def show(counts):
    return " ".join(f"{c}:{n}" for c, n in sorted(counts.items()))


def check_triangles(doc, expected_json=None):
    counts = document_triangles(doc)
    line = f"{Path(doc).name}: {sum(counts.values())} triangles, colors {show(counts)}"
    if expected_json is not None:
        expected = json.loads(Path(expected_json).read_text())[Path(doc).stem]
        expected = {int(c): n for c, n in expected.items()}
        if counts != expected:
            sys.exit(f"{line}; the writer wrote {show(expected)}")
        line += " (as written)"
    print(line)


# --- assimp --------------------------------------------------------------------------------


def check_assimp(doc):
    counts = document_triangles(doc)
    result = subprocess.run(["assimp", "info", str(doc), "-r", "-v"], capture_output=True,
                            text=True, errors="replace")
    out = result.stdout
    if result.returncode != 0 or "Importing file ...                   OK" not in out:
        sys.exit(f"{doc}: assimp failed ({result.returncode}):\n{out}\n{result.stderr}")
    meshes = {int(m[0]): (int(m[1]), int(m[2]), m[3].strip()) for m in re.findall(
        r"^\s+(\d+) \([^)]*\): \[(\d+) / \d+ / (\d+) \| ([^\]]+)\]", out, re.M)}
    groups = re.findall(r"Color(-?\d+)Group \(mesh ([\d, ]+)\)", out)
    imported = {}
    for color, mesh_list in groups:
        numbers = [int(m) for m in mesh_list.replace(",", " ").split()]
        if len(numbers) != 1:
            sys.exit(f"{doc}: color {color} became meshes {numbers}")
        vertices, faces, kinds = meshes[numbers[0]]
        if kinds != "triangle" or vertices != 3 * faces:
            sys.exit(f"{doc}: color {color}: mesh of {vertices} vertices, {faces} {kinds}")
        imported[int(color)] = faces
    if imported != counts:
        sys.exit(f"{doc}: assimp imported {show(imported)}, the document has {show(counts)}")
    print(f"{Path(doc).name}: assimp: {len(imported)} triangle meshes, faces {show(imported)}")


# --- The picture ---------------------------------------------------------------------------


def diffuse_colors(cfg):
    """DXF color index -> diffuseColor of the settings file."""
    lines = Path(cfg).read_text(encoding="latin-1").splitlines()
    colors = {}
    for index_line, material in zip(lines, lines[1:]):
        m = re.search(r"diffuseColor='([^']*)'", material)
        if m and re.fullmatch(r"\s*\d+\s*", index_line):
            colors[int(index_line)] = [float(v) for v in m.group(1).split()]
    return colors


def matches(pixel, diffuse):
    """A lit pixel of the material: its channels in the proportions of the diffuse color."""
    top = max(pixel)
    if top < 60:
        return False
    scale = max(diffuse)
    return all(abs(p / top - d / scale) < 0.08 for p, d in zip(pixel, diffuse))


def check_pixels(png, cfg, minimum, colors):
    from PIL import Image

    histogram = Image.open(png).convert("RGB").getcolors(1 << 24)
    diffuse = diffuse_colors(cfg)
    failed = False
    for color in colors:
        count = sum(n for n, pixel in histogram if matches(pixel, diffuse[color]))
        material = " ".join(map(str, diffuse[color]))
        print(f"{Path(png).name}: color {color} (diffuseColor '{material}'): {count} pixels")
        failed |= count < minimum
    if failed:
        sys.exit(f"{png}: a color has fewer than {minimum} pixels")


def write_above(doc, out):
    """The document's own viewpoints stand in the plane of a drawing of height 0; this scene
    inlines the document and looks straight down on it."""
    Path(out).write_text(
        "<?xml version='1.0' encoding='UTF-8'?>\n"
        "<X3D profile='Immersive' version='3.0'><Scene>\n"
        "<Viewpoint position='0 30 0' orientation='1 0 0 -1.5708' description='Above'/>\n"
        f"<Inline url='\"{Path(doc).name}\"'/>\n"
        "</Scene></X3D>\n")


def main(argv):
    if len(argv) >= 2 and argv[0] == "drawings":
        write_drawings(argv[1])
    elif len(argv) in (2, 3) and argv[0] == "triangles":
        check_triangles(*argv[1:])
    elif len(argv) == 2 and argv[0] == "assimp":
        check_assimp(argv[1])
    elif len(argv) >= 5 and argv[0] == "pixels":
        check_pixels(argv[1], argv[2], int(argv[3]), [int(c) for c in argv[4:]])
    elif len(argv) == 3 and argv[0] == "above":
        write_above(argv[1], argv[2])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv[1:])
