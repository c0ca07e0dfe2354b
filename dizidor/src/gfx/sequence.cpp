#include "gfx/sequence.h"

#include "rir2/calltrace.h"
#include "rir2/list_impl.h"

Sequence::Sequence(float fSpeed, bool bLoop) : m_fSpeed(fSpeed), m_bLoop(bLoop)
{
    RIR_TRACE("Sequence::Sequence");
}

Sequence::~Sequence()
{
    RIR_TRACE("Sequence::~Sequence");
}

void Sequence::setSpeed(float fSpeed)
{
    RIR_TRACE("Sequence::setSpeed");
    m_fSpeed = fSpeed;
}

void Sequence::setLoop(bool bLoop)
{
    RIR_TRACE("Sequence::setLoop");
    m_bLoop = bLoop;
}
