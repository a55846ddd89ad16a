#!/usr/bin/env python3
"""The check agrees with the cut: what veskaro-check says of a project
against what the simulated cut of the generator's programs measures.

Projects: the every-section fixture and the examples, as the rs274 check runs
them, a project of defects (thin walls, touching and overlapping openings,
an opening across the outline, a recess that leaves a post), and random
projects built from the model comparison's components with
settings that cut (a bit, an outline, recesses and screws now and then,
depths per pass that leave a skin now and then), as many as the simulation
takes (a project whose moves reach beyond 10 m is passed over).  For each,
the generator writes the programs, veskaro-check reads the project with the
same options, and `veskaro-preview --finished --measure` measures every
program.

Sizes the check states, each against the simulated one within 0.05 mm:
  - the panel of a face whose outline runs on its edge;
  - walls thinner than its minimum, when the check takes --min-wall and
    the through-cuts go through;
  - an opening narrower than the bit (across, wide or high, for openings
    that are not turned), screw holes narrower than the bit, head recesses;
  - rectangular recesses narrower than the bit or whose rows reach beyond
    them, and the island a circular recess leaves;
  - a recess cut through the sheet: the hole it comes out (not where its
    opening is larger);
  - the skin left under the through-cuts;
  - how far an opening, recess, screw hole or head recess reaches beyond the
    panel, or lies outside it.
Findings of the simulation the check covers, each named by the check: cuts
beyond the outline, holes that merged, skin under a through-cut, islands in a
recess, and, when the check takes --min-wall, walls thinner than 1 mm.

Prints the counts and the largest deviation; every disagreement is listed.
Exit status 0 when there is none, 1 otherwise.
"""

import argparse
import glob
import json
import math
import os
import random
import re
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # run from the build, leave the source tree clean
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "interop"))
sys.path.insert(0, os.path.join(HERE, "..", "model"))
import check_rs274  # noqa: E402
import differential_test  # noqa: E402

TOLERANCE = 0.05  # mm
NUMBER = r"(-?\d+\.\d\d)"
CHECK_LINE = re.compile(r"^(warning|note): (.*?): (.*)$")
SIDES = ("left", "right", "bottom", "top")
REACH = re.compile(r"(?:reaches |and )" + NUMBER + r" mm beyond (?:the panel's |the part's |its )(\w+) edge")
OUTSIDE = re.compile(r"lies wholly outside the (?:panel|part), " + NUMBER + r" mm beyond its (\w+) edge")


class Feature:
    """A line of --measure."""

    def __init__(self, fields):
        self.kind, self.name = fields[0], fields[1]
        self.x, self.y, self.width, self.height, self.area, self.low, self.deep = map(float, fields[2:9])


def option_value(options, short, long):
    value = None
    for n, word in enumerate(options):
        if word in ("-" + short, "--" + long) and n + 1 < len(options):
            value = options[n + 1]
        elif word.startswith("--" + long + "="):
            value = word.split("=", 1)[1]
        elif word.startswith("-" + short) and len(word) > 2 and not word.startswith("--"):
            value = word[2:]
    return value


def rotation_of(component):
    """The component's quarter turns, or None when it is turned otherwise."""
    try:
        turn = float(component.get("rotation", 0)) % 90
    except (TypeError, ValueError):
        return None
    if min(turn, 90 - turn) > 1e-6:
        return None
    return round(float(component.get("rotation", 0)) / 90) % 2


class Face:
    """A face program: its measured features and what its lines say."""

    def __init__(self, path, features):
        self.name = os.path.splitext(os.path.basename(path))[0]
        self.features = features
        text = open(path, encoding="utf-8", errors="replace").read()
        start = re.search(r"^G0 X0 Y(\S+) ; Move to the starting point", text, re.MULTILINE)
        self.height = float(start.group(1)) if start else None
        self.screws = [(float(x), float(y)) for x, y in
                       set(re.findall(r"Drill hole at \((\S+), (\S+)\)", text))]

    def part(self):
        return next(f for f in self.features if f.kind == "part")

    def findings(self):
        return [f.name for f in self.features if f.kind == "finding"]

    def holes_at(self, x, y):
        return [f for f in self.features if f.kind == "hole" and near_box(f, x, y)]

    def pockets_at(self, x, y):
        return [f for f in self.features if f.kind == "pocket" and near_box(f, x, y)]


def near_box(feature, x, y):
    return abs(feature.x - x) <= feature.width / 2 + 1e-6 and abs(feature.y - y) <= feature.height / 2 + 1e-6


def reach_pairs(text):
    """{side: distance} of "reaches ... beyond" or "lies wholly outside"."""
    outside = OUTSIDE.search(text)
    if outside:
        return {"outside " + outside.group(2): float(outside.group(1))}
    return {side: float(distance) for distance, side in REACH.findall(text)}


class Comparison:
    def __init__(self):
        self.statements = 0
        self.findings = 0
        self.largest = 0.0
        self.largest_label = ""
        self.disagreements = []

    def size(self, label, stated, simulated):
        self.statements += 1
        if simulated is None:
            self.disagreements.append(f"{label}: the check says {stated:.2f}, the simulation has no such feature")
            return
        deviation = abs(stated - simulated)
        if deviation > self.largest:
            self.largest, self.largest_label = deviation, label
        if deviation > TOLERANCE:
            self.disagreements.append(f"{label}: the check says {stated:.2f}, the simulation {simulated:.2f}")

    def named(self, label, finding, named):
        self.findings += 1
        if not named:
            self.disagreements.append(f"{label}: the simulation finds \"{finding}\", the check does not say so")


def compare_project(label, project, options, faces, check_lines, walls_covered, result):
    """Every size the check states against the faces' measures, and every
    finding of the faces the check covers against the check's lines."""
    bit = float(option_value(options, "m", "bit-diameter") or 0)
    thickness = float(option_value(options, "t", "material-thickness"))
    said = []
    for line in check_lines:
        match = CHECK_LINE.match(line)
        if match:
            where, text = match.group(2), match.group(3)
            face, _, component = where.partition(" / ")
            said.append((face, component, text))
    components = {}
    for face_name, value in project.items():
        if isinstance(value, dict):
            components[face_name] = value
        elif isinstance(value, list):
            components[face_name] = {str(n): c for n, c in enumerate(value)}

    def centre(face, component):
        value = components.get(face.name, {}).get(component)
        if not isinstance(value, dict) or face.height is None:
            return None
        try:
            return 10 * float(value["location_x"]), face.height - 10 * float(value["location_y"])
        except (KeyError, TypeError, ValueError):
            return None

    def rotation(face, component):
        value = components.get(face.name, {}).get(component)
        return rotation_of(value) if isinstance(value, dict) else None

    def has_recess(face, component):
        value = components.get(face.name, {}).get(component)
        if not isinstance(value, dict) or not float(option_value(options, "r", "recess-depth") or 0) > 0:
            return False

        def positive(key):
            try:
                return float(value.get(key, 0)) > 0
            except (TypeError, ValueError):
                return False
        return positive("visible_diameter") or (positive("visible_width") and positive("visible_height"))

    def off_or_overlapping(face, component, shape):
        """The check says the component's recess or opening reaches beyond
        the panel, lies outside it, or overlaps another cut."""
        return any(c == component and t.startswith("the " + shape) and ("beyond" in t or "overlaps" in t)
                   for f, c, t in said if f == face.name) or \
            any(f'opening of "{component}"' in t for f, c, t in said if f == face.name)

    def crossing(face):
        """Openings of the face run across the panel, from edge to edge: one
        alone, or several that the simulation finds cut the part apart."""
        if any(re.search(r"beyond the panel's (left|bottom) edge and .* beyond its (right|top) edge", t)
               for f, c, t in said if f == face.name):
            return True
        sides = {side for f, c, t in said if f == face.name and t.startswith("the opening reaches")
                 for _, side in REACH.findall(t)}
        apart = face.part().name == "NOT cut free: no cut around it"
        return apart and ({"left", "right"} <= sides or {"bottom", "top"} <= sides)

    def others_meet(face, feature, component):
        """Another hole or pocket of the face meets the feature's box."""
        return any(f is not feature and f.kind in ("hole", "pocket") and f.name != component and
                   abs(f.x - feature.x) * 2 < f.width + feature.width and
                   abs(f.y - feature.y) * 2 < f.height + feature.height for f in face.features)

    skin = None
    for face_name, component, text in said:
        match = re.match(r"the deepest pass is at \S+ mm in the \S+ mm material: " + NUMBER + " mm is left uncut", text)
        if face_name == "cut-depth-per-pass" and match:
            skin = float(match.group(1))

    for face in faces:
        where = f"{label}, {face.name}"
        part = face.part()
        for face_name, component, text in said:
            if face_name != face.name:
                continue
            what = f"{where}{' / ' + component if component else ''}: {text}"
            # The panel.
            match = re.match(r"the outline runs on the face's edge: the panel comes out " + NUMBER + " x " + NUMBER, text)
            if match:
                if not crossing(face):
                    whole = part.name != "NOT cut free: no cut around it"
                    result.size(what + " (width)", float(match.group(1)), part.width if whole else None)
                    result.size(what + " (height)", float(match.group(2)), part.height if whole else None)
                continue
            at = centre(face, component) if component else None
            turned = rotation(face, component) if component else None
            # Openings narrower than the bit.
            match = re.match(r"the opening is \S+ mm (across|wide|high), narrower than the bit: it comes out " + NUMBER, text)
            if match and at and turned is not None:
                # A hole, or a pocket where the passes stop short and no
                # recess makes one pocket with it; not where the recess goes
                # through (the check says what comes out there).
                recess_through = any(c == component and t.startswith("the recess is cut down to")
                                     for f, c, t in said if f == face.name)
                if not off_or_overlapping(face, component, "opening") and not recess_through:
                    cut = [h for h in face.holes_at(*at) if h.name == component]
                    if not cut and not has_recess(face, component):
                        cut = [p for p in face.pockets_at(*at) if p.name == component]
                    along = match.group(1)
                    size = None
                    if cut:
                        size = cut[0].width if along == "across" or (along == "wide") != bool(turned) else cut[0].height
                    if cut or not has_recess(face, component):
                        result.size(what, float(match.group(2)), size)
                continue
            # Rectangular recesses, and the island a circular one leaves.
            match = re.match(r"the recess is \S+ mm (wide|high), narrower than the bit: it comes out " + NUMBER, text)
            rows = re.match(r"the recess rows reach \S+ mm beyond its \S+ mm height: it is cut " + NUMBER + " x " + NUMBER, text)
            if (match or rows) and at and turned is not None:
                # The recess alone: not where an opening that stops short
                # makes one pocket with it.
                pockets = [p for p in face.pockets_at(*at) if p.name == "-"]
                clear = not off_or_overlapping(face, component, "recess") and \
                    not off_or_overlapping(face, component, "opening")
                if clear and len(pockets) == 1 and not others_meet(face, pockets[0], component):
                    width, height = (pockets[0].height, pockets[0].width) if turned else (pockets[0].width, pockets[0].height)
                    if match:
                        result.size(what, float(match.group(2)), width if match.group(1) == "wide" else height)
                    else:
                        result.size(what + " (width)", float(rows.group(1)), width)
                        result.size(what + " (height)", float(rows.group(2)), height)
                continue
            # A recess through the sheet: a hole of its size.
            through = re.match(r"the recess is cut down to \S+ mm, through the \S+ mm material: it comes out a hole "
                               + NUMBER + r"(?: mm across| x " + NUMBER + " mm)", text)
            if through and at and turned is not None:
                # Its hole, of it alone (or its own opening); not where it
                # meets the outline's cut (it touches the panel's edge).
                holes = [h for h in face.holes_at(*at) if h.name in ("-", component)]
                width = float(through.group(1))
                height = float(through.group(2)) if through.group(2) else width
                if turned:
                    width, height = height, width
                touching = abs(at[0] - part.x) + width / 2 >= part.width / 2 - 0.05 or \
                    abs(at[1] - part.y) + height / 2 >= part.height / 2 - 0.05
                # Nor where its opening reaches beyond it: the hole is theirs.
                inside_opening = any(c == component and "is smaller than its opening" in t
                                     for f, c, t in said if f == face.name)
                if not off_or_overlapping(face, component, "recess") and not inside_opening and \
                        not off_or_overlapping(face, component, "opening") and not (touching and not holes):
                    result.size(what + " (width)", width, holes[0].width if len(holes) == 1 else None)
                    result.size(what + " (height)", height, holes[0].height if len(holes) == 1 else None)
                continue
            match = re.match(r"the recess's circles leave an island " + NUMBER + " mm across", text)
            outside = any(c == component and t.startswith("the recess") and ("outside" in t or "beyond" in t)
                          for f, c, t in said if f == face.name)
            if match and at and not outside:
                islands = [f for f in face.features if f.kind == "finding" and "island" in f.name and near_box(f, *at)]
                result.size(what, float(match.group(1)),
                            float(re.search(r"an island (\S+) mm", islands[0].name).group(1)) if islands else None)
                continue
            # Off the panel: a sim finding of the same component (or an
            # unnamed cut, for recesses and screws) with the same distances.
            pairs = reach_pairs(text)
            if pairs and crossing(face):
                continue  # the part is cut in two: there is no one part to measure from
            if pairs and ("opening" in text.split(" ")[1:2] or text.startswith(("the opening", "the recess", "the screw"))):
                candidates = []
                for finding in face.findings():
                    if not re.search(r"(reaches|lies wholly outside)", finding):
                        continue
                    named = finding.startswith('"' + component + '" ') if text.startswith("the opening") else \
                        finding.startswith("the cut at line")
                    if named:
                        candidates.append(reach_pairs(finding))
                best = None
                for candidate in candidates:
                    if set(candidate) == set(pairs):
                        deviation = max(abs(candidate[s] - pairs[s]) for s in pairs)
                        if best is None or deviation < best[0]:
                            best = (deviation, candidate)
                # A cut that only touches the panel: the one says it lies
                # outside, 0.00 mm beyond, the other that it reaches beyond,
                # as the last digit of the computation falls.
                touching = any(list(c) == [k] and c[k] == 0 and k.startswith("outside")
                               for c in candidates + [pairs] for k in c)
                if best is None and touching and candidates:
                    result.statements += 1
                    continue
                for side, distance in pairs.items():
                    result.size(f"{what} ({side})", distance, best[1][side] if best else None)
                continue
        # Screw holes and head recesses, at the corners the program drills.
        for face_name, component, text in said:
            holes = re.match(r"the \S+ mm screw holes are narrower than the bit: they come out " + NUMBER, text) or \
                re.match(r"the head recesses are cut down to \S+ mm, through the \S+ mm material: the screw holes "
                         r"come out " + NUMBER, text)
            heads = re.match(r"the head recesses come out " + NUMBER + " mm across", text)
            if not (holes or heads) or not face.screws:
                continue
            for x, y in face.screws:
                label_here = f"{where}: {text} (at {x:.2f}, {y:.2f})"
                if holes:
                    # Not where the hole stops short of the bottom (the skin
                    # is compared), runs into an opening or off the panel.
                    found = [h for h in face.holes_at(x, y) if h.name == "-" and abs(h.x - x) < 0.05 and abs(h.y - y) < 0.05]
                    elsewhere = skin is not None or face.holes_at(x, y) or any(
                        f"screw hole at {x:.2f}, {y:.2f}" in t or f"screw-head recess at {x:.2f}, {y:.2f}" in t
                        for f, c, t in said if f == face.name)
                    if found or not elsewhere:
                        result.size(label_here, float(holes.group(1)), found[0].width if found else None)
                elif not any(t.startswith("the head recesses are cut down to") for f, c, t in said):
                    # Head recesses that go through are part of the hole.
                    found = [p for p in face.pockets_at(x, y) if abs(p.x - x) < 0.05 and abs(p.y - y) < 0.05]
                    if found:
                        result.size(label_here, float(heads.group(1)), found[0].width)
        # Walls the check finds thin, where the cuts go through: the same
        # two cuts (a screw hole is the simulation's unnamed hole there), the
        # same width.
        for face_name, component, text in said:
            wall = re.match(r"the wall between (.+) and (.+) is " + NUMBER + " mm$", text)
            if face_name != face.name or not wall or skin is not None or not walls_covered:
                continue

            def named(cut):
                return re.sub(r"^the screw hole at", "the hole at", cut)

            pair = {named(wall.group(1)), named(wall.group(2))}
            widths = [float(m.group(3)) for m in
                      (re.match(r"the wall between (.+) and (.+) is " + NUMBER + " mm$", f) for f in face.findings())
                      if m and {m.group(1), m.group(2)} == pair]
            result.size(f"{where}: {text}", float(wall.group(3)),
                        min(widths, key=lambda w: abs(w - float(wall.group(3)))) if widths else None)

        # The skin under the outline.
        if skin is not None and part.name.startswith("NOT cut free: ") and part.name.endswith(" mm skin"):
            result.size(f"{where}: the skin under the outline", skin, float(part.name.split()[3]))

        # The simulation's findings that the check covers.  The check takes
        # no walls or meetings of recesses through the sheet: where there
        # are some, a cut of theirs may make the simulation's.
        face_lines = [(c, t) for f, c, t in said if f == face.name]
        through_recesses = any(t.startswith("the recess is cut down to") for c, t in face_lines)
        for finding in face.findings():
            what = f"{where}"
            if "beyond" in finding or "lies wholly outside" in finding:
                name = re.match(r'"(.*)" (?:reaches|lies)', finding)
                if name:
                    named = any(c == name.group(1) and ("beyond" in t) for c, t in face_lines)
                else:
                    named = any(("beyond" in t) and (t.startswith("the recess") or c == "") for c, t in face_lines)
                result.named(what, finding, named)
            elif finding.endswith(" are cut as one hole"):
                # A line of the check about one of the components in it, or
                # about screw holes where only unnamed cuts merged (names may
                # hold quotes: they are looked for whole in the finding).
                meeting = [(c, t) for c, t in face_lines if "overlap" in t or "touch" in t or "one hole" in t]
                if any(c and f'"{c}"' in finding for c, t in meeting):
                    named = True
                elif not walls_covered or through_recesses:
                    named = True  # screw holes merging, and recesses through the sheet, the check did not cover
                else:
                    named = any("screw hole" in t for c, t in meeting)
                result.named(what, finding, named)
            elif finding.startswith("uncut skin"):
                result.named(what, finding, skin is not None)
            elif finding.startswith("an island"):
                result.named(what, finding, any("island" in t for c, t in face_lines))
            elif finding.startswith("the wall between") and walls_covered and not through_recesses:
                width = float(re.search(r"is (\S+) mm$", finding).group(1))
                named = any("wall" in t and abs(float(re.search(r"is (\S+) mm", t).group(1)) - width) <= TOLERANCE
                            for c, t in face_lines if re.search(r"wall .* is \S+ mm", t))
                result.named(what, finding, named)


SETTINGS = {
    "material-thickness": ["3", "3", "3.2", "4", "6", "2.9", "3.175"],
    "cut-depth-per-pass": ["1", "1.5", "0.75", "0.4", "0.7", "2", "1.2"],
    "bit-diameter": ["1", "2", "2", "3", "3.175", "1.5", "2.5", "0.8"],
    "box-height-3d": ["50", "40", "60", "30"],
}
SHORT = {"material-thickness": "t", "cut-depth-per-pass": "d", "bit-diameter": "m", "box-height-3d": "b",
         "recess-depth": "r", "screw-size-top": "e", "screw-size-bottom": "w", "screw-head-diameter": "i",
         "screw-head-height": "a", "screw-extra-margin": "n"}
FACES = ["Box_Main", "Box_Back", "Box_Left", "Box_Bottom", "Lid_Top", "Box_Front"]
NAMES = ["fan", "switch", "display", "knob", "led", "usb", "jack", "b", "A", "a", "say \"hi\""]


def random_project(rng):
    """A project and its options that cut: a real bit, the outline on."""
    chosen = {name: rng.choice(pool) for name, pool in SETTINGS.items()}
    if rng.random() < 0.5:
        chosen["recess-depth"] = rng.choice(["0.5", "1", "1.5", "1", "7"])
    if rng.random() < 0.5:
        chosen["screw-size-top"] = rng.choice(["2", "3", "4"])
        chosen["screw-size-bottom"] = rng.choice(["3", "4"])
        chosen["screw-head-diameter"] = rng.choice(["0", "6", "8"])
        chosen["screw-head-height"] = rng.choice(["1", "1.5", "1", "7"])
        chosen["screw-extra-margin"] = rng.choice(["0", "1", "-1", "2.5"])
    project = {"Generic": {"width": rng.choice([8, 12, 16, 20, 10.5]), "height": rng.choice([6, 8, 10, 12.5])}}
    for face in rng.sample(FACES, rng.randint(1, 3)):
        big = rng.random() < 0.2
        parts = {}
        for name in rng.sample(NAMES, rng.randint(1, 5)):
            component = differential_test.component(rng, big)
            parts[name] = json.loads(differential_test.json_text(component, rng))
        project[face] = parts
    options = []
    for name, value in chosen.items():
        options += ["-" + SHORT[name], value]
    return project, options


# A project of defects the check and the cut must agree on: openings 0.5 mm
# apart, two that touch, one across the outline, a turned one overlapping a
# circle, a recess whose circles leave a post; cut with screws whose holes
# come 0.5 mm from the outline too.
DEFECTS = {
    "Generic": {"width": 12, "height": 8},
    "Box_Main": {
        "a": {"location_x": 3, "location_y": 3, "drill_width": 1, "drill_height": 1},
        "b": {"location_x": 4.05, "location_y": 3, "drill_width": 1, "drill_height": 1},
        "c": {"location_x": 3, "location_y": 5.2, "drill_width": 1, "drill_height": 1},
        "d": {"location_x": 4, "location_y": 5.2, "drill_width": 1, "drill_height": 1},
        "e": {"location_x": 11.8, "location_y": 4, "drill_diameter": 1},
        "f": {"location_x": 8, "location_y": 2.5, "visible_diameter": 1.4},
        "g": {"location_x": 8, "location_y": 5.5, "drill_diameter": 1.2, "rotation": 30},
    },
    "Box_Back": {
        "h": {"location_x": 5, "location_y": 3, "drill_width": 2, "drill_height": 1, "rotation": 45},
        "i": {"location_x": 6.2, "location_y": 3, "drill_diameter": 0.8},
    },
}
DEFECT_OPTIONS = [
    ["-t", "3", "-b", "50", "-d", "1.5", "-m", "2", "-r", "1.5", "-e", "3", "-i", "6", "-a", "1.5", "-n", "-1"],
    ["-t", "3", "-b", "50", "-d", "1.5", "-m", "3", "-r", "1.5", "-e", "3", "-i", "0", "-n", "-1"],
]


def runs(args, work):
    """(label, project file, project, generator options) of the fixed and
    the random projects."""
    for project_file, options in check_rs274.standard_runs(args.source):
        if "--outline=false" in options:
            continue
        with open(project_file, encoding="utf-8") as file:
            project = json.load(file)
        yield f"{os.path.basename(project_file)} {' '.join(options)}", project_file, project, options
    defects = os.path.join(work, "defects.json")
    with open(defects, "w", encoding="utf-8") as file:
        json.dump(DEFECTS, file)
    for options in DEFECT_OPTIONS:
        yield f"defects.json {' '.join(options)}", defects, DEFECTS, options
    rng = random.Random(args.seed)
    for n in range(20 * args.random):
        project, options = random_project(rng)
        project_file = os.path.join(work, f"random-{n}.json")
        with open(project_file, "w", encoding="utf-8") as file:
            json.dump(project, file, ensure_ascii=False)
        yield f"random project {n}", project_file, project, options


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--generator", required=True)
    parser.add_argument("--check", required=True)
    parser.add_argument("--preview", required=True)
    parser.add_argument("--source", required=True)
    parser.add_argument("--random", type=int, default=50, help="random projects simulated")
    parser.add_argument("--seed", type=int, default=17)
    parser.add_argument("--keep", help="a folder to keep every project, its programs and lines in")
    args = parser.parse_args()
    help_text = subprocess.run([args.check, "--help"], capture_output=True, text=True).stdout
    walls_covered = "--min-wall" in help_text

    result = Comparison()
    projects = programs = random_done = 0
    with tempfile.TemporaryDirectory() as work:
        if args.keep:
            work = args.keep
            os.makedirs(work, exist_ok=True)
        for label, project_file, project, options in runs(args, work):
            if label.startswith("random") and random_done >= args.random:
                break
            out = os.path.join(work, f"out-{len(os.listdir(work))}") if args.keep else os.path.join(work, "out")
            subprocess.run(["rm", "-rf", out])
            generated = subprocess.run([args.generator, "-j", project_file, "-o", out] + options,
                                       capture_output=True, text=True, timeout=120)
            files = sorted(glob.glob(os.path.join(out, "*", "*.nc")))
            if generated.returncode != 0 or not files:
                continue
            bit = option_value(options, "m", "bit-diameter")
            thickness = option_value(options, "t", "material-thickness")
            measured = subprocess.run([args.preview, "--finished", "--measure", "-m", bit, "--material-thickness",
                                       thickness] + files, capture_output=True, text=True, timeout=300)
            if measured.returncode != 0:
                if label.startswith("random"):
                    continue  # moves beyond a sheet, numbers beyond a kilometre
                result.disagreements.append(f"{label}: the preview refused: {measured.stderr.strip()}")
                continue
            checked = subprocess.run([args.check, "-j", project_file, "-o", out] + options, capture_output=True,
                                     text=True, timeout=120)
            if args.keep:
                with open(out + ".txt", "w", encoding="utf-8") as file:
                    file.write(" ".join(options) + "\n" + checked.stdout + measured.stdout)
            by_file = {}
            for line in measured.stdout.splitlines():
                fields = line.split("\t")
                by_file.setdefault(fields[0], []).append(Feature(fields[1:]))
            faces = [Face(path, by_file.get(path, [])) for path in files]
            compare_project(label, project, options, faces, checked.stdout.splitlines(), walls_covered, result)
            projects += 1
            programs += len(files)
            if label.startswith("random"):
                random_done += 1
    print(f"{projects} projects ({random_done} random), {programs} programs: {result.statements} sizes the check "
          f"states compared, largest deviation {result.largest:.3f} mm; {result.findings} findings of the "
          f"simulation the check covers, {len(result.disagreements)} disagreements")
    if result.largest_label:
        print(f"largest deviation: {result.largest_label}")
    for disagreement in result.disagreements:
        print("DISAGREEMENT: " + disagreement)
    if random_done < args.random:
        print(f"FAILED: only {random_done} random projects could be simulated")
        return 1
    return 1 if result.disagreements else 0


if __name__ == "__main__":
    sys.exit(main())
