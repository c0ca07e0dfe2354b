#include "ui/button.h"

#include "app/gameapp.h"
#include "app/gamemode.h"
#include "ui/theme.h"

#include "rir2/calltrace.h"

Button::Button(const char* pszText, int nId, int nX, int nY, int nZOrder, int nWidth)
    : Control(nX, nY, nZOrder, true), m_sText(pszText), m_nState(BS_NORMAL), m_nWidth(nWidth),
      m_nFlags(0)
{
    RIR_TRACE("Button::Button");
    set(nullptr, nId, 0);
}

Button::Button(const char* pszText, int nId) : Button(pszText, nId, 0, 0, 0, -1) {}

Button::~Button()
{
    RIR_TRACE("Button::~Button");
}

void Button::setState(int nState)
{
    RIR_TRACE("Button::setState");
    m_nState = nState;
    if (isVisible())
        refresh();
}

void Button::setStyle(const char* pszStyle)
{
    RIR_TRACE("Button::setStyle");
    m_sStyle = RIR::String(pszStyle).toLower();
    if (isVisible())
        refresh();
}

void Button::setText(const char* pszText)
{
    RIR_TRACE("Button::setText");
    m_sText = pszText;
    refresh();
}

void Button::setSize(int nWidth, int nHeight)
{
    RIR_TRACE("Button::setSize");
    Control::setSize(nWidth, nHeight);
    m_nWidth = nWidth;
    refresh();
}

void Button::setVisible(bool bVisible)
{
    RIR_TRACE("Button::setVisible");
    const bool bWasVisible = isVisible();
    Control::setVisible(bVisible);
    if (bVisible && !bWasVisible && getMode())
    {
        GameApp* pApp = GameApp::getInstance();
        if (pApp)
            pApp->refreshHover();
        refresh();
    }
    else if (!bVisible)
    {
        onMouseLeave();
    }
}

void Button::highlight()
{
    RIR_TRACE("Button::highlight");
    if (!(m_nFlags & BF_NO_HOVER_SOUND))
    {
        GameApp* pApp = GameApp::getInstance();
        RIR::SmartPtr<Theme> pTheme = pApp ? pApp->getTheme() : RIR::SmartPtr<Theme>();
        if (pTheme)
            pTheme->playHighlightedSound(m_sStyle.c_str());
    }
    setState(BS_HIGHLIGHTED);
}

void Button::onMouseEnter()
{
    RIR_TRACE("Button::onMouseEnter");
    if (!isEnabled())
        return;
    GameApp* pApp = GameApp::getInstance();
    if (pApp && pApp->isMouseButtonDown(1))
        setState(BS_PRESSED);
    else
        highlight();
}

void Button::onMouseLeave()
{
    RIR_TRACE("Button::onMouseLeave");
    if (isEnabled())
        setState(BS_NORMAL);
}

bool Button::onMouseDown(int nButtonMask)
{
    RIR_TRACE("Button::onMouseDown");
    if (nButtonMask != 1 || !isEnabled())
        return false;
    setState(BS_PRESSED);
    return true;
}

bool Button::onMouseUp(int nButtonMask)
{
    RIR_TRACE("Button::onMouseUp");
    if (nButtonMask != 1 || !isEnabled())
        return false;
    // Hold the button: the callback may take it out of its mode.
    RIR::SmartPtr<Button> pHold(this);
    setState(BS_HIGHLIGHTED);
    GameApp* pApp = GameApp::getInstance();
    RIR::SmartPtr<Theme> pTheme = pApp ? pApp->getTheme() : RIR::SmartPtr<Theme>();
    if (pTheme)
        pTheme->playClickedSound(m_sStyle.c_str());
    RIR_TRACE_LINE();
    fire();
    return true;
}

void Button::onAddedToMode()
{
    RIR_TRACE("Button::onAddedToMode");
    Control::onAddedToMode();
    setState(BS_NORMAL);
    if (!getTarget())
        setTarget(getOwningMode());
}

void Button::removeFromMode()
{
    RIR_TRACE("Button::removeFromMode");
    GameMode* pMode = getOwningMode();
    if (pMode && getTarget() == pMode)
        setTarget(nullptr);
    Control::removeFromMode();
}

void Button::setEnabled(bool bEnabled)
{
    RIR_TRACE("Button::setEnabled");
    if (bEnabled != isEnabled())
    {
        RIR::SmartPtr<Button> pHold(this);
        // A button in no mode has no control list to join or leave.
        GameMode* pMode = getOwningMode();
        if (pMode)
        {
            RIR_TRACE_LINE();
            if (bEnabled)
                pMode->addControl(RIR::SmartPtr<Control>(this));
            else
                pMode->removeControl(RIR::SmartPtr<Control>(this));
        }
        Control::setEnabled(bEnabled);
        setState(bEnabled ? BS_NORMAL : BS_DISABLED);
    }
    refresh();
}

void Button::refresh()
{
    RIR_TRACE("Button::refresh");
    setImage(render());
}

RIR::SmartPtr<Image> Button::render()
{
    RIR_TRACE("Button::render");
    GameApp* pApp = GameApp::getInstance();
    RIR::SmartPtr<Theme> pTheme = pApp ? pApp->getTheme() : RIR::SmartPtr<Theme>();
    if (!pTheme)
        return RIR::SmartPtr<Image>();
    return pTheme->getButtonImage(m_sText.c_str(), m_nState, m_nWidth, m_sStyle.c_str());
}
