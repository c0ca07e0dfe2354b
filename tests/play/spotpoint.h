// Where to click an action spot of a day's scene in the level's input tests.
#ifndef DBD_TESTS_PLAY_SPOTPOINT_H
#define DBD_TESTS_PLAY_SPOTPOINT_H

#include "play/playmode.h"
#include "world/actionspot.h"

// The centre of the first spot of the class T (MugSourceSpot, MugSinkSpot, ...) in the day's
// scene; false when the scene has none.
template <class T> bool spotCentre(PlayMode* pDay, int* pX, int* pY)
{
    const RIR::List<RIR::SmartPtr<ActionSpot>>& lSpots = pDay->getScene()->getSpots();
    for (int n = 0; n < lSpots.getLength(); ++n)
    {
        if (dynamic_cast<T*>(lSpots.get(n).get()) == nullptr)
            continue;
        const Rect& rect = lSpots.get(n)->getRect();
        *pX = (rect.left + rect.right) / 2;
        *pY = (rect.top + rect.bottom) / 2;
        return true;
    }
    return false;
}

#endif
