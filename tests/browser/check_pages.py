#!/usr/bin/env python3
"""The preview's pages as a browser shows them.

The generator writes the example project, the preview draws it, and headless
Chromium loads index.html and every picture: the browser's console must stay
empty (no error, no warning), the page must hold every face's picture, and
its switch must hide the rapid moves (checked on a copy of the page with a
line of script added; the page itself has none).  The same again with the
finished parts (--finished): every finished picture loads clean too, and the
page holds both pictures of every face.

Exit status: 0 when everything held, 1 when not, 77 (skipped) when Chromium
is not installed; set VESKARO_REQUIRE_CHROMIUM=1 to make that a failure, as
CI does (scripts/install-deps chromium installs it).
"""

import argparse
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile

SKIPPED = 77
CONSOLE = re.compile(r":CONSOLE[^\]]*\] (.*)$")
EXAMPLE_ARGS = ["-t", "3", "-b", "60", "-d", "0.75", "-m", "2", "-f", "600", "-r", "1.5",
                "-e", "4", "-i", "8", "-a", "2", "-n", "1"]
# Clicks the switch and reports how the first rapid move is shown before and
# after.
TOGGLE = ("<script>const shown = () => getComputedStyle(document.querySelector('.rapids')).display;"
          "const before = shown(); document.getElementById('show-rapids').click();"
          "console.log('rapid moves: ' + before + ', then ' + shown());</script>")


def load(browser, url, profile):
    """The page's DOM after loading, and the console messages it caused."""
    command = [browser, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
               "--disable-background-networking", "--disable-component-update", "--disable-sync",
               f"--user-data-dir={profile}", "--enable-logging=stderr", "--v=0", "--dump-dom", url]
    done = subprocess.run(command, capture_output=True, text=True, timeout=120)
    messages = [m.group(1) for m in map(CONSOLE.search, done.stderr.splitlines()) if m]
    return done.returncode, done.stdout, messages


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--generator", required=True)
    parser.add_argument("--preview", required=True)
    parser.add_argument("--source", required=True)
    args = parser.parse_args()
    generator, preview, source = (os.path.abspath(p) for p in (args.generator, args.preview, args.source))
    browser = shutil.which("chromium")
    if browser is None:
        print("SKIPPED: chromium is not installed; scripts/install-deps chromium installs it")
        return 1 if os.environ.get("VESKARO_REQUIRE_CHROMIUM") == "1" else SKIPPED

    problems = []
    with tempfile.TemporaryDirectory() as work:
        example = os.path.join(source, "examples", "enclosure.json")
        subprocess.run([generator, "-j", example, "-o", "out"] + EXAMPLE_ARGS, cwd=work, check=True,
                       capture_output=True)
        folder = os.path.join(work, "out", "enclosure")
        finished = os.path.join(work, "finished")
        shutil.copytree(folder, finished)
        subprocess.run([preview, folder], check=True, capture_output=True)
        subprocess.run([preview, "--finished", "-m", "2", "--material-thickness", "3", finished], check=True,
                       capture_output=True)
        faces = len(glob.glob(os.path.join(folder, "*.nc")))
        pages = [(folder, "index.html", faces)] + [(finished, "index.html", 2 * faces)]
        for where in (folder, finished):
            pages += [(where, os.path.basename(p), 1) for p in sorted(glob.glob(os.path.join(where, "*.svg")))]
        for number, (where, page, pictures) in enumerate(pages):
            status, dom, messages = load(browser, "file://" + os.path.join(where, page),
                                         os.path.join(work, f"profile-{number}"))
            if status != 0 or messages:
                problems.append(f"{where}/{page}: status {status}, console: {messages}")
            if page == "index.html" and dom.count("<svg") != pictures:
                problems.append(f"{where}/index.html: {dom.count('<svg')} pictures for {faces} faces")
        with open(os.path.join(folder, "index.html"), encoding="utf-8") as original:
            text = original.read()
        with open(os.path.join(folder, "switch.html"), "w", encoding="utf-8") as copy:
            copy.write(text.replace("</body>", TOGGLE + "</body>"))
        _, _, messages = load(browser, "file://" + os.path.join(folder, "switch.html"),
                              os.path.join(work, "profile-switch"))
        if messages != ['"rapid moves: inline, then none", source: file://' + folder + '/switch.html (' +
                        str(text[:text.index("</body>")].count("\n") + 1) + ')']:
            problems.append(f"the switch: console {messages}")
        print(f"chromium: {len(pages)} pages loaded without console messages; the switch hides the rapid moves")
    for problem in problems:
        print("FAILED: " + problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
