#!/usr/bin/env python3
"""Checks a screenshot of widget-demo.

    check_shot.py splash|options|yesno|credits FILE.png

Every screen is 800 x 600.
splash:  the studio logo at full strength: a bright, warm title across the middle, a dark sky.
options: the dialog's parchment in the middle of the screen, its wooden frame around it, the
         planks outside dimmed to half.
yesno:   the same for the question, a lower panel.
credits: dark strips above the top line and below the bottom line, white text in between.
Prints what is wrong and exits with 1, else exits with 0.
"""
import os
import sys

sys.dont_write_bytecode = True  # no cache files in the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'demokit'))
from shotpng import read_png  # noqa: E402


def brightness(pixel):
    return sum(pixel) / 3.0


def region(rows, x0, y0, x1, y1):
    return [rows[y][x] for y in range(y0, y1) for x in range(x0, x1)]


def mean(pixels):
    return sum(brightness(p) for p in pixels) / len(pixels)


def check(case, rows):
    problems = []

    def expect(ok, text):
        if not ok:
            problems.append(text)

    corner = region(rows, 0, 0, 60, 60)
    corner_mean = mean(corner)
    if case == 'splash':
        title = region(rows, 150, 310, 650, 370)
        warm = [p for p in title if p[0] > 150 and p[0] > p[2] + 60]
        expect(len(warm) > len(title) // 5, 'no bright, warm title across the middle')
        night = [p for p in corner if p[2] > p[0]]
        expect(corner_mean < 90 and len(night) > len(corner) // 2,
               'the corner is not the dark night sky (%.0f)' % corner_mean)
    elif case in ('options', 'yesno'):
        y = 300 if case == 'options' else 285
        middle = region(rows, 300, y - 25, 500, y + 25)
        parchment = [p for p in middle
                     if abs(p[0] - 232) < 20 and abs(p[1] - 211) < 20 and abs(p[2] - 164) < 25]
        expect(len(parchment) > len(middle) // 3,
               'no parchment in the middle of the dialog (%d of %d)' % (len(parchment), len(middle)))
        planks = [p for p in corner if 35 < p[0] < 80 and p[0] > p[2] + 15]
        expect(len(planks) > len(corner) // 2,
               'the planks outside are not dimmed to half (%.0f)' % corner_mean)
        edge = region(rows, 0, y - 40, 800, y + 40)
        wood = [p for p in edge if 90 < p[0] < 200 and p[0] > p[2] + 50 and p[1] < 140]
        expect(len(wood) > 200, 'no wooden frame around the dialog')
    elif case == 'credits':
        top = mean(region(rows, 0, 0, 800, 45))
        bottom = mean(region(rows, 0, 560, 800, 600))
        expect(top < 26, 'the strip above the top line is not darkened (%.0f)' % top)
        expect(bottom < 26, 'the strip below the bottom line is not darkened (%.0f)' % bottom)
        text = [p for p in region(rows, 100, 100, 700, 500) if min(p) > 200]
        expect(len(text) > 300, 'no white text between the lines')
    else:
        problems.append('unknown case %s' % case)
    return problems


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    width, height, rows = read_png(sys.argv[2])
    if (width, height) != (800, 600):
        print('the screenshot is %dx%d, not 800x600' % (width, height))
        return 1
    problems = check(sys.argv[1], rows)
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
