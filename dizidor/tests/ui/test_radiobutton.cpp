// RadioButton, RadioCustomButton and RadioGroup: the two linked halves, one callback per click
// through the application's input dispatch, the option's text or picture, and the group's
// selection.
#include "widgetkit.h"

#include "ui/radiobutton.h"
#include "ui/radiogroup.h"

class RadioTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        m_pOff = picture("r_off", 24, 24, Color(255, 0, 0, 255));
        m_pOn = picture("r_on", 24, 24, Color(0, 255, 0, 255));
        picture("flag", 40, 30);
        loadWidgetTheme("radiobuttonimages r_off r_on\n");
        file("s.txt", "GOD_Windowed Windowed mode\n");
        m_pApp->loadStrings("s.txt");
    }
    RIR::SmartPtr<RadioButton> add(const char* pszText, int nId, int y = 100)
    {
        RIR::SmartPtr<RadioButton> p = new RadioButton(m_pMode, pszText, nId);
        p->setPos(100, y);
        return p;
    }
    // A click in the middle of the sprite.
    void click(Sprite& sprite)
    {
        const Rect bounds = sprite.getBounds();
        const int x = (bounds.left + bounds.right) / 2;
        const int y = (bounds.top + bounds.bottom) / 2;
        press(x, y);
        release(x, y);
    }

    RIR::SmartPtr<Image> m_pOff;
    RIR::SmartPtr<Image> m_pOn;
};

TEST_F(RadioTest, TextOptionShowsTheStringTableTextBesideTheMark)
{
    RIR::SmartPtr<RadioButton> pOption = add("GOD_Windowed", 3);
    EXPECT_STREQ("Radio::GOD_Windowed", pOption->getName().c_str());
    EXPECT_STREQ("Windowed mode", pOption->getText().c_str());
    EXPECT_EQ(3, pOption->getCallbackId());
    EXPECT_FALSE(pOption->isChecked());

    RIR::SmartPtr<RadioCustomButton> pMark = pOption->getStateButton();
    RIR::SmartPtr<RadioCustomButton> pText = pOption->getTextButton();
    EXPECT_EQ(m_pMode, pMark->getMode());
    EXPECT_EQ(m_pMode, pText->getMode());
    EXPECT_EQ(BF_NO_HOVER_SOUND, pMark->getFlags());
    EXPECT_EQ(SHT_STORED_PIXELS, pText->getHitTestMode());
    EXPECT_EQ(24, pMark->getImage()->getWidth());
    // The label's picture: 13 characters of 6 pixels and two margins of 3.
    EXPECT_EQ(13 * 6 + 6, pText->getImage()->getWidth());
    EXPECT_EQ(18 + 6, pText->getImage()->getHeight());
    EXPECT_EQ(100, pMark->getX());
    EXPECT_EQ(124, pText->getX()) << "the text half in the second cell";

    RIR::SmartPtr<RadioButton> pPlain = add("Plain words", 4, 200);
    EXPECT_STREQ("Plain words", pPlain->getText().c_str());
}

TEST_F(RadioTest, PictureOptionShowsThePictureAndKeepsNoText)
{
    RIR::SmartPtr<RadioButton> pOption = add("flag", 5);
    EXPECT_STREQ("", pOption->getText().c_str());
    EXPECT_EQ(40, pOption->getTextButton()->getImage()->getWidth());
    EXPECT_EQ(30, pOption->getTextButton()->getImage()->getHeight());
}

TEST_F(RadioTest, EitherHalfTogglesBothAndFiresOnce)
{
    RIR::SmartPtr<RadioButton> pOption = add("GOD_Windowed", 3);
    click(*pOption->getTextButton());
    EXPECT_TRUE(pOption->getTextButton()->isChecked());
    EXPECT_TRUE(pOption->getStateButton()->isChecked());
    EXPECT_EQ(m_pOn.get(), pOption->getStateButton()->getImage().get()) << "the checked mark";
    EXPECT_EQ("3/0", m_pMode->fired());

    click(*pOption->getStateButton());
    EXPECT_FALSE(pOption->isChecked());
    EXPECT_FALSE(pOption->getTextButton()->isChecked());
    EXPECT_EQ(m_pOff.get(), pOption->getStateButton()->getImage().get());
    EXPECT_EQ("3/0", m_pMode->fired());

    pOption->setChecked(true);
    EXPECT_TRUE(pOption->getTextButton()->isChecked());
    EXPECT_EQ("", m_pMode->fired()) << "setting the state fires nothing";
}

TEST_F(RadioTest, GroupSelectsByIdAndAnswersWhetherAnyMatched)
{
    RadioGroup group;
    for (int nId : {1, 2, 3})
        group.append(add(("Option " + std::to_string(nId)).c_str(), nId, 50 * nId));
    group.get(0)->setChecked(true);

    EXPECT_EQ(1, group.getCheckedId());
    EXPECT_TRUE(group.select(2));
    EXPECT_EQ(2, group.getCheckedId());
    EXPECT_EQ(1, group.getCheckedIndex());
    EXPECT_FALSE(group.get(0)->isChecked());
    EXPECT_TRUE(group.get(1)->isChecked());
    EXPECT_TRUE(group.get(1)->getTextButton()->isChecked());
    EXPECT_FALSE(group.get(2)->isChecked());

    EXPECT_FALSE(group.select(9));
    for (int i = 0; i < group.getLength(); ++i)
        EXPECT_FALSE(group.get(i)->isChecked()) << i;
    EXPECT_EQ(-1, group.getCheckedId());
    EXPECT_EQ(-1, group.getCheckedIndex());
}

TEST_F(RadioTest, KeepsItsNaturalSizeAndRendersWithItsFont)
{
    RIR::SmartPtr<RadioButton> pOption = add("abc", 1);
    int w = 0, h = 0;
    pOption->getSize(&w, &h);
    pOption->setSize(500, 300);
    int w2 = 0, h2 = 0;
    pOption->getSize(&w2, &h2);
    EXPECT_EQ(w, w2);
    EXPECT_EQ(h, h2);

    RIR::List<RIR::String> lArgs;
    lArgs.append("10");
    lArgs.append("30");
    pOption->setFont(m_pFactory->createFont(lArgs));
    EXPECT_EQ(3 * 10 + 10, pOption->getTextButton()->getImage()->getWidth())
        << "three cells of 10, margins of 30 / 6";
}

TEST_F(RadioTest, LinkedButtonsAgreeInOneStep)
{
    RIR::SmartPtr<RadioCustomButton> pA =
        new RadioCustomButton(nullptr, 1, m_pOff, m_pOn, m_pOff, m_pOff);
    pA->setChecked(true);
    RIR::SmartPtr<RadioCustomButton> pB =
        new RadioCustomButton(pA.get(), 1, m_pOff, m_pOn, m_pOff, m_pOff);
    EXPECT_TRUE(pB->isChecked()) << "copied at once";
    pA->setLinked(pB.get());
    pB->setChecked(false);
    EXPECT_FALSE(pA->isChecked());
    pA->setChecked(true);
    EXPECT_TRUE(pB->isChecked());

    pA.release(); // the partner forgets a button that goes
    EXPECT_EQ(nullptr, pB->getLinked());
    pB->setChecked(false);
}
