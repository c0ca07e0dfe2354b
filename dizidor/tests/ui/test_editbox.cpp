// EditBox: typing and keys through the application's input dispatch, the key table with the
// lock bits, the character filters in their order, the caret's place and the focused width.
#include "widgetkit.h"

#include "ui/editbox.h"

namespace
{

enum
{
    SHIFT = 0x0001,
    CTRL = 0x0040,
    NUM_LOCK = 0x1000,
    CAPS_LOCK = 0x2000,
    MODE = 0x4000
};

} // namespace

class EditBoxTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        m_pBox = new EditBox(100, 100, 5, 0, true);
        m_pBox->setId(7);
        m_pMode->addControl(m_pBox.get());
    }
    // A click on the box (its top-left corner is always inside its picture).
    void clickBox()
    {
        press(101, 101);
        release(101, 101);
    }
    std::string text() const { return m_pBox->getText().c_str(); }
    // Where the last "_" was drawn, or -1.
    int caretX() const
    {
        for (auto it = m_pFactory->m_pDrawn->rbegin(); it != m_pFactory->m_pDrawn->rend(); ++it)
            if (it->text == "_")
                return it->x;
        return -1;
    }

    RIR::SmartPtr<EditBox> m_pBox;
};

TEST_F(EditBoxTest, ClickFocusesTypingEditsAndEveryEditFires)
{
    m_pBox->setText("ab");
    EXPECT_EQ(12 + 6, m_pBox->getImage()->getWidth()) << "unfocused: text + 2 margins";
    clickBox();
    ASSERT_TRUE(m_pBox->hasFocus());
    EXPECT_EQ(2, m_pBox->getCaretPos()) << "focus puts the caret at the end";
    EXPECT_EQ(12 + 12 + 6, m_pBox->getImage()->getWidth()) << "focused: room for \"__\"";
    EXPECT_EQ(3 + 12, caretX());

    typeText("cd");
    EXPECT_EQ("abcd", text());
    EXPECT_EQ(4, m_pBox->getCaretPos());
    EXPECT_EQ("7/0 7/0", m_pMode->fired());
    EXPECT_EQ(3 + 24, caretX());

    key(276); // Left
    key(276);
    type('X');
    EXPECT_EQ("abXcd", text());
    EXPECT_EQ(3, m_pBox->getCaretPos());
    EXPECT_EQ(3 + 18, caretX());
    EXPECT_EQ("7/0", m_pMode->fired());

    key(8); // Backspace
    EXPECT_EQ("abcd", text());
    EXPECT_EQ(2, m_pBox->getCaretPos());
    key(127); // Delete
    EXPECT_EQ("abd", text());
    EXPECT_EQ("7/0 7/0", m_pMode->fired());

    // A click beside every control takes the focus away: the box shrinks back.
    clickBox();
    press(500, 500);
    release(500, 500);
    EXPECT_FALSE(m_pBox->hasFocus());
    EXPECT_EQ(18 + 6, m_pBox->getImage()->getWidth());
}

TEST_F(EditBoxTest, KeyTableWithModifiersAndLockBits)
{
    struct Case
    {
        int key;
        int mods;
        bool handled;
        const char* text;
        int caret;
        int modeKeys; // times the mode's keyDown heard the key from the box
    } const cases[] = {
        {276, 0, true, "abcd", 1, 0},
        {276, NUM_LOCK, true, "abcd", 1, 0},
        {276, CAPS_LOCK | MODE, true, "abcd", 1, 0},
        {276, SHIFT, false, "abcd", 2, 0},
        {275, 0, true, "abcd", 3, 0},
        {275, CTRL, false, "abcd", 2, 0},
        {278, 0, true, "abcd", 0, 0},
        {279, NUM_LOCK, true, "abcd", 4, 0},
        {279, SHIFT, false, "abcd", 2, 0},
        {13, 0, true, "abcd", 2, 1},
        {13, CAPS_LOCK, true, "abcd", 2, 1},
        {13, SHIFT, false, "abcd", 2, 0},
        {27, 0, true, "abcd", 2, 1},
        {9, 0, true, "abcd", 2, 1},
        {9, CTRL, false, "abcd", 2, 0},
        {8, 0, true, "acd", 1, 0},
        {8, SHIFT | CTRL, true, "acd", 1, 0},
        {127, 0, true, "abd", 2, 0},
        {'x', 0, false, "abcd", 2, 0},
    };
    for (const Case& c : cases)
    {
        m_pBox->setText("abcd");
        m_pBox->setCaretPos(2);
        m_pMode->m_keys.clear();
        EXPECT_EQ(c.handled, m_pBox->onKeyDown(c.key, c.mods)) << c.key << " " << c.mods;
        EXPECT_EQ(c.text, text()) << c.key << " " << c.mods;
        EXPECT_EQ(c.caret, m_pBox->getCaretPos()) << c.key << " " << c.mods;
        EXPECT_EQ((size_t)c.modeKeys, m_pMode->m_keys.size()) << c.key << " " << c.mods;
    }
}

TEST_F(EditBoxTest, EndKeysReachTheModeWhateverItAnswers)
{
    clickBox();
    for (bool bAnswer : {false, true})
    {
        m_pMode->m_bAnswerKeys = bAnswer;
        m_pMode->m_keys.clear();
        key(13, 0, '\r');
        EXPECT_EQ(std::vector<int>{13}, m_pMode->m_keys) << "once, from the box";
        EXPECT_EQ("", text());
    }
}

TEST_F(EditBoxTest, BackspaceAndDeleteWithNothingToDeleteStillFire)
{
    clickBox();
    key(8);
    key(127);
    EXPECT_EQ("7/0 7/0", m_pMode->fired());
    EXPECT_EQ("", text());
}

TEST_F(EditBoxTest, ControlCharactersAndSurrogatesNeverReachTheText)
{
    clickBox();
    // Through the pump: keys the box does not handle, so their characters follow to onChar.
    key(13, SHIFT, '\r');
    key(9, CTRL, '\t');
    key(27, SHIFT, 0x1B);
    key('a', CTRL, 0x01);
    key('z', CTRL, 0x1A);
    key(0, 0, 0x7F);
    key(0, 0, 0xD800);
    key(0, 0, 0xDFFF);
    EXPECT_EQ("", text());
    EXPECT_EQ("", m_pMode->fired());

    const int refused[] = {0, 1, 0x1F, 0x7F, 0xD800, 0xDBFF, 0xDC00, 0xDFFF, 0x110000, -5};
    for (int c : refused)
        EXPECT_FALSE(m_pBox->onChar(c)) << std::hex << c;
    EXPECT_EQ("", text());
    const int accepted[] = {0x20, '~', 0xE9, 0xFFFD, 0x1F600};
    for (int c : accepted)
        EXPECT_TRUE(m_pBox->onChar(c)) << std::hex << c;
    EXPECT_EQ(" ~\xC3\xA9\xEF\xBF\xBD\xF0\x9F\x98\x80", text());
}

TEST_F(EditBoxTest, CharacterFiltersApplyInOrder)
{
    struct Case
    {
        const char* start;
        int maxLength;
        const char* allowed;
        const char* forbidden;
        int width;
        int typed;
        bool handled;
        const char* text;
    } const cases[] = {
        {"abc", 3, "", "", 0, 'd', true, "abc"},           // at the maximum: swallowed
        {"abc", 3, "0123456789", "", 0, '1', true, "abc"}, // length first, before the sets
        {"12", -1, "0123456789", "", 0, 'x', false, "12"},
        {"12", -1, "0123456789", "", 0, '3', true, "123"},
        {"ab", -1, "", "#%", 0, '#', false, "ab"},
        {"ab", -1, "#", "#", 0, '#', false, "ab"},               // forbidden wins
        {"ab", -1, "", "", 30, 'c', true, "abc"},                // 18 wide of 30
        {"abcde", -1, "", "", 30, 'f', true, "abcde"},           // 36 would exceed 30: swallowed
        {"ab", -1, "\xC3\xA9", "", 0, 0xE9, true, "ab\xC3\xA9"}, // allowed by its bytes
    };
    for (const Case& c : cases)
    {
        EditBox box(0, 0, 0, c.width, true);
        box.setText(c.start);
        box.setCaretPos(99);
        box.setMaxLength(c.maxLength);
        box.setAllowedChars(c.allowed);
        box.setForbiddenChars(c.forbidden);
        EXPECT_EQ(c.handled, box.onChar(c.typed)) << c.start << " + " << c.typed;
        EXPECT_STREQ(c.text, box.getText().c_str()) << c.start << " + " << c.typed;
    }
}

TEST_F(EditBoxTest, WidthLimitMeasuresTheRealTextNotTheMask)
{
    m_pBox->setWidth(30, false);
    m_pBox->setMask("**"); // shown twice as wide as the text
    clickBox();
    typeText("abcdef");
    EXPECT_EQ("abcde", text());
    EXPECT_EQ("****", std::string(m_pBox->getDisplayText().c_str()).substr(0, 4));
    m_pBox->setCaretPos(2);
    EXPECT_EQ(3 + 4 * 6, caretX()) << "after two masks";
}

TEST_F(EditBoxTest, Utf8CharacterIsOneCaretStep)
{
    clickBox();
    type('a');
    type(0xE9);
    type('b');
    EXPECT_EQ("a\xC3\xA9"
              "b",
              text());
    EXPECT_EQ(3, m_pBox->getCaretPos());
    key(276);
    EXPECT_EQ(3 + 18, caretX()) << "the font measures bytes: a + two bytes";
    key(8);
    EXPECT_EQ("ab", text()) << "both bytes go";
    EXPECT_EQ(1, m_pBox->getCaretPos());
}

TEST_F(EditBoxTest, TriggerTargetsTheModeOnlyWhileInIt)
{
    RIR::SmartPtr<EditBox> pNew = new EditBox();
    EXPECT_EQ(-1, pNew->getId());
    EXPECT_TRUE(pNew->isFocusable());
    EXPECT_TRUE(pNew->isEnabled());
    m_pMode->addControl(pNew.get());
    EXPECT_EQ(static_cast<ICallbackTarget*>(m_pMode), pNew->getTarget());
    pNew->setFocus();
    type('q');
    EXPECT_EQ("q", std::string(pNew->getText().c_str()));
    EXPECT_EQ("", m_pMode->fired()) << "id -1 fires nothing";
    pNew->setId(3);
    type('r');
    EXPECT_EQ("3/0", m_pMode->fired());

    m_pMode->removeObject(RIR::SmartPtr<Sprite>(pNew.get()));
    EXPECT_EQ(nullptr, pNew->getTarget());
    pNew->onChar('s');
    EXPECT_EQ("", m_pMode->fired());
}

TEST_F(EditBoxTest, SetTextPullsTheCaretBack)
{
    m_pBox->setText("abcdef");
    m_pBox->setCaretPos(6);
    m_pBox->setText("ab");
    EXPECT_EQ(2, m_pBox->getCaretPos());
    m_pBox->setCaretPos(-3);
    EXPECT_EQ(0, m_pBox->getCaretPos());
    m_pBox->setCaretPos(50);
    EXPECT_EQ(2, m_pBox->getCaretPos());
}
