// HeadSitOffsets: the shared table of head positions while sitting down (headsitoffsets.h).
#include "world/headsitoffsets.h"

#include "app/gameapp.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list.h"

#include <cstdlib>

namespace
{

const char RESOURCE_NAME[] = "head_sit_offsets.txt";

bool s_bLoaded = false;
int s_anDX[HeadSitOffsets::COUNT];
int s_anDY[HeadSitOffsets::COUNT];

} // namespace

void HeadSitOffsets::parse(const RIR::String& sText)
{
    RIR_TRACE("HeadSitOffsets::parse");
    int anDX[COUNT] = {};
    int anDY[COUNT] = {};
    int nCount = 0;
    RIR::List<RIR::String> lLines = sText.split("\n");
    for (int n = 0; n < lLines.getLength() && nCount < COUNT; ++n)
    {
        RIR::List<RIR::String> lTokens = lLines.get(n).split(" \t\r");
        if (lTokens.isEmpty())
            continue;
        anDX[nCount] = std::atoi(lTokens.get(0).c_str());
        anDY[nCount] = std::atoi(lTokens.get(1).c_str()); // the list's range error when missing
        ++nCount;
    }
    if (nCount < COUNT)
        RIR_THROW(
            FatalErrorException,
            RIR::String::format("%s: %d entries, need %d", RESOURCE_NAME, nCount, COUNT).c_str());
    for (int n = 0; n < COUNT; ++n)
    {
        s_anDX[n] = anDX[n];
        s_anDY[n] = anDY[n];
    }
    s_bLoaded = true;
}

void HeadSitOffsets::load()
{
    RIR_TRACE("HeadSitOffsets::load");
    if (s_bLoaded)
        return;
    GameApp* pApp = GameApp::getInstance();
    RIR_ASSERT(pApp != NULL);
    parse(pApp->getResource(RESOURCE_NAME)->asString());
}

bool HeadSitOffsets::isLoaded()
{
    return s_bLoaded;
}

void HeadSitOffsets::get(int nFrame, int* pDX, int* pDY)
{
    if (!s_bLoaded)
    {
        *pDX = 0;
        *pDY = 0;
        return;
    }
    if (nFrame < 0)
        nFrame = 0;
    if (nFrame >= COUNT)
        nFrame = COUNT - 1;
    *pDX = s_anDX[nFrame];
    *pDY = s_anDY[nFrame];
}

void HeadSitOffsets::reset()
{
    s_bLoaded = false;
}
