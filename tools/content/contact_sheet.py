#!/usr/bin/python3
"""Lays out every picture of the built packs and every frame of every animation sequence,
labelled, on a few large PNG sheets.

    contact_sheet.py [--animsheet PATH] [--subjects FILE] [--out DIR] [--width W] [--height H]
                     PACK.dat...

One run of `animsheet` (tools/animsheet) reads the packs once: it copies the pictures out and draws
each sequence as a strip of its frames, with the layers of a character stacked as the subjects
file (tools/content/sheet_subjects.txt) lists them. The picture sheets come first
(contact_00.png, ...): each picture at its size (scaled down only when larger than a cell allows)
on a checkerboard, so that transparency shows, with the pack and the resource name under it; a
stretched copy of each button state and a 3 x 3 tiling of the frame pieces come first, so a look
shows whether the states differ and the frame tiles without seams. The animation sheets follow
(anim_00.png, ...): per subject and sequence the frames side by side with the insertion point
marked, numbered, with the frame properties (markers) under the frames that carry them;
contents.txt says which subject is on which of them.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile

import cairo

MARGIN = 12
LABEL = 14
MAX_CELL = 420


def run_animsheet(animsheet, subjects, packs, work):
    """Runs animsheet into work; returns (pictures, strips) read from its index."""
    subprocess.run([animsheet, work, subjects] + list(packs), check=True)
    pictures, strips = [], []
    with open(os.path.join(work, "index.txt"), encoding="utf-8") as f:
        for line in f:
            words = line.split()
            if words[0] == "picture":
                pictures.append((words[2], words[3],
                                 cairo.ImageSurface.create_from_png(
                                     os.path.join(work, words[1]))))
            elif words[0] == "strip":
                path, title, seq = words[1], words[2], words[3]
                frames, cw, ch, ox, oy = (int(w) for w in words[4:9])
                markers = {}
                if words[9] != "-":
                    for m in words[9].split(","):
                        i, key = m.split(":", 1)
                        markers.setdefault(int(i), []).append(key)
                strips.append((title, seq, frames, cw, ch, ox, oy, markers,
                               os.path.join(work, path)))
    return pictures, strips


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


def picture_sheets(pictures, options):
    cells = composed_views(pictures) + pictures
    placed = layout(cells, options.width, options.height)
    sheets = (placed[-1][0] + 1) if placed else 0
    paths = []
    for n in range(sheets):
        out, ctx = new_sheet(options)
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
        paths.append(write_sheet(out, options, "contact_%02d.png" % n))
    return paths


def new_sheet(options):
    out = cairo.ImageSurface(cairo.FORMAT_RGB24, options.width, options.height)
    ctx = cairo.Context(out)
    ctx.set_source_rgb(0.16, 0.14, 0.13)
    ctx.paint()
    ctx.select_font_face("DejaVu Sans", cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_NORMAL)
    ctx.set_font_size(10)
    return out, ctx


def write_sheet(out, options, name):
    path = os.path.join(options.out, name)
    out.write_to_png(path)
    print(path)
    return path


def anim_sheets(strips, options):
    """Rows of strips, each with its subject and sequence above and the frame numbers and
    markers below; a new subject starts a new row."""
    paths = []
    contents = []   # (sheet, title) in order
    sheet_no = 0
    out, ctx = new_sheet(options)
    x, y, row_h = MARGIN, MARGIN, 0
    title_now = None
    used = False

    def flush():
        nonlocal out, ctx, sheet_no, used
        if used:
            paths.append(write_sheet(out, options, "anim_%02d.png" % sheet_no))
            sheet_no += 1
        out, ctx = new_sheet(options)
        used = False

    for title, seq, frames, cw, ch, ox, oy, markers, path in strips:
        surf = cairo.ImageSurface.create_from_png(path)
        max_w = options.width - 2 * MARGIN
        scale = min(1.0, max_w / float(frames * cw), (options.height - 4 * MARGIN - 60) / float(ch))
        lines = max([len(m) for m in markers.values()] + [0])
        w = max(int(frames * cw * scale), 6 * (len(seq) + 2))
        h = LABEL + int(ch * scale) + 12 + 11 * lines
        if title != title_now:
            title_now = title
            x, y, row_h = MARGIN, y + row_h + (MARGIN if x > MARGIN else 0), 0
            if y + 22 + h + MARGIN > options.height:
                flush()
                x, y, row_h = MARGIN, MARGIN, 0
            ctx.set_source_rgb(1.0, 0.8, 0.45)
            ctx.set_font_size(14)
            ctx.move_to(x, y + 14)
            ctx.show_text(title)
            ctx.set_font_size(10)
            y += 22
        if x + w + MARGIN > options.width:
            x, y, row_h = MARGIN, y + row_h + MARGIN, 0
        if y + h + MARGIN > options.height:
            flush()
            x, y, row_h = MARGIN, MARGIN, 0
            ctx.set_source_rgb(1.0, 0.8, 0.45)
            ctx.move_to(x, y + 10)
            ctx.show_text(title + " (continued)")
            y += 16
        used = True
        if not contents or contents[-1] != (sheet_no, title):
            contents.append((sheet_no, title))
        ctx.set_source_rgb(0.95, 0.9, 0.8)
        ctx.move_to(x, y + 11)
        ctx.show_text("%s  (%d)" % (seq, frames))
        top = y + LABEL
        for i in range(frames):
            fx = x + i * cw * scale
            checker(ctx, fx, top, cw * scale - 1, ch * scale)
        ctx.save()
        ctx.translate(x, top)
        ctx.scale(scale, scale)
        ctx.set_source_surface(surf, 0, 0)
        ctx.paint()
        ctx.restore()
        for i in range(frames):
            fx = x + i * cw * scale
            # the insertion point: where the game puts the sprite's position
            ctx.set_source_rgba(1.0, 0.1, 0.1, 0.8)
            ctx.rectangle(fx + ox * scale - 1, top + oy * scale - 1, 3, 3)
            ctx.fill()
            ctx.set_source_rgb(0.6, 0.58, 0.55)
            ctx.move_to(fx + 2, top + ch * scale + 10)
            ctx.show_text(str(i))
            ctx.set_source_rgb(0.55, 0.85, 0.55)
            for k, m in enumerate(markers.get(i, [])):
                ctx.move_to(fx + 2, top + ch * scale + 21 + 11 * k)
                ctx.show_text(m[:max(4, int(cw * scale / 6))])
        x += w + MARGIN
        row_h = max(row_h, h)
    flush()
    # Which subject is on which sheet.
    with open(os.path.join(options.out, "contents.txt"), "w", encoding="utf-8") as f:
        for n, title in contents:
            f.write("anim_%02d.png %s\n" % (n, title))
    return paths


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--animsheet", default="animsheet")
    parser.add_argument("--subjects",
                        default=os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                             "sheet_subjects.txt"))
    parser.add_argument("--out", default=".")
    parser.add_argument("--width", type=int, default=1600)
    parser.add_argument("--height", type=int, default=1200)
    parser.add_argument("packs", nargs="+")
    options = parser.parse_args(argv[1:])
    os.makedirs(options.out, exist_ok=True)
    for name in os.listdir(options.out):
        if (name.startswith("contact_") or name.startswith("anim_")) and name.endswith(".png") \
                or name == "contents.txt":
            os.remove(os.path.join(options.out, name))
    work = tempfile.mkdtemp(prefix="contact_")
    try:
        pictures, strips = run_animsheet(options.animsheet, options.subjects, options.packs, work)
        picture_sheets(pictures, options)
        anim_sheets(strips, options)
    finally:
        shutil.rmtree(work)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
