#include "shell/turnresults.h"

#include "shell/appstore.h"

#include "app/gameapp.h"
#include "ui/button.h"
#include "ui/label.h"
#include "ui/theme.h"

#include "rir2/calltrace.h"

TurnResults::TurnResults(const char* pszText) : m_sText(pszText ? pszText : "")
{
}

TurnResults::~TurnResults()
{
}

void TurnResults::newCenteredRow()
{
    getTable()->newRow();
    getTable()->newCell(2);
}

void TurnResults::onStart()
{
    RIR_TRACE("TurnResults::onStart");
    GameApp* pApp = getApp();
    newCenteredRow();
    RIR::SmartPtr<Label> pTitle = addLabel(::getText("CampaignTurnResults").c_str(), 0x24);
    pTitle->setFont(pApp->getTheme()->getFont("Dolly::UI"));
    newCenteredRow();
    addImage(pApp->getTheme()->getShortSeparator(), 0x24);

    newCenteredRow();
    RIR::SmartPtr<Label> pText = addLabel(m_sText.c_str(), 0x24);
    pText->setWidth(500, true);
    pText->setLineCount(4);
    RIR::SmartPtr<Font> pFont = pText->getFont()->clone();
    pFont->setLineSpacing(-7);
    pText->setFont(pFont);

    newCenteredRow();
    addImage(pApp->getTheme()->getShortSeparator(), 0x24);
    newCenteredRow();
    RIR::SmartPtr<Button> pOk = new Button("ok", ID_OK);
    addControl(pOk);
    getTable()->add(pOk, 0x24);
    layout(true);
    DBDDialog::onStart();
}

void TurnResults::onActivate()
{
    RIR_TRACE("TurnResults::onActivate");
    DBDDialog::onActivate();
    getApp()->showCursor(true);
}

void TurnResults::onCallback(int nId, int nParam)
{
    RIR_TRACE("TurnResults::onCallback");
    if (nId == ID_OK)
    {
        endMode();
        return;
    }
    DBDDialog::onCallback(nId, nParam);
}
