// SDLVideoDriverBase: window placement and the queries of the display.
//
// SDL 1.2 cannot read or move its window, so the window's place goes through the window system
// that SDL reports (SDL_GetWMInfo). On X11 the few Xlib calls needed are looked up at run time
// among the libraries already loaded (SDL loads Xlib itself), so the program does not link to the
// window system; without X11 (the dummy driver, another window system) the window's place
// cannot be read and nothing is moved.
#include "platform/sdl/sdlvideodriver.h"

#include "rir2/calltrace.h"
#include "rir2/list_impl.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <dlfcn.h>

namespace
{

// A window inside this area stays where it is.
const int KEEP_AREA_RIGHT = 1280;
const int KEEP_AREA_BOTTOM = 1024;

#if defined(SDL_VIDEO_DRIVER_X11)

typedef Status (*GetWindowAttributesFn)(Display*, Window, XWindowAttributes*);
typedef Bool (*TranslateCoordinatesFn)(Display*, Window, Window, int, int, int*, int*, Window*);
typedef int (*MoveWindowFn)(Display*, Window, int, int);
typedef int (*MapRaisedFn)(Display*, Window);
typedef int (*FlushFn)(Display*);

// The Xlib entry points, when Xlib is loaded.
struct XCalls
{
    GetWindowAttributesFn pfnGetWindowAttributes;
    TranslateCoordinatesFn pfnTranslateCoordinates;
    MoveWindowFn pfnMoveWindow;
    MapRaisedFn pfnMapRaised;
    FlushFn pfnFlush;

    bool isComplete() const
    {
        return pfnGetWindowAttributes && pfnTranslateCoordinates && pfnMoveWindow && pfnMapRaised &&
               pfnFlush;
    }
};

bool findXCalls(XCalls* pCalls)
{
    pCalls->pfnGetWindowAttributes =
        (GetWindowAttributesFn)dlsym(RTLD_DEFAULT, "XGetWindowAttributes");
    pCalls->pfnTranslateCoordinates =
        (TranslateCoordinatesFn)dlsym(RTLD_DEFAULT, "XTranslateCoordinates");
    pCalls->pfnMoveWindow = (MoveWindowFn)dlsym(RTLD_DEFAULT, "XMoveWindow");
    pCalls->pfnMapRaised = (MapRaisedFn)dlsym(RTLD_DEFAULT, "XMapRaised");
    pCalls->pfnFlush = (FlushFn)dlsym(RTLD_DEFAULT, "XFlush");
    return pCalls->isComplete();
}

// SDL's X11 window information, when SDL runs on X11 with a window.
bool getX11Info(SDL_SysWMinfo* pInfo)
{
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0 || !SDL_GetVideoSurface())
        return false;
    SDL_VERSION(&pInfo->version);
    if (SDL_GetWMInfo(pInfo) <= 0 || pInfo->subsystem != SDL_SYSWM_X11)
        return false;
    return pInfo->info.x11.display != nullptr && pInfo->info.x11.wmwindow != 0;
}

#endif

} // namespace

void SDLVideoDriverBase::centreWindow()
{
    RIR_TRACE("SDLVideoDriverBase::centreWindow");
    if (isFullscreen())
        return;
    Rect window;
    if (!readWindowRect(&window))
        window = Rect(-10, -10, -10 + m_nWidth, -10 + m_nHeight);
    else if (window.left >= 0 && window.top >= 0 && window.right <= KEEP_AREA_RIGHT &&
             window.bottom <= KEEP_AREA_BOTTOM)
        return;
    int nScreenWidth = 0;
    int nScreenHeight = 0;
    if (!readScreenSize(&nScreenWidth, &nScreenHeight))
        return;
    moveWindow((nScreenWidth + window.left - window.right) / 2,
               (nScreenHeight + window.top - window.bottom) / 2);
}

void SDLVideoDriverBase::listFullscreenModes(RIR::List<Point>& lModes)
{
    RIR_TRACE("SDLVideoDriverBase::listFullscreenModes");
    lModes.clear();
    if (!isVideoUp())
        return;
    SDL_Rect** ppModes = SDL_ListModes(nullptr, SDL_FULLSCREEN);
    // Null: no mode; -1: every size, which lists nothing either.
    if (!ppModes || ppModes == (SDL_Rect**)-1)
        return;
    for (int i = 0; ppModes[i]; ++i)
        lModes.append(Point((float)ppModes[i]->w, (float)ppModes[i]->h));
}

bool SDLVideoDriverBase::readWindowRect(Rect* pRect)
{
    RIR_TRACE("SDLVideoDriverBase::readWindowRect");
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    XCalls calls;
    if (!getX11Info(&info) || !findXCalls(&calls))
        return false;
    Display* pDisplay = info.info.x11.display;
    Window window = info.info.x11.wmwindow;
    info.info.x11.lock_func();
    XWindowAttributes attributes;
    bool bOK = calls.pfnGetWindowAttributes(pDisplay, window, &attributes) != 0;
    int nX = 0;
    int nY = 0;
    Window child = 0;
    if (bOK)
        bOK = calls.pfnTranslateCoordinates(pDisplay, window, attributes.root, 0, 0, &nX, &nY,
                                            &child) != 0;
    info.info.x11.unlock_func();
    if (!bOK)
        return false;
    *pRect = Rect(nX, nY, nX + attributes.width, nY + attributes.height);
    return true;
#else
    (void)pRect;
    return false;
#endif
}

bool SDLVideoDriverBase::readScreenSize(int* pnWidth, int* pnHeight)
{
    RIR_TRACE("SDLVideoDriverBase::readScreenSize");
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    XCalls calls;
    if (!getX11Info(&info) || !findXCalls(&calls))
        return false;
    Display* pDisplay = info.info.x11.display;
    info.info.x11.lock_func();
    XWindowAttributes attributes;
    bool bOK = calls.pfnGetWindowAttributes(pDisplay, info.info.x11.wmwindow, &attributes) != 0;
    XWindowAttributes rootAttributes;
    if (bOK)
        bOK = calls.pfnGetWindowAttributes(pDisplay, attributes.root, &rootAttributes) != 0;
    info.info.x11.unlock_func();
    if (!bOK)
        return false;
    *pnWidth = rootAttributes.width;
    *pnHeight = rootAttributes.height;
    return true;
#else
    (void)pnWidth;
    (void)pnHeight;
    return false;
#endif
}

void SDLVideoDriverBase::moveWindow(int nX, int nY)
{
    RIR_TRACE("SDLVideoDriverBase::moveWindow");
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    XCalls calls;
    if (!getX11Info(&info) || !findXCalls(&calls))
        return;
    info.info.x11.lock_func();
    calls.pfnMoveWindow(info.info.x11.display, info.info.x11.wmwindow, nX, nY);
    calls.pfnMapRaised(info.info.x11.display, info.info.x11.wmwindow);
    calls.pfnFlush(info.info.x11.display);
    info.info.x11.unlock_func();
#else
    (void)nX;
    (void)nY;
#endif
}
