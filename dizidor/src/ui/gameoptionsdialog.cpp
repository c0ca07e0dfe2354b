#include "ui/gameoptionsdialog.h"

#include "app/gameapp.h"
#include "app/ivideodriver.h"
#include "ui/button.h"
#include "ui/dlgmessage.h"
#include "ui/theme.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

namespace
{

const int CENTRED = 36;       // horizontally and vertically centred
const int LEFT_CENTRED = 33;  // left, vertically centred
const int RADIO_SPACING = 5;
const int DEPTHS[3] = {16, 24, 32};

} // namespace

GameOptionsDialog::GameOptionsDialog(GameMode* pNotifyMode, int nContinueId, int nExitId)
    : DialogMode(true), m_pNotifyMode(pNotifyMode), m_nExitId(nExitId),
      m_nContinueId(nContinueId), m_nSections(GOS_TITLE | GOS_VOLUME | GOS_FULLSCREEN)
{
    RIR_TRACE("GameOptionsDialog::GameOptionsDialog");
    getTable()->setName("GameOptionsDialog");
    m_pControlsTable = new Table(this);
    m_pControlsTable->setName("GOD::Controls");
}

GameOptionsDialog::~GameOptionsDialog()
{
    RIR_TRACE("GameOptionsDialog::~GameOptionsDialog");
    m_fullscreenGroup.clear();
    m_depthGroup.clear();
    m_pTestSample = nullptr;
    m_pMusicSlider = nullptr;
    m_pSoundSlider = nullptr;
    m_pButtonsTable = nullptr;
    m_pControlsTable = nullptr;
}

void GameOptionsDialog::setTestSample(RIR::SmartPtr<Sample> pSample)
{
    m_pTestSample = pSample;
}

void GameOptionsDialog::addRadioRow(const char* pszName, const char* const* ppszKeys,
                                    const int* pnIds, const bool* pbChecked, int nCount,
                                    RadioGroup& group)
{
    RIR_TRACE("GameOptionsDialog::addRadioRow");
    m_pControlsTable->newRow();
    RIR::SmartPtr<Table> pRow = new Table(this);
    pRow->setName(pszName);
    pRow->setHSpacing(RADIO_SPACING);
    for (int i = 0; i < nCount; ++i)
    {
        pRow->newCell(1);
        RIR::SmartPtr<RadioButton> pRadio = new RadioButton(this, ppszKeys[i], pnIds[i]);
        pRow->add(pRadio, CENTRED);
        group.append(pRadio);
        pRadio->setChecked(pbChecked[i]);
    }
    m_pControlsTable->add(pRow, CENTRED);
}

void GameOptionsDialog::onStart()
{
    RIR_TRACE("GameOptionsDialog::onStart");
    DialogMode::onStart();
    GameApp* pApp = getApp();
    pApp->showCursor(true);
    RIR::SmartPtr<Theme> pTheme = pApp->getTheme();
    RIR::SmartPtr<Table> pMain = getTable();

    if (m_nSections & GOS_TITLE)
    {
        pMain->newRow();
        RIR::SmartPtr<Label> pTitle = addImageOrText("GOD_GameOptions", CENTRED);
        if (pTitle)
            pTitle->setFont(pTheme->getFont("Theme::DialogTitle"));
        pMain->newRow();
        addImage(pTheme->getLongSeparator(), CENTRED);
    }

    if (m_nSections & GOS_VOLUME)
    {
        RIR::SmartPtr<Table> pVolume = new Table(this);
        pVolume->setName("GOD::Volume");
        const struct
        {
            const char* pszKey;
            int nId;
            int nValue;
            RIR::SmartPtr<HSlider>* ppSlider;
        } aRows[] = {{"GOD_SoundVolume", GOD_SOUND, pApp->getSoundVolume(), &m_pSoundSlider},
                     {"GOD_MusicVolume", GOD_MUSIC, pApp->getMusicVolume(), &m_pMusicSlider}};
        for (int i = 0; i < 2; ++i)
        {
            if (i > 0)
                pVolume->newRow();
            addImageOrTextTo(pVolume, aRows[i].pszKey, CENTRED);
            *aRows[i].ppSlider = new HSlider(aRows[i].nId, 0, 255, aRows[i].nValue);
            addControl(*aRows[i].ppSlider);
            pVolume->newCell(1);
            pVolume->add(*aRows[i].ppSlider, LEFT_CENTRED);
        }
        m_pControlsTable->newRow();
        m_pControlsTable->add(pVolume, CENTRED);
        m_pControlsTable->newRow();
        addImageTo(m_pControlsTable, pTheme->getShortSeparator(), CENTRED);
    }

    if (m_nSections & GOS_FULLSCREEN)
    {
        const char* const apszKeys[] = {"GOD_FullScreen", "GOD_Windowed"};
        const int anIds[] = {GOD_FULLSCREEN, GOD_WINDOWED};
        const bool bFull = pApp->isFullscreen();
        const bool abChecked[] = {bFull, !bFull};
        addRadioRow("GOD::Fullscreen", apszKeys, anIds, abChecked, 2, m_fullscreenGroup);
    }

    if (m_nSections & GOS_DEPTH)
    {
        const char* const apszKeys[] = {"GOD_16BPP", "GOD_24BPP", "GOD_32BPP"};
        const int anIds[] = {GOD_16BPP, GOD_24BPP, GOD_32BPP};
        IVideoDriver* pVideo = pApp->getVideoDriver();
        const int nBpp = pVideo ? pVideo->getBPP() : 0;
        const bool abChecked[] = {nBpp == 16, nBpp == 24, nBpp == 32};
        addRadioRow("GOD::BPP", apszKeys, anIds, abChecked, 3, m_depthGroup);
    }

    if (m_nSections & (GOS_FULLSCREEN | GOS_DEPTH))
    {
        m_pControlsTable->newRow();
        addImageTo(m_pControlsTable, pTheme->getShortSeparator(), CENTRED);
    }

    pMain->newRow();
    pMain->newCell(1);
    pMain->add(m_pControlsTable, CENTRED);
    pMain->newRow();

    m_pButtonsTable = new Table(this);
    m_pButtonsTable->setName("GOD::Buttons");
    if (m_pNotifyMode)
    {
        const struct
        {
            const char* pszKey;
            int nId;
        } aButtons[] = {{"GOD_BtnContinue", GOD_OK}, {"GOD_BtnExit", GOD_EXIT}};
        for (const auto& b : aButtons)
        {
            RIR::SmartPtr<Button> pButton = new Button(b.pszKey, b.nId);
            addControl(pButton);
            m_pButtonsTable->newCell(1);
            m_pButtonsTable->add(pButton, CENTRED);
        }
    }
    else
    {
        RIR::SmartPtr<Button> pOk = new Button("GOD_BtnOK", GOD_OK);
        addControl(pOk);
        m_pButtonsTable->setCellFlags(1);
        m_pButtonsTable->add(pOk, CENTRED);
    }

    pMain->newCell(1);
    pMain->add(m_pButtonsTable, CENTRED);
    layout(true);
}

void GameOptionsDialog::onEnd()
{
    RIR_TRACE("GameOptionsDialog::onEnd");
}

void GameOptionsDialog::update(float /*fDt*/)
{
    RIR_TRACE("GameOptionsDialog::update");
    getApp()->loadAnimationStep();
    updateFromSettings();
}

void GameOptionsDialog::updateFromSettings()
{
    RIR_TRACE("GameOptionsDialog::updateFromSettings");
    GameApp* pApp = getApp();
    IVideoDriver* pVideo = pApp->getVideoDriver();
    if (!m_depthGroup.isEmpty() && pVideo)
    {
        const int nBpp = pVideo->getBPP();
        for (int i = 0; i < 3 && i < m_depthGroup.getLength(); ++i)
            m_depthGroup.get(i)->setChecked(nBpp == DEPTHS[i]);
    }
    m_fullscreenGroup.select(pApp->isFullscreen() ? GOD_FULLSCREEN : GOD_WINDOWED);
}

void GameOptionsDialog::reportRefusal()
{
    RIR_TRACE("GameOptionsDialog::reportRefusal");
    GameApp* pApp = getApp();
    if (pApp->hasString("GOD_CantToggle"))
        pApp->pushMode(new DlgMessage(this, pApp->getString("GOD_CantToggle"), -1));
}

void GameOptionsDialog::onCallback(int nId, int /*nParam*/)
{
    RIR_TRACE("GameOptionsDialog::onCallback");
    GameApp* pApp = getApp();
    switch (nId)
    {
    case GOD_OK:
        endMode();
        if (m_pNotifyMode)
            m_pNotifyMode->onCallback(m_nContinueId, 0);
        break;
    case GOD_EXIT:
        RIR_ASSERT(m_pNotifyMode);
        endMode();
        m_pNotifyMode->onCallback(m_nExitId, 0);
        break;
    case GOD_SOUND:
        pApp->setSoundVolume(m_pSoundSlider->getValue());
        if (m_pTestSample)
            pApp->playSample(m_pTestSample, false, -1);
        break;
    case GOD_MUSIC:
        pApp->setMusicVolume(m_pMusicSlider->getValue());
        break;
    case GOD_16BPP:
    case GOD_24BPP:
    case GOD_32BPP:
    {
        const int nBpp = DEPTHS[nId - GOD_16BPP];
        IVideoDriver* pVideo = pApp->getVideoDriver();
        if (pVideo)
            pVideo->setBPP(nBpp);
        updateFromSettings();
        if (pVideo && pVideo->getBPP() == nBpp)
            pApp->setSetting("BPP", RIR::String::format("%d", nBpp).c_str());
        else
            reportRefusal();
        break;
    }
    case GOD_FULLSCREEN:
    case GOD_WINDOWED:
    {
        const bool bWanted = nId == GOD_FULLSCREEN;
        pApp->setFullscreen(bWanted);
        updateFromSettings();
        if (pApp->isFullscreen() != bWanted)
            reportRefusal();
        break;
    }
    default:
        break;
    }
}
