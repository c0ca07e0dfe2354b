// SplashScreen: the mode that shows the start-up logos one after the other on a blank screen.
//
// A picture logo fades in, stays and fades out, optionally starting a music (which keeps playing
// after the logo). A movie logo plays a Theora video through a VideoSprite or a Flash movie
// through the installed Flash logo player (ui/flashlogoplayer.h) until it ends. A click, or the
// release of Return, Escape or Space, skips the logo being shown; the next update starts the
// next one, and the update after the last logo ends the mode. The cursor is hidden while the
// splash is on top; when it ends, the application's quit confirmation is switched on.
//
// A picture logo fades through its sprite's opacity (the alpha truncated to whole steps of
// 1/255); the cached picture itself is never changed, so later users of the same name get it as
// it was loaded.
//
// Usage:
//     SplashScreen* pSplash = new SplashScreen();
//     pSplash->addStandardLogo("splash_quillmoor", 3.0f, "intro");
//     pApp->pushMode(pSplash);     // pushed last: shown first
//
// Failures: addVideoLogo with an ending other than ".ogv" or ".flv" raises FatalErrorException
// "Unsupported file extension: %s\n"; a missing picture or movie raises what the image cache,
// the VideoSprite or the Flash logo player raises, and a Flash logo without an installed player
// raises FatalErrorException "No Flash player for '%s'". Main thread only.
#ifndef DIZIDOR_UI_SPLASHSCREEN_H
#define DIZIDOR_UI_SPLASHSCREEN_H

#include "app/gamemode.h"
#include "gfx/videosprite.h"
#include "ui/sslogoinfo.h"

#include "rir2/list.h"
#include "rir2/refcount.h"

// The logo state machine.
enum SplashState
{
    SPS_FADE_IN = 0,
    SPS_HOLD = 1,
    SPS_FADE_OUT = 2,
    SPS_FLASH = 3,
    SPS_VIDEO = 4
};

class SplashScreen : public GameMode
{
public:
    SplashScreen();
    // Deletes the logos left and the current one, releases the sprites.
    ~SplashScreen() override;

    // Appends a picture logo. Fade times below 0.0001 s count as 0.0001 s; the fade rates are
    // 256 alpha units per fade time (the alpha is capped at 255, so a fade ends slightly early).
    // pszMusic "" (or null) starts no music.
    void addLogo(const char* pszName, float fFadeIn, float fHold, float fFadeOut,
                 const char* pszMusic);
    // addLogo with fades of 0.5 s.
    void addStandardLogo(const char* pszName, float fHold, const char* pszMusic);
    // Appends a movie logo: a name ending exactly in ".ogv" is a Theora video, ".flv" a Flash
    // movie. Any other ending (".OGV" too) raises FatalErrorException
    // "Unsupported file extension: %s\n" with the last four characters.
    void addVideoLogo(const char* pszFileName);

    // Hides the cursor and covers the screen with blank 200 x 200 tiles at z order 0.
    void onStart() override;
    // Stops all sound and music, hides the cursor.
    void onActivate() override;
    // Switches the application's quit confirmation on.
    void onEnd() override;
    // The logo state machine: starts the next logo when none is shown (ending the mode when
    // none is left), then advances the shown one by fDt.
    void update(float fDt) override;
    // Return, Escape and Space skip the logo; no key is reported handled.
    bool keyUp(int nKey, int nModifiers) override;
    // Any button skips the logo; handled.
    bool mouseUp(int nButtonMask, int nX, int nY) override;
    // Removes the shown logo sprite from the mode, if any.
    void skipLogo();

    // For tests and the demo: the state, the picture's alpha, the shown sprite, the logos left.
    int getLogoState() const { return m_nState; }
    float getLogoAlpha() const { return m_fAlpha; }
    RIR::SmartPtr<Sprite> getLogoSprite() const { return m_pLogoSprite; }
    const SSLogoInfo* getCurrentLogo() const { return m_pLogo; }
    int getLogosLeft() const { return m_lLogos.getLength(); }
    const RIR::List<RIR::SmartPtr<Sprite>>& getTiles() const { return m_lTiles; }

private:
    // Takes the next logo off the list and shows it; ends the mode when there is none. False
    // when the mode ended.
    bool startNextLogo();
    void startPicture();
    void startFlash();
    void startVideo();
    // The shown sprite's opacity from m_fAlpha.
    void applyAlpha();

    RIR::List<SSLogoInfo*> m_lLogos; // owned
    SSLogoInfo* m_pLogo;             // owned
    RIR::SmartPtr<Sprite> m_pLogoSprite;
    RIR::List<RIR::SmartPtr<Sprite>> m_lTiles;
    RIR::SmartPtr<Sprite> m_pFlash;
    RIR::SmartPtr<VideoSprite> m_pVideo;
    int m_nState;
    float m_fHold;
    float m_fAlpha;
};

#endif
