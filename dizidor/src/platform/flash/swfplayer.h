// SwfPlayer: our stand-in for the Flash control: a silent player of SWF timelines.
//
// It loads "FWS" and "CWS" movies (SwfMovie) and refuses every other file, plays their frames
// at the header's rate on a millisecond tick source, wraps to frame 0 after the last frame
// unless a top-level Stop action or stopPlay halted it, answers the frame count, labels and
// position, and paints the movie's background colour (the control's background property when
// the movie sets none): opaque, or with alpha 0 in "transparent" window mode. It draws no
// vector graphics and plays no sound; it never touches the mixer.
//
// Timeline: the current frame is the frame playing started from plus the whole frames elapsed
// since (ticks x rate / 1000), modulo the frame count. The stop frame halts the timeline when
// the playhead enters it: at once when a movie starts (or is sent) there, else after the frames
// up to it have played; play from a halted frame moves on past it.
//
// Usage:
//     SwfPlayer player([]() { return SDL_GetTicks(); });
//     if (player.loadMovie(0, "/abs/logo.flv")) player.play();
#ifndef DIZIDOR_PLATFORM_FLASH_SWFPLAYER_H
#define DIZIDOR_PLATFORM_FLASH_SWFPLAYER_H

#include "platform/flash/flashcontrol.h"
#include "platform/flash/swfmovie.h"

#include <functional>

class SwfPlayer : public FlashControl
{
public:
    typedef std::function<uint32_t()> TickSource;
    // The version reported: not a version-8 control, so the container draws in one pass.
    enum
    {
        VERSION = 0x090000
    };

    // No movie; ticks from fnTicks (milliseconds).
    explicit SwfPlayer(const TickSource& fnTicks);

    int version() override { return VERSION; }
    void setWMode(const char* pszMode) override;
    void setScaleMode(const char* pszMode) override;
    void setBackgroundColor(int nColour) override { m_nBackgroundProperty = nColour; }
    void setEmbedMovie(bool bEmbed) override { m_bEmbed = bEmbed; }
    // Reads the movie (SwfMovie's rules); false and no movie for anything else. The movie
    // starts at frame 0, halted.
    bool loadMovie(int nLayer, const char* pszPath) override;
    void play() override;
    void stopPlay() override;
    // Frame 0, halted.
    void rewind() override;
    // Sends the playhead to the frame (clamped to the movie); the play state stays.
    void gotoFrame(int nFrame) override;
    bool isPlaying() override;
    int currentFrame(const char* pszTarget) override;
    // PROPERTY_TOTAL_FRAMES: the frame count; other properties 0.
    double getPropertyAsNumber(const char* pszTarget, int nProperty) override;
    // Sends the playhead to the labelled frame; an unknown label changes nothing.
    void gotoLabel(const char* pszTarget, const char* pszLabel) override;
    // The label of the current frame, or of the last labelled frame before it; "" when none.
    RIR::String currentLabel(const char* pszTarget) override;
    void draw(uint32_t* pPixels, int nWidth, int nHeight, int nPitch, int nAspect) override;

    bool hasMovie() const { return m_bLoaded; }
    const SwfMovie& getMovie() const { return m_movie; }
    bool isTransparentMode() const { return m_bTransparent; }

private:
    // Brings the playhead up to the tick source's time.
    void advance();
    // Starts the timeline clock at nFrame; bEntered: the frame's actions run now.
    void restartAt(int nFrame, bool bEntered);

    TickSource m_fnTicks;
    SwfMovie m_movie;
    bool m_bLoaded;
    bool m_bPlaying;
    bool m_bTransparent;
    bool m_bEmbed;
    int32_t m_nBackgroundProperty;
    int32_t m_nFrame;     // the current frame
    int32_t m_nBaseFrame; // where the clock started
    uint32_t m_nBaseTick;
    int32_t m_nFramesToStop; // frames from the base frame to the stop frame; -1 none
};

#endif
