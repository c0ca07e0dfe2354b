#include "ui/control.h"

#include "app/gamemode.h"

#include "rir2/calltrace.h"

Control::Control(int nX, int nY, int nZOrder, bool bEnabled)
    : Sprite(nX, nY, nZOrder), m_bEnabled(bEnabled), m_bFocusable(false)
{
    RIR_TRACE("Control::Control");
    setFocusable(false);
}

Control::~Control()
{
    RIR_TRACE("Control::~Control");
}

bool Control::onMouseDown(int nButtonMask)
{
    RIR_TRACE("Control::onMouseDown");
    if (!isEnabled() || !m_bFocusable || (nButtonMask != 1 && nButtonMask != 4))
        return false;
    RIR_TRACE_LINE();
    setFocus();
    return true;
}

void Control::onThemeChanged()
{
    RIR_TRACE("Control::onThemeChanged");
    refresh();
}

void Control::setEnabled(bool bEnabled)
{
    RIR_TRACE("Control::setEnabled");
    m_bEnabled = bEnabled;
    if (!bEnabled && hasFocus())
    {
        RIR_TRACE_LINE();
        getOwningMode()->setFocus(nullptr);
    }
}

bool Control::isEnabled()
{
    return m_bEnabled;
}

void Control::refresh()
{
    RIR_TRACE("Control::refresh");
}

void Control::setFocusable(bool bFocusable)
{
    RIR_TRACE("Control::setFocusable");
    m_bFocusable = bFocusable;
    if (!bFocusable)
    {
        RIR_TRACE_LINE();
        dropFocus();
    }
}

void Control::setFocus()
{
    RIR_TRACE("Control::setFocus");
    GameMode* pMode = getOwningMode();
    if (!pMode)
        return;
    RIR_TRACE_LINE();
    pMode->setFocus(RIR::SmartPtr<Control>(this));
}

void Control::dropFocus()
{
    RIR_TRACE("Control::dropFocus");
    GameMode* pMode = getOwningMode();
    if (!pMode)
        return;
    RIR_TRACE_LINE();
    pMode->setFocus(nullptr);
}

bool Control::hasFocus() const
{
    RIR_TRACE("Control::hasFocus");
    GameMode* pMode = getOwningMode();
    return pMode && pMode->getFocus() == this;
}

GameMode* Control::getOwningMode() const
{
    // The owner of a control is always a screen mode; anything else (a stand-in owner of a test)
    // has no focus to give.
    return dynamic_cast<GameMode*>(getMode());
}
