// Button, ToggleButton, CustomButton and CustomToggleButton driven through the application's
// input dispatch: their states, sounds and firing, the trigger's target, enabling, and the
// picture search of the custom buttons.
#include "themefixture.h"

#include "ui/button.h"
#include "ui/custombutton.h"
#include "ui/customtogglebutton.h"
#include "ui/togglebutton.h"

namespace
{

class RecMode : public GameMode
{
public:
    void onCallback(int nId, int nParam) override
    {
        m_fired.push_back(std::to_string(nId) + "/" + std::to_string(nParam));
    }
    std::vector<std::string> m_fired;
};

} // namespace

class ButtonTest : public ThemeTest
{
protected:
    void SetUp() override
    {
        ThemeTest::SetUp();
        const char* const apszStates[] = {"normal", "pushed", "highlight", "disabled"};
        std::string sTheme;
        for (int i = 0; i < BS_COUNT; ++i)
        {
            const std::string sName = std::string("bg_") + apszStates[i];
            picture(sName.c_str(), 60, 20, Color(10 * i, 0, 0, 255));
            sTheme += std::string("buttonimage ") + apszStates[i] + " " + sName + "\n";
        }
        sTheme += "buttonsound clicked click\nbuttonsound highlighted hover\n"
                  "buttonstyle Tooltip\nbuttonimage normal bg_normal\n";
        file("b.theme", sTheme);
        m_pApp->loadTheme("b.theme");
        m_pMode = new RecMode();
        m_pApp->pushMode(m_pMode);
    }

    // A button of the "" style at (100, 100) in the mode; 60 x 20 for a short caption.
    template <class T> RIR::SmartPtr<T> add(T* pButton)
    {
        RIR::SmartPtr<T> p(pButton);
        p->setPos(100, 100);
        p->setHitTestMode(SHT_BOUNDS);
        m_pMode->addControl(p.get());
        clearLog();
        return p;
    }
    void moveTo(int x, int y)
    {
        m_pPlatform->queueMouseMove(x, y);
        m_pPlatform->pumpEvents();
    }
    void press(int nButton = 1)
    {
        m_pPlatform->queueMouseDown(nButton, 110, 110);
        m_pPlatform->pumpEvents();
    }
    void release(int nButton = 1)
    {
        m_pPlatform->queueMouseUp(nButton, 110, 110);
        m_pPlatform->pumpEvents();
    }
    std::string fired()
    {
        std::string s;
        for (const std::string& sCall : m_pMode->m_fired)
            s += (s.empty() ? "" : " ") + sCall;
        m_pMode->m_fired.clear();
        return s;
    }

    RecMode* m_pMode = nullptr; // owned by the application
};

TEST_F(ButtonTest, StatesSoundsAndFiringThroughTheDispatch)
{
    RIR::SmartPtr<Button> pButton = add(new Button("Go", 7));
    EXPECT_EQ(BS_NORMAL, pButton->getState());
    EXPECT_EQ(m_pMode, pButton->getTarget()) << "no target of its own: the mode";

    moveTo(110, 110);
    EXPECT_EQ(BS_HIGHLIGHTED, pButton->getState());
    EXPECT_EQ(1, played("hover"));
    EXPECT_EQ(m_pApp->getImage("b.theme::Btn::::^go_-1_2").get(), pButton->getImage().get());
    press();
    EXPECT_EQ(BS_PRESSED, pButton->getState());
    EXPECT_EQ("", fired()) << "a press fires nothing";
    EXPECT_EQ(nullptr, m_pMode->getFocus().get()) << "a button never takes the focus";
    release();
    EXPECT_EQ(BS_HIGHLIGHTED, pButton->getState());
    EXPECT_EQ(1, played("click"));
    EXPECT_EQ("7/0", fired());

    press(4);
    release(4);
    EXPECT_EQ(BS_HIGHLIGHTED, pButton->getState()) << "only the left button acts";
    EXPECT_FALSE(pButton->onMouseUp(2));
    EXPECT_EQ("", fired());

    moveTo(10, 10);
    EXPECT_EQ(BS_NORMAL, pButton->getState());
    // Entering with the button held looks pressed and is silent.
    m_pPlatform->queueMouseDown(1, 10, 10);
    m_pPlatform->pumpEvents();
    clearLog();
    moveTo(110, 110);
    EXPECT_EQ(BS_PRESSED, pButton->getState());
    EXPECT_EQ(0, played("hover"));
    // The release fires though the press began elsewhere.
    release();
    EXPECT_EQ("7/0", fired());
}

TEST_F(ButtonTest, NoHoverSoundFlagAndDisabledButtons)
{
    RIR::SmartPtr<Button> pButton = add(new Button("Go", 3));
    pButton->setFlags(BF_NO_HOVER_SOUND);
    moveTo(110, 110);
    EXPECT_EQ(BS_HIGHLIGHTED, pButton->getState());
    EXPECT_EQ(0, playedAny());
    moveTo(10, 10);

    pButton->setEnabled(false);
    EXPECT_EQ(BS_DISABLED, pButton->getState());
    EXPECT_TRUE(GameMode::isAdded(pButton.get())) << "still drawn";
    EXPECT_EQ(nullptr, m_pMode->controlAt(110, 110).get()) << "out of the controls";
    moveTo(110, 110);
    press();
    release();
    EXPECT_EQ(BS_DISABLED, pButton->getState());
    EXPECT_EQ("", fired());
    pButton->setEnabled(true);
    EXPECT_EQ(pButton.get(), m_pMode->controlAt(110, 110).get());
    // Back among the controls while still disabled, it hears the enter silently; then normal.
    EXPECT_EQ(BS_NORMAL, pButton->getState());
    EXPECT_EQ(pButton.get(), m_pMode->getHover().get());
}

TEST_F(ButtonTest, TargetsHiddenButtonsAndButtonsOutsideAnyMode)
{
    RecMode other;
    RIR::SmartPtr<Button> pOwn(new Button("Own", 1));
    pOwn->setTarget(&other);
    m_pMode->addControl(pOwn.get());
    EXPECT_EQ(&other, pOwn->getTarget()) << "a target of its own stays";
    RIR::SmartPtr<Button> pPlain = add(new Button("Plain", 2));
    m_pMode->removeObject(pPlain.get());
    EXPECT_EQ(nullptr, pPlain->getTarget()) << "leaving the mode forgets it";
    m_pMode->removeObject(pOwn.get());
    EXPECT_EQ(&other, pOwn->getTarget());

    // Outside any mode: enabling has no mode to tell, and nothing breaks.
    RIR::SmartPtr<Button> pLoose(new Button("Loose", 4));
    pLoose->setEnabled(false);
    EXPECT_FALSE(pLoose->isEnabled());
    EXPECT_EQ(BS_DISABLED, pLoose->getState());
    pLoose->setEnabled(true);
    EXPECT_EQ(BS_NORMAL, pLoose->getState());
    EXPECT_FALSE(pLoose->hasFocus());

    RIR::SmartPtr<Button> pHidden = add(new Button("Hide", 5));
    pHidden->setVisible(false);
    RIR::SmartPtr<Image> pShown = pHidden->getImage();
    pHidden->setState(BS_PRESSED);
    EXPECT_EQ(pShown.get(), pHidden->getImage().get()) << "a hidden button does not render";
    moveTo(110, 110);
    pHidden->setVisible(true);
    EXPECT_EQ(BS_HIGHLIGHTED, pHidden->getState()) << "shown under the pointer: hover at once";
    pHidden->setVisible(false);
    EXPECT_EQ(BS_NORMAL, pHidden->getState()) << "hiding is leaving";

    pHidden->setSize(140, 99);
    EXPECT_EQ(140, pHidden->getWantedWidth());
}

TEST_F(ButtonTest, ToggleFlipsOnThePressAndFiresOnlyInAMode)
{
    RIR::SmartPtr<ToggleButton> pToggle = add(new ToggleButton("Sound", 9));
    moveTo(110, 110);
    EXPECT_EQ(BS_HIGHLIGHTED, pToggle->getState());
    EXPECT_EQ(1, played("hover"));
    press();
    EXPECT_TRUE(pToggle->isChecked());
    EXPECT_EQ(BS_PRESSED, pToggle->getState());
    EXPECT_EQ("9/0", fired());
    release();
    EXPECT_EQ(0, played("click")) << "a toggle never clicks";
    EXPECT_EQ(BS_PRESSED, pToggle->getState());
    moveTo(10, 10);
    EXPECT_EQ(BS_PRESSED, pToggle->getState()) << "a checked toggle ignores leave and hover";
    moveTo(110, 110);
    press();
    EXPECT_FALSE(pToggle->isChecked());
    EXPECT_EQ(BS_NORMAL, pToggle->getState());
    EXPECT_EQ("9/0", fired());
    EXPECT_FALSE(pToggle->onMouseDown(4));

    RIR::SmartPtr<ToggleButton> pLoose(new ToggleButton("Loose", 1));
    EXPECT_TRUE(pLoose->onMouseDown(1));
    EXPECT_TRUE(pLoose->isChecked()) << "flips outside a mode, without firing";
    pLoose->setEnabled(false);
    pLoose->setChecked(true);
    EXPECT_EQ(BS_DISABLED, pLoose->getState());
}

TEST_F(ButtonTest, TooltipsAreButtonPicturesOfTheTooltipStyle)
{
    RecMode* pMode = new RecMode();
    m_pApp->pushMode(pMode);
    EXPECT_STREQ("Tooltip", pMode->getTooltipStyle().c_str());
    RIR::SmartPtr<Sprite> pOwner(new Sprite(0, 0, 0));
    pMode->addSprite(pOwner);
    TooltipHandle hTip = pMode->addTooltip(Rect(0, 0, 50, 50), "Hint");
    EXPECT_EQ(m_pApp->getImage("b.theme::Btn::Tooltip::^hint_-1_0").get(),
              hTip->m_value->m_pSprite->getImage().get());
}

// ---- custom buttons ----------------------------------------------------------------------------

TEST_F(ButtonTest, CustomButtonSearchOrder)
{
    struct Case
    {
        std::vector<const char*> pictures;
        const char* pszPrefix;
        std::vector<std::string> expected; // normal, pushed, highlight, disabled
    };
    const Case cases[] = {
        {{"a1"}, "a1", {"a1", "a1", "a1", "a1"}},
        {{"b1_", "b1"}, "b1", {"b1_", "b1_", "b1_", "b1_"}},
        {{"c1up", "c1_dn", "c1down", "c1_o", "c1gray", "c1_grey"},
         "c1",
         {"c1up", "c1_dn", "c1_o", "c1_grey"}},
        {{"d1normal", "d1dn", "d1_down", "d1highlight", "d1_high", "d1disabled"},
         "d1",
         {"d1normal", "d1dn", "d1_high", "d1disabled"}},
        {{"e1_normal", "e1pushed"}, "e1", {"e1_normal", "e1pushed", "e1_normal", "e1_normal"}},
    };
    for (const Case& c : cases)
    {
        for (const char* pszName : c.pictures)
            picture(pszName, 4, 4);
        RIR::String asNames[BS_COUNT];
        CustomButton::findImageNames(c.pszPrefix, asNames);
        for (int i = 0; i < BS_COUNT; ++i)
            EXPECT_EQ(c.expected[i], asNames[i].c_str()) << c.pszPrefix << " state " << i;
    }
    EXPECT_EQ("", failure([] { CustomButton button(1, "c1"); }));
    EXPECT_NE("", failure([] { CustomButton button(1, "missing"); }))
        << "no normal picture: the cache's error for missingnormal";

    picture("t1normal", 4, 4);
    picture("t1dn", 4, 4);
    picture("t1pushed", 4, 4);
    RIR::String asToggle[BS_COUNT];
    CustomToggleButton::findImageNames("t1", asToggle);
    EXPECT_STREQ("t1pushed", asToggle[BS_PRESSED].c_str()) << "short words are not tried";
    EXPECT_STREQ("t1normal", asToggle[BS_HIGHLIGHTED].c_str());
}

TEST_F(ButtonTest, CustomButtonsShowTheirStatesPictures)
{
    RIR::SmartPtr<Image> apImage[BS_COUNT];
    for (int i = 0; i < BS_COUNT; ++i)
        apImage[i] = blank(60, 20);
    RIR::SmartPtr<CustomButton> pButton =
        add(new CustomButton(5, apImage[0], apImage[1], apImage[2], RIR::SmartPtr<Image>()));
    EXPECT_EQ(apImage[0].get(), pButton->getImage().get());
    moveTo(110, 110);
    EXPECT_EQ(apImage[BS_HIGHLIGHTED].get(), pButton->getImage().get());
    EXPECT_EQ(1, played("hover")) << "the \"\" style's sounds";
    press();
    EXPECT_EQ(apImage[BS_PRESSED].get(), pButton->getImage().get());
    release();
    EXPECT_EQ("5/0", fired());
    m_pApp->loadTheme("b.theme");
    EXPECT_EQ(apImage[BS_HIGHLIGHTED].get(), pButton->getImage().get()) << "same after restyle";
    pButton->setEnabled(false);
    EXPECT_EQ(nullptr, pButton->getImage().get()) << "a null picture shows nothing";

    RIR::SmartPtr<CustomToggleButton> pToggle(
        new CustomToggleButton(6, apImage[0], apImage[1], apImage[2], apImage[3]));
    pToggle->setPos(300, 300);
    pToggle->setHitTestMode(SHT_BOUNDS);
    m_pMode->addControl(pToggle.get());
    pToggle->setChecked(true);
    EXPECT_EQ(apImage[BS_PRESSED].get(), pToggle->getImage().get());
    pToggle->setChecked(false);
    pToggle->onMouseEnter();
    EXPECT_EQ(apImage[BS_HIGHLIGHTED].get(), pToggle->getImage().get());
}
