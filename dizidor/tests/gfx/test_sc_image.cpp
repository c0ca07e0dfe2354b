// Wipes, the vertical progress bar and image swaps.
#include "gfx/scimage.h"
#include "gfx/scwipe.h"

#include "test_sc_fixture.h"

#include <string>
#include <vector>

namespace
{

class ImageControllerTest : public ScTestBase
{
protected:
    // What the sprite and the wipe's second sprite show at a screen pixel (0: nothing).
    static uint32_t shownByEither(Sprite* pFirst, Sprite* pSecond, int x, int y)
    {
        const uint32_t nFirst = shownAt(pFirst, x, y);
        return nFirst || !pSecond ? nFirst : shownAt(pSecond, x, y);
    }
};

} // namespace

// For every type, with and without split, and for a picture anchored at its corner and one
// anchored inside: halfway through, exactly the kept canvas pixels are shown, each where it lay
// in the whole picture.
TEST_F(ImageControllerTest, WipesKeepTheRightPixelsInPlace)
{
    const int W = 4;
    const int H = 6;
    struct Anchor
    {
        int nX;
        int nY;
    };
    for (const Anchor& anchor : {Anchor{0, 0}, Anchor{2, 3}})
        for (int nType = 0; nType < 4; ++nType)
            for (bool bSplit : {false, true})
            {
                SCOPED_TRACE("type " + std::to_string(nType) + (bSplit ? " split" : "") +
                             " anchor " + std::to_string(anchor.nX));
                m_pSprite->setImage(patternImage(W, H, anchor.nX, anchor.nY));
                m_pSprite->setPosPoint(Point(10, 20));
                SCWipe* pWipe = new SCWipe(nType, bSplit, 2.0f, false);
                m_pSprite->addController(pWipe);
                RIR::SmartPtr<Sprite> pSecond = pWipe->getSecondSprite();
                EXPECT_EQ(bSplit, (bool)pSecond);
                if (pSecond)
                {
                    EXPECT_TRUE(inMode(pSecond));
                    EXPECT_EQ(m_pSprite->getZOrder(), pSecond->getZOrder());
                }
                // On attach (split or not) the whole picture is still shown in place.
                for (int y = 0; y < H; ++y)
                    for (int x = 0; x < W; ++x)
                        ASSERT_EQ(patternColor(x, y).getPackedValue(),
                                  shownByEither(m_pSprite.get(), pSecond.get(),
                                                10 - anchor.nX + x, 20 - anchor.nY + y))
                            << "at attach, canvas " << x << ", " << y;

                run(1.0f); // rest 0.5
                for (int y = 0; y < H; ++y)
                    for (int x = 0; x < W; ++x)
                    {
                        bool bKept = false;
                        if (!bSplit)
                            bKept = nType == 0   ? y < 3
                                    : nType == 1 ? y >= 3
                                    : nType == 2 ? x < 2
                                                 : x >= 2;
                        else if (nType < 2)
                            bKept = y < 1 || y >= 4; // halves of 3 rows, each keeps 1.5
                        else
                            bKept = x < 1 || x >= 3;
                        const uint32_t nExpected = bKept ? patternColor(x, y).getPackedValue() : 0;
                        EXPECT_EQ(nExpected,
                                  shownByEither(m_pSprite.get(), pSecond.get(),
                                                10 - anchor.nX + x, 20 - anchor.nY + y))
                            << "canvas " << x << ", " << y;
                    }
                run(1.0f);
                EXPECT_EQ(0, m_pSprite->getControllerCount());
                EXPECT_TRUE(inMode(m_pSprite)) << "not asked to remove the sprite";
                if (pSecond)
                {
                    EXPECT_FALSE(inMode(pSecond)) << "the second sprite always leaves";
                }
                for (int y = -4; y < H + 4; ++y)
                    for (int x = -4; x < W + 4; ++x)
                        ASSERT_EQ(0u, shownAt(m_pSprite.get(), 10 + x, 20 + y)) << "all gone";
            }
}

TEST_F(ImageControllerTest, WipeEnds)
{
    // Removing the sprite at the end, through the mode's own frame step.
    SCWipe* pWipe = new SCWipe(SCWipe::WIPE_KEEP_LEFT, true, 1.0f, true);
    m_pSprite->addController(pWipe);
    RIR::SmartPtr<Sprite> pSecond = pWipe->getSecondSprite();
    EXPECT_EQ(2, m_mode.getSprites().getLength());
    m_mode.updateUpdatables(0.5f);
    EXPECT_TRUE(inMode(m_pSprite));
    m_mode.updateUpdatables(0.5f);
    EXPECT_FALSE(inMode(m_pSprite));
    EXPECT_FALSE(inMode(pSecond));
    EXPECT_EQ(0, m_mode.getSprites().getLength());
    EXPECT_EQ(0, m_mode.getUpdatables().getLength());

    // An odd height: the middle row belongs to neither half, so it is gone from the first update.
    m_pSprite = new Sprite(patternImage(2, 7, 0, 0), 0, 0, 0);
    m_mode.addSprite(m_pSprite);
    pWipe = new SCWipe(SCWipe::WIPE_KEEP_TOP, true, 10.0f, false);
    m_pSprite->addController(pWipe);
    run(0.0f);
    EXPECT_EQ(0u, shownByEither(m_pSprite.get(), pWipe->getSecondSprite().get(), 0, 3));
    EXPECT_NE(0u, shownByEither(m_pSprite.get(), pWipe->getSecondSprite().get(), 0, 2));
    EXPECT_NE(0u, shownByEither(m_pSprite.get(), pWipe->getSecondSprite().get(), 0, 4));
}

TEST_F(ImageControllerTest, WipeRefusesWhatItCannotCut)
{
    EXPECT_THROW(SCWipe(4, false, 1.0f, false), RIR::AssertFailException);
    EXPECT_THROW(SCWipe(-1, false, 1.0f, false), RIR::AssertFailException);
    RIR::SmartPtr<Sprite> pBare = new Sprite(0, 0, 0);
    EXPECT_THROW(pBare->addController(new SCWipe(0, false, 1.0f, false)),
                 RIR::AssertFailException);
    pBare->removeAllControllers();
    // A split needs a mode to show the second half in.
    RIR::SmartPtr<Sprite> pLoose = new Sprite(patternImage(2, 2, 0, 0), 0, 0, 0);
    EXPECT_THROW(pLoose->addController(new SCWipe(0, true, 1.0f, false)),
                 RIR::AssertFailException);
    pLoose->removeAllControllers();
}

TEST_F(ImageControllerTest, VerticalProgressRevealsTheBottomRowsUpward)
{
    std::vector<uint8_t> abPixels(2 * 100 * 4);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 2; ++x)
        {
            uint8_t* p = &abPixels[(size_t)(y * 2 + x) * 4];
            p[0] = (uint8_t)y;
            p[1] = 7;
            p[2] = 9;
            p[3] = 255;
        }
    m_env.addPicture("bar", 2, 100, 4, abPixels.data());
    m_pSprite->setImage(RIR::SmartPtr<Image>());
    m_pSprite->setPosPoint(Point(10, 200));
    SCVerticalProgress* pBar = new SCVerticalProgress(100, 50.0f, "bar");
    m_pSprite->addController(pBar);

    run(0.5f); // 25 rows
    EXPECT_EQ(25, m_pSprite->getImage()->getHeight());
    EXPECT_EQ(0u, shownAt(m_pSprite.get(), 10, 274));
    EXPECT_EQ(Color(75, 7, 9, 255).getPackedValue(), shownAt(m_pSprite.get(), 10, 275));
    EXPECT_EQ(Color(99, 7, 9, 255).getPackedValue(), shownAt(m_pSprite.get(), 11, 299));
    EXPECT_EQ(0u, shownAt(m_pSprite.get(), 10, 300));
    run(0.5f); // 50 rows
    EXPECT_EQ(Color(50, 7, 9, 255).getPackedValue(), shownAt(m_pSprite.get(), 10, 250));
    EXPECT_FLOAT_EQ(50.0f, pBar->getCurrent());
    EXPECT_EQ(1, m_pSprite->getControllerCount());
    run(5.0f); // capped at the target
    EXPECT_EQ(Color(0, 7, 9, 255).getPackedValue(), shownAt(m_pSprite.get(), 10, 200));
    EXPECT_EQ(0, m_pSprite->getControllerCount());

    // Rate and target 0: done at once, the picture untouched.
    RIR::SmartPtr<Image> pBefore = m_pSprite->getImage();
    m_pSprite->addController(new SCVerticalProgress(0, 0.0f, "bar"));
    run(1.0f);
    EXPECT_EQ(pBefore.get(), m_pSprite->getImage().get());
    EXPECT_EQ(0, m_pSprite->getControllerCount());

    // A negative rate never ends, however long it runs.
    m_pSprite->addController(new SCVerticalProgress(10, -1.0e30f, "bar"));
    run(1.0f, 5);
    EXPECT_EQ(1, m_pSprite->getControllerCount());
    m_pSprite->removeAllControllers();

    EXPECT_THROW(SCVerticalProgress(10, 1.0f, "nosuchbar"), RIR::Exception);
}

TEST_F(ImageControllerTest, ReplaceImageByObjectOrName)
{
    RIR::SmartPtr<Image> pNew = patternImage(3, 3, 1, 1);
    SCReplaceImage* pReplace = new SCReplaceImage(pNew);
    EXPECT_EQ(pNew.get(), pReplace->getImage().get());
    m_pSprite->setImage(RIR::SmartPtr<Image>());
    m_pSprite->addController(pReplace);
    EXPECT_FALSE(m_pSprite->isVisible()) << "nothing on attach";
    run(0.016f);
    EXPECT_EQ(pNew.get(), m_pSprite->getImage().get());
    EXPECT_TRUE(m_pSprite->isVisible());
    EXPECT_EQ(0, m_pSprite->getControllerCount());

    const uint8_t abPixel[4] = {1, 2, 3, 255};
    m_env.addPicture("door", 1, 1, 4, abPixel);
    SCReplaceImage* pByName = new SCReplaceImage("door");
    EXPECT_FALSE(pByName->getImage());
    m_pSprite->addController(pByName);
    run(0.016f);
    EXPECT_EQ(m_env.getImage("door").get(), m_pSprite->getImage().get());

    m_pSprite->addController(new SCReplaceImage("nosuchdoor"));
    EXPECT_THROW(run(0.016f), RIR::Exception);
}
