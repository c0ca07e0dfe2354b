"""The TrueType faces the theme names, copied from Debian's DejaVu packages (fonts-dejavu-core and
fonts-dejavu-extra) into the pack under their file names, extension included.

    fonts <file name>...
"""

import os
import shutil
import sys

FONT_DIR = "/usr/share/fonts/truetype/dejavu"


def generate(out_dir, src_dir, args):
    for name in args:
        path = os.path.join(FONT_DIR, name)
        if not os.path.exists(path):
            sys.stderr.write("fonts: %s is missing: run scripts/deps.sh\n" % path)
            raise SystemExit(1)
        shutil.copyfile(path, os.path.join(out_dir, name))
