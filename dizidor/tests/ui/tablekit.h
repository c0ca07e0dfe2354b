// Stand-ins for the Table tests: a box of fixed or stretchable size that records how the table
// placed it, and a frame-panel builder that records the panels it builds.
#ifndef DIZIDOR_TESTS_UI_TABLEKIT_H
#define DIZIDOR_TESTS_UI_TABLEKIT_H

#include "gfx/ivisualobject.h"
#include "ui/framepanelbuilder.h"
#include "ui/table.h"

#include "rir2/hash.h"

#include <string>
#include <vector>

// A visual object that is not a sprite: its size is fixed (as a sprite's) unless it stretches,
// then it takes the size it is given.
class Box : public IVisualObject
{
public:
    Box(int nWidth, int nHeight, bool bStretch = false)
        : m_nWidth(nWidth), m_nHeight(nHeight), m_bStretch(bStretch)
    {
    }

    Point getSizePoint() override { return Point((float)m_nWidth, (float)m_nHeight); }
    void getSize(int* pnWidth, int* pnHeight) override
    {
        if (pnWidth)
            *pnWidth = m_nWidth;
        if (pnHeight)
            *pnHeight = m_nHeight;
    }
    void setSizePoint(const Point& size) override { setSize((int)size.x, (int)size.y); }
    void setSize(int nWidth, int nHeight) override
    {
        m_nOfferedW = nWidth;
        m_nOfferedH = nHeight;
        if (m_bStretch)
        {
            m_nWidth = nWidth;
            m_nHeight = nHeight;
        }
    }
    Point getPosPoint() override { return m_pos; }
    void getPosFloat(float* pfX, float* pfY) override
    {
        *pfX = m_pos.x;
        *pfY = m_pos.y;
    }
    void getPos(int* pnX, int* pnY) override
    {
        *pnX = (int)m_pos.x;
        *pnY = (int)m_pos.y;
    }
    void setPosPoint(const Point& pos) override { m_pos = pos; }
    void setPosFloat(float fX, float fY) override { m_pos = Point(fX, fY); }
    void setPos(int nX, int nY) override { m_pos = Point((float)nX, (float)nY); }
    int getZOrder() override { return m_nZ; }
    void setZOrder(int nZ) override { m_nZ = nZ; }
    bool isVisible() override { return m_bVisible; }
    void setVisible(bool bVisible) override { m_bVisible = bVisible; }
    void setClipRect(const Rect& clip) override
    {
        m_bClipped = true;
        m_clip = clip;
    }
    void clearClipRect() override { m_bClipped = false; }

    int x() const { return (int)m_pos.x; }
    int y() const { return (int)m_pos.y; }

    int m_nWidth;
    int m_nHeight;
    bool m_bStretch;
    int m_nOfferedW = -1;
    int m_nOfferedH = -1;
    Point m_pos = Point(-1000.0f, -1000.0f);
    int m_nZ = -1;
    bool m_bVisible = true;
    bool m_bClipped = false;
    Rect m_clip;
};

// Borders by style name (lower-cased as the theme does), sizes snapped up to a multiple of a
// step, and panels of two cells: a 7-pixel spacer box and a piece sprite made far off screen, so
// that a panel that was never arranged shows its piece where it was made.
class FakeFramePanelBuilder : public IFramePanelBuilder
{
public:
    FakeFramePanelBuilder();
    ~FakeFramePanelBuilder() override;

    // Borders given as top, left, bottom, right.
    void setBorders(const char* pszStyle, int nTop, int nLeft, int nBottom, int nRight);
    // Unknown style: BadParmException "Unknown frame style 'x'".
    Rect getFrameBorders(const char* pszStyle) override;
    void snapFrameSize(int* pnWidth, int* pnHeight, const char* pszStyle) override;
    RIR::SmartPtr<Table> buildFrameTable(GameMode* pMode, int nWidth, int nHeight,
                                         const char* pszStyle) override;

    int m_nSnapStep = 1;
    // "style WxH" for every panel built.
    std::vector<std::string> m_builds;
    // The piece sprite of the last panel built.
    RIR::SmartPtr<Sprite> m_pLastPiece;

private:
    RIR::Hash<RIR::String, Rect> m_hBorders;
};

#endif
