#include "shell/editnamedlg.h"

#include "shell/appstore.h"

#include "app/gameapp.h"
#include "app/icallbacktarget.h"
#include "gfx/image.h"
#include "ui/button.h"
#include "ui/editbox.h"
#include "ui/table.h"

#include "rir2/calltrace.h"

#include <cstdlib>

namespace
{
const int KEY_RETURN = 13;
const int KEY_ESCAPE = 27;
const int KEY_KP_ENTER = 271;
const int BOX_WIDTH = 200;
const int BOX_HEIGHT = 30;
const int BOX_ALPHA = 128;
const int TYPE_SOUNDS = 3;
} // namespace

const char* const EditNameDlg::FORBIDDEN_CHARS = "_!#";

EditNameDlg::EditNameDlg(const char* pszName, ICallbackTarget* pTarget, int nCommand)
    : DBDDialog(true), m_sTitle(getText("RenamePlayerDlg")), m_bCanCancel(true),
      m_sName(pszName ? pszName : ""), m_pTarget(pTarget), m_nCommand(nCommand), m_bEnded(false)
{
}

EditNameDlg::~EditNameDlg()
{
}

RIR::String EditNameDlg::getEditText() const
{
    return m_pEditBox ? m_pEditBox->getText() : m_sName;
}

bool EditNameDlg::isOkEnabled() const
{
    return m_pOkButton && m_pOkButton->isEnabled();
}

void EditNameDlg::onStart()
{
    RIR_TRACE("EditNameDlg::onStart");
    DBDDialog::onStart();
    GameApp* pApp = getApp();
    RIR::SmartPtr<Table> pTable = getTable();

    pTable->newRow();
    pTable->newCell(2);
    addLabel(m_sTitle.c_str(), 0x24);

    RIR::SmartPtr<Image> pBack = pApp->createImage(BOX_WIDTH, BOX_HEIGHT, true);
    pBack->fill(Color(0, 0, 0, 255));
    pBack->setAlpha(BOX_ALPHA);
    pBack->setInsPoint(0, 6);
    m_pEditBox = new EditBox(0, 0, 10, pBack, true);
    m_pEditBox->setTextColor(Color(255, 255, 255, 255));
    m_pEditBox->setText(m_sName.c_str());
    m_pEditBox->setForbiddenChars(FORBIDDEN_CHARS);
    m_pEditBox->setId(ID_CHANGED);
    addControl(m_pEditBox);
    m_pEditBox->setCaretPos(m_pEditBox->getText().utf8Length());
    m_pEditBox->setFocus();
    pTable->newRow();
    pTable->newCell(2);
    pTable->add(m_pEditBox, 0x24);

    pTable->newRow();
    pTable->newCell(2);
    addNamedImage("shortsep", 0x24);

    pTable->newRow();
    m_pOkButton = new Button("ok", ID_OK);
    addControl(m_pOkButton);
    pTable->newCell(m_bCanCancel ? 1 : 2);
    pTable->add(m_pOkButton, 0x24);
    if (m_bCanCancel)
    {
        RIR::SmartPtr<Button> pCancel = new Button("cancel", ID_CANCEL);
        addControl(pCancel);
        pTable->newCell(1);
        pTable->add(pCancel, 0x24);
    }

    onCallback(ID_CHANGED, 0);
    layout(true);
}

void EditNameDlg::playTypeSound()
{
    GameApp* pApp = getApp();
    const RIR::String sName = RIR::String::format("typemachine0%d", rand() % TYPE_SOUNDS + 1);
    if (pApp->canLoadSample(sName.c_str()))
        pApp->playSample(pApp->getSample(sName.c_str()), false, -1);
}

void EditNameDlg::onCallback(int nId, int nParam)
{
    RIR_TRACE("EditNameDlg::onCallback");
    (void)nParam;
    switch (nId)
    {
    case ID_CHANGED:
        if (m_pOkButton)
            m_pOkButton->setEnabled(getEditText().length() > 0);
        playTypeSound();
        break;
    case ID_OK:
        // Ends once: a second click in the same frame must not report twice.
        if (m_bEnded || !isOkEnabled())
            break;
        m_bEnded = true;
        endMode();
        m_sName = getEditText();
        if (m_pTarget)
            m_pTarget->onCallback(m_nCommand, 0);
        break;
    case ID_CANCEL:
        if (!m_bCanCancel || m_bEnded)
            break;
        m_bEnded = true;
        m_sName = "";
        endMode();
        break;
    default:
        break;
    }
}

bool EditNameDlg::keyDown(int nKey, int nModifiers)
{
    RIR_TRACE("EditNameDlg::keyDown");
    if (nKey == KEY_RETURN || nKey == KEY_KP_ENTER)
    {
        if (isOkEnabled())
            onCallback(ID_OK, 0);
        return true;
    }
    if (nKey == KEY_ESCAPE)
    {
        onCallback(ID_CANCEL, 0);
        return true;
    }
    return DBDDialog::keyDown(nKey, nModifiers);
}
