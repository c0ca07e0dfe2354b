// FrameStyle: one named frame look of the theme, made of up to 17 part pictures.
//
// The theme fills it from "frame", "decoration" and "border_udlr" lines (ui/theme.h); the frame
// drawing reads it. Its arrays are indexed by FramePart. A style owns its decorations.
#ifndef DIZIDOR_UI_FRAMESTYLE_H
#define DIZIDOR_UI_FRAMESTYLE_H

#include "gfx/image.h"
#include "gfx/rect.h"

#include "rir2/list.h"
#include "rir2/refcount.h"

// The parts of a frame. The middle pieces of the edges, the corners, the side pieces next to the
// corners (left edge upper and lower, right edge upper and lower, top edge left and right,
// bottom edge left and right), and the background tile.
enum FramePart
{
    FP_TOP = 0,
    FP_BOTTOM = 1,
    FP_LEFT = 2,
    FP_RIGHT = 3,
    FP_UL = 4,
    FP_UR = 5,
    FP_LL = 6,
    FP_LR = 7,
    FP_LT = 8,
    FP_LB = 9,
    FP_RT = 10,
    FP_RB = 11,
    FP_TL = 12,
    FP_TR = 13,
    FP_BL = 14,
    FP_BR = 15,
    FP_BACK = 16,
    FP_COUNT = 17
};

// A picture shown over a frame part; with bIgnoreSize it is shown even when larger than the
// frame.
struct Decoration
{
    Decoration() : bIgnoreSize(false) {}
    RIR::SmartPtr<Image> pImage;
    bool bIgnoreSize;
};

struct FrameStyle
{
    // No part, no decoration, borders 0, nothing set.
    FrameStyle();
    // Deletes the decorations.
    virtual ~FrameStyle();

    FrameStyle(const FrameStyle&) = delete;
    FrameStyle& operator=(const FrameStyle&) = delete;

    Rect rBorder;
    RIR::SmartPtr<Image> lFramePart[FP_COUNT];
    bool bFrameFixed[FP_COUNT];
    RIR::List<RIR::SmartPtr<Image>> lPartImages[FP_COUNT];
    RIR::List<Decoration*> lDecorations[FP_COUNT];
    bool bHasBorderParts;
    bool bHasAlpha;
    bool bBorderSet;
};

#endif
