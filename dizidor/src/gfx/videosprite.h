// VideoSprite: a sprite that shows a movie.
//
// Each update lets the decoder (IVideoSpriteImpl, made by the application's platform) advance
// and shows its newest frame as the sprite's image. The sprite shows nothing before the first
// frame; when the movie ends the last frame shown stays, the sprite stops and reports finished.
// Its owner (the splash screen) calls update every frame and removes it when it is finished.
//
// Usage:
//     RIR::SmartPtr<VideoSprite> pVideo = new VideoSprite(sPath.c_str()); // playing at once
//     pMode->addSprite(pVideo);
//     pVideo->update(fDt);                 // every frame
//     if (pVideo->isFinished()) pMode->removeObject(pVideo);
//
// Main thread only.
#ifndef DIZIDOR_GFX_VIDEOSPRITE_H
#define DIZIDOR_GFX_VIDEOSPRITE_H

#include "gfx/sprite.h"

class IVideoSpriteImpl;

class VideoSprite : public Sprite
{
public:
    // An image-less sprite at (0, 0), z order 0, over a decoder of the application's platform,
    // playing the movie at pszPath with volume 1 and its sound replacing the mixer's output.
    // Raises FatalErrorException "Can't open '<path>'" when the decoder cannot open the file
    // (or the platform has no decoder), and what the decoder raises for a damaged file.
    explicit VideoSprite(const char* pszPath);
    // Deletes the decoder.
    ~VideoSprite() override;

    // The decoder's frame size (0 without a decoder).
    int getWidth() override;
    int getHeight() override;

    // Starts the decoder's sound; the sprite plays and is not finished.
    void play();
    // Freezes the movie; the current frame stays.
    void stop();
    bool isPlaying() const { return m_bPlaying; }
    bool isFinished() const { return m_bFinished; }
    // The sprite's volume (0 to 1); the decoder gets it times the game's sound volume / 255.
    void setVolume(float fVolume);
    float getVolume() const { return m_fVolume; }
    void setReplaceMixerOutput(bool bReplace);
    bool getReplaceMixerOutput();
    // Seconds played.
    float getPosition();
    // Jumps forward; a backward jump raises the decoder's FatalErrorException.
    void seek(float fSeconds);

    // While playing: hands the decoder the volume again, advances it by fDt and shows the frame
    // it returns. When the decoder reports the end, the sprite stops and is finished (that
    // update's image is not shown). Does nothing while not playing.
    virtual void update(float fDt);

private:
    // The volume the decoder gets: m_fVolume x the game's sound volume / 255.
    float decoderVolume() const;

    IVideoSpriteImpl* m_pImpl; // owned
    bool m_bPlaying;
    bool m_bFinished;
    float m_fVolume;
};

#endif
