// Progress-bar and picture-swap controllers.
#include "gfx/scimage.h"

#include "gfx/imageenv.h"
#include "gfx/rect.h"
#include "gfx/sprite.h"
#include "rir2/calltrace.h"
#include "rir2/exception.h"

namespace
{

// The whole rows of a count, truncated toward zero and held within +-1e9 (far beyond any picture),
// so that a runaway count (a negative rate running for ever, an infinite rate) stays defined and
// h - rows cannot overflow; nan counts as 0.
int wholeRows(float f)
{
    RIR_TRACE("wholeRows");
    const float fLimit = 1.0e9f;
    if (f != f)
        return 0;
    if (f > fLimit)
        return (int)fLimit;
    if (f < -fLimit)
        return -(int)fLimit;
    return (int)f;
}

} // namespace

// ---- SCVerticalProgress ------------------------------------------------------------------------

SCVerticalProgress::SCVerticalProgress(int nTarget, float fRate, const char* pszImageName)
    : m_fCurrent(0.0f), m_nTarget(nTarget), m_fRate(fRate)
{
    RIR_TRACE("SCVerticalProgress::SCVerticalProgress");
    RIR_ASSERT(pszImageName);
    RIR::setTraceParams(pszImageName);
    RIR_TRACE_LINE();
    m_pImage = getImageEnvironment()->getImage(pszImageName);
}

SCVerticalProgress::~SCVerticalProgress()
{
    RIR_TRACE("SCVerticalProgress::~SCVerticalProgress");
}

void SCVerticalProgress::setTarget(int nTarget)
{
    RIR_TRACE("SCVerticalProgress::setTarget");
    m_nTarget = nTarget;
}

bool SCVerticalProgress::update(float fDt, RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCVerticalProgress::update");
    const int nBefore = wholeRows(m_fCurrent);
    m_fCurrent = m_fRate * fDt + m_fCurrent;
    if ((float)m_nTarget < m_fCurrent)
        m_fCurrent = (float)m_nTarget;
    const int nRows = wholeRows(m_fCurrent);
    if (nRows != nBefore)
    {
        const int w = m_pImage->getWidth();
        const int h = m_pImage->getHeight();
        Rect r;
        r.set(0, h - nRows, w, h, true);
        RIR::SmartPtr<Image> pRows = m_pImage->createSubImage(r, false);
        pRows->setInsPoint(0, nRows - h);
        pSprite->setImage(pRows);
    }
    return m_fCurrent == (float)m_nTarget;
}

// ---- SCReplaceImage ----------------------------------------------------------------------------

SCReplaceImage::SCReplaceImage(const char* pszName) : m_sName(pszName ? pszName : "")
{
    RIR_TRACE("SCReplaceImage::SCReplaceImage");
    RIR_ASSERT(pszName);
}

SCReplaceImage::SCReplaceImage(RIR::SmartPtr<Image> pImage) : m_pImage(pImage)
{
    RIR_TRACE("SCReplaceImage::SCReplaceImage");
}

SCReplaceImage::~SCReplaceImage()
{
    RIR_TRACE("SCReplaceImage::~SCReplaceImage");
}

bool SCReplaceImage::apply(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCReplaceImage::apply");
    if (m_pImage)
        pSprite->setImage(m_pImage);
    else
        pSprite->setImage(m_sName.c_str());
    return true;
}

RIR::SmartPtr<Image> SCReplaceImage::getImage()
{
    return m_pImage;
}
