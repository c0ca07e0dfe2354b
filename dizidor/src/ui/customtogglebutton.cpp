#include "ui/customtogglebutton.h"

#include "app/gameapp.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

namespace
{

RIR::SmartPtr<Image> imageOf(const char* pszName)
{
    GameApp* pApp = GameApp::getInstance();
    RIR_ASSERT(pApp);
    return pApp->getImage(pszName);
}

} // namespace

// ---- CustomToggleButton ------------------------------------------------------------------------

CustomToggleButton::CustomToggleButton(int nId, RIR::SmartPtr<Image> pNormal,
                                       RIR::SmartPtr<Image> pPushed,
                                       RIR::SmartPtr<Image> pHighlight,
                                       RIR::SmartPtr<Image> pDisabled)
    : ToggleButton("", nId)
{
    RIR_TRACE("CustomToggleButton::CustomToggleButton");
    setImages(pNormal, pPushed, pHighlight, pDisabled);
}

CustomToggleButton::CustomToggleButton(int nId, const char* pszNormal, const char* pszPushed,
                                       const char* pszHighlight, const char* pszDisabled)
    : CustomToggleButton(nId, imageOf(pszNormal), imageOf(pszPushed), imageOf(pszHighlight),
                         imageOf(pszDisabled))
{
}

CustomToggleButton::CustomToggleButton(int nId, const char* pszPrefix) : ToggleButton("", nId)
{
    RIR_TRACE("CustomToggleButton::CustomToggleButton");
    RIR::String asNames[BS_COUNT];
    findImageNames(pszPrefix, asNames);
    setImages(imageOf(asNames[0].c_str()), imageOf(asNames[1].c_str()), imageOf(asNames[2].c_str()),
              imageOf(asNames[3].c_str()));
}

CustomToggleButton::~CustomToggleButton()
{
    RIR_TRACE("CustomToggleButton::~CustomToggleButton");
}

void CustomToggleButton::findImageNames(const char* pszPrefix, RIR::String asNames[BS_COUNT])
{
    RIR_TRACE("CustomToggleButton::findImageNames");
    static const char* const s_apszWords[BS_COUNT] = {"normal", "pushed", "highlight", "disabled"};
    const RIR::String sPrefix(pszPrefix);
    GameApp* pApp = GameApp::getInstance();
    RIR_ASSERT(pApp);
    for (int nState = 0; nState < BS_COUNT; ++nState)
    {
        const RIR::String sName = sPrefix + s_apszWords[nState];
        asNames[nState] =
            nState == BS_NORMAL || pApp->canLoadImage(sName.c_str()) ? sName : asNames[BS_NORMAL];
    }
}

void CustomToggleButton::setImages(RIR::SmartPtr<Image> pNormal, RIR::SmartPtr<Image> pPushed,
                                   RIR::SmartPtr<Image> pHighlight, RIR::SmartPtr<Image> pDisabled)
{
    RIR_TRACE("CustomToggleButton::setImages");
    m_pStateImage[BS_NORMAL] = pNormal;
    m_pStateImage[BS_PRESSED] = pPushed;
    m_pStateImage[BS_HIGHLIGHTED] = pHighlight;
    m_pStateImage[BS_DISABLED] = pDisabled;
    refresh();
}

RIR::SmartPtr<Image> CustomToggleButton::render()
{
    const int nState = getState();
    return nState >= 0 && nState < BS_COUNT ? m_pStateImage[nState] : RIR::SmartPtr<Image>();
}
