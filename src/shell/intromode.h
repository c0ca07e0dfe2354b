// IntroMode: the title sequence between the splash screen and the main menu.
//
// On a black screen it shows the cover with the menu music (0.5 s), flashes the white logo
// (0.05 s), shows the logo (5 s), then fades the cover out at 512 alpha steps a second over the
// main menu, which shows through the fade, and ends. A click or Escape, Return or Space ends it
// at once. Ending switches the quit question on and tells the application the intro is done, so
// that the menu starts its music on later activations.
//
// Phases: 0 cover, 1 white logo, 2 logo, 3 fade, 4 finish. The clock enters at most one phase per
// frame, however long the frame.
#ifndef DBD_SHELL_INTROMODE_H
#define DBD_SHELL_INTROMODE_H

#include "shell/dbdmode.h"

#include "rir2/list.h"
#include "rir2/refcount.h"

class IntroMode : public DBDMode
{
public:
    // Seconds of phases 0 to 3 (phase 3 ends through the fade); the fade's alpha per second.
    static constexpr float COVER_SECONDS = 0.5f;
    static constexpr float WHITE_LOGO_SECONDS = 0.05f;
    static constexpr float LOGO_SECONDS = 5.0f;
    static constexpr float FADE_PHASE_SECONDS = 10000.0f;
    static constexpr float FADE_PER_SECOND = 512.0f;

    IntroMode();
    ~IntroMode() override;

    // Hides the cursor, covers the screen with black tiles, enters phase 0.
    void onStart() override;
    // Stops every sound and the music, hides the cursor.
    void onActivate() override;
    void update(float fDt) override;
    // Escape, Return and Space end the intro; every key then goes to GameMode's handler.
    bool keyDown(int nKey, int nModifiers) override;
    // Any button ends the intro.
    bool mouseDown(int nButtonMask, int nX, int nY) override;
    // Quit question on, intro done, the mode ends.
    virtual void finish();

    int getPhase() const { return m_nPhase; }
    float getTimer() const { return m_fTimer; }
    float getFade() const { return m_fFade; }
    int getTileCount() const { return m_lTiles.getLength(); }

protected:
    void setPhase(int nPhase);

private:
    RIR::SmartPtr<Sprite> m_pCover;
    RIR::SmartPtr<Sprite> m_pLogo;
    RIR::List<RIR::SmartPtr<Sprite>> m_lTiles;
    int m_nPhase;
    float m_fTimer;
    float m_fFade;
    bool m_bFinished;
};

#endif
