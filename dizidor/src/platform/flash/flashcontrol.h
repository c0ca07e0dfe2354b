// FlashControl: the calls FlashSprite's container makes on a Flash control.
//
// Frames are numbered from 0. A control plays on its own clock; draw paints the current frame
// into a 32-bit top-down buffer (bytes B, G, R, A). The one implementation is SwfPlayer, our
// silent timeline-only stand-in. Implementations raise nothing but RIR::Exceptions.
#ifndef DIZIDOR_PLATFORM_FLASH_FLASHCONTROL_H
#define DIZIDOR_PLATFORM_FLASH_FLASHCONTROL_H

#include "rir2/rirstring.h"

#include <cstdint>

class FlashControl
{
public:
    // The total-frames property of the root timeline.
    enum
    {
        PROPERTY_TOTAL_FRAMES = 5
    };
    // What draw paints.
    enum DrawAspect
    {
        DRAW_CONTENT = 1,
        DRAW_TRANSPARENT = 32
    };

    virtual ~FlashControl() {}

    // The control's version as 0xMMmmrr (major, minor, revision).
    virtual int version() = 0;
    virtual void setWMode(const char* pszMode) = 0;
    virtual void setScaleMode(const char* pszMode) = 0;
    virtual void setBackgroundColor(int nColour) = 0;
    virtual void setEmbedMovie(bool bEmbed) = 0;
    // Loads the movie file at an absolute path; false when the control cannot play it.
    virtual bool loadMovie(int nLayer, const char* pszPath) = 0;
    virtual void play() = 0;
    virtual void stopPlay() = 0;
    virtual void rewind() = 0;
    virtual void gotoFrame(int nFrame) = 0;
    virtual bool isPlaying() = 0;
    virtual int currentFrame(const char* pszTarget) = 0;
    virtual double getPropertyAsNumber(const char* pszTarget, int nProperty) = 0;
    virtual void gotoLabel(const char* pszTarget, const char* pszLabel) = 0;
    virtual RIR::String currentLabel(const char* pszTarget) = 0;
    // Paints the current frame into nWidth x nHeight pixels with rows nPitch bytes apart.
    virtual void draw(uint32_t* pPixels, int nWidth, int nHeight, int nPitch, int nAspect) = 0;
};

#endif
