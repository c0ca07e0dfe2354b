#include "platform/sdl/modechoice.h"

#include "app/ivideodriver.h"
#include "app/log.h"
#include "app/videoflags.h"

#include "rir2/calltrace.h"
#include "rir2/list_impl.h"

#include <cmath>

namespace
{

// 4:3, the logical screen's own aspect: anything wider is a wide desktop.
const float FOUR_BY_THREE = 1.3333334f;

} // namespace

ModeChoice::ModeChoice(int nWidth, int nHeight, int nFlags, float fScale)
    : m_nWidth(nWidth), m_nHeight(nHeight), m_nFlags(nFlags),
      m_nPhysWidth((int32_t)((float)nWidth * fScale)),
      m_nPhysHeight((int32_t)((float)nHeight * fScale)),
      m_nDepth(IVideoDriver::bppFromFlags(nFlags)), m_fAspect(0.0f), m_bWide(false), m_nPassCount(0)
{
    RIR_TRACE("ModeChoice::ModeChoice");
    m_abPassFullscreen[0] = false;
    m_abPassFullscreen[1] = false;
    setDesktop(Point(0.0f, 0.0f));
}

bool ModeChoice::isFullscreenRequest() const
{
    return (m_nFlags & VF_FULLSCREEN) != 0;
}

void ModeChoice::setDesktop(const Point& ptDesktop)
{
    RIR_TRACE("ModeChoice::setDesktop");
    m_ptDesktop = ptDesktop;
    if (m_ptDesktop.x == 0.0f || m_ptDesktop.y == 0.0f)
        m_ptDesktop = Point((float)(2 * m_nWidth), (float)(2 * m_nHeight));
    m_fAspect = m_ptDesktop.y != 0.0f ? m_ptDesktop.x / m_ptDesktop.y : 0.0f;
    m_bWide = m_fAspect > FOUR_BY_THREE;
    choosePasses();
}

void ModeChoice::logDesktop() const
{
    RIR_TRACE("ModeChoice::logDesktop");
    logPrintf("V: Desktop res %d x %d, aspect %.3lf, wide = %d\n", (int)m_ptDesktop.x,
              (int)m_ptDesktop.y, (double)m_fAspect, m_bWide ? 1 : 0);
}

void ModeChoice::setListedModes(const RIR::List<Point>& lModes)
{
    RIR_TRACE("ModeChoice::setListedModes");
    m_lListed = lModes;
}

RIR::List<Point> ModeChoice::getFullscreenCandidates() const
{
    RIR_TRACE("ModeChoice::getFullscreenCandidates");
    RIR::List<Point> lCandidates;
    for (int i = 0; i < m_lListed.getLength(); ++i)
    {
        Point ptMode = m_lListed.get(i);
        if ((int)ptMode.y >= m_nPhysHeight)
            lCandidates.append(ptMode);
    }
    lCandidates.append(Point((float)m_nPhysWidth, (float)m_nPhysHeight));
    float fTarget = std::trunc(m_fAspect * 1000.0f) / 1000.0f;
    lCandidates.sort(&ModeChoice::compareModes, &fTarget);
    return lCandidates;
}

void ModeChoice::choosePasses()
{
    RIR_TRACE("ModeChoice::choosePasses");
    bool bWindowFits = m_ptDesktop.x > (float)m_nPhysWidth && m_ptDesktop.y > (float)m_nPhysHeight;
    m_nPassCount = 0;
    if (isFullscreenRequest())
    {
        m_abPassFullscreen[m_nPassCount++] = true;
        if (bWindowFits)
            m_abPassFullscreen[m_nPassCount++] = false;
    }
    else
    {
        if (bWindowFits)
            m_abPassFullscreen[m_nPassCount++] = false;
        m_abPassFullscreen[m_nPassCount++] = true;
    }
}

bool ModeChoice::isFullscreenPass(int nPass) const
{
    RIR_TRACE("ModeChoice::isFullscreenPass");
    RIR_ASSERT(nPass >= 0 && nPass < m_nPassCount);
    return m_abPassFullscreen[nPass];
}

RIR::List<Point> ModeChoice::getPassCandidates(int nPass) const
{
    RIR_TRACE("ModeChoice::getPassCandidates");
    if (isFullscreenPass(nPass) && m_bWide)
        return getFullscreenCandidates();
    RIR::List<Point> lOne;
    lOne.append(Point((float)m_nPhysWidth, (float)m_nPhysHeight));
    return lOne;
}

void ModeChoice::getDepthOrder(int nDepth, int* panDepths)
{
    RIR_TRACE("ModeChoice::getDepthOrder");
    static const int s_an16[DEPTH_COUNT] = {16, 24, 32, 0};
    static const int s_an24[DEPTH_COUNT] = {24, 32, 16, 0};
    static const int s_an32[DEPTH_COUNT] = {32, 24, 16, 0};
    const int* pnOrder = nDepth == 16 ? s_an16 : (nDepth == 24 ? s_an24 : s_an32);
    for (int i = 0; i < DEPTH_COUNT; ++i)
        panDepths[i] = pnOrder[i];
}

bool ModeChoice::compareModes(Point a, Point b, void* pContext)
{
    RIR_TRACE("ModeChoice::compareModes");
    float fTarget = *(const float*)pContext;
    float fDistA = std::fabs(a.x / a.y - fTarget);
    float fDistB = std::fabs(b.x / b.y - fTarget);
    if (fDistA != fDistB)
        return fDistA < fDistB;
    return a.y < b.y;
}

void ModeChoice::getLetterbox(int nWidth, int nHeight, int nPhysWidth, int nPhysHeight,
                              float* pfScaleY, int* pnScaledWidth, int* pnOffsetX)
{
    RIR_TRACE("ModeChoice::getLetterbox");
    float fScaleY = nPhysHeight != 0 ? (float)nHeight / (float)nPhysHeight : 1.0f;
    int nScaledWidth = (int)((float)nPhysWidth * fScaleY);
    *pfScaleY = fScaleY;
    *pnScaledWidth = nScaledWidth;
    *pnOffsetX = (nScaledWidth - nWidth) / 2;
}
