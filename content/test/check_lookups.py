#!/usr/bin/env python3
"""Every name the game's code looks up by a literal is in the content manifest.

Walks the game's sources (src/) for lookups whose name is written out in the call,
getImage("tapa"), getText("QueryExit_0"), getAnimationByName("mug.anim"), getSample(...),
playMusicByName(...), getFont("Dolly::UI"), addFadeText/flyImage(...), and checks each name
against content/manifest.txt under the kind the lookup needs. (A presence check such as
canLoadImage("3p_splash") looks for something that may rightly be absent, so it is not one.) Names built at run time (with a %
format) are left to the manifest's own check of the packs and to the end-to-end runs, which fail
on any "Missing resource" line of the game's log.

    check_lookups.py MANIFEST SOURCE_DIR...

Exit status 0 when every name is listed, 1 with one line per unlisted name otherwise.
"""
import os
import re
import sys

# The lookup call and the manifest kinds a name it takes may be listed under.
LOOKUPS = {
    "getImage": ("picture",),
    "addFadeText": ("picture",),
    "flyImage": ("picture",),
    "getText": ("text",),
    "getString": ("text",),
    "getAnimationByName": ("anim", "file"),
    "loadAnimation": ("anim", "file"),
    "getSample": ("sample",),
    "getMusic": ("music",),
    "playMusicByName": ("music",),
    "getFont": ("font",),
}
# Pictures the engine makes itself at start-up (gameapp_resources.cpp), found without any pack.
BUILT_IN = {("picture", "empty"), ("picture", "greyoverlaypatch")}
CALL = re.compile(r'\b(' + '|'.join(LOOKUPS) + r')\(\s*"([^"\\]+)"')


def read_manifest(path):
    names = set()
    with open(path, encoding="utf-8") as f:
        for line in f:
            words = line.split()
            if len(words) >= 3 and not words[0].startswith("#"):
                names.add((words[1], words[2].lower()))
    return names


def main(argv):
    if len(argv) < 3:
        print(__doc__.strip().splitlines()[-3], file=sys.stderr)
        return 2
    listed = read_manifest(argv[1]) | BUILT_IN
    missing = []
    seen = 0
    for root in argv[2:]:
        for folder, _, files in os.walk(root):
            for name in sorted(files):
                if not name.endswith((".cpp", ".h")):
                    continue
                path = os.path.join(folder, name)
                with open(path, encoding="utf-8", errors="replace") as f:
                    text = f.read()
                for m in CALL.finditer(text):
                    call, looked_up = m.group(1), m.group(2)
                    if "%" in looked_up:
                        continue
                    seen += 1
                    if not any((kind, looked_up.lower()) in listed for kind in LOOKUPS[call]):
                        line = text.count("\n", 0, m.start()) + 1
                        missing.append("%s:%d: %s(\"%s\") is not in the manifest"
                                       % (path, line, call, looked_up))
    for m in missing:
        print(m)
    print("check_lookups: %d literal lookups, %d unlisted" % (seen, len(missing)))
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
