// AlignFlags: the alignment bits shared by images (insertion points), table cells and fonts.
//
// Horizontal: left, right, centre; vertical: top, bottom, centre. Each user documents how it
// reads combinations; for text the three horizontal bits together mean justified.
#ifndef DIZIDOR_GFX_ALIGNFLAGS_H
#define DIZIDOR_GFX_ALIGNFLAGS_H

enum AlignFlags
{
    ALIGN_LEFT = 0x01,
    ALIGN_RIGHT = 0x02,
    ALIGN_HCENTER = 0x04,
    ALIGN_TOP = 0x08,
    ALIGN_BOTTOM = 0x10,
    ALIGN_VCENTER = 0x20,
    // Text only: left, right and centre together.
    ALIGN_JUSTIFIED = ALIGN_LEFT | ALIGN_RIGHT | ALIGN_HCENTER
};

#endif
