// DemoCustomers: generated customers and the scripted player who serves them (democustomers.h).
#include "democustomers.h"
#include "democast.h"

#include "demoheroine.h"

#include "world/headsitoffsets.h"
#include "world/scene.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <cstring>
#include <string>

namespace
{

const float SPAWN_INTERVAL = 4.0f;
const float CLICK_INTERVAL = 0.5f;
// bodyPart's second layer of the head: the hat.
const int HAT_LAYER = Character::PART_COUNT;

// Head offsets of the block bodies: the head sinks as the body sits.
const char DEMO_HEAD_OFFSETS[] = "0 0\n0 0\n1 1\n1 1\n2 2\n2 2\n3 3\n3 4\n3 4\n";

// Torso and legs colours of the looks: shirt rgb, trousers rgb.
const int LOOKS[6][6] = {{190, 60, 50, 60, 50, 40},  {60, 110, 170, 50, 40, 30},
                         {200, 170, 80, 70, 60, 60}, {90, 150, 80, 40, 40, 60},
                         {160, 90, 160, 60, 50, 40}, {220, 220, 210, 30, 30, 30}};

// A customer whose balloon, marks and bottle are blocks.
class DemoCustomer : public Customer
{
public:
    DemoCustomer(const RIR::SmartPtr<Animation>& pBalloon, const RIR::SmartPtr<Animation>& pMark,
                 const RIR::SmartPtr<Animation>& pBottle)
        : m_pBalloonAnim(pBalloon), m_pMarkAnim(pMark), m_pBottleAnim(pBottle)
    {
    }

protected:
    RIR::SmartPtr<Animation> loadAnimation(const char* pszName) override
    {
        if (std::strcmp(pszName, "balloons.anim") == 0)
            return m_pBalloonAnim;
        if (std::strcmp(pszName, "exclamation.anim") == 0)
            return m_pMarkAnim;
        return m_pBottleAnim;
    }

private:
    RIR::SmartPtr<Animation> m_pBalloonAnim;
    RIR::SmartPtr<Animation> m_pMarkAnim;
    RIR::SmartPtr<Animation> m_pBottleAnim;
};

// A customer waiting for a beer: seated, asking or between asks, with nothing to drink.
bool isWaiting(Customer* pCust)
{
    const int nState = pCust->getState();
    return (nState == Customer::ST_SEATED || nState == Customer::ST_ASK) && !pCust->hasMug() &&
           pCust->getCustomerSpot() && !pCust->isLeaveRequested();
}

} // namespace

DemoCustomers::DemoCustomers(DemoWorld* pWorld, ImageFactory* pFactory, int nMaxCustomers,
                             DemoHeroine* pHeroine)
    : m_pWorld(pWorld), m_pFactory(pFactory), m_pHeroine(pHeroine), m_nMaxCustomers(nMaxCustomers),
      m_fSpawnTimer(1.0f), m_fClickTimer(0.0f), m_bSentOut(false), m_nCameIn(0)
{
    // Dressed from the packs, customers use the packs' head table; the block bodies have heads of
    // their own shape, so without the packs the demo keeps its own.
    HeadSitOffsets::reset();
    if (m_pWorld->getCast())
        HeadSitOffsets::load();
    else
        HeadSitOffsets::parse(DEMO_HEAD_OFFSETS);
}

DemoCustomers::~DemoCustomers() {}

RIR::SmartPtr<Image> DemoCustomers::block(int nW, int nH, int nR, int nG, int nB, int nInsX,
                                          int nInsY)
{
    RIR::SmartPtr<Image> pImage(m_pFactory->createBlank(nW, nH, true));
    pImage->fill(Color(nR, nG, nB, 255));
    pImage->setInsPoint(nInsX, nInsY);
    return pImage;
}

RIR::SmartPtr<Animation> DemoCustomers::bodyPart(int nPart, int nLook)
{
    const int* pLook = LOOKS[nLook % 6];
    RIR::SmartPtr<Animation> pAnim = new Animation(8.0f);
    for (int nDir = 0; nDir < 4; ++nDir)
    {
        const std::string c =
            Character::getDirectionCode(nPart == HAT_LAYER ? Character::PART_HEAD : nPart, nDir);
        // Frame f of a pose: standing (sit 0) or seated (sit 1), the arm raised by nLift.
        auto frame = [&](float fSit, int nLift, int f) -> RIR::SmartPtr<Image>
        {
            const int nDrop = (int)(fSit * 4.0f);
            switch (nPart)
            {
            case Character::PART_RIGHT_ARM:
            case Character::PART_LEFT_ARM:
            {
                const int nSide = (nPart == Character::PART_RIGHT_ARM) == (nDir != 1) ? 1 : -1;
                return block(8, 26, pLook[0] * 3 / 4, pLook[1] * 3 / 4, pLook[2] * 3 / 4,
                             nSide > 0 ? -15 : 23, 48 - nDrop - nLift - f * 2);
            }
            case Character::PART_TORSO:
                return block(30, 34, pLook[0], pLook[1], pLook[2], 15, 50 - nDrop);
            case Character::PART_LEGS:
                return fSit > 0.5f
                           ? block(32, 14, pLook[3], pLook[4], pLook[5], 16, 14)
                           : block(f ? 18 : 26, 18, pLook[3], pLook[4], pLook[5], f ? 9 : 13, 18);
            default:
                return block(22, 22, 235, 195, 150, 11, 72);
            case HAT_LAYER:
                return block(32, 10, 70 + 20 * (nLook % 3), 45, 20, 16, 78);
            }
        };
        auto add = [&](const std::string& sName, int nFrames, bool bLoop, float fSit, int nLift)
        {
            pAnim->newSequence(sName.c_str(), bLoop, 0.0f);
            for (int f = 0; f < nFrames; ++f)
                pAnim->addFrame(sName.c_str(),
                                frame(fSit, nLift * (f > 0 && f < nFrames - 1), f % 2), 1);
        };
        add("stand_" + c, 2, true, 0.0f, 0);
        add("walk_" + c + "_1s", 4, false, 0.0f, 0);
        add("walk_" + c + "_2s", 4, false, 0.0f, 0);
        add("sit_idle_" + c, 2, true, 1.0f, 0);
        const std::string sDown = "sitdown_" + c;
        const std::string sUp = "standup_" + c;
        pAnim->newSequence(sDown.c_str(), false, 0.0f);
        pAnim->newSequence(sUp.c_str(), false, 0.0f);
        for (int f = 0; f < 9; ++f)
        {
            pAnim->addFrame(sDown.c_str(), frame(f / 8.0f, 0, 0), 1);
            pAnim->addFrame(sUp.c_str(), frame(1.0f - f / 8.0f, 0, 0), 1);
        }
        if (nPart == Character::PART_LEGS)
        {
            pAnim->setFrameProp(sDown.c_str(), 2, "chairpos", "0.6");
            pAnim->setFrameProp(sDown.c_str(), 6, "chairpos", "0.2");
            pAnim->setFrameProp(sDown.c_str(), 4, "playsound", "1");
            pAnim->setFrameProp(sUp.c_str(), 2, "chairpos", "0.6");
            pAnim->setFrameProp(sUp.c_str(), 7, "chairpos", "0.2");
            pAnim->setFrameProp(sUp.c_str(), 4, "playsound", "1");
        }
        for (int nAsk = 0; nAsk < 3; ++nAsk)
        {
            const std::string s = "ask_" + std::to_string(nAsk) + "_" + c;
            add(s, 8, false, 1.0f, -14);
            pAnim->setFrameProp(s.c_str(), 6, "endseq", "1");
            pAnim->setFrameProp(s.c_str(), 3, "sound", "1");
        }
        for (const char* pszDrink : {"drink_", "drink_fast_"})
        {
            const std::string s = pszDrink + c;
            const int nFrames = std::strcmp(pszDrink, "drink_") == 0 ? 10 : 6;
            add(s, nFrames, false, 1.0f, -18);
            pAnim->setFrameProp(s.c_str(), 1, "take", "1");
            pAnim->setFrameProp(s.c_str(), nFrames - 2, "leave", "1");
        }
        const std::string sThrow = "throw_" + c;
        add(sThrow, 6, false, 1.0f, -22);
        pAnim->setFrameProp(sThrow.c_str(), 1, "take", "1");
        pAnim->setFrameProp(sThrow.c_str(), 3, "doaction", "1");
        const bool bRight = nDir == 1; // seated on a right chair he faces left, throws right
        pAnim->setFrameProp(sThrow.c_str(), 3, "mugx", "0");
        pAnim->setFrameProp(sThrow.c_str(), 3, "mugy", "-40");
        pAnim->setFrameProp(sThrow.c_str(), 3, "landx", bRight ? "90" : "-90");
        pAnim->setFrameProp(sThrow.c_str(), 3, "landy", "30");
        pAnim->setFrameProp(sThrow.c_str(), 3, "miny", "-120");
    }
    return pAnim;
}

void DemoCustomers::spawn()
{
    RIR_TRACE("DemoCustomers::spawn");
    Scene* pScene = Scene::getScene();
    if (!pScene->hasFreeChair() || !pScene->isCorridorFree(Scene::CORRIDOR_IN) ||
        pScene->getSquare(0, 0)->pWalkObj)
        return;

    RIR::SmartPtr<Animation> pBalloon = new Animation(6.0f);
    for (int nAsk = 0; nAsk < 3; ++nAsk)
        for (const char* pszSide : {"r", "l"})
        {
            const std::string s = "ask_" + std::to_string(nAsk) + "_" + pszSide;
            pBalloon->newSequence(s.c_str(), true, 0.0f);
            for (int f = 0; f < 2; ++f)
                pBalloon->addFrame(
                    s.c_str(),
                    block(36 + 10 * nAsk + 2 * f, 24 + 2 * f, 250, 250, 235, 18 + 5 * nAsk, 24), 1);
        }
    RIR::SmartPtr<Animation> pMark = new Animation(4.0f);
    for (int n = 0; n < 3; ++n)
    {
        const std::string s = "excl_" + std::to_string(n);
        pMark->newSequence(s.c_str(), true, 0.0f);
        pMark->addFrame(s.c_str(), block(4, 10 + 4 * n, 230, 40 + 60 * (2 - n), 30, 2, 10), 1);
        pMark->addFrame(s.c_str(), block(4, 10 + 4 * n, 230, 40 + 60 * (2 - n), 30, 2, 10), 1);
        pMark->setFrameProp(s.c_str(), 0, "ydelta", "-70");
        pMark->setFrameProp(s.c_str(), 1, "ydelta", "-73");
    }
    RIR::SmartPtr<Animation> pBottle = new Animation(10.0f);
    for (const char* pszSide : {"r", "l"})
    {
        const std::string sThrow = std::string("throw_") + pszSide;
        const std::string sFade = std::string("fade_") + pszSide;
        pBottle->newSequence(sThrow.c_str(), false, 0.0f);
        pBottle->newSequence(sFade.c_str(), false, 0.0f);
        for (int f = 0; f < 6; ++f)
            pBottle->addFrame(sThrow.c_str(),
                              block(f % 2 ? 12 : 6, f % 2 ? 6 : 12, 60, 140, 60, 4, 6), 1);
        pBottle->setFrameProp(sThrow.c_str(), 5, "playsound", "1");
        for (int f = 0; f < 8; ++f)
            pBottle->addFrame(sFade.c_str(),
                              block(12, 6, 60 + 20 * f, 140 + 10 * f, 60 + 20 * f, 6, 6), 1);
    }

    // With the packs open the customer is the game's own, dressed as the level dresses him, with
    // the packs' balloons, marks and bottle.
    DemoCast* pCast = m_pWorld->getCast();
    RIR::SmartPtr<Customer> pCust =
        pCast ? new Customer() : new DemoCustomer(pBalloon, pMark, pBottle);
    RIR::Random& random = m_pWorld->random();
    pCust->setBool(CP_CAN_BE_STOPPED, false);
    pCust->setFloat(CP_EXPELL_COUNT, 1.0f);
    pCust->setBool(CP_WANT_CLICKS, false);
    pCust->setBool(CP_ALWAYS_EXIT_RIGHT, false);
    pCust->setBool(CP_EXCLUSIVE_ENTER, false);
    pCust->setBool(CP_IS_WANTED, false);
    pCust->setFloat(CP_TIME_RETRY_LEAVE, 1.0f);
    for (int n = 0; n < 4; ++n)
        pCust->setFloat(RIR::String::format(CP_TIME_ASK_FMT, n).c_str(),
                        (float)random.rangeReal(3.0, 6.0));
    pCust->setBool(CP_LEAVE_ON_ABANDON, true);
    pCust->setBool(CP_PATIENT, false);
    pCust->setFloat(CP_TIME_BETWEEN_DRINK, 1.5f);
    pCust->setBool(CP_LAST_DRINK_LOCKED, false);
    pCust->setBool(CP_FAST_DRINK_NEXT, false);
    pCust->setFloat(CP_FAST_DRINK_PROB, 0.3f);
    pCust->setFloat(CP_START_FIGHT_PROB, 0.0f);
    pCust->setFloat(CP_MAX_DRINKS, (float)random.range(1, 2));
    pCust->setFloat(CP_PAY_0, 120.0f);
    pCust->setFloat(CP_PAY_1, 110.0f);
    pCust->setFloat(CP_PAY_2, 100.0f);
    pCust->setFloat(CP_PAY_3, 90.0f);
    pCust->setBool(CP_PICK_FIRST_CHAIR, false);
    pCust->setBool(CP_LEAVE_ON_REMOVE, false);
    pCust->setBool(CP_ACCEPT_FIGHTS, false);
    pCust->setBool(CP_CAN_BE_SCARED, true);
    pCust->setBool(CP_ACCEPT_PARTNERS, true);
    pCust->setBool(CP_SCARES_PEOPLE, false);
    if (pCast)
        pCast->dress(pCust.get(), DemoCast::KIND_CUSTOMER);
    else
    {
        for (int nPart = 0; nPart < Character::PART_COUNT; ++nPart)
            pCust->addPartAnimation(nPart, bodyPart(nPart, m_nCameIn));
        pCust->addPartAnimation(Character::PART_HEAD, bodyPart(HAT_LAYER, m_nCameIn));
    }
    pCust->setSpeed(140, 100);
    if (!pScene->reserveCorridor(pCust, Scene::CORRIDOR_IN, false))
        return;
    int nX = 0;
    int nY = 0;
    pScene->squareToPixel(0, 0, &nX, &nY, 0x24);
    pCust->placeAt(nX, nY);
    pCust->start();
    m_pWorld->addCharacter(pCust);
    m_lCustomers.append(pCust);
    ++m_nCameIn;
}

void DemoCustomers::update(float fDt)
{
    RIR_TRACE("DemoCustomers::update");
    // Forget the customers the world has removed.
    for (int n = m_lCustomers.getLength() - 1; n >= 0; --n)
        if (m_pWorld->getCharacterIndex(m_lCustomers.get(n).get()) < 0)
            m_lCustomers.removeAt(n);
    if (m_pWorld->isClosing())
    {
        if (!m_bSentOut)
        {
            m_bSentOut = true;
            for (int n = 0; n < m_lCustomers.getLength(); ++n)
                m_lCustomers.get(n)->requestLeave();
        }
        return;
    }
    m_fSpawnTimer -= fDt;
    if (m_fSpawnTimer <= 0.0f && m_lCustomers.getLength() < m_nMaxCustomers)
    {
        m_fSpawnTimer = SPAWN_INTERVAL;
        spawn();
    }
    m_fClickTimer -= fDt;
    if (m_pHeroine && m_fClickTimer <= 0.0f)
    {
        m_fClickTimer = CLICK_INTERVAL;
        play();
    }
}

void DemoCustomers::play()
{
    Dolly* pDolly = m_pHeroine->getDolly();
    if (pDolly->isDoingAction())
        return;
    Customer* pWaiting = nullptr;
    for (int n = 0; n < m_lCustomers.getLength() && !pWaiting; ++n)
        if (isWaiting(m_lCustomers.get(n).get()))
            pWaiting = m_lCustomers.get(n).get();
    int nX = 0;
    int nY = 0;
    for (int nHand = 0; nHand < 2; ++nHand)
    {
        if (pDolly->isHandEmpty(nHand))
            continue;
        if (!pDolly->getHandMug(nHand)->isFull())
        {
            DemoHeroine::getSinkPoint(&nX, &nY);
            m_pHeroine->click(nX, nY);
            return;
        }
        if (pWaiting)
        {
            const Rect& r = pWaiting->getCustomerSpot()->getRect();
            m_pHeroine->click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
            return;
        }
    }
    if (pWaiting && (pDolly->isHandEmpty(0) || pDolly->isHandEmpty(1)))
    {
        DemoHeroine::getTapPoint(&nX, &nY);
        m_pHeroine->click(nX, nY);
    }
}
