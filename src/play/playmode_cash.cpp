// PlayMode: cash, statistics, fade texts, flying images, mugs, insults and animated sprites.
#include "play/playmode.h"

#include "rir2/calltrace.h"

void PlayMode::addCash(int nAmount) { m_nCash += nAmount; }
void PlayMode::refreshCashBag() {}
void PlayMode::getCashBagPos(int* pX, int* pY) const { *pX = 730; *pY = 440; }
int PlayMode::incStat(int nIndex) { ++m_anStats[nIndex]; return nIndex; }
int PlayMode::getStat(int nIndex) const { return m_anStats[nIndex]; }
void PlayMode::setScoreTotal(int nTotal) { m_nScoreTotal = nTotal; }
RIR::SmartPtr<FadeText> PlayMode::addFadeText(const char*, int, int, int, float, float) { return RIR::SmartPtr<FadeText>(); }
void PlayMode::showFadeText(const RIR::SmartPtr<FadeText>&, float, float, float) {}
bool PlayMode::stepFadeText(const RIR::SmartPtr<FadeText>&, float, bool) { return false; }
void PlayMode::updateFadeTexts(float) {}
void PlayMode::flyImage(const char*, int, int, int, int, int) {}
void PlayMode::updateFlyThings(float) {}
void PlayMode::cashInFlyThings() {}
void PlayMode::showHandMug(int, Mug*) {}
RIR::SmartPtr<Mug> PlayMode::createMug() { return IPlayMode::createMug(); }
void PlayMode::scareCustomers(Customer*) {}
bool PlayMode::shouldThrowEmptyMug() { return false; }
RIR::String PlayMode::nextInsult() { return RIR::String(); }
void PlayMode::addStoppedFight(int) {}
bool PlayMode::isFightStopped(int) { return false; }
void PlayMode::addAnimSprite(const RIR::SmartPtr<AnimSprite>& pSprite) { m_lAnimSprites.append(pSprite); }
void PlayMode::updateAnimSprites(float) {}
