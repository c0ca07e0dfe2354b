// IFramePanelBuilder: where a framed Table gets its frame from.
//
// A table with its frame on leaves room for the frame's borders around its content and shows a
// frame panel behind it: a Table of frame piece sprites in the table's mode, built for one size
// and one set of borders. The table asks a builder for the borders of a frame style, for the size
// the style can really draw (frames are made of whole pieces, so a wanted size snaps to a size the
// pieces fit), and for a new panel whenever the borders or the snapped size change. The table
// places the panel itself; a builder only makes it.
//
// The theme is the builder of the running game: whoever makes a theme current installs it here
// (install), and every table that has no builder of its own (Table::setFrameBuilder) uses the
// installed one. Tests install a double. The installed builder is borrowed: it must stay alive
// while it is installed.
//
// Usage:
//     IFramePanelBuilder* pPrevious = IFramePanelBuilder::install(pTheme);
//     ...
//     IFramePanelBuilder::install(pPrevious);
//
// Main thread only.
#ifndef DIZIDOR_UI_FRAMEPANELBUILDER_H
#define DIZIDOR_UI_FRAMEPANELBUILDER_H

#include "gfx/rect.h"
#include "rir2/refcount.h"

class GameMode;
class Table;

class IFramePanelBuilder
{
public:
    virtual ~IFramePanelBuilder();

    // The sizes of the frame style's borders (top, left, bottom, right). An unknown style raises
    // the builder's own error.
    virtual Rect getFrameBorders(const char* pszStyle) = 0;
    // Replaces *pnWidth and *pnHeight (the content size plus the borders) with the outer size
    // the style can draw. An unknown style raises the builder's own error.
    virtual void snapFrameSize(int* pnWidth, int* pnHeight, const char* pszStyle) = 0;
    // A new frame panel of that outer size whose sprites belong to pMode; never null. The caller
    // places it (position, z order, arrangement), shows or hides it and clips it.
    virtual RIR::SmartPtr<Table> buildFrameTable(GameMode* pMode, int nWidth, int nHeight,
                                                 const char* pszStyle) = 0;

    // Makes pBuilder (null: none) the builder of the tables without one of their own; returns
    // the one installed before.
    static IFramePanelBuilder* install(IFramePanelBuilder* pBuilder);
    // The installed builder, or null.
    static IFramePanelBuilder* getInstalled();
};

#endif
