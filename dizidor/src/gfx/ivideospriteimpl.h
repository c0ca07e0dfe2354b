// IVideoSpriteImpl: the movie decoder behind a VideoSprite.
//
// The platform makes one per VideoSprite (IPlatform::createVideoSpriteImpl); the sprite owns it
// and deletes it through the virtual destructor. The SDL platform's decoder plays Ogg Theora
// files with optional Vorbis sound (platform/theora/sdltheoravideo.h). Main thread only; a
// decoder may feed its sound to the mixer on the audio thread.
#ifndef DIZIDOR_GFX_IVIDEOSPRITEIMPL_H
#define DIZIDOR_GFX_IVIDEOSPRITEIMPL_H

#include "gfx/image.h"
#include "rir2/refcount.h"

class IVideoSpriteImpl
{
public:
    virtual ~IVideoSpriteImpl() {}

    // Opens the movie file at pszPath. False when the file does not exist; a damaged file
    // raises the decoder's FatalErrorException.
    virtual bool open(const char* pszPath) = 0;
    // Advances the movie by fDt seconds; the image of a new frame, or null when no new frame is
    // due. The image may share its pixels with the images of earlier frames.
    virtual RIR::SmartPtr<Image> update(float fDt) = 0;
    // Sound output on and off (the picture advances whenever update is called).
    virtual void play() = 0;
    virtual void stop() = 0;
    // An operation the decoder does not provide: raises FatalErrorException "Not implemented".
    virtual void notImplemented() = 0;
    // The movie has ended.
    virtual bool isFinished() = 0;
    // The frame size in pixels.
    virtual int getWidth() = 0;
    virtual int getHeight() = 0;
    // Sound volume 0 to 1.
    virtual void setVolume(float fVolume) = 0;
    // The movie's sound replaces the mixer's output instead of being mixed into it.
    virtual void setReplaceMixerOutput(bool bReplace) = 0;
    virtual bool getReplaceMixerOutput() = 0;
    // Seconds played.
    virtual float getPosition() = 0;
    // Jumps to a later position; an earlier one raises the decoder's FatalErrorException.
    virtual void seek(float fSeconds) = 0;
};

#endif
