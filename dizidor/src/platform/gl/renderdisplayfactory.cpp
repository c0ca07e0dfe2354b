#include "platform/gl/renderdisplayfactory.h"

#include "platform/gl/glrenderdisplay.h"
#include "platform/gl/nullrenderdisplay.h"

#include "rir2/calltrace.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>

RenderDisplay* createRenderDisplay()
{
    RIR_TRACE("createRenderDisplay");
    const char* pszChoice = getenv("DBD_RENDERER");
    if (pszChoice && strcmp(pszChoice, "null") == 0)
        return new NullRenderDisplay();
    if (pszChoice && strcmp(pszChoice, "gl") == 0)
        return new GLRenderDisplay();

    char szDriver[64] = "";
    if (SDL_WasInit(SDL_INIT_VIDEO) && SDL_VideoDriverName(szDriver, (int)sizeof(szDriver)))
    {
        if (strcmp(szDriver, "dummy") == 0)
            return new NullRenderDisplay();
        return new GLRenderDisplay();
    }
    const char* pszDriver = getenv("SDL_VIDEODRIVER");
    if (pszDriver && strcmp(pszDriver, "dummy") == 0)
        return new NullRenderDisplay();
    return new GLRenderDisplay();
}
