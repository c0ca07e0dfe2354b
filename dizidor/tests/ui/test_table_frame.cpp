// Table frame panel and attached sprites: where the panel goes, when it is rebuilt and when it
// is only moved, what a new panel inherits from its table, and the anchors of attached sprites.
#include "app/gamemode.h"
#include "gfx/animation.h"
#include "gfx/animsprite.h"
#include "gfx/sprite.h"
#include "gfx/spritecontroller.h"
#include "testkit/memimagefactory.h"
#include "ui/framepanelbuilder.h"
#include "ui/table.h"

#include "tablekit.h"

#include "rir2/exception.h"
#include "rir2/list_impl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

class TableFrameTest : public ::testing::Test
{
protected:
    TableFrameTest() : m_pTable(new Table(&m_mode))
    {
        m_pPrevious = IFramePanelBuilder::install(&m_builder);
        m_builder.setBorders("", 4, 3, 6, 5);
        m_builder.setBorders("same", 4, 3, 6, 5);
        m_builder.setBorders("wide", 8, 8, 8, 8);
        m_builder.setBorders("flat", 0, 0, 0, 0);
        m_pContent = new Box(40, 20, true);
        m_pTable->add(m_pContent, 0);
    }
    ~TableFrameTest() override { IFramePanelBuilder::install(m_pPrevious); }

    int builds() const { return (int)m_builder.m_builds.size(); }

    GameMode m_mode;
    FakeFramePanelBuilder m_builder;
    IFramePanelBuilder* m_pPrevious;
    RIR::SmartPtr<Table> m_pTable;
    RIR::SmartPtr<Box> m_pContent;
};

TEST_F(TableFrameTest, StartsVisibleWithoutAFrame)
{
    EXPECT_TRUE(m_pTable->isVisible());
    m_pTable->setPos(10, 10);
    EXPECT_FALSE(m_pTable->getFrameTable());
    EXPECT_EQ(0, builds());
}

TEST_F(TableFrameTest, PanelSurroundsTheContentCentredOnItsSnappedSize)
{
    struct
    {
        const char* pszName;
        int nSnap;
        int nTop, nLeft, nBottom, nRight; // padding
        const char* pszBuilt;
        float fX, fY;
    } const cases[] = {
        // 40 + 3 + 5 = 48 by 20 + 4 + 6 = 30.
        {"exact", 1, 0, 0, 0, 0, " 48x30", 100 - 3, 50 - 4},
        // 48 stays, 30 becomes 32: the extra 2 is split above and below.
        {"snapped", 16, 0, 0, 0, 0, " 48x32", 100 - 3, 50 - 1 - 4},
        // With padding 1, 2, 3, 4: 54 -> 64, 34 -> 48.
        {"padded", 16, 1, 2, 3, 4, " 64x48", 100 - 2 - 5 - 3, 50 - 1 - 7 - 4},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        m_builder.m_nSnapStep = c.nSnap;
        m_builder.m_builds.clear();
        RIR::SmartPtr<Table> pTable = new Table(&m_mode);
        pTable->add(new Box(40, 20), 0);
        pTable->setFrame("");
        pTable->setPadding(c.nTop, c.nLeft, c.nBottom, c.nRight);
        pTable->setPos(100, 50);
        EXPECT_EQ((std::vector<std::string>{c.pszBuilt}), m_builder.m_builds);
        ASSERT_TRUE(pTable->getFrameTable());
        EXPECT_EQ(Point(c.fX, c.fY), pTable->getFrameTable()->getPosPoint());
        EXPECT_EQ((int)c.fX + 7, m_builder.m_pLastPiece->getX()) << "the panel is arranged";
        pTable->destroyContents();
    }
}

TEST_F(TableFrameTest, MovingTheTableMovesThePanelWithoutRebuilding)
{
    m_pTable->setFrame("");
    m_pTable->setZOrder(20);
    m_pTable->setPos(100, 50);
    ASSERT_EQ(1, builds());
    RIR::SmartPtr<Table> pPanel = m_pTable->getFrameTable();
    RIR::SmartPtr<Sprite> pPiece = m_builder.m_pLastPiece;
    EXPECT_EQ(20, pPanel->getZOrder());
    EXPECT_EQ(20, pPiece->getZOrder()) << "the panel lies at the table's z, its content above";
    EXPECT_EQ(23, m_pContent->m_nZ);

    m_pTable->setPos(300, 200);
    m_pTable->setZOrder(40);
    EXPECT_EQ(1, builds());
    EXPECT_EQ(pPanel, m_pTable->getFrameTable());
    EXPECT_EQ(Point(297.0f, 196.0f), pPanel->getPosPoint());
    EXPECT_EQ(297 + 7, pPiece->getX());
    EXPECT_EQ(196, pPiece->getY());
    EXPECT_EQ(40, pPiece->getZOrder());
    EXPECT_TRUE(pPiece->getMode() == &m_mode);
}

TEST_F(TableFrameTest, PanelIsRebuiltOnlyWhenItsBordersOrSnappedSizeChange)
{
    m_builder.m_nSnapStep = 16;
    m_pTable->setFrame("");
    m_pTable->setPos(100, 50);
    ASSERT_EQ(1, builds());
    RIR::SmartPtr<Table> pFirst = m_pTable->getFrameTable();
    RIR::SmartPtr<Sprite> pFirstPiece = m_builder.m_pLastPiece;

    // Another style with the same borders: the key ignores the style name.
    m_pTable->setFrame("same");
    m_pTable->relayout();
    EXPECT_EQ(1, builds());
    EXPECT_EQ(pFirst, m_pTable->getFrameTable());

    // A size that snaps to the same frame size: kept, but recentred.
    m_pTable->setSize(40, 22); // 32 snaps to 32 as 30 did
    m_pTable->relayout();
    EXPECT_EQ(1, builds());
    EXPECT_EQ(Point(100.0f - 3, 50.0f - 4), pFirst->getPosPoint());

    // Other borders: a new panel; the old one's pieces leave the mode.
    m_pTable->setFrame("wide");
    m_pTable->relayout();
    ASSERT_EQ(2, builds());
    EXPECT_EQ("wide 64x48", m_builder.m_builds.back());
    EXPECT_NE(pFirst, m_pTable->getFrameTable());
    EXPECT_EQ(nullptr, pFirstPiece->getMode());

    // A size past the next snap: a new panel again.
    m_pTable->setSize(60, 20);
    m_pTable->relayout();
    ASSERT_EQ(3, builds());
    EXPECT_EQ("wide 80x48", m_builder.m_builds.back());
}

TEST_F(TableFrameTest, FrameFollowsTheFlagAtTheNextArrangement)
{
    m_pTable->setFrame("");
    EXPECT_FALSE(m_pTable->getFrameTable()) << "setFrame does not arrange";
    m_pTable->setPos(0, 0);
    RIR::SmartPtr<Sprite> pPiece = m_builder.m_pLastPiece;
    ASSERT_TRUE(pPiece);

    m_pTable->enableFrame(false);
    EXPECT_TRUE(pPiece->getMode() == &m_mode);
    m_pTable->setPos(5, 5);
    EXPECT_FALSE(m_pTable->getFrameTable());
    EXPECT_EQ(nullptr, pPiece->getMode());

    m_pTable->enableFrame(true);
    m_pTable->setPos(6, 6);
    EXPECT_EQ(2, builds()) << "turned on again, a new panel";
    EXPECT_TRUE(m_builder.m_pLastPiece->getMode() == &m_mode);
}

TEST_F(TableFrameTest, NewPanelIsArrangedEvenWhereItsDefaultsMatch)
{
    // Borders 0 at the origin with z 0: the panel's position and z already equal the corner's.
    m_pTable->setFrame("flat");
    m_pTable->setPos(0, 0);
    ASSERT_TRUE(m_builder.m_pLastPiece);
    EXPECT_EQ(7, m_builder.m_pLastPiece->getX());
    EXPECT_EQ(0, m_builder.m_pLastPiece->getY());
    EXPECT_EQ(0, m_builder.m_pLastPiece->getZOrder());
}

TEST_F(TableFrameTest, RebuiltPanelTakesTheTablesVisibilityAndClip)
{
    m_pTable->setFrame("");
    m_pTable->setPos(0, 0);
    const Rect clip(0, 0, 30, 30);
    m_pTable->setVisible(false);
    m_pTable->setClipRect(clip);
    EXPECT_FALSE(m_builder.m_pLastPiece->isVisible());

    m_pTable->setSize(80, 40);
    m_pTable->relayout();
    ASSERT_EQ(2, builds());
    RIR::SmartPtr<Sprite> pPiece = m_builder.m_pLastPiece;
    EXPECT_FALSE(pPiece->isVisible());
    EXPECT_FALSE(m_pTable->getFrameTable()->isVisible());
    ASSERT_TRUE(pPiece->hasClipRect());
    EXPECT_EQ(clip.toString(), pPiece->getClipRect().toString());

    // Shown and unclipped again: the next panel shows its pieces in full.
    m_pTable->setVisible(true);
    m_pTable->clearClipRect();
    m_pTable->setSize(120, 40);
    m_pTable->relayout();
    ASSERT_EQ(3, builds());
    EXPECT_TRUE(m_builder.m_pLastPiece->isVisible());
    EXPECT_FALSE(m_builder.m_pLastPiece->hasClipRect());
}

TEST_F(TableFrameTest, FrameWithoutABuilderIsAClearError)
{
    IFramePanelBuilder::install(nullptr);
    m_pTable->setName("Lonely");
    m_pTable->setFrame("");
    try
    {
        m_pTable->setPos(0, 0);
        FAIL() << "no error";
    }
    catch (const RIR::BadStateException& e)
    {
        EXPECT_NE(std::string::npos, std::string(e.getMessage()).find("Lonely"));
    }
}

TEST_F(TableFrameTest, UnknownStyleFailsInTheBuilder)
{
    m_pTable->setFrame("nosuch");
    EXPECT_THROW(m_pTable->setPos(0, 0), RIR::BadParmException);
}

TEST_F(TableFrameTest, DestroyedFrameCanBeBuiltAgain)
{
    m_pTable->setFrame("");
    m_pTable->setPos(0, 0);
    RIR::SmartPtr<Sprite> pPiece = m_builder.m_pLastPiece;
    m_pTable->destroyContents();
    EXPECT_FALSE(m_pTable->isFrameEnabled());
    EXPECT_FALSE(m_pTable->getFrameTable());
    EXPECT_EQ(nullptr, pPiece->getMode());
    EXPECT_FALSE(m_pTable->getObject(0, 0, 0)) << "the layer dropped its object";

    m_pTable->setFrame("");
    m_pTable->relayout();
    EXPECT_EQ(2, builds());
}

// ---- attached sprites ------------------------------------------------------------------------

TEST_F(TableFrameTest, AttachedSpritesFollowTheirAnchorsOnTheContent)
{
    struct
    {
        int nAnchor;
        int nX;
        int nY;
    } const cases[] = {
        {0x00, 10, 20},  {0x02, 110, 20}, {0x04, 60, 20},  {0x10, 10, 70}, {0x20, 10, 45},
        {0x12, 110, 70}, {0x24, 60, 45},  {0x06, 110, 20}, {0x30, 10, 70},
    };
    m_pTable->setSize(100, 50);
    m_pTable->setFrame("wide"); // anchors ignore the frame
    m_pTable->setZOrder(5);
    m_pTable->setPos(10, 20);
    std::vector<RIR::SmartPtr<Sprite>> sprites;
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
    {
        RIR::SmartPtr<Sprite> pSprite = new Sprite(0, 0, 0);
        m_mode.addSprite(pSprite);
        m_pTable->attachSprite(pSprite, cases[i].nAnchor, (int)i);
        sprites.push_back(pSprite);
        SCOPED_TRACE(::testing::Message() << "anchor 0x" << std::hex << cases[i].nAnchor);
        EXPECT_EQ(cases[i].nX, pSprite->getX()) << "placed when attached";
        EXPECT_EQ(cases[i].nY, pSprite->getY());
        EXPECT_EQ(5 + (int)i, pSprite->getZOrder());
    }
    m_pTable->setPos(0, 0);
    m_pTable->setZOrder(50);
    for (size_t i = 0; i < sprites.size(); ++i)
    {
        EXPECT_EQ(cases[i].nX - 10, sprites[i]->getX());
        EXPECT_EQ(cases[i].nY - 20, sprites[i]->getY());
        EXPECT_EQ(50 + (int)i, sprites[i]->getZOrder());
    }
    EXPECT_EQ(sprites.size(), (size_t)m_pTable->getAttachedSprites().getLength());
    EXPECT_EQ(sprites[3], m_pTable->getAttachedSprites().get(3));
}

TEST_F(TableFrameTest, AttachedAnimatedSpriteGetsAPlayer)
{
    MemImageFactory factory;
    RIR::SmartPtr<Animation> pAnimation = new Animation(10.0f);
    pAnimation->addFrame("idle", factory.createBlank(4, 4, true), 1);
    RIR::SmartPtr<AnimSprite> pAnim = new AnimSprite(pAnimation, 0, 0, 0);
    RIR::SmartPtr<Sprite> pPlain = new Sprite(0, 0, 0);
    m_mode.addSprite(pAnim);
    m_mode.addSprite(pPlain);
    m_pTable->attachSprite(pAnim, 0x24, 2);
    m_pTable->attachSprite(pPlain, 0x24, 2);
    ASSERT_EQ(1, pAnim->getControllerCount());
    EXPECT_TRUE(dynamic_cast<SCPlayAnimation*>(pAnim->getController(0)));
    EXPECT_EQ(0, pPlain->getControllerCount());
    EXPECT_EQ(1, m_mode.getUpdatables().getLength()) << "the animation runs with its mode";
}

TEST_F(TableFrameTest, VisibilityReachesEverythingClipOnlyContentAndPanel)
{
    RIR::SmartPtr<Sprite> pAttached = new Sprite(0, 0, 0);
    m_mode.addSprite(pAttached);
    m_pTable->attachSprite(pAttached, 0, 1);
    m_pTable->setFrame("");
    m_pTable->setPos(0, 0);

    m_pTable->setVisible(false);
    EXPECT_FALSE(m_pTable->isVisible());
    EXPECT_FALSE(m_pContent->m_bVisible);
    EXPECT_FALSE(m_builder.m_pLastPiece->isVisible());
    EXPECT_FALSE(pAttached->isVisible());

    m_pTable->setClipRect(Rect(0, 0, 10, 10));
    EXPECT_TRUE(m_pContent->m_bClipped);
    EXPECT_TRUE(m_builder.m_pLastPiece->hasClipRect());
    EXPECT_FALSE(pAttached->hasClipRect());
    m_pTable->clearClipRect();
    EXPECT_FALSE(m_pContent->m_bClipped);
    EXPECT_FALSE(m_builder.m_pLastPiece->hasClipRect());
}

TEST_F(TableFrameTest, RemovingContentsTakesAttachedSpritesButLeavesThePanel)
{
    RIR::SmartPtr<Sprite> pAttached = new Sprite(0, 0, 0);
    m_mode.addSprite(pAttached);
    m_pTable->attachSprite(pAttached, 0, 1);
    RIR::SmartPtr<Sprite> pCellSprite = new Sprite(0, 0, 0);
    m_pTable->add(pCellSprite, 0);
    m_pTable->setFrame("");
    m_pTable->setPos(0, 0);

    m_pTable->removeContentsFromMode();
    EXPECT_EQ(nullptr, pCellSprite->getMode());
    EXPECT_EQ(nullptr, pAttached->getMode());
    EXPECT_EQ(0, m_pTable->getAttachedSprites().getLength());
    EXPECT_TRUE(m_builder.m_pLastPiece->getMode() == &m_mode);
    EXPECT_EQ(pCellSprite, m_pTable->getObject(0, 0, 1)) << "the cells keep their objects";
}

} // namespace
