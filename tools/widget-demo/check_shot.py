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
import struct
import sys
import zlib


def read_png(path):
    """(width, height, rows of (r, g, b) tuples) of an 8-bit RGB or RGBA PNG."""
    with open(path, 'rb') as f:
        data = f.read()
    if data[:8] != b'\x89PNG\r\n\x1a\n':
        raise ValueError('not a PNG file')
    pos, idat = 8, b''
    width = height = channels = None
    while pos < len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b'IHDR':
            width, height, depth, colour, _, _, interlace = struct.unpack('>IIBBBBB', body)
            if depth != 8 or colour not in (2, 6) or interlace:
                raise ValueError('unexpected PNG layout')
            channels = 3 if colour == 2 else 4
        elif kind == b'IDAT':
            idat += body
        elif kind == b'IEND':
            break
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, prev = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind = raw[start]
        line = bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = prev[i]
            c = prev[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + a) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + b) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 0xFF
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pred) & 0xFF
        rows.append([tuple(line[x * channels:x * channels + 3]) for x in range(width)])
        prev = line
    return width, height, rows


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
