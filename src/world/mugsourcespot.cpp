// MugSourceSpot: the tap draws a new full mug.
#include "world/mugsourcespot.h"

#include "world/dolly.h"
#include "world/iplaymode.h"
#include "world/mug.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

namespace
{

const int SOUND_TAP = 1;
// A mug leaving the tap by telekinesis is drawn over everything on the floor.
const int FLYING_MUG_DEPTH = 10000;

} // namespace

MugSourceSpot::MugSourceSpot(const Rect& rect, int nI, int nJ) : MugSpotBase(rect, nI, nJ)
{
    setSideOpen(0, false);
    setSideOpen(1, false);
}

MugSourceSpot::~MugSourceSpot()
{
}

bool MugSourceSpot::canDoAction(Dolly* pChar, int nHand)
{
    return pChar->isHandEmpty(nHand);
}

void MugSourceSpot::doAction(Dolly* pChar, int nHand)
{
    RIR_TRACE("MugSourceSpot::doAction");
    pChar->putMugInHand(nHand, IPlayMode::getPlayMode()->createMug());
}

int MugSourceSpot::getActionSound(Dolly* /*pChar*/, int /*nHand*/)
{
    return SOUND_TAP;
}

void MugSourceSpot::takeMugTK(RIR::SmartPtr<Mug>& pMug)
{
    RIR_TRACE("MugSourceSpot::takeMugTK");
    pMug = IPlayMode::getPlayMode()->createMug();
    int nX = 0;
    int nY = 0;
    getMugPos(&nX, &nY);
    pMug->getSprite()->setPos(nX, nY);
    pMug->getSprite()->setZOrder(FLYING_MUG_DEPTH);
}

void MugSourceSpot::setMugTK(const RIR::SmartPtr<Mug>& /*pMug*/)
{
    RIR_TRACE("MugSourceSpot::setMugTK");
    RIR_ASSERT(false);
}
