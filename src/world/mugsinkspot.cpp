// MugSinkSpot: mugs that are not full go down the sink.
#include "world/mugsinkspot.h"

#include "world/dolly.h"
#include "world/iplaymode.h"
#include "world/mug.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

namespace
{

const int SOUND_SINK = 4;
const int TUTORIAL_IN_SINK = 7;

} // namespace

MugSinkSpot::MugSinkSpot(const Rect& rect, int nI, int nJ) : MugSpotBase(rect, nI, nJ)
{
    setSideOpen(0, false);
    setSideOpen(1, false);
}

MugSinkSpot::~MugSinkSpot()
{
}

bool MugSinkSpot::canDoAction(Dolly* pChar, int nHand)
{
    return !pChar->isHandEmpty(nHand) && !pChar->getHandMug(nHand)->isFull();
}

void MugSinkSpot::doAction(Dolly* pChar, int nHand)
{
    RIR_TRACE("MugSinkSpot::doAction");
    // The last reference goes with the returned handle: the mug and its picture are gone.
    pChar->removeHandMug(nHand);
    IPlayMode::getPlayMode()->tutorialEvent(TUTORIAL_IN_SINK);
}

int MugSinkSpot::getActionSound(Dolly* /*pChar*/, int /*nHand*/)
{
    return SOUND_SINK;
}

void MugSinkSpot::takeMugTK(RIR::SmartPtr<Mug>& /*pMug*/)
{
    RIR_TRACE("MugSinkSpot::takeMugTK");
    RIR_ASSERT(false);
}

void MugSinkSpot::setMugTK(const RIR::SmartPtr<Mug>& /*pMug*/)
{
    // The flight's handle is the last one: dropping it takes the mug off the screen.
}
