#!/usr/bin/env python3
"""The manual pages and bash completions made at build time, against the
programs' real --help.

For every program given:
  - its manual page, rendered by man(1), lists every option of --help with
    its description, in the same order, has the sections a user looks for
    (exit status, files, examples) and says in its first paragraph that the
    project's lengths are centimetres;
  - its completion offers exactly the options of --help after "-";
  - a program whose --help lists --version prints "<program> <version>".
For the generator and the preview, a table of command lines checks what the
completion offers for option values and other words, in a folder of
sample files.

Exit status 0 when everything matched, 1 otherwise.
"""

import argparse
import os
import re
import subprocess
import sys
import tempfile

# "  -j, --json-file arg    Project JSON file", or "      --min-wall arg ..."
# for an option without a short name, wrapped onto lines indented further;
# the positional arguments are not listed.
OPTION = re.compile(r"^  (?:-(\w), |    )?--([\w-]+)( arg)?\s+(.*?)\s*$")
CONTINUATION = re.compile(r"^ {20,}(\S.*?)\s*$")

SAMPLE_FILES = ["box.json", "notes.txt", "face.nc", "sub/inner.json"]

# Per program: the words typed so far (the last one is being completed) and
# the suggestions expected, in the folder of SAMPLE_FILES.
COMPLETIONS = {
    "veskaro-gcode": [
        (["-j", ""], ["box.json", "sub"]),
        (["--json-file", "=", ""], ["box.json", "sub"]),
        (["-j", "sub/"], ["sub/inner.json"]),
        (["-o", ""], ["sub"]),
        (["-t", ""], []),
        (["-n", ""], []),
        (["--outline", "=", ""], ["false", "true"]),
        (["--outline", "=", "f"], ["false"]),
        (["-l", ""], []),
        (["--feed"], ["--feedrate"]),
    ],
    "veskaro-check": [
        (["--min"], ["--min-wall"]),
        (["--min-wall", ""], []),
    ],
    "veskaro-preview": [
        ([""], ["face.nc", "sub"]),
        (["-m", "2", ""], ["face.nc", "sub"]),
        (["-m", ""], []),
        (["--tsv", ""], ["face.nc", "sub"]),
        (["--ve"], ["--version"]),
    ],
}


def help_options(help_text):
    """[(short, long, takes_value, description)] in the order of --help."""
    options = []
    for line in help_text.splitlines():
        match = OPTION.match(line)
        if match:
            short, long, value, description = match.groups()
            options.append([short, long, bool(value), description])
            continue
        match = CONTINUATION.match(line)
        if match and options:
            options[-1][3] += " " + match.group(1)
    return options


def words(text):
    return " ".join(text.split())


def check_manual(name, page, options):
    env = dict(os.environ, MANWIDTH="1000", LC_ALL="C.UTF-8")
    shown = subprocess.run(["man", "--no-hyphenation", "--no-justification", "-l", page],
                           capture_output=True, text=True, env=env)
    if shown.returncode != 0:
        return [f"{name}: man -l {page} failed: {shown.stderr.strip()}"]
    problems = []
    headings = {line.strip() for line in shown.stdout.splitlines() if line and not line[0].isspace()}
    for section in ("NAME", "SYNOPSIS", "DESCRIPTION", "EXIT STATUS", "FILES", "EXAMPLES"):
        if section not in headings:
            problems.append(f"{name}: the manual page has no {section} section")
    # Lengths in the project are centimetres, on the command line and in
    # the programs millimetres: every page says so before anything else.
    description = shown.stdout.split("\nDESCRIPTION\n", 1)[-1].split("\n\n", 1)[0]
    if "centimetres" not in description or "millimetres" not in description:
        problems.append(f"{name}: the first paragraph of DESCRIPTION does not say the project's lengths are "
                        "centimetres")
    text = words(shown.stdout)
    at = 0
    for short, long, value, description in options:
        entry = (f"-{short}, " if short else "") + f"--{long}" + (" arg" if value else "") + " " + words(description)
        found = text.find(entry, at)
        if found < 0:
            problems.append(f"{name}: the manual page does not list, in --help's order: {entry}")
        else:
            at = found + len(entry)
    return problems


def complete(completion, name, typed, folder):
    """What the completion function offers for the words typed so far."""
    function = "_" + re.sub(r"\W", "_", name)
    script = ('source "$1" || exit 1; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); '
              f'{function}; printf "%s\\n" "${{COMPREPLY[@]}}"')
    run = subprocess.run(["bash", "-c", script, "bash", completion, name] + typed,
                         capture_output=True, text=True, cwd=folder)
    if run.returncode != 0:
        return ["<bash failed: " + run.stderr.strip() + ">"]
    return sorted(line for line in run.stdout.splitlines() if line)


def check_completion(name, completion, options, folder):
    problems = []
    expected = sorted([f"--{long}" for _, long, _, _ in options] +
                      [f"-{short}" for short, _, _, _ in options if short])
    cases = [(["-"], expected)] + COMPLETIONS.get(name, [])
    for typed, wanted in cases:
        offered = complete(completion, name, typed, folder)
        if offered != sorted(wanted):
            problems.append(f"{name} {' '.join(typed)}<TAB>: offered {offered}, expected {sorted(wanted)}")
    return problems


def check_version(name, program, options, version):
    if not any(long == "version" for _, long, _, _ in options):
        return []
    run = subprocess.run([program, "--version"], capture_output=True, text=True)
    expected = f"{name} {version}\n"
    if (run.returncode, run.stdout, run.stderr) != (0, expected, ""):
        return [f"{name} --version: status {run.returncode}, printed {run.stdout!r} {run.stderr!r}, "
                f"expected {expected!r}"]
    return []


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--docs", required=True, help="folder of the built pages and completions")
    parser.add_argument("--version", required=True, help="the project's version")
    parser.add_argument("--no-manuals", action="store_true",
                        help="the build has no manual pages (help2man was missing): check the rest")
    parser.add_argument("programs", nargs="+", help="built programs")
    args = parser.parse_args()
    args.docs = os.path.abspath(args.docs)

    problems = []
    with tempfile.TemporaryDirectory() as folder:
        for sample in SAMPLE_FILES:
            os.makedirs(os.path.join(folder, os.path.dirname(sample)), exist_ok=True)
            open(os.path.join(folder, sample), "w").close()
        for program in args.programs:
            name = os.path.basename(program)
            shown = subprocess.run([program, "--help"], capture_output=True, text=True)
            options = help_options(shown.stdout)
            if shown.returncode != 0 or not options:
                problems.append(f"{name} --help: status {shown.returncode}, {len(options)} options")
                continue
            if not args.no_manuals:
                problems += check_manual(name, os.path.join(args.docs, name + ".1.gz"), options)
            problems += check_completion(name, os.path.join(args.docs, name + ".bash"), options, folder)
            problems += check_version(name, program, options, args.version)
            print(f"{name}: {len(options)} options checked")
    if args.no_manuals:
        print("SKIPPED: the manual pages: help2man was not installed when the build was configured "
              "(scripts/install-deps installs it)")
    for problem in problems:
        print("FAILED: " + problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
