#!/usr/bin/env python3
"""Differential test: random box projects and settings, run through
veskaro-gcode and through the reference model in gcode_model.py; stdout,
stderr, exit status and every file left in the folder must agree byte for
byte.

    differential_test.py --binary build/veskaro-gcode [--cases 300] [--seed 1]

Each case runs in its own temporary folder.  On a difference the case's
project, command line and the first differing line (with context) are printed;
--keep leaves the folders of failing cases in place.  Exit status 0 when every
case agrees, 1 otherwise.
"""

import argparse
import json
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # run from the build, leave the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gcode_model as model  # noqa: E402

# ---------------------------------------------------------------------------
# Value pools, as JSON or option text: typical values, integers written as
# floats and the other way round, values below the bit, zero, negative zero,
# negatives, and sizes that come out just off a multiple of the step.

LOCATIONS = ["0", "1", "2", "2.5", "5", "4", "7.25", "10", "12.345", "-1", "-0.0",
             "3e0", "0.001", "15.5", "19.99", "8", "5.0", "50e-1", "0.15", "1.005"]
HUGE = ["1e6", "123456.789", "1e15", "-2.5e10", "1e30", "9007199254740993",
        "18446744073709551615", "-9223372036854775808", "99999999999999999999",
        "16777217", "-3.4e37", "1152921573326323713", "-1152921573326323713",
        "1e-40", "1.0000001e10"]
SIZES = ["0", "-1", "-0.5", "0.05", "0.1", "0.2", "0.3", "0.35", "0.5", "0.8", "1",
         "1.2", "1.5", "2", "2.54", "3", "3.175", "0.7", "4", "1e0", "2.0", "25e-2",
         "0.45", "0.9", "-0.0", "0.3175", "0.15"]
ROTATIONS = ["0", "30", "45", "90", "-90", "180", "370", "0.5", "270", "-45", "1e-3",
             "720", "12.34", "-0.0", "360", "89.999", "-180", "135", "1e10", "-1e20",
             "3.4e38", "1e-45", "90.0", "-270"]
BOX = ["20", "10", "0", "-5", "12.5", "7", "30.48", "1e6", "3e1", "15.25", "-0.0", "0.1"]

THICKNESS = ["3", "3.2", "3.5", "0.7", "1", "6", "4.5", "3.175", "2.9", "0.3", "-1",
             "0", "5.08", "3.0", "1.6"]
DEPTH = ["1.5", "0.7", "0.4", "0.3", "0.1", "3.175", "1", "2", "0.2", "5", "0.25",
         "1.2", "0.33", "1e0"]
BITS = ["0.5", "1", "2", "3", "3.175", "0.8", "6", "1.5", "2.5", "1e0", "0.75"]
ANY_BIT = BITS + ["0", "-1", "-0"]
FEEDS = ["3.4e38", "+250", ".5", "100.", "100", "300", "1500", "0.5", "1e6", "1234.567", "99.99", "1e-3", "2500", "600"]
BOX_HEIGHTS = ["50", "0", "-10", "60.5", "1e6", "100", "33.3", "3", "45.72"]
SCREWS = ["0", "4", "3", "-1", "2.5", "8", "3.175", "0.5", "5"]
HEADS = ["0", "6", "8", "2", "1", "3.9", "4.5", "12", "2.2"]
HEAD_HEIGHTS = ["0", "2", "1", "0.5", "3.3", "1.5", "0.2", "0.7", "3", "4.5"]
MARGINS = ["0", "1", "-1", "2.5", "0.3", "-0"]
RECESS = ["-0", "0.5", "1", "1.5", "3", "-1", "0.3", "0.7", "2", "0.4"]

FACE_NAMES = ["Box_Main", "Box_Top", "Box_Bottom", "Box_Back", "Box_Front", "Box_Left",
              "Box_Right", "X_Main_Bottom", "Box_Back_Top", "a_Back", "A_Top", "B_Main",
              "_", "box_main", "Lid_Top", "Base_Bottom", "Z_Front", "Panel_Main",
              "\u00e9_Front", "Face_1", "Box_Main.v2", "side panel_Left", "b_Front_Bottom",
              "Generic_Extra", "_Main", "x_main"]
DECOYS = ["Notes", "generic", "version", "Box-Main", "GENERIC", "Zeta"]
PART_NAMES = ["fan", "Fan", "switch", "display", "knob", "b", "A", "a", "B", "led 1",
              "usb-c", "Z", "_x", "\u00fcmlaut", "10", "9", "x.y", "knob10", "knob2",
              'say "hi"', "back\\slash", "\u4e2d\u6587", "\u00e4", "a_b", "\u03a9",
              "Display", "jack", "power switch", "0", "",
              "a very long component name " * 40]


def decimal(rng, low, high, digits):
    return "%.*f" % (digits, rng.uniform(low, high))


def location(rng):
    r = rng.random()
    if r < 0.05:
        return rng.choice(HUGE)
    if r < 0.5:
        return rng.choice(LOCATIONS)
    return decimal(rng, -1, 25, rng.choice([0, 1, 2, 3, 6]))


def size(rng, big):
    """A component size in cm; `big` allows the occasional large pocket."""
    if rng.random() < 0.6:
        return rng.choice(SIZES)
    return decimal(rng, 0, 6 if big else 3, rng.choice([1, 2, 3]))


def json_text(value, rng):
    """JSON text of nested dicts/lists whose numbers are already text
    (wrapped in Raw), with keys in random file order and random spacing."""
    sp = rng.choice(["", " ", "\n  "])
    if isinstance(value, Raw):
        return value.text
    if isinstance(value, dict):
        items = list(value.items())
        rng.shuffle(items)
        if items and rng.random() < 0.02:
            items.insert(0, (items[-1][0], Raw("0")))  # a duplicate key: the last one counts
        return "{" + ("," + sp).join(
            json.dumps(k, ensure_ascii=rng.random() < 0.5) + ":" + sp + json_text(v, rng)
            for k, v in items) + "}"
    if isinstance(value, list):
        return "[" + ("," + sp).join(json_text(v, rng) for v in value) + "]"
    return json.dumps(value)


class Raw:
    def __init__(self, text):
        self.text = text


def component(rng, big):
    comp = {"location_x": Raw(location(rng)), "location_y": Raw(location(rng))}
    for prefix in ("visible", "drill"):
        shape = rng.choice(["none", "circle", "rect", "rect", "both", "partial", "tiny"])
        if shape in ("circle", "both"):
            comp[prefix + "_diameter"] = Raw(size(rng, big))
        if shape in ("rect", "both"):
            comp[prefix + "_width"] = Raw(size(rng, big))
            comp[prefix + "_height"] = Raw(size(rng, big))
        if shape == "partial":
            comp[prefix + rng.choice(["_width", "_height"])] = Raw(size(rng, big))
        if shape == "tiny":
            comp[prefix + "_diameter"] = Raw(rng.choice(["0", "-1", "0.2", "0.3", "1e-9"]))
    if rng.random() < 0.08:
        # on the face's left edge and turned by quarter turns: residues of
        # the turn come out as tiny numbers (-0.00, 4.37114e-08)
        comp["location_x"] = Raw("0")
        comp["rotation"] = Raw(rng.choice(["90", "180", "270", "-90"]))
    elif rng.random() < 0.6:
        comp["rotation"] = Raw(rng.choice(ROTATIONS) if rng.random() < 0.8
                               else decimal(rng, -400, 400, 2))
    if rng.random() < 0.15:
        comp[rng.choice(["name", "note", "colour"])] = rng.choice(["text", None, [1, 2], True])
    return comp


def face_value(rng, unread_ok):
    big = rng.random() < 0.1
    r = rng.random()
    if r < 0.06:
        return None
    if r < 0.15:
        return [component(rng, big) for _ in range(rng.randint(0, 12))]
    if unread_ok and r < 0.2:
        return rng.choice(["a string", 5, True, [1, "x"]])
    names = rng.sample(PART_NAMES, rng.randint(0, 6))
    return {n: component(rng, big) for n in names}


def option(rng, short, long, value):
    """One option in one of the spellings the parser accepts."""
    form = rng.randrange(4)
    if form == 0:
        return ["-" + short, value]
    if form == 1:
        return ["-" + short + value]
    if form == 2:
        return ["--" + long + "=" + value]
    return ["--" + long, value]


def settings(rng):
    chosen = {
        "material-thickness": rng.choice(THICKNESS),
        "box-height-3d": rng.choice(BOX_HEIGHTS),
        "cut-depth-per-pass": rng.choice(DEPTH),
    }
    optional = {
        "bit-diameter": ANY_BIT, "feedrate": FEEDS, "screw-size-top": SCREWS,
        "screw-size-bottom": SCREWS, "screw-head-diameter": HEADS,
        "screw-head-height": HEAD_HEIGHTS, "screw-extra-margin": MARGINS,
    }
    for name, pool in optional.items():
        if rng.random() < 0.5:
            chosen[name] = rng.choice(pool)
    if rng.random() < 0.4:
        chosen["recess-depth"] = rng.choice(RECESS)
    if rng.random() < 0.03:
        # a sheet so thick that its digits overflow any fixed width
        chosen["material-thickness"], chosen["cut-depth-per-pass"] = "3e30", "7e29"
    f = {k: model.option_float(v) for k, v in chosen.items()}
    bit = f.get("bit-diameter", 0.0)
    screws = f.get("screw-size-top", 0.0) > 0 or f.get("screw-size-bottom", 0.0) > 0
    head = model.sub(f.get("screw-head-diameter", 0.0), model.div(bit, 2.0))
    if bit <= 0 and (f.get("recess-depth", 0.0) > 0 or (screws and head > 0)):
        chosen["bit-diameter"] = rng.choice(BITS)  # the program refuses a bit of 0 here
    return chosen


def random_case(rng, workdir):
    """Writes a project under `workdir`; returns the argument vector."""
    chosen = settings(rng)
    flags = []
    for long, short in (("outer-sizing", "z"), ("simulate", "s")):
        r = rng.random()
        if r < 0.15:
            flags.append(["-" + short])
        elif r < 0.25:
            flags.append(["--%s=%s" % (long, rng.choice(["true", "True", "1", "t", "false", "F", "0"]))])
    components_on = True
    for long, short in (("outline", "l"), ("components", "c")):
        r = rng.random()
        if r < 0.25:
            value = rng.choice(["false", "False", "0", "f", "true", "T", "1"])
            flags.append(["--%s=%s" % (long, value)])
            if long == "components":
                components_on = model.option_bool(value)
        elif r < 0.3:
            flags.append(["-" + short, "false"])  # a stray word: the flag stays on
    unread_ok = not components_on and model.option_float(chosen.get("recess-depth", "0")) == 0

    doc = {}
    if rng.random() < 0.95:
        generic = {"width": Raw(rng.choice(BOX)), "height": Raw(rng.choice(BOX))}
        if rng.random() < 0.1:
            generic["depth"] = Raw("4")
        doc["Generic"] = generic
    for name in rng.sample(FACE_NAMES, rng.randint(0, 6)):
        doc[name] = face_value(rng, unread_ok)
    for name in rng.sample(DECOYS, rng.randint(0, 2)):
        doc[name] = rng.choice([1, "text", None, [1, 2], {"x": "y"}])
    text = json_text(doc, rng)
    r = rng.random()
    if r < 0.03:
        text = json_text([doc, 1], rng)  # a document that is not an object
    elif r < 0.05:
        text += "\n trailing words after the document"
    elif r < 0.07:
        text = "\ufeff" + text  # a UTF-8 byte order mark

    json_file = rng.choice(["box.json", "box.json", "in/my.box.json", "src/project",
                            "in/sub/Enclosure v2.json", "@ABS@/in/abs.json",
                            "in/.hidden.json", "in/trailing."])
    json_file = json_file.replace("@ABS@", workdir)
    path = os.path.join(workdir, json_file)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)
    with open(os.path.join(workdir, "case.txt"), "w", encoding="utf-8") as f:
        f.write(json_file + ":\n" + text)

    out_dir = rng.choice([".", ".", "out", "out/", "./", "a/b", "@ABS@/abs out", "in", "out//", "@ABS@/abs out/"])
    out_dir = out_dir.replace("@ABS@", workdir)
    words = [option(rng, "j", "json-file", json_file), option(rng, "o", "output-directory", out_dir)]
    for name, value in chosen.items():
        words.append(option(rng, model.OPTIONS[name][0], name, value))
    words += flags
    rng.shuffle(words)
    if rng.random() < 0.05:
        # an option given twice: the last one counts
        name = rng.choice(sorted(chosen))
        words.insert(0, option(rng, model.OPTIONS[name][0], name, rng.choice(DEPTH)))
    return [w for group in words for w in group]


# ---------------------------------------------------------------------------
# Running and comparing


def snapshot(folder):
    """Relative path -> file bytes (None for a folder)."""
    tree = {}
    for root, dirs, files in os.walk(folder):
        for d in dirs:
            tree[os.path.relpath(os.path.join(root, d), folder)] = None
        for f in files:
            with open(os.path.join(root, f), "rb") as fh:
                tree[os.path.relpath(os.path.join(root, f), folder)] = fh.read()
    return tree


def expected_tree(before, outcome, folder):
    tree = dict(before)
    for created in outcome.folders:
        rel = os.path.relpath(os.path.normpath(created), folder)
        while rel not in ("", "."):
            tree.setdefault(rel, None)
            rel = os.path.dirname(rel)
    for path, data in outcome.files.items():
        tree[os.path.relpath(os.path.normpath(path), folder)] = data
    return tree


def first_difference(label, want, got):
    """Text showing the first differing line of two byte strings."""
    a = want.decode("utf-8", "replace").split("\n")
    b = got.decode("utf-8", "replace").split("\n")
    i = 0
    while i < min(len(a), len(b)) and a[i] == b[i]:
        i += 1
    lines = ["%s differs at line %d (model %d lines, program %d lines):" % (label, i + 1, len(a), len(b))]
    for j in range(max(0, i - 3), i):
        lines.append("    " + a[j])
    lines.append("  model:   " + (repr(a[i]) if i < len(a) else "<end>"))
    lines.append("  program: " + (repr(b[i]) if i < len(b) else "<end>"))
    return "\n".join(lines)


def compare(outcome, proc, before, after, folder):
    problems = []
    if outcome.status != proc.returncode:
        problems.append("exit status: model %d, program %d" % (outcome.status, proc.returncode))
    for label, want, got in (("stdout", outcome.stdout, proc.stdout),
                             ("stderr", outcome.stderr, proc.stderr)):
        if want != got:
            problems.append(first_difference(label, want, got))
    want_tree = expected_tree(before, outcome, folder)
    for rel in sorted(set(want_tree) | set(after)):
        if rel not in after:
            problems.append("missing from the program's output: " + rel)
        elif rel not in want_tree:
            problems.append("not expected by the model: " + rel)
        elif want_tree[rel] != after[rel]:
            if want_tree[rel] is None or after[rel] is None:
                problems.append("folder/file mismatch: " + rel)
            else:
                problems.append(first_difference(rel, want_tree[rel], after[rel]))
    return problems


def identity_of(binary):
    """The banner's ownership line and the web address are the program's own
    choice: read them from one run."""
    with tempfile.TemporaryDirectory() as folder:
        with open(os.path.join(folder, "p.json"), "w") as f:
            f.write('{"Generic": {"width": 1, "height": 1}, "P_Main": {}}')
        proc = subprocess.run([binary, "-j", "p.json", "-o", ".", "-t", "1", "-b", "1", "-d", "1"],
                              cwd=folder, capture_output=True, timeout=60)
        owner = proc.stdout.decode("utf-8").split("\n")[1]
        with open(os.path.join(folder, "p", "P_Main.nc"), encoding="utf-8") as f:
            header = f.readline().rstrip("\n")
    prefix = "# Created with VESKARO G-Code Generator - "
    if not header.startswith(prefix):
        raise SystemExit("unexpected header line: " + header)
    return {"owner": owner, "website": header[len(prefix):]}


def run_case(binary, identity, seed, keep):
    rng = random.Random(seed)
    folder = tempfile.mkdtemp(prefix="veskaro-diff-")
    folder = os.path.realpath(folder)
    try:
        argv = random_case(rng, folder)
        before = snapshot(folder)
        try:
            proc = subprocess.run([binary] + argv, cwd=folder, capture_output=True, timeout=120)
        except subprocess.TimeoutExpired:
            return ["program timed out"], argv, folder
        after = snapshot(folder)
        try:
            outcome = model.run([binary] + argv, folder, identity)
        except Exception as e:  # the generator made a case outside the model
            return ["model failed: %r" % (e,)], argv, folder
        return compare(outcome, proc, before, after, folder), argv, folder
    finally:
        if not keep:
            shutil.rmtree(folder, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--binary", required=True)
    parser.add_argument("--cases", type=int, default=300)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--keep", action="store_true", help="keep the folders of failing cases")
    parser.add_argument("--max-failures", type=int, default=5)
    args = parser.parse_args()

    binary = os.path.abspath(args.binary)
    identity = identity_of(binary)
    started = time.time()
    failures = 0
    for n in range(args.cases):
        seed = args.seed * 1000003 + n
        problems, argv, folder = run_case(binary, identity, seed, keep=True)
        if problems:
            failures += 1
            print("=== case seed %d differs" % seed)
            print("command: veskaro-gcode " + " ".join(repr(a) for a in argv))
            print("folder: " + (folder if args.keep else "(removed)"))
            with open(os.path.join(folder, "case.txt"), encoding="utf-8") as f:
                print("project " + f.read()[:3000])
            for p in problems[:4]:
                print(p)
            if failures >= args.max_failures:
                break
        if not (problems and args.keep):
            shutil.rmtree(folder, ignore_errors=True)
    ran = n + 1 if args.cases else 0
    print("%d cases, %d differing, %.1f s" % (ran, failures, time.time() - started))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
