// Table: a layout table of a screen mode, in the least form the saloon's screen helpers need.
//
// Objects are added row by row into cells (newRow, newCell, add); relayout puts each row's cells
// side by side from the table's position, a cell as wide as its widest object and a row as high
// as its highest, with the spacing between them, and places every object in its cell by its
// alignment flags (1 left, 2 right, 4 horizontal centre, 8 top, 0x10 bottom, 0x20 vertical
// centre; left and top otherwise). Showing or hiding the table shows or hides every object. The
// table's size follows its contents; setSize is virtual so that a subclass can refuse it
// (CashDigits keeps the size of its digits). The objects are shown by the mode they were added to
// by their owner; the table only places them.
//
// Usage:
//     RIR::SmartPtr<Table> pTable = new Table(pMode);
//     pTable->newCell(1);
//     pTable->add(pSprite, 9);
//     pTable->setPos(100, 50);        // relayouts
//
// Main thread only.
#ifndef DBD_WORLD_TABLE_H
#define DBD_WORLD_TABLE_H

#include "gfx/ivisualobject.h"

#include "rir2/list.h"
#include "rir2/refcount.h"

class GameMode;

class Table : public IVisualObject
{
public:
    // An empty table of the mode (which may be null), at (0, 0), depth 0, visible, no spacing.
    explicit Table(GameMode* pMode);
    ~Table() override;

    Point getSizePoint() override;
    void getSize(int* pnWidth, int* pnHeight) override;
    void setSizePoint(const Point& size) override;
    // Asks for a size; the table's size follows its contents, so it only records the wish.
    void setSize(int nWidth, int nHeight) override;
    Point getPosPoint() override;
    void getPosFloat(float* pfX, float* pfY) override;
    void getPos(int* pnX, int* pnY) override;
    void setPosPoint(const Point& pos) override;
    void setPosFloat(float fX, float fY) override;
    void setPos(int nX, int nY) override;
    int getZOrder() override { return m_nZOrder; }
    // Also the depth of every object.
    void setZOrder(int nZOrder) override;
    bool isVisible() override { return m_bVisible; }
    void setVisible(bool bVisible) override;
    void setClipRect(const Rect& clip) override;
    void clearClipRect() override;

    // Starts a new row; the next newCell opens its first cell.
    void newRow();
    // Opens a new cell in the current row (a first row is opened when there is none) spanning
    // nSpan columns (at least 1).
    void newCell(int nSpan);
    // Adds the object to the current cell (one is opened when there is none) with alignment
    // flags, and lays the table out again.
    void add(const RIR::SmartPtr<IVisualObject>& pObject, int nFlags);
    // Pixels between cells and between rows (may be negative).
    void setSpacing(int nPixels);
    void setHSpacing(int nPixels) { m_nHSpacing = nPixels; }
    void setVSpacing(int nPixels) { m_nVSpacing = nPixels; }
    // Places every object again and recomputes the size.
    void relayout();

    GameMode* getMode() const { return m_pMode; }
    int getRowCount() const { return m_lRows.getLength(); }

private:
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    struct Item
    {
        RIR::SmartPtr<IVisualObject> pObject;
        int nFlags;
    };
    struct Cell
    {
        int nSpan;
        RIR::List<Item*> lItems;
    };
    struct Row
    {
        RIR::List<Cell*> lCells;
    };

    GameMode* m_pMode; // not owned
    RIR::List<Row*> m_lRows;
    float m_fX;
    float m_fY;
    int m_nWidth;
    int m_nHeight;
    int m_nZOrder;
    bool m_bVisible;
    int m_nHSpacing;
    int m_nVSpacing;
};

#endif
