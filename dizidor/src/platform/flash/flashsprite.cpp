// The Flash movie sprite (see flashsprite.h).
#include "platform/flash/flashsprite.h"

#include "platform/flash/flashwnd.h"

#include "rir2/calltrace.h"

#include <memory>

namespace
{
const char* const ROOT = "/";
}

FlashSprite::FlashSprite(const char* pszMovieName, int nX, int nY, int nZ, bool bTransparent)
    : Sprite(nX, nY, nZ), m_pFlashWnd(nullptr), m_bResizePending(false), m_fWindowScale(1.0f),
      m_nLastFrame(-1), m_nLoopCount(0)
{
    RIR_TRACE("FlashSprite::FlashSprite");
    std::unique_ptr<CFlashWnd> pWnd(new CFlashWnd());
    if (pWnd->create(pszMovieName, bTransparent))
        m_pFlashWnd = pWnd.release();
    m_bResizePending = false;
}

FlashSprite::~FlashSprite()
{
    delete m_pFlashWnd;
}

bool FlashSprite::isAvailable()
{
    return true;
}

bool FlashSprite::isPlaying()
{
    RIR_TRACE("FlashSprite::isPlaying");
    return m_pFlashWnd && m_pFlashWnd->getControl()->isPlaying();
}

void FlashSprite::play()
{
    RIR_TRACE("FlashSprite::play");
    if (m_pFlashWnd)
        m_pFlashWnd->getControl()->play();
}

void FlashSprite::stop()
{
    RIR_TRACE("FlashSprite::stop");
    if (m_pFlashWnd)
        m_pFlashWnd->getControl()->stopPlay();
}

void FlashSprite::rewind()
{
    RIR_TRACE("FlashSprite::rewind");
    if (m_pFlashWnd)
        m_pFlashWnd->getControl()->rewind();
}

void FlashSprite::gotoFrame(int nFrame)
{
    RIR_TRACE("FlashSprite::gotoFrame");
    if (m_pFlashWnd)
        m_pFlashWnd->getControl()->gotoFrame(nFrame);
}

void FlashSprite::setScale(float fScale)
{
    m_fWindowScale = fScale;
    m_bResizePending = true;
}

Point FlashSprite::getMovieSize()
{
    RIR_TRACE("FlashSprite::getMovieSize");
    if (!m_pFlashWnd)
        return Point(0.0f, 0.0f);
    int nWidth = 0;
    int nHeight = 0;
    m_pFlashWnd->getMovieSize(&nWidth, &nHeight);
    return Point((float)nWidth, (float)nHeight);
}

int FlashSprite::getCurrentFrame()
{
    RIR_TRACE("FlashSprite::getCurrentFrame");
    return m_pFlashWnd ? m_pFlashWnd->getControl()->currentFrame(ROOT) : 0;
}

int FlashSprite::getTotalFrames()
{
    RIR_TRACE("FlashSprite::getTotalFrames");
    return m_pFlashWnd ? (int)m_pFlashWnd->getControl()->getPropertyAsNumber(
                             ROOT, FlashControl::PROPERTY_TOTAL_FRAMES)
                       : 0;
}

bool FlashSprite::gotoLabel(const char* pszLabel)
{
    RIR_TRACE("FlashSprite::gotoLabel");
    if (!m_pFlashWnd)
        return false;
    m_pFlashWnd->getControl()->gotoLabel(ROOT, pszLabel);
    return m_pFlashWnd->getControl()->currentLabel(ROOT) == pszLabel;
}

RIR::String FlashSprite::getCurrentLabel()
{
    RIR_TRACE("FlashSprite::getCurrentLabel");
    return m_pFlashWnd ? m_pFlashWnd->getControl()->currentLabel(ROOT) : RIR::String();
}

void FlashSprite::onAddedToMode()
{
    RIR_TRACE("FlashSprite::onAddedToMode");
    Sprite::onAddedToMode();
    update(0.0f);
}

void FlashSprite::update(float /*fDt*/)
{
    RIR_TRACE("FlashSprite::update");
    if (!m_pFlashWnd)
        return;
    if (m_bResizePending)
    {
        m_pFlashWnd->resize(m_fWindowScale);
        m_bResizePending = false;
    }
    m_pFlashWnd->renderToImage(this);
    if (getCurrentFrame() < m_nLastFrame)
        ++m_nLoopCount;
    m_nLastFrame = getCurrentFrame();
}
