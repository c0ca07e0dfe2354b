// NewFeatureDlg: the one-time tip about a feature the player meets for the first time.
//
// A speech balloon ("globo_feature") with the text of "Feature<name>", and a pointer at the point
// the tip is about: direction 0 an arrow ("flecha_h") pointing right with the balloon to its left,
// 1 pointing left with the balloon to its right, 2 an exclamation mark ("excl_verde") pointing up
// with the balloon below, 3 pointing down with the balloon above. Any other direction shows
// both at the point itself. The tip stops the level under it (it is a full mode, see-through,
// that lets nothing pass) and closes on a click, but only after half a second, so that a click
// meant for the saloon does not dismiss it unread.
//
// Each tip is shown once per feature name for all players: the setting "FeatureFirstTime<name>"
// becomes "FALSE" when it is shown. The level shows tips through showOnce:
//
//     NewFeatureDlg::showOnce(getApp(), "Thief", nX, nY, 3);
//
// The contents are built the first time the tip becomes the top mode; a tip uncovered again (by
// the end of an exit question or of another tip pushed over it) keeps them. Main thread only.
#ifndef DBD_SHELL_NEWFEATUREDLG_H
#define DBD_SHELL_NEWFEATUREDLG_H

#include "shell/dbdmode.h"

#include "gfx/sprite.h"

#include "rir2/refcount.h"
#include "rir2/rirstring.h"

class GameApp;

class NewFeatureDlg : public DBDMode
{
public:
    // Seconds during which clicks are swallowed without closing the tip.
    static constexpr float CLICK_DELAY = 0.5f;
    // Distance of the balloon from the point, and its text's inset from the balloon's edge.
    enum
    {
        BALLOON_DISTANCE = 50,
        TEXT_INSET = 15,
        DEPTH = 1000
    };

    // Flags active, visible, see-through.
    NewFeatureDlg(const char* pszName, int nX, int nY, int nDirection);
    ~NewFeatureDlg() override;

    // The setting key that remembers the tip of a feature: "FeatureFirstTime<name>".
    static RIR::String settingKey(const char* pszName);
    // Shows the tip of the feature unless it has been shown: when the setting is "FALSE" nothing
    // happens and false is answered; otherwise the setting becomes "FALSE", a tip is pushed on
    // pApp and true is answered.
    static bool showOnce(GameApp* pApp, const char* pszName, int nX, int nY, int nDirection);

    // Builds the contents the first time.
    void onActivate() override;
    // Counts the click delay down.
    void update(float fDt) override;
    // Every click is taken; once the delay has run out it closes the tip.
    bool mouseDown(int nButtonMask, int nX, int nY) override;

    const RIR::String& getName() const { return m_sName; }
    int getDirection() const { return m_nDirection; }
    float getClickDelay() const { return m_fClickDelay; }
    bool isBuilt() const { return m_bBuilt; }
    RIR::SmartPtr<Sprite> getPointer() const { return m_pPointer; }
    RIR::SmartPtr<Sprite> getBalloon() const { return m_pBalloon; }

private:
    void build();

    RIR::String m_sName;
    int m_nX;
    int m_nY;
    int m_nDirection;
    float m_fClickDelay;
    bool m_bBuilt;
    RIR::SmartPtr<Sprite> m_pPointer;
    RIR::SmartPtr<Sprite> m_pBalloon;
};

#endif
