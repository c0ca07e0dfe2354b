// PlayMode: spawning and the character list.
#include "play/playmode.h"

#include "world/objectid.h"

#include "app/log.h"

#include "rir2/calltrace.h"

void PlayMode::spawnCharacter(int eClass)
{
    (void)eClass;
}

void PlayMode::updateFirstAppearance(float fDt)
{
    (void)fDt;
}

void PlayMode::updateSheriff(float fDt)
{
    (void)fDt;
}

void PlayMode::removeCharacter(Character* pCharacter)
{
    m_lRemovedCharacters.append(RIR::SmartPtr<Character>(pCharacter));
}

int PlayMode::countCustomers() const
{
    int nCount = 0;
    for (int n = 0; n < m_lCharacters.getLength(); ++n)
        if (dynamic_cast<Customer*>(m_lCharacters.get(n).get()) != nullptr)
            ++nCount;
    return nCount;
}

int PlayMode::countFightingCustomers()
{
    int nCount = 0;
    for (int n = 0; n < m_lCharacters.getLength(); ++n)
    {
        Customer* pCustomer = dynamic_cast<Customer*>(m_lCharacters.get(n).get());
        if (pCustomer != nullptr && pCustomer->isFighting())
            ++nCount;
    }
    return nCount;
}

RIR::SmartPtr<Character> PlayMode::findCharacterOfClass(int eClass) const
{
    for (int n = 0; n < m_lCharacters.getLength(); ++n)
        if ((int)m_lCharacters.get(n)->getCharacterClass() == eClass)
            return m_lCharacters.get(n);
    return RIR::SmartPtr<Character>();
}

bool PlayMode::isAnyCharacterWaitingToLeave() const
{
    for (int n = 0; n < m_lCharacters.getLength(); ++n)
        if (m_lCharacters.get(n)->isWaitingToLeave())
            return true;
    return false;
}

int PlayMode::getCharacterIndex(const Character* pCharacter)
{
    for (int n = 0; n < m_lCharacters.getLength(); ++n)
        if (m_lCharacters.get(n).get() == pCharacter)
            return n;
    return -1;
}

void PlayMode::dumpCharacters()
{
    logPrintf("*** Character dump ***\n");
}

void PlayMode::replaceWantedPoster()
{
    m_bSheriffDue = true;
    m_fSheriffTimer = 1.0f;
}

RIR::SmartPtr<Image> PlayMode::renderStandingImage(Character* pCharacter)
{
    (void)pCharacter;
    return RIR::SmartPtr<Image>();
}
