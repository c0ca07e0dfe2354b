// DemoHeroine: the heroine, the tap, the seat and the sink of saloon-demo (demoheroine.h).
#include "demoheroine.h"
#include "scenedemo.h"

#include "world/scene.h"

#include "app/gameapp.h"
#include "app/gamemode.h"
#include "gfx/color.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <cstdio>
#include <cstdlib>

namespace
{

const int TAP_I = 2;
const int TAP_J = 4;
const int SINK_I = 8;
const int SINK_J = 4;
const int SEAT_I = 5;
const int SEAT_J = 8;
const int MAX_QUEUED_CLICKS = 4;
// A beer standing on the seat loses a sip this often.
const float SIP_SECONDS = 4.0f;

// The rectangle of a bar square and the counter drawn on it (40 px high above the square).
Rect counterRect(int nI, int nJ)
{
    Rect rect = Scene::getScene()->getSquareRect(nI, nJ);
    return Rect(rect.getLeft(), rect.getTop() - 40, rect.getRight() + 1, rect.getBottom() + 1);
}

void middle(int nI, int nJ, int* pX, int* pY)
{
    Scene::getScene()->squareToPixel(nI, nJ, pX, pY, 0x24);
    *pY -= 20;
}

} // namespace

DemoHeroine::DemoHeroine(GameApp* pApp, GameMode* pScreen, ImageFactory* pFactory,
                         const std::string& sGameDir)
    : m_pScreen(pScreen), m_pFactory(pFactory), m_fSipTimer(0.0f)
{
    RIR_TRACE("DemoHeroine::DemoHeroine");
    addGamePacks(*pApp, sGameDir);
    Scene* pScene = Scene::getScene();

    m_pTap = new MugSourceSpot(counterRect(TAP_I, TAP_J), TAP_I, TAP_J);
    m_pSink = new MugSinkSpot(counterRect(SINK_I, SINK_J), SINK_I, SINK_J);
    int nX = 0;
    int nY = 0;
    pScene->squareToPixel(SEAT_I, SEAT_J, &nX, &nY, 0x24);
    const int nSeatDepth = pScene->getRowDepth(SEAT_I, SEAT_J) + 10;
    m_pSeat = new MugSpot(counterRect(SEAT_I, SEAT_J), SEAT_I, SEAT_J, nX, nY - 6, nSeatDepth);
    pScene->addSpot(m_pTap);
    pScene->addSpot(m_pSink);
    pScene->addSpot(m_pSeat);

    // The pictures: a brass tap with its handle, a grey basin, a table top; each on its counter.
    const int nTapDepth = pScene->getRowDepth(TAP_I, TAP_J) + 1;
    pScene->squareToPixel(TAP_I, TAP_J, &nX, &nY, 0x24);
    m_lSprites.append(new Sprite(block(28, 34, 200, 160, 60, 14, 34), nX, nY - 10, nTapDepth));
    m_lSprites.append(new Sprite(block(8, 22, 90, 50, 25, 4, 22), nX + 6, nY - 44, nTapDepth));
    pScene->squareToPixel(SINK_I, SINK_J, &nX, &nY, 0x24);
    m_lSprites.append(new Sprite(block(52, 16, 150, 160, 170, 26, 16), nX, nY - 10,
                                 pScene->getRowDepth(SINK_I, SINK_J) + 1));
    pScene->squareToPixel(SEAT_I, SEAT_J, &nX, &nY, 0x24);
    m_lSprites.append(new Sprite(block(84, 22, 90, 55, 30, 42, 22), nX, nY + 2, nSeatDepth - 6));
    m_lSprites.append(new Sprite(block(78, 16, 150, 100, 55, 39, 18), nX, nY - 1, nSeatDepth - 5));
    for (int n = 0; n < m_lSprites.getLength(); ++n)
        m_pScreen->addSprite(m_lSprites.get(n));

    m_pDolly = new Dolly;
    m_pDolly->startLevel(0);
    m_pDolly->setSpeed(260, 160);
    pScene->squareToPixel(5, 11, &nX, &nY, 0x24);
    m_pDolly->placeAt(nX, nY);
    m_pDolly->setDirection(0);
}

DemoHeroine::~DemoHeroine()
{
    m_pDolly->unmarkSquares();
    m_pDolly->detach();
    m_pDolly.release();
    Scene* pScene = Scene::getScene();
    if (m_pSeat->hasMug())
    {
        RIR::SmartPtr<Mug> pMug;
        m_pSeat->takeMug(pMug);
    }
    RIR::SmartPtr<ActionSpot> apSpots[] = {m_pTap, m_pSink, m_pSeat};
    for (const RIR::SmartPtr<ActionSpot>& pSpot : apSpots)
        pScene->removeSpot(pSpot);
    for (int n = 0; n < m_lSprites.getLength(); ++n)
        if (m_lSprites.get(n)->getMode())
            m_lSprites.get(n)->getMode()->removeObject(m_lSprites.get(n));
}

RIR::SmartPtr<Image> DemoHeroine::block(int nW, int nH, int nR, int nG, int nB, int nInsX,
                                        int nInsY)
{
    RIR::SmartPtr<Image> pImage(m_pFactory->createBlank(nW, nH, true));
    pImage->fill(Color(nR, nG, nB, 255));
    pImage->setInsPoint(nInsX, nInsY);
    return pImage;
}

void DemoHeroine::getTapPoint(int* pX, int* pY)
{
    middle(TAP_I, TAP_J, pX, pY);
}

void DemoHeroine::getSeatPoint(int* pX, int* pY)
{
    middle(SEAT_I, SEAT_J, pX, pY);
}

void DemoHeroine::getSinkPoint(int* pX, int* pY)
{
    middle(SINK_I, SINK_J, pX, pY);
}

bool DemoHeroine::act(const RIR::SmartPtr<ActionSpot>& pSpot)
{
    RIR_TRACE("DemoHeroine::act");
    for (int nHand = 0; nHand < Dolly::HAND_COUNT; ++nHand)
    {
        if (!pSpot->canDoAction(m_pDolly.get(), nHand))
            continue;
        m_pDolly->cancelWalk();
        m_pDolly->startAction(pSpot, nHand);
        return true;
    }
    return true; // a spot that refuses both hands swallows the click
}

void DemoHeroine::click(int nX, int nY)
{
    RIR_TRACE("DemoHeroine::click");
    if (m_pDolly->isDoingAction())
    {
        if (m_lQueuedClicks.getLength() < 2 * MAX_QUEUED_CLICKS)
        {
            m_lQueuedClicks.append(nX);
            m_lQueuedClicks.append(nY);
        }
        return;
    }
    RIR::SmartPtr<ActionSpot> pSpot = Scene::getScene()->getSpotAt(nX, nY);
    if (pSpot)
    {
        act(pSpot);
        return;
    }
    int nI = 0;
    int nJ = 0;
    if (!Scene::getScene()->pixelToSquare(nX, nY, &nI, &nJ) || nJ == 0)
        return;
    if (!Scene::getScene()->getSquare(nI, nJ)->bWalkable)
        return;
    m_pDolly->walkTo(nX, nY);
}

void DemoHeroine::update(float fDt)
{
    RIR_TRACE("DemoHeroine::update");
    if (!m_pDolly->isDoingAction() && !m_lQueuedClicks.isEmpty())
    {
        const int nX = m_lQueuedClicks.takeFirst();
        const int nY = m_lQueuedClicks.takeFirst();
        click(nX, nY);
    }
    m_pDolly->update(fDt);
    m_fSipTimer += fDt;
    if (m_fSipTimer >= SIP_SECONDS)
    {
        m_fSipTimer = 0.0f;
        if (m_pSeat->hasMug() && !m_pSeat->getMug()->isEmpty())
            m_pSeat->getMug()->setContents(m_pSeat->getMug()->getContents() - 1);
    }
}

bool DemoHeroine::parseClick(const char* pszText, DemoClick* pClick)
{
    const std::string sText = pszText;
    const size_t nAt = sText.find('@');
    if (nAt == std::string::npos)
        return false;
    const std::string sWhere = sText.substr(0, nAt);
    char* pszEnd = nullptr;
    pClick->fSeconds = std::strtof(sText.c_str() + nAt + 1, &pszEnd);
    if (!pszEnd || *pszEnd || pClick->fSeconds < 0.0f)
        return false;
    if (sWhere == "tap" || sWhere == "seat" || sWhere == "sink")
        pClick->sPlace = sWhere;
    else if (std::sscanf(sWhere.c_str(), "%d,%d", &pClick->nX, &pClick->nY) != 2)
        return false;
    return true;
}

void DemoHeroine::click(const DemoClick& scripted)
{
    int nX = scripted.nX;
    int nY = scripted.nY;
    if (scripted.sPlace == "tap")
        getTapPoint(&nX, &nY);
    else if (scripted.sPlace == "seat")
        getSeatPoint(&nX, &nY);
    else if (scripted.sPlace == "sink")
        getSinkPoint(&nX, &nY);
    click(nX, nY);
}
