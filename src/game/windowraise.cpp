// Kept apart from the engine's headers: X11's own names (Font, Window) clash with them.
#include "game/windowraise.h"

#include <SDL.h>
#include <SDL_syswm.h>
#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xlib.h>
#endif

void raiseGameWindow()
{
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) <= 0 || info.subsystem != SDL_SYSWM_X11)
        return;
    info.info.x11.lock_func();
    XMapRaised(info.info.x11.display, info.info.x11.wmwindow);
    XSync(info.info.x11.display, False);
    info.info.x11.unlock_func();
#endif
}
