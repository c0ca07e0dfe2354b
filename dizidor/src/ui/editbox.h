// EditBox: the one-line text entry.
//
// An edit box is a Label that takes the keyboard focus, keeps a caret (in UTF-8 characters),
// edits its text from the key and character events its mode passes to the focus control, and
// draws the caret as "_" while it has the focus. A focused box is wider by the width of "__", so
// that there is room for the caret after the last character. Every edit fires its trigger
// (Backspace and Delete fire even when nothing was left to delete) while the trigger's id is not
// -1; a new box has id -1 and fires nothing until an id is set. When it joins a mode, its trigger
// reports to that mode; when it leaves, a trigger that reported to the mode reports to nobody.
//
// Keys (SDL 1.2 key symbols and modifier bits; the lock bits 0x1000 num, 0x2000 caps and 0x4000
// mode do not count as held modifiers):
//     Backspace (8), Delete (127)          delete left / at the caret, fire
//     Left, Right, Home, End (276, 275, 278, 279)   move the caret, only without modifiers
//     Escape, Return, Tab (27, 13, 9)      passed to the mode's keyDown, only without modifiers
// Anything else is not handled, so the application sends the key's character to onChar.
//
// Characters are refused (not handled) when they are control characters (below 0x20, 0x7F), not
// characters at all (UTF-16 surrogate halves, beyond 0x10FFFF), outside the allowed set or
// inside the forbidden set; they are swallowed (handled, no change) when the text holds the
// maximum number of characters or would grow wider than the fixed width. So a name typed into a
// box never carries a line break, a tab, an escape or invalid UTF-8.
//
// Usage:
//     RIR::SmartPtr<EditBox> pName = new EditBox(100, 80, 5, 200, true);
//     pName->setId(ID_NAME);          // the mode's onCallback(ID_NAME, 0) after every edit
//     pMode->addControl(pName);
//     pName->setFocus();
//
// Nothing here raises. Main thread only.
#ifndef DIZIDOR_UI_EDITBOX_H
#define DIZIDOR_UI_EDITBOX_H

#include "ui/label.h"

#include "rir2/rirstring.h"

class EditBox : public Label
{
public:
    // Empty text at (0, 0), z 0, its own width, enabled.
    EditBox();
    // A fixed text width (0: the text's own width), which also limits what can be typed.
    EditBox(int nX, int nY, int nZOrder, int nWidth, bool bEnabled);
    // A background picture under the text.
    EditBox(int nX, int nY, int nZOrder, RIR::SmartPtr<Image> pBackground, bool bEnabled);
    ~EditBox() override;

    // As Label::setText; a caret beyond the new text moves to its end.
    void setText(const char* pszText) override;
    // Clamped to 0 .. the number of characters; repaints.
    void setCaretPos(int nPos);
    int getCaretPos() const { return m_nCaret; }
    // Most characters the text may take by typing; -1 for no limit.
    void setMaxLength(int nChars) { m_nMaxLength = nChars; }
    int getMaxLength() const { return m_nMaxLength; }
    // When not "", only characters found in it may be typed.
    void setAllowedChars(const char* pszChars) { m_sAllowed = pszChars ? pszChars : ""; }
    // Characters found in it may not be typed.
    void setForbiddenChars(const char* pszChars) { m_sForbidden = pszChars ? pszChars : ""; }

    // The trigger reports to the mode (id and parameter kept).
    void onAddedToMode() override;
    // A trigger that reports to the mode reports to nobody.
    void removeFromMode() override;
    // Caret to the end; repaints.
    void onFocusGained() override;
    // Repaints without the caret.
    void onFocusLost() override;
    bool onKeyDown(int nKey, int nModifiers) override;
    bool onChar(int nCharacter) override;
    // The label's picture, and the caret while focused.
    void refresh() override;
    // The label's text width, plus the width of "__" while focused.
    int getTextWidth() override;

    // Whether a code point may ever become part of an edit box's text: not a control character,
    // not a surrogate half, not beyond the Unicode range.
    static bool isTypeable(int nCharacter);

private:
    void init();
    // Removes the character at index nAt (when there is one), then fires.
    void deleteAt(int nAt);
    void fireEdit();

    int m_nCaret = 0;
    int m_nMaxLength = -1;
    RIR::String m_sAllowed;
    RIR::String m_sForbidden;
};

#endif
