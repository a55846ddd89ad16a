"""Reference model of veskaro-gcode, written apart from the C++ sources.

Given the command line, the working folder and the project file, it tells what
the generator must print on stdout and stderr, its exit status, the folders it
creates and the bytes of every program file.  It covers valid runs only: the
option values are well formed, the depth per pass and the feed rate are
positive, the bit is positive wherever a recess steps by it, and every
component that gets read is an object with numeric locations.

Geometry is single precision throughout, rounded to float32 after every
operation in the order the machine code computes it.  A sum, difference,
product or quotient of two float32 values computed in double and then rounded
to float32 equals the float32 operation, so `f32(a + b)` is the float sum.
"""

import ctypes
import json
import math
import os
import struct
from fractions import Fraction

VERSION = "1.0.0"

# --------------------------------------------------------------------------
# Single-precision arithmetic

_FLOAT = struct.Struct("f")


def f32(x):
    """Round a double to the nearest float32 (overflow gives infinity)."""
    try:
        return _FLOAT.unpack(_FLOAT.pack(x))[0]
    except OverflowError:
        return math.copysign(math.inf, x)


def f32_exact(q, negative=False):
    """Round an exact rational to the nearest float32, ties to even.

    Used where C++ converts straight to float without a double in between:
    decimal option text (the stream reads it with strtof) and JSON integers
    (static_cast<float> of a 64-bit integer)."""
    if q == 0:
        return -0.0 if negative else 0.0
    sign = -1.0 if q < 0 else 1.0
    q = abs(q)
    e = q.numerator.bit_length() - q.denominator.bit_length()
    if Fraction(2) ** e > q:
        e -= 1
    e = max(e, -126)  # below that the spacing stays at 2^-149 (subnormals)
    mantissa = round(q / Fraction(2) ** (e - 23))  # round() on Fraction: ties to even
    value = math.ldexp(mantissa, e - 23) if e < 200 else math.inf
    return sign * (value if value <= 3.4028234663852886e38 else math.inf)


def add(a, b):
    return f32(a + b)


def sub(a, b):
    return f32(a - b)


def mul(a, b):
    return f32(a * b)


def div(a, b):
    return f32(a / b)


_libm = ctypes.CDLL("libm.so.6")
for _fn in (_libm.cosf, _libm.sinf):
    _fn.restype = ctypes.c_float
    _fn.argtypes = [ctypes.c_float]


def rotate_point(cx, cy, angle, px, py):
    """Turn (px, py) about (cx, cy) by `angle` degrees, clockwise for a
    positive angle with X right and Y up.  The negated angle goes to radians
    in double, then back to float for cosf/sinf."""
    theta = f32((-angle) * 3.141592653589793 / 180.0)
    dx = sub(px, cx)
    dy = sub(py, cy)
    c = _libm.cosf(theta)
    s = _libm.sinf(theta)
    x = sub(add(mul(c, dx), cx), mul(s, dy))
    y = add(add(mul(s, dx), cy), mul(c, dy))
    return x, y


# --------------------------------------------------------------------------
# Number text: a float32 widened to double, as a C stream prints it.


def fixed(x):
    """Fixed notation, two decimals, correctly rounded, ties to even."""
    return "%.2f" % x


def general(x):
    """The stream's default form: six significant digits, %g."""
    return "%g" % x


def yes_no(flag):
    return "Yes" if flag else "No"


# --------------------------------------------------------------------------
# Command line

# long name -> (short letter, is boolean, default text)
OPTIONS = {
    "json-file": ("j", False, None),
    "output-directory": ("o", False, None),
    "material-thickness": ("t", False, None),
    "box-height-3d": ("b", False, None),
    "cut-depth-per-pass": ("d", False, None),
    "bit-diameter": ("m", False, "0"),
    "outer-sizing": ("z", True, "false"),
    "recess-depth": ("r", False, "0"),
    "feedrate": ("f", False, "100"),
    "outline": ("l", True, "true"),
    "components": ("c", True, "true"),
    "screw-size-top": ("e", False, "0"),
    "screw-size-bottom": ("w", False, "0"),
    "screw-head-diameter": ("i", False, "0"),
    "screw-head-height": ("a", False, "0"),
    "screw-extra-margin": ("n", False, "0"),
    "simulate": ("s", True, "false"),
    "help": ("h", True, "false"),
}
_BY_SHORT = {short: name for name, (short, _, _) in OPTIONS.items()}


def parse_command_line(argv, stray=None):
    """Option texts by long name, for the forms a valid run uses: -x VALUE,
    -xVALUE, --name VALUE, --name=VALUE, grouped boolean letters (-zs),
    --flag and --flag=VALUE.  Words that no option reads are appended to
    `stray` with the word before them; a repeated option keeps its last
    value."""
    given = {}
    i = 1
    while i < len(argv):
        word = argv[i]
        if not word.startswith("-") and stray is not None:
            stray.append((word, argv[i - 1]))
        if word.startswith("--"):
            name, eq, value = word[2:].partition("=")
            if OPTIONS[name][1]:
                given[name] = value if eq else "true"
            elif eq:
                given[name] = value
            else:
                i += 1
                given[name] = argv[i]
        elif word.startswith("-") and len(word) > 1:
            letters = word[1:]
            for k, letter in enumerate(letters):
                name = _BY_SHORT[letter]
                if OPTIONS[name][1]:
                    given[name] = "true"
                    continue
                rest = letters[k + 1:]
                if rest:
                    given[name] = rest
                else:
                    i += 1
                    given[name] = argv[i]
                break
        i += 1
    texts = {name: default for name, (_, _, default) in OPTIONS.items()}
    texts.update(given)
    return texts


def option_float(text):
    """The stream reads a float option with strtof: straight to the nearest
    float32, no double in between."""
    text = text.strip()
    return f32_exact(Fraction(text), negative=text.startswith("-"))


def option_bool(text):
    return text in ("t", "T", "true", "True", "1")


SWITCH_VALUES = ("t", "T", "true", "True", "1", "f", "F", "false", "False", "0")


def flag_ending(word):
    """The long name of the flag that `word` switches on last, or None."""
    if word.startswith("--"):
        name = word[2:]
        return name if name in OPTIONS and OPTIONS[name][1] else None
    names = [_BY_SHORT.get(letter) for letter in word[1:]] if word.startswith("-") else []
    if names and all(n is not None and OPTIONS[n][1] for n in names):
        return names[-1]
    return None


def stray_message(word, before):
    """The refusal of the first word that no option reads."""
    message = "Argument '%s' is not read by any option" % word
    flag = flag_ending(before) if word in SWITCH_VALUES else None
    if flag:
        message += ": a flag takes a value only after an equals sign, as in '--%s=%s'" % (flag, word)
    return message


def option_error(message):
    result = Outcome()
    result.err = ["Error: " + message, "", "Use --help for usage information."]
    result.status = 1
    return result


class Settings:
    def __init__(self, texts):
        self.json_file = texts["json-file"]
        self.output_directory = texts["output-directory"]
        for name in ("bit-diameter", "material-thickness", "cut-depth-per-pass",
                     "box-height-3d", "feedrate", "screw-size-top",
                     "screw-size-bottom", "screw-head-diameter",
                     "screw-head-height", "screw-extra-margin", "recess-depth"):
            setattr(self, name.replace("-", "_"), option_float(texts[name]))
        for name in ("outer-sizing", "outline", "components", "simulate"):
            setattr(self, name.replace("-", "_"), option_bool(texts[name]))


def settings_report(s):
    return [
        "~~~~~ Settings ~~~~~",
        "Outer sizing enabled: " + yes_no(s.outer_sizing),
        "Components enabled: " + yes_no(s.components),
        "Side outline enabled: " + yes_no(s.outline),
        "Screw diameter top in mm: " + general(s.screw_size_top),
        "Screw diameter bottom in mm: " + general(s.screw_size_bottom),
        "Screw head diameter in mm: " + general(s.screw_head_diameter),
        "Screw head height in mm: " + general(s.screw_head_height),
        "Screw extra margin in mm: " + general(s.screw_extra_margin),
        "Recess depth in mm: " + general(s.recess_depth),
        "Feedrate: " + general(s.feedrate),
        "Bit diameter in mm: " + general(s.bit_diameter),
        "Material thickness in mm: " + general(s.material_thickness),
        "Depth per pass in mm: " + general(s.cut_depth_per_pass),
        "Box height in 3D in mm: " + general(s.box_height_3d),
        "Cut depth per pass in mm: " + general(s.cut_depth_per_pass),
        "Simulation enabled: " + yes_no(s.simulate),
        "======================",
    ]


# --------------------------------------------------------------------------
# Project document: JSON numbers as the JSON library holds them.  Integers
# that fit a 64-bit integer (signed, or unsigned when not negative) stay
# integers; any other number is a double.

def load_document(text):
    decoder = json.JSONDecoder(parse_int=int)
    if text.startswith("\ufeff"):
        text = text[1:]  # the JSON reader skips a UTF-8 byte order mark
    start = len(text) - len(text.lstrip(" \t\r\n"))
    value, _ = decoder.raw_decode(text, start)  # text after the value is not examined
    return value


def _is_library_integer(v):
    return isinstance(v, int) and -2 ** 63 <= v < 2 ** 64


def as_single(v):
    """Typed conversion to float: integers convert straight, doubles round."""
    return f32_exact(Fraction(v)) if _is_library_integer(v) else f32(float(v))


def as_double(v):
    return float(v)


def double_or_zero(obj, key):
    """Lookup with a default of 0.0, giving a double."""
    return as_double(obj[key]) if key in obj else 0.0


def byte_order(keys):
    return sorted(keys, key=lambda k: k.encode("utf-8"))


def members(value):
    """(name, value) pairs in the library's iteration order: objects by key,
    compared byte-wise; arrays by index, named by the decimal index."""
    if isinstance(value, dict):
        return [(k, value[k]) for k in byte_order(value)]
    if isinstance(value, list):
        return [(str(i), v) for i, v in enumerate(value)]
    if value is None:
        return []
    raise ValueError("component data of this kind is outside the model")


# --------------------------------------------------------------------------
# Sections of a face program.  `out` collects console lines, `lines` the
# program lines.


def depths(step, limit):
    """Pass depths -step, -2 step, ... carried by float subtraction, down to
    the deepest one that is not below -limit."""
    z = -step
    while z >= -limit:
        yield z
        z = sub(z, step)


def visible_recesses(face, face_height, s, out, lines):
    b, feed = s.bit_diameter, s.feedrate
    half_bit = div(b, 2.0)
    for name, comp in members(face):
        cx = mul(10.0, as_single(comp["location_x"]))
        cy = sub(face_height, mul(10.0, as_single(comp["location_y"])))
        diameter = f32(10.0 * double_or_zero(comp, "visible_diameter"))  # x10 in double
        width = f32(double_or_zero(comp, "visible_width"))
        height = f32(double_or_zero(comp, "visible_height"))
        rotation = f32(double_or_zero(comp, "rotation"))
        if diameter > 0:
            out.append("### Current circular recess: " + name)
            r0 = sub(div(diameter, 2.0), half_bit)
            for z in depths(s.cut_depth_per_pass, s.recess_depth):
                # concentric circles from the outside in, lifting after each
                r = r0
                while r >= 0:
                    x = fixed(add(cx, r))
                    lines.append("G0 X%s Y%s ; Move to the start of the circle (right side)" % (x, fixed(cy)))
                    lines.append("G1 Z%s F%s ; Start cutting down to %smm" % (fixed(z), fixed(feed), fixed(z)))
                    lines.append("G2 X%s Y%s I%s J0 F%s ; Cut a circle" % (x, fixed(cy), fixed(-r), fixed(feed)))
                    lines.append("G0 Z5 ; Lift to safe height after cutting")
                    r = sub(r, b)
        elif width > 0 and height > 0:
            out.append("### Current recess: " + name)
            hx = sub(div(mul(10.0, width), 2.0), half_bit)
            hy = sub(div(mul(10.0, height), 2.0), half_bit)
            full_height = mul(10.0, height)
            g = general
            for z in depths(s.cut_depth_per_pass, s.recess_depth):
                # raster rows from the lower edge up, alternating direction,
                # the tool staying down from plunge to lift
                offset, row = 0.0, 0
                while full_height > offset:
                    yr = sub(add(cy, offset), hy)
                    lx, ly = rotate_point(cx, cy, rotation, sub(cx, hx), yr)
                    rx, ry = rotate_point(cx, cy, rotation, add(cx, hx), yr)
                    if row == 0:
                        lines.append("G0 X%s Y%s ; Move to the recess position" % (g(lx), g(ly)))
                        lines.append("G1 Z%s F%s ; Start cutting down to %smm" % (g(z), g(feed), g(z)))
                    if row % 2 == 0:
                        lines.append("G1 X%s Y%s F%s ; Recess forward pass" % (g(lx), g(ly), g(feed)))
                        lines.append("G1 X%s Y%s F%s ; Recess forward pass end" % (g(rx), g(ry), g(feed)))
                    else:
                        lines.append("G1 X%s Y%s F%s ; Recess backward pass start" % (g(rx), g(ry), g(feed)))
                        lines.append("G1 X%s Y%s F%s ; Recess backward pass end" % (g(lx), g(ly), g(feed)))
                    offset = add(offset, b)
                    row += 1
                lines.append("G0 Z5 ; Lift to safe height after cutting")


def component_cutouts(face, face_height, s, out, lines):
    feed = fixed(s.feedrate)
    half_bit = div(s.bit_diameter, 2.0)
    for name, comp in members(face):
        out.append("### Component: " + name)
        cx = mul(as_single(comp["location_x"]), 10.0)
        cy = sub(face_height, mul(10.0, as_single(comp["location_y"])))
        diameter = f32(double_or_zero(comp, "drill_diameter"))
        width = f32(double_or_zero(comp, "drill_width"))
        height = f32(double_or_zero(comp, "drill_height"))
        if diameter > 0:
            # full circles about the centre, the tool path one bit radius inside
            r = sub(div(mul(10.0, diameter), 2.0), half_bit)
            sx = sub(cx, r)
            for z in depths(s.cut_depth_per_pass, s.material_thickness):
                lines.append("G0 X%s Y%s ; Move to the pocket position" % (fixed(sx), fixed(cy)))
                lines.append("G1 Z%s F%s ; Start cutting %s down to %smm" % (fixed(z), feed, name, fixed(z)))
                lines.append("G2 X%s Y%s I%s J0 F%s ; Cut a circle" % (fixed(sx), fixed(cy), fixed(r), feed))
        elif width > 0 and height > 0:
            rotation = f32(double_or_zero(comp, "rotation"))
            a = sub(div(mul(10.0, width), 2.0), half_bit)
            b = sub(div(mul(10.0, height), 2.0), half_bit)
            corners = [(sub(cx, a), sub(cy, b)), (add(cx, a), sub(cy, b)),
                       (add(cx, a), add(cy, b)), (sub(cx, a), add(cy, b))]
            q = [tuple(fixed(v) for v in rotate_point(cx, cy, rotation, x, y)) for x, y in corners]
            for z in depths(s.cut_depth_per_pass, s.material_thickness):
                lines.append("G0 X%s Y%s ; Move to the pocket position" % q[0])
                lines.append("G1 Z%s F%s ; Start cutting %s down to %smm" % (fixed(z), feed, name, fixed(z)))
                lines.append("G1 X%s Y%s F%s ; Cut along the first corner" % (q[0] + (feed,)))
                lines.append("G1 X%s Y%s ; Cut along the second corner" % q[1])
                lines.append("G1 X%s Y%s ; Cut along the third corner" % q[2])
                lines.append("G1 X%s Y%s ; Cut along the fourth corner" % q[3])
                lines.append("G1 X%s Y%s ; Close the loop back to the first corner" % q[0])
        else:
            continue
        lines.append("G0 Z5 ; Lift to safe height after cutting " + name)


def corner_screws(width, height, s, out):
    """Four corner holes drilled through and, for a wide enough head, a
    counterbore of concentric rings around each."""
    b, t, feed = s.bit_diameter, s.material_thickness, fixed(s.feedrate)
    if s.screw_size_top > 0:
        screw = s.screw_size_top
    elif s.screw_size_bottom > 0:
        screw = s.screw_size_bottom
    else:
        screw = 0.0
    head = sub(s.screw_head_diameter, div(b, 2.0))
    hole = sub(div(screw, 2.0), div(b, 2.0))
    by_head = add(div(b, 2.0), div(head, 2.0))
    by_hole = add(div(b, 2.0), hole)
    clearance = by_head if by_head >= by_hole else by_hole
    low = add(add(clearance, t), s.screw_extra_margin)
    high_x = sub(sub(sub(width, t), clearance), s.screw_extra_margin)
    high_y = sub(sub(sub(height, t), clearance), s.screw_extra_margin)
    ring0 = sub(div(head, 2.0), div(b, 2.0))
    corners = [(low, low), (high_x, low), (low, high_y), (high_x, high_y)]

    lines = []
    for x, y in corners:
        out.append("Creating screw hole at %s, %s" % (general(x), general(y)))
        start = fixed(add(x, hole))
        for z in depths(s.cut_depth_per_pass, t):
            lines.append("G0 X%s Y%s ; Move to the screw position" % (start, fixed(y)))
            lines.append("G1 Z%s F%s ; Drill hole at (%s, %s) to depth %smm"
                         % (fixed(z), feed, fixed(x), fixed(y), fixed(z)))
            lines.append("G2 X%s Y%s I%s J0 F%s ; Cut a screw with radius %smm"
                         % (start, fixed(y), fixed(-hole), feed, fixed(hole)))
        lines.append("G0 Z5 ; Lift to safe height after cutting screw")
    if head > 0:
        for x, y in corners:
            out.append("Creating screw recess at %s, %s" % (general(x), general(y)))
            for z in depths(s.cut_depth_per_pass, s.screw_head_height):
                r = ring0
                while r >= 0:
                    lines.append("G0 X%s Y%s ; Move to start position on circle edge" % (fixed(add(x, r)), fixed(y)))
                    lines.append("G1 Z%s F%s ; Lower to cutting depth %smm" % (fixed(z), feed, fixed(z)))
                    lines.append("G2 X%s Y%s I-%s J0 F%s ; Cut recess with radius %s"
                                 % (fixed(add(x, r)), fixed(y), fixed(r), feed, fixed(r)))
                    lines.append("G0 Z5 ; Lift to safe height after cutting")
                    r = sub(r, b)
    return lines


def outline_cut(name, fw, fh, s, out, lines):
    out.append("Creating outline cut for: " + name)
    feed, w, h = fixed(s.feedrate), fixed(fw), fixed(fh)
    for z in depths(s.cut_depth_per_pass, s.material_thickness):
        lines.append("G0 X0 Y%s ; Move to the starting point" % h)
        lines.append("G1 Z%s F%s ; Start cutting down to %smm" % (fixed(z), feed, fixed(z)))
        lines.append("G1 X%s Y%s F%s ; Cut along the X axis" % (w, h, feed))
        lines.append("G1 X%s Y0 ; Cut along the Y axis" % w)
        lines.append("G1 X0 Y0 ; Cut back along the X axis")
        lines.append("G1 X0 Y%s ; Close the loop on the Y axis" % h)
    lines.append("G0 Z5 ; Lift the tool to a safe height")


HORIZONTAL = ("_Main", "_Top", "_Bottom")
END = ("_Back", "_Front")


def face_size(name, box_w, box_h, s):
    """Panel size in mm: horizontal faces are the box plan; end and side
    faces take the box height, and grow by two thicknesses unless the box
    sizes are outside sizes."""
    t, bh = s.material_thickness, s.box_height_3d
    o = 1.0 if s.outer_sizing else 0.0
    t2 = add(t, t)
    upright = add(mul(sub(1.0, o), t2), sub(bh, mul(t2, o)))
    if any(m in name for m in HORIZONTAL):
        return box_w, box_h
    if any(m in name for m in END):
        return sub(box_w, mul(t2, o)), upright
    return upright, add(mul(sub(1.0, o), t2), box_h)


# --------------------------------------------------------------------------
# The whole run


class Outcome:
    def __init__(self):
        self.out = []          # stdout lines
        self.err = []          # stderr lines
        self.status = 0
        self.folders = []      # folders the run creates (absolute)
        self.files = {}        # absolute path -> bytes

    @property
    def stdout(self):
        return "".join(line + "\n" for line in self.out).encode("utf-8")

    @property
    def stderr(self):
        return "".join(line + "\n" for line in self.err).encode("utf-8")


def json_type(value):
    """The JSON library's name of a value's type."""
    for kind, name in ((bool, "boolean"), (dict, "object"), (list, "array"), (str, "string")):
        if isinstance(value, kind):
            return name
    return "null" if value is None else "number"


def stem(path):
    name = path.rsplit("/", 1)[-1]
    if name in (".", ".."):
        return name
    dot = name.rfind(".")
    return name if dot <= 0 else name[:dot]


def generate_face(doc, path, name, s, identity, result):
    if "Generic" not in doc:
        result.err.append("Error: 'Generic' data missing")
        result.status = 1
        return
    box_w = mul(as_single(doc["Generic"]["width"]), 10.0)
    box_h = mul(as_single(doc["Generic"]["height"]), 10.0)
    result.folders.append(path.rsplit("/", 1)[0])
    fw, fh = face_size(name, box_w, box_h, s)
    lines = ["# Created with VESKARO G-Code Generator - " + identity["website"],
             "G21 ; Set units to mm",
             "G90 ; Absolute positioning",
             "G0 Z5 ; Lift the tool to a safe height"]
    face = doc[name]
    if s.recess_depth != 0:
        visible_recesses(face, fh, s, result.out, lines)
    if s.components:
        component_cutouts(face, fh, s, result.out, lines)
    if s.screw_size_top > 0 and ("_Main" in name or "_Top" in name):
        lines += corner_screws(box_w, box_h, s, result.out)
    if s.screw_size_bottom > 0 and "_Bottom" in name:
        lines += corner_screws(box_w, box_h, s, result.out)
    if s.outline:
        outline_cut(name, fw, fh, s, result.out, lines)
    lines += ["G0 Z5 ; Lift the tool to a safe height", "M30 ; End of program"]
    if not s.simulate:
        result.files[path] = "".join(line + "\n" for line in lines).encode("utf-8")
        result.out.append("G-codes generated for: " + name)


def run(argv, cwd, identity):
    """The outcome of running the generator with `argv` in the folder `cwd`.
    `identity` holds the two texts the program chooses itself: the banner's
    ownership line ("owner") and the web address ("website")."""
    stray = []
    s = Settings(parse_command_line(argv, stray))
    if stray:
        return option_error(stray_message(*stray[0]))
    if fixed(s.feedrate) in ("0.00", "-0.00"):
        return option_error("Option 'feedrate' would be written as F0.00 (the programs write it with two "
                            "decimals); it must round to 0.01 or more")
    result = Outcome()
    result.out += [
        "== VESKARO G-Code generator for Laser Engraving and CNC Routers ==",
        identity["owner"],
        "== Version: " + VERSION + " ==",
        "",
        "== Website: " + identity["website"] + " ==",
        "",
    ]
    result.out += settings_report(s)

    project = os.path.join(cwd, s.json_file)
    with open(project, encoding="utf-8") as f:
        doc = load_document(f.read())

    if s.output_directory == ".":
        folder = cwd + "/" + stem(s.json_file)
    elif s.output_directory.startswith("/"):
        folder = s.output_directory + "/" + stem(s.json_file)
    else:
        folder = cwd + "/" + s.output_directory + "/" + stem(s.json_file)

    if not isinstance(doc, dict):
        result.err.append("Error: '%s' is not a valid project file: the document must be an object, not %s"
                          % (s.json_file, json_type(doc)))
        result.status = 1
        return result
    for name in byte_order(doc):
        if "_" in name:
            generate_face(doc, folder + "/" + name + ".nc", name, s, identity, result)
    result.out.append("Output path: " + folder)
    return result
