#include "platform/flash/flashlogoplayer.h"

#include "platform/flash/flashsprite.h"

#include "rir2/calltrace.h"

RIR::SmartPtr<Sprite> FlashLogoPlayer::startMovie(const char* pszFile)
{
    RIR_TRACE("FlashLogoPlayer::startMovie");
    RIR::SmartPtr<FlashSprite> pFlash = new FlashSprite(pszFile, 0, 0, 1, false);
    pFlash->setScale(1.0f);
    pFlash->gotoFrame(0);
    pFlash->play();
    return RIR::SmartPtr<Sprite>(pFlash.get());
}

bool FlashLogoPlayer::advance(const RIR::SmartPtr<Sprite>& pSprite, float fDt)
{
    RIR_TRACE("FlashLogoPlayer::advance");
    FlashSprite* pFlash = dynamic_cast<FlashSprite*>(pSprite.get());
    if (!pFlash)
        return false;
    pFlash->update(fDt);
    return pFlash->isPlaying() && pFlash->getLoopCount() == 0;
}
