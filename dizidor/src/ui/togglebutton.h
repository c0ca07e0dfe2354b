// ToggleButton: a Button with a checked flag that flips on every left press. It shows pressed
// while checked, fires on the press (when in a mode), plays no click sound, and leaves a checked
// button's look alone on hover and leave. Its mouse handlers do not ask whether it is enabled: a
// disabled toggle is out of its mode's controls and hears no input.
#ifndef DIZIDOR_UI_TOGGLEBUTTON_H
#define DIZIDOR_UI_TOGGLEBUTTON_H

#include "ui/button.h"

class ToggleButton : public Button
{
public:
    // Unchecked; otherwise as Button.
    ToggleButton(const char* pszText, int nId, int nX, int nY, int nZOrder, int nWidth);
    ToggleButton(const char* pszText, int nId);
    ~ToggleButton() override;

    void onMouseEnter() override;
    void onMouseLeave() override;
    // Left: flips the flag (through setChecked), then fires when in a mode; handled. Others: not
    // handled.
    bool onMouseDown(int nButtonMask) override;
    // Handled; nothing happens.
    bool onMouseUp(int nButtonMask) override;

    bool isChecked() const { return m_bChecked; }
    // Stores the flag; state disabled when not enabled, else pressed when checked, normal when
    // not.
    virtual void setChecked(bool bChecked);

private:
    bool m_bChecked;
};

#endif
