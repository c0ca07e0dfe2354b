#include "platform/sdl/sdlttfdata.h"

#include "app/log.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/rirstring.h"

#include <cstdio>

namespace
{

int s_nTTFUseCount = 0;

// A destructor cannot raise: a broken promise there is written to standard error and the log.
void reportFailedAssertion(const char* pszCondition)
{
    std::fprintf(stderr, "SDLTTFData::~SDLTTFData : Assertion failed : %s\n", pszCondition);
    logPrintf("E: SDLTTFData::~SDLTTFData : Assertion failed : %s\n", pszCondition);
}

} // namespace

SDLTTFData::SDLTTFData() : m_pFont(nullptr), m_pRWOps(nullptr)
{
    RIR_TRACE("SDLTTFData::SDLTTFData");
    if (!TTF_WasInit())
    {
        RIR_ASSERT(s_nTTFUseCount == 0);
        if (TTF_Init() < 0)
        {
            RIR::String sMessage = RIR::String::format("TTF_Init failed : %s", SDL_GetError());
            RIR_THROW(FatalErrorException, sMessage.c_str());
        }
    }
    ++s_nTTFUseCount;
}

SDLTTFData::~SDLTTFData()
{
    RIR_TRACE("SDLTTFData::~SDLTTFData");
    if (m_pFont)
        TTF_CloseFont(m_pFont);
    if (m_pRWOps)
        SDL_FreeRW(m_pRWOps);
    if (!TTF_WasInit())
        reportFailedAssertion("TTF_WasInit()");
    else if (s_nTTFUseCount <= 0)
        reportFailedAssertion("s_nTTFUseCount > 0");
    else if (--s_nTTFUseCount == 0)
        TTF_Quit();
    m_pResource = nullptr;
}

int SDLTTFData::getUseCount()
{
    return s_nTTFUseCount;
}
