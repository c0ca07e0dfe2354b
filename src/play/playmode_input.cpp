// PlayMode: input, the click queue and telekinesis.
#include "play/playmode.h"

#include "level/diffmanager.h"
#include "level/gameresults.h"
#include "shell/dbdapp.h"
#include "shell/dbdgameoptions.h"

#include "app/gameapp.h"

#include "rir2/calltrace.h"

void PlayMode::onCallback(int nId, int nParam)
{
    RIR_TRACE("PlayMode::onCallback");
    (void)nParam;
    if (nId == 1)
    {
        GameResults* pResults = new GameResults;
        pResults->nGameType = m_pDifficultyManager ? m_pDifficultyManager->getGameType() : GT_TIMED;
        pResults->bAborted = true;
        pResults->nCash = getCash();
        getDBDApp()->setLastResults(pResults);
        endMode();
    }
    else if (nId == 3)
        showOptions();
}

bool PlayMode::keyDown(int nKey, int nModifiers)
{
    if (nKey == 27)
    {
        onCallback(3, 0);
        return true;
    }
    return GameMode::keyDown(nKey, nModifiers);
}

bool PlayMode::keyUp(int nKey, int nModifiers)
{
    switch (nKey)
    {
    case 273: m_abArrowHeld[0] = false; return true;
    case 274: m_abArrowHeld[1] = false; return true;
    case 276: m_abArrowHeld[2] = false; return true;
    case 275: m_abArrowHeld[3] = false; return true;
    default: return GameMode::keyUp(nKey, nModifiers);
    }
}

bool PlayMode::mouseDown(int nButtonMask, int nX, int nY)
{
    (void)nButtonMask;
    (void)nX;
    (void)nY;
    return true;
}

void PlayMode::showOptions()
{
    RIR_TRACE("PlayMode::showOptions");
    getApp()->pushMode(new DBDGameOptions(this, -1, 1));
}

void PlayMode::pickCharacterAt(int nX, int nY, RIR::SmartPtr<Character>& pOut, int* pDepth,
                               bool bIncludeFighting)
{
    (void)nX;
    (void)nY;
    (void)pDepth;
    (void)bIncludeFighting;
    pOut = nullptr;
}

void PlayMode::queueClick(int nX, int nY)
{
    (void)nX;
    (void)nY;
}

void PlayMode::renumberQueueMarkers() {}

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

void PlayMode::replayQueuedClick() {}

void PlayMode::hurryWaitingCustomer(float fDt)
{
    (void)fDt;
}

void PlayMode::updateTelekinesisCharge(float fDt)
{
    (void)fDt;
}

void PlayMode::refreshTelekinesisBar(bool bForce)
{
    (void)bForce;
}
