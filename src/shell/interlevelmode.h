// InterLevelMode: the illustrated pages between story days, the endings, and the story viewer.
//
// Built with an entry:
// - 0..45 divisible by 5: the scene of chapter entry / 5 (chapterscripts.h), beginning with the
//   chapter's title page revealed in stages (title, name, the row of chapters with the "you are
//   here" marker), then pictures fading in with a caption at the bottom of the screen;
// - 0..45 otherwise: the town newspaper of that week (the epitaph page: a heading and three
//   columns of text, epitaphtext.h) with a "continue" button;
// - ILE_LOST (-1): the scene of a lost story or campaign; ILE_WON (-3): of a won campaign;
// - ILE_VIEWER (-2): the story viewer, which starts at entry 0 and steps back and forth through
//   everything up to the setting "LastInterlevel" with its buttons (previous, stop, next, and
//   "play story", which steps the running scene on); each picture waits for a click there.
//
// The mode may hold the mode of the day that follows (not owned until pushed). When the scene is
// over (its script has run, "continue", or Escape) it pushes that day on top of itself once; when
// the day ends and uncovers it again, it ends itself, so that its creator sees the day's result
// next. Without a following day it ends itself when the scene is over. The ending (entry 45)
// deletes a day it was given: nothing follows the last chapter.
//
// The story manager, before story day n (a new game, or a loaded one replaying its scene):
//     getApp()->pushMode(new InterLevelMode(n, pDayMode));   // pDayMode from DBDApp::createLevel
// after the last day (the credits below it):
//     getApp()->pushMode(new InterLevelMode(45, nullptr));
// after a lost story:
//     getApp()->pushMode(new InterLevelMode(InterLevelMode::ILE_LOST, nullptr));
// the story viewer (from the story slot screen):
//     getApp()->pushMode(new InterLevelMode(InterLevelMode::ILE_VIEWER, nullptr));
//
// A click or any key but Escape skips a step: a fading picture shows at once and the scene goes
// on without its hold; during a title page the scene goes straight on to its pictures. Outside
// the viewer a running scene hides the mouse cursor (the screens that follow show it again).
// Main thread only.
#ifndef DBD_SHELL_INTERLEVELMODE_H
#define DBD_SHELL_INTERLEVELMODE_H

#include "shell/dbdmode.h"
#include "shell/ilcommand.h"

#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/sprite.h"
#include "ui/button.h"
#include "ui/label.h"
#include "ui/table.h"
#include "rir2/list.h"
#include "rir2/refcount.h"


class InterLevelMode : public DBDMode
{
public:
    // Special entries.
    static constexpr int ILE_LOST = -1;
    static constexpr int ILE_VIEWER = -2;
    static constexpr int ILE_WON = -3;
    // The last story entry: the ending.
    static constexpr int ILE_LAST = 45;

    // What runs: nothing (the epitaph page waits for its button), the script, a title page.
    enum SceneState
    {
        ILS_IDLE = 0,
        ILS_SCRIPT = 1,
        ILS_REVEAL = 2
    };

    // Callback ids: the scene is over (push the next day or end), next entry, previous entry,
    // skip a step.
    enum Commands
    {
        ILCB_DONE = 1,
        ILCB_NEXT = 2,
        ILCB_PREVIOUS = 3,
        ILCB_SKIP = 4
    };

    // Seconds and fade speeds of the title page.
    static constexpr float REVEAL_START_WAIT = 0.25f;
    static constexpr float REVEAL_PHASE_WAIT = 0.25f;
    static constexpr float REVEAL_HOLD = 4.0f;
    static constexpr float REVEAL_TEXT_SPEED = 128.0f;
    static constexpr float REVEAL_ROW_SPEED = 255.0f;

    // pNextMode: the day to push when the scene is over (may be null).
    InterLevelMode(int nEntry, GameMode* pNextMode);
    // Removes the page, forgets the cached newspaper picture, deletes the queued steps. A day that
    // was never pushed is deleted too (nothing else owns it).
    ~InterLevelMode() override;

    // Adds the object to the mode as part of the current page; returns it.
    virtual RIR::SmartPtr<Sprite> addPageSprite(RIR::SmartPtr<Sprite> pSprite);
    virtual RIR::SmartPtr<Control> addPageControl(RIR::SmartPtr<Control> pControl);

    void onCallback(int nId, int nParam) override;
    // Uncovered after the day it pushed: ends. First activation: builds the entry's screen (and
    // in the viewer its buttons). Later activations (a question shown over the scene) leave the
    // scene where it was.
    void onActivate() override;
    void update(float fDt) override;
    // Escape ends the scene (ILCB_DONE); any other key skips a step. Answers false.
    bool keyDown(int nKey, int nModifiers) override;
    // Skips a step; answers true.
    bool mouseDown(int nButtonMask, int nX, int nY) override;

    // Skips a step (see above).
    void skipStep();

    // ---- what tests and the demo look at -------------------------------------------------------

    int getEntry() const { return m_nEntry; }
    bool isInteractive() const { return m_bInteractive; }
    bool isDone() const { return m_bDone; }
    int getSceneState() const { return m_nState; }
    int getRevealPhase() const { return m_nRevealPhase; }
    float getWait() const { return m_fWait; }
    float getAlpha() const { return m_fAlpha; }
    float getHoldTime() const { return m_fHoldTime; }
    bool isFading() const { return (bool)m_pFadingSprite; }
    int getStepsLeft() const { return m_lScript.getLength(); }
    const RIR::List<ILCommand*>& getScript() const { return m_lScript; }
    const RIR::List<RIR::SmartPtr<Sprite>>& getPageObjects() const { return m_lPageObjects; }
    RIR::SmartPtr<Label> getCaption() const { return m_pCaption; }
    RIR::SmartPtr<Label> getChapterTitle() const { return m_pChapterLong; }
    RIR::SmartPtr<Label> getChapterName() const { return m_pChapterName; }
    const RIR::List<RIR::SmartPtr<Label>>& getChapterRow() const { return m_lChapterList; }
    RIR::SmartPtr<Sprite> getHereMarker() const { return m_pHereMarker; }
    RIR::SmartPtr<Button> getPrevButton() const { return m_pPrevButton; }
    RIR::SmartPtr<Button> getNextButton() const { return m_pNextButton; }
    RIR::SmartPtr<Button> getPlayStoryButton() const { return m_pPlayStoryButton; }
    RIR::SmartPtr<Button> getContinueButton() const { return m_pContinueButton; }
    RIR::SmartPtr<Table> getEpitaphTable() const { return m_pEpitaphTable; }

protected:
    // Removes the page's objects and resets the fade.
    void clearPage();
    // Covers the screen with the picture, at depth -10.
    void tileBackground(const char* pszImage);
    // Shows the fading picture with that alpha (0..255).
    void setFadeAlpha(int nAlpha);
    // Queues the steps of chapter n (0..9, with its title page first), or of ILE_LOST / ILE_WON.
    void buildChapterScript(int nChapter);
    // Builds the screen of the current entry.
    void showEntry();
    void runCommand(const ILCommand& command);
    void buildEpitaph();
    // Fills one newspaper column of the width into pTable; bSmall for the narrow side columns.
    void layoutEpitaphText(Table* pTable, const char* pszText, int nWidth, bool bSmall);
    void addEpitaphLabel(Table* pTable, const char* pszText, int nWidth, const char* pszFont);

private:
    void showChapterPage(int nChapter);
    void createViewerButtons();
    RIR::SmartPtr<Button> addViewerButton(int nPosition, const char* pszCaption, int nId);
    void updateScript(float fDt);
    void updateReveal(float fDt);
    // The title page's part of the phase shows with that alpha.
    void setRevealAlpha(int nPhase, int nAlpha);
    void clearScript();

    bool m_bInteractive;
    int m_nEntry;
    RIR::List<RIR::SmartPtr<Sprite>> m_lPageObjects;
    RIR::SmartPtr<Button> m_pPrevButton;
    RIR::SmartPtr<Button> m_pNextButton;
    RIR::SmartPtr<Button> m_pPlayStoryButton;
    RIR::SmartPtr<Button> m_pContinueButton;
    GameMode* m_pNextMode;
    bool m_bDone;
    bool m_bShown;
    RIR::List<ILCommand*> m_lScript;
    float m_fWait;
    int m_nPageDepth;
    int m_nState;
    RIR::SmartPtr<Font> m_pEpitaphText;
    RIR::SmartPtr<Font> m_pEpitaphTextSmall;
    RIR::SmartPtr<Font> m_pEpitaphTitle;
    RIR::SmartPtr<Font> m_pEpitaphTitleSmall;
    RIR::SmartPtr<Font> m_pEpitaphTitleSmaller;
    RIR::SmartPtr<Font> m_pEpitaphWeek;
    // The newspaper's layout (its columns hold the page's labels and pictures).
    RIR::SmartPtr<Table> m_pEpitaphTable;
    RIR::SmartPtr<Label> m_pCaption;
    RIR::SmartPtr<Sprite> m_pFadingSprite;
    RIR::SmartPtr<Image> m_pCurImage;
    float m_fAlpha;
    float m_fFadeSpeed;
    float m_fHoldTime;
    int m_nRevealPhase;
    // The alpha last shown on the fading picture (a copy of the picture is made per change).
    int m_nShownAlpha;
    RIR::SmartPtr<Label> m_pChapterLong;
    RIR::SmartPtr<Label> m_pChapterName;
    RIR::List<RIR::SmartPtr<Label>> m_lChapterList;
    RIR::SmartPtr<Sprite> m_pHereMarker;
    // The marker's own picture (the sprite shows faded copies of it).
    RIR::SmartPtr<Image> m_pMarkerImage;
    RIR::SmartPtr<Font> m_pChapterFont;
    RIR::SmartPtr<Font> m_pChapterDescFont;
    bool m_bEndingMusic;
};

#endif
