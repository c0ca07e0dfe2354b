// DollyCreditsMode: the game's scrolling credits over the title cover, with the ending music.
//
// The scroll: the logo, the version, the five credit sections, the cast in four tables of two
// portraits, the piano player's friend, the acknowledgements. The music chain: "st_end_start"
// once, then "st_end_loop" again and again; once the last item will leave the screen within 25 s,
// "st_end_end", and the credits end when it is over and the scroll has finished. A click or a key
// ends them earlier. When "st_end_loop" already plays (after the story's ending scene) it goes on
// without the start piece.
#ifndef DBD_SHELL_DOLLYCREDITSMODE_H
#define DBD_SHELL_DOLLYCREDITSMODE_H

#include "ui/creditsmode.h"

class DollyCreditsMode : public CreditsMode
{
public:
    // Seconds between the checks for the end of the scroll, and the time before the end of the
    // scroll the closing music starts.
    static constexpr float END_CHECK_SECONDS = 0.25f;
    static constexpr float NEAR_END_SECONDS = 25.0f;

    DollyCreditsMode();
    ~DollyCreditsMode() override;

    void onStart() override;
    void update(float fDt) override;

    bool isLoopStarted() const { return m_bLoopStarted; }
    bool isNearEnd() const { return m_bNearEnd; }
    bool isEndMusicStarted() const { return m_bEndMusicStarted; }

private:
    // A table of two portraits over their texts.
    void addCastPair(const char* pszPortraitA, const char* pszTextA, const char* pszPortraitB,
                     const char* pszTextB);
    // The music part of the frame; false when the credits ended.
    bool updateMusic(float fDt);

    bool m_bLoopStarted;
    float m_fEndCheck;
    bool m_bNearEnd;
    bool m_bEndMusicStarted;
};

#endif
