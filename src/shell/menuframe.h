// MenuFrame: the main menu, at the bottom of the mode stack for the whole run.
//
// It shows the title, three picture buttons for the ways to play (story, campaign, timed game),
// the change-player, options and credits buttons, the exit button in the lower-left menu, a
// welcome line with the player's name and a description of the picture button under the mouse.
// Its command handler opens the shell's other screens. There is exactly one; other screens reach
// it through MenuFrame::instance.
//
// Commands (onCallback): 2 options, 3 credits, 4 change player, 6 story, 7 timed game, 8
// campaign (7 and 8 ask the "PlayStoryWarning" question until it was answered yes once), 10 and
// 11 the yes answers (timed game, campaign), 12 the quit question. For 0.5 s after every
// activation every command but 10 and 11 is ignored, so that a click meant for a closing screen
// does not reach the menu.
//
// The screens of the player profiles, the story, the campaign and the timed games are opened
// through MenuScreens; a screen with no opener has its button shown disabled.
#ifndef DBD_SHELL_MENUFRAME_H
#define DBD_SHELL_MENUFRAME_H

#include "shell/dbdmode.h"

#include "rir2/list.h"
#include "rir2/refcount.h"

class Button;
class Label;
class Table;
class MenuFrame;

// Command ids of the menu.
enum MenuCommand
{
    MC_OPTIONS = 2,
    MC_CREDITS = 3,
    MC_CHANGE_PLAYER = 4,
    MC_STORY = 6,
    MC_TIMED = 7,
    MC_CAMPAIGN = 8,
    MC_TIMED_CONFIRMED = 10,
    MC_CAMPAIGN_CONFIRMED = 11,
    MC_EXIT = 12
};

// Openers of the screens the menu leads to; each makes the new mode to push. Null: the screen is
// not available and its button is disabled.
struct MenuScreens
{
    GameMode* (*pfnPlayerDlg)(MenuFrame* pMenu) = nullptr;
    // The new-game dialog for slot 0 (no used story slot) or the story slot screen.
    GameMode* (*pfnNewGameDlg)(int nSlot) = nullptr;
    GameMode* (*pfnStoryModeDlg)() = nullptr;
    GameMode* (*pfnTimeAttackDlg)(MenuFrame* pMenu) = nullptr;
    // The opponent choice for slot 0 (no used campaign slot) or the campaign slot list.
    GameMode* (*pfnOpponentDlg)(int nSlot) = nullptr;
    GameMode* (*pfnCampaignDlg)() = nullptr;
    // The question before a timed game or the campaign: a yes/no dialog over pTarget with the
    // text of pszKey; yes sends nYesId, no sends nNoId.
    GameMode* (*pfnYesNo)(MenuFrame* pTarget, const char* pszKey, int nYesId, int nNoId) = nullptr;
};

class MenuFrame : public DBDMode
{
public:
    // The seconds commands are ignored after an activation.
    static constexpr float INPUT_LOCK_SECONDS = 0.5f;

    // "Assertion failed : s_pMenuFrame == NULL" when a menu exists.
    MenuFrame();
    // "Assertion failed : s_pMenuFrame == this" when this is not the registered menu.
    ~MenuFrame() override;

    static MenuFrame* instance();
    // What a full screen lying over the menu does each time it becomes the top again: the cursor
    // shown, the menu's music, and the menu's input lock re-armed (when a menu exists), so that
    // the click that uncovered the screen does not reach the menu below it.
    static void onScreenAbove(GameApp* pApp);
    // The openers every new menu uses; set by the screens' owners at start-up.
    static void setScreens(const MenuScreens& screens);
    static const MenuScreens& getScreens();

    void onStart() override;
    void onActivate() override;
    void onCallback(int nId, int nParam) override;
    void update(float fDt) override;
    bool keyDown(int nKey, int nModifiers) override;

    // Ignores commands for INPUT_LOCK_SECONDS and rebuilds the lower-left menu.
    void lockInput();
    // ensurePlayer when "PlayerUID" is empty, then the welcome line for "PlayerName".
    void showWelcome();
    // Disabling also drops the description and forgets the hovered button. Buttons whose screen
    // is not available stay disabled.
    void setMainButtonsEnabled(bool bEnabled);
    // Selects the first named player, or makes one from the login name.
    void ensurePlayer();

    float getInputLock() const { return m_fInputLock; }
    RIR::String getWelcomeText() const;
    RIR::String getDescriptionText() const;
    bool isDescriptionPanelShown() const;
    const RIR::List<RIR::SmartPtr<Button>>& getMainButtons() const { return m_lMainButtons; }

protected:
    // Rebuilds the lower-left menu (the exit button).
    void rebuildLeftMenu();

private:
    // Whether the screen behind the picture button of index i can be opened.
    bool isMainButtonAvailable(int i) const;
    void openTimedGame();
    void openCampaign();
    // The question before command 7 or 8, or the answer at once when it was answered before.
    void askWarning(int nYesId);
    void setDescription(int nIndex);
    // A white copy of the theme's default font with line spacing -5.
    RIR::SmartPtr<Font> whiteFont(int nLineSpacing);

    RIR::List<RIR::SmartPtr<Button>> m_lMainButtons;
    RIR::SmartPtr<Control> m_pHoverButton;
    RIR::SmartPtr<Label> m_pDescription;
    RIR::SmartPtr<Sprite> m_pDescriptionPanel;
    RIR::SmartPtr<Label> m_pWelcome;
    RIR::SmartPtr<Button> m_pChangePlayer;
    float m_fInputLock;
    RIR::List<RIR::SmartPtr<Button>> m_lLeftButtons;
    RIR::SmartPtr<Table> m_pLeftTable;

    static MenuFrame* s_pMenuFrame;
};

#endif
