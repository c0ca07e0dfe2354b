// PlayMode: spawning and the character list.
//
// Who comes in is decided by the level's rules (level/spawndraw.h, level/spawnschedule.h) from a
// census of the characters inside; this file gathers the census, finds a free entrance square,
// creates the character and puts it on the street in front of its entrance.
#include "play/playmode.h"

#include "level/diffmanager.h"
#include "level/spawndraw.h"
#include "world/objectid.h"

#include "app/gameapp.h"
#include "app/log.h"
#include "gfx/color.h"
#include "gfx/rect.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <cstdlib>

namespace
{

const int LEFT_ENTRANCE = 0;      // the street squares in front of the two entrances (row 0)
const int RIGHT_ENTRANCE = 10;
const int TUTORIAL_ENTRANCE = 4;  // the tutorial's customer comes straight to the door
const int ENTER_CORRIDOR = 1;     // the entrance corridor's mode for coming in
const float SHERIFF_RETRY = 1.0f; // seconds between two tries of a sheriff kept out
const int HELP_TRIES = 20;        // random picks to find a customer who leaves early

bool isSquareFree(const Scene& scene, int nI, int nJ)
{
    return scene.getSquare(nI, nJ)->pWalkObj.isNull();
}

} // namespace

SpawnCensus PlayMode::takeCensus() const
{
    SpawnCensus census;
    census.bFreeChair = m_pScene->hasFreeChair();
    for (int n = 0; n < m_lCharacters.getLength(); ++n)
    {
        Character* pCharacter = m_lCharacters.get(n).get();
        const int eClass = (int)pCharacter->getCharacterClass();
        if (dynamic_cast<Customer*>(pCharacter) != nullptr)
            ++census.nCustomers;
        if (eClass >= 0 && eClass < CC_COUNT)
            census.abInside[eClass] = true;
        if (eClass == CC_UNDERTAKER && pCharacter->getBool(CP_WANT_CLICKS))
            census.bUndertakerWantsClicks = true;
        if (pCharacter->isWaitingToLeave())
            census.bSomeoneWaitingToLeave = true;
    }
    return census;
}

int PlayMode::findEntranceColumn()
{
    const int nFirst = m_Random.chance() ? LEFT_ENTRANCE : RIGHT_ENTRANCE;
    const int nSecond = nFirst == LEFT_ENTRANCE ? RIGHT_ENTRANCE : LEFT_ENTRANCE;
    if (isSquareFree(*m_pScene, nFirst, 0))
        return nFirst;
    if (isSquareFree(*m_pScene, nSecond, 0))
        return nSecond;
    return -1;
}

void PlayMode::spawnCharacter(int eClass)
{
    RIR_TRACE("PlayMode::spawnCharacter");
    const SpawnCensus census = takeCensus();
    if (isSpawnBlocked(census))
        return;

    int nColumn = findEntranceColumn();
    if (nColumn < 0 || !m_pScene->isCorridorFree(ENTER_CORRIDOR))
    {
        if (eClass == CC_SHERIFF)
            m_fSheriffTimer = SHERIFF_RETRY;
        return;
    }

    const int nTicks = getApp()->getTicks();
    if (eClass == CC_NONE)
    {
        eClass = drawSpawnClass(census, *m_pDifficultyManager, m_nCash, m_fElapsed, m_spawnSchedule,
                                m_Random);
        if (eClass == CC_NONE)
            return;
        // A class that came too recently loses this attempt.
        if (!m_spawnSchedule.isGapOpen(eClass, nTicks))
            return;
    }

    if (eClass == CC_COW)
    {
        // The cow always takes the left entrance, and only when it is free.
        if (!isSquareFree(*m_pScene, LEFT_ENTRANCE, 0))
            return;
        nColumn = LEFT_ENTRANCE;
    }
    else if (eClass == CC_CUSTOMER && m_bTutorial)
        nColumn = TUTORIAL_ENTRANCE;

    RIR_ASSERT(eClass != CC_NONE);
    m_spawnSchedule.markSpawned(eClass, nTicks);
    RIR::setTraceParams(RIR::String::format("Cl %d; %d, %d; ", eClass, nColumn, 0).c_str());

    RIR::SmartPtr<Character> pCharacter = createCharacter(eClass);
    if (eClass == CC_THIEF)
        incStat(STAT_THIEVES);
    else if (eClass == CC_WANTED)
        incStat(STAT_WANTED);

    m_pScene->reserveCorridor(pCharacter, ENTER_CORRIDOR, pCharacter->getBool(CP_EXCLUSIVE_ENTER));
    int nX = 0;
    int nY = 0;
    m_pScene->squareToPixel(nColumn, 0, &nX, &nY, 0x24);
    pCharacter->placeAt(nX, nY);
    m_lCharacters.append(pCharacter);
}

void PlayMode::updateFirstAppearance(float fDt)
{
    (void)fDt;
    const int eClass = m_spawnSchedule.getFirstAppearanceNeedingHelp(m_fElapsed);
    if (eClass == CC_NONE)
        return;
    const int nCount = m_lCharacters.getLength();
    if (nCount == 0)
    {
        // Nobody to send away: a chair is free for the newcomer anyway.
        m_spawnSchedule.markFirstAppearanceDone(eClass);
        return;
    }
    // A customer picked at random drinks up and leaves, freeing a chair for the newcomer. When
    // the tries find none, the next frame tries again.
    for (int nTry = 0; nTry < HELP_TRIES; ++nTry)
    {
        Character* pCharacter = m_lCharacters.get(m_Random.range(0, nCount - 1)).get();
        if (dynamic_cast<Customer*>(pCharacter) == nullptr)
            continue;
        pCharacter->setFloat(CP_MAX_DRINKS, 1.0f);
        m_spawnSchedule.markFirstAppearanceDone(eClass);
        return;
    }
}

void PlayMode::updateSheriff(float fDt)
{
    if (!m_bSheriffDue || findCharacterOfClass(CC_SHERIFF))
        return;
    m_fSheriffTimer -= fDt;
    if (m_fSheriffTimer < 0.0f)
        spawnCharacter(CC_SHERIFF);
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

RIR::String PlayMode::describeCharacter(Character* pCharacter) const
{
    int nX = 0;
    int nY = 0;
    pCharacter->getPos(&nX, &nY);
    int nI = 0;
    int nJ = 0;
    if (m_pScene)
        m_pScene->pixelToSquare(nX, nY, &nI, &nJ);
    // The identity is the full address, so that no two characters print alike.
    return RIR::String::format("%s (%d) : %d, %d [%d, %d] St %d\n", objectId(pCharacter).c_str(),
                               (int)pCharacter->getCharacterClass(), nX, nY, nI, nJ,
                               pCharacter->getState());
}

void PlayMode::dumpCharacters()
{
    logPrintf("*** Character dump ***\n");
    for (int n = 0; n < m_lCharacters.getLength(); ++n)
        logPrintf("%s", describeCharacter(m_lCharacters.get(n).get()).c_str());
}

void PlayMode::replaceWantedPoster()
{
    if (isLowResourcesMode())
    {
        // No sheriff in low-resource mode: the poster changes at once.
        newWantedPoster();
        return;
    }
    // The sheriff comes and pins up the next poster (newWantedPoster clears the flag).
    m_bSheriffDue = true;
    m_fSheriffTimer = SHERIFF_RETRY;
}

RIR::SmartPtr<Image> PlayMode::renderStandingImage(Character* pCharacter)
{
    RIR_TRACE("PlayMode::renderStandingImage");
    RIR_ASSERT(pCharacter != NULL);
    // The head is drawn in layers (the face under the hair and hat), each a sprite of the head
    // part: every layer shows the first frame of "stand_r", and they are composed by their
    // depth offsets into one picture trimmed to the pixels they cover.
    struct Layer
    {
        RIR::SmartPtr<Image> pImage;
        int nZ;
    };
    RIR::List<Layer> lLayers;
    const RIR::List<RIR::SmartPtr<AnimSprite>>& lSprites =
        pCharacter->getPartSprites(Character::PART_HEAD);
    Rect bounds;
    for (int n = 0; n < lSprites.getLength(); ++n)
    {
        AnimSprite* pSprite = lSprites.get(n).get();
        pSprite->play("stand_r", 0.0f, -1);
        RIR::SmartPtr<Image> pFrame = pSprite->getCurrentFrameImage();
        if (!pSprite->isPlaying() || !pFrame)
            continue;
        Layer layer;
        layer.pImage = pFrame;
        layer.nZ = std::atoi(pSprite->getFrameProp("zdelta").c_str());
        // Lower depths first; equal depths keep the order of the part's sprites.
        int nAt = lLayers.getLength();
        while (nAt > 0 && lLayers.get(nAt - 1).nZ > layer.nZ)
            --nAt;
        lLayers.insertAt(nAt, layer);
        bounds = bounds.getUnion(pFrame->getPhysicalRect());
    }
    RIR_ASSERT(!lLayers.isEmpty());
    const int nWidth = bounds.right - bounds.left > 0 ? bounds.right - bounds.left : 1;
    const int nHeight = bounds.bottom - bounds.top > 0 ? bounds.bottom - bounds.top : 1;
    RIR::SmartPtr<Image> pImage = getApp()->createImage(nWidth, nHeight, true);
    pImage->fill(Color(0, 0, 0, 0));
    for (int n = 0; n < lLayers.getLength(); ++n)
        pImage->blit(lLayers.get(n).pImage.get(), -bounds.left, -bounds.top);
    pImage->setInsPoint(-bounds.left, -bounds.top);
    return pImage;
}
