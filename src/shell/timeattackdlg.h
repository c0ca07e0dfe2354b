// TimeAttackDlg: the timed-game screen, a full screen over the main menu.
//
// The player chooses a difficulty, a game length (3 or 10 minutes) and one of nine saloon scenes
// (a snapshot shows the chosen one); the choices are kept in "TimedDifficulty", "TimedTime" and
// "TimedScene". "play" starts the timed day through the application's level factory (scene 0
// plays level 1, scene s plays level 5 x s), "highscores" browses the high scores, "back" ends
// the screen.
//
// When the day is over and the screen is on top again, it takes the result: an aborted day is
// dropped; a player whose name was made automatically is first asked for a name (an EditNameDlg
// without cancel; the name renames and selects the player); then the day's cash goes into the
// local high-score table of the chosen length and difficulty, and when it ranked the high-score
// screen shows it with the new rank marked. While a high-score screen stands on top this screen
// is inactive, so input reaches neither its controls nor the menu's.
//
//     getApp()->pushMode(new TimeAttackDlg(MenuFrame::instance()));
#ifndef DBD_SHELL_TIMEATTACKDLG_H
#define DBD_SHELL_TIMEATTACKDLG_H

#include "shell/dbdmode.h"

#include "gfx/color.h"
#include "ui/radiobutton.h"
#include "rir2/list.h"
#include "rir2/refcount.h"

class EditNameDlg;
class Font;
class MenuFrame;
class Table;

class TimeAttackDlg : public DBDMode
{
public:
    enum
    {
        SCENES = 9
    };
    enum Command
    {
        ID_PLAY = 1,
        ID_BACK = 2,
        ID_HIGHSCORES = 3,
        ID_EASY = 4, // 4 .. 6
        ID_3MIN = 7,
        ID_10MIN = 8,
        ID_FIRST_SCENE = 9, // 9 .. 17
        ID_NAME_ENTERED = 18
    };

    // pMenuFrame (may be null) refreshes its welcome line after a rename.
    explicit TimeAttackDlg(MenuFrame* pMenuFrame);
    ~TimeAttackDlg() override;

    void onStart() override;
    void onActivate() override;
    void onCallback(int nId, int nParam) override;

    // Takes the pending result and files it (see above).
    void recordResult();

    // The level a scene plays: 1 for scene 0, else 5 x scene.
    static int sceneLevel(int nScene);
    // The seconds of a game length setting: 180 for 0, else 600.
    static int gameSeconds(int nTime);

    EditNameDlg* getEditNameDlg() const { return m_pEditNameDlg; }
    RadioButton* getDifficultyRadio(int nDifficulty) const { return m_lDiffRadio.get(nDifficulty).get(); }
    RadioButton* getSceneRadio(int nScene) const { return m_lSceneRadio.get(nScene).get(); }
    RIR::String getSnapshotName() const { return m_sSnapshot; }

private:
    void takeResult();
    int findCurrentPlayer() const;

    RIR::List<RIR::SmartPtr<RadioButton>> m_lDiffRadio;
    RIR::List<RIR::SmartPtr<RadioButton>> m_lTimeRadio;
    RIR::List<RIR::SmartPtr<RadioButton>> m_lSceneRadio;
    RIR::SmartPtr<Sprite> m_pSnapshot;
    RIR::String m_sSnapshot;
    EditNameDlg* m_pEditNameDlg; // not owned: the mode stack owns it
    MenuFrame* m_pMenuFrame;
    RIR::SmartPtr<Font> m_pFont;
};

#endif
