// Sound panning by screen position (level/soundpan.h).
#include "level/soundpan.h"

int panForX(int nX)
{
    const int nClamped = nX < 0 ? 0 : nX > 800 ? 800 : nX;
    const int nPan = (int)((double)nClamped / 800.0 * 255.0);
    return nPan < 0 ? 0 : nPan > 255 ? 255 : nPan;
}
