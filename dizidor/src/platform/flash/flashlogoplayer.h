// FlashLogoPlayer: the splash screen's Flash logos played by FlashSprite.
//
// Usage (at start-up, after the platform is set):
//     static FlashLogoPlayer s_player;
//     IFlashLogoPlayer::install(&s_player);
#ifndef DIZIDOR_PLATFORM_FLASH_FLASHLOGOPLAYER_H
#define DIZIDOR_PLATFORM_FLASH_FLASHLOGOPLAYER_H

#include "ui/flashlogoplayer.h"

class FlashLogoPlayer : public IFlashLogoPlayer
{
public:
    // A FlashSprite at (0, 0), z 1, not transparent, scale 1, frame 0, playing. Raises
    // FatalErrorException "Resource %s not found" for a name that does not resolve.
    RIR::SmartPtr<Sprite> startMovie(const char* pszFile) override;
    // The sprite's update; false once it stopped playing or looped at least once. A sprite that
    // is not a FlashSprite is over at once.
    bool advance(const RIR::SmartPtr<Sprite>& pSprite, float fDt) override;
};

#endif
