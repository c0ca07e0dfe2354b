// Button: the push button. Its picture is the theme's composed button image of its caption in its
// style, state and width (Theme::getButtonImage); it tracks the mouse through the four
// ButtonStates, plays its style's sounds and fires its trigger on a left release.
//
// A button that joins a mode without a target reports to that mode, and forgets it again when it
// leaves. A release fires whatever the state was: the application decides which control hears
// the release, and the button does not ask whether the press began on it. A button never takes
// the keyboard focus. Disabling takes it out of its mode's controls (it stays drawn, faded);
// enabling puts it back.
//
// Usage:
//     RIR::SmartPtr<Button> pOk = new Button("OK", ID_OK);
//     pMode->addControl(pOk);            // the mode's onCallback(ID_OK, 0) on a click
//
// Rendering fails as the theme does: "Unknown button style '%s'", or a style without a picture
// for the state. Main thread only.
#ifndef DIZIDOR_UI_BUTTON_H
#define DIZIDOR_UI_BUTTON_H

#include "ui/control.h"

#include "rir2/rirstring.h"

enum ButtonFlags
{
    BF_NO_HOVER_SOUND = 0x100 // no "highlighted" sound when the mouse enters
};

class Button : public Control
{
public:
    // Enabled, at (x, y) with z order z; no target, the id, parameter 0; state normal; style "".
    // Width -1 takes the caption's width.
    Button(const char* pszText, int nId, int nX, int nY, int nZOrder, int nWidth);
    Button(const char* pszText, int nId);
    ~Button() override;

    // Stores the state; re-renders when visible.
    void setState(int nState);
    int getState() const { return m_nState; }
    // Stores the lower-cased style; re-renders when visible.
    void setStyle(const char* pszStyle);
    const RIR::String& getStyle() const { return m_sStyle; }
    // Stores the text and re-renders.
    void setText(const char* pszText);
    const RIR::String& getText() const { return m_sText; }
    void setFlags(int nFlags) { m_nFlags = nFlags; }
    int getFlags() const { return m_nFlags; }
    int getWantedWidth() const { return m_nWidth; }

    // The width becomes the wanted width (the height is not used); re-renders.
    void setSize(int nWidth, int nHeight) override;
    // Shown again inside a mode: the hover tracking runs again and the button re-renders. Hidden:
    // it hears onMouseLeave.
    void setVisible(bool bVisible) override;
    void onMouseEnter() override;
    void onMouseLeave() override;
    bool onMouseDown(int nButtonMask) override;
    bool onMouseUp(int nButtonMask) override;
    // State normal; a trigger without a target reports to the mode.
    void onAddedToMode() override;
    // A trigger that reports to the mode reports to nobody.
    void removeFromMode() override;
    // On a change: into or out of the mode's controls (when in a mode), the flag, state normal
    // or disabled. Always re-renders.
    void setEnabled(bool bEnabled) override;
    // The sprite shows render's picture.
    void refresh() override;
    // The theme's picture for the caption, state, width and style; null without a theme.
    virtual RIR::SmartPtr<Image> render();

protected:
    // The theme's hover sound, unless BF_NO_HOVER_SOUND; then state highlighted.
    void highlight();

private:
    RIR::String m_sText;
    int m_nState;
    int m_nWidth;
    RIR::String m_sStyle;
    int m_nFlags;
};

#endif
