// StoryModeDlg: the story's save-slot screen, opened from the main menu.
//
// It lists the current player's ten story slots, each with the chapter and day reached, the
// difficulty and the day length ("EmptySavegame" for a free slot, "StoryOverFmt" with the score
// for a finished story). The player picks a slot with its radio button (remembered in
// "StorySavegame"), then loads it (a game in progress only), starts a new game in it (the
// new-game dialog; a used slot is overwritten only after a yes), deletes it (after a yes), opens
// the story viewer, or goes back to the menu. The screen lies over the menu, which keeps drawing
// and updating below it; it stays under a story game and refreshes whenever it is uncovered.
//
//     pApp->pushMode(new StoryModeDlg());
//
// A damaged "StorySavegame" (not 0..9) selects slot 0. Main thread only.
#ifndef DBD_SHELL_STORYMODEDLG_H
#define DBD_SHELL_STORYMODEDLG_H

#include "shell/dbdmode.h"

#include "ui/radiogroup.h"

#include "rir2/refcount.h"
#include "rir2/rirstring.h"

class Button;

// The name of the chapter the story day belongs to ("ChapterName%d" of nLevel / 5).
RIR::String getChapterName(int nLevel);
// The caption of a slot in the list, from its four stored fields (see savegameio.h).
RIR::String storySlotCaption(int nLevel, int nTime, int nDifficulty, int nScore);

class StoryModeDlg : public DBDMode
{
public:
    // Callback ids.
    enum
    {
        ID_LOAD = 1,
        ID_NEW = 2,
        ID_DELETE = 3,
        ID_VIEW_STORY = 4,
        ID_BACK = 5,
        ID_DELETE_CONFIRMED = 6,
        ID_NEW_CONFIRMED = 7,
        ID_FIRST_SLOT = 8 // slot n has the id n + 8
    };

    StoryModeDlg();
    ~StoryModeDlg() override;

    void onStart() override;
    // Cursor, menu music, the menu's input lock again, fresh captions.
    void onActivate() override;
    void onCallback(int nId, int nParam) override;

    // The slot of the checked radio button; "Assertion failed : false" when none is checked.
    int getSelectedSlot() const;
    // Every slot's caption, then updateButtons.
    void refreshSlots();
    // "load" and "delete" are enabled only for a slot with a story in progress (level 0..44).
    void updateButtons();

    RIR::String getSlotCaption(int nSlot) const;
    RIR::SmartPtr<Button> getLoadButton() const { return m_pLoadButton; }
    RIR::SmartPtr<Button> getDeleteButton() const { return m_pDeleteButton; }

private:
    RadioGroup m_lSlotRadios;
    RIR::SmartPtr<Button> m_pLoadButton;
    RIR::SmartPtr<Button> m_pDeleteButton;
};

#endif
