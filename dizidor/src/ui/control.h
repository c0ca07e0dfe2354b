// Control: the base of every interactive widget.
//
// A control is a sprite (it is drawn from its mode's sprite layers and hit-tested by its own
// Sprite::hitTest) that can be enabled or disabled, can take the keyboard focus of its mode,
// restyles itself when the theme changes, and carries a CallbackTrigger naming whom it notifies
// when it fires. Buttons, labels, edit boxes, radio buttons and sliders derive from it.
//
// The focus belongs to the mode (GameMode::setFocus / getFocus): a control takes it with setFocus
// or a left or right click when it is enabled and focusable, and loses it when another control
// takes it, through dropFocus, setFocusable(false) or setEnabled(false), when the mode clears it
// (a click beside every control) or when it leaves the mode. A control that belongs to no mode
// has no focus: setFocus, dropFocus and the focus test then do nothing and answer false.
//
// Usage:
//     RIR::SmartPtr<Control> pBox = new MyEditBox(...);
//     pBox->setFocusable(true);
//     pMode->addControl(pBox);
//     pBox->setFocus();
//
// Create controls with new and hold them through SmartPtr, as every sprite. Main thread only.
#ifndef DIZIDOR_UI_CONTROL_H
#define DIZIDOR_UI_CONTROL_H

#include "gfx/sprite.h"
#include "ui/callbacktrigger.h"

class GameMode;

class Control : public Sprite, public CallbackTrigger
{
public:
    // A sprite at (x, y) with z order z and no image (it stays visible); no callback target;
    // enabled as given; not focusable.
    Control(int nX, int nY, int nZOrder, bool bEnabled);
    ~Control() override;

    // Takes the focus when the control is enabled (isEnabled, as overridden) and focusable and
    // the mask is exactly 1 (left) or exactly 4 (right); then true. Anything else: false, and
    // nothing changes.
    bool onMouseDown(int nButtonMask) override;

    // After a theme change: refresh.
    virtual void onThemeChanged();
    // Stores the flag; disabling the control that has the focus leaves its mode without a focus
    // control. Enabling never takes the focus.
    virtual void setEnabled(bool bEnabled);
    virtual bool isEnabled();
    // Rebuilds the control's look; nothing here.
    virtual void refresh();

    bool isFocusable() const { return m_bFocusable; }
    // Stores the flag; false also drops the focus (dropFocus).
    void setFocusable(bool bFocusable);
    // Asks the owning mode to give this control the keyboard focus.
    void setFocus();
    // Sets the owning mode's focus to none, whichever control holds it.
    void dropFocus();
    // Whether the owning mode's focus control is this control.
    bool hasFocus() const;
    // The owning mode as a screen mode; null when the control is in no mode.
    GameMode* getOwningMode() const;

private:
    bool m_bEnabled;
    bool m_bFocusable;
};

#endif
