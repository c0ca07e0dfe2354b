#include "shell/dbdgameoptions.h"

#include "shell/dbdapp.h"

#include "ui/radiobutton.h"
#include "ui/theme.h"

#include "rir2/calltrace.h"

DBDGameOptions::DBDGameOptions(GameMode* pLevel, int nContinueId, int nExitId)
    : GameOptionsDialog(pLevel, nContinueId, nExitId), m_bFromLevel(pLevel != nullptr)
{
    RIR_TRACE("DBDGameOptions::DBDGameOptions");
    setSections(m_bFromLevel ? (GOS_TITLE | GOS_VOLUME | GOS_FULLSCREEN)
                             : (GOS_TITLE | GOS_VOLUME | GOS_FULLSCREEN | GOS_DEPTH));
    setTestSample(GameApp::getInstance()->getSample("cajaregistradora1"));
}

DBDGameOptions::~DBDGameOptions()
{
}

void DBDGameOptions::onStart()
{
    RIR_TRACE("DBDGameOptions::onStart");
    RIR::SmartPtr<Theme> pTheme = getApp()->getTheme();
    // The library dialog builds its texts in the theme's default font: it gets the title font
    // for the time it builds.
    RIR::SmartPtr<Font> pDefault = pTheme->getFont("Theme::Default");
    pTheme->addFont("Theme::Default", pTheme->getFont("Theme::DialogTitle"));
    try
    {
        GameOptionsDialog::onStart();
    }
    catch (...)
    {
        pTheme->addFont("Theme::Default", pDefault);
        throw;
    }
    pTheme->addFont("Theme::Default", pDefault);

    if (m_bFromLevel)
        return;
    DBDApp* pApp = DBDApp::getInstance();
    RIR::SmartPtr<Table> pControls = getControlsTable();
    pControls->newRow();
    pControls->newCell(2);
    m_pLowResCheck = new RadioButton(this, "LowResMode", ID_LOW_RESOURCES);
    m_pLowResCheck->setFont(pTheme->getFont("Dolly::UI"));
    m_pLowResCheck->setChecked(pApp && pApp->isLowResourcesMode());
    pControls->add(m_pLowResCheck.get(), 0x24);
    pControls->newRow();
    pControls->newCell(2);
    addNamedImageTo(pControls, "separator", 0x24);
    layout(true);
}

void DBDGameOptions::onCallback(int nId, int nParam)
{
    RIR_TRACE("DBDGameOptions::onCallback");
    GameOptionsDialog::onCallback(nId, nParam);
    if (nId != ID_LOW_RESOURCES || !m_pLowResCheck)
        return;
    DBDApp* pApp = DBDApp::getInstance();
    if (!pApp)
        return;
    m_pLowResCheck->setChecked(!pApp->isLowResourcesMode());
    pApp->setLowResourcesMode(m_pLowResCheck->isChecked());
}
