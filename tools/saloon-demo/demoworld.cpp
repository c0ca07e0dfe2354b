// DemoWorld: the demo's floor, its test characters and their spawning (demoworld.h).
#include "demoworld.h"

#include "scenedemo.h"

#include "world/worldrandom.h"

#include "app/gamemode.h"
#include "app/log.h"
#include "gfx/color.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <cstdlib>

namespace
{

const float SPAWN_INTERVAL = 1.5f;

// Class states of the test character.
const int ST_INSIDE = 100; // pick a square and walk there
const int ST_STAND = 101;  // stand a while
const int ST_GO_OUT = 102; // take the corridor out and walk to the door

// A visitor: comes in, wanders to a few squares, standing a while at each, and leaves.
class DemoWalker : public Character
{
public:
    DemoWalker(DemoWorld* pWorld, int nWanders) : m_pWorld(pWorld), m_nWanders(nWanders)
    {
        setEnterState(ST_INSIDE);
        setSpeed(140, 100);
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
        if (m_fHeldUp > 3.0f && (isStateQueued(ST_STAND) || isStateQueued(ST_TURN_BACK)))
        {
            const bool bGoingOut = isStateQueued(ST_TURN_BACK);
            m_fHeldUp = 0.0f;
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
            if (walkToRandomSquare())
                queueState(ST_STAND);
            break; // else another square next frame
        }
        case ST_STAND:
            --m_nWanders;
            queueState(ST_INSIDE);
            playAnimFor(0.5f + (float)m_pWorld->random().range(0, 20) / 10.0f, "stand_", "");
            break;
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
    m_pScene = new Scene;
    if (nScene >= 0)
    {
        loadDemoScene(m_pScene.get(), nScene, nTables, m_pScreen);
        m_pDoor = m_pScene->getDoor();
        return;
    }
    m_pScene->setFloor(190, 550);
    m_pScene->buildGrid();
    // A few bars and tables on the floor to walk round.
    const int aBlocked[][2] = {{1, 4}, {2, 4}, {3, 4}, {7, 4}, {8, 4}, {9, 4},
                               {4, 8}, {5, 8}, {6, 8}, {0, 11}, {10, 11}};
    for (const auto& sq : aBlocked)
        m_pScene->blockSquare(sq[0], sq[1]);
    buildFloorPictures();
}

DemoWorld::~DemoWorld()
{
    m_lCharacters.clear();
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
    RIR::SmartPtr<Character> pChar = new DemoWalker(this, m_random.range(1, 4));
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
