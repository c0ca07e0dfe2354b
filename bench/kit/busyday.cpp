// BusyDay: the busiest saloon day for the benchmarks (kit/busyday.h).
#include "kit/busyday.h"

#include "level/diffmanager.h"
#include "level/gametype.h"
#include "level/spawndraw.h"
#include "play/playmode.h"
#include "world/chair.h"
#include "world/customer.h"
#include "world/paramholder.h"
#include "world/scene.h"
#include "world/worldrandom.h"

#include <cstdlib>

namespace
{

const int ENTER_CORRIDOR = 1; // the entrance corridor's mode for coming in
const int LEFT_ENTRANCE = 0;
const int DAY_LENGTH = 600;

// The kinds kept inside besides the plain customers, in the order they are let in: those who
// sit first (while a chair is free), the thief last, as he keeps the entrance busy.
const int KINDS[] = {CC_UNDERTAKER, CC_PATIENT, CC_SPECIAL, CC_WANTED, CC_SHERIFF, CC_COW, CC_THIEF};

const char* kindName(int eClass)
{
    switch (eClass)
    {
    case CC_CUSTOMER:
        return "customers";
    case CC_THIEF:
        return "thief";
    case CC_WANTED:
        return "wanted";
    case CC_UNDERTAKER:
        return "undertaker";
    case CC_PATIENT:
        return "patient";
    case CC_SHERIFF:
        return "sheriff";
    case CC_COW:
        return "cow";
    case CC_SPECIAL:
        return "special";
    default:
        return "?";
    }
}

int countOfClass(PlayMode* pDay, int eClass)
{
    int nCount = 0;
    const RIR::List<RIR::SmartPtr<Character>>& lChars = pDay->getCharacters();
    for (int n = 0; n < lChars.getLength(); ++n)
        if ((int)lChars.get(n)->getCharacterClass() == eClass)
            ++nCount;
    return nCount;
}

} // namespace

bool BusyDay::start(int nLevel, int nDifficulty)
{
    DifficultyManager* pRules = new DifficultyManager(GT_TIMED, DAY_LENGTH, nDifficulty, nLevel);
    pRules->getRandom().seed(1);
    worldRandom().seed(1);
    std::srand(1);
    m_pDay = new PlayMode(pRules, 1);
    m_bench.app()->pushMode(m_pDay);
    for (int n = 0; n < 2000; ++n)
    {
        m_bench.frame(16);
        if (m_pDay->isLoaded() && m_bench.app()->getTopMode() == m_pDay)
            return true;
    }
    return false;
}

bool BusyDay::isKindAllowed(int eClass) const
{
    DifficultyManager* pRules = m_pDay->getRules();
    switch (eClass)
    {
    case CC_THIEF:
        return pRules->isThiefEnabled();
    case CC_WANTED:
        return pRules->isWantedEnabled();
    case CC_UNDERTAKER:
        return pRules->isUndertakerEnabled();
    case CC_PATIENT:
        return pRules->isPatientEnabled();
    case CC_SPECIAL:
        return pRules->isSpecialEnabled();
    default:
        return true;
    }
}

bool BusyDay::letIn(int eClass)
{
    Scene* pScene = m_pDay->getScene();
    // The kinds that sit need a free chair, as the spawning rules demand.
    const bool bSits = eClass == CC_CUSTOMER || eClass == CC_WANTED || eClass == CC_UNDERTAKER ||
                       eClass == CC_PATIENT || eClass == CC_SPECIAL;
    if (bSits && !canAddCustomer(m_pDay->takeCensus(), *m_pDay->getRules()))
        return false;
    int nColumn = m_pDay->findEntranceColumn();
    if (nColumn < 0 || !pScene->isCorridorFree(ENTER_CORRIDOR))
        return false;
    if (eClass == CC_COW)
    {
        // The cow comes in on the left only.
        if (pScene->getSquare(LEFT_ENTRANCE, 0)->pWalkObj)
            return false;
        nColumn = LEFT_ENTRANCE;
    }
    RIR::SmartPtr<Character> pCharacter = m_pDay->createCharacter(eClass);
    pScene->reserveCorridor(pCharacter, ENTER_CORRIDOR, pCharacter->getBool(CP_EXCLUSIVE_ENTER));
    int nX = 0;
    int nY = 0;
    pScene->squareToPixel(nColumn, 0, &nX, &nY, 0x24);
    pCharacter->placeAt(nX, nY);
    m_pDay->addCharacter(pCharacter);
    return true;
}

void BusyDay::fill(float fSeconds, int nFrameMs)
{
    const float fStart = m_pDay->getElapsed();
    // First the chairs, then the other kinds.
    while (m_pDay->getElapsed() - fStart < fSeconds * 0.5f)
    {
        closeTips();
        letIn(CC_CUSTOMER);
        m_bench.frame(nFrameMs);
    }
    while (m_pDay->getElapsed() - fStart < fSeconds)
    {
        keepBusy();
        m_bench.frame(nFrameMs);
    }
}

void BusyDay::closeTips()
{
    if (m_bench.app()->getTopMode() != m_pDay)
        m_pDay->endModesAbove();
}

void BusyDay::startFight()
{
    const RIR::List<RIR::SmartPtr<Character>>& lChars = m_pDay->getCharacters();
    for (int n = 0; n < lChars.getLength(); ++n)
    {
        Customer* pCustomer = dynamic_cast<Customer*>(lChars.get(n).get());
        if (!pCustomer || pCustomer->getCharacterClass() != CC_CUSTOMER || pCustomer->isFighting())
            continue;
        const int nState = pCustomer->getState();
        if (nState != Customer::ST_SEATED && nState != Customer::ST_SERVED)
            continue;
        if (!pCustomer->getChair() || !pCustomer->getChair()->getOpposite())
            continue;
        RIR::SmartPtr<Customer> pOpponent = pCustomer->getOpponent();
        if (!pOpponent || !pOpponent->acceptsFights() ||
            (pOpponent->getState() != Customer::ST_SEATED &&
             pOpponent->getState() != Customer::ST_SERVED))
            continue;
        // The check a customer makes after a sip, made now.
        pCustomer->setState(Customer::ST_FIGHT_CHECK);
        return;
    }
}

void BusyDay::keepBusy()
{
    closeTips();
    if (m_pDay->isClosed())
        return;
    if (m_pDay->countFightingCustomers() == 0)
        startFight();
    for (int eClass : KINDS)
    {
        // A kind that cannot come in now (no free chair, the cow's entrance taken) lets the
        // next one try.
        if (isKindAllowed(eClass) && countOfClass(m_pDay, eClass) == 0 && letIn(eClass))
            return;
    }
    // Everybody is there: more customers for the free chairs.
    letIn(CC_CUSTOMER);
}

int BusyDay::countKinds() const
{
    int nKinds = m_pDay->countFightingCustomers() > 0 ? 1 : 0;
    if (countOfClass(m_pDay, CC_CUSTOMER) > 0)
        ++nKinds;
    for (int eClass : KINDS)
        if (countOfClass(m_pDay, eClass) > 0)
            ++nKinds;
    return nKinds;
}

int BusyDay::countInside() const
{
    return m_pDay->getCharacters().getLength();
}

std::string BusyDay::census() const
{
    std::string sText = std::string(kindName(CC_CUSTOMER)) + " " +
                        std::to_string(countOfClass(m_pDay, CC_CUSTOMER)) + " (" +
                        std::to_string(m_pDay->countFightingCustomers()) + " fighting)";
    for (int eClass : KINDS)
        sText += std::string(", ") + kindName(eClass) + " " +
                 std::to_string(countOfClass(m_pDay, eClass));
    const RIR::String sGuard = m_pDay->getRules()->getThiefGuardName();
    sText += std::string(", guard ") + (sGuard.length() == 0 ? "none at this level" : sGuard.c_str());
    return sText;
}
