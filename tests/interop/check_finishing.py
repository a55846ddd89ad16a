#!/usr/bin/env python3
"""Proves veskaro-post's finishing options on the simulated cut.

Programs: the examples and the every-section fixture, as the post proof
runs them, and random projects of the model comparison's generator, cut
with a real bit (the random settings otherwise kept, the outline on).  For
each folder of programs, veskaro-post writes them

  - with --outline outside: every part the simulation finds (veskaro-preview
    --finished --measure, the sheet as deep as the program cuts) comes off
    the face's width and height within 0.02 mm, cut free, and every hole of
    the program as generated is there, unchanged (the holes within half a
    bit of the face's edge, which the outline on the edge merged into it,
    come back);
  - with --outline outside --tabs 4: every part is held by exactly the tabs
    post reports, each as wide as asked (0.05 mm) and as high, with nothing
    else of the outline left (no skin); an outline too small for a tab is
    refused with its error line and nothing written;
  - with --sheet: every panel of the folder on sheets, and once more every
    panel of all random projects together; each sheet's simulation holds
    every panel once, whole, where post's summary says (turned or not),
    none within another's cut or beyond the sheet's edge, each measuring
    what it measures alone (its size, and its holes moved and turned with
    it); a panel larger than the sheet is refused naming it, and no sheet
    written.

Every program written goes, for both controllers, through LinuxCNC's
`rs274` (no message, and the moves it makes are the moves of the file) and
a reader of GRBL 1.1's rules (no refusal, the same moves); the preview
reads every sheet program and its finished picture shows each panel and
its tabs.

Exit status 0 when everything passed, 1 otherwise, 77 (skipped) without
rs274, unless VESKARO_REQUIRE_RS274=1.
"""

import argparse
import glob
import itertools
import math
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile
from collections import Counter
from xml.etree import ElementTree

sys.dont_write_bytecode = True  # run from the build, leave the source tree clean
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "model"))
import check_post  # noqa: E402
import check_rs274  # noqa: E402
import differential_test  # noqa: E402

SIZE = 0.02       # mm: a part or hole against the exact geometry
TAB = 0.05        # mm: a tab's width and height
MOTION = 0.001    # mm: a controller's moves against the file's
TABS = 4
TAB_WIDTH = 6.0
SHEET = (600.0, 400.0)
SMALL_SHEET = (300.0, 200.0)  # the random panels together, on several sheets
BITS = ["3.175", "2", "1", "3", "6", "0.8", "1.5"]
CONTROLLERS = {"linuxcnc": ".ngc", "grbl": ".nc"}


class Tally:
    def __init__(self):
        self.failed = 0
        self.counts = Counter()
        self.deviation = {"part": 0.0, "hole": 0.0, "tab width": 0.0, "tab height": 0.0, "sheet place": 0.0}

    def fail(self, label, problems):
        self.failed += 1
        print(f"FAIL {label}")
        for problem in problems[:8]:
            print(f"     {problem}")

    def deviate(self, kind, value):
        self.deviation[kind] = max(self.deviation[kind], value)


# ---------------------------------------------------------------------------
# Running the programs


def run(words, cwd=None):
    return subprocess.run(words, capture_output=True, stdin=subprocess.DEVNULL, timeout=300, cwd=cwd)


def text_of(data):
    return data.decode("utf-8", errors="replace")


SUMMARY = re.compile(r"^(.*) -> (.*): (.*)$")
SHEET_LINE = re.compile(r"^(.*): (\d+) panels?, ([\d.]+) % of the ([\d.]+) x ([\d.]+) mm sheet used; (.*)$")
PANEL_LINE = re.compile(r"^  (.*) at (-?[\d.]+), (-?[\d.]+)(, turned)?: ([\d.]+) x ([\d.]+) mm from (.*?)(, .*)?$")


def finish_counts(text):
    """{name: number} of post's summary: "tabs placed 3 of 4 asked" gives
    tabs placed 3."""
    counts = {}
    for part in text.split(", "):
        match = re.match(r"^(.*?) (\d+)( of \d+ asked)?$", part)
        if match:
            counts[match.group(1)] = int(match.group(2))
    return counts


def post(args, paths, controller, options, out):
    """veskaro-post into `out`; returns (status, stdout lines, stderr lines)."""
    shutil.rmtree(out, ignore_errors=True)
    result = run([args.post, "--controller", controller, "-o", out, *options, *paths])
    return result.returncode, text_of(result.stdout).splitlines(), text_of(result.stderr).splitlines()


class Feature:
    def __init__(self, kind, name, cx, cy, w, h, area, low, high):
        self.kind, self.name = kind, name
        self.cx, self.cy, self.w, self.h = float(cx), float(cy), float(w), float(h)
        self.area, self.low, self.high = float(area), float(low), float(high)
        self.holes, self.bridges, self.skin = [], [], []

    @property
    def box(self):
        return (self.cx - self.w / 2, self.cy - self.h / 2, self.cx + self.w / 2, self.cy + self.h / 2)


def measure(args, path, bit, thickness):
    """The parts the simulation finds in one program, each with its holes,
    bridges and skin; or an error text."""
    result = run([args.preview, "--finished", "--bit-diameter", f"{bit:g}", "--material-thickness",
                  f"{thickness:g}", "--measure", path])
    if result.returncode != 0:
        return None, f"preview status {result.returncode}: {text_of(result.stderr).strip()}"
    parts = []
    for line in text_of(result.stdout).splitlines():
        fields = line.split("\t")
        feature = Feature(*fields[1:10])
        if feature.kind == "part":
            parts.append(feature)
        elif feature.kind == "hole":
            parts[-1].holes.append(feature)
        elif feature.kind == "bridge":
            parts[-1].bridges.append(feature)
        elif feature.kind == "skin":
            parts[-1].skin.append(feature)
    return parts, None


def program_figures(path):
    """(width, height, depth) of a face program's outline: the rectangle of
    its last pass, and that pass's depth; None without one."""
    moves = check_post.read_original(open(path, encoding="utf-8", errors="replace").read()).moves
    while moves and moves[-1].kind == "rapid" and moves[-1].start[:2] == moves[-1].end[:2]:
        moves = moves[:-1]
    if len(moves) < 6 or moves[-1].end[:2] != (0.0, moves[-4].end[1]) or moves[-2].end[:2] != (0.0, 0.0):
        return None
    width, height = moves[-4].end[:2]
    depth = moves[-5].end[2]
    return (width, height, depth) if width > 0 and height > 0 and depth < 0 else None


# ---------------------------------------------------------------------------
# The controllers read what was written


def same_motion(expected, machine):
    if len(expected) != len(machine.moves):
        return [f"{len(machine.moves)} moves, the file makes {len(expected)}"]
    for n, (want, got) in enumerate(zip(expected, machine.moves)):
        ok = (want.kind == got.kind and all(abs(p - q) <= MOTION for p, q in zip(want.end, got.end))
              and (want.centre is None) == (got.centre is None)
              and (want.centre is None or all(abs(p - q) <= MOTION for p, q in zip(want.centre, got.centre))))
        if not ok:
            return [f"move {n + 1}: {got}, the file's is {want}"]
    return []


def controller_problems(rs274, path, tally):
    """rs274 or GRBL's rules read the program without a refusal, and make
    the moves the file holds."""
    data = open(path, "rb").read()
    expected = [m for m in check_post.read_original(text_of(data)).moves if not check_post.is_zero_circle(m)]
    if path.endswith(".ngc"):
        machine, problems = check_post.read_rs274(rs274, path)
    else:
        machine, problems = check_post.read_grbl(data)
    tally.counts[f"{'linuxcnc' if path.endswith('.ngc') else 'grbl'} programs read"] += 1
    tally.counts["lines"] += data.count(b"\n")
    if machine is not None:
        problems += same_motion(expected, machine)
    return problems


# ---------------------------------------------------------------------------
# Comparing parts


def near(a, b, tolerance):
    return abs(a - b) <= tolerance


def same_hole(a, b, move=lambda x, y: (x, y), turned=False):
    """True when hole `b` is hole `a` moved (and turned) as given."""
    cx, cy = move(a.cx, a.cy)
    w, h = (a.h, a.w) if turned else (a.w, a.h)
    return all(near(p, q, SIZE) for p, q in ((cx, b.cx), (cy, b.cy), (w, b.w), (h, b.h)))


def hole_deviation(a, b, move=lambda x, y: (x, y), turned=False):
    cx, cy = move(a.cx, a.cy)
    w, h = (a.h, a.w) if turned else (a.w, a.h)
    return max(abs(cx - b.cx), abs(cy - b.cy), abs(w - b.w), abs(h - b.h))


def hole_problems(alone, there, width, height, bit, tally, move=lambda x, y: (x, y), turned=False):
    """Every hole of `alone` is in `there`, moved; a hole of `there` that
    `alone` lacks must lie within half a bit of the face's edge (moved)."""
    problems, left = [], list(there)
    for hole in alone:
        match = next((h for h in left if same_hole(hole, h, move, turned)), None)
        if match is None:
            problems.append(f"hole {hole.name} at {hole.cx:.2f}, {hole.cy:.2f} ({hole.w:.2f} x {hole.h:.2f}) "
                            f"is not there")
        else:
            tally.deviate("hole", hole_deviation(hole, match, move, turned))
            left.remove(match)
    corners = [move(0, 0), move(width, height)]
    x0, x1 = sorted(c[0] for c in corners)
    y0, y1 = sorted(c[1] for c in corners)
    band = bit / 2 + SIZE
    for hole in left:
        bx0, by0, bx1, by1 = hole.box
        if not (bx0 - x0 < band or by0 - y0 < band or x1 - bx1 < band or y1 - by1 < band):
            problems.append(f"hole {hole.name} at {hole.cx:.2f}, {hole.cy:.2f} is new, and not at the edge")
    return problems


def part_problems(part, x0, y0, width, height, tally):
    bx0, by0, bx1, by1 = part.box
    deviation = max(abs(bx0 - x0), abs(by0 - y0), abs(part.w - width), abs(part.h - height))
    tally.deviate("part", deviation)
    if deviation > SIZE:
        return [f"part {part.w:.2f} x {part.h:.2f} at {bx0:.2f}, {by0:.2f}, "
                f"not {width:.2f} x {height:.2f} at {x0:.2f}, {y0:.2f}"]
    return []


def tab_width_for(bit):
    """The tabs' width: 6 mm, or one and a half bits where the bit is as
    wide (a tab must be wider than the bit)."""
    return max(TAB_WIDTH, round(1.5 * bit, 2))


def tab_problems(part, placed, tab_width, tab_height, tally):
    problems = []
    held = "held by 1 bridge" if placed == 1 else f"held by {placed} bridges"
    if part.name != held or len(part.bridges) != placed:
        problems.append(f"part '{part.name}' with {len(part.bridges)} bridges, post placed {placed} tabs")
    if part.skin:
        problems.append(f"skin left under the outline: {part.skin[0].name}")
    for bridge in part.bridges:
        tally.deviate("tab width", abs(bridge.w - tab_width))
        tally.deviate("tab height", abs(bridge.h - tab_height))
        if not (near(bridge.w, tab_width, TAB) and near(bridge.h, tab_height, TAB)):
            problems.append(f"tab at {bridge.cx:.2f}, {bridge.cy:.2f} is {bridge.w:.2f} wide and "
                            f"{bridge.h:.2f} high, not {tab_width:g} and {tab_height:g}")
    return problems


# ---------------------------------------------------------------------------
# One folder of programs


class Face:
    """A face program and what it measures on its own."""

    def __init__(self, path, width, height, depth):
        self.path, self.name = path, os.path.splitext(os.path.basename(path))[0]
        # The sheet is as thick as the outline cuts: the part comes free.
        self.width, self.height, self.thickness = width, height, -depth
        self.edge = None     # the part as generated, on the edge
        self.outside = None  # the part with the outline outside

    def reach(self, bit):
        """The size of all the program cuts with the outline outside, the
        bit's width around them: the rectangle a sheet gives it."""
        xs, ys = [-bit, self.width + bit], [-bit, self.height + bit]
        for move in check_post.read_original(open(self.path, encoding="utf-8", errors="replace").read()).moves:
            if min(move.start[2], move.end[2]) >= 0:
                continue
            r = bit / 2 + (math.dist(move.start[:2], move.centre) if move.centre else 0)
            for x, y in (move.start[:2], move.end[:2], move.centre or move.end[:2]):
                xs += [x - r, x + r]
                ys += [y - r, y + r]
        return max(xs) - min(xs), max(ys) - min(ys)


def fits(face, bit, sheet, gap):
    room = [side - 2 * gap for side in sheet]
    width, height = face.reach(bit)
    return any(w <= room[0] + SIZE and h <= room[1] + SIZE for w, h in ((width, height), (height, width)))


def tab_height_for(thickness):
    return 1.0 if thickness > 1.5 else round(thickness / 3, 2)


def check_variant(args, rs274, label, folder, options, work, tally):
    """Writes the folder with `options` for both controllers; returns
    {face name: (written path, summary counts)} of the GRBL run, or the
    errors by face name."""
    written, errors = {}, {}
    for controller, extension in CONTROLLERS.items():
        out = os.path.join(work, f"out-{controller}")
        status, lines, err = post(args, [folder], controller, options, out)
        for line in err:
            match = re.match(r"^Error: (.*?\.nc)(?::\d+)?: (.*)$", line)
            if match:
                errors[os.path.splitext(os.path.basename(match.group(1)))[0]] = match.group(2)
            else:
                tally.fail(f"{label} {controller}", [f"post said {line}"])
        for line in lines:
            source, target, changes = SUMMARY.match(line).groups()
            problems = controller_problems(rs274, target, tally)
            if problems:
                tally.fail(f"{label} {controller} {os.path.basename(target)}", problems)
            if controller == "grbl":
                keep = os.path.join(work, f"{label.split()[-1]}-{os.path.basename(target)}")
                shutil.copy(target, keep)
                written[os.path.splitext(os.path.basename(source))[0]] = (keep, finish_counts(changes))
        if (status == 0) != (not err):
            tally.fail(f"{label} {controller}", [f"status {status} with {len(err)} error lines"])
    return written, errors


def sound(face, bit):
    """True when the face as generated comes off whole: cut free, as large
    as the face less the bit, its material the face's less its holes.  An
    opening cut over the face's edge, or one larger than the face, makes
    a part whose shape depends on the outline; the size and the tabs are
    not claimed for it."""
    part = face.edge
    whole = (face.width - bit) * (face.height - bit)
    area = part.area + sum(hole.area for hole in part.holes)
    return (part.name == "freed" and near(part.w, face.width - bit, SIZE) and near(part.h, face.height - bit, SIZE)
            and abs(area - whole) <= 0.002 * whole + 1)


def check_folder(args, rs274, label, folder, bit, work, tally):
    """The outline outside and the tabs, face by face; returns the faces
    that can go on a sheet."""
    _, refused = check_post.preview_rows(args.preview, folder)
    unread = {os.path.splitext(os.path.basename(re.match(r"^Error: (.*?):\d+: ", line).group(1)))[0]
              for line in refused}
    faces, no_outline, too_far = [], set(), set()
    for path in sorted(glob.glob(os.path.join(folder, "*.nc"))):
        name = os.path.splitext(os.path.basename(path))[0]
        if name in unread:
            continue
        figures = program_figures(path)
        if figures is None:
            no_outline.add(name)
            continue
        face = Face(path, *figures)
        parts, error = measure(args, path, bit, face.thickness)
        if error and "no sheet is wider than 10 m" in error:
            tally.counts["faces beyond the 10 m the simulation takes, written only"] += 1
            too_far.add(name)
            continue
        if error:
            tally.fail(f"{label} {name} as generated", [error])
            continue
        face.edge = parts[0]
        if sound(face, bit):
            faces.append(face)
        else:
            tally.counts["faces cut over their edge by their own openings, written only"] += 1
    by_name = {face.name: face for face in faces}

    # The outline outside: the face's size, cut free, the holes unchanged.
    written, errors = check_variant(args, rs274, f"{label} outside", folder,
                                    ["--outline", "outside", "-m", f"{bit:g}"], work, tally)
    for name, error in errors.items():
        if name in no_outline and error.startswith("no outline to finish"):
            tally.counts["programs without an outline, refused"] += 1
        elif name in too_far and error.startswith("GRBL reads only the first eight digits of a number"):
            tally.counts["numbers beyond GRBL's eight digits, refused for GRBL"] += 1
        elif name not in unread:
            tally.fail(f"{label} outside {name}", [f"refused: {error}"])
    tally.counts["programs the reader refuses, refused"] += len(unread)
    for name in unread:
        if name in written:
            tally.fail(f"{label} outside {name}", ["written, though the reader refuses it"])
    if not faces:
        return []
    for name, (path, counts) in written.items():
        face = by_name.get(name)
        if face is None:
            continue
        parts, error = measure(args, path, bit, face.thickness)
        if error:
            tally.fail(f"{label} outside {name}", [error])
            continue
        face.outside = part = parts[0]
        problems = part_problems(part, 0, 0, face.width, face.height, tally)
        if part.name != "freed":
            problems.append(f"the part is '{part.name}', not freed")
        problems += hole_problems(face.edge.holes, part.holes, face.width, face.height, bit, tally)
        tally.counts["parts measured"] += 1
        tally.counts["holes compared"] += len(face.edge.holes)
        if problems:
            tally.fail(f"{label} outside {name}", problems)

    # Holding tabs, on the outline outside; the faces of a project are cut
    # alike, through as much material.
    thickness = faces[0].thickness
    tab_height, tab_width = tab_height_for(thickness), tab_width_for(bit)
    if any(face.thickness != thickness for face in faces):
        tally.fail(f"{label} tabs", ["the faces' outlines are cut to different depths"])
    written, errors = check_variant(
        args, rs274, f"{label} tabs", folder,
        ["--outline", "outside", "-m", f"{bit:g}", "--tabs", str(TABS), "-t", f"{thickness:g}", "--tab-height",
         f"{tab_height:g}", "--tab-width", f"{tab_width:g}"], work, tally)
    for name, error in errors.items():
        face = by_name.get(name)
        if face is None:
            continue  # refused as with the outline outside alone
        too_small = max(face.width, face.height) + bit < tab_width + 2 * bit
        if too_small and error.startswith(f"Option 'tab-width' {tab_width:g}: no edge of the outline is long enough"):
            tally.counts["outlines too small for a tab, refused"] += 1
        else:
            tally.fail(f"{label} tabs {name}", [f"refused: {error}"])
    for name, (path, counts) in written.items():
        face = by_name.get(name)
        if face is None:
            continue
        parts, error = measure(args, path, bit, face.thickness)
        if error:
            tally.fail(f"{label} tabs {name}", [error])
            continue
        placed = counts.get("tabs placed", 0)
        problems = part_problems(parts[0], 0, 0, face.width, face.height, tally)
        problems += tab_problems(parts[0], placed, tab_width, tab_height, tally)
        tally.counts["tabs measured"] += len(parts[0].bridges)
        tally.counts["parts held by tabs"] += 1
        tally.counts["fewer tabs than asked"] += placed < TABS
        if problems:
            tally.fail(f"{label} tabs {name}", problems)
    return [face for face in faces if face.outside is not None]


# ---------------------------------------------------------------------------
# Sheets


def sheet_problems(args, rs274, label, faces, bit, sheet, extra, work, tally, tabs=False):
    """Every face on sheets; returns the problems."""
    options = ["--outline", "outside", "-m", f"{bit:g}", "--sheet", f"{sheet[0]:g}x{sheet[1]:g}", *extra]
    thickness = max(face.thickness for face in faces)
    if tabs:
        options += ["--tabs", str(TABS), "-t", f"{thickness:g}", "--tab-height", f"{tab_height_for(thickness):g}",
                    "--tab-width", f"{tab_width_for(bit):g}"]
    paths = [face.path for face in faces]
    out = os.path.join(work, "sheets")
    status, lines, err = post(args, paths, "grbl", options, out)
    problems = []
    if status != 0:
        gap = float(extra[extra.index("--gap") + 1]) if "--gap" in extra else max(2 * bit, 3)
        too_large = [f for f in faces if not fits(f, bit, sheet, gap)]
        if too_large and len(err) == 1 and "does not fit on the sheet" in err[0]:
            if os.path.exists(out) and os.listdir(out):
                problems.append("a sheet was written though a panel was refused")
            tally.counts["panels larger than the sheet, refused"] += 1
            return problems
        return [f"post status {status}: {err}"]
    for controller in ("linuxcnc",):
        _, _, err2 = post(args, paths, controller, options, os.path.join(work, "sheets-" + controller))
        problems += [f"{controller}: {line}" for line in err2]
        for path in sorted(glob.glob(os.path.join(work, "sheets-" + controller, "sheet-*"))):
            problems += [f"{os.path.basename(path)}: {p}" for p in controller_problems(rs274, path, tally)]
    by_path = {face.path: face for face in faces}
    sheets, placed = [], Counter()
    for line in lines:
        if SHEET_LINE.match(line):
            sheets.append((SHEET_LINE.match(line).group(1), []))
            continue
        match = PANEL_LINE.match(line)
        if not match:
            problems.append(f"summary line {line!r}")
            continue
        name, x, y, turned, width, height, source, _ = match.groups()
        sheets[-1][1].append((by_path[source], float(x), float(y), bool(turned)))
        placed[source] += 1
    if sorted(placed.elements()) != sorted(paths):
        problems.append(f"panels placed {sorted(placed.elements())}, given {sorted(paths)}")
    for target, panels in sheets:
        problems += [f"{os.path.basename(target)}: {p}" for p in controller_problems(rs274, target, tally)]
        problems += one_sheet(args, target, panels, bit, sheet, tally, tabs)
        problems += picture_problems(args, target, panels, bit, placed_tabs(lines, target), tally)
        tally.counts["sheets"] += 1
    return problems


def placed_tabs(lines, target):
    """{panel name: tabs placed} of one sheet in post's summary."""
    tabs, on = {}, False
    for line in lines:
        if SHEET_LINE.match(line):
            on = SHEET_LINE.match(line).group(1) == target
        elif on and PANEL_LINE.match(line):
            tabs[PANEL_LINE.match(line).group(1)] = finish_counts(line).get("tabs placed", 0)
    return tabs


def picture_problems(args, target, panels, bit, tabs, tally):
    """The preview draws the sheet's finished picture: every panel named on
    it, drawn as a part held by its tabs (or freed), the tabs marked."""
    thickness = max(face.thickness for face, *_ in panels)
    result = run([args.preview, "--finished", "--bit-diameter", f"{bit:g}", "--material-thickness",
                  f"{thickness:g}", target])
    if result.returncode != 0:
        return [f"preview status {result.returncode}: {text_of(result.stderr).strip()}"]
    # The preview names a .nc program's picture without the .nc.
    picture = (target[:-3] if target.endswith(".nc") else target) + ".finished.svg"
    svg = ElementTree.parse(picture).getroot()
    ns = "{http://www.w3.org/2000/svg}"
    texts = {"".join(t.itertext()).strip() for t in svg.iter(ns + "text")}
    # For GRBL, the characters it would act on are "_" in the comment, and
    # its line length may have shortened a long name.
    def named(name):
        if target.endswith(".nc"):
            name = "".join("_" if ord(c) < 0x20 or ord(c) > 0x7E or c in "!?~" else c for c in name)
        return any(t == name or (t.endswith("...") and name.startswith(t[:-3])) for t in texts)
    problems = [f"{name} is not named on the picture" for name in tabs if not named(name)]
    holds, bridges = Counter(), 0
    for group in svg.iter(ns + "g"):
        if group.get("class") == "part":
            holds[group.find(ns + "desc").text] += 1
            bridges += sum(1 for p in group.iter(ns + "path") if p.get("fill") == "#ff8c1a")
    wanted = Counter("freed" if n == 0 else f"held by {n} bridge{'s' if n > 1 else ''}" for n in tabs.values())
    if any(holds[hold] < count for hold, count in wanted.items()) or bridges != sum(tabs.values()):
        problems.append(f"the picture shows parts {dict(holds)} and {bridges} tabs, post placed {tabs}")
    tally.counts["finished pictures of sheets drawn and checked"] += 1
    return problems


def one_sheet(args, target, panels, bit, sheet, tally, tabs):
    thickness = max(face.thickness for face, *_ in panels)
    parts, error = measure(args, target, bit, thickness)
    if error:
        return [error]
    problems, cuts = [], []
    for face, x, y, turned in panels:
        width, height = (face.height, face.width) if turned else (face.width, face.height)
        found = [p for p in parts if near(p.box[0], x, SIZE) and near(p.box[1], y, SIZE)
                 and near(p.w, width, SIZE) and near(p.h, height, SIZE)]
        label = f"{os.path.basename(target)} {face.name}"
        if len(found) != 1:
            problems.append(f"{label}: {len(found)} parts of {width:.2f} x {height:.2f} at {x:.2f}, {y:.2f}")
            continue
        part = found[0]
        tally.deviate("sheet place", max(abs(part.box[0] - x), abs(part.box[1] - y)))
        if turned:
            move = lambda px, py, x=x, y=y, h=face.height: (x + h - py, y + px)
        else:
            move = lambda px, py, x=x, y=y: (x + px, y + py)
        problems += [f"{label}: {p}" for p in part_problems(part, x, y, width, height, tally)]
        problems += [f"{label}: {p}" for p in hole_problems(face.outside.holes, part.holes, face.width, face.height,
                                                            bit, tally, move, turned)]
        if not tabs and part.name != "freed":
            problems.append(f"{label}: the part is '{part.name}'")
        if tabs and not part.bridges:
            problems.append(f"{label}: no tab holds it ('{part.name}')")
        tally.counts["panels on sheets"] += 1
        # The material the outline's cut takes around it.
        cuts.append((label, x - bit, y - bit, x + width + bit, y + height + bit))
    for label, x0, y0, x1, y1 in cuts:
        if x0 < -SIZE or y0 < -SIZE or x1 > sheet[0] + SIZE or y1 > sheet[1] + SIZE:
            problems.append(f"{label}: its cut reaches beyond the sheet's edge")
    for a, b in itertools.combinations(cuts, 2):
        if min(a[3], b[3]) - max(a[1], b[1]) > SIZE and min(a[4], b[4]) - max(a[2], b[2]) > SIZE:
            problems.append(f"{a[0]} and {b[0]}: their cuts overlap")
    return problems


# ---------------------------------------------------------------------------
# The projects


# A face too small for four tabs (20 x 6 mm: the short edges hold none, and
# two places crowd the others), one too small for any (6 x 6 mm), and one
# larger than the sheet.
SMALL_PROJECTS = {
    "narrow.json": '{"Generic": {"width": 2, "height": 0.6}, "Tab_Main": {}}',
    "small.json": '{"Generic": {"width": 0.6, "height": 0.6}, "Dot_Main": {}}',
    "large.json": '{"Generic": {"width": 61, "height": 30}, "Wide_Main": {}}',
}
SMALL_OPTIONS = "-t 3 -b 6 -d 1.5 -m 2".split()


def fixed_folders(args, work):
    runs = check_rs274.standard_runs(args.source)
    for name, text in SMALL_PROJECTS.items():
        with open(os.path.join(work, name), "w", encoding="utf-8") as file:
            file.write(text)
        runs.append((os.path.join(work, name), SMALL_OPTIONS))
    for n, (project, options) in enumerate(runs):
        out = os.path.join(work, f"fixed-{n}")
        result = run([args.generator, "-j", project, "-o", out, *options])
        bit = float(options[options.index("-m") + 1])
        label = f"{os.path.basename(project)} {' '.join(options)}"
        yield label, result, os.path.join(out, os.path.splitext(os.path.basename(project))[0]), bit, options


def random_folders(args, work):
    """Random projects of the model comparison, cut with a real bit and the
    outline on (every other one with a 3.175 mm bit through 3 mm in 1 mm
    passes); until args.random of them wrote programs with an outline."""
    written = seed = 0
    while written < args.random and seed < 40 * args.random:
        case = os.path.join(work, f"random-{seed}")
        os.makedirs(case)
        rng = random.Random(args.seed * 1000003 + seed)
        argv = differential_test.random_case(rng, case)
        if seed % 2 == 0:
            # Every other project cut alike, so that their panels share sheets.
            bit = "3.175"
            argv += ["-t", "3", "-d", "1"]
        else:
            bit = rng.choice(BITS)
        argv += ["-m", bit, "--outline=true", "--simulate=false"]
        seed += 1
        result = run([args.generator] + argv, cwd=case)
        programs = glob.glob(os.path.join(case, "**", "*.nc"), recursive=True)
        if result.returncode != 0 or not programs:
            continue
        if not any(program_figures(p) and program_figures(p)[2] < 0 for p in programs):
            continue
        written += 1
        yield f"random project, seed {seed - 1}", result, os.path.dirname(programs[0]), float(bit), argv


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    for name in ("generator", "preview", "post"):
        parser.add_argument("--" + name, required=True, help=f"path of veskaro-{name}")
    parser.add_argument("--source", required=True, help="the project's source folder")
    parser.add_argument("--random", type=int, default=30, help="random projects that write programs")
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    for name in ("generator", "preview", "post", "source"):
        setattr(args, name, os.path.abspath(getattr(args, name)))
    sys.stdout.reconfigure(line_buffering=True)
    rs274, status = check_rs274.find_rs274()
    if rs274 is None:
        return status

    tally = Tally()
    with tempfile.TemporaryDirectory(prefix="veskaro-finishing-") as work:
        os.environ["HOME"] = work  # rs274 maps $HOME/.tool.mmap: a HOME per concurrent run
        random_faces = []
        for label, result, folder, bit, options in itertools.chain(fixed_folders(args, work),
                                                                   random_folders(args, work)):
            print(f"== {label}")
            if result.returncode != 0:
                tally.fail(label, [f"generator status {result.returncode}: {text_of(result.stderr)}"])
                continue
            scratch = os.path.join(work, "scratch")
            shutil.rmtree(scratch, ignore_errors=True)
            os.makedirs(scratch)
            if "--outline=false" in options and not label.startswith("random"):
                outline_refused(args, label, folder, bit, scratch, tally)
                continue
            tally.counts["projects"] += 1
            faces = check_folder(args, rs274, label, folder, bit, scratch, tally)
            if not faces:
                continue
            tabs = label.startswith("enclosure")
            problems = sheet_problems(args, rs274, label, faces, bit, SHEET, [], scratch, tally, tabs=tabs)
            if problems:
                tally.fail(f"{label} sheet", problems)
            if label.startswith("random"):
                random_faces += [(face, (bit, face.thickness)) for face in faces]
        # Every random panel cut with one bit on sheets together: several
        # sheets, and faces of one name from several projects.
        scratch = os.path.join(work, "scratch")
        shutil.rmtree(scratch, ignore_errors=True)
        os.makedirs(scratch)
        if random_faces:
            cut = Counter(c for _, c in random_faces).most_common(1)[0][0]
            bit = cut[0]
            together = [face for face, c in random_faces if c == cut and fits(face, bit, SMALL_SHEET, 3)]
            print(f"== {len(together)} random panels cut with a {bit:g} mm bit through {cut[1]:g} mm, together")
            problems = sheet_problems(args, rs274, "together", together, bit, SMALL_SHEET, ["--gap", "3"], scratch,
                                      tally)
            if problems:
                tally.fail("random panels together", problems)

    print(f"{tally.counts['projects']} projects ({args.random} random)")
    for name, count in sorted(tally.counts.items()):
        if name != "projects":
            print(f"{name}: {count}")
    print("largest deviations: " + ", ".join(f"{k} {v:.4f} mm" for k, v in tally.deviation.items()))
    # The cases the check exists for must have come up.
    for case in ("fewer tabs than asked", "outlines too small for a tab, refused", "programs without an outline, "
                 "refused", "programs the reader refuses, refused", "panels larger than the sheet, refused"):
        if tally.counts[case] == 0:
            tally.fail("coverage", [f"no case of {case}"])
    print(f"failures: {tally.failed}")
    return 0 if tally.failed == 0 else 1


def outline_refused(args, label, folder, bit, work, tally):
    """Programs without an outline are refused by every finishing option,
    and nothing is written."""
    for options in (["--outline", "outside", "-m", f"{bit:g}"], ["--sheet", "600x400", "-m", f"{bit:g}"]):
        out = os.path.join(work, "refused")
        status, lines, err = post(args, [folder], "grbl", options, out)
        wanted = all(line.endswith(": no outline to finish: the program does not end with the passes around "
                                   "the face from 0,0 that the generator cuts with its outline on") for line in err)
        written = os.path.exists(out) and os.listdir(out)
        if status != 1 or lines or not err or not wanted or written:
            tally.fail(f"{label} {' '.join(options)}", [f"status {status}, said {lines + err}"])
        tally.counts["programs without an outline, refused"] += len(err)


if __name__ == "__main__":
    sys.exit(main())
