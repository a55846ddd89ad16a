#!/usr/bin/env python3
"""Reads every generated face program with LinuxCNC's RS274/NGC interpreter.

For the example projects and for a project that uses every section on every
face kind, the generator writes the face programs; each program goes through
`rs274 -g`, which prints the canonical machine moves it would make.  The check
asserts that the interpreter reports no error and that the moves it makes are
the moves veskaro-preview reads from the same file: the same number of each
kind, the same extents of the cutting and of the rapid moves, the same deepest
Z to 0.001 mm, and the same path lengths to 0.001 mm plus 0.0001 mm a move.

LinuxCNC refuses two things the programs carry on purpose, so exactly those
lines are dropped before the file is handed over, and counted:
  - the "#" comment on the first line ("#" starts a parameter there);
  - a full circle of radius 0 ("G2 ... I-0.00 J0" or "I0.00"), which the
    programs keep where a ring or hole comes out at radius 0 ("Zero-radius
    arc" there; GRBL takes it).
Nothing else is touched.

Exit status: 0 when every program passed, 1 when one did not, 77 (skipped)
when rs274 is not installed; set VESKARO_REQUIRE_RS274=1 to turn that into a
failure, as CI does.
"""

import argparse
import glob
import math
import os
import re
import shlex
import shutil
import subprocess
import sys
import tempfile

SKIPPED = 77
TOLERANCE = 0.001  # mm

ZERO_CIRCLE = re.compile(r"^G[23] X\S+ Y\S+ I(-?0(\.0*)?) J(-?0(\.0*)?)( |$)")
CANON = re.compile(r"\b(STRAIGHT_TRAVERSE|STRAIGHT_FEED|ARC_FEED)\(([^)]*)\)")


def generator_options(words):
    """Generator options less the project file and the output folder."""
    kept = []
    skip = False
    for word in words:
        if skip:
            skip = False
        elif word in ("-j", "--json-file", "-o", "--output-directory"):
            skip = True
        else:
            kept.append(word)
    return kept


def example_options(makefile):
    """The generator options of `make run`."""
    text = open(makefile, encoding="utf-8").read().replace("\\\n", " ")
    match = re.search(r"^EXAMPLE_ARGS\s*=\s*(.*)$", text, re.MULTILINE)
    if not match:
        raise SystemExit(f"no EXAMPLE_ARGS in {makefile}")
    return generator_options(shlex.split(match.group(1)))


def standard_runs(source):
    """(project, generator options) of the every-section fixture and the examples."""
    # A project with every section on every face kind, with its own options,
    # then with outer sizing, then without the outline, which spans the whole
    # face and would hide the extents of everything inside it.
    fixture = os.path.join(source, "tests", "fixtures", "every_section")
    with open(os.path.join(fixture, "args.txt"), encoding="utf-8") as file:
        options = generator_options(shlex.split(file.read()))
    project = os.path.join(fixture, "project.json")
    runs = [(project, options), (project, options + ["-z"]), (project, options + ["--outline=false"])]
    # The example projects as `make run` cuts them, and with outer sizing.
    options = example_options(os.path.join(source, "Makefile"))
    for example in sorted(glob.glob(os.path.join(source, "examples", "*.json"))):
        runs += [(example, options), (example, options + ["-z"])]
    return runs


def for_linuxcnc(text):
    """The program without the two constructs LinuxCNC refuses, and their counts."""
    kept, headers, zero_circles = [], 0, 0
    for number, line in enumerate(text.split("\n"), start=1):
        if number == 1 and line.startswith("#"):
            headers += 1
        elif ZERO_CIRCLE.match(line):
            zero_circles += 1
        else:
            kept.append(line)
    return "\n".join(kept), headers, zero_circles


class Figures:
    """Extents, lengths and counts of the canonical moves, as the preview gives them."""

    def __init__(self):
        self.cut = None
        self.rapid = None
        self.deepest_z = 0.0
        self.cutting_length = 0.0
        self.rapid_length = 0.0
        self.counts = {"rapid_moves": 0, "feed_moves": 0, "arc_moves": 0}

    @staticmethod
    def _grow(box, x, y):
        if box is None:
            return [x, x, y, y]
        return [min(box[0], x), max(box[1], x), min(box[2], y), max(box[3], y)]

    def rapid_move(self, start, end):
        self.rapid = self._grow(self._grow(self.rapid, *start[:2]), *end[:2])
        self.rapid_length += math.dist(start, end)
        self.counts["rapid_moves"] += 1

    def feed_move(self, start, end):
        self.cut = self._grow(self._grow(self.cut, *start[:2]), *end[:2])
        self.deepest_z = min(self.deepest_z, start[2], end[2])
        self.cutting_length += math.dist(start, end)
        self.counts["feed_moves"] += 1

    def full_circle(self, start, end, centre):
        radius = math.dist(start[:2], centre)
        for x, y in ((centre[0] - radius, centre[1] - radius), (centre[0] + radius, centre[1] + radius)):
            self.cut = self._grow(self.cut, x, y)
        self.deepest_z = min(self.deepest_z, start[2], end[2])
        self.cutting_length += math.hypot(2 * math.pi * radius, end[2] - start[2])
        self.counts["arc_moves"] += 1


def interpret(rs274, path):
    """Runs the interpreter; returns (figures, problems)."""
    run = subprocess.run([rs274, "-g", path], capture_output=True, text=True, errors="replace",
                         stdin=subprocess.DEVNULL, timeout=120)
    problems = []
    said = [line for line in run.stderr.splitlines() if line.strip() not in ("", "executing")]
    if run.returncode != 0 or said:
        problems.append(f"rs274 exit status {run.returncode}: " + " | ".join(said or ["(no message)"]))
        return None, problems
    figures = Figures()
    at = (0.0, 0.0, 0.0)  # the interpreter starts at the origin, as the preview does
    for line in run.stdout.splitlines():
        match = CANON.search(line)
        if not match:
            continue
        kind = match.group(1)
        values = [float(v) for v in match.group(2).split(",")]
        if kind == "ARC_FEED":
            end_x, end_y, centre_x, centre_y, turn, end_z = values[:6]
            end = (end_x, end_y, end_z)
            # The programs cut clockwise full circles only: one clockwise turn
            # back to the start point.
            if turn != -1 or abs(end_x - at[0]) > TOLERANCE or abs(end_y - at[1]) > TOLERANCE:
                problems.append(f"{line.strip()}: not one clockwise full circle from {at[:2]}")
            figures.full_circle(at, end, (centre_x, centre_y))
        else:
            end = tuple(values[:3])
            if kind == "STRAIGHT_TRAVERSE":
                figures.rapid_move(at, end)
            else:
                figures.feed_move(at, end)
        at = end
    return figures, problems


def preview_figures(preview, folder):
    """veskaro-preview's figures of every program in the folder, by file name."""
    run = subprocess.run([preview, "--tsv", folder], capture_output=True, text=True, stdin=subprocess.DEVNULL,
                         timeout=120)
    if run.returncode != 0:
        raise RuntimeError(f"veskaro-preview failed on {folder}: {run.stderr.strip()}")
    lines = run.stdout.splitlines()
    header = lines[0].split("\t")
    rows = {}
    for line in lines[1:]:
        row = dict(zip(header, line.split("\t")))
        rows[os.path.basename(row["program"])] = row
    return rows


def compare(ours, theirs, zero_circles):
    """Differences between the preview's row and the interpreter's figures."""
    problems = []

    # rs274 prints coordinates to 0.0001 mm; the programs' general-form
    # numbers carry more digits, so a length summed over many moves may drift
    # by up to that much per move.
    moves = sum(theirs.counts.values())
    length_tolerance = TOLERANCE + 0.0001 * moves

    def near(name, expected, tolerance=TOLERANCE):
        value = ours[name]
        if value == "-" or expected is None:
            if not (value == "-" and expected is None):
                problems.append(f"{name}: preview {value}, rs274 {expected}")
        elif abs(float(value) - expected) > tolerance:
            problems.append(f"{name}: preview {value}, rs274 {expected:.4f}")

    for prefix, box in (("cut", theirs.cut), ("rapid", theirs.rapid)):
        for index, side in enumerate(("x_min", "x_max", "y_min", "y_max")):
            near(f"{prefix}_{side}", None if box is None else box[index])
    near("deepest_z", theirs.deepest_z)
    near("cutting_length", theirs.cutting_length, length_tolerance)
    near("rapid_length", theirs.rapid_length, length_tolerance)
    for name, count in theirs.counts.items():
        if int(ours[name]) != count:
            problems.append(f"{name}: preview {ours[name]}, rs274 {count}")
    if int(ours["zero_radius_arcs"]) != zero_circles:
        problems.append(f"zero-radius circles: preview {ours['zero_radius_arcs']}, dropped {zero_circles}")
    return problems


def extents_text(box):
    if box is None:
        return "none"
    return f"X {box[0]:.3f}..{box[1]:.3f} Y {box[2]:.3f}..{box[3]:.3f}"


def check_run(args, rs274, project, options, work):
    """Generates one project's programs and checks each; returns (passed, failed)."""
    stem = os.path.splitext(os.path.basename(project))[0]
    label = f"{os.path.relpath(project, args.source)} {' '.join(options)}"
    print(f"== {label}")
    out = os.path.join(work, "out")
    if os.path.isdir(out):
        shutil.rmtree(out)
    run = subprocess.run([args.generator, "-j", os.path.abspath(project), "-o", "out", *options], cwd=work,
                         capture_output=True, text=True, stdin=subprocess.DEVNULL, timeout=120)
    folder = os.path.join(out, stem)
    programs = sorted(glob.glob(os.path.join(folder, "*.nc")))
    if run.returncode != 0 or not programs:
        print(f"FAIL {label}: generator status {run.returncode}, {len(programs)} programs\n{run.stderr}")
        return 0, 1
    rows = preview_figures(args.preview, folder)
    passed = failed = 0
    for program in programs:
        name = os.path.basename(program)
        text, headers, zero_circles = for_linuxcnc(open(program, encoding="utf-8", errors="replace").read())
        handed = os.path.join(work, stem + "-" + name.replace(".nc", ".ngc"))
        with open(handed, "w", encoding="utf-8") as file:
            file.write(text)
        theirs, problems = interpret(rs274, handed)
        if headers != 1:
            problems.append(f"{headers} '#' header lines, expected 1")
        if theirs is not None:
            problems += compare(rows[name], theirs, zero_circles)
        dropped = f"dropped header {headers}, zero-radius circles {zero_circles}"
        if problems:
            failed += 1
            print(f"FAIL {stem}/{name} ({dropped})")
            for problem in problems:
                print(f"     {problem}")
        else:
            passed += 1
            moves = sum(theirs.counts.values())
            print(f"ok   {stem}/{name}: {moves} moves, {dropped}; cutting {extents_text(theirs.cut)}, "
                  f"deepest Z {theirs.deepest_z:.3f}")
    return passed, failed


def find_rs274():
    """rs274's path; or None and the exit status to end with, said why."""
    rs274 = shutil.which("rs274")
    if rs274 is not None:
        return rs274, 0
    why = ("rs274 (LinuxCNC's G-code interpreter) is not installed; "
           "`scripts/install-deps linuxcnc-uspace` installs it")
    if os.environ.get("VESKARO_REQUIRE_RS274") == "1":
        print(f"FAILED: {why}, and VESKARO_REQUIRE_RS274=1 requires it")
        return None, 1
    print(f"SKIPPED: {why}")
    return None, SKIPPED


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--generator", required=True, help="path of veskaro-gcode")
    parser.add_argument("--preview", required=True, help="path of veskaro-preview")
    parser.add_argument("--source", required=True, help="the project's source folder")
    args = parser.parse_args()
    args.generator, args.preview, args.source = map(os.path.abspath, (args.generator, args.preview, args.source))
    sys.stdout.reconfigure(line_buffering=True)

    rs274, status = find_rs274()
    if rs274 is None:
        return status

    passed = failed = 0
    with tempfile.TemporaryDirectory(prefix="veskaro-rs274-") as work:
        # rs274 maps $HOME/.tool.mmap: runs that may overlap need a HOME each.
        os.environ["HOME"] = work
        for project, project_options in standard_runs(args.source):
            ok, bad = check_run(args, rs274, project, project_options, work)
            passed += ok
            failed += bad
    print(f"rs274 interop: {passed} passed, {failed} failed")
    return 0 if failed == 0 and passed > 0 else 1


if __name__ == "__main__":
    sys.exit(main())
