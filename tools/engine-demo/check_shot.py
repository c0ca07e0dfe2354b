#!/usr/bin/env python3
"""Checks a screenshot of engine-demo.

    check_shot.py window|letterbox|movie|widgets FILE.png

window:    800 x 600, many colours, the demo's sprites where they belong
letterbox: 1280 x 720, black bars left and right of the 960 x 720 picture, the picture as above
Both: no pixel of the keyed picture's colour key (magenta) anywhere.
movie:     800 x 600, a decoded frame of the generated 320 x 240 colour-bar movie scaled by 2.5:
           the eight bars in order across the top and the bright square in the middle band.
widgets:   800 x 600, the widget screen after its input script: the sound slider's full groove
           reaching past where it started, the music slider's ending a third along, the last
           radio option checked and the first not, the name box's field, the wood and the panel.
Prints what is wrong and exits with 1, else exits with 0.
"""
import os
import sys

sys.dont_write_bytecode = True  # no cache files in the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'demokit'))
from shotpng import read_png  # noqa: E402


def check_picture(rows, x0, scale, problems):
    """The demo's 800 x 600 logical picture, starting at physical column x0, scale physical
    pixels per logical pixel."""
    def at(x, y):
        return rows[int(y * scale)][x0 + int(x * scale)]

    colours = set()
    for row in rows:
        for x in range(x0, x0 + int(800 * scale)):
            colours.add(row[x])
    if len(colours) < 1000:
        problems.append('only %d colours in the picture' % len(colours))
    magenta = sum(1 for row in rows for p in row if p[0] > 200 and p[1] < 60 and p[2] > 200)
    if magenta:
        problems.append('%d magenta pixels: the colour key shows' % magenta)
    expectations = [
        ('sky in the top left corner', (30, 8), lambda p: p[2] > p[0] + 40),
        ('red-tinted ball', (90, 110), lambda p: p[0] > 2 * p[1] and p[0] > 120),
        ('green-tinted ball', (170, 110), lambda p: p[1] > 2 * p[0] and p[1] > 120),
        ('blue-tinted ball', (250, 110), lambda p: p[2] > p[0] + 60),
        ('keyed picture, yellow', (90, 470), lambda p: p[0] > 180 and p[1] > 160 and p[2] < 110),
        ('overlapping additive glows near white', (180, 340), lambda p: min(p) > 200),
        ('hills at the bottom', (30, 590), lambda p: p[1] > p[2] and p[1] > p[0]),
    ]
    for name, (x, y), test in expectations:
        pixel = at(x, y)
        if not test(pixel):
            problems.append('%s: pixel (%d, %d) is %s' % (name, x, y, pixel))


# The colour bars of the generated movie, left to right, as the decoder turns them into RGB.
BARS = [
    ('white', lambda p: min(p) > 200),
    ('yellow', lambda p: p[0] > 200 and p[1] > 200 and p[2] < 60),
    ('cyan', lambda p: p[0] < 60 and p[1] > 200 and p[2] > 200),
    ('green', lambda p: p[0] < 60 and p[1] > 200 and p[2] < 60),
    ('magenta', lambda p: p[0] > 200 and p[1] < 60 and p[2] > 200),
    ('red', lambda p: p[0] > 200 and p[1] < 60 and p[2] < 60),
    ('blue', lambda p: p[0] < 60 and p[1] < 60 and p[2] > 200),
    ('black', lambda p: max(p) < 40),
]


def check_movie(rows, problems):
    """Each bar is 40 movie pixels = 100 screen pixels wide; the top quarter has only bars. The
    square (60 movie pixels = 150 screen pixels, white) moves along the middle rows."""
    for i, (name, test) in enumerate(BARS):
        for x in (100 * i + 25, 100 * i + 50, 100 * i + 75):
            for y in (20, 75, 140):
                if not test(rows[y][x]):
                    problems.append('%s bar: pixel (%d, %d) is %s' % (name, x, y, rows[y][x]))
    row = rows[300]
    longest = run = 0
    for p in row:
        run = run + 1 if min(p) > 200 else 0
        longest = max(longest, run)
    if longest < 140:
        problems.append('no bright square in row 300 (longest bright run %d pixels)' % longest)


def check_widgets(rows, problems):
    """Where the widget screen's script leaves its widgets: the sound slider at 218 of 255 (its
    orange groove reaching x 476), the music slider at 85 (x 378), the third difficulty
    checked."""
    def orange(p):
        return p[0] > 170 and 80 < p[1] < 170 and p[2] < 90

    def dark(p):
        return max(p) < 90

    expectations = [
        ('wood around the panel', (20, 20), lambda p: abs(p[0] - 78) < 8 and abs(p[2] - 26) < 8),
        ('parchment panel', (80, 540), lambda p: p[0] > 200 and p[1] > 180 and p[2] > 130),
        ('sound groove full past the start', (410, 302), orange),
        ('sound groove empty right of 85%', (495, 302), dark),
        ('music groove full near the start', (340, 352), orange),
        ('music groove empty right of 33%', (450, 352), dark),
        ('Gunslinger checked (red mark)', (559, 242), lambda p: p[0] > 180 and p[0] > p[1] + 60),
        ('Greenhorn unchecked (green mark)', (312, 242), lambda p: p[1] > p[0] + 20),
        ('name field', (420, 150), lambda p: p[0] > 220 and p[1] > 200),
    ]
    for name, (x, y), test in expectations:
        pixel = rows[y][x]
        if not test(pixel):
            problems.append('%s: pixel (%d, %d) is %s' % (name, x, y, pixel))
    # Typed text in the name field: dark pixels between its left edge and the middle.
    ink = sum(1 for y in range(134, 150) for x in range(305, 420) if max(rows[y][x]) < 110)
    if ink < 60:
        problems.append('no text in the name field (%d dark pixels)' % ink)


def main():
    case, path = sys.argv[1], sys.argv[2]
    width, height, rows = read_png(path)
    problems = []
    if case == 'window':
        if (width, height) != (800, 600):
            problems.append('size %dx%d instead of 800x600' % (width, height))
        else:
            check_picture(rows, 0, 1.0, problems)
    elif case == 'widgets':
        if (width, height) != (800, 600):
            problems.append('size %dx%d instead of 800x600' % (width, height))
        else:
            check_widgets(rows, problems)
    elif case == 'letterbox':
        if (width, height) != (1280, 720):
            problems.append('size %dx%d instead of 1280x720' % (width, height))
        else:
            # 800 x 600 at 720 / 600 = 1.2 is 960 wide, 160 pixels in from either side.
            for name, columns in (('left', range(0, 158)), ('right', range(1122, 1280))):
                lit = sum(1 for row in rows for x in columns if row[x] != (0, 0, 0))
                if lit:
                    problems.append('%d pixels of the %s bar are not black' % (lit, name))
            check_picture(rows, 160, 1.2, problems)
    elif case == 'movie':
        if (width, height) != (800, 600):
            problems.append('size %dx%d instead of 800x600' % (width, height))
        else:
            check_movie(rows, problems)
    else:
        problems.append('unknown case ' + case)
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
