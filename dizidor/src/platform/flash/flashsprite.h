// FlashSprite: a sprite that shows a Flash movie through the Flash control's container.
//
// Every update the control paints the movie's current frame off-screen and the pixels become the
// sprite's image; the sprite counts how often the movie went back to an earlier frame (a loop,
// or a wind back). Our control is the silent SWF timeline player (SwfPlayer): the picture is the
// movie's background colour at the movie's size, and the timing is the movie's own.
//
// Without a control (the file is not an SWF movie, or the control could not be set up) the
// sprite exists and shows nothing; every operation then answers 0, false or "".
//
// Usage (the splash screen):
//     RIR::SmartPtr<FlashSprite> pFlash = new FlashSprite("logo.flv", 0, 0, 1, false);
//     pMode->addSprite(pFlash);
//     pFlash->update(fDt);          // every frame
//     if (!pFlash->isPlaying() || pFlash->getLoopCount() > 0) ...
#ifndef DIZIDOR_PLATFORM_FLASH_FLASHSPRITE_H
#define DIZIDOR_PLATFORM_FLASH_FLASHSPRITE_H

#include "gfx/point.h"
#include "gfx/sprite.h"

#include "rir2/rirstring.h"

#include <cstdint>

class CFlashWnd;

class FlashSprite : public Sprite
{
public:
    // The sprite at (nX, nY, nZ) over a new control playing the movie; raises
    // FatalErrorException "Resource %s not found" when the name does not resolve.
    FlashSprite(const char* pszMovieName, int nX, int nY, int nZ, bool bTransparent);
    // Deletes the control's container.
    ~FlashSprite() override;

    // Whether a Flash control can be made here: always true for our player.
    static bool isAvailable();

    bool hasControl() const { return m_pFlashWnd != nullptr; }
    bool isPlaying();
    void play();
    void stop();
    void rewind();
    void gotoFrame(int nFrame);
    // The window takes the movie's size times fScale at the next update.
    void setScale(float fScale);
    // The movie's size; (0, 0) without a control.
    Point getMovieSize();
    int getLoopCount() const { return m_nLoopCount; }
    int getCurrentFrame();
    int getTotalFrames();
    // Sends the movie to the label; true when the current label is then that label.
    bool gotoLabel(const char* pszLabel);
    RIR::String getCurrentLabel();

    // A first picture as soon as a mode shows the sprite.
    void onAddedToMode() override;
    // Resizes when asked, renders the frame into the sprite's image and counts a loop when the
    // frame went back. fDt is not used: the movie plays on the control's clock.
    virtual void update(float fDt);

private:
    CFlashWnd* m_pFlashWnd; // owned; null without a control
    bool m_bResizePending;
    float m_fWindowScale;
    int32_t m_nLastFrame;
    int32_t m_nLoopCount;
};

#endif
