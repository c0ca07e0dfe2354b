// Table: the grid layout container of the widget layer.
//
// A table holds visual objects (sprites, controls, nested tables) in rows of cells, each cell a
// stack of layers (ui/tablecell.h). It measures the objects, sizes the columns and rows, and
// places every object at its position and z order; it draws nothing itself. Its objects are
// sprites of one GameMode, or nested tables whose objects are. Every dialog lays out its content
// with a table; a table may also carry a themed frame around its content (a frame panel made by
// an IFramePanelBuilder, ui/framepanelbuilder.h), sprites anchored to its content (attached
// sprites) and a table of named objects.
//
// Two passes (ui/table_layout.cpp, ui/table_frame.cpp):
// - layout: column widths (widened by spanning cells and by the extra width up to the requested
//   width, shared among the flexible columns), row heights (with the extra height shared among
//   all rows), cell sizes, and the table's own size. It runs only when something made the layout
//   invalid (add, setSize, the spacing setters, relayout).
// - arrange: lays out when needed, rebuilds or moves the frame panel, places each layer by its
//   alignment at z = table z + z base + k x z step (k the layer's index in its cell), then the
//   attached sprites. Moving the table or changing its z order arranges without a new layout.
// Arithmetic is on int pixels with quotients truncated toward zero; remainders of the extra width
// and height are dropped.
//
// Usage:
//     RIR::SmartPtr<Table> pTable = new Table(pMode);
//     pTable->newRow();
//     pTable->newCell(1);
//     pTable->add(pLabel, 0x24);
//     pTable->newCell(2);
//     pTable->add(pButton, 0x24);
//     pTable->setCellFlags(CF_FIXED_WIDTH);
//     pTable->setFrame("");
//     pTable->relayout();
//     pTable->setPos(100, 80);
//
// Create tables with new and hold them through SmartPtr. Main thread only.
#ifndef DIZIDOR_UI_TABLE_H
#define DIZIDOR_UI_TABLE_H

#include "gfx/ivisualobject.h"
#include "gfx/point.h"
#include "gfx/rect.h"
#include "gfx/sprite.h"
#include "rir2/hash.h"
#include "rir2/list.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"
#include "ui/tableattached.h"
#include "ui/tablecell.h"

class GameMode;
class IFramePanelBuilder;

// Which dimensions Table::setSize may change (a bit set).
enum TableSizeFlags
{
    TSF_WIDTH = 1,
    TSF_HEIGHT = 2
};

class Table : public IVisualObject
{
public:
    // An empty table whose contents join pMode: at (0, 0), z 0, visible, size 0 x 0, no spacing,
    // no frame (frame style ""), size flags TSF_WIDTH | TSF_HEIGHT, z base 3, z step 10.
    explicit Table(GameMode* pMode);
    // Deletes the attached-sprite records (the sprites stay in the mode); with owns contents
    // set, destroyContents first.
    ~Table() override;

    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    // ---- IVisualObject -----------------------------------------------------------------------

    // The content size; lays out first when the layout is not valid.
    Point getSizePoint() override;
    void getSize(int* pnWidth, int* pnHeight) override;
    // setSize, the point truncated.
    void setSizePoint(const Point& size) override;
    // With TSF_WIDTH the width and the requested width take nWidth; with TSF_HEIGHT the height
    // and the requested height take nHeight. The layout becomes invalid in every case. Does not
    // arrange.
    void setSize(int nWidth, int nHeight) override;
    // The top-left corner of the content.
    Point getPosPoint() override;
    void getPosFloat(float* pfX, float* pfY) override;
    void getPos(int* pnX, int* pnY) override;
    // Store the position and arrange.
    void setPosPoint(const Point& pos) override;
    void setPosFloat(float fX, float fY) override;
    void setPos(int nX, int nY) override;
    int getZOrder() override { return m_nZOrder; }
    // Stores the z order and arranges.
    void setZOrder(int nZOrder) override;
    bool isVisible() override { return m_bVisible; }
    // Stores the flag and passes it to every layer object (row by row, cell by cell, bottom
    // layer first), then to the frame panel, then to every attached sprite.
    void setVisible(bool bVisible) override;
    // Stores the clip and passes it to every layer object and then to the frame panel; attached
    // and debug sprites are not clipped. A frame panel built later takes the stored clip.
    void setClipRect(const Rect& clip) override;
    void clearClipRect() override;

    // ---- building (on the last row and its last cell, the current cell) ----------------------

    void newRow();
    // Appends a cell of that span (at least 1) and flags 0 to the last row, appending a row
    // first when there is none.
    void newCell(int nSpan);
    // The current cell; appends a row when there is none and a cell of span 1 when the last row
    // is empty.
    RIR::SmartPtr<Cell> getLastCell();
    // Appends a layer {object, alignment} to the current cell. A sprite in no mode joins the
    // table's mode (GameMode::addSprite); one already in a mode stays there. A table is also
    // recorded among the sub-tables. The layout becomes invalid; nothing is arranged. A null
    // object raises AssertFailException.
    void add(RIR::SmartPtr<IVisualObject> pObject, int nAlign);
    // Replaces the CellFlags of the current cell.
    void setCellFlags(int nFlags);
    // Registers the top object of the current cell under the name (replacing an earlier one).
    // BadStateException when the table has no cell with an object to name.
    void nameLast(const char* pszName);
    // The object of that name in this table, else in the sub-tables in the order added (depth
    // first); null when none has it.
    RIR::SmartPtr<IVisualObject> findObject(const char* pszName);

    // ---- configuration -----------------------------------------------------------------------

    // The gaps between columns and between rows; each makes the layout invalid and arranges.
    void setSpacing(int nSpacing);
    void setHSpacing(int nSpacing);
    void setVSpacing(int nSpacing);
    int getHSpacing() const { return m_nHSpacing; }
    int getVSpacing() const { return m_nVSpacing; }
    // TableSizeFlags.
    void setFlags(int nFlags) { m_nSizeFlags = nFlags; }
    int getFlags() const { return m_nSizeFlags; }
    // Frame on with that frame style; the frame follows at the next arrangement.
    void setFrame(const char* pszStyle);
    // The frame flag alone; the frame follows at the next arrangement.
    void enableFrame(bool bOn) { m_bFrameOn = bOn; }
    bool isFrameEnabled() const { return m_bFrameOn; }
    const RIR::String& getFrameSpec() const { return m_sFrameSpec; }
    // Extra space between the content and the frame; the frame follows at the next arrangement.
    void setPadding(int nTop, int nLeft, int nBottom, int nRight);
    // The z distance from the table's z to the bottom layer of each cell, and between layers.
    void setZBaseStep(int nBase, int nStep);
    void setName(const char* pszName) { m_sName = pszName; }
    const RIR::String& getName() const { return m_sName; }
    // With it set, the destructor empties and releases the contents (destroyContents).
    void setOwnsContents(bool bOwns) { m_bOwnsContents = bOwns; }
    // The builder of this table's frame panel; null (the default) uses the installed one
    // (IFramePanelBuilder::install). Borrowed: it must outlive the table's use of it.
    void setFrameBuilder(IFramePanelBuilder* pBuilder) { m_pFrameBuilder = pBuilder; }
    // The builder the frame is asked of. BadStateException when there is none.
    IFramePanelBuilder* getFrameBuilder() const;
    // Cell and row rectangles drawn under the contents at every arrangement (needs an
    // application to make their images).
    void setDebugDisplay(bool bOn) { m_bDebugDisplay = bOn; }

    // ---- attached sprites --------------------------------------------------------------------

    // Anchors the sprite (already in a mode: the table does not add it) to the content; an
    // animated sprite gets a player controller so that its animation runs. The attached
    // sprites are placed at once.
    void attachSprite(RIR::SmartPtr<Sprite> pSprite, int nAnchor, int nZOffset);
    // A new list of the attached sprites in order.
    RIR::List<RIR::SmartPtr<Sprite>> getAttachedSprites();

    // ---- look-up (an index outside its list raises the list's index error) -------------------

    int getRowCount() const { return m_lRows.getLength(); }
    int getCellCount(int nRow) const;
    int getLayerCount(int nRow, int nCell) const;
    RIR::SmartPtr<IVisualObject> getObject(int nRow, int nCell, int nLayer) const;
    // The cell itself (its span, flags and the size the layout gave it).
    RIR::SmartPtr<Cell> getCell(int nRow, int nCell) const;
    GameMode* getMode() const { return m_pMode; }
    // The frame panel now built, or null.
    RIR::SmartPtr<Table> getFrameTable() const { return m_pFrameTable; }
    // A new list: when recursive and a frame panel is shown, its sprites first; then every
    // layer object that is a sprite, and, when recursive, the sprites of nested tables.
    // Attached sprites are not included.
    RIR::List<RIR::SmartPtr<Sprite>> getSprites(bool bRecursive);

    // ---- arranging and removal ---------------------------------------------------------------

    // Makes the layout invalid and arranges.
    void relayout();
    // Column widths, row heights, cell sizes and the table's size (see the file comment).
    void layout();
    // Places every object, the frame panel and the attached sprites; lays out first when the
    // layout is not valid.
    void arrange();
    // Places the attached sprites on the content rectangle.
    void arrangeAttached();
    // Removes every layer sprite from the mode (nested tables likewise, recursively), then the
    // attached sprites. The cells keep their objects; the frame panel is not touched.
    void removeContentsFromMode();
    // Removes every attached sprite from the mode and forgets it.
    void removeAttachedFromMode();
    // As removeContentsFromMode, dropping each layer's object after its removal (nested tables
    // destroy theirs); then the frame is turned off and the frame panel destroyed and released.
    void destroyContents();
    // removeContentsFromMode, then drops every row. The last size stays until the layout is
    // made invalid.
    void clear();

    // The indentation of the layout and arrangement now running: four blanks per nesting level.
    static const RIR::String& getLayoutIndent();

private:
    // Calls f with every object of every layer of every cell, rows first, in the order added.
    template <class F>
    void forEachCellObject(F f)
    {
        for (int r = 0; r < m_lRows.getLength(); ++r)
        {
            RIR::SmartPtr<TableRow> pRow = m_lRows.get(r);
            for (int c = 0; c < pRow->getLength(); ++c)
            {
                RIR::SmartPtr<Cell> pCell = pRow->get(c);
                for (int l = 0; l < pCell->m_lLayers.getLength(); ++l)
                {
                    RIR::SmartPtr<IVisualObject> pObject = pCell->m_lLayers.get(l)->m_pObject;
                    if (pObject)
                        f(pObject);
                }
            }
        }
    }

    // The frame-aware helpers: a table whose frame is on counts its borders around itself.
    static void measureFramed(IVisualObject* pObject, int* pnWidth, int* pnHeight);
    static void sizeFramed(IVisualObject* pObject, int nWidth, int nHeight);
    static void positionFramed(IVisualObject* pObject, int nX, int nY);
    // Builds, moves or drops the frame panel (ui/table_frame.cpp).
    void updateFrame();
    // Places a panel: position and z without arranging twice, then one arrangement.
    void placeFrameTable(const Point& pos);
    // Debug rectangles: one sprite of a random light (cell) or dark (row) colour.
    void addDebugRect(float fX, float fY, int nWidth, int nHeight, int nBase);
    void removeDebugSprites();
    RIR::SmartPtr<TableRow> lastRow();

    RIR::List<RIR::SmartPtr<TableRow>> m_lRows;
    Point m_pos;
    bool m_bVisible;
    int m_nWidth;
    int m_nHeight;
    bool m_bLayoutValid;
    int m_nRequestedWidth;
    int m_nRequestedHeight;
    int m_nHSpacing;
    int m_nVSpacing;
    bool m_bFrameOn;
    int m_nZOrder;
    bool m_bOwnsContents;
    RIR::SmartPtr<Table> m_pFrameTable;
    RIR::String m_sFrameSpec;
    RIR::String m_sOldFrameSpec;            // key of the frame panel now built
    RIR::List<AttachedSprite*> m_lAttached; // owned
    GameMode* m_pMode;
    int m_nSizeFlags;
    RIR::List<RIR::SmartPtr<Sprite>> m_lDebugSprites;
    bool m_bDebugDisplay;
    Rect m_rMargin;
    RIR::Hash<RIR::String, RIR::SmartPtr<IVisualObject>> m_hNamed;
    RIR::List<RIR::SmartPtr<Table>> m_lSubTables;
    int m_nZBase;
    int m_nZStep;
    RIR::String m_sName;
    bool m_bClipped;
    Rect m_rClip;
    IFramePanelBuilder* m_pFrameBuilder; // borrowed; null: the installed one
};

#endif
