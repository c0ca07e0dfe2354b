// The fade schedule of rising texts (level/fadealpha.h).
#include "level/fadealpha.h"

int fadeAlphaLevel(float fElapsed, float fDuration)
{
    // Checked before the division: the percentage must stay a small, finite number.
    if (!(fDuration > 0.0f) || !(fElapsed < fDuration))
        return 0;
    if (!(fElapsed > 0.0f))
        return 225;
    const int nPercent = (int)(fElapsed * 100.0f / fDuration);
    const int nLevel = 225 - (nPercent / 10) * 25;
    return nLevel < 0 ? 0 : nLevel;
}
