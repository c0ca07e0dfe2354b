// EditNameDlg: the one-line name entry, a modal dialog titled with the text of "RenamePlayerDlg".
//
// The player types a name into an edit box that starts with the given name; "ok" (and Return or
// keypad Enter while it is enabled) ends the dialog, keeps the typed text and then reports the
// opener's command to the opener's callback. "cancel" (and Escape) ends the dialog without
// reporting, unless the opener removed cancel (disableCancel), in which case both are ignored.
// "ok" is enabled only while the box holds text. Every change of the text, and the opening,
// plays one of the typewriter samples "typemachine01" .. "typemachine03".
//
// A name travels in the online high-score upload and comes back in the service's reply, where
// "_", "!" and "#" separate the fields of an entry and a line feed ends an entry; so none of these
// characters and no control character can be typed (the box refuses them).
//
//     EditNameDlg* pDlg = new EditNameDlg(sOldName.c_str(), this, ID_NAME_ENTERED);
//     pDlg->disableCancel();                 // optional, before it is pushed
//     getApp()->pushMode(pDlg);
//     ... onCallback(ID_NAME_ENTERED, 0): pDlg->getName()
//
// Commands: 0 confirm, 1 cancel, 2 the box's text changed.
#ifndef DBD_SHELL_EDITNAMEDLG_H
#define DBD_SHELL_EDITNAMEDLG_H

#include "shell/dbddialog.h"

#include "rir2/refcount.h"
#include "rir2/rirstring.h"

class Button;
class EditBox;
class ICallbackTarget;

class EditNameDlg : public DBDDialog
{
public:
    enum
    {
        ID_OK = 0,
        ID_CANCEL = 1,
        ID_CHANGED = 2
    };

    // The characters a name may not hold besides control characters: the separators of the
    // high-score reply.
    static const char* const FORBIDDEN_CHARS;

    // pTarget (not owned) hears (nCommand, 0) after ok.
    EditNameDlg(const char* pszName, ICallbackTarget* pTarget, int nCommand);
    ~EditNameDlg() override;

    // No cancel button; Escape is ignored. Before the dialog is pushed.
    void disableCancel() { m_bCanCancel = false; }
    bool canCancel() const { return m_bCanCancel; }
    // The initial name until ok, then the typed name ("" after a cancel).
    RIR::String getName() const { return m_sName; }
    // The edit box's current text.
    RIR::String getEditText() const;
    bool isOkEnabled() const;

    void onStart() override;
    void onCallback(int nId, int nParam) override;
    bool keyDown(int nKey, int nModifiers) override;

private:
    void playTypeSound();

    RIR::String m_sTitle;
    bool m_bCanCancel;
    RIR::String m_sName;
    RIR::SmartPtr<EditBox> m_pEditBox;
    RIR::SmartPtr<Button> m_pOkButton;
    ICallbackTarget* m_pTarget;
    int m_nCommand;
    bool m_bEnded;
};

#endif
