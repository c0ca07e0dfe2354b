// Theme frames: snapping a wanted size to the pieces, framed panels (edges, thicknesses, side
// runs, the tiled back, decorations), frames drawn into one picture, the refusal of empty
// pieces, and the theme framing the application's tables.
#include "themefixture.h"

#include "gfx/sprite.h"
#include "ui/framepanelbuilder.h"
#include "ui/table.h"

#include "tablekit.h"

#include <string>

namespace
{

// The parts every test style shares: 8 x 8 corners, 6-wide stretchable vertical middles and a
// 10 x 10 back.
const char* const COMMON_PARTS = "frame ul c8\nframe ur c8\nframe ll c8\nframe lr c8\n"
                                 "frame left v6\nframe right v6\nframe back back\n";

Table* asTable(const RIR::SmartPtr<IVisualObject>& pObject)
{
    return dynamic_cast<Table*>(pObject.get());
}

Sprite* asSprite(const RIR::SmartPtr<IVisualObject>& pObject)
{
    return dynamic_cast<Sprite*>(pObject.get());
}

} // namespace

class ThemeFrameTest : public ThemeTest
{
protected:
    void SetUp() override
    {
        ThemeTest::SetUp();
        picture("c8", 8, 8, Color(200, 0, 0, 255));
        picture("v6", 6, 20, Color(0, 0, 200, 255));
        picture("back", 10, 10, Color(240, 220, 180, 255));
        picture("mid20", 20, 6, Color(255, 255, 255, 255));
        picture("s6", 6, 6, Color(0, 200, 0, 255));
        picture("s6b", 6, 6, Color(0, 100, 0, 255));
        picture("small", 4, 4, Color(255, 255, 0, 255));
        picture("huge", 500, 500, Color(1, 2, 3, 255));
        picture("huge2", 500, 500, Color(4, 5, 6, 255));
        gradient("grad6", 6, 6);
        gradient("grad10", 10, 10);
        gradient("grad30x10", 30, 10);
        gradient("grad10x30", 10, 30);
        m_pTheme = load(std::string(COMMON_PARTS) +
                        // Top and bottom of whole pieces: one fixed middle, fixed side pairs.
                        "frame top mid20 fixed\nframe tl s6 fixed\nframe tr s6b fixed\n"
                        "frame bottom mid20 fixed\nframe bl s6 fixed\nframe br s6b fixed\n"
                        "decoration ur small\n"
                        // Stretchable top and bottom with side pieces.
                        "framestyle Sides\n" +
                        COMMON_PARTS +
                        "frame top mid20\nframe tl grad6\nframe tr grad6\n"
                        "frame bottom mid20\nframe bl grad6\nframe br grad6\n"
                        // Thick pieces that show which rows and columns a cut keeps.
                        "framestyle Thick\n"
                        "frame ul grad10\nframe ur grad10\nframe ll grad10\nframe lr grad10\n"
                        "frame top grad30x10\nframe bottom grad30x10\n"
                        "frame left grad10x30\nframe right grad10x30\nframe back back\n"
                        // Decorations: too large, ignoring the size, on parts never shown.
                        "framestyle Deco\n" +
                        COMMON_PARTS +
                        "frame top mid20\nframe bottom mid20\n"
                        "decoration top small\ndecoration top huge\n"
                        "decoration bottom huge\n"
                        "decoration left huge\ndecoration left huge2 ignoresize\n"
                        "decoration ul small\n"
                        "decoration tl small\ndecoration back small\n");
    }
    void TearDown() override
    {
        m_pTheme.release();
        ThemeTest::TearDown();
    }

    // A picture whose pixel (x, y) has red x and green y.
    void gradient(const char* pszName, int nWidth, int nHeight)
    {
        RIR::SmartPtr<Image> pImage = picture(pszName, nWidth, nHeight);
        for (int y = 0; y < nHeight; ++y)
            for (int x = 0; x < nWidth; ++x)
                pImage->setPixelAt(x, y, Color(x, y, 0, 255));
    }

    RIR::SmartPtr<Table> build(int nWidth, int nHeight, const char* pszStyle)
    {
        RIR::SmartPtr<Table> pPanel = m_pTheme->buildFrameTable(&m_mode, nWidth, nHeight, pszStyle);
        pPanel->setPos(100, 200);
        return pPanel;
    }

    // The edge tables of a panel.
    static Table* topEdge(Table* pPanel) { return asTable(pPanel->getObject(0, 0, 0)); }
    static Table* leftEdge(Table* pPanel) { return asTable(pPanel->getObject(1, 0, 0)); }
    static Table* middle(Table* pPanel) { return asTable(pPanel->getObject(1, 1, 0)); }
    static Table* rightEdge(Table* pPanel) { return asTable(pPanel->getObject(1, 2, 0)); }
    static Table* bottomEdge(Table* pPanel) { return asTable(pPanel->getObject(2, 0, 0)); }

    // The piece picture at an index of an edge table (cells of a row, or rows).
    static RIR::SmartPtr<Image> piece(Table* pEdge, bool bVertical, int nIndex)
    {
        return asSprite(bVertical ? pEdge->getObject(nIndex, 0, 0) : pEdge->getObject(0, nIndex, 0))
            ->getImage();
    }
    // The sizes along the edge of its pieces, "8,20,8".
    static std::string pieces(Table* pEdge, bool bVertical)
    {
        const int nCount =
            bVertical ? pEdge->getRowCount() : (pEdge->getRowCount() ? pEdge->getCellCount(0) : 0);
        std::string s;
        for (int i = 0; i < nCount; ++i)
            s += (i ? "," : "") +
                 std::to_string(piece(pEdge, bVertical, i)->getSizeAlong(bVertical));
        return s;
    }

    GameMode m_mode;
    RIR::SmartPtr<Theme> m_pTheme;
};

TEST_F(ThemeFrameTest, FixedEdgesSnapToWholePiecesAndBuildThem)
{
    // Corners 8 + 8; one middle of 20 first, then pairs of 6-pixel sides: 16, 36, 48, 60, ...
    struct
    {
        int nWanted;
        int nSnapped;
        const char* pszTop;
    } cases[] = {
        {10, 16, "8,8"},
        {16, 16, "8,8"},
        {17, 36, "8,20,8"},
        {36, 36, "8,20,8"},
        {37, 48, "8,6,20,6,8"},
        {48, 48, "8,6,20,6,8"},
        {50, 60, "8,6,6,20,6,6,8"},
        {61, 72, "8,6,6,6,20,6,6,6,8"},
    };
    for (const auto& c : cases)
    {
        int nW = c.nWanted;
        int nH = 33;
        m_pTheme->snapFrameSize(&nW, &nH, "");
        EXPECT_EQ(c.nSnapped, nW) << c.nWanted;
        EXPECT_EQ(33, nH) << "the stretchable vertical edges keep any height";

        RIR::SmartPtr<Table> pPanel = build(c.nWanted, 33, "");
        EXPECT_EQ(c.pszTop, pieces(topEdge(pPanel.get()), false)) << c.nWanted;
        EXPECT_EQ(c.pszTop, pieces(bottomEdge(pPanel.get()), false)) << c.nWanted;
        EXPECT_EQ(c.nSnapped, pPanel->getWidth()) << c.nWanted;
        EXPECT_EQ(33, pPanel->getHeight()) << c.nWanted;
        pPanel->removeContentsFromMode();
    }
    // The first side run is the first side piece, the second the second.
    RIR::SmartPtr<Table> pPanel = build(60, 33, "");
    EXPECT_EQ(m_pApp->getImage("s6").get(), piece(topEdge(pPanel.get()), false, 1).get());
    EXPECT_EQ(m_pApp->getImage("s6b").get(), piece(topEdge(pPanel.get()), false, 5).get());
}

TEST_F(ThemeFrameTest, TheDefaultFrameStretchesToAnySize)
{
    int nW = 50;
    int nH = 30;
    m_pTheme->snapFrameSize(&nW, &nH, "System::DefaultFrame");
    EXPECT_EQ(50, nW);
    EXPECT_EQ(30, nH);

    RIR::SmartPtr<Table> pPanel = build(50, 30, "System::DefaultFrame");
    // (50 - 10) / 100 + 1 = 1 middle piece, cut to the 40 pixels between the corners.
    EXPECT_EQ("5,40,5", pieces(topEdge(pPanel.get()), false));
    EXPECT_EQ("5,40,5", pieces(bottomEdge(pPanel.get()), false));
    EXPECT_EQ("20", pieces(leftEdge(pPanel.get()), true));
    EXPECT_EQ("20", pieces(rightEdge(pPanel.get()), true));
    EXPECT_EQ(40, middle(pPanel.get())->getWidth());
    EXPECT_EQ(20, middle(pPanel.get())->getHeight());

    // Placed at (100, 200): the pieces meet edge to edge.
    struct
    {
        Table* pEdge;
        bool bVertical;
        int nIndex;
        int nX;
        int nY;
    } placed[] = {
        {topEdge(pPanel.get()), false, 0, 100, 200},
        {topEdge(pPanel.get()), false, 1, 105, 200},
        {topEdge(pPanel.get()), false, 2, 145, 200},
        {leftEdge(pPanel.get()), true, 0, 100, 205},
        {rightEdge(pPanel.get()), true, 0, 145, 205},
        {bottomEdge(pPanel.get()), false, 0, 100, 225},
        {bottomEdge(pPanel.get()), false, 2, 145, 225},
    };
    for (const auto& p : placed)
    {
        Sprite* pSprite = asSprite(p.bVertical ? p.pEdge->getObject(p.nIndex, 0, 0)
                                               : p.pEdge->getObject(0, p.nIndex, 0));
        int nX = 0;
        int nY = 0;
        pSprite->getPos(&nX, &nY);
        EXPECT_EQ(p.nX, nX) << p.nIndex;
        EXPECT_EQ(p.nY, nY) << p.nIndex;
    }
    Sprite* pBack = asSprite(middle(pPanel.get())->getObject(0, 0, 0));
    int nX = 0;
    int nY = 0;
    pBack->getPos(&nX, &nY);
    EXPECT_EQ(105, nX);
    EXPECT_EQ(205, nY);
    EXPECT_EQ(40, pBack->getImage()->getWidth()) << "the back cut to the space";
    EXPECT_EQ(20, pBack->getImage()->getHeight());
}

TEST_F(ThemeFrameTest, SideRunsSplitTheRemainderOverBothHalves)
{
    // 67 = 16 corners + 20 middle + 31: 15 on the first half (the last 3 pixels of a side, two
    // whole sides), 16 on the second (two whole sides, the first 4 pixels of a third).
    RIR::SmartPtr<Table> pPanel = build(67, 40, "sides");
    Table* pTop = topEdge(pPanel.get());
    EXPECT_EQ("8,3,6,6,20,6,6,4,8", pieces(pTop, false));
    EXPECT_EQ(Color(3, 0, 0, 255), piece(pTop, false, 1)->getPixelAt(0, 0));
    EXPECT_EQ(Color(5, 5, 0, 255), piece(pTop, false, 1)->getPixelAt(2, 5));
    EXPECT_EQ(Color(0, 0, 0, 255), piece(pTop, false, 7)->getPixelAt(0, 0));
    EXPECT_EQ(Color(3, 5, 0, 255), piece(pTop, false, 7)->getPixelAt(3, 5));
    EXPECT_EQ(6, piece(pTop, false, 1)->getHeight()) << "side pieces keep their height";

    // Too short for the middle: the sides fill what the corners leave, exactly.
    pPanel->removeContentsFromMode();
    pPanel = build(30, 40, "sides");
    EXPECT_EQ("8,1,6,6,1,8", pieces(topEdge(pPanel.get()), false));
    EXPECT_EQ(30, pPanel->getWidth());
}

TEST_F(ThemeFrameTest, ThickEdgesShareTheExcessAndKeepTheirOuterSide)
{
    // 10 + 10 against 15: the first edge loses 2, the second 3.
    RIR::SmartPtr<Table> pPanel = build(60, 15, "thick");
    Table* pTop = topEdge(pPanel.get());
    Table* pBottom = bottomEdge(pPanel.get());
    for (int i : {0, 1, 2})
    {
        EXPECT_EQ(8, piece(pTop, false, i)->getHeight()) << i;
        EXPECT_EQ(Color(0, 0, 0, 255), piece(pTop, false, i)->getPixelAt(0, 0)) << "top rows";
        EXPECT_EQ(7, piece(pBottom, false, i)->getHeight()) << i;
        EXPECT_EQ(Color(0, 3, 0, 255), piece(pBottom, false, i)->getPixelAt(0, 0)) << "bottom rows";
    }
    EXPECT_EQ(15, pPanel->getHeight());
    EXPECT_EQ(0, middle(pPanel.get())->getHeight());

    pPanel->removeContentsFromMode();
    pPanel = build(15, 60, "thick");
    RIR::SmartPtr<Image> pLeft = piece(leftEdge(pPanel.get()), true, 0);
    RIR::SmartPtr<Image> pRight = piece(rightEdge(pPanel.get()), true, 0);
    EXPECT_EQ(8, pLeft->getWidth());
    EXPECT_EQ(Color(0, 0, 0, 255), pLeft->getPixelAt(0, 0)) << "left columns";
    EXPECT_EQ(7, pRight->getWidth());
    EXPECT_EQ(Color(3, 0, 0, 255), pRight->getPixelAt(0, 0)) << "right columns";
    // The corners alone are wider than that: they keep their size, and the outer table's
    // layout stretches none of the edges.
    EXPECT_EQ("10,10", pieces(topEdge(pPanel.get()), false));
    EXPECT_EQ(20, topEdge(pPanel.get())->getWidth());
    EXPECT_EQ("30,10", pieces(leftEdge(pPanel.get()), true));
    EXPECT_EQ(40, leftEdge(pPanel.get())->getHeight());
}

TEST_F(ThemeFrameTest, TheBackTilesWithCutLastColumnAndRow)
{
    // 12 + 25 wide, 12 + 13 high: two whole columns and a 5-pixel one, one whole row and a
    // 3-pixel one.
    RIR::SmartPtr<Table> pPanel = build(37, 25, "sides");
    Table* pMiddle = middle(pPanel.get());
    EXPECT_EQ(25, pMiddle->getWidth());
    EXPECT_EQ(13, pMiddle->getHeight());
    EXPECT_EQ(10, asSprite(pMiddle->getObject(0, 1, 0))->getImage()->getWidth());
    EXPECT_EQ(5, asSprite(pMiddle->getObject(0, 2, 0))->getImage()->getWidth());
    EXPECT_EQ(3, asSprite(pMiddle->getObject(1, 0, 0))->getImage()->getHeight());
    RIR::SmartPtr<Image> pCorner = asSprite(pMiddle->getObject(1, 2, 0))->getImage();
    EXPECT_EQ(5, pCorner->getWidth());
    EXPECT_EQ(3, pCorner->getHeight());
}

TEST_F(ThemeFrameTest, DecorationsSkipWhatDoesNotFitAndWrapRound)
{
    RIR::SmartPtr<Image> pSmall = m_pApp->getImage("small");
    RIR::SmartPtr<Image> pHuge2 = m_pApp->getImage("huge2");
    // Whatever the start, the fitting or size-ignoring one is taken; a part whose decorations
    // all fail shows none, and side parts and the back show none.
    for (unsigned int nSeed = 0; nSeed < 12; ++nSeed)
    {
        m_pTheme->getRandom().seed(nSeed);
        RIR::SmartPtr<Table> pPanel = build(50, 30, "deco");
        RIR::List<RIR::SmartPtr<Sprite>> lDecorations = pPanel->getAttachedSprites();
        ASSERT_EQ(3, lDecorations.getLength()) << nSeed;
        struct
        {
            Image* pImage;
            int nX;
            int nY;
        } expected[] = {
            {pSmall.get(), 125, 200}, {pHuge2.get(), 100, 215}, {pSmall.get(), 100, 200}};
        for (int i = 0; i < 3; ++i)
        {
            RIR::SmartPtr<Sprite> pSprite = lDecorations.get(i);
            EXPECT_EQ(expected[i].pImage, pSprite->getImage().get()) << nSeed << " " << i;
            int nX = 0;
            int nY = 0;
            pSprite->getPos(&nX, &nY);
            EXPECT_EQ(expected[i].nX, nX) << i;
            EXPECT_EQ(expected[i].nY, nY) << i;
            EXPECT_EQ(pPanel->getZOrder() + 1, pSprite->getZOrder());
        }
        pPanel->removeContentsFromMode();
    }
}

TEST_F(ThemeFrameTest, EmptyPiecesAreRefusedWhenTheThemeLoads)
{
    RIR::SmartPtr<Image> pWide = blank(30, 7);
    m_pApp->addImage("flat", pWide->createSubImage(0, 0, 30, 0, false), true);
    m_pApp->addImage("thin", pWide->createSubImage(0, 0, 0, 7, false), true);
    struct
    {
        const char* pszText;
        const char* pszSize;
    } cases[] = {
        {"frame top flat\n", "(part top) is 30 x 0 pixels"},
        {"framestyle X\nframe tl thin fixed\n", "(part tl) is 0 x 7 pixels"},
        {"frame back thin\n", "(part back) is 0 x 7 pixels"},
    };
    for (const auto& c : cases)
    {
        const std::string sMessage = failure([&] { load(c.pszText); });
        EXPECT_NE(std::string::npos, sMessage.find(c.pszSize)) << sMessage;
        EXPECT_NE(std::string::npos, sMessage.find("needs at least 1 x 1")) << sMessage;
    }
}

TEST_F(ThemeFrameTest, BrokenStylesFailWithTheRuleTheyBreak)
{
    picture("s7", 7, 6);
    struct
    {
        const char* pszStyle;
        const char* pszMessage;
    } cases[] = {
        {"frame ul c8\nframe ll c8\nframe lr c8\nframe top mid20 fixed\nframe bottom mid20\n"
         "frame left v6\nframe right v6\nframe back back\n",
         "Assertion failed : notNULL(pStyle->lFramePart[nRCorner])"},
        {"frame ul c8\nframe ur c8\nframe ll c8\nframe lr c8\nframe top mid20 fixed\n"
         "frame tl s6 fixed\nframe bottom mid20\nframe left v6\nframe right v6\n"
         "frame back back\n",
         "Assertion failed : isNULL(pStyle->lFramePart[nLSide]) == "
         "isNULL(pStyle->lFramePart[nRSide])"},
        {"frame ul c8\nframe ur c8\nframe ll c8\nframe lr c8\nframe top mid20 fixed\n"
         "frame tl s6 fixed\nframe tr s7 fixed\nframe bottom mid20\nframe left v6\n"
         "frame right v6\nframe back back\n",
         "Assertion failed : lSide1Size[bIsY] == lSide2Size[bIsY]"},
        {"frame ul c8\nframe ur c8\nframe ll c8\nframe lr c8\nframe top mid20\n"
         "frame tl s6 fixed\nframe tr s6 fixed\nframe bottom mid20\nframe left v6\n"
         "frame right v6\nframe back back\n",
         "Assertion failed : pStyle->bFrameFixed[nMid] || isNULL(pStyle->lFramePart[nMid])"},
        {"frame ul c8\nframe ur c8\nframe ll c8\nframe lr c8\nframe top mid20 fixed\n"
         "frame bottom mid20\nframe left v6\nframe right v6\nframe back back\n",
         "Assertion failed : nTopW == nBotW"},
        {"frame ul c8\nframe ur c8\nframe ll c8\nframe lr c8\nframe top mid20\n"
         "frame left v6\nframe right v6\nframe back back\n",
         "Assertion failed : notNULL(pMid)"},
    };
    for (const auto& c : cases)
    {
        RIR::SmartPtr<Theme> pTheme = load(c.pszStyle);
        EXPECT_EQ(c.pszMessage, failure([&] { pTheme->buildFrameTable(&m_mode, 50, 40, ""); }))
            << c.pszStyle;
        EXPECT_EQ(c.pszMessage, failure([&] { pTheme->renderFrame(50, 40, ""); })) << c.pszStyle;
    }
}

TEST_F(ThemeFrameTest, WideVerticalSidesLeaveNoNegativeMiddle)
{
    picture("wide", 30, 6);
    picture("mid8", 20, 8);
    RIR::SmartPtr<Theme> pTheme = load(
        "frame ul c8\nframe ur c8\nframe ll c8\nframe lr c8\nframe top mid8\n"
        "frame bottom mid8\nframe back back\n"
        "frame lt wide fixed\nframe lb wide fixed\nframe rt wide fixed\nframe rb wide fixed\n");
    // Heights: 16 corners, then pairs of 6: 16, 28, 40.
    int nW = 40;
    int nH = 35;
    pTheme->snapFrameSize(&nW, &nH, "");
    EXPECT_EQ(40, nH);
    RIR::SmartPtr<Table> pPanel = pTheme->buildFrameTable(&m_mode, 40, 35, "");
    pPanel->setPos(0, 0);
    EXPECT_EQ("6,6,6,6", pieces(leftEdge(pPanel.get()), true));
    EXPECT_EQ(30, leftEdge(pPanel.get())->getWidth());
    EXPECT_EQ(0, middle(pPanel.get())->getWidth());
}

TEST_F(ThemeFrameTest, RenderedFramesDrawWholePiecesAndCornerDecorations)
{
    // The ur decoration hangs from its top-right corner on a panel; in a picture it fills the
    // corner all the same.
    m_pApp->getImage("small")->setInsPoint(4, 0);
    // Asked for 50 x 33, drawn 60 x 33: corner, two first sides, the middle, two second sides.
    RIR::SmartPtr<Image> pFrame = m_pTheme->renderFrame(50, 33, "");
    ASSERT_EQ(60, pFrame->getWidth());
    ASSERT_EQ(33, pFrame->getHeight());
    struct
    {
        int nX;
        Color color;
    } top[] = {
        {0, Color(200, 0, 0, 255)},      {7, Color(200, 0, 0, 255)},
        {8, Color(0, 200, 0, 255)},      {19, Color(0, 200, 0, 255)},
        {20, Color(255, 255, 255, 255)}, {39, Color(255, 255, 255, 255)},
        {40, Color(0, 100, 0, 255)},     {51, Color(0, 100, 0, 255)},
        {52, Color(200, 0, 0, 255)},
    };
    for (const auto& t : top)
    {
        EXPECT_EQ(t.color, pFrame->getPixelAt(t.nX, 3)) << "top " << t.nX;
        EXPECT_EQ(t.color, pFrame->getPixelAt(t.nX, 27)) << "bottom " << t.nX;
    }
    EXPECT_EQ(Color(255, 255, 0, 255), pFrame->getPixelAt(56, 0)) << "the ur decoration";
    EXPECT_EQ(Color(255, 255, 0, 255), pFrame->getPixelAt(59, 3));
    EXPECT_EQ(Color(200, 0, 0, 255), pFrame->getPixelAt(55, 0));
    EXPECT_EQ(Color(0, 0, 200, 255), pFrame->getPixelAt(2, 16)) << "left edge";
    EXPECT_EQ(Color(0, 0, 200, 255), pFrame->getPixelAt(57, 16)) << "right edge";
    EXPECT_EQ(Color(240, 220, 180, 255), pFrame->getPixelAt(30, 16)) << "back";

    // Cached under the style and snapped size while caching is on.
    EXPECT_TRUE(m_pApp->isImageCached("Frm::::60x33"));
    EXPECT_EQ(pFrame.get(), m_pTheme->renderFrame(55, 33, "").get());
    m_pTheme->setFrameCaching(false);
    EXPECT_NE(pFrame.get(), m_pTheme->renderFrame(55, 33, "").get());

    RIR::SmartPtr<Image> pDefault = m_pTheme->renderFrame(50, 30, "System::DefaultFrame");
    EXPECT_EQ(50, pDefault->getWidth());
    EXPECT_EQ(Color(128, 128, 128, 255), pDefault->getPixelAt(49, 29));
    EXPECT_EQ(Color(128, 128, 128, 255), pDefault->getPixelAt(25, 2));
    EXPECT_EQ(pDefault->getPixelAt(25, 15),
              m_pTheme->getFrameBack("System::DefaultFrame")->getPixelAt(0, 0));
}

TEST_F(ThemeFrameTest, TheCurrentThemeFramesTheApplicationsTables)
{
    file("framed.theme", std::string(COMMON_PARTS) + "frame top mid20\nframe bottom mid20\n");
    m_pApp->loadTheme("framed.theme");
    EXPECT_EQ(static_cast<IFramePanelBuilder*>(m_pApp->getTheme().get()),
              IFramePanelBuilder::getInstalled());

    RIR::SmartPtr<Table> pTable = new Table(&m_mode);
    pTable->add(RIR::SmartPtr<IVisualObject>(new Box(60, 30)), 9);
    pTable->setFrame("");
    pTable->setPos(100, 100);
    RIR::SmartPtr<Table> pPanel = pTable->getFrameTable();
    ASSERT_TRUE(pPanel);
    // Borders 6 all round (the middle pieces), so the frame starts 6 pixels out.
    EXPECT_EQ(94, (int)pPanel->getPosPoint().x);
    EXPECT_EQ(94, (int)pPanel->getPosPoint().y);
    EXPECT_EQ(72, pPanel->getWidth());
    EXPECT_EQ(42, pPanel->getHeight());
    int nX = 0;
    int nY = 0;
    asSprite(topEdge(pPanel.get())->getObject(0, 0, 0))->getPos(&nX, &nY);
    EXPECT_EQ(94, nX);
    EXPECT_EQ(94, nY);

    pTable->removeContentsFromMode();
    pPanel->removeContentsFromMode();
    pPanel.release();
    pTable.release();
    m_pApp.reset();
    EXPECT_EQ(nullptr, IFramePanelBuilder::getInstalled()) << "the application's end uninstalls";
}
