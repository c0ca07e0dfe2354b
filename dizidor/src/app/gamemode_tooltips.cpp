// GameMode's tooltips: the records that sprites register, the countdown after the pointer comes
// to rest, the choice of the tooltip under the pointer and its place on the screen.
#include "app/gamemode.h"

#include "app/gameapp.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

#include <cstdint>

namespace
{

// Above every other sprite of the mode.
const int TOOLTIP_Z_ORDER = INT32_MAX;

bool areaContains(const Rect& area, int nX, int nY)
{
    return area.left <= nX && nX < area.right && area.top <= nY && nY < area.bottom;
}

// Keeps a span of nSize starting at fPos inside 0 .. nLimit: a negative start becomes 0, one
// that runs over the end is pulled back.
float clampSpan(float fPos, int nSize, int nLimit)
{
    if (fPos < 0.0f)
        return 0.0f;
    if (fPos + (float)nSize > (float)nLimit)
        return (float)(nLimit - nSize);
    return fPos;
}

} // namespace

TooltipRenderer GameMode::s_pTooltipRenderer = nullptr;

void GameMode::setTooltipRenderer(TooltipRenderer pRenderer)
{
    RIR_TRACE("GameMode::setTooltipRenderer");
    s_pTooltipRenderer = pRenderer;
}

// ---- records -----------------------------------------------------------------------------------

TooltipHandle GameMode::addTooltip(const Rect& area, const char* pszText)
{
    RIR_TRACE("GameMode::addTooltip");
    Tooltip* pTooltip = new Tooltip(area);
    const TooltipHandle hTooltip = m_lTooltips.append(pTooltip);
    RIR::SmartPtr<Sprite> pSprite = new Sprite();
    pTooltip->m_pSprite = pSprite;
    RIR_TRACE_LINE();
    addSprite(pSprite);
    pSprite->setVisible(false);
    pSprite->setZOrder(TOOLTIP_Z_ORDER);
    RIR_TRACE_LINE();
    setTooltipText(hTooltip, pszText);
    return hTooltip;
}

void GameMode::removeTooltip(TooltipHandle hTooltip)
{
    RIR_TRACE("GameMode::removeTooltip");
    RIR_ASSERT(hTooltip);
    Tooltip* pTooltip = hTooltip->m_value;
    RIR_TRACE_LINE();
    removeObject(pTooltip->m_pSprite);
    m_lTooltips.removeNode(hTooltip);
    if (m_pCurrentTooltip == pTooltip)
        m_pCurrentTooltip = nullptr;
    delete pTooltip;
}

void GameMode::setTooltipRect(TooltipHandle hTooltip, const Rect& area)
{
    RIR_TRACE("GameMode::setTooltipRect");
    RIR_ASSERT(hTooltip);
    hTooltip->m_value->m_area = area;
}

void GameMode::setTooltipText(TooltipHandle hTooltip, const char* pszText)
{
    RIR_TRACE("GameMode::setTooltipText");
    RIR_ASSERT(hTooltip);
    Sprite* pSprite = hTooltip->m_value->m_pSprite.get();
    RIR::SmartPtr<Image> pImage;
    if (s_pTooltipRenderer)
    {
        RIR_TRACE_LINE();
        pImage = s_pTooltipRenderer(pszText ? pszText : "", m_sTooltipStyle.c_str());
    }
    // A new picture would show the sprite; the tooltip decides that.
    const bool bVisible = pSprite->isVisible();
    pSprite->setImage(pImage);
    pSprite->setVisible(bVisible);
}

void GameMode::setTooltipEnabled(TooltipHandle hTooltip, bool bEnabled)
{
    RIR_TRACE("GameMode::setTooltipEnabled");
    RIR_ASSERT(hTooltip);
    hTooltip->m_value->m_bEnabled = bEnabled;
}

void GameMode::clearTooltips()
{
    RIR_TRACE("GameMode::clearTooltips");
    m_pCurrentTooltip = nullptr;
    for (int i = 0; i < m_lTooltips.getLength(); ++i)
    {
        RIR_TRACE_LINE();
        removeObject(m_lTooltips.get(i)->m_pSprite);
    }
    m_lTooltips.clearAndDelete();
}

// ---- showing -----------------------------------------------------------------------------------

void GameMode::hideTooltips()
{
    RIR_TRACE("GameMode::hideTooltips");
    for (int i = 0; i < m_lTooltips.getLength(); ++i)
        m_lTooltips.get(i)->m_pSprite->setVisible(false);
}

void GameMode::updateTooltip()
{
    RIR_TRACE("GameMode::updateTooltip");
    int nX = 0;
    int nY = 0;
    if (m_pApp)
        m_pApp->getMousePosition(&nX, &nY);
    hideTooltips();

    if (!m_pCurrentTooltip || !areaContains(m_pCurrentTooltip->m_area, nX, nY))
    {
        m_pCurrentTooltip = nullptr;
        for (int i = 0; i < m_lTooltips.getLength() && !m_pCurrentTooltip; ++i)
        {
            Tooltip* pTooltip = m_lTooltips.get(i);
            if (pTooltip->m_bEnabled && areaContains(pTooltip->m_area, nX, nY))
                m_pCurrentTooltip = pTooltip;
        }
    }
    if (!m_pCurrentTooltip)
        return;

    Sprite* pSprite = m_pCurrentTooltip->m_pSprite.get();
    pSprite->setVisible(true);
    RIR::SmartPtr<Image> pImage = pSprite->getImage();
    const int nWidth = pImage ? pImage->getWidth() : 0;
    const int nHeight = pImage ? pImage->getHeight() : 0;
    int nScreenWidth = 0;
    int nScreenHeight = 0;
    if (m_pApp)
        m_pApp->getScreenSize(&nScreenWidth, &nScreenHeight);
    const float fX = clampSpan((float)nX + m_tooltipOffset.x, nWidth, nScreenWidth);
    const float fY = clampSpan((float)nY + m_tooltipOffset.y, nHeight, nScreenHeight);
    RIR_TRACE_LINE();
    pSprite->setPosPoint(Point(fX, fY));
}

void GameMode::setTooltipDelay(float fSeconds)
{
    RIR_TRACE("GameMode::setTooltipDelay");
    m_fTooltipDelay = fSeconds;
    m_fTooltipCountdown = fSeconds;
}

bool GameMode::handleMouseMove(int nX, int nY)
{
    RIR_TRACE("GameMode::handleMouseMove");
    m_fTooltipCountdown = m_fTooltipDelay;
    if (m_pCurrentTooltip)
    {
        RIR_TRACE_LINE();
        updateTooltip();
    }
    RIR_TRACE_LINE();
    return mouseMove(nX, nY);
}

void GameMode::advanceTooltipTimer(float fDt)
{
    RIR_TRACE("GameMode::advanceTooltipTimer");
    if (m_fTooltipCountdown < 0.0f)
        return;
    m_fTooltipCountdown -= fDt;
    if (m_fTooltipCountdown < 0.0f && !m_pCurrentTooltip)
    {
        RIR_TRACE_LINE();
        updateTooltip();
    }
}
