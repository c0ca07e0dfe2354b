// RadioButton: one option of a choice, a one-row Table of two linked halves
// (ui/radiocustombutton.h): the radio mark (the theme's unchecked and checked pictures) and the
// option's text (or picture), both clickable and always showing the same state.
//
// A click on either half toggles both and fires the clicked half's trigger once; both halves
// carry the option's id and report to the mode, so the mode hears the same callback whichever
// half was clicked. Keeping one option of a group checked is the dialog's work: on the callback
// it calls RadioGroup::select (ui/radiogroup.h) with the chosen id.
//
// The text is a string-table key (its text is shown) or a plain text (shown as given); when it
// names a picture the application can load, the picture is shown instead and no text is kept.
// A parent table never stretches a radio button (setSize does nothing).
//
// Usage:
//     RIR::SmartPtr<RadioButton> pEasy = new RadioButton(pMode, "Easy", ID_EASY);
//     pTable->add(pEasy, 0x21);
//
// The halves join the mode as controls when the option is built and stay there until the table's
// removal operations take them out. Main thread only.
#ifndef DIZIDOR_UI_RADIOBUTTON_H
#define DIZIDOR_UI_RADIOBUTTON_H

#include "gfx/font.h"
#include "ui/radiocustombutton.h"
#include "ui/table.h"

#include "rir2/rirstring.h"

class RadioButton : public Table
{
public:
    // The mark's pictures as given: unchecked, then checked.
    RadioButton(GameMode* pMode, RIR::SmartPtr<Image> pUnchecked, RIR::SmartPtr<Image> pChecked,
                const char* pszText, int nId);
    // The mark's pictures from the current theme (Theme::getRadioButtonImages).
    RadioButton(GameMode* pMode, const char* pszText, int nId);
    ~RadioButton() override;

    // Renders the text with a Label (in the option's font, when one is set) and shows it as the
    // text half's four pictures.
    void setText(const char* pszText);
    const RIR::String& getText() const { return m_sText; }
    // Stores the font (null: the label's default) and renders the text again.
    void setFont(RIR::SmartPtr<Font> pFont);
    RIR::SmartPtr<Font> getFont() const { return m_pFont; }

    bool isChecked() const;
    // Both halves.
    void setChecked(bool bChecked);
    // The state half's trigger id.
    int getCallbackId() const;
    // A new id on both halves' triggers.
    void setCallbackId(int nId);

    // Nothing: the option keeps its natural size.
    void setSize(int nWidth, int nHeight) override;

    RIR::SmartPtr<RadioCustomButton> getStateButton() const { return m_pStateButton; }
    RIR::SmartPtr<RadioCustomButton> getTextButton() const { return m_pTextButton; }

private:
    void init(RIR::SmartPtr<Image> pUnchecked, RIR::SmartPtr<Image> pChecked, const char* pszText,
              int nId);

    RIR::SmartPtr<RadioCustomButton> m_pStateButton;
    RIR::SmartPtr<RadioCustomButton> m_pTextButton;
    RIR::SmartPtr<Font> m_pFont;
    RIR::String m_sText;
};

#endif
