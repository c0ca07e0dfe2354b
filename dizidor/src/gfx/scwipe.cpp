// SCWipe: the pieces of a wipe and its end.
#include "gfx/scwipe.h"

#include "app/gamemode.h"
#include "gfx/rect.h"
#include "rir2/calltrace.h"
#include "rir2/exception.h"

namespace
{

// f truncated toward zero; the wipe's products stay within the picture's size.
int trunc(float f)
{
    return (int)f;
}

} // namespace

SCWipe::SCWipe(int nType, bool bSplit, float fDuration, bool bRemoveWhenDone)
    : m_nType(nType), m_bSplit(bSplit), m_nHeight(0), m_nWidth(0), m_nX(0), m_nY(0),
      m_bRemoveWhenDone(bRemoveWhenDone)
{
    RIR_TRACE("SCWipe::SCWipe");
    RIR_ASSERT(nType >= WIPE_KEEP_TOP && nType <= WIPE_KEEP_RIGHT);
    m_pTimer->setFlags(TIMER_CLAMP);
    m_pTimer->setDuration(fDuration, true);
}

SCWipe::~SCWipe()
{
    RIR_TRACE("SCWipe::~SCWipe");
}

RIR::SmartPtr<Image> SCWipe::cut(int nLeft, int nTop, int nRight, int nBottom)
{
    RIR_TRACE("SCWipe::cut");
    Rect r;
    r.set(nLeft, nTop, nRight, nBottom, true);
    RIR::SmartPtr<Image> pPiece = m_pImage->createSubImage(r, false);
    // Each piece is drawn where it lay in the whole picture: anchored like the picture, so that
    // a picture whose insertion point is not its top-left corner does not jump.
    pPiece->setInsPoint(m_pImage->getInsPointX(), m_pImage->getInsPointY());
    return pPiece;
}

void SCWipe::onAttach(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCWipe::onAttach");
    m_pImage = pSprite->getImage();
    RIR_ASSERT(m_pImage);
    // The picture's own size: the same as the sprite's while it is shown, and still right for a
    // sprite that is hidden when the wipe starts.
    m_nHeight = m_pImage->getHeight();
    m_nWidth = m_pImage->getWidth();
    m_nX = pSprite->getX();
    m_nY = pSprite->getY();
    if (!m_bSplit)
        return;

    GameMode* pMode = dynamic_cast<GameMode*>(pSprite->getMode());
    RIR_ASSERT(pMode);
    const int w = m_nWidth;
    const int h = m_nHeight;
    if (m_nType == WIPE_KEEP_TOP || m_nType == WIPE_KEEP_BOTTOM)
    {
        const int nHalf = h / 2;
        pSprite->setImage(cut(0, 0, w, nHalf));
        m_pSecondSprite = new Sprite(cut(0, nHalf, w, h), pSprite->getX(),
                                     pSprite->getY() + nHalf, pSprite->getZOrder());
    }
    else
    {
        const int nHalf = w / 2;
        pSprite->setImage(cut(0, 0, nHalf, h));
        m_pSecondSprite = new Sprite(cut(nHalf, 0, w, h), pSprite->getX() + nHalf,
                                     pSprite->getY(), pSprite->getZOrder());
    }
    RIR_TRACE_LINE();
    pMode->addSprite(m_pSecondSprite);
}

bool SCWipe::update(float fDt, RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCWipe::update");
    m_pTimer->advance(fDt);
    const float fRest = 1.0f - m_pTimer->getProgress();
    const int w = m_nWidth;
    const int h = m_nHeight;
    const float fx = (float)m_nX;
    const float fy = (float)m_nY;

    if (!m_bSplit)
    {
        Point pos = pSprite->getPosPoint();
        RIR::SmartPtr<Image> pPiece;
        switch (m_nType)
        {
        case WIPE_KEEP_TOP:
            pPiece = cut(0, 0, w, trunc(h * fRest));
            break;
        case WIPE_KEEP_BOTTOM:
            pPiece = cut(0, trunc(h - h * fRest), w, h);
            pos = Point((float)pSprite->getX(), fy + h - h * fRest);
            break;
        case WIPE_KEEP_LEFT:
            pPiece = cut(0, 0, trunc(w * fRest), h);
            break;
        default:
            pPiece = cut(trunc(w - w * fRest), 0, w, h);
            pos = Point(fx + w - w * fRest, (float)pSprite->getY());
            break;
        }
        pSprite->setImage(pPiece);
        pSprite->setPosPoint(pos);
    }
    else if (m_nType == WIPE_KEEP_TOP || m_nType == WIPE_KEEP_BOTTOM)
    {
        const int nHalf = h / 2;
        pSprite->setImage(cut(0, 0, w, trunc(nHalf * fRest)));
        RIR::SmartPtr<Image> pSecond = cut(0, trunc(h - nHalf * fRest), w, h);
        m_pSecondSprite->setImage(pSecond);
        m_pSecondSprite->setPosPoint(Point(fx, fy + h - pSecond->getHeight()));
    }
    else
    {
        const int nHalf = w / 2;
        pSprite->setImage(cut(0, 0, trunc(nHalf * fRest), h));
        RIR::SmartPtr<Image> pSecond = cut(trunc(w - nHalf * fRest), 0, w, h);
        m_pSecondSprite->setImage(pSecond);
        m_pSecondSprite->setPosPoint(Point(fx + w - pSecond->getWidth(), fy));
    }

    if (!m_pTimer->isDone())
        return false;
    if (m_bRemoveWhenDone && pSprite->getMode())
    {
        RIR_TRACE_LINE();
        pSprite->getMode()->removeObject(pSprite);
    }
    if (m_pSecondSprite && m_pSecondSprite->getMode())
    {
        RIR_TRACE_LINE();
        m_pSecondSprite->getMode()->removeObject(m_pSecondSprite);
    }
    return true;
}
