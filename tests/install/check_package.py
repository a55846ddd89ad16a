#!/usr/bin/env python3
"""Installs the built project as a user would and runs what was installed.

1. `cmake --install` into a temporary prefix: the files land where
   GNUInstallDirs puts them, every program runs from the prefix on the
   installed example, and `man` finds the installed pages.
2. The .deb that `make package` built: its name and version, Depends equal to
   the packages of the shared libraries its programs load (no more, no
   fewer), every program in /usr/bin linked against the shared libraries,
   and lintian, Debian's own check of packages, reporting no error and no
   warning.
3. As root, with debootstrap and a reachable Debian mirror: a fresh Debian 12
   root (minbase) installs the .deb with `apt install ./veskaro_*.deb`, runs
   every program and shows every manual page, and after `apt purge` holds
   exactly the files it held before.  Elsewhere this step says SKIPPED.

Exit status 0 when everything held, 1 otherwise.
"""

import argparse
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile

MIRROR = os.environ.get("VESKARO_DEBIAN_MIRROR", "http://deb.debian.org/debian")
EXAMPLE_ARGS = ["-t", "3", "-b", "60", "-d", "0.75", "-m", "2", "-f", "600", "-r", "1.5",
                "-e", "4", "-i", "8", "-a", "2", "-n", "1"]
# What the example project makes: one program per face.
EXAMPLE_FACES = ["Enclosure_Back", "Enclosure_Front", "Enclosure_Left", "Enclosure_Main", "Enclosure_Right"]


class Failed(Exception):
    pass


def run(command, **kwargs):
    done = subprocess.run(command, capture_output=True, text=True, **kwargs)
    if done.returncode != 0:
        raise Failed(f"{' '.join(command)}: status {done.returncode}\n{done.stdout}{done.stderr}")
    return done.stdout


def installed_files(root):
    """Every file below `root`, relative to it, sorted."""
    found = []
    for folder, _, files in os.walk(root):
        found += [os.path.relpath(os.path.join(folder, f), root) for f in files]
    return sorted(found)


def expected_files(programs, prefix=""):
    files = ["share/doc/veskaro/README.md", "share/doc/veskaro/docs/finished-enclosure-main.svg",
             "share/doc/veskaro/docs/preview-enclosure-main.svg",
             "share/doc/veskaro/examples/enclosure.json", "share/doc/veskaro/copyright",
             "share/doc/veskaro/changelog.gz"]
    for program in programs:
        files += [f"bin/{program}", f"share/man/man1/{program}.1.gz",
                  f"share/bash-completion/completions/{program}"]
    return sorted(prefix + f for f in files)


def use_programs(bin_dir, example, folder, programs, wrap=lambda c: c):
    """Runs every program's --help, and the generator and preview on the
    example, from `bin_dir`; `wrap` turns a command into one that runs there."""
    for program in programs:
        run(wrap([f"{bin_dir}/{program}", "--help"]))
    out = run(wrap([f"{bin_dir}/veskaro-gcode", "-j", example, "-o", f"{folder}/out"] + EXAMPLE_ARGS))
    if not out.endswith(f"Output path: {folder}/out/enclosure\n"):
        raise Failed("veskaro-gcode did not end with its output path:\n" + out[-300:])
    shown = run(wrap([f"{bin_dir}/veskaro-preview", f"{folder}/out/enclosure"]))
    if len(shown.splitlines()) != len(EXAMPLE_FACES) + 1:
        raise Failed("veskaro-preview did not sum up every face:\n" + shown)


def check_prefix(build, programs, version):
    with tempfile.TemporaryDirectory() as work:
        prefix = os.path.join(work, "prefix")
        run(["cmake", "--install", build, "--prefix", prefix])
        files = installed_files(prefix)
        if files != expected_files(programs):
            raise Failed(f"installed {files}, expected {expected_files(programs)}")
        use_programs(f"{prefix}/bin", f"{prefix}/share/doc/veskaro/examples/enclosure.json", work, programs)
        env = dict(os.environ, MANPATH=f"{prefix}/share/man")
        for program in programs:
            page = run(["man", "-w", program], env=env).strip()
            if page != f"{prefix}/share/man/man1/{program}.1.gz":
                raise Failed(f"man -w {program} found {page}")
    print(f"prefix: {len(files)} files installed, every program ran from the prefix, man found every page")


def owner_of(path):
    """The package that holds a file, by its path or, on a merged /usr, the
    same path below /usr, or the file the path links to."""
    for candidate in (path, "/usr" + path, os.path.realpath(path)):
        owner = subprocess.run(["dpkg", "-S", candidate], capture_output=True, text=True)
        if owner.returncode == 0:
            return owner.stdout.split(":")[0]
    raise Failed(f"no package holds {path}")


def needed_packages(deb_root):
    """The packages that hold the shared libraries the package's programs load."""
    packages = set()
    for program in glob.glob(f"{deb_root}/usr/bin/*"):
        needed = re.findall(r"\(NEEDED\)\s+Shared library: \[(.+?)\]", run(["readelf", "-d", program]))
        if not needed:
            raise Failed(f"{program} is linked statically; a package's programs use the shared libraries")
        # Where the loader finds each library on this machine, its own
        # architecture's copy; dpkg tells the package that holds it.
        found = dict(re.findall(r"^\s*(\S+) => (/\S+)", run(["ldd", program]), re.MULTILINE))
        for library in needed:
            if library not in found:
                raise Failed(f"{program} needs {library}, which the loader does not find")
            packages.add(owner_of(found[library]))
    return packages


def check_deb(deb, programs, version):
    fields = {}
    for line in run(["dpkg-deb", "-f", deb]).splitlines():
        key, _, value = line.partition(": ")
        if value:
            fields[key] = value
    arch = run(["dpkg", "--print-architecture"]).strip()
    for key, wanted in (("Package", "veskaro"), ("Version", version), ("Architecture", arch)):
        if fields.get(key) != wanted:
            raise Failed(f"{deb}: {key} is {fields.get(key)!r}, expected {wanted!r}")
    with tempfile.TemporaryDirectory() as root:
        run(["dpkg-deb", "-x", deb, root])
        files = installed_files(root)
        if files != expected_files(programs, "usr/"):
            raise Failed(f"{deb} holds {files}")
        depends = {d.split()[0] for d in fields.get("Depends", "").split(", ") if d}
        needed = needed_packages(root)
        if depends != needed:
            raise Failed(f"{deb}: Depends names {sorted(depends)}, the programs load libraries of {sorted(needed)}")
    print(f"package: {os.path.basename(deb)}, Depends: {fields.get('Depends', '(none)')}")


def check_lintian(deb):
    """Debian's own check: no error and no warning (its notes are shown)."""
    if shutil.which("lintian") is None:
        raise Failed("lintian is not installed (scripts/install-deps lintian)")
    done = subprocess.run(["lintian", "--fail-on", "error,warning", "--display-info", deb],
                          capture_output=True, text=True)
    tags = [line for line in done.stdout.splitlines() if line[:2] in ("E:", "W:", "I:")]
    for tag in tags:
        print("lintian: " + tag)
    if done.returncode != 0:
        raise Failed(f"lintian {os.path.basename(deb)}: status {done.returncode}\n{done.stdout}{done.stderr}")
    errors = sum(tag.startswith(("E:", "W:")) for tag in tags)
    print(f"lintian: {errors} errors or warnings, {len(tags) - errors} notes")


def snapshot(root):
    """The files and folders of a root that a package may touch, with the
    sizes of the files."""
    skipped = ("proc", "sys", "dev", "tmp", "run", "var/lib/dpkg", "var/lib/apt", "var/cache", "var/log")
    entries = {}
    for folder, folders, files in os.walk(root):
        relative = os.path.relpath(folder, root)
        if relative.startswith(skipped):
            continue
        entries[relative + "/"] = 0
        for name in files:
            entries[os.path.join(relative, name)] = os.lstat(os.path.join(folder, name)).st_size
    return entries


def check_fresh_root(deb, programs):
    if os.geteuid() != 0 or shutil.which("debootstrap") is None:
        print("SKIPPED: fresh Debian root: needs root and debootstrap (scripts/install-deps debootstrap)")
        return
    work = tempfile.mkdtemp(prefix="veskaro-root-")
    root = os.path.join(work, "root")
    try:
        made = subprocess.run(["debootstrap", "--variant=minbase", "bookworm", root, MIRROR],
                              capture_output=True, text=True)
        if made.returncode != 0:
            print(f"SKIPPED: fresh Debian root: debootstrap from {MIRROR} failed: "
                  + (made.stdout + made.stderr).strip().splitlines()[-1])
            return
        chroot = lambda command: ["chroot", root] + command
        env = dict(os.environ, DEBIAN_FRONTEND="noninteractive", LC_ALL="C.UTF-8")
        # man itself is no dependency of the package; the check needs it to show the pages.
        run(chroot(["apt-get", "update", "-q"]), env=env)
        run(chroot(["apt-get", "install", "-y", "-q", "--no-install-recommends", "man-db"]), env=env)
        before = snapshot(root)
        shutil.copy(deb, os.path.join(root, "tmp"))
        run(chroot(["apt-get", "install", "-y", "-q", f"/tmp/{os.path.basename(deb)}"]), env=env)
        use_programs("/usr/bin", "/usr/share/doc/veskaro/examples/enclosure.json", "/tmp", programs, chroot)
        for program in programs:
            page = run(chroot(["man", "-P", "cat", program]), env=dict(env, MANWIDTH="80"))
            if "EXIT STATUS" not in page or not page.startswith(program.upper() + "(1)"):
                raise Failed(f"man {program} in the fresh root showed:\n{page[:500]}")
        run(chroot(["apt-get", "purge", "-y", "-q", "veskaro"]), env=env)
        os.remove(os.path.join(root, "tmp", os.path.basename(deb)))
        shutil.rmtree(os.path.join(root, "tmp", "out"))
        after = snapshot(root)
        if after != before:
            left = sorted(set(after) - set(before))
            changed = sorted(f for f in before if after.get(f) != before[f])
            raise Failed(f"after apt purge, left behind: {left}, changed or gone: {changed}")
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print("fresh Debian 12 root: apt installed the package, every program and manual page ran from "
          "/usr/bin, apt purge left the root as it was")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build", help="the build folder, after make package")
    args = parser.parse_args()
    # Written by CMake: the project's version and the programs it installs.
    with open(os.path.join(args.build, "programs.txt"), encoding="utf-8") as listing:
        settings = dict(line.rstrip("\n").split("=", 1) for line in listing if "=" in line)
    args.version = settings["version"]
    args.programs = settings["programs"].split()
    deb = glob.glob(os.path.join(args.build, f"veskaro_{args.version}_*.deb"))
    try:
        if len(deb) != 1:
            raise Failed(f"expected one veskaro_{args.version}_*.deb in {args.build}, found {deb}")
        check_prefix(args.build, args.programs, args.version)
        check_deb(deb[0], args.programs, args.version)
        check_lintian(deb[0])
        check_fresh_root(deb[0], args.programs)
    except Failed as failure:
        print(f"FAILED: {failure}")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
