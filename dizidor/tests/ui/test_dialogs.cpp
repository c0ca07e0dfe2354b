// DialogMode, CommonDialog, DlgYesNo and DlgMessage on the application: the flags and the dimmed
// background, the table tree and its centring, the answers by button and by key and when the
// target hears them, wrapping of long labels, and centring anew when a dialog is uncovered.
#include "dialogkit.h"

#include "ui/button.h"
#include "ui/dlgmessage.h"
#include "ui/dlgyesno.h"

namespace
{

// The sprites of the mode at z order -1000 (the dimmed background).
int dimmers(GameMode* pMode)
{
    int n = 0;
    RIR::List<RIR::SmartPtr<Sprite>> lSprites = pMode->getSprites();
    for (int i = 0; i < lSprites.getLength(); ++i)
        n += lSprites.get(i)->getZOrder() == -1000;
    return n;
}

std::string caption(const RIR::SmartPtr<Sprite>& pSprite)
{
    Button* pButton = dynamic_cast<Button*>(pSprite.get());
    return pButton ? pButton->getText().c_str() : "?";
}

} // namespace

TEST_F(DialogTest, ModalAndNonModalFlagsNeverLetInputThrough)
{
    DialogMode modal(true);
    DialogMode modeless(false);
    EXPECT_EQ(MF_SEE_THROUGH, modal.getFlags() & (MF_SEE_THROUGH | MF_UPDATE_THROUGH));
    EXPECT_EQ(MF_SEE_THROUGH | MF_UPDATE_THROUGH,
              modeless.getFlags() & (MF_SEE_THROUGH | MF_UPDATE_THROUGH | MF_INPUT_THROUGH));
    EXPECT_EQ(0, modal.getFlags() & MF_INPUT_THROUGH);
    EXPECT_TRUE(modal.getTable()->isFrameEnabled());
    EXPECT_EQ(500, modal.getWrapWidth());
}

TEST_F(DialogTest, YesNoWithoutTextHasTwoCentredButtonsAndADimmedBackground)
{
    m_pApp->showCursor(false);
    DlgYesNo* pDialog = new DlgYesNo(m_pTarget, "", 5, 6);
    m_pApp->pushMode(pDialog);
    EXPECT_TRUE(m_pApp->isCursorShown());
    EXPECT_EQ(1, dimmers(pDialog));
    EXPECT_EQ(0, pDialog->getTextTable()->getRowCount());
    RIR::SmartPtr<Table> pButtons = pDialog->getButtonTable();
    ASSERT_EQ(1, pButtons->getRowCount());
    ASSERT_EQ(2, pButtons->getCellCount(0));
    EXPECT_EQ("yes", caption(button(pDialog, 0)));
    EXPECT_EQ("no", caption(button(pDialog, 1)));
    EXPECT_LT(button(pDialog, 0)->getPosPoint().x, button(pDialog, 1)->getPosPoint().x);

    // The framed table is centred: its content plus the 8-pixel borders.
    RIR::SmartPtr<Table> pMain = pDialog->getTable();
    int w = 0, h = 0, x = 0, y = 0;
    pMain->getSize(&w, &h);
    pMain->getPos(&x, &y);
    EXPECT_EQ((800 - w) / 2, x);
    EXPECT_EQ((600 - h) / 2, y);
    EXPECT_TRUE(pMain->isVisible());
    ASSERT_FALSE(m_frames.m_builds.empty());
}

TEST_F(DialogTest, ButtonsAnswerAfterTheDialogHasLeftTheStack)
{
    const struct
    {
        int nButton;
        const char* pszAnswer;
    } aCases[] = {{0, "5/0"}, {1, "6/0"}};
    for (const auto& c : aCases)
    {
        DlgYesNo* pDialog = new DlgYesNo(m_pTarget, "Really?", 5, 6);
        m_pApp->pushMode(pDialog);
        click(button(pDialog, c.nButton));
        EXPECT_EQ(c.pszAnswer, m_pTarget->heard());
        ASSERT_EQ(1u, m_pTarget->m_tops.size());
        EXPECT_EQ(m_pMode, m_pTarget->m_tops[0]);
        EXPECT_EQ(m_pMode, m_pApp->getTopMode());
        EXPECT_FALSE(pDialog->getTable()->isVisible());
        m_pTarget->m_tops.clear();
    }
    EXPECT_EQ("", m_pMode->fired()); // the mode below heard nothing
}

TEST_F(DialogTest, ReturnAndEscapeAnswerOnlyWhatTheCreatorAskedToHear)
{
    // Key 13 Return, 27 Escape.
    const struct
    {
        int nYes, nNo, nOk, nCancel;
        int nKey;
        bool bTaken;
        const char* pszAnswer;
    } aCases[] = {
        {5, 6, -1, -1, 13, true, "5/0"},  {5, 6, -1, -1, 27, true, "6/0"},
        {-1, 6, 7, -1, 13, true, "7/0"},  {-1, 6, -1, 8, 27, true, "8/0"},
        {-1, -1, -1, -1, 13, false, ""},  {-1, -1, -1, -1, 27, false, ""},
        {5, 6, -1, -1, 'y', false, ""},
    };
    for (const auto& c : aCases)
    {
        DlgYesNo* pDialog = new DlgYesNo(m_pTarget, "Sure?", c.nYes, c.nNo);
        pDialog->setOkId(c.nOk);
        pDialog->setCancelId(c.nCancel);
        m_pApp->pushMode(pDialog);
        EXPECT_EQ(c.bTaken, pDialog->keyDown(c.nKey, 0)) << c.nKey;
        EXPECT_EQ(c.pszAnswer, m_pTarget->heard()) << c.nKey;
        EXPECT_EQ(c.bTaken, m_pApp->getTopMode() != pDialog) << c.nKey;
        if (!c.bTaken)
            pDialog->endMode();
    }
}

TEST_F(DialogTest, KeysThroughThePumpReachTheDialogNotTheModeBelow)
{
    m_pApp->pushMode(new DlgYesNo(m_pTarget, "Sure?", 5, 6));
    key(27);
    EXPECT_EQ("6/0", m_pTarget->heard());
    EXPECT_TRUE(m_pMode->m_keys.empty());
}

TEST_F(DialogTest, MessageWithoutOkIdIgnoresKeysButItsButtonStillEndsIt)
{
    DlgMessage* pDialog = new DlgMessage(m_pTarget, "Saved.", -1);
    m_pApp->pushMode(pDialog);
    EXPECT_FALSE(pDialog->keyDown(13, 0));
    EXPECT_FALSE(pDialog->keyDown(27, 0));
    EXPECT_EQ(pDialog, m_pApp->getTopMode());
    ASSERT_EQ(1, pDialog->getButtonTable()->getCellCount(0));
    EXPECT_EQ("ok", caption(button(pDialog, 0)));
    click(button(pDialog, 0));
    EXPECT_EQ(m_pMode, m_pApp->getTopMode());
    EXPECT_EQ("", m_pTarget->heard());

    DlgMessage* pAnswering = new DlgMessage(m_pTarget, "Saved.", 9);
    m_pApp->pushMode(pAnswering);
    EXPECT_FALSE(pAnswering->keyDown(27, 0));
    EXPECT_TRUE(pAnswering->keyDown(13, 0));
    EXPECT_EQ("9/0", m_pTarget->heard());
}

TEST_F(DialogTest, MessageLabelIsAlways600WideAndLongLabelsWrapAt500)
{
    DlgMessage* pDialog = new DlgMessage(m_pTarget, "Hi", -1);
    m_pApp->pushMode(pDialog);
    RIR::SmartPtr<Label> pLabel =
        RIR::dynamicCast<Label>(pDialog->getTextTable()->getObject(0, 0, 0));
    ASSERT_TRUE(pLabel);
    EXPECT_EQ(600, pLabel->getFixedWidth());

    // 6 pixels a character: 100 characters are 600 pixels, over the wrap width.
    const std::string sLong(100, 'x');
    RIR::SmartPtr<Label> pWrapped = pDialog->addLabel((sLong.substr(0, 40) + " " + sLong).c_str(), 1);
    EXPECT_EQ(500, pWrapped->getFixedWidth());
    EXPECT_GT(pWrapped->getLineCount(), 1);
    RIR::SmartPtr<Label> pShort = pDialog->addLabel("short", 1);
    EXPECT_EQ(0, pShort->getFixedWidth());
    EXPECT_EQ(3, pDialog->getTextTable()->getRowCount()); // each text a row of its own
}

TEST_F(DialogTest, OtherCallbackIdsDoNothing)
{
    DlgYesNo* pDialog = new DlgYesNo(m_pTarget, "Sure?", 5, 6);
    m_pApp->pushMode(pDialog);
    pDialog->onCallback(0, 0);
    pDialog->onCallback(7, 1);
    EXPECT_EQ(pDialog, m_pApp->getTopMode());
    EXPECT_EQ("", m_pTarget->heard());
    pDialog->onCallback(DLG_CANCEL, 0); // cancel id -1: ends, tells nobody
    EXPECT_EQ(m_pMode, m_pApp->getTopMode());
    EXPECT_EQ("", m_pTarget->heard());
}

TEST_F(DialogTest, UncoveredDialogIsCentredAnew)
{
    DlgYesNo* pUnder = new DlgYesNo(m_pTarget, "First", 5, 6);
    m_pApp->pushMode(pUnder);
    DlgYesNo* pOver = new DlgYesNo(m_pTarget, "Second", 7, 8);
    m_pApp->pushMode(pOver);
    pUnder->addLabel(std::string(60, 'w').c_str(), 1); // the table grows while covered
    pOver->keyDown(13, 0);
    EXPECT_EQ("7/0", m_pTarget->heard());
    int w = 0, h = 0, x = 0, y = 0;
    pUnder->getTable()->getSize(&w, &h);
    pUnder->getTable()->getPos(&x, &y);
    EXPECT_GT(w, 360);
    EXPECT_EQ((800 - w) / 2, x);
    EXPECT_EQ((600 - h) / 2, y);
}

TEST_F(DialogTest, ImageOrTextPrefersAPictureThenTheStringTableThenTheKey)
{
    picture("pic_title", 120, 30);
    file("strings.txt", "Greeting Howdy\n");
    m_pApp->loadStrings("strings.txt");
    DialogMode* pDialog = new DialogMode(true);
    m_pApp->pushMode(pDialog);
    EXPECT_FALSE(pDialog->addImageOrText("pic_title", 0x24));
    RIR::SmartPtr<Label> pKey = pDialog->addImageOrText("NoSuchKey", 0x24);
    ASSERT_TRUE(pKey);
    EXPECT_EQ("NoSuchKey", std::string(pKey->getText().c_str()));
    RIR::SmartPtr<Label> pText = pDialog->addImageOrText("Greeting", 0x24);
    ASSERT_TRUE(pText);
    EXPECT_EQ("Howdy", std::string(pText->getText().c_str()));
    RIR::SmartPtr<Sprite> pPicture =
        RIR::dynamicCast<Sprite>(pDialog->getTable()->getObject(0, 0, 0));
    ASSERT_TRUE(pPicture);
    EXPECT_EQ(120, pPicture->getWidth());
}
