#!/usr/bin/env python3
"""Checks a screenshot of a level dialog over the saloon (saloon-demo --dialog).

    check_dialog_shot.py FILE.png

The screen is 800 x 600. The saloon's floor at the bottom corners is dimmed to half (no channel
above 110, still not black), and the middle of the screen shows a bright area (at least 500 of
the samples): the dialog's parchment or the tip's balloon.
Prints what is wrong and exits with 1, else exits with 0.
"""
import os
import sys

sys.dont_write_bytecode = True  # no cache files in the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'demokit'))
from shotpng import read_png  # noqa: E402


def main():
    width, height, rows = read_png(sys.argv[1])
    problems = []
    if (width, height) != (800, 600):
        problems.append('size %dx%d' % (width, height))
    else:
        for x, y in ((20, 590), (300, 590)):
            r, g, b = rows[y][x][:3]
            if max(r, g, b) > 110 or max(r, g, b) < 15:
                problems.append('floor at %d,%d not dimmed to half: %s' % (x, y, (r, g, b)))
        bright = sum(1 for y in range(150, 450, 4) for x in range(250, 750, 4)
                     if sum(rows[y][x][:3]) / 3.0 > 170)
        if bright < 500:
            problems.append('no bright panel in the middle (%d bright samples)' % bright)
    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
