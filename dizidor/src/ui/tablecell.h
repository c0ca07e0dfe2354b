// Cell and CellLayer: the building blocks of a Table (ui/table.h).
//
// A table is rows of cells; a cell covers one or more columns (its span) and stacks layers, the
// bottom layer first. Each layer holds one visual object (sprite, control or nested table) and
// how the object is aligned inside the cell (AlignFlags of gfx/alignflags.h: 2 right,
// 4 horizontal centre, 0x10 bottom, 0x20 vertical centre; without its bits an axis is left or
// top). The layout writes the cell's width and height; the arrangement places the layers.
#ifndef DIZIDOR_UI_TABLECELL_H
#define DIZIDOR_UI_TABLECELL_H

#include "gfx/ivisualobject.h"
#include "rir2/list.h"
#include "rir2/refcount.h"

// How a cell takes part in the layout (a bit set).
enum CellFlags
{
    // The columns of this cell do not take a share of the extra width. A column stays fixed only
    // when every cell that covers it has this bit.
    CF_FIXED_WIDTH = 1,
    // A sprite of this cell is placed with the insertion point of its image added to its
    // aligned position, so that an image drawn around its hot spot lands in the cell.
    CF_ADD_HOTSPOT = 2
};

class CellLayer : public RIR::RefCountedObject
{
public:
    CellLayer(RIR::SmartPtr<IVisualObject> pObject, int nAlign)
        : m_pObject(pObject), m_nAlign(nAlign)
    {
    }

    // Null only after Table::destroyContents dropped it.
    RIR::SmartPtr<IVisualObject> m_pObject;
    int m_nAlign;
};

class Cell : public RIR::RefCountedObject
{
public:
    // No layers, flags 0, size 0 x 0; the span is at least 1.
    explicit Cell(int nSpan);

    RIR::List<RIR::SmartPtr<CellLayer>> m_lLayers; // bottom layer first
    int m_nSpan;
    int m_nWidth;  // the widths of the columns it covers, without the spacing between them
    int m_nHeight; // the height of its row
    int m_nFlags;  // CellFlags
};

// One row of a table, its cells from left to right.
typedef RIR::List<RIR::SmartPtr<Cell>> TableRow;

#endif
