// GameOptionsDialog: the table tree built for the sections, the radio buttons following the
// video driver (which may refuse a depth or a window mode), the "GOD_CantToggle" message only
// when the string table has it, the volumes and the test sample, Continue, Exit and OK.
#include "dialogkit.h"

#include "testkit/recordingvideodriver.h"
#include "ui/button.h"
#include "ui/dlgmessage.h"
#include "ui/gameoptionsdialog.h"

class OptionsTest : public DialogTest
{
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        picture("s_empty", 100, 20);
        picture("s_full", 100, 20);
        picture("s_thumb", 20, 28);
        picture("r_off", 24, 24);
        picture("r_on", 24, 24);
        picture("sep_long", 400, 6);
        picture("sep_short", 200, 6);
        loadDialogTheme("sliderimages s_empty s_full s_thumb\nradiobuttonimages r_off r_on\n"
                        "longseparator sep_long\nshortseparator sep_short\n"
                        "font Theme::DialogTitle {\nclass Cell 9 24\n}\n");
    }
    RecordingVideoDriver* video() { return m_pPlatform->getRecordingVideoDriver(); }
    void strings(const std::string& sText)
    {
        file("god.txt", sText);
        m_pApp->loadStrings("god.txt");
    }
    GameOptionsDialog* open(int nSections, GameMode* pNotify = nullptr)
    {
        GameOptionsDialog* pDialog = new GameOptionsDialog(pNotify, 5, 6);
        pDialog->setSections(nSections);
        m_pApp->pushMode(pDialog);
        return pDialog;
    }
    static RIR::SmartPtr<Table> table(GameOptionsDialog* pDialog, const char* pszName)
    {
        RIR::SmartPtr<Table> pMain = pDialog->getTable();
        for (int r = 0; r < pMain->getRowCount(); ++r)
            for (int c = 0; c < pMain->getCellCount(r); ++c)
            {
                RIR::SmartPtr<Table> p = RIR::dynamicCast<Table>(pMain->getObject(r, c, 0));
                if (p && p->getName() == pszName)
                    return p;
            }
        RIR::SmartPtr<Table> pControls = pDialog->getControlsTable();
        for (int r = 0; r < pControls->getRowCount(); ++r)
        {
            RIR::SmartPtr<Table> p = RIR::dynamicCast<Table>(pControls->getObject(r, 0, 0));
            if (p && p->getName() == pszName)
                return p;
        }
        return RIR::SmartPtr<Table>();
    }
    // "1" for each checked option of the group, "0" for each unchecked.
    static std::string checks(RadioGroup& group)
    {
        std::string s;
        for (int i = 0; i < group.getLength(); ++i)
            s += group.get(i)->isChecked() ? "1" : "0";
        return s;
    }
    static std::string text(const RIR::SmartPtr<IVisualObject>& pObject)
    {
        if (Button* pButton = dynamic_cast<Button*>(pObject.get()))
            return pButton->getText().c_str();
        if (Label* pLabel = dynamic_cast<Label*>(pObject.get()))
            return pLabel->getText().c_str();
        return "?";
    }
};

TEST_F(OptionsTest, SectionsZeroGiveOnlyTheOkButton)
{
    GameOptionsDialog* pDialog = open(0);
    RIR::SmartPtr<Table> pMain = pDialog->getTable();
    EXPECT_EQ("GameOptionsDialog", std::string(pMain->getName().c_str()));
    EXPECT_EQ(0, pDialog->getControlsTable()->getRowCount());
    RIR::SmartPtr<Table> pButtons = pDialog->getButtonsTable();
    ASSERT_TRUE(pButtons);
    EXPECT_EQ("GOD::Buttons", std::string(pButtons->getName().c_str()));
    ASSERT_EQ(1, pButtons->getCellCount(0));
    EXPECT_EQ("GOD_BtnOK", text(pButtons->getObject(0, 0, 0)));
    EXPECT_EQ(1, pButtons->getCell(0, 0)->m_nFlags);
    EXPECT_TRUE(pDialog->getFullscreenGroup().isEmpty());
    EXPECT_TRUE(pDialog->getDepthGroup().isEmpty());
    EXPECT_FALSE(pDialog->getSoundSlider());

    click(RIR::dynamicCast<Sprite>(pButtons->getObject(0, 0, 0)));
    EXPECT_EQ(m_pMode, m_pApp->getTopMode());
    EXPECT_EQ("", m_pMode->fired());
}

TEST_F(OptionsTest, DefaultSectionsShowTitleVolumesAndTheScreenChoiceButNoDepth)
{
    m_pApp->setSoundVolume(200);
    m_pApp->setMusicVolume(100);
    m_pApp->setFullscreen(false);
    GameOptionsDialog* pDialog = new GameOptionsDialog(nullptr, 5, 6);
    EXPECT_EQ(13, pDialog->getSections());
    EXPECT_FALSE(pDialog->getButtonsTable());
    m_pApp->pushMode(pDialog);

    RIR::SmartPtr<Table> pMain = pDialog->getTable();
    EXPECT_EQ("GOD_GameOptions", text(pMain->getObject(0, 0, 0)));
    RIR::SmartPtr<Label> pTitle = RIR::dynamicCast<Label>(pMain->getObject(0, 0, 0));
    ASSERT_TRUE(pTitle);
    EXPECT_EQ(24, pTitle->getFont()->getLineHeight()); // "Theme::DialogTitle"
    EXPECT_EQ(400, pMain->getObject(1, 0, 0)->getWidth()); // the long separator

    RIR::SmartPtr<Table> pVolume = table(pDialog, "GOD::Volume");
    ASSERT_TRUE(pVolume);
    ASSERT_EQ(2, pVolume->getRowCount());
    EXPECT_EQ("GOD_SoundVolume", text(pVolume->getObject(0, 0, 0)));
    EXPECT_EQ("GOD_MusicVolume", text(pVolume->getObject(1, 0, 0)));
    EXPECT_EQ(pDialog->getSoundSlider().get(), pVolume->getObject(0, 1, 0).get());
    EXPECT_EQ(pDialog->getMusicSlider().get(), pVolume->getObject(1, 1, 0).get());
    EXPECT_EQ(200, pDialog->getSoundSlider()->getValue());
    EXPECT_EQ(100, pDialog->getMusicSlider()->getValue());
    EXPECT_EQ(2, pDialog->getSoundSlider()->getId());

    RIR::SmartPtr<Table> pScreen = table(pDialog, "GOD::Fullscreen");
    ASSERT_TRUE(pScreen);
    EXPECT_EQ(5, pScreen->getHSpacing());
    ASSERT_EQ(2, pDialog->getFullscreenGroup().getLength());
    EXPECT_EQ(7, pDialog->getFullscreenGroup().get(0)->getCallbackId());
    EXPECT_EQ(8, pDialog->getFullscreenGroup().get(1)->getCallbackId());
    EXPECT_EQ("01", checks(pDialog->getFullscreenGroup()));
    EXPECT_FALSE(table(pDialog, "GOD::BPP"));
    EXPECT_TRUE(pDialog->getDepthGroup().isEmpty());
    // Volume table, short separator, screen choice, short separator.
    EXPECT_EQ(4, pDialog->getControlsTable()->getRowCount());
    pDialog->update(1.0f / 60.0f); // an empty depth group is left alone
    EXPECT_TRUE(pDialog->getDepthGroup().isEmpty());
}

TEST_F(OptionsTest, AllSectionsAddTheDepthRowCheckedFromTheDriver)
{
    GameOptionsDialog* pDialog = open(15);
    RIR::SmartPtr<Table> pDepth = table(pDialog, "GOD::BPP");
    ASSERT_TRUE(pDepth);
    ASSERT_EQ(3, pDepth->getCellCount(0));
    ASSERT_EQ(3, pDialog->getDepthGroup().getLength());
    const int nBpp = video()->getBPP();
    EXPECT_EQ(std::string(nBpp == 16 ? "1" : "0") + (nBpp == 24 ? "1" : "0") +
                  (nBpp == 32 ? "1" : "0"),
              checks(pDialog->getDepthGroup()));
    EXPECT_TRUE(table(pDialog, "GOD::Fullscreen"));
    EXPECT_EQ(5, pDialog->getControlsTable()->getRowCount());
}

TEST_F(OptionsTest, AcceptedDepthIsStoredInTheSettings)
{
    GameOptionsDialog* pDialog = open(GOS_DEPTH);
    pDialog->onCallback(GOD_16BPP, 0);
    EXPECT_EQ(16, video()->getBPP());
    EXPECT_EQ("100", checks(pDialog->getDepthGroup()));
    EXPECT_EQ("16", std::string(m_pApp->getSetting("BPP").c_str()));
    EXPECT_EQ(pDialog, m_pApp->getTopMode());
}

TEST_F(OptionsTest, RefusedDepthShowsTheRealStateAndTheMessageOnlyWhenTheKeyExists)
{
    // First without the key, then with it.
    for (bool bKey : {false, true})
    {
        if (bKey)
            strings("GOD_CantToggle That did not work.\n");
        while (m_pApp->getTopMode() != m_pMode)
            m_pApp->getTopMode()->endMode();
        video()->refuseModes(false);
        video()->setBPP(32);
        video()->refuseModes(true);
        m_pApp->setSetting("BPP", "32");
        GameOptionsDialog* pDialog = open(GOS_DEPTH | GOS_FULLSCREEN);
        pDialog->onCallback(GOD_24BPP, 0);
        EXPECT_EQ(32, video()->getBPP());
        EXPECT_EQ("001", checks(pDialog->getDepthGroup()));
        EXPECT_EQ("32", std::string(m_pApp->getSetting("BPP").c_str()));
        DlgMessage* pMessage = dynamic_cast<DlgMessage*>(m_pApp->getTopMode());
        if (bKey)
        {
            ASSERT_TRUE(pMessage);
            EXPECT_EQ("That did not work.", std::string(pMessage->getText().c_str()));
            key(13); // ok id -1: Return is not taken
            EXPECT_EQ(pMessage, m_pApp->getTopMode());
            click(button(pMessage, 0));
            EXPECT_EQ(pDialog, m_pApp->getTopMode());
        }
        else
            EXPECT_EQ(pDialog, m_pApp->getTopMode());

        // The window mode refused the same way.
        const bool bFull = m_pApp->isFullscreen();
        pDialog->onCallback(bFull ? GOD_WINDOWED : GOD_FULLSCREEN, 0);
        EXPECT_EQ(bFull, m_pApp->isFullscreen());
        EXPECT_EQ(bFull ? "10" : "01", checks(pDialog->getFullscreenGroup()));
        EXPECT_EQ(bKey, dynamic_cast<DlgMessage*>(m_pApp->getTopMode()) != nullptr);
    }
}

TEST_F(OptionsTest, SoundChangesPlayTheTestSampleMusicChangesDoNot)
{
    file("ding.wav", "RIFF");
    GameOptionsDialog* pDialog = new GameOptionsDialog(nullptr, 5, 6);
    pDialog->setTestSample(m_pApp->getSample("ding"));
    m_pApp->pushMode(pDialog);
    clearLog();
    pDialog->getSoundSlider()->setValue(120); // fires id 2 at the dialog
    EXPECT_EQ(120, m_pApp->getSoundVolume());
    EXPECT_EQ(1, playedAny());
    pDialog->getMusicSlider()->setValue(30);
    EXPECT_EQ(30, m_pApp->getMusicVolume());
    EXPECT_EQ(1, playedAny());
}

TEST_F(OptionsTest, ContinueAndExitEndTheDialogThenTellTheNotifyMode)
{
    const struct
    {
        int nButton;
        const char* pszFired;
    } aCases[] = {{0, "5/0"}, {1, "6/0"}};
    for (const auto& c : aCases)
    {
        GameOptionsDialog* pDialog = open(0, m_pMode);
        RIR::SmartPtr<Table> pButtons = pDialog->getButtonsTable();
        ASSERT_EQ(2, pButtons->getCellCount(0));
        EXPECT_EQ("GOD_BtnContinue", text(pButtons->getObject(0, 0, 0)));
        EXPECT_EQ("GOD_BtnExit", text(pButtons->getObject(0, 1, 0)));
        click(RIR::dynamicCast<Sprite>(pButtons->getObject(0, c.nButton, 0)));
        EXPECT_EQ(m_pMode, m_pApp->getTopMode());
        EXPECT_EQ(c.pszFired, m_pMode->fired());
        // The dialog keeps its contents after its end.
        EXPECT_TRUE(GameMode::isAdded(RIR::dynamicCast<Sprite>(pButtons->getObject(0, 0, 0))));
    }
}

TEST_F(OptionsTest, ExitWithoutANotifyModeIsAnAssertion)
{
    GameOptionsDialog* pDialog = open(0);
    EXPECT_EQ("Assertion failed : m_pNotifyMode", failure([&] { pDialog->onCallback(1, 0); }));
    EXPECT_EQ(pDialog, m_pApp->getTopMode());
}
