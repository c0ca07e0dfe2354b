#include "ui/tableattached.h"

#include "rir2/calltrace.h"

AttachedSprite::AttachedSprite(RIR::SmartPtr<Sprite> pSprite, int nAnchor, int nZOffset)
    : m_pSprite(pSprite), m_pAnim(RIR::dynamicCast<AnimSprite>(pSprite)), m_nAnchor(nAnchor),
      m_nZOffset(nZOffset)
{
    RIR_TRACE("AttachedSprite::AttachedSprite");
}

AttachedSprite::~AttachedSprite()
{
    RIR_TRACE("AttachedSprite::~AttachedSprite");
    m_pAnim = nullptr;
    m_pSprite = nullptr;
}
