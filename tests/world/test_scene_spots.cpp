// Action spots: the half-open rectangle, the base slots, the scene's registry with getSpotAt's
// depth and tie rules, and proxies forwarding to their target.
#include "world/actionspot.h"
#include "world/proxyspot.h"
#include "world/scene.h"

#include "worldtest.h"

#include <type_traits>

static_assert(std::is_abstract_v<ActionSpot>, "every spot class gives its own actions");
static_assert(std::is_base_of_v<ActionSpot, ProxyActionSpot>, "a proxy is a spot");

namespace
{

// Only the pure operations; the base slots stay as they are.
class BareSpot : public ActionSpot
{
public:
    explicit BareSpot(const Rect& rect) : ActionSpot(rect) {}
    bool canDoAction(Dolly*, int) override { return false; }
    void doAction(Dolly*, int) override {}
    void getActionPos(Dolly*, int, int* pX, int* pY, int* pDir) override { *pX = *pY = *pDir = 0; }
    void getActionAnim(RIR::String& sName, Dolly*, int) override { sName = ""; }
    int getDepth() override { return 0; }
};

} // namespace

TEST(ActionSpotTest, TheRectangleIsHalfOpen)
{
    RIR::SmartPtr<ActionSpot> pSpot = new BareSpot(Rect(10, 20, 30, 40)); // left, top, right, bottom
    struct Case
    {
        int nX, nY;
        bool bInside;
    } const cases[] = {
        {10, 20, true}, {29, 39, true}, {30, 20, false}, {10, 40, false},
        {9, 25, false}, {15, 19, false}, {20, 30, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.bInside, pSpot->contains(c.nX, c.nY)) << c.nX << "," << c.nY;
}

TEST(ActionSpotTest, BaseSlots)
{
    RIR::SmartPtr<ActionSpot> pSpot = new BareSpot(Rect(0, 0, 10, 10));
    EXPECT_EQ(-1, pSpot->getActionSound(nullptr, 0));
    EXPECT_FALSE(pSpot->acceptsThrownMug());
    EXPECT_FALSE(pSpot->isReserved());
    pSpot->setReserved(true);
    EXPECT_TRUE(pSpot->isReserved());
    int nX = 5;
    int nY = 5;
    pSpot->getMugPos(&nX, &nY);
    EXPECT_EQ(0, nX);
    EXPECT_EQ(0, nY);
    NullMugHandle mug;
    RIR::SmartPtr<Mug>& pMug = mug.get();
    EXPECT_EQ("FatalErrorException: ActionSpot::takeMugTK() called, need override",
              messageOf([&] { pSpot->takeMugTK(pMug); }));
    EXPECT_EQ("FatalErrorException: ActionSpot::setMugTK() called, need override",
              messageOf([&] { pSpot->setMugTK(pMug); }));
}

TEST_F(WorldTest, GetSpotAtTakesTheDeepestAndTheFirstOfEqualDepth)
{
    RIR::SmartPtr<ActionSpot> pFirst = new FixedSpot(Rect(0, 0, 100, 100), 306);
    RIR::SmartPtr<ActionSpot> pSecond = new FixedSpot(Rect(50, 50, 150, 150), 306);
    RIR::SmartPtr<ActionSpot> pDeep = new FixedSpot(Rect(90, 90, 200, 200), 406);
    m_pScene->addSpot(pFirst);
    m_pScene->addSpot(pSecond);
    EXPECT_EQ(pFirst.get(), m_pScene->getSpotAt(60, 60).get());
    EXPECT_EQ(pFirst.get(), m_pScene->getSpotAt(10, 10).get());
    EXPECT_EQ(pSecond.get(), m_pScene->getSpotAt(120, 60).get());
    EXPECT_TRUE(m_pScene->getSpotAt(300, 300).isNull());

    m_pScene->addSpot(pDeep);
    EXPECT_EQ(pDeep.get(), m_pScene->getSpotAt(95, 95).get());
    EXPECT_EQ(pFirst.get(), m_pScene->getSpotAt(60, 60).get());

    // A shallower spot registered later loses; a second registration of the same spot is allowed
    // and a removal takes the first.
    RIR::SmartPtr<ActionSpot> pShallow = new FixedSpot(Rect(0, 0, 300, 300), 206);
    m_pScene->addSpot(pShallow);
    m_pScene->addSpot(pFirst);
    EXPECT_EQ(pDeep.get(), m_pScene->getSpotAt(95, 95).get());
    EXPECT_EQ(pShallow.get(), m_pScene->getSpotAt(250, 250).get());
    EXPECT_EQ(5, m_pScene->getSpots().getLength());
    m_pScene->removeSpot(pFirst);
    EXPECT_EQ(pSecond.get(), m_pScene->getSpots().get(0).get());
    EXPECT_EQ(pFirst.get(), m_pScene->getSpots().get(3).get());
    // Now pSecond is first of the two spots of depth 306.
    EXPECT_EQ(pSecond.get(), m_pScene->getSpotAt(60, 60).get());

    m_pScene->removeSpot(pFirst);
    EXPECT_EQ("AssertFailException: Assertion failed : nIdx >= 0",
              messageOf([&] { m_pScene->removeSpot(pFirst); }));
}

TEST(ProxySpotTest, ForwardsEverythingButTheSoundAndTheRectangle)
{
    RIR::SmartPtr<FixedSpot> pTarget = new FixedSpot(Rect(0, 0, 100, 100), 556, 2);
    RIR::SmartPtr<ProxyActionSpot> pProxy =
        new ProxyActionSpot(Rect(200, 200, 220, 230), RIR::SmartPtr<ActionSpot>(pTarget));

    EXPECT_EQ(pTarget.get(), pProxy->getTarget().get());
    EXPECT_EQ(2, pTarget->getActionSound(nullptr, 0));
    EXPECT_EQ(-1, pProxy->getActionSound(nullptr, 0));
    EXPECT_EQ(556, pProxy->getDepth());
    EXPECT_TRUE(pProxy->canDoAction(nullptr, 0));
    EXPECT_FALSE(pProxy->canDoAction(nullptr, 1));
    EXPECT_TRUE(pProxy->acceptsThrownMug());

    int nX = 0;
    int nY = 0;
    int nDir = 0;
    pProxy->getActionPos(nullptr, 1, &nX, &nY, &nDir);
    EXPECT_EQ(101, nX);
    EXPECT_EQ(200, nY);
    EXPECT_EQ(3, nDir);
    RIR::String sAnim;
    pProxy->getActionAnim(sAnim, nullptr, 1);
    EXPECT_EQ("leave_", std::string(sAnim.c_str()));
    pProxy->getMugPos(&nX, &nY);
    EXPECT_EQ(11, nX);
    EXPECT_EQ(22, nY);
    pProxy->doAction(nullptr, 0);
    EXPECT_EQ(1, pTarget->getActionCount());

    // Reserving the proxy reserves the target, and the proxy reports the target's flag.
    pProxy->setReserved(true);
    EXPECT_TRUE(pTarget->isReserved());
    EXPECT_TRUE(pProxy->isReserved());
    pTarget->setReserved(false);
    EXPECT_FALSE(pProxy->isReserved());

    // Its own rectangle for clicks.
    EXPECT_TRUE(pProxy->contains(200, 200));
    EXPECT_FALSE(pProxy->contains(50, 50));

    // The base telekinesis slots of the target answer through the proxy.
    NullMugHandle mug;
    RIR::SmartPtr<Mug>& pMug = mug.get();
    EXPECT_EQ("FatalErrorException: ActionSpot::setMugTK() called, need override",
              messageOf([&] { pProxy->setMugTK(pMug); }));
    EXPECT_EQ("FatalErrorException: ActionSpot::takeMugTK() called, need override",
              messageOf([&] { pProxy->takeMugTK(pMug); }));

    // A proxy without a target fails clearly when used.
    RIR::SmartPtr<ProxyActionSpot> pOrphan =
        new ProxyActionSpot(Rect(0, 0, 1, 1), RIR::SmartPtr<ActionSpot>());
    EXPECT_EQ("AssertFailException: Assertion failed : m_pTarget",
              messageOf([&] { pOrphan->getDepth(); }));
}

TEST_F(WorldTest, ProxiesInTheRegistryReportTheirTargetsDepth)
{
    RIR::SmartPtr<ActionSpot> pTable = new FixedSpot(Rect(0, 0, 100, 100), 556);
    RIR::SmartPtr<ActionSpot> pFloor = new FixedSpot(Rect(0, 0, 400, 400), 456);
    RIR::SmartPtr<ActionSpot> pProxy = new ProxyActionSpot(Rect(150, 150, 170, 180), pTable);
    m_pScene->addSpot(pFloor);
    m_pScene->addSpot(pTable);
    m_pScene->addSpot(pProxy);
    EXPECT_EQ(pProxy.get(), m_pScene->getSpotAt(160, 160).get());
    EXPECT_EQ(pTable.get(), m_pScene->getSpotAt(50, 50).get());
}
