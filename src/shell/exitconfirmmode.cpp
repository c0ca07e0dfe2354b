#include "shell/exitconfirmmode.h"

#include "app/gameapp.h"
#include "ui/button.h"

#include "rir2/calltrace.h"

#include <cstdlib>

namespace
{

const int KEY_RETURN = 13;
const int KEY_SPACE = 32;
const int KEY_KP_ENTER = 271;
const int QUESTION_COUNT = 5;

} // namespace

ExitConfirmMode::ExitConfirmMode() : DBDDialog(true)
{
}

ExitConfirmMode::~ExitConfirmMode()
{
}

void ExitConfirmMode::onStart()
{
    RIR_TRACE("ExitConfirmMode::onStart");
    DBDDialog::onStart();
    GameApp* pApp = getApp();
    RIR::SmartPtr<Table> pTable = getTable();

    m_sTextKey = RIR::String::format("QueryExit_%d", rand() % QUESTION_COUNT);
    pTable->newRow();
    pTable->newCell(2);
    addLabel(pApp->getString(m_sTextKey.c_str()), 0x24);

    pTable->newRow();
    RIR::SmartPtr<Button> pYes = new Button("yes", ID_YES);
    addControl(pYes);
    pTable->newCell(1);
    pTable->add(pYes.get(), 0x24);
    RIR::SmartPtr<Button> pNo = new Button("no", ID_NO);
    addControl(pNo);
    pTable->newCell(1);
    pTable->add(pNo.get(), 0x24);
    layout(true);
    pApp->showCursor(true);
}

void ExitConfirmMode::onCallback(int nId, int nParam)
{
    RIR_TRACE("ExitConfirmMode::onCallback");
    (void)nParam;
    GameApp* pApp = getApp();
    if (nId == ID_YES)
        pApp->quit(0);
    else if (nId == ID_NO)
    {
        pApp->endQuitConfirm();
        endMode();
    }
}

bool ExitConfirmMode::keyDown(int nKey, int nModifiers)
{
    RIR_TRACE("ExitConfirmMode::keyDown");
    if (nKey == KEY_RETURN || nKey == KEY_SPACE || nKey == KEY_KP_ENTER)
    {
        onCallback(ID_YES, 0);
        return true;
    }
    return GameMode::keyDown(nKey, nModifiers);
}
