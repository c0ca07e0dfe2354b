#include "gfx/scmovement.h"

#include "test_sc_fixture.h"

#include <string>
#include <type_traits>

static_assert(std::is_base_of_v<SpriteController, SCLinearPath>, "a controller");
static_assert(!std::is_copy_constructible_v<SCLinearPath>, "one owner");

namespace
{

class MovementTest : public ScTestBase
{
};

} // namespace

TEST_F(MovementTest, LinearPathFromToPlacesMovesAndEnds)
{
    struct Step
    {
        float fDt;
        Point pos;
        int nControllers;
    };
    const Step aSteps[] = {
        {0.5f, Point(35, 30), 1}, {1.0f, Point(85, 50), 1}, {1.0f, Point(110, 60), 0}};
    m_pSprite->setPosPoint(Point(500, 500));
    m_pSprite->addController(
        new SCLinearPath(Point(10, 20), Point(110, 60), 2.0f, SCLinearPath::PATH_DURATION));
    EXPECT_EQ(Point(10, 20), m_pSprite->getPosPoint()) << "placed at from on attach";
    for (const Step& step : aSteps)
    {
        run(step.fDt);
        EXPECT_EQ(step.pos, m_pSprite->getPosPoint());
        EXPECT_EQ(step.nControllers, m_pSprite->getControllerCount());
    }
}

TEST_F(MovementTest, LinearPathsAreRelativeAndAddUp)
{
    // The delta form leaves the sprite where it is; two paths and the owner's own moves add up.
    m_pSprite->setPosPoint(Point(0, 0));
    m_pSprite->addController(new SCLinearPath(Point(100, 0), 1.0f, SCLinearPath::PATH_DURATION));
    m_pSprite->addController(new SCLinearPath(Point(0, 50), 1.0f, SCLinearPath::PATH_DURATION));
    EXPECT_EQ(Point(0, 0), m_pSprite->getPosPoint());
    run(0.5f);
    EXPECT_EQ(Point(50, 25), m_pSprite->getPosPoint());
    m_pSprite->setPosPoint(m_pSprite->getPosPoint() + Point(0, 1000));
    run(0.5f);
    EXPECT_EQ(Point(100, 1050), m_pSprite->getPosPoint());
    EXPECT_EQ(0, m_pSprite->getControllerCount());

    // Finishing jumps to the end.
    m_pSprite->setPosPoint(Point(0, 0));
    m_pSprite->addController(new SCLinearPath(Point(8, 4), 10.0f, SCLinearPath::PATH_DURATION));
    run(1.0f);
    m_pSprite->finishControllers();
    EXPECT_FLOAT_EQ(8.0f, m_pSprite->getPosPoint().x);
    EXPECT_FLOAT_EQ(4.0f, m_pSprite->getPosPoint().y);
    EXPECT_EQ(0, m_pSprite->getControllerCount());
}

TEST_F(MovementTest, LinearPathDurations)
{
    struct Case
    {
        const char* pszName;
        Point delta;
        float fValue;
        int nType;
        float fDuration;
    };
    const Case aCases[] = {
        {"duration", Point(30, 40), 2.5f, SCLinearPath::PATH_DURATION, 2.5f},
        {"speed", Point(30, 40), 25.0f, SCLinearPath::PATH_SPEED, 2.0f},
        {"speed 0", Point(30, 40), 0.0f, SCLinearPath::PATH_SPEED, 100000.0f},
        {"duration 0", Point(30, 40), 0.0f, SCLinearPath::PATH_DURATION, 0.0f},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszName);
        SCLinearPath* pPath = new SCLinearPath(c.delta, c.fValue, c.nType);
        EXPECT_FLOAT_EQ(c.fDuration, pPath->getTimer()->getDuration());
        EXPECT_EQ(TIMER_CLAMP, pPath->getTimer()->getFlags());
        delete pPath;
    }

    // Duration 0: the whole way at the first update.
    m_pSprite->setPosPoint(Point(0, 0));
    m_pSprite->addController(new SCLinearPath(Point(30, 40), 0.0f, SCLinearPath::PATH_DURATION));
    run(0.016f);
    EXPECT_EQ(Point(30, 40), m_pSprite->getPosPoint());
    EXPECT_EQ(0, m_pSprite->getControllerCount());

    try
    {
        SCLinearPath path(Point(1, 1), 1.0f, 2);
        FAIL() << "type 2 accepted";
    }
    catch (const RIR::FatalErrorException& e)
    {
        EXPECT_STREQ("Unsupported eType", e.getMessage());
    }
}

TEST_F(MovementTest, VerticalParabola)
{
    // B = (40 - 100) / (1/3) = -180, A = 0 - B = 180: y = 100 - 180 t + 180 t^2.
    m_pSprite->addController(new SCVerticalParabola(Point(0, 100), Point(100, 100), 40.0f, 2.0f));
    const float aY[] = {66.25f, 55.0f, 66.25f, 100.0f};
    for (int i = 0; i < 4; ++i)
    {
        SCOPED_TRACE("step " + std::to_string(i));
        run(0.5f);
        EXPECT_NEAR(25.0f * (i + 1), m_pSprite->getPosPoint().x, 1e-3f);
        EXPECT_NEAR(aY[i], m_pSprite->getPosPoint().y, 1e-3f);
        EXPECT_EQ(i < 3 ? 1 : 0, m_pSprite->getControllerCount());
    }
}

TEST_F(MovementTest, OneShotPlacementsActAtTheirFirstUpdate)
{
    // A second sprite sharing the picture sees the new insertion point: the image object changes.
    RIR::SmartPtr<Image> pShared = patternImage(10, 8, 0, 0);
    m_pSprite->setImage(pShared);
    RIR::SmartPtr<Sprite> pOther = new Sprite(pShared, 0, 0, 0);

    m_pSprite->addController(new SCSetScreenPosition(Point(300, 200), 0x12));
    EXPECT_EQ(Point(10, 20), m_pSprite->getPosPoint()) << "nothing on attach";
    run(0.016f);
    EXPECT_EQ(Point(300, 200), m_pSprite->getPosPoint());
    EXPECT_EQ(Point(9, 7), pOther->getImage()->getInsPoint());
    EXPECT_EQ(0, m_pSprite->getControllerCount());

    m_pSprite->addController(new SCSetInsPoint(0x24));
    run(0.016f);
    EXPECT_EQ(Point(5, 4), pShared->getInsPoint());
    EXPECT_EQ(Point(300, 200), m_pSprite->getPosPoint());

    m_pSprite->addController(new SCSetPosition(Point(7, 9)));
    m_pSprite->addController(new SCSetZOrder(12));
    run(0.016f);
    EXPECT_EQ(Point(7, 9), m_pSprite->getPosPoint());
    EXPECT_EQ(12, m_pSprite->getZOrder());
    EXPECT_EQ(12, m_mode.getSpriteLayers().get(0)->get(0)->getZOrder()) << "re-sorted";
    EXPECT_EQ(0, m_pSprite->getControllerCount());

    // Without an image only the position is set.
    RIR::SmartPtr<Sprite> pBare = new Sprite(0, 0, 0);
    pBare->addController(new SCSetScreenPosition(Point(4, 5), 0x12));
    pBare->addController(new SCSetInsPoint(0x12));
    pBare->updateControllers(0.016f);
    EXPECT_EQ(Point(4, 5), pBare->getPosPoint());
    EXPECT_EQ(0, pBare->getControllerCount());
}
