// GameOptionsDialog: the library's options screen, a modal dialog with up to four sections:
// a title, the sound and music volume sliders, a full-screen or window choice and a colour-depth
// choice; then either one OK button, or Continue and Exit buttons that report to a notify mode.
//
// All texts are string-table keys with the prefix "GOD_" (the widgets and dialog helpers show
// their table texts). The tables are named so that a derived dialog can find its way: the main
// table "GameOptionsDialog", "GOD::Controls" (the option rows, see getControlsTable),
// "GOD::Volume", "GOD::Fullscreen", "GOD::BPP", "GOD::Buttons". The title uses the theme's font
// "Theme::DialogTitle".
//
// The choices are asked of the video driver; a change the driver refuses leaves the radio
// buttons showing the real state (they follow the driver every frame) and, when the string table
// has "GOD_CantToggle", shows that text in a message box. Only "BPP" is written to the settings
// here; the volumes and the full-screen state reach them through the application.
//
// Usage (the game's options screen):
//     GameOptionsDialog* pOptions = new GameOptionsDialog(pMenu, ID_CONTINUE, ID_EXIT);
//     pOptions->setSections(GOS_TITLE | GOS_VOLUME | GOS_FULLSCREEN);
//     pOptions->setTestSample(pApp->getSample("click"));
//     pApp->pushMode(pOptions);       // built by onStart
//
// The dialog keeps its sprites and controls when it ends (onEnd does nothing). Failures: Exit
// (id 1) without a notify mode raises AssertFailException "Assertion failed : m_pNotifyMode".
// Main thread only.
#ifndef DIZIDOR_UI_GAMEOPTIONSDIALOG_H
#define DIZIDOR_UI_GAMEOPTIONSDIALOG_H

#include "ui/dialogmode.h"
#include "ui/hslider.h"
#include "ui/radiogroup.h"

class Sample;

// The sections (a bit set).
enum GameOptionsSection
{
    GOS_FULLSCREEN = 1, // full screen or window
    GOS_DEPTH = 2,      // 16, 24 or 32 bits per pixel
    GOS_VOLUME = 4,     // sound and music sliders
    GOS_TITLE = 8       // "GOD_GameOptions" and the long separator
};

// The control ids, delivered to the dialog's onCallback.
enum GameOptionsControl
{
    GOD_OK = 0, // OK, or Continue with a notify mode
    GOD_EXIT = 1,
    GOD_SOUND = 2,
    GOD_MUSIC = 3,
    GOD_FULLSCREEN = 7,
    GOD_WINDOWED = 8,
    GOD_16BPP = 9,
    GOD_24BPP = 10,
    GOD_32BPP = 11
};

class GameOptionsDialog : public DialogMode
{
public:
    // Modal; pNotifyMode (null for the OK variant) hears nContinueId for Continue and nExitId
    // for Exit, with param 0, after the dialog has ended. Sections 13 (all but the depth).
    GameOptionsDialog(GameMode* pNotifyMode, int nContinueId, int nExitId);
    ~GameOptionsDialog() override;

    void setSections(int nSections) { m_nSections = nSections; }
    int getSections() const { return m_nSections; }
    // Played once after every sound-volume change; null for none.
    void setTestSample(RIR::SmartPtr<Sample> pSample);
    RIR::SmartPtr<Table> getControlsTable() const { return m_pControlsTable; }
    // Null before the dialog starts.
    RIR::SmartPtr<Table> getButtonsTable() const { return m_pButtonsTable; }
    RadioGroup& getFullscreenGroup() { return m_fullscreenGroup; }
    RadioGroup& getDepthGroup() { return m_depthGroup; }
    RIR::SmartPtr<HSlider> getSoundSlider() const { return m_pSoundSlider; }
    RIR::SmartPtr<HSlider> getMusicSlider() const { return m_pMusicSlider; }

    // Builds the dialog from the sections, lays it out and centres it.
    void onStart() override;
    // Nothing: the contents stay until the dialog is deleted.
    void onEnd() override;
    // One step of the background animation loading, then updateFromSettings.
    void update(float fDt) override;
    // The depth and full-screen buttons show what the video driver has now.
    virtual void updateFromSettings();
    void onCallback(int nId, int nParam) override;

private:
    // The full-screen or depth change nId asked for did not take: the "GOD_CantToggle" message,
    // when the string table has it.
    void reportRefusal();
    // A row of radio buttons in a new table named pszName, into a new row of the controls table.
    void addRadioRow(const char* pszName, const char* const* ppszKeys, const int* pnIds,
                     const bool* pbChecked, int nCount, RadioGroup& group);

    GameMode* m_pNotifyMode; // not owned
    int m_nExitId;
    int m_nContinueId;
    RIR::SmartPtr<Table> m_pControlsTable;
    RIR::SmartPtr<Table> m_pButtonsTable;
    RIR::SmartPtr<HSlider> m_pMusicSlider;
    RIR::SmartPtr<HSlider> m_pSoundSlider;
    RIR::SmartPtr<Sample> m_pTestSample;
    RadioGroup m_fullscreenGroup;
    RadioGroup m_depthGroup;
    int m_nSections;
};

#endif
