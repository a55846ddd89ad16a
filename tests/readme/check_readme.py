#!/usr/bin/env python3
"""README.md against the programs it describes.

Blocks marked with an HTML comment just before them (Markdown shows neither):
  <!-- file: NAME -->            the block is written to NAME in the folder
                                 where the commands run;
  <!-- output of: COMMAND -->    the block is what COMMAND prints (standard
                                 output, then standard error);
  <!-- lines of FILE after: COMMAND -->
                                 the block is a run of lines of FILE once
                                 COMMAND has run.
A line "..." in a block stands for any number of lines; the folder the
commands run in is shown as /home/maker.  Commands run with `sh` in a fresh
folder where build/ is the build folder and examples/ the project's.

  <!-- error table -->           every message in the first column of the
                                 next table matches an error line of a real
                                 run (CASES below), and every run's error
                                 line matches a message of a table.

Exit status 0 when everything matched, 1 otherwise.
"""

import argparse
import os
import re
import subprocess
import sys
import tempfile

MARK = re.compile(r"^<!-- (file: (?P<file>\S+)|output of: (?P<command>.+?)|"
                  r"lines of (?P<lines>\S+) after: (?P<after>.+?)|(?P<table>error table)) -->$")
SHOWN_FOLDER = "/home/maker"

GOOD = '{"Generic": {"width": 20, "height": 10}, "Box_Main": {}}'
FAN = '{"Generic": {"width": 20, "height": 10}, "Box_Main": {"fan": {%s}}}'
AT = '"location_x": 5, "location_y": 4'
REQUIRED = ["-j", "box.json", "-o", ".", "-t", "3", "-b", "50", "-d", "1.5"]
# One run for every message of the error tables: the options after the
# required ones (or instead of them, for the first five), and box.json (or
# the file named fourth).
CASES = [
    ([], None, GOOD),
    (["--nope"], REQUIRED, GOOD),
    (["-j", "box.json", "-o", ".", "-b", "50", "-d", "1.5", "-t"], [], GOOD),
    (["-t", "nan"], REQUIRED, GOOD),
    (["-j", "box.json", "-o", ".", "-t", "3mm", "-b", "50", "-d", "1.5"], [], GOOD),
    (["-c", "false"], REQUIRED, GOOD),
    (["-s", "x"], REQUIRED, GOOD),
    (["-f", "0.004"], REQUIRED, GOOD),
    (["---x"], REQUIRED, GOOD),
    (["-d", "0"], REQUIRED, GOOD),
    (["-f", "0"], REQUIRED, GOOD),
    (["-r", "1"], REQUIRED, GOOD),
    (["-e", "3", "-i", "2"], REQUIRED, GOOD),
    (["-j", "missing.json"] + REQUIRED[2:], [], GOOD),
    (["-j", "build"] + REQUIRED[2:], [], GOOD),
    ([], REQUIRED, '{"Generic": '),
    ([], REQUIRED, '[{"Box_Main": {}}]'),
    (["-j", "...json"] + REQUIRED[2:], [], GOOD, "...json"),
    ([], REQUIRED, '{"Generic": 5, "Box_Main": {}}'),
    ([], REQUIRED, '{"Generic": {"height": 10}, "Box_Main": {}}'),
    ([], REQUIRED, '{"Generic": {"width": "20", "height": 10}, "Box_Main": {}}'),
    ([], REQUIRED, '{"Generic": {"width": 1e39, "height": 10}, "Box_Main": {}}'),
    ([], REQUIRED, '{"Generic": {"width": 20, "height": 10}, "Box_Main": "fan"}'),
    ([], REQUIRED, '{"Generic": {"width": 20, "height": 10}, "Box_Main": {"fan": 5}}'),
    ([], REQUIRED, FAN % '"location_y": 4'),
    ([], REQUIRED, FAN % '"location_x": "5", "location_y": 4'),
    ([], REQUIRED, FAN % '"location_x": 1e39, "location_y": 4'),
    ([], REQUIRED, '{"Generic": {"width": 20, "height": 10}, "a/b_Main": {}}'),
    ([], REQUIRED, '{"Generic": {"width": 20, "height": 10}, "Box_Main\\nG0": {}}'),
    ([], REQUIRED, '{"Generic": {"width": 20, "height": 10}, "Box_Main": {"fan\\nG1": {%s}}}' % AT),
    (["-m", "3", "-r", "3"], REQUIRED, FAN % (AT + ', "visible_diameter": 1e9')),
    (["-s", "-t", "1e7", "-d", "0.01"], REQUIRED, GOOD),
    ([], REQUIRED, '{"Generic": {"width": 1e38, "height": 10}, "Box_Main": {}}'),
    (["-j", "box.json", "-o", "box.json"] + REQUIRED[4:], [], GOOD),
]
# Runs a table names before the program refuses them: such a run that
# succeeds is reported as pending, not failed.  None at present.
PENDING_CASES = []


def blocks(readme):
    """(mark, lines of the block or table, line number) for every mark."""
    lines = readme.splitlines()
    for number, line in enumerate(lines):
        mark = MARK.match(line.strip())
        if not mark:
            continue
        body, at = [], number + 1
        if mark.group("table"):
            while at < len(lines) and not lines[at].startswith("|"):
                at += 1
            while at < len(lines) and lines[at].startswith("|"):
                body.append(lines[at])
                at += 1
        else:
            if not lines[at].startswith("```"):
                raise SystemExit(f"README.md:{number + 1}: the mark is not followed by a block")
            at += 1
            while not lines[at].startswith("```"):
                body.append(lines[at])
                at += 1
        yield mark, body, number + 1


def matches(expected, actual):
    """Whether `actual` lines are `expected` lines, a "..." line standing for
    any number of lines."""
    pattern = "".join(".*?" if line == "..." else re.escape(line + "\n") for line in expected)
    return re.fullmatch(pattern, "".join(line + "\n" for line in actual), re.DOTALL) is not None


def contains(expected, actual):
    return any(matches(expected + ["..."], actual[start:]) for start in range(len(actual)))


def sh(command, folder):
    done = subprocess.run(["sh", "-c", command], cwd=folder, capture_output=True, text=True)
    return (done.stdout + done.stderr).replace(folder, SHOWN_FOLDER).splitlines()


def template_pattern(message):
    """A table's message as a pattern: <...> any text, [...] optional."""
    pattern = re.escape(message.strip("`"))
    pattern = re.sub(r"<[^>]*>", ".+?", pattern)
    pattern = re.sub(r"\\\[(.*?)\\\]", r"(?:\1)?", pattern)
    return re.compile(pattern)


def error_lines(cases, folder):
    """The first error line of each case's run, without "Error: "."""
    found = []
    for options, required, project, *file_name in cases:
        with open(os.path.join(folder, *(file_name or ["box.json"])), "w", encoding="utf-8") as out:
            out.write(project)
        arguments = (required or []) + options if required is not None else options
        done = subprocess.run([os.path.join(folder, "build", "veskaro-gcode")] + arguments, cwd=folder,
                              capture_output=True, text=True, timeout=120)
        first = done.stderr.splitlines()[0] if done.stderr else ""
        found.append((arguments, done.returncode, first.removeprefix("Error: ")))
    return found


def check_errors(templates, folder):
    problems = []
    used = set()
    for arguments, status, line in error_lines(CASES, folder):
        matching = [t for t in templates if t.fullmatch(line)]
        if status != 1 or not matching:
            problems.append(f"no error table gives the error of {' '.join(arguments)}: status {status}, {line!r}")
        used.update(t.pattern for t in matching)
    for template in templates:
        if template.pattern not in used:
            problems.append(f"no run gives the error table's message {template.pattern!r}")
    for arguments, status, line in error_lines(PENDING_CASES, folder):
        if status == 0:
            print(f"PENDING: {' '.join(arguments)} is not refused yet")
        elif not any(t.fullmatch(line) for t in templates):
            problems.append(f"no error table gives the error of {' '.join(arguments)}: {line!r}")
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", required=True)
    parser.add_argument("--build", required=True)
    args = parser.parse_args()
    source, build = os.path.abspath(args.source), os.path.abspath(args.build)
    with open(os.path.join(source, "README.md"), encoding="utf-8") as readme:
        text = readme.read()
    problems, templates, checked = [], [], 0
    with tempfile.TemporaryDirectory() as folder:
        folder = os.path.realpath(folder)
        os.symlink(build, os.path.join(folder, "build"))
        os.symlink(os.path.join(source, "examples"), os.path.join(folder, "examples"))
        # The files first: a command may come before the file it reads.
        for mark, body, number in blocks(text):
            if mark.group("file"):
                with open(os.path.join(folder, mark.group("file")), "w", encoding="utf-8") as out:
                    out.write("\n".join(body) + "\n")
        for mark, body, number in blocks(text):
            checked += 1
            where = f"README.md:{number}"
            if mark.group("file"):
                continue
            elif mark.group("command"):
                shown = sh(mark.group("command"), folder)
                if not matches(body, shown):
                    problems.append(f"{where}: `{mark.group('command')}` prints:\n" + "\n".join(shown))
            elif mark.group("lines"):
                sh(mark.group("after"), folder)
                with open(os.path.join(folder, mark.group("lines")), encoding="utf-8") as written:
                    lines = written.read().splitlines()
                if not contains(body, lines):
                    problems.append(f"{where}: {mark.group('lines')} has no such lines")
            else:
                templates += [template_pattern(row.split("|")[1].strip()) for row in body[2:]]
        problems += check_errors(templates, folder)
    print(f"README.md: {checked} marked blocks and tables, {len(templates)} error messages checked")
    for problem in problems:
        print("FAILED: " + problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
