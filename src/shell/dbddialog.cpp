#include "shell/dbddialog.h"

#include "app/gameapp.h"

#include "rir2/calltrace.h"

DBDDialog::DBDDialog() : DialogMode(true)
{
}

DBDDialog::DBDDialog(bool bModal) : DialogMode(bModal)
{
}

DBDDialog::~DBDDialog()
{
}

GameApp* DBDDialog::getApp()
{
    return GameApp::getInstance();
}

void DBDDialog::onStart()
{
    RIR_TRACE("DBDDialog::onStart");
    DialogMode::onStart();
}

RIR::SmartPtr<Label> DBDDialog::addLabel(const char* pszText, int nAlign)
{
    RIR_TRACE("DBDDialog::addLabel");
    RIR::SmartPtr<Label> pLabel = DialogMode::addLabel(pszText, nAlign);
    if (pLabel && pLabel->getFont())
    {
        RIR::SmartPtr<Font> pFont = pLabel->getFont()->clone();
        pFont->setColor(Color(0, 0, 0, 255));
        pFont->setShadow(false);
        pLabel->setFont(pFont);
    }
    return pLabel;
}
