#include "ui/togglebutton.h"

#include "ui/buttonstyle.h"

#include "rir2/calltrace.h"

ToggleButton::ToggleButton(const char* pszText, int nId, int nX, int nY, int nZOrder, int nWidth)
    : Button(pszText, nId, nX, nY, nZOrder, nWidth), m_bChecked(false)
{
    RIR_TRACE("ToggleButton::ToggleButton");
}

ToggleButton::ToggleButton(const char* pszText, int nId) : ToggleButton(pszText, nId, 0, 0, 0, -1)
{
}

ToggleButton::~ToggleButton()
{
    RIR_TRACE("ToggleButton::~ToggleButton");
}

void ToggleButton::onMouseEnter()
{
    RIR_TRACE("ToggleButton::onMouseEnter");
    if (!m_bChecked)
        highlight();
}

void ToggleButton::onMouseLeave()
{
    RIR_TRACE("ToggleButton::onMouseLeave");
    if (!m_bChecked)
        setState(BS_NORMAL);
}

bool ToggleButton::onMouseDown(int nButtonMask)
{
    RIR_TRACE("ToggleButton::onMouseDown");
    if (nButtonMask != 1)
        return false;
    RIR::SmartPtr<ToggleButton> pHold(this);
    setChecked(!isChecked());
    if (getMode())
    {
        RIR_TRACE_LINE();
        fire();
    }
    return true;
}

bool ToggleButton::onMouseUp(int /*nButtonMask*/)
{
    RIR_TRACE("ToggleButton::onMouseUp");
    return true;
}

void ToggleButton::setChecked(bool bChecked)
{
    RIR_TRACE("ToggleButton::setChecked");
    m_bChecked = bChecked;
    setState(!isEnabled() ? BS_DISABLED : bChecked ? BS_PRESSED : BS_NORMAL);
}
