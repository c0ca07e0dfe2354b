#include "ui/radiocustombutton.h"

#include "rir2/calltrace.h"

RadioCustomButton::RadioCustomButton(ToggleButton* pLinked, int nId, RIR::SmartPtr<Image> pNormal,
                                     RIR::SmartPtr<Image> pPushed, RIR::SmartPtr<Image> pHighlight,
                                     RIR::SmartPtr<Image> pDisabled)
    : CustomToggleButton(nId, pNormal, pPushed, pHighlight, pDisabled), m_pLinked(pLinked)
{
    RIR_TRACE("RadioCustomButton::RadioCustomButton");
    if (m_pLinked)
        ToggleButton::setChecked(m_pLinked->isChecked());
}

RadioCustomButton::~RadioCustomButton()
{
    RIR_TRACE("RadioCustomButton::~RadioCustomButton");
    RadioCustomButton* pPartner = dynamic_cast<RadioCustomButton*>(m_pLinked);
    if (pPartner && pPartner->m_pLinked == this)
        pPartner->m_pLinked = nullptr;
}

void RadioCustomButton::setChecked(bool bChecked)
{
    RIR_TRACE("RadioCustomButton::setChecked");
    ToggleButton::setChecked(bChecked);
    if (m_pLinked && m_pLinked->isChecked() != bChecked)
    {
        RIR_TRACE_LINE();
        m_pLinked->ToggleButton::setChecked(bChecked);
    }
}
