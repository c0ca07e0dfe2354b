// DemoWorld: the demo's floor, its test characters and their spawning (demoworld.h).
#include "demoworld.h"

#include "democast.h"
#include "scenedemo.h"

#include "world/customer.h"
#include "world/worldrandom.h"

#include "app/gameapp.h"
#include "app/gamemode.h"
#include "app/log.h"
#include "gfx/color.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <cstdlib>
#include <cstring>
#include <sstream>

namespace
{

const float SPAWN_INTERVAL = 1.5f;

// Class states of the test character.
const int ST_INSIDE = 100;     // pick a square (or a chair) and walk there
const int ST_STAND = 101;      // stand a while
const int ST_GO_OUT = 102;     // take the corridor out and walk to the door
const int ST_SIT_DOWN = 103;   // at the chair: sit down on it
const int ST_SEATED = 104;     // seated: ask, drink, wait, one step after the other
const int ST_STAND_UP = 105;   // get up from the chair
const int ST_LEAVE_CHAIR = 106; // off the chair, back on the floor
const int ST_STEAL = 107;      // the thief's hand in the till
const int ST_STEAL_END = 108;  // and out again

// The generated walk cycles move the planted foot 9 px a frame at 20 frames a second: walking at
// another speed plays them slower or faster so that the feet do not slide on the floor.
const float WALK_CYCLE_SPEED = 180.0f;
// A chair moves this far from its table when pulled fully out.
const int CHAIR_PULL = 23;

// A visitor: comes in, wanders to a few squares, standing a while at each, and leaves.
class DemoWalker : public Character
{
public:
    DemoWalker(DemoWorld* pWorld, int nWanders, int nKind)
        : m_pWorld(pWorld), m_nWanders(nWanders), m_nKind(nKind)
    {
        setEnterState(ST_INSIDE);
        const int nSpeed = nKind == DemoCast::KIND_COW ? 110 : 140;
        setSpeed(nSpeed, nSpeed * 5 / 7);
        setWalkAnimScale((float)nSpeed / WALK_CYCLE_SPEED);
    }

    void detach() override
    {
        releaseChair();
        Character::detach();
    }

    // The body, then the head while sitting down, seated and getting up: the head is one still
    // picture that follows the sitting figure by the packs' sitting offsets.
    void animate(float fDt) override
    {
        Character::animate(fDt);
        if (!m_pChair)
            return;
        DemoWorld::Chair& chair = *m_pChair;
        RIR::SmartPtr<AnimSprite> pLegs = getPartSprite(PART_LEGS);
        if (!pLegs)
            return;
        const RIR::String& sSeq = pLegs->getSequenceName();
        const bool bSitDown = std::strstr(sSeq.c_str(), "sitdown_") != nullptr;
        const bool bStandUp = std::strstr(sSeq.c_str(), "standup_") != nullptr;
        const bool bSeated = m_nState == ST_SEATED || (m_nState == ST_STAND_UP && !bStandUp) ||
                             (m_nState == ST_SIT_DOWN && !bSitDown && m_bOnChair);
        if (!bSitDown && !bStandUp && !bSeated)
            return;
        int nIndex = bSeated ? 8 : pLegs->getFrame();
        if (nIndex < 0)
            nIndex = 0;
        if (nIndex > 8)
            nIndex = 8;
        if (bStandUp)
            nIndex = 8 - nIndex;
        // The chair slides out as the figure stands and back in as it sits.
        const RIR::String sPull = pLegs->getFrameProp("chairpos");
        if ((bSitDown || bStandUp) && sPull.length() > 0)
            m_pWorld->pullChair(chair, (float)std::atof(sPull.c_str()));
        const int nSide = chair.bRight ? -1 : 1;
        int nDx = 0;
        int nDy = 0;
        m_pWorld->headSitOffset(nIndex, &nDx, &nDy);
        for (int n = 0; n < getPartSprites(PART_HEAD).getLength(); ++n)
            getPartSprites(PART_HEAD).get(n)->setPos(pLegs->getX() + nDx * nSide,
                                                       pLegs->getY() + nDy);
    }

    void start() override
    {
        setState(ST_GO_TO_DOOR);
        Character::start();
    }

    void updateState(float fDt) override
    {
        RIR_TRACE("DemoWalker::updateState");
        Scene* pScene = Scene::getScene();
        // Two walkers that each want the other's square would wait for ever: after 3 s held up
        // inside the saloon, go somewhere else first.
        // (A held-up walker re-plans every 0.1 s and so flips between states 3 and 2: what counts
        // is that it does not move.)
        const bool bStuck = isWalking() && getX() == m_fLastX && getY() == m_fLastY;
        m_fLastX = getX();
        m_fLastY = getY();
        m_fHeldUp = bStuck ? m_fHeldUp + fDt : 0.0f;
        if (m_fHeldUp > 3.0f && (isStateQueued(ST_STAND) || isStateQueued(ST_TURN_BACK) ||
                                 isStateQueued(ST_SIT_DOWN)))
        {
            const bool bGoingOut = isStateQueued(ST_TURN_BACK);
            m_fHeldUp = 0.0f;
            releaseChair();
            stopWalking();
            clearQueuedStates();
            if (walkToRandomSquare())
                queueState(bGoingOut ? ST_GO_OUT : ST_STAND);
            else
                setState(bGoingOut ? ST_GO_OUT : ST_INSIDE);
            return;
        }
        switch (m_nState)
        {
        case ST_INSIDE:
        {
            if (pScene->hasCorridorReservation(this, Scene::CORRIDOR_IN))
                pScene->unreserveCorridor(this, Scene::CORRIDOR_IN);
            if (m_pWorld->isClosing() || m_nWanders <= 0)
            {
                setState(ST_GO_OUT);
                break;
            }
            if (canSit() && m_pWorld->random().range(0, 2) > 0 && walkToFreeChair())
            {
                queueState(ST_SIT_DOWN);
                break;
            }
            if (walkToRandomSquare())
                queueState(ST_STAND);
            break; // else another square next frame
        }
        case ST_STAND:
            --m_nWanders;
            if (m_nKind == DemoCast::KIND_THIEF && m_pWorld->random().chance())
            {
                // At the till: reach in, grab again and again, pull out.
                setDirection(m_pWorld->random().range(0, 1));
                queueState(ST_STEAL);
                playAnimOnce("startsteal_", "");
                break;
            }
            queueState(ST_INSIDE);
            playAnimFor(0.5f + (float)m_pWorld->random().range(0, 20) / 10.0f, "stand_", "");
            break;
        case ST_STEAL:
            queueState(ST_STEAL_END);
            playAnimFor(1.5f, "steal_", "");
            break;
        case ST_STEAL_END:
            queueState(ST_INSIDE);
            playAnimOnce("endsteal_", "");
            break;
        case ST_SIT_DOWN:
        {
            int nX = 0;
            int nY = 0;
            m_pWorld->getSitPos(*m_pChair, &nX, &nY);
            placeAt(nX, nY);
            setDirection(m_pChair->bRight ? 1 : 0);
            m_bOnChair = true;
            m_nSeatStep = 0;
            queueState(ST_SEATED);
            playAnimOnce("sitdown_", "");
            break;
        }
        case ST_SEATED:
            seatedStep();
            break;
        case ST_STAND_UP:
            queueState(ST_LEAVE_CHAIR);
            playAnimOnce("standup_", "");
            break;
        case ST_LEAVE_CHAIR:
        {
            int nX = 0;
            int nY = 0;
            Scene::getScene()->squareToPixel(m_pChair->nI, m_pChair->nJ + 1, &nX, &nY, 0x24);
            releaseChair();
            placeAt(nX, nY);
            --m_nWanders;
            setState(ST_INSIDE);
            break;
        }
        case ST_GO_OUT:
        {
            setWaitingToLeave(false);
            if (pScene->reserveCorridor(this, Scene::CORRIDOR_OUT, false))
            {
                int nX = 0;
                int nY = 0;
                pScene->getDoorPixel(&nX, &nY, false, 0x14);
                int nPX = 0;
                int nPY = 0;
                getPos(&nPX, &nPY);
                if (nPX == nX && nPY == nY)
                {
                    setState(ST_TURN_BACK);
                    break;
                }
                if (walkTo(nX, nY))
                {
                    queueState(ST_TURN_BACK);
                    break;
                }
                pScene->unreserveCorridor(this, Scene::CORRIDOR_OUT);
            }
            // Refused while others come in: never wait on the square they come in by.
            RIR::SmartPtr<SquareData> pDoorSq = pScene->getSquare(Scene::DOOR_COLUMN, 1);
            if (getSquare() == pDoorSq && walkToRandomSquare())
            {
                queueState(ST_GO_OUT);
                break;
            }
            setWaitingToLeave(true);
            queueState(ST_GO_OUT);
            playAnimFor(0.5f, "stand_", "");
            break;
        }
        default:
            Character::updateState(fDt);
            break;
        }
    }

private:
    bool canSit() const { return m_nKind == DemoCast::KIND_CUSTOMER || m_nKind == DemoCast::KIND_COW; }

    // One thing at a time on the chair: a customer asks, waits, drinks, drinks fast, waits and
    // gets up; the cow sits a while.
    void seatedStep()
    {
        const int nStep = m_nSeatStep++;
        if (m_nKind == DemoCast::KIND_COW)
        {
            queueState(ST_STAND_UP);
            playAnimFor(2.0f + (float)m_pWorld->random().range(0, 20) / 10.0f, "sitting_", "");
            return;
        }
        if (nStep >= 6 || m_pWorld->isClosing())
        {
            setState(ST_STAND_UP);
            return;
        }
        queueState(ST_SEATED);
        switch (nStep)
        {
        case 0:
            playAnimOnce(RIR::String::format("ask_%d_", m_pWorld->random().range(0, 2)).c_str(), "");
            break;
        case 2:
            playAnimOnce("drink_", "");
            break;
        case 4:
            playAnimOnce("drink_fast_", "");
            break;
        default:
            playAnimFor(0.8f + (float)m_pWorld->random().range(0, 10) / 10.0f, "sit_idle_", "");
            break;
        }
    }

    // Takes a free chair and walks to the square in front of it; false when none is free or
    // that square cannot be reached now.
    bool walkToFreeChair()
    {
        DemoWorld::Chair* pChair = m_pWorld->takeFreeChair(this);
        if (!pChair)
            return false;
        int nX = 0;
        int nY = 0;
        Scene::getScene()->squareToPixel(pChair->nI, pChair->nJ + 1, &nX, &nY, 0x24);
        m_pChair = pChair;
        if (walkTo(nX, nY))
            return true;
        releaseChair();
        return false;
    }

    void releaseChair()
    {
        if (!m_pChair)
            return;
        m_pWorld->pullChair(*m_pChair, 0.0f);
        m_pChair->pSitter = nullptr;
        m_pChair = nullptr;
        m_bOnChair = false;
    }

    // Walks to the centre of a random free square of rows 2 to 12; false when the one drawn is
    // blocked or taken.
    bool walkToRandomSquare()
    {
        Scene* pScene = Scene::getScene();
        const int nI = m_pWorld->random().range(0, Scene::COLUMNS - 1);
        const int nJ = m_pWorld->random().range(2, Scene::ROWS - 1);
        RIR::SmartPtr<SquareData> pSq = pScene->getSquare(nI, nJ);
        if (!pSq->bWalkable || pSq->pWalkObj)
            return false;
        int nX = 0;
        int nY = 0;
        pScene->squareToPixel(nI, nJ, &nX, &nY, 0x24);
        return walkTo(nX, nY);
    }

    DemoWorld* m_pWorld; // not owned; outlives its characters
    int m_nWanders;
    int m_nKind;
    DemoWorld::Chair* m_pChair = nullptr; // taken, owned by the world
    bool m_bOnChair = false;
    int m_nSeatStep = 0;
    float m_fHeldUp = 0.0f; // seconds walking without moving, in a row
    float m_fLastX = -1.0f;
    float m_fLastY = -1.0f;
};

// Body colours per look: shirt, trousers.
const int LOOKS[8][6] = {
    {200, 60, 50, 60, 50, 40},   {60, 120, 200, 40, 40, 60},  {220, 180, 60, 70, 60, 50},
    {90, 170, 90, 50, 50, 50},   {170, 90, 190, 40, 40, 40},  {230, 130, 60, 60, 70, 90},
    {60, 190, 190, 50, 40, 30},  {240, 240, 230, 30, 30, 30},
};

} // namespace

DemoWorld::DemoWorld(unsigned int nSeed, int nWalkers, GameMode* pScreen, ImageFactory* pFactory,
                     int nScene, int nTables)
    : m_pPrevious(nullptr), m_pScreen(pScreen), m_pFactory(pFactory), m_nMaxWalkers(nWalkers),
      m_fSpawnTimer(0.0f), m_bClosing(false), m_nCameIn(0), m_nGone(0)
{
    RIR_TRACE("DemoWorld::DemoWorld");
    m_random.seed(nSeed);
    worldRandom().seed(nSeed);
    std::srand(nSeed);
    m_pPrevious = IPlayMode::setPlayMode(this);
    m_level.setFloat(LP_COW_REWARD, 50.0f);
    m_level.setFloat(LP_STOPTHIEF_REWARD, 100.0f);
    m_level.setFloat(LP_STOPFIGHT_REWARD_0, 50.0f);
    m_level.setFloat(LP_STOPFIGHT_REWARD_1, 75.0f);
    m_level.setFloat(LP_STOPFIGHT_REWARD_2, 100.0f);
    m_level.setFloat(LP_WANTED_REWARD, 250.0f);
    m_pScene = new Scene;
    if (nScene >= 0)
    {
        loadDemoScene(m_pScene.get(), nScene, nTables, m_pScreen);
        m_pDoor = m_pScene->getDoor();
        if (m_pScreen && DemoCast::openPacks(DemoCast::gameDir()))
            m_pCast.reset(new DemoCast(m_random));
        return;
    }
    m_pScene->setFloor(190, 550);
    m_pScene->buildGrid();
    // A few bars on the floor to walk round, and tables with a chair on each side.
    const int aBlocked[][2] = {{1, 4}, {2, 4}, {3, 4}, {7, 4}, {8, 4}, {9, 4},
                               {4, 8}, {5, 8}, {6, 8}, {0, 11}, {10, 11}};
    for (const auto& sq : aBlocked)
        m_pScene->blockSquare(sq[0], sq[1]);
    const int aTables[][2] = {{2, 6}, {8, 6}, {5, 10}};
    for (const auto& table : aTables)
    {
        m_pScene->blockSquare(table[0], table[1]);
        for (int nSide : {-1, 1})
        {
            Chair chair;
            chair.nI = table[0] + nSide;
            chair.nJ = table[1];
            chair.bRight = nSide > 0;
            m_pScene->blockSquare(chair.nI, chair.nJ);
            m_lChairs.push_back(chair);
        }
    }
    if (m_pScreen && DemoCast::openPacks(DemoCast::gameDir()))
    {
        m_pCast.reset(new DemoCast(m_random));
        readHeadSitOffsets();
    }
    buildFloorPictures();
}

DemoWorld::~DemoWorld()
{
    m_lCharacters.clear();
    for (Chair& chair : m_lChairs)
        for (int k = 0; k < chair.lSprites.getLength(); ++k)
            if (chair.lSprites.get(k)->getMode())
                chair.lSprites.get(k)->getMode()->removeObject(chair.lSprites.get(k));
    if (m_pDoor && m_pDoor->getMode())
        m_pDoor->getMode()->removeObject(m_pDoor);
    m_pDoor.release();
    m_pScene.release();
    IPlayMode::setPlayMode(m_pPrevious);
}

RIR::SmartPtr<Image> DemoWorld::block(int nW, int nH, int nR, int nG, int nB, int nInsX, int nInsY)
{
    RIR::SmartPtr<Image> pImage(m_pFactory->createBlank(nW, nH, true));
    pImage->fill(Color(nR, nG, nB, 255));
    pImage->setInsPoint(nInsX, nInsY);
    return pImage;
}

void DemoWorld::buildFloorPictures()
{
    RIR_TRACE("DemoWorld::buildFloorPictures");
    // The door: a panel that narrows as it opens.
    RIR::SmartPtr<Animation> pDoorAnim = new Animation(12.0f);
    pDoorAnim->newSequence("close", false, 0.0f);
    pDoorAnim->newSequence("open", false, 0.0f);
    for (int n = 0; n < 4; ++n)
    {
        pDoorAnim->addFrame("open", block(64 - 14 * n, 50, 120, 70, 30, (64 - 14 * n) / 2, 50), 1);
        pDoorAnim->addFrame("close", block(22 + 14 * n, 50, 120, 70, 30, (22 + 14 * n) / 2, 50), 1);
    }
    pDoorAnim->setDefaultSequence("close");
    m_pDoor = new AnimSprite(pDoorAnim, 400, 160, 107);
    if (m_pScreen)
        m_pScreen->addSprite(m_pDoor);
    m_pScene->setDoor(m_pDoor);
    if (!m_pScreen)
        return;
    m_pScreen->addSprite(new Sprite(block(800, 600, 70, 45, 30, 0, 0), 0, 0, 0));
    m_pScreen->addSprite(new Sprite(block(800, 160, 110, 80, 55, 0, 0), 0, 0, 0));
    for (int j = 0; j < Scene::ROWS; ++j)
        for (int i = 0; i < Scene::COLUMNS; ++i)
        {
            int nX = 0;
            int nY = 0;
            m_pScene->squareToPixel(i, j, &nX, &nY, 0);
            const bool bDark = ((i + j) & 1) != 0;
            RIR::SmartPtr<Image> pTile;
            if (j == 0)
                pTile = block(72, 30, bDark ? 150 : 160, bDark ? 140 : 150, 120, 0, 0);
            else if (!m_pScene->getSquare(i, j)->bWalkable)
                pTile = block(72, 30, 60, 35, 20, 0, 0);
            else
                pTile = block(72, 30, bDark ? 170 : 185, bDark ? 120 : 132, bDark ? 70 : 80, 0, 0);
            m_pScreen->addSprite(new Sprite(pTile, nX, nY, j == 0 || m_pScene->getSquare(i, j)->bWalkable ? 1 : j * 100 + 6));
        }
    // The tables: a top on a leg, between their chairs; each chair a seat at the height the
    // figures sit at (38 px), two legs and a back away from the table. All behind the sitters.
    for (size_t n = 0; n + 1 < m_lChairs.size(); n += 2)
    {
        int nX = 0;
        int nY = 0;
        m_pScene->squareToPixel(m_lChairs[n].nI + 1, m_lChairs[n].nJ + 1, &nX, &nY, 4);
        const int nDepth = (m_lChairs[n].nJ + 1) * 100 + 20;
        m_pScreen->addSprite(new Sprite(block(12, 44, 90, 55, 30, 6, 44), nX, nY, nDepth));
        m_pScreen->addSprite(new Sprite(block(92, 10, 120, 75, 40, 46, 54), nX, nY, nDepth + 1));
    }
    for (Chair& chair : m_lChairs)
    {
        int nX = 0;
        int nY = 0;
        getSitPos(chair, &nX, &nY);
        chair.nBaseX = nX;
        // Rectangles relative to the sit position of a chair whose sitter faces right; the
        // chair right of its table is their mirror.
        const int nFace = chair.bRight ? -1 : 1;
        const int nDepth = (chair.nJ + 1) * 100 + 25;
        auto piece = [&](int nX0, int nY0, int nW, int nH, int nShade) {
            const int nLeft = nFace > 0 ? nX0 : -(nX0 + nW);
            RIR::SmartPtr<Image> pImage =
                block(nW, nH, 150 - nShade, 95 - nShade, 52 - nShade / 2, -nLeft, -nY0);
            chair.lSprites.append(new Sprite(pImage, nX, nY, nDepth - nShade / 10));
        };
        piece(-24, -40, 32, 5, 0);   // the seat
        piece(3, -36, 4, 36, 20);    // the front leg
        piece(-22, -36, 4, 36, 20);  // the back leg
        piece(-25, -84, 5, 48, 30);  // the back
        piece(-27, -84, 9, 5, 10);   // its top rail
        for (int k = 0; k < chair.lSprites.getLength(); ++k)
            m_pScreen->addSprite(chair.lSprites.get(k));
    }
}

DemoWorld::Chair* DemoWorld::takeFreeChair(Character* pSitter)
{
    std::vector<Chair*> lFree;
    for (Chair& chair : m_lChairs)
    {
        RIR::SmartPtr<SquareData> pFront = m_pScene->getSquare(chair.nI, chair.nJ + 1);
        if (!chair.pSitter && !pFront->pWalkObj)
            lFree.push_back(&chair);
    }
    if (lFree.empty())
        return nullptr;
    Chair* pChair = lFree[(size_t)m_random.range(0, (int)lFree.size() - 1)];
    pChair->pSitter = pSitter;
    return pChair;
}

void DemoWorld::getSitPos(const Chair& chair, int* pnX, int* pnY) const
{
    int nX = 0;
    int nY = 0;
    m_pScene->squareToPixel(chair.nI, chair.nJ, &nX, &nY, 0);
    *pnX = chair.bRight ? nX + 25 : nX + m_pScene->getSquareWidth() - 1 - 25;
    *pnY = nY + m_pScene->getSquareHeight();
}

void DemoWorld::pullChair(Chair& chair, float fPull)
{
    fPull = fPull < 0.0f ? 0.0f : (fPull > 1.0f ? 1.0f : fPull);
    const int nX = chair.nBaseX + (int)(fPull * (float)CHAIR_PULL * (chair.bRight ? 1.0f : -1.0f));
    for (int k = 0; k < chair.lSprites.getLength(); ++k)
        chair.lSprites.get(k)->setPos(nX, chair.lSprites.get(k)->getY());
}

void DemoWorld::headSitOffset(int nFrame, int* pnDx, int* pnDy) const
{
    *pnDx = 0;
    *pnDy = 0;
    if (nFrame >= 0 && nFrame < (int)m_lHeadSitOffsets.size())
    {
        *pnDx = m_lHeadSitOffsets[(size_t)nFrame].first;
        *pnDy = m_lHeadSitOffsets[(size_t)nFrame].second;
    }
}

RIR::String DemoWorld::nextInsult()
{
    if (m_lInsults.isEmpty())
    {
        GameApp* pApp = GameApp::getInstance();
        if (!pApp || !pApp->hasResource("insults.txt"))
            return "";
        RIR::SmartPtr<RIR::Resource> pRes = pApp->getResource("insults.txt");
        std::istringstream in(std::string((const char*)pRes->getData(), (size_t)pRes->getSize()));
        std::string sLine;
        while (std::getline(in, sLine))
            if (!sLine.empty())
                m_lInsults.append(sLine.c_str());
        if (m_lInsults.isEmpty())
            return "";
    }
    return m_lInsults.get(m_nNextInsult++ % m_lInsults.getLength());
}

int DemoWorld::countFightingCustomers()
{
    int nCount = 0;
    for (int n = 0; n < m_lCharacters.getLength(); ++n)
    {
        const Customer* pCust = dynamic_cast<const Customer*>(m_lCharacters.get(n).get());
        if (pCust && pCust->isFighting())
            ++nCount;
    }
    return nCount;
}

void DemoWorld::readHeadSitOffsets()
{
    RIR_TRACE("DemoWorld::readHeadSitOffsets");
    GameApp* pApp = GameApp::getInstance();
    if (!pApp->hasResource("head_sit_offsets.txt"))
        return;
    RIR::SmartPtr<RIR::Resource> pRes = pApp->getResource("head_sit_offsets.txt");
    std::istringstream in(std::string((const char*)pRes->getData(), (size_t)pRes->getSize()));
    int nX = 0;
    int nY = 0;
    while (m_lHeadSitOffsets.size() < 9 && in >> nX >> nY)
        m_lHeadSitOffsets.push_back({nX, nY});
}

RIR::SmartPtr<Animation> DemoWorld::bodyPart(int nPart, int nLook)
{
    const int* pLook = LOOKS[nLook % 8];
    RIR::SmartPtr<Animation> pAnim = new Animation(8.0f);
    for (int nDir = 0; nDir < 4; ++nDir)
    {
        const RIR::String sCode = Character::getDirectionCode(nPart, nDir);
        RIR::SmartPtr<Image> apFrames[2];
        for (int f = 0; f < 2; ++f)
        {
            switch (nPart)
            {
            case Character::PART_RIGHT_ARM:
            case Character::PART_LEFT_ARM:
            {
                const int nSide = (nPart == Character::PART_RIGHT_ARM) == (nDir != 1) ? 1 : -1;
                apFrames[f] = block(6, 20, pLook[0] * 3 / 4, pLook[1] * 3 / 4, pLook[2] * 3 / 4,
                                    nSide > 0 ? -12 : 18, 38 - f * 2);
                break;
            }
            case Character::PART_TORSO:
                apFrames[f] = block(24, 24, pLook[0], pLook[1], pLook[2], 12, 40);
                break;
            case Character::PART_LEGS:
                apFrames[f] = block(f ? 14 : 20, 16, pLook[3], pLook[4], pLook[5], f ? 7 : 10, 16);
                break;
            default:
                apFrames[f] = block(16, 16, 235, 190, 150, 8, 56);
                break;
            }
        }
        const RIR::String sStand = "stand_" + sCode;
        pAnim->newSequence(sStand.c_str(), true, 0.0f);
        pAnim->addFrame(sStand.c_str(), apFrames[0], 1);
        for (const char* pszStep : {"_1s", "_2s"})
        {
            const RIR::String sWalk = "walk_" + sCode + pszStep;
            pAnim->newSequence(sWalk.c_str(), false, 0.0f);
            pAnim->addFrame(sWalk.c_str(), apFrames[1], 1);
            pAnim->addFrame(sWalk.c_str(), apFrames[0], 1);
        }
    }
    pAnim->setDefaultSequence(("stand_" + RIR::String(Character::getDirectionCode(nPart, 1))).c_str());
    return pAnim;
}

void DemoWorld::spawn()
{
    RIR_TRACE("DemoWorld::spawn");
    if (!m_pScene->isCorridorFree(Scene::CORRIDOR_IN))
        return;
    int nColumn = m_random.range(0, 1) ? 10 : 0;
    if (m_pScene->getSquare(nColumn, 0)->pWalkObj)
        nColumn = 10 - nColumn;
    if (m_pScene->getSquare(nColumn, 0)->pWalkObj)
        return;
    const DemoCast::Kind eKind = m_pCast ? m_pCast->kindFor(m_nCameIn) : DemoCast::KIND_CUSTOMER;
    RIR::SmartPtr<Character> pChar = new DemoWalker(this, m_random.range(1, 4), eKind);
    if (m_pCast)
        m_pCast->dress(pChar.get(), eKind);
    else
        for (int nPart = 0; nPart < Character::PART_COUNT; ++nPart)
            pChar->addPartAnimation(nPart, bodyPart(nPart, m_nCameIn));
    if (!m_pScene->reserveCorridor(pChar, Scene::CORRIDOR_IN, false))
        return;
    int nX = 0;
    int nY = 0;
    m_pScene->squareToPixel(nColumn, 0, &nX, &nY, 0x24);
    pChar->placeAt(nX, nY);
    pChar->start();
    m_lCharacters.append(pChar);
    ++m_nCameIn;
}

void DemoWorld::step(float fDt)
{
    RIR_TRACE("DemoWorld::step");
    m_fSpawnTimer -= fDt;
    if (!m_bClosing && m_fSpawnTimer <= 0.0f && m_lCharacters.getLength() < m_nMaxWalkers)
    {
        m_fSpawnTimer = SPAWN_INTERVAL;
        spawn();
    }
    if (m_pDoor)
        m_pDoor->update(fDt);
    for (int n = 0; n < m_lCharacters.getLength(); ++n)
        m_lCharacters.get(n)->update(fDt);
    for (int n = 0; n < m_lRemoved.getLength(); ++n)
    {
        const int nIdx = getCharacterIndex(m_lRemoved.get(n));
        RIR_ASSERT(nIdx != -1);
        m_lCharacters.removeAt(nIdx);
        ++m_nGone;
    }
    m_lRemoved.clear();
}

std::string DemoWorld::checkEmptyFloor() const
{
    std::string sLeft;
    for (int j = 0; j < Scene::ROWS; ++j)
        for (int i = 0; i < Scene::COLUMNS; ++i)
            if (m_pScene->getSquare(i, j)->pWalkObj)
                sLeft += " square (" + std::to_string(i) + "," + std::to_string(j) + ") held;";
    if (!m_pScene->getCorridor().isEmpty())
        sLeft += " corridor held by " + std::to_string(m_pScene->getCorridor().getLength()) + ";";
    if (!m_lCharacters.isEmpty())
        sLeft += " " + std::to_string(m_lCharacters.getLength()) + " characters inside;";
    return sLeft;
}

RIR::SmartPtr<FadeText> DemoWorld::addFadeText(const char* pszImage, int nX, int nY, int, float,
                                               float)
{
    RIR::SmartPtr<FadeText> pText = new FadeText;
    pText->sName = pszImage;
    pText->nX = nX;
    pText->fY = (float)nY;
    return pText;
}

void DemoWorld::addAnimSprite(const RIR::SmartPtr<AnimSprite>& /*pSprite*/)
{
    // The demo steps its door itself.
}

void DemoWorld::removeCharacter(Character* pCharacter)
{
    if (m_lRemoved.indexOf(pCharacter) < 0)
        m_lRemoved.append(pCharacter);
}

int DemoWorld::getCharacterIndex(const Character* pCharacter)
{
    for (int n = 0; n < m_lCharacters.getLength(); ++n)
        if (m_lCharacters.get(n).get() == pCharacter)
            return n;
    return -1;
}

void DemoWorld::dumpCharacters()
{
    logPrintf("W: *** Characters dump ***\n");
    for (int n = 0; n < m_lCharacters.getLength(); ++n)
    {
        Character* pChar = m_lCharacters.get(n).get();
        int nX = 0;
        int nY = 0;
        pChar->getPos(&nX, &nY);
        logPrintf("W: %d: state %d at %d, %d\n", n, pChar->getState(), nX, nY);
    }
}
