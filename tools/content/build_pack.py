#!/usr/bin/python3
"""Builds one resource pack of the game from its source folder in content/.

    build_pack.py SOURCE_DIR STAGE_DIR OUT.dat RESPACK

SOURCE_DIR is content/<pack>/. Every file in it is packed under its path relative to the folder,
except "pack.txt" and anything under "gen/" (the generators' own inputs). "pack.txt" names the
generators to run, one per line: a module of tools/content/ and its words, for example

    ui gen/ui.txt
    fonts DejaVuSans.ttf DejaVuSerifCondensed-Bold.ttf

Each module has generate(out_dir, src_dir, args) and writes its files into out_dir; paths in the
words are relative to SOURCE_DIR. "#" starts a comment. STAGE_DIR is emptied first and then holds
exactly what goes into the pack; RESPACK packs it into OUT.dat. The line printed at the end gives
the pack's size, its number of entries and the time the build took.
"""

import importlib
import os
import shutil
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

SKIPPED = {"pack.txt"}


def read_generators(src_dir):
    """The (module, words) lines of src_dir/pack.txt; none when the file is missing."""
    path = os.path.join(src_dir, "pack.txt")
    lines = []
    if not os.path.exists(path):
        return lines
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.split("#", 1)[0].split()
            if line:
                lines.append((number, line[0], line[1:]))
    return lines


def copy_sources(src_dir, stage_dir):
    """Copies the hand-written files of the pack; returns their names in the pack."""
    names = []
    for root, dirs, files in os.walk(src_dir):
        rel_root = os.path.relpath(root, src_dir)
        if rel_root == ".":
            dirs[:] = sorted(d for d in dirs if d != "gen")
        else:
            dirs.sort()
        for name in sorted(files):
            rel = name if rel_root == "." else os.path.join(rel_root, name)
            if rel in SKIPPED or name.startswith(".") or name.endswith("~"):
                continue
            target = os.path.join(stage_dir, rel)
            os.makedirs(os.path.dirname(target), exist_ok=True)
            shutil.copyfile(os.path.join(src_dir, rel), target)
            names.append(rel)
    return names


def main(argv):
    if len(argv) != 5:
        sys.stderr.write(__doc__)
        return 2
    src_dir, stage_dir, out_path, respack = argv[1:]
    pack = os.path.basename(out_path)
    start = time.monotonic()
    if os.path.exists(stage_dir):
        shutil.rmtree(stage_dir)
    os.makedirs(stage_dir)
    copy_sources(src_dir, stage_dir)
    for number, module_name, words in read_generators(src_dir):
        try:
            module = importlib.import_module(module_name)
        except ImportError as e:
            sys.stderr.write("%s/pack.txt:%d: no generator %s (%s)\n"
                             % (src_dir, number, module_name, e))
            return 1
        module.generate(stage_dir, src_dir, words)
    os.makedirs(os.path.dirname(os.path.abspath(out_path)), exist_ok=True)
    subprocess.run([respack, "build", out_path, stage_dir], check=True,
                   stdout=subprocess.DEVNULL)
    entries = sum(len(files) for _, _, files in os.walk(stage_dir))
    size = os.path.getsize(out_path)
    print("content: %-16s %9d bytes  %4d entries  %5.2f s"
          % (pack, size, entries, time.monotonic() - start))
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv))
    except subprocess.CalledProcessError as e:
        sys.stderr.write("build_pack: %s failed with status %d\n" % (e.cmd[0], e.returncode))
        sys.exit(1)
