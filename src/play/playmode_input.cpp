// PlayMode: input, the click queue and telekinesis.
//
// A click goes to the character under the pointer, else to the deepest action spot there. While
// the heroine is busy up to four clicks wait in a queue, each shown by a numbered marker, and one
// is replayed per frame once she is free. The telekinesis gauge charges on the later levels; when
// full, its button switches the heroine to throwing mugs for ten throws.
#include "play/playmode.h"

#include "level/diffmanager.h"
#include "level/gameresults.h"
#include "shell/dbdapp.h"
#include "shell/dbdgameoptions.h"
#include "world/mugsourcespot.h"
#include "world/proxyspot.h"
#include "world/tablespot.h"

#include "app/gameapp.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

namespace
{

const int MAX_QUEUED_CLICKS = 4;
const int MARKER_DEPTH = 10000;
const int ALIGN_CENTRE = 0x24;
const int ALIGN_BOTTOM_CENTRE = 0x14;
const int ALIGN_BOTTOM_LEFT = 0x11;

const int BUTTON_RIGHT = 4;

const int KEY_ESCAPE = 27;
const int KEY_D = 100;
const int MOD_LEFT_ALT = 0x100;
const int KEY_UP = 273;
const int KEY_DOWN = 274;
const int KEY_RIGHT = 275;
const int KEY_LEFT = 276;

const int ID_LEAVE = 1;
const int ID_TELEKINESIS = 2;
const int ID_OPTIONS = 3;

const float IDLE_FIRST_HURRY = 3.0f;   // idle seconds before the first customer is hurried
const float IDLE_AFTER_HURRY = 1.5f;   // idle time left after a hurry: the next comes 1.5 s later
const float HURRIED_WAIT = 0.1f;

// The telekinesis tips point down at the gauge.
const int TIP_X = 400;
const int TIP_Y = 550;
const int TIP_DOWN = 3;
const int BAR_X = 400;
const int BAR_Y = 600;

// The index of the arrow key in m_abArrowHeld (up, down, left, right), -1 for other keys.
int arrowIndex(int nKey)
{
    switch (nKey)
    {
    case KEY_UP: return 0;
    case KEY_DOWN: return 1;
    case KEY_LEFT: return 2;
    case KEY_RIGHT: return 3;
    default: return -1;
    }
}

} // namespace

void PlayMode::onCallback(int nId, int nParam)
{
    RIR_TRACE("PlayMode::onCallback");
    (void)nParam;
    switch (nId)
    {
    case ID_LEAVE:
    {
        GameResults* pResults = new GameResults;
        pResults->nGameType = m_pDifficultyManager ? m_pDifficultyManager->getGameType() : GT_TIMED;
        pResults->bAborted = true;
        pResults->nCash = getCash();
        getDBDApp()->setLastResults(pResults);
        endMode();
        break;
    }
    case ID_TELEKINESIS:
        if (m_fTelekinesisCharge > 0.999f && !m_bTelekinesis && m_pDolly)
        {
            m_bTelekinesis = true;
            m_pDolly->setTelekinesisMode(true);
            m_pTelekinesisButton->setEnabled(false);
            refreshTelekinesisBar(true);
            showFeatureTip("TKActive", TIP_X, TIP_Y, TIP_DOWN);
        }
        break;
    case ID_OPTIONS:
        showOptions();
        break;
    default:
        break;
    }
}

bool PlayMode::keyDown(int nKey, int nModifiers)
{
    if (nKey == KEY_ESCAPE)
    {
        onCallback(ID_OPTIONS, 0);
        return true;
    }
    if (nKey == KEY_D && nModifiers == MOD_LEFT_ALT)
    {
        dumpCharacters();
        if (m_pScene)
            m_pScene->dump();
        return true;
    }
    // A held arrow key walks the heroine freely (she reads the flags every frame).
    const int nArrow = arrowIndex(nKey);
    if (nArrow >= 0)
    {
        m_abArrowHeld[nArrow] = true;
        return true;
    }
    return GameMode::keyDown(nKey, nModifiers);
}

bool PlayMode::keyUp(int nKey, int nModifiers)
{
    const int nArrow = arrowIndex(nKey);
    if (nArrow >= 0)
    {
        m_abArrowHeld[nArrow] = false;
        return true;
    }
    return GameMode::keyUp(nKey, nModifiers);
}

bool PlayMode::mouseDown(int nButtonMask, int nX, int nY)
{
    RIR_TRACE("PlayMode::mouseDown");
    // Nothing to click before the level is built (the loading dialog takes the input anyway).
    if (m_bInputLocked || !m_pScene || !m_pDolly)
        return true;
    if (nButtonMask & BUTTON_RIGHT)
    {
        m_pDolly->cancelWalk();
        clearActionQueue();
        return true;
    }
    // The sleeping guard is woken by a click on him (the guard's class is not part of the
    // world yet: a level has no guard, m_pThiefGuard stays null).

    RIR::SmartPtr<Character> pCharacter;
    int nDepth = -1;
    pickCharacterAt(nX, nY, pCharacter, &nDepth, false);
    RIR::SmartPtr<ActionSpot> pSpot = m_pScene->getSpotAt(nX, nY);
    if (!m_bReplaying && pCharacter)
    {
        pCharacter->onClick(nX, nY);
        return true;
    }
    if (!pSpot)
        return true;
    if (m_pDolly->isDoingAction())
    {
        queueClick(nX, nY);
        return true;
    }
    int nHand = -1;
    for (int n = 0; n < 2 && nHand < 0; ++n)
    {
        if (pSpot->canDoAction(m_pDolly.get(), n) && m_pDolly->cancelWalk())
            nHand = n;
    }
    if (nHand < 0)
        return true;
    if (m_bTutorial)
    {
        ActionSpot* pTarget = pSpot.get();
        ProxyActionSpot* pProxy = dynamic_cast<ProxyActionSpot*>(pTarget);
        if (pProxy != nullptr)
            pTarget = pProxy->getTarget().get();
        if (m_nTutorialRestriction == 1 && dynamic_cast<MugSourceSpot*>(pTarget) == nullptr)
            return true;
        if (m_nTutorialRestriction == 2 && dynamic_cast<TableSpot*>(pTarget) == nullptr)
            return true;
    }
    const bool bThrown = m_pDolly->startAction(pSpot, nHand);
    if (m_bTutorial)
        m_bInputLocked = true;
    m_fIdleTime = 0.0f;
    m_nLastClickX = nX;
    m_nLastClickY = nY;
    if (bThrown)
    {
        RIR_ASSERT(m_nTelekinesisShots > 0);
        if (--m_nTelekinesisShots == 0)
        {
            m_pDolly->setTelekinesisMode(false);
            m_fTelekinesisCharge = 0.0f;
            m_bTelekinesis = false;
            RIR::SmartPtr<Image> pFrame = getImage("telek_b_frame");
            pFrame->setInsPointByAlign(ALIGN_BOTTOM_CENTRE);
            m_pTelekinesisBar->setImage(pFrame);
            showFeatureTip("TKEmpty", TIP_X, TIP_Y, TIP_DOWN);
        }
        refreshTelekinesisBar(false);
    }
    return true;
}

void PlayMode::showOptions()
{
    RIR_TRACE("PlayMode::showOptions");
    getApp()->pushMode(new DBDGameOptions(this, -1, ID_LEAVE));
}

void PlayMode::pickCharacterAt(int nX, int nY, RIR::SmartPtr<Character>& pOut, int* pDepth,
                               bool bIncludeFighting)
{
    pOut = nullptr;
    if (!m_pScene)
        return;
    for (int n = 0; n < m_lCharacters.getLength(); ++n)
    {
        const RIR::SmartPtr<Character>& pCharacter = m_lCharacters.get(n);
        bool bCandidate = pCharacter->wantsClicks();
        if (!bCandidate && bIncludeFighting)
        {
            const Customer* pCustomer = dynamic_cast<const Customer*>(pCharacter.get());
            bCandidate = pCustomer != nullptr && pCustomer->isFighting();
        }
        if (!bCandidate || !pCharacter->containsPoint(nX, nY))
            continue;
        int nPX = 0;
        int nPY = 0;
        pCharacter->getPos(&nPX, &nPY);
        int nI = 0;
        int nJ = 0;
        if (!m_pScene->pixelToSquare(nPX, nPY, &nI, &nJ))
            continue;
        // Out on the street only a cow can be clicked.
        if (nJ == 0 && pCharacter->getCharacterClass() != CC_COW)
            continue;
        const int nRowDepth = m_pScene->getRowDepth(nI, nJ);
        if (*pDepth == -1 || nRowDepth < *pDepth)
        {
            pOut = pCharacter;
            *pDepth = nRowDepth;
        }
    }
}

void PlayMode::queueClick(int nX, int nY)
{
    RIR_TRACE("PlayMode::queueClick");
    if (m_lActionQueue.getLength() >= MAX_QUEUED_CLICKS)
        return;
    ActionQueueItem* pItem = new ActionQueueItem;
    pItem->nX = nX;
    pItem->nY = nY;
    pItem->pMarker = new Sprite(getImage("empty"), nX, nY, MARKER_DEPTH);
    addSprite(pItem->pMarker);
    m_lActionQueue.append(pItem);
    renumberQueueMarkers();
}

void PlayMode::renumberQueueMarkers()
{
    if (m_lActionQueue.isEmpty())
        return;
    if (!m_pCurrentMarker)
    {
        RIR::SmartPtr<Image> pFirst = getImage("queued_1");
        pFirst->setInsPointByAlign(ALIGN_CENTRE);
        m_pCurrentMarker = new Sprite(pFirst, m_nLastClickX, m_nLastClickY, MARKER_DEPTH);
        addSprite(m_pCurrentMarker);
    }
    GameApp* pApp = getApp();
    for (int n = 0; n < m_lActionQueue.getLength(); ++n)
    {
        const RIR::String sName = RIR::String::format("queued_%d", n + 2);
        RIR::SmartPtr<Image> pImage =
            getImage(pApp->canLoadImage(sName.c_str()) ? sName.c_str() : "queued_extra");
        pImage->setInsPointByAlign(ALIGN_CENTRE);
        m_lActionQueue.get(n)->pMarker->setImage(pImage);
    }
}

void PlayMode::clearActionQueue()
{
    while (!m_lActionQueue.isEmpty())
    {
        ActionQueueItem* pItem = m_lActionQueue.get(0);
        m_lActionQueue.removeAt(0);
        if (pItem->pMarker)
            removeObject(pItem->pMarker);
        delete pItem;
    }
    if (m_pCurrentMarker)
    {
        removeObject(m_pCurrentMarker);
        m_pCurrentMarker = nullptr;
    }
}

void PlayMode::replayQueuedClick()
{
    if (m_pCurrentMarker)
    {
        removeObject(m_pCurrentMarker);
        m_pCurrentMarker = nullptr;
    }
    if (m_lActionQueue.isEmpty())
        return;
    ActionQueueItem* pItem = m_lActionQueue.get(0);
    m_lActionQueue.removeAt(0);
    // The replay acts on the spot under the point, never on a character standing there now.
    m_bReplaying = true;
    mouseDown(1, pItem->nX, pItem->nY);
    m_bReplaying = false;
    if (pItem->pMarker)
        removeObject(pItem->pMarker);
    delete pItem;
    renumberQueueMarkers();
}

void PlayMode::hurryWaitingCustomer(float fDt)
{
    m_fIdleTime += fDt;
    if (m_fIdleTime <= IDLE_FIRST_HURRY)
        return;
    // The customer whose wait ends first, counting a nearly empty mug as more urgent.
    Customer* pBest = nullptr;
    float fBestKey = 0.0f;
    for (int n = 0; n < m_lCharacters.getLength(); ++n)
    {
        Customer* pCustomer = dynamic_cast<Customer*>(m_lCharacters.get(n).get());
        if (pCustomer == nullptr || !pCustomer->inWaitingState())
            continue;
        float fKey = pCustomer->getWaitTime();
        if (pCustomer->hasMug())
        {
            const int nSips = pCustomer->getMug()->getContents();
            if (nSips == 1)
                fKey *= 0.5f;
            else if (nSips == 2)
                fKey *= 0.75f;
        }
        if (pBest == nullptr || fKey < fBestKey)
        {
            pBest = pCustomer;
            fBestKey = fKey;
        }
    }
    if (pBest != nullptr)
    {
        RIR_ASSERT(pBest->inWaitingState());
        pBest->setWaitTime(HURRIED_WAIT);
    }
    m_fIdleTime = IDLE_AFTER_HURRY;
}

void PlayMode::updateTelekinesisCharge(float fDt)
{
    if (!m_pDifficultyManager->isTelekinesisEnabled())
        return;
    if (m_fTelekinesisCharge >= 1.0f || m_nTelekinesisShots > 0)
        return;
    m_fTelekinesisCharge += m_pDifficultyManager->getTelekinesisChargeRate() * fDt;
    refreshTelekinesisBar(false);
    // A charge that lands exactly on 1.0 is full too: otherwise it would stop charging (it is
    // no longer below 1.0) without ever becoming ready.
    if (m_fTelekinesisCharge >= 1.0f)
    {
        m_pTelekinesisButton->setEnabled(true);
        RIR::SmartPtr<Image> pEmpty = getImage("telek_b_empty");
        pEmpty->setInsPointByAlign(ALIGN_BOTTOM_CENTRE);
        m_pTelekinesisBar->setImage(pEmpty);
        m_fTelekinesisCharge = 1.0f;
        m_nTelekinesisShots = m_pDifficultyManager->getTelekinesisShots();
        m_bTelekinesis = false;
        showFeatureTip("TKReady", TIP_X, TIP_Y, TIP_DOWN);
    }
}

void PlayMode::refreshTelekinesisBar(bool bForce)
{
    if (!m_pDifficultyManager->isTelekinesisEnabled())
        return;
    float fFraction = 0.0f;
    const char* pszSource = nullptr;
    if (m_bTelekinesis)
    {
        fFraction = (float)m_nTelekinesisShots / (float)m_pDifficultyManager->getTelekinesisShots();
        pszSource = "telek_b_full";
    }
    else
    {
        fFraction = m_fTelekinesisCharge;
        pszSource = "telek_b_carga";
    }
    if (fFraction < 0.0f)
        fFraction = 0.0f;
    if (fFraction > 1.0f)
        fFraction = 1.0f;
    RIR::SmartPtr<Image> pSource = getImage(pszSource);
    const int nW = pSource->getWidth();
    const int nH = pSource->getHeight();
    const int nShown = (int)((float)nW * fFraction);
    RIR::SmartPtr<Image> pCurrent = m_pTelekinesisCharge->getImage();
    if (!bForce && pCurrent && pCurrent->getWidth() == nShown)
        return;
    RIR::SmartPtr<Image> pPart = pSource->createSubImage(0, 0, nShown, nH, false);
    pPart->setInsPointByAlign(ALIGN_BOTTOM_LEFT);
    m_pTelekinesisCharge->setImage(pPart);
    m_pTelekinesisCharge->setPos(BAR_X - nW / 2, BAR_Y);
}
