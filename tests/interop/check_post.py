#!/usr/bin/env python3
"""Post-processes generated programs for LinuxCNC and GRBL and proves that
each controller takes the result as it is, with the original motion.

Programs: the every-section fixture and the example projects, run as the
rs274 interop check runs them; an edge-case project written here (a drill
equal to the bit and one below it, turned recess rows ending on the panel's
left edge, whose numbers come out with an exponent, names with UTF-8 bytes
and GRBL's real-time characters, a name too long for a line); and random
projects of the model comparison's generator, as many as write programs.
veskaro-post writes each folder for both controllers twice: as it is (into
the default folder beside the programs) and with --spindle, --dwell and
--plunge-feed (into a folder given with -o).

For every program written:
  - LinuxCNC: `rs274 -g` reads it without a single message; its canonical
    moves equal the original's one by one, zero-radius circles left out (kind,
    end and centre to 0.001 mm, feed, spindle), and its figures equal the
    preview's figures of the original, compared as check_rs274.py compares;
  - GRBL: a reader written from GRBL 1.1's rules (controllers.md) finds no
    real-time or non-printable byte, no line over 79 characters, no refused
    word (an exponent reads as an E word) and no refused arc or feed, and the
    moves it reads equal the original's the same way;
  - veskaro-preview reads it, and its figures equal the original's.
A program that the toolpath reader refuses (some random projects write
numbers beyond a kilometre) must be refused by veskaro-post with the
preview's very error line, and no file written.

Exit status 0 when everything passed, 1 otherwise, 77 (skipped) without
rs274, unless VESKARO_REQUIRE_RS274=1.
"""

import argparse
import glob
import itertools
import json
import math
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile
from collections import Counter, namedtuple

sys.dont_write_bytecode = True  # run from the build, leave the source tree clean
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "model"))
import check_rs274  # noqa: E402
import differential_test  # noqa: E402

TOLERANCE = 0.001  # mm
OPTIONS = {"spindle": 12000.0, "dwell": 1.5, "plunge-feed": 75.0}
CONTROLLERS = {"linuxcnc": ".ngc", "grbl": ".nc"}

# A move as a controller makes it: kind "rapid", "feed", "cw" or "ccw"; the
# start and end (x, y, z); the arc's centre (x, y); the feed (None for
# rapids); the spindle speed while it runs (None while it stands).
Move = namedtuple("Move", "kind start end centre feed spindle")


class Machine:
    """The modal state of a program read line by line: position, feed,
    spindle; collects the moves, dwells and spindle stops."""

    def __init__(self):
        self.at = (0.0, 0.0, 0.0)
        self.feed = None
        self.speed = 0.0
        self.spindle = None
        self.moves, self.dwells, self.events = [], [], []

    def move(self, kind, end, centre=None):
        feed = None if kind == "rapid" else self.feed
        self.moves.append(Move(kind, self.at, end, centre, feed, self.spindle))
        self.at = end

    def start_spindle(self, speed=None):
        self.speed = self.speed if speed is None else speed
        self.spindle = self.speed
        self.events.append(("start", len(self.moves)))

    def stop_spindle(self):
        self.spindle = None
        self.events.append(("stop", len(self.moves)))

    def block(self, command, words):
        """One line: command "G1", "M3"..., words {letter: value}.  Returns a
        refusal text or None."""
        if "F" in words:
            self.feed = words["F"]
        if command in ("G0", "G1", "G2", "G3"):
            end = tuple(words.get(a, self.at[n]) for n, a in enumerate("XYZ"))
            if command != "G0" and self.feed is None:
                return "error:22 feed rate not set"
            if command in ("G0", "G1"):
                self.move("rapid" if command == "G0" else "feed", end)
                return None
            centre = (self.at[0] + words.get("I", 0.0), self.at[1] + words.get("J", 0.0))
            self.move("cw" if command == "G2" else "ccw", end, centre)
            return arc_refusal(self.moves[-1], words)
        if command == "G4":
            self.dwells.append(words.get("P"))
        elif command in ("M3", "M4"):
            self.start_spindle(words.get("S"))
        elif command == "M5":
            self.stop_spindle()
        return None


def arc_refusal(arc, words):
    """GRBL's error:33 for an arc whose end lies off its circle."""
    if "I" not in words and "J" not in words:
        return "error:26 arc without I or J"
    radius = math.dist(arc.start[:2], arc.centre)
    off = abs(math.dist(arc.end[:2], arc.centre) - radius)
    if off > 0.005 and (off > 0.5 or off > 0.001 * radius):
        return f"error:33 arc end {off:.4f} mm off its circle"
    return None


def read_original(text):
    """The generator's own program: "#" header, ";" comments, one command
    first on each line, numbers as Python reads them (exponents too)."""
    machine = Machine()
    for number, line in enumerate(text.split("\n"), start=1):
        if number == 1 and line.startswith("#"):
            continue
        words = line.split(";")[0].split()
        if words:
            machine.block(words[0], {w[0]: float(w[1:]) for w in words[1:]})
    return machine


# ---------------------------------------------------------------------------
# GRBL 1.1, from its documented rules

REALTIME = {0x18, ord("?"), ord("~"), ord("!"), 0x84, 0x85, *range(0x90, 0x98), *range(0x99, 0x9F), 0xA0, 0xA1}
GRBL_LETTERS = set("GMFSTNIJKLPRXYZ")
GRBL_G = {"0", "1", "2", "3", "4", "10", "17", "18", "19", "20", "21", "28", "30", "38.2", "38.3", "38.4", "38.5",
          "40", "43.1", "49", "53", "54", "55", "56", "57", "58", "59", "61", "80", "90", "91", "91.1", "92", "93",
          "94"}
GRBL_M = {"0", "1", "2", "30", "3", "4", "5", "7", "8", "9", "56"}
GRBL_NUMBER = re.compile(r"[+-]?(\d+\.?\d*|\.\d+)")
GRBL_LINE = 79  # characters GRBL's line buffer keeps; veskaro-post keeps whole lines within it too


def grbl_stripped(raw):
    """The line as GRBL's serial reader keeps it: bytes above 0x7F and
    real-time bytes taken out, spaces, control bytes, "/" and comments
    dropped, letters upper-cased."""
    kept, parenthesis, semicolon = [], False, False
    for byte in raw:
        if byte > 0x7F or byte in REALTIME or semicolon:
            continue
        if parenthesis:
            parenthesis = byte != ord(")")
        elif byte == ord("("):
            parenthesis = True
        elif byte == ord(";"):
            semicolon = True
        elif byte > 0x20 and byte != ord("/"):
            kept.append(chr(byte).upper())
    return "".join(kept)


def grbl_words(line):
    """[(letter, number text)] as GRBL parses them, or a refusal."""
    words, at = [], 0
    while at < len(line):
        letter = line[at]
        if not "A" <= letter <= "Z":
            return None, f"error:1 expected a command letter at {line[at:]!r}"
        number = GRBL_NUMBER.match(line, at + 1)
        if not number:
            return None, f"error:2 bad number after {letter}"
        if letter not in GRBL_LETTERS:
            return None, f"error:20 unsupported word {letter}{number.group(0)}"
        words.append((letter, number.group(0)))
        at = number.end()
    return words, None


def grbl_block(machine, words):
    commands = [(l, float(t)) for l, t in words if l in "GM"]
    values = [(l, float(t)) for l, t in words if l not in "GM"]
    if len(commands) > 1 or len({l for l, _ in values}) < len(values):
        return "error:25 a word given twice"
    if not commands:
        return "no command on the line (the generator's programs have one on every line)"
    letter, value = commands[0]
    code = ("%g" % value)
    if code not in (GRBL_G if letter == "G" else GRBL_M):
        return f"error:20 unsupported command {letter}{code}"
    return machine.block(letter + code, dict(values))


def read_grbl(data):
    """Reads a program as GRBL 1.1 would; returns the machine and the
    refusals, "<line>: <what>"."""
    machine, problems, ended = Machine(), [], False
    for number, raw in enumerate(data.split(b"\n"), start=1):
        said = []
        bad = sorted({b for b in raw if b in REALTIME or b < 0x20 or b > 0x7E})
        if bad:
            said.append("real-time or non-printable bytes " + " ".join(f"0x{b:02X}" for b in bad))
        if len(raw) > GRBL_LINE:
            said.append(f"line of {len(raw)} characters, over {GRBL_LINE}")
        if re.search(rb"\d[eE][+-]?\d", raw.split(b";")[0]):
            said.append("a number with an exponent")
        line = grbl_stripped(raw)
        if len(line) > GRBL_LINE:
            said.append("error:11 line overflow")
        words, refusal = grbl_words(line)
        if refusal is None and words:
            refusal = "text after M30" if ended else grbl_block(machine, words)
            ended = ended or words[0] == ("M", "30")
        said += [refusal] if refusal else []
        problems += [f"{number}: {what}" for what in said]
    return machine, problems


# ---------------------------------------------------------------------------
# LinuxCNC, through rs274

CANON = re.compile(r"\b([A-Z_0-9]+)\(([^)]*)\)")


def read_rs274(rs274, path):
    """The canonical calls of `rs274 -g` as a machine; returns it and the
    refusals (anything rs274 says)."""
    run = subprocess.run([rs274, "-g", path], capture_output=True, text=True, errors="replace",
                         stdin=subprocess.DEVNULL, timeout=120)
    said = [line for line in run.stderr.splitlines() if line.strip() not in ("", "executing")]
    if run.returncode != 0 or said:
        return None, [f"rs274 exit status {run.returncode}: " + " | ".join(said or ["(no message)"])]
    machine, started = Machine(), False
    for name, text in CANON.findall(run.stdout):
        values = [float(v) for v in re.findall(r"-?\d+\.?\d*", text)]
        if name == "ON_RESET":
            started = True
        elif not started:
            continue
        elif name == "SET_G5X_OFFSET":
            break  # M30's reset follows
        elif name in ("STRAIGHT_TRAVERSE", "STRAIGHT_FEED"):
            machine.move("rapid" if name == "STRAIGHT_TRAVERSE" else "feed", tuple(values[:3]))
        elif name == "ARC_FEED":
            end_x, end_y, centre_x, centre_y, turn, end_z = values[:6]
            machine.move("cw" if turn < 0 else "ccw", (end_x, end_y, end_z), (centre_x, centre_y))
        elif name == "SET_FEED_RATE":
            machine.feed = values[0]
        elif name == "SET_SPINDLE_SPEED":
            machine.speed = values[1]
        elif name == "START_SPINDLE_CLOCKWISE":
            machine.start_spindle()
        elif name == "STOP_SPINDLE_TURNING":
            machine.stop_spindle()
        elif name == "DWELL":
            machine.dwells.append(values[0])
    return machine, []


def figures_of(machine):
    """check_rs274's figures of a move list, for its comparison with the
    preview's row."""
    figures = check_rs274.Figures()
    for move in machine.moves:
        if move.kind == "rapid":
            figures.rapid_move(move.start, move.end)
        elif move.kind == "feed":
            figures.feed_move(move.start, move.end)
        else:
            figures.full_circle(move.start, move.end, move.centre)
    return figures


# ---------------------------------------------------------------------------
# The original's motion, as each output must make it


def is_zero_circle(move):
    return move.kind in ("cw", "ccw") and move.centre == move.start[:2] and move.end == move.start


def expected_moves(original, options):
    """The original's moves without zero-radius circles; with the options,
    Z-only cuts at the plunge feed and the spindle on from the first move
    that is not a lift."""
    moves = [m for m in original.moves if not is_zero_circle(m)]
    if not options:
        return moves
    first = next((n for n, m in enumerate(moves) if m.kind != "rapid" or m.start[:2] != m.end[:2]), len(moves))
    expected = []
    for n, move in enumerate(moves):
        z_only = move.kind == "feed" and move.start[:2] == move.end[:2] and move.start[2] != move.end[2]
        expected.append(move._replace(feed=OPTIONS["plunge-feed"] if z_only else move.feed,
                                      spindle=OPTIONS["spindle"] if n >= first else None))
    return expected


def near(a, b):
    if a is None or b is None:
        return a is None and b is None
    return all(abs(p - q) <= TOLERANCE for p, q in zip(a, b))


def motion_problems(expected, machine, options):
    if len(expected) != len(machine.moves):
        return [f"{len(machine.moves)} moves, the original makes {len(expected)}"]
    for n, (want, got) in enumerate(zip(expected, machine.moves)):
        feeds = (want.feed,) if want.feed else None, (got.feed,) if got.feed else None
        same = (want.kind == got.kind and near(want.end, got.end) and near(want.centre, got.centre)
                and near(*feeds) and want.spindle == got.spindle)
        if not same:
            return [f"move {n + 1}: {got}, the original's is {want}"]
    dwells = [OPTIONS["dwell"]] if options else []
    stops = [("stop", len(expected))] if options else []
    problems = [] if machine.dwells == dwells else [f"dwells {machine.dwells}, expected {dwells}"]
    if [e for e in machine.events if e[0] == "stop"] != stops:
        problems.append(f"spindle events {machine.events}, expected a stop after the last move")
    return problems


def preview_rows(preview, folder):
    """veskaro-preview --tsv of a folder: rows by program name, and its error lines."""
    run = subprocess.run([preview, "--tsv", folder], capture_output=True, stdin=subprocess.DEVNULL, timeout=120)
    lines = run.stdout.decode().splitlines()
    header = lines[0].split("\t")
    rows = {os.path.basename(row["program"]): row for row in (dict(zip(header, l.split("\t"))) for l in lines[1:])}
    errors = [l for l in run.stderr.decode(errors="replace").splitlines() if l.startswith("Error: ")]
    return rows, errors


def row_problems(original, output, options):
    skipped = {"program", "zero_radius_arcs"} | ({"minutes"} if options else set())
    problems = [f"preview zero_radius_arcs {output['zero_radius_arcs']}"] if output["zero_radius_arcs"] != "0" else []
    for name, value in original.items():
        if name in skipped or value == output[name]:
            continue
        if value == "-" or output[name] == "-" or abs(float(value) - float(output[name])) > TOLERANCE:
            problems.append(f"preview {name}: {output[name]}, original {value}")
    return problems


# ---------------------------------------------------------------------------
# One folder of programs


class Tally:
    def __init__(self):
        self.originals, self.programs, self.lines, self.failed = Counter(), Counter(), Counter(), 0
        self.changes = Counter()

    def fail(self, label, problems):
        self.failed += 1
        print(f"FAIL {label}")
        for problem in problems[:6]:
            print(f"     {problem}")


SUMMARY = re.compile(r"^(.*) -> (.*): (.*)$")


def post(args, folder, controller, options, work):
    """Runs veskaro-post on the folder; returns (output folder, summary
    counts by program name, error lines)."""
    words = [args.post, "--controller", controller]
    out = os.path.join(folder, controller)
    if options:
        out = os.path.join(work, "post-" + controller)
        shutil.rmtree(out, ignore_errors=True)
        words += ["-o", out] + [f"--{name}={value:g}" for name, value in OPTIONS.items()]
    run = subprocess.run(words + [folder], capture_output=True, stdin=subprocess.DEVNULL, timeout=120)
    counts = {}
    for line in run.stdout.decode().splitlines():
        source, _, changes = SUMMARY.match(line).groups()
        counts[os.path.basename(source)] = Counter(
            {" ".join(c.split()[:-1]): int(c.split()[-1]) for c in changes.split(", ")})
    errors = run.stderr.decode(errors="replace").splitlines()
    return out, counts, errors


def check_output(rs274, original, output, options):
    """Problems of one written program, its bytes, and the machine that read it."""
    data = open(output, "rb").read()
    if output.endswith(".ngc"):
        machine, problems = read_rs274(rs274, output)
    else:
        machine, problems = read_grbl(data)
    if machine is not None:
        problems += motion_problems(expected_moves(original, options), machine, options)
    return problems, data, machine


def check_folder(args, rs274, label, folder, work, tally):
    rows, refusals = preview_rows(args.preview, folder)
    originals = sorted(glob.glob(os.path.join(folder, "*.nc")))
    for controller, extension in CONTROLLERS.items():
        for options in (False, True):
            out, counts, errors = post(args, folder, controller, options, work)
            variant = f"{label} {controller}{' with options' if options else ''}"
            if errors != refusals:
                tally.fail(variant, [f"veskaro-post said {errors}", f"the preview refused {refusals}"])
            out_rows = preview_rows(args.preview, out)[0] if counts else {}
            for path in originals:
                name = os.path.basename(path)
                target = os.path.join(out, name[:-3] + extension)
                if controller == "linuxcnc" and not options:
                    tally.originals["read" if name in rows else "refused"] += 1
                if name not in rows:
                    if os.path.exists(target):
                        tally.fail(f"{variant} {name}", ["written though the reader refuses it"])
                    continue
                text = open(path, encoding="utf-8", errors="replace").read()
                original = read_original(text)
                problems, data, machine = check_output(rs274, original, target, options)
                zero = sum(map(is_zero_circle, original.moves))
                if controller == "linuxcnc" and machine is not None:
                    problems += check_rs274.compare(rows[name], figures_of(machine), zero)
                out_row = out_rows.get(name[:-3] + extension)
                problems += row_problems(rows[name], out_row, options) if out_row else ["the preview did not read it"]
                if counts[name]["circles dropped"] != zero:
                    problems.append(f"summary says {counts[name]['circles dropped']} circles dropped, not {zero}")
                tally.programs[controller] += 1
                tally.lines[controller] += data.count(b"\n")
                tally.changes += counts[name]
                if problems:
                    tally.fail(f"{variant} {name}", problems)


# ---------------------------------------------------------------------------
# The projects

LONG_NAME = "a very long component name " * 12
EDGE_PROJECT = {
    "Generic": {"width": 12, "height": 8},
    "Edge_Main": {
        "Ösen": {"location_x": 2, "location_y": 2, "drill_diameter": 0.2},  # drill = bit: radius 0
        "Ä": {"location_x": 4, "location_y": 2, "drill_diameter": 0.1},  # drill < bit
        "fan!": {"location_x": 6, "location_y": 4, "visible_diameter": 2, "drill_diameter": 1.5},
        # Rows turned by quarter turns ending on the left edge: 4.76995e-08
        "what? ~": {"location_x": 0, "location_y": 5, "visible_width": 2, "visible_height": 1, "rotation": 90,
                    "drill_diameter": 0.4},
        "edge 270": {"location_x": 0, "location_y": 3, "visible_width": 1, "visible_height": 1, "rotation": 270,
                     "drill_width": 0.6, "drill_height": 0.4},
        LONG_NAME: {"location_x": 9, "location_y": 6, "drill_width": 1, "drill_height": 0.5, "rotation": 30},
    },
    "Edge_Bottom": {"中文": {"location_x": 0, "location_y": 3, "visible_width": 2, "visible_height": 2,
                            "rotation": 90, "drill_diameter": 0.3}},
}
EDGE_OPTIONS = "-t 3 -b 40 -d 1.5 -m 2 -f 300 -r 1.5 -e 3 -w 3 -i 6 -a 1".split()


def fixed_folders(args, work):
    """(label, folder of programs) of the fixture, the examples and the edge cases."""
    edge = os.path.join(work, "edge.json")
    with open(edge, "w", encoding="utf-8") as file:
        file.write(json.dumps(EDGE_PROJECT, ensure_ascii=False))
    for n, (project, options) in enumerate(check_rs274.standard_runs(args.source) + [(edge, EDGE_OPTIONS)]):
        out = os.path.join(work, f"fixed-{n}")
        run = subprocess.run([args.generator, "-j", project, "-o", out, *options], capture_output=True,
                             stdin=subprocess.DEVNULL, timeout=120)
        label = f"{os.path.basename(project)} {' '.join(options)}"
        yield label, run, os.path.join(out, os.path.splitext(os.path.basename(project))[0])


def random_folders(args, work):
    """(label, folder of programs) of random projects, until args.random of
    them wrote programs; a run that writes none (refused settings or
    project, --simulate) is passed over."""
    written = seed = 0
    while written < args.random and seed < 20 * args.random:
        case = os.path.join(work, f"random-{seed}")
        os.makedirs(case)
        argv = differential_test.random_case(random.Random(args.seed * 1000003 + seed), case)
        seed += 1
        run = subprocess.run([args.generator] + argv, cwd=case, capture_output=True, stdin=subprocess.DEVNULL,
                             timeout=120)
        programs = glob.glob(os.path.join(case, "**", "*.nc"), recursive=True)
        if run.returncode == 0 and programs:
            written += 1
            yield f"random project, seed {seed - 1}", run, os.path.dirname(programs[0])


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    for name in ("generator", "preview", "post"):
        parser.add_argument("--" + name, required=True, help=f"path of veskaro-{name}")
    parser.add_argument("--source", required=True, help="the project's source folder")
    parser.add_argument("--random", type=int, default=100, help="random projects that write programs")
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    for name in ("generator", "preview", "post", "source"):
        setattr(args, name, os.path.abspath(getattr(args, name)))
    sys.stdout.reconfigure(line_buffering=True)
    rs274, status = check_rs274.find_rs274()
    if rs274 is None:
        return status

    tally, projects = Tally(), 0
    with tempfile.TemporaryDirectory(prefix="veskaro-post-") as work:
        os.environ["HOME"] = work  # rs274 maps $HOME/.tool.mmap: a HOME per concurrent run
        for label, run, folder in itertools.chain(fixed_folders(args, work), random_folders(args, work)):
            print(f"== {label}")
            if run.returncode != 0:
                tally.fail(label, [f"generator status {run.returncode}: {run.stderr.decode(errors='replace')}"])
                continue
            projects += 1
            check_folder(args, rs274, label, folder, work, tally)
    print(f"{projects} projects ({args.random} random)")
    print(f"generated programs: {tally.originals['read']} read by the toolpath reader, "
          f"{tally.originals['refused']} refused by it and by veskaro-post alike")
    for controller in CONTROLLERS:
        print(f"{controller}: {tally.programs[controller]} programs written (plain and with the options) "
              f"and read back, {tally.lines[controller]} lines")
    print("changes: " + ", ".join(f"{name} {count}" for name, count in sorted(tally.changes.items())))
    # The cases the check exists for must have come up.
    for change in ("numbers rewritten", "circles dropped", "comment bytes replaced", "comments shortened",
                   "feeds written"):
        if tally.changes[change] == 0:
            tally.fail("coverage", [f"no program had {change}"])
    print(f"refusals and differences: {tally.failed}")
    return 0 if tally.failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
