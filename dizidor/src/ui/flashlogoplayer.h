// IFlashLogoPlayer: how the splash screen plays a Flash logo movie.
//
// The splash screen knows Flash movies only through this slot: the platform layer that has a
// Flash sprite installs a player here (platform/flash/flashlogoplayer.h), tests install a double.
// A splash screen asked to show a Flash logo while no player is installed raises an error.
// The installed player is borrowed: it must stay alive while it is installed.
//
// Usage:
//     IFlashLogoPlayer* pPrevious = IFlashLogoPlayer::install(&player);
//     ...
//     IFlashLogoPlayer::install(pPrevious);
//
// Main thread only.
#ifndef DIZIDOR_UI_FLASHLOGOPLAYER_H
#define DIZIDOR_UI_FLASHLOGOPLAYER_H

#include "gfx/sprite.h"

#include "rir2/refcount.h"

class IFlashLogoPlayer
{
public:
    virtual ~IFlashLogoPlayer();

    // A new sprite showing the movie file at (0, 0) with z order 1, not transparent, at scale
    // 1, sent to its first frame and playing. Raises the player's error for a movie it cannot
    // find.
    virtual RIR::SmartPtr<Sprite> startMovie(const char* pszFile) = 0;
    // One update of a sprite made by startMovie; false once the movie has stopped playing or
    // has wrapped round to an earlier frame.
    virtual bool advance(const RIR::SmartPtr<Sprite>& pSprite, float fDt) = 0;

    // Makes pPlayer (null: none) the player; returns the one installed before.
    static IFlashLogoPlayer* install(IFlashLogoPlayer* pPlayer);
    // The installed player, or null.
    static IFlashLogoPlayer* getInstalled();
};

#endif
