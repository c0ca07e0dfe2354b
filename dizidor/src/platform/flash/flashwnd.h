// CFlashWnd: the container specialised for the Flash control.
//
// Makes our SWF timeline player (SwfPlayer) on the application's clock (the platform's ticks,
// or SDL's when no platform is installed), sets it up as the sprite wants it (window mode
// "transparent" for a transparent sprite, scale "showAll", background 0, not embedded) and
// loads and starts the movie. A file the player refuses makes create answer false.
#ifndef DIZIDOR_PLATFORM_FLASH_FLASHWND_H
#define DIZIDOR_PLATFORM_FLASH_FLASHWND_H

#include "platform/flash/olecontainerwnd.h"

class CFlashWnd : public COleContainerWnd
{
public:
    CFlashWnd();

    int getFlashVersion() const { return m_nFlashVersion; }

protected:
    FlashControl* makeControl() override;
    // Reads the version (two-pass rendering for a version-8 control) and sets the control up.
    bool onControlCreated() override;
    // Embeds, resolves the movie's file ("Resource %s not found"), loads and plays it.
    bool loadMovie() override;

private:
    int32_t m_nFlashVersion;
};

#endif
