#include "ui/editbox.h"

#include "app/gamemode.h"

#include "rir2/calltrace.h"

#include <cstring>

namespace
{

// SDL 1.2 key symbols the box answers.
enum
{
    KEY_BACKSPACE = 8,
    KEY_TAB = 9,
    KEY_RETURN = 13,
    KEY_ESCAPE = 27,
    KEY_DELETE = 127,
    KEY_RIGHT = 275,
    KEY_LEFT = 276,
    KEY_HOME = 278,
    KEY_END = 279
};

// Num lock, caps lock and mode: states of the keyboard, not keys held with the key.
const int LOCK_MODIFIERS = 0xF000;

} // namespace

EditBox::EditBox() : Label("", 0, 0, 0, 0, true)
{
    RIR_TRACE("EditBox::EditBox");
    init();
}

EditBox::EditBox(int nX, int nY, int nZOrder, int nWidth, bool bEnabled)
    : Label("", nX, nY, nZOrder, nWidth, bEnabled)
{
    RIR_TRACE("EditBox::EditBox");
    init();
}

EditBox::EditBox(int nX, int nY, int nZOrder, RIR::SmartPtr<Image> pBackground, bool bEnabled)
    : Label("", nX, nY, nZOrder, pBackground, bEnabled)
{
    RIR_TRACE("EditBox::EditBox");
    init();
}

EditBox::~EditBox()
{
    RIR_TRACE("EditBox::~EditBox");
}

void EditBox::init()
{
    RIR_TRACE("EditBox::init");
    m_nCaret = 0;
    m_nMaxLength = -1;
    setFocusable(true);
    set(nullptr, -1, 0);
}

void EditBox::setText(const char* pszText)
{
    RIR_TRACE("EditBox::setText");
    Label::setText(pszText);
    const int nLength = getText().utf8Length();
    if (m_nCaret >= nLength)
        m_nCaret = nLength;
}

void EditBox::setCaretPos(int nPos)
{
    RIR_TRACE("EditBox::setCaretPos");
    const int nLength = getText().utf8Length();
    m_nCaret = nPos < 0 ? 0 : (nPos > nLength ? nLength : nPos);
    refresh();
}

void EditBox::onAddedToMode()
{
    RIR_TRACE("EditBox::onAddedToMode");
    Label::onAddedToMode();
    setTarget(getOwningMode());
}

void EditBox::removeFromMode()
{
    RIR_TRACE("EditBox::removeFromMode");
    GameMode* pMode = getOwningMode();
    if (pMode && getTarget() == pMode)
        setTarget(nullptr);
    Label::removeFromMode();
}

void EditBox::onFocusGained()
{
    RIR_TRACE("EditBox::onFocusGained");
    m_nCaret = getText().utf8Length();
    refresh();
}

void EditBox::onFocusLost()
{
    RIR_TRACE("EditBox::onFocusLost");
    refresh();
}

void EditBox::fireEdit()
{
    if (getId() != -1)
        fire();
}

void EditBox::deleteAt(int nAt)
{
    RIR_TRACE("EditBox::deleteAt");
    const RIR::String sText = getText();
    if (nAt >= 0 && nAt < sText.utf8Length())
    {
        RIR_TRACE_LINE();
        m_nCaret = nAt;
        setText((sText.utf8Left(nAt) + sText.utf8From(nAt + 1)).c_str());
    }
    fireEdit();
}

bool EditBox::onKeyDown(int nKey, int nModifiers)
{
    RIR_TRACE("EditBox::onKeyDown");
    if (nKey == KEY_BACKSPACE)
    {
        // Nothing left of the caret: nothing deleted, but the edit is still reported.
        deleteAt(m_nCaret > 0 ? m_nCaret - 1 : -1);
        return true;
    }
    if (nKey == KEY_DELETE)
    {
        deleteAt(m_nCaret);
        return true;
    }
    const bool bModified = (nModifiers & ~LOCK_MODIFIERS) != 0;
    const int nLength = getText().utf8Length();
    switch (nKey)
    {
    case KEY_LEFT:
    case KEY_RIGHT:
    case KEY_HOME:
    case KEY_END:
        if (bModified)
            return false;
        RIR_TRACE_LINE();
        if (nKey == KEY_LEFT && m_nCaret > 0)
            --m_nCaret;
        else if (nKey == KEY_RIGHT && m_nCaret < nLength)
            ++m_nCaret;
        else if (nKey == KEY_HOME)
            m_nCaret = 0;
        else if (nKey == KEY_END)
            m_nCaret = nLength;
        refresh();
        return true;
    case KEY_ESCAPE:
    case KEY_RETURN:
    case KEY_TAB:
        if (bModified)
            return false;
        RIR_TRACE_LINE();
        // The dialog around the box decides what ends an entry; its answer does not matter here.
        if (GameMode* pMode = getOwningMode())
            pMode->keyDown(nKey, nModifiers);
        return true;
    default:
        return false;
    }
}

bool EditBox::isTypeable(int nCharacter)
{
    if (nCharacter < 0x20 || nCharacter == 0x7F)
        return false;
    if (nCharacter >= 0xD800 && nCharacter <= 0xDFFF)
        return false;
    return nCharacter <= 0x10FFFF;
}

bool EditBox::onChar(int nCharacter)
{
    RIR_TRACE("EditBox::onChar");
    // Control characters (Return, Tab, Escape and Ctrl+letter with a modifier held arrive here
    // too) and half surrogates never reach the text.
    if (!isTypeable(nCharacter))
        return false;
    const RIR::String sText = getText();
    if (m_nMaxLength != -1 && sText.utf8Length() >= m_nMaxLength)
        return true;
    const RIR::String sChar = RIR::String::fromCodepoint((unsigned int)nCharacter);
    if (m_sAllowed != "" && std::strstr(m_sAllowed.c_str(), sChar.c_str()) == nullptr)
        return false;
    if (m_sForbidden != "" && std::strstr(m_sForbidden.c_str(), sChar.c_str()) != nullptr)
        return false;
    const RIR::String sNew = sText.utf8Left(m_nCaret) + sChar + sText.utf8From(m_nCaret);
    // The width limit is that of the real text, whatever a mask shows.
    RIR::SmartPtr<Font> pFont = getFont();
    if (getFixedWidth() > 0 && pFont && pFont->getTextWidth(sNew.c_str()) > getFixedWidth())
        return true;
    RIR_TRACE_LINE();
    ++m_nCaret;
    setText(sNew.c_str());
    fireEdit();
    return true;
}

void EditBox::refresh()
{
    RIR_TRACE("EditBox::refresh");
    Label::refresh();
    RIR::SmartPtr<Image> pImage = getImage();
    RIR::SmartPtr<Font> pFont = getFont();
    if (!hasFocus() || !pImage || !pFont)
        return;
    RIR_TRACE_LINE();
    const RIR::String sShown = getDisplayText();
    const int nLength = getText().utf8Length();
    if (m_nCaret > nLength)
        m_nCaret = nLength;
    if (m_nCaret < 0)
        m_nCaret = 0;
    const int nMargin = getMargin();
    // A masked box shows one mask per character: the caret sits after as many masks.
    const RIR::String sBefore = getMask() == ""
                                    ? sShown.utf8Left(m_nCaret)
                                    : sShown.left(m_nCaret * (int)std::strlen(getMask().c_str()));
    const int x = nMargin + pFont->getTextWidth(sBefore.c_str());
    pFont->drawString(pImage, x, nMargin, "_");
    setImage(pImage);
}

int EditBox::getTextWidth()
{
    const int nWidth = Label::getTextWidth();
    RIR::SmartPtr<Font> pFont = getFont();
    if (hasFocus() && pFont)
        return nWidth + pFont->getTextWidth("__");
    return nWidth;
}
