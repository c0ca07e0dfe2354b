#include "ui/custombutton.h"

#include "app/gameapp.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

namespace
{

GameApp* app()
{
    GameApp* pApp = GameApp::getInstance();
    RIR_ASSERT(pApp);
    return pApp;
}

RIR::SmartPtr<Image> imageOf(const char* pszName)
{
    return app()->getImage(pszName);
}

} // namespace

// ---- CustomButton ------------------------------------------------------------------------------

CustomButton::CustomButton(int nId, RIR::SmartPtr<Image> pNormal, RIR::SmartPtr<Image> pPushed,
                           RIR::SmartPtr<Image> pHighlight, RIR::SmartPtr<Image> pDisabled)
    : Button("", nId)
{
    RIR_TRACE("CustomButton::CustomButton");
    setImages(pNormal, pPushed, pHighlight, pDisabled);
}

CustomButton::CustomButton(int nId, const char* pszNormal, const char* pszPushed,
                           const char* pszHighlight, const char* pszDisabled)
    : CustomButton(nId, imageOf(pszNormal), imageOf(pszPushed), imageOf(pszHighlight),
                   imageOf(pszDisabled))
{
}

CustomButton::CustomButton(int nId, const char* pszPrefix) : Button("", nId)
{
    RIR_TRACE("CustomButton::CustomButton");
    RIR::String asNames[BS_COUNT];
    findImageNames(pszPrefix, asNames);
    setImages(imageOf(asNames[0].c_str()), imageOf(asNames[1].c_str()), imageOf(asNames[2].c_str()),
              imageOf(asNames[3].c_str()));
}

CustomButton::~CustomButton()
{
    RIR_TRACE("CustomButton::~CustomButton");
}

void CustomButton::findImageNames(const char* pszPrefix, RIR::String asNames[BS_COUNT])
{
    RIR_TRACE("CustomButton::findImageNames");
    static const char* const s_aapszWords[BS_COUNT][5] = {
        {"", "up", "normal", nullptr},
        {"dn", "down", "pressed", "pushed", nullptr},
        {"o", "high", "highlighted", "highlight", nullptr},
        {"grey", "gray", "disabled", nullptr}};
    static const char* const s_apszSeparators[] = {"_", ""};
    const RIR::String sPrefix(pszPrefix);
    GameApp* pApp = app();
    for (int nState = 0; nState < BS_COUNT; ++nState)
    {
        RIR::String sFound;
        bool bFound = false;
        for (int w = 0; !bFound && s_aapszWords[nState][w]; ++w)
            for (int s = 0; !bFound && s < 2; ++s)
            {
                const RIR::String sName = sPrefix + s_apszSeparators[s] + s_aapszWords[nState][w];
                if (pApp->canLoadImage(sName.c_str()))
                {
                    sFound = sName;
                    bFound = true;
                }
            }
        if (!bFound)
            sFound = nState == BS_NORMAL ? sPrefix + "normal" : asNames[BS_NORMAL];
        asNames[nState] = sFound;
    }
}

void CustomButton::setImages(RIR::SmartPtr<Image> pNormal, RIR::SmartPtr<Image> pPushed,
                             RIR::SmartPtr<Image> pHighlight, RIR::SmartPtr<Image> pDisabled)
{
    RIR_TRACE("CustomButton::setImages");
    m_pStateImage[BS_NORMAL] = pNormal;
    m_pStateImage[BS_PRESSED] = pPushed;
    m_pStateImage[BS_HIGHLIGHTED] = pHighlight;
    m_pStateImage[BS_DISABLED] = pDisabled;
    refresh();
}

RIR::SmartPtr<Image> CustomButton::render()
{
    const int nState = getState();
    return nState >= 0 && nState < BS_COUNT ? m_pStateImage[nState] : RIR::SmartPtr<Image>();
}
