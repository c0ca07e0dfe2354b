#!/usr/bin/python3
"""Lays out every picture of the built packs, labelled, on a few large PNG sheets.

    contact_sheet.py [--respack PATH] [--out DIR] [--width W] [--height H] PACK.dat...

Pictures (".png" entries) are read from the packs with `respack cat`, shown at their size (scaled
down only when wider or taller than a sheet's cell row allows) on a checkerboard, so that
transparency shows, with the pack and the resource name under each. Sheets are written as
contact_00.png, contact_01.png, ... into DIR (the current folder by default); a stretched copy of
each button state and a 3 x 3 tiling of the frame pieces come first, so a look shows whether the
states differ and the frame tiles without seams.
"""

import argparse
import io
import os
import subprocess
import sys

import cairo

MARGIN = 12
LABEL = 14
MAX_CELL = 420


def pack_pictures(respack, pack):
    listing = subprocess.run([respack, "list", pack], check=True, capture_output=True,
                             text=True).stdout
    names = [line.split("\t")[0] for line in listing.splitlines() if line.strip()]
    pictures = []
    for name in sorted(names):
        if not name.endswith(".png"):
            continue
        data = subprocess.run([respack, "cat", pack, name], check=True,
                              capture_output=True).stdout
        pictures.append((os.path.basename(pack), name[:-4],
                         cairo.ImageSurface.create_from_png(io.BytesIO(data))))
    return pictures


def checker(ctx, x, y, w, h):
    ctx.save()
    ctx.rectangle(x, y, w, h)
    ctx.clip()
    ctx.set_source_rgb(0.78, 0.78, 0.78)
    ctx.paint()
    ctx.set_source_rgb(0.62, 0.62, 0.62)
    for j in range(int(h) // 8 + 1):
        for i in range(int(w) // 8 + 1):
            if (i + j) % 2:
                ctx.rectangle(x + i * 8, y + j * 8, 8, 8)
    ctx.fill()
    ctx.restore()


def composed_views(pictures):
    """Extra cells: buttons stretched to 220 px by their caps, and the frame tiled 3 x 3."""
    by_name = {name: s for _, name, s in pictures}
    views = []
    states = ["button_normal", "button_highlight", "button_pushed", "button_disabled"]
    if all(n in by_name for n in states):
        cap = 14
        w = 220
        h = by_name[states[0]].get_height()
        out = cairo.ImageSurface(cairo.FORMAT_ARGB32, w, (h + 6) * 4)
        ctx = cairo.Context(out)
        for i, n in enumerate(states):
            src = by_name[n]
            sw = src.get_width()
            y = i * (h + 6)
            for x0, x1, sx in ((0, cap, 0), (w - cap, w, sw - cap)):
                ctx.save()
                ctx.rectangle(x0, y, x1 - x0, h)
                ctx.clip()
                ctx.set_source_surface(src, x0 - sx, y)
                ctx.paint()
                ctx.restore()
            ctx.save()
            ctx.rectangle(cap, y, w - 2 * cap, h)
            ctx.clip()
            ctx.translate(cap, y)
            ctx.scale((w - 2 * cap) / float(sw - 2 * cap), 1)
            ctx.set_source_surface(src, -cap, 0)
            ctx.get_source().set_filter(cairo.FILTER_NEAREST)
            ctx.paint()
            ctx.restore()
        views.append(("composed", "buttons stretched", out))
    parts = ["frame_ul", "frame_top", "frame_ur", "frame_left", "frame_back", "frame_right",
             "frame_ll", "frame_bottom", "frame_lr"]
    if all(n in by_name for n in parts):
        t = by_name["frame_ul"].get_width()
        e = by_name["frame_top"].get_width()
        n = 3
        size = 2 * t + n * e
        out = cairo.ImageSurface(cairo.FORMAT_ARGB32, size, size)
        ctx = cairo.Context(out)

        def put(name, x, y):
            ctx.set_source_surface(by_name[name], x, y)
            ctx.paint()

        for i in range(n):
            put("frame_top" if i != 1 or "frame_top2" not in by_name else "frame_top2",
                t + i * e, 0)
            put("frame_bottom", t + i * e, t + n * e)
            put("frame_left", 0, t + i * e)
            put("frame_right", t + n * e, t + i * e)
            for j in range(n):
                put("frame_back", t + i * e, t + j * e)
        put("frame_ul", 0, 0)
        put("frame_ur", t + n * e, 0)
        put("frame_ll", 0, t + n * e)
        put("frame_lr", t + n * e, t + n * e)
        views.append(("composed", "frame tiled 3x3", out))
    return views


def layout(cells, width, height):
    """Rows of cells, sheet by sheet: [(sheet, x, y, scale, cell)]."""
    placed = []
    sheet, x, y, row_h = 0, MARGIN, MARGIN, 0
    for cell in cells:
        s = cell[2]
        scale = min(1.0, MAX_CELL / float(max(s.get_width(), s.get_height())))
        # Wide enough for the labels (about 6 px a character at the label size).
        w = max(int(s.get_width() * scale), 6 * max(len(cell[1]), len(cell[0]) + 8) + 4)
        h = int(s.get_height() * scale) + LABEL * 2
        if x + w + MARGIN > width:
            x, y, row_h = MARGIN, y + row_h + MARGIN, 0
        if y + h + MARGIN > height:
            sheet, x, y, row_h = sheet + 1, MARGIN, MARGIN, 0
        placed.append((sheet, x, y, scale, cell))
        x += w + MARGIN
        row_h = max(row_h, h)
    return placed


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--respack", default="respack")
    parser.add_argument("--out", default=".")
    parser.add_argument("--width", type=int, default=1600)
    parser.add_argument("--height", type=int, default=1200)
    parser.add_argument("packs", nargs="+")
    options = parser.parse_args(argv[1:])
    pictures = []
    for pack in options.packs:
        pictures.extend(pack_pictures(options.respack, pack))
    cells = composed_views(pictures) + pictures
    placed = layout(cells, options.width, options.height)
    sheets = (placed[-1][0] + 1) if placed else 0
    os.makedirs(options.out, exist_ok=True)
    for n in range(sheets):
        out = cairo.ImageSurface(cairo.FORMAT_RGB24, options.width, options.height)
        ctx = cairo.Context(out)
        ctx.set_source_rgb(0.16, 0.14, 0.13)
        ctx.paint()
        ctx.select_font_face("DejaVu Sans", cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_NORMAL)
        ctx.set_font_size(10)
        for sheet, x, y, scale, (pack, name, s) in placed:
            if sheet != n:
                continue
            w, h = s.get_width() * scale, s.get_height() * scale
            checker(ctx, x, y, w, h)
            ctx.save()
            ctx.translate(x, y)
            ctx.scale(scale, scale)
            ctx.set_source_surface(s, 0, 0)
            ctx.paint()
            ctx.restore()
            ctx.set_source_rgb(0.95, 0.9, 0.8)
            ctx.move_to(x, y + h + 11)
            ctx.show_text(name)
            ctx.set_source_rgb(0.6, 0.58, 0.55)
            ctx.move_to(x, y + h + 23)
            ctx.show_text("%s %dx%d" % (pack, s.get_width(), s.get_height()))
        path = os.path.join(options.out, "contact_%02d.png" % n)
        out.write_to_png(path)
        print(path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
