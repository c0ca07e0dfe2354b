// CommonDialog: a dialog with a text area above a centred row of buttons, four answers and a
// target that hears them.
//
// The standard buttons carry the fixed callback ids DLG_OK, DLG_YES, DLG_CANCEL and DLG_NO; a
// button added without a target reports to the dialog, which answers: it ends itself, then
// tells the target the answer id the creator gave for that answer (-1: the target hears
// nothing). Return answers yes, else ok; Escape answers cancel, else no; each only when the
// creator asked to hear that answer (its id is not -1). The target hears the answer after the
// dialog has left the stack; the dialog object is still valid then and is deleted at the end of
// the frame.
//
// Usage:
//     pApp->pushMode(new DlgYesNo(pTarget, pApp->getString("ReallyQuit"), ID_QUIT, -1));
//
// Failures: answering while the dialog is not the top mode raises the FatalErrorException of
// GameMode::endMode. Main thread only.
#ifndef DIZIDOR_UI_COMMONDIALOG_H
#define DIZIDOR_UI_COMMONDIALOG_H

#include "app/icallbacktarget.h"
#include "ui/dialogmode.h"

// The callback ids of the standard buttons.
enum DialogButtonId
{
    DLG_OK = 1,
    DLG_YES = 2,
    DLG_CANCEL = 3,
    DLG_NO = 4
};

class CommonDialog : public DialogMode
{
public:
    // A modal dialog reporting to pTarget (may be null); answer ids -1. The main table holds the
    // text table in its first row (aligned left) and the button table in its second (centred).
    explicit CommonDialog(ICallbackTarget* pTarget);
    ~CommonDialog() override;

    // DLG_YES, DLG_NO, DLG_OK, DLG_CANCEL answer; other ids are ignored.
    void onCallback(int nId, int nParam) override;
    // Return (13) and Escape (27) as described above; other keys are GameMode's.
    bool keyDown(int nKey, int nModifiers) override;
    // A new row of the text table with the picture or the label.
    void addNamedImage(const char* pszName, int nAlign) override;
    RIR::SmartPtr<Label> addLabel(const char* pszText, int nAlign) override;

    // Each ends the dialog, then tells the target its answer id (unless -1 or no target).
    virtual void onYes();
    virtual void onNo();
    virtual void onOk();
    virtual void onCancel();
    RIR::SmartPtr<Table> getTextTable() const { return m_pTextTable; }
    RIR::SmartPtr<Table> getButtonTable() const { return m_pButtonTable; }
    // Adds the button to the mode's controls when it is not in the mode yet, then puts it in a
    // new cell of the button row, centred: buttons stand side by side in the order added.
    virtual void addButton(RIR::SmartPtr<Control> pButton);

    void setYesId(int nId) { m_nYesId = nId; }
    void setNoId(int nId) { m_nNoId = nId; }
    void setOkId(int nId) { m_nOkId = nId; }
    void setCancelId(int nId) { m_nCancelId = nId; }
    int getYesId() const { return m_nYesId; }
    int getNoId() const { return m_nNoId; }
    int getOkId() const { return m_nOkId; }
    int getCancelId() const { return m_nCancelId; }
    ICallbackTarget* getTarget() const { return m_pTarget; }

private:
    // endMode, then the target's onCallback(nAnswerId, 0) unless nAnswerId is -1.
    void answer(int nAnswerId);

    int m_nYesId;
    int m_nNoId;
    int m_nOkId;
    int m_nCancelId;
    ICallbackTarget* m_pTarget; // not owned
    RIR::SmartPtr<Table> m_pTextTable;
    RIR::SmartPtr<Table> m_pButtonTable;
};

#endif
