// GameApp: the current theme, loading a theme file, and the cursor and tooltips it brings.
#include "app/gameapp.h"

#include "app/gamemode.h"
#include "app/iplatform.h"
#include "ui/control.h"
#include "ui/framepanelbuilder.h"
#include "ui/theme.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

namespace
{

// The tooltips of every mode are button pictures of the current theme: the text in the mode's
// tooltip style, state normal, natural width. Without a theme, or in a theme without that style,
// a tooltip has no picture.
RIR::SmartPtr<Image> drawTooltip(const char* pszText, const char* pszStyle)
{
    RIR_TRACE("drawTooltip");
    GameApp* pApp = GameApp::getInstance();
    RIR::SmartPtr<Theme> pTheme = pApp ? pApp->getTheme() : RIR::SmartPtr<Theme>();
    if (!pTheme || !pTheme->hasButtonStyle(pszStyle))
        return RIR::SmartPtr<Image>();
    RIR_TRACE_LINE();
    return pTheme->getButtonImage(pszText, BS_NORMAL, -1, pszStyle);
}

} // namespace

void GameApp::installDefaultTheme()
{
    RIR_TRACE("GameApp::installDefaultTheme");
    GameMode::setTooltipRenderer(drawTooltip);
    // A theme is made of pictures: a platform that makes none (a test's) gets no theme.
    if (!getPlatform() || !getPlatform()->getImageFactory())
        return;
    setTheme(new Theme());
}

RIR::SmartPtr<Theme> GameApp::getTheme()
{
    return m_pTheme;
}

void GameApp::setTheme(RIR::SmartPtr<Theme> pTheme)
{
    RIR_TRACE("GameApp::setTheme");
    m_pTheme = pTheme;
    // The current theme frames every table that has no frame builder of its own.
    IFramePanelBuilder::install(m_pTheme.get());
    RIR_TRACE_LINE();
    setCursorImage(m_pTheme ? m_pTheme->getDefaultCursor() : RIR::SmartPtr<Image>());
}

void GameApp::loadTheme(const char* pszPath)
{
    RIR_TRACE("GameApp::loadTheme");
    RIR::setTraceParams(pszPath);
    // A failing load throws before anything here changes: the current theme stays.
    RIR::SmartPtr<Theme> pTheme = new Theme();
    pTheme->load(pszPath);
    setTheme(pTheme);

    // Restyling may reorder, add or remove sprites: the walk runs over copies of the stack and of
    // each mode's sprites. Every control among a mode's sprites is told, so that disabled
    // buttons (out of the control layers) and labels restyle as well.
    const RIR::List<GameMode*> lModes = m_lModes;
    for (int i = 0; i < lModes.getLength(); ++i)
    {
        const RIR::List<RIR::SmartPtr<Sprite>> lSprites = lModes.get(i)->getSprites();
        for (int j = 0; j < lSprites.getLength(); ++j)
        {
            Control* pControl = dynamic_cast<Control*>(lSprites.get(j).get());
            if (!pControl)
                continue;
            RIR::SmartPtr<Control> pHold(pControl);
            RIR_TRACE_LINE();
            pControl->onThemeChanged();
        }
    }
}
