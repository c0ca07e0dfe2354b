// Path and placement controllers.
#include "gfx/scmovement.h"

#include "gfx/sprite.h"
#include "rir2/calltrace.h"
#include "rir2/exception.h"

namespace
{

// A speed of 0 never arrives; the path then takes this long.
const float NEVER_DURATION = 100000.0f;
// The parabola's slope term divides by this (one third as a float).
const float PARABOLA_THIRD = 0.33333334f;

} // namespace

// ---- SCLinearPath ------------------------------------------------------------------------------

SCLinearPath::SCLinearPath(const Point& delta, float fValue, int nType) : m_bPlaceAtFrom(false)
{
    RIR_TRACE("SCLinearPath::SCLinearPath");
    SCLinearPath::setPath(Point(0.0f, 0.0f), delta, fValue, nType);
}

SCLinearPath::SCLinearPath(const Point& from, const Point& to, float fValue, int nType)
    : m_bPlaceAtFrom(true)
{
    RIR_TRACE("SCLinearPath::SCLinearPath");
    SCLinearPath::setPath(from, to, fValue, nType);
}

SCLinearPath::~SCLinearPath()
{
    RIR_TRACE("SCLinearPath::~SCLinearPath");
}

void SCLinearPath::setPath(const Point& from, const Point& to, float fValue, int nType)
{
    RIR_TRACE("SCLinearPath::setPath");
    float fDuration = 0.0f;
    if (nType == PATH_DURATION)
        fDuration = fValue;
    else if (nType == PATH_SPEED)
        fDuration = fValue == 0.0f ? NEVER_DURATION : (to - from).length() / fValue;
    else
        RIR_THROW(FatalErrorException, "Unsupported eType");
    m_from = from;
    m_to = to;
    m_pTimer->setDuration(fDuration, true);
    m_pTimer->setFlags(TIMER_CLAMP);
}

void SCLinearPath::onAttach(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCLinearPath::onAttach");
    if (m_bPlaceAtFrom)
        pSprite->setPosPoint(m_from);
    m_lastOffset = Point(0.0f, 0.0f);
}

bool SCLinearPath::apply(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCLinearPath::apply");
    const Point offset = (m_to - m_from) * m_pTimer->getProgress();
    pSprite->setPosPoint(pSprite->getPosPoint() + offset - m_lastOffset);
    m_lastOffset = offset;
    return m_pTimer->isDone();
}

// ---- SCVerticalParabola ------------------------------------------------------------------------

SCVerticalParabola::SCVerticalParabola(const Point& from, const Point& to, float fControl,
                                       float fDuration)
    : m_from(from), m_fDx(to.x - from.x), m_fB((fControl - from.y) / PARABOLA_THIRD), m_fA(0.0f)
{
    RIR_TRACE("SCVerticalParabola::SCVerticalParabola");
    m_fA = (to.y - from.y) - m_fB;
    m_pTimer->setDuration(fDuration, true);
    m_pTimer->setFlags(TIMER_CLAMP);
}

SCVerticalParabola::~SCVerticalParabola()
{
    RIR_TRACE("SCVerticalParabola::~SCVerticalParabola");
}

bool SCVerticalParabola::apply(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCVerticalParabola::apply");
    const float t = m_pTimer->getProgress();
    pSprite->setPosFloat(m_from.x + m_fDx * t, m_from.y + m_fB * t + m_fA * t * t);
    return m_pTimer->isDone();
}

// ---- one-shot placement ------------------------------------------------------------------------

SCSetPosition::SCSetPosition(const Point& position) : m_position(position)
{
    RIR_TRACE("SCSetPosition::SCSetPosition");
}

SCSetPosition::~SCSetPosition()
{
    RIR_TRACE("SCSetPosition::~SCSetPosition");
}

bool SCSetPosition::apply(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCSetPosition::apply");
    pSprite->setPosPoint(m_position);
    return true;
}

SCSetScreenPosition::SCSetScreenPosition(const Point& position, int nAlignFlags)
    : m_position(position), m_nAlignFlags(nAlignFlags)
{
    RIR_TRACE("SCSetScreenPosition::SCSetScreenPosition");
}

SCSetScreenPosition::~SCSetScreenPosition()
{
    RIR_TRACE("SCSetScreenPosition::~SCSetScreenPosition");
}

bool SCSetScreenPosition::apply(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCSetScreenPosition::apply");
    RIR::SmartPtr<Image> pImage = pSprite->getImage();
    if (pImage)
        pImage->setInsPointByAlign(m_nAlignFlags);
    pSprite->setPosPoint(m_position);
    return true;
}

SCSetInsPoint::SCSetInsPoint(int nAlignFlags) : m_nAlignFlags(nAlignFlags)
{
    RIR_TRACE("SCSetInsPoint::SCSetInsPoint");
}

SCSetInsPoint::~SCSetInsPoint()
{
    RIR_TRACE("SCSetInsPoint::~SCSetInsPoint");
}

bool SCSetInsPoint::apply(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCSetInsPoint::apply");
    RIR::SmartPtr<Image> pImage = pSprite->getImage();
    if (pImage)
        pImage->setInsPointByAlign(m_nAlignFlags);
    return true;
}

SCSetZOrder::SCSetZOrder(int nZOrder) : m_nZOrder(nZOrder)
{
    RIR_TRACE("SCSetZOrder::SCSetZOrder");
}

SCSetZOrder::~SCSetZOrder()
{
    RIR_TRACE("SCSetZOrder::~SCSetZOrder");
}

bool SCSetZOrder::apply(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCSetZOrder::apply");
    pSprite->setZOrder(m_nZOrder);
    return true;
}
