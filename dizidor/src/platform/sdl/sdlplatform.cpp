// SDLPlatform: life, set-up, queries and joysticks. The event pump and the pointer mapping are in
// sdlplatform_events.cpp.
#include "platform/sdl/sdlplatform.h"

#include "app/gameapp.h"
#include "app/iaudiodriver.h"
#include "app/ivideodriver.h"
#include "app/log.h"
#include "app/platformeventtarget.h"
#include "app/weblinks.h"
#include "gfx/imagefactory.h"
#include "platform/sdl/sdlimagefactory.h"
#include "platform/sdl/sdlmutex.h"
#include "platform/sdl/sdlvideodriver.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"

#include <SDL.h>
#include <SDL_image.h>

namespace
{

const char* const PLATFORM_NAME = "SDL Platform v1.0";

// SDL keeps the very text handed to putenv, so it lives as long as the program.
char s_szScreensaverSetting[] = "SDL_VIDEO_ALLOW_SCREENSAVER=0";

} // namespace

SDLPlatform::SDLPlatform()
    : m_pApp(GameApp::getInstance()), m_pEventTarget(nullptr), m_pVideoDriver(nullptr),
      m_pAudioDriver(nullptr), m_pImageFactory(nullptr), m_ptMouseOffset(0.0f, 0.0f),
      m_ptMouseScale(1.0f, 1.0f), m_nMouseX(0), m_nMouseY(0), m_bAppActive(true), m_nInputFlags(0),
      m_nImageFormats(0), m_hJoysticks(RIR::Hash<int, _SDL_Joystick*>::DEFAULT_BUCKETS)
{
    RIR_TRACE("SDLPlatform::SDLPlatform");
    m_pImageFactory = new SDLImageFactory();
    registerTrueTypeFonts();
}

SDLPlatform::~SDLPlatform()
{
    RIR_TRACE("SDLPlatform::~SDLPlatform");
    shutdown();
    delete m_pEventTarget;
    m_pEventTarget = nullptr;
}

void SDLPlatform::init()
{
    RIR_TRACE("SDLPlatform::init");
    SDL_putenv(s_szScreensaverSetting);
    RIR_TRACE_LINE();
    if (SDL_Init(SDL_INIT_NOPARACHUTE) < 0)
        RIR_THROW(FatalErrorException,
                  RIR::String::format("Could not initialize SDL : %s", SDL_GetError()).c_str());
    // A machine without joysticks still runs the game.
    SDL_InitSubSystem(SDL_INIT_JOYSTICK);
    RIR_TRACE_LINE();
    m_nImageFormats = IMG_Init(IMG_INIT_JPG | IMG_INIT_PNG);
}

void SDLPlatform::shutdown()
{
    RIR_TRACE("SDLPlatform::shutdown");
    if (GameApp::getInstance())
    {
        int nHits = 0;
        int nMisses = 0;
        getFontCacheCounts(&nHits, &nMisses);
        const int nRequests = nHits + nMisses;
        const double dPercent = nRequests > 0 ? nHits * 100.0 / nRequests : 0.0;
        logPrintf("S: Font cache : %d hits (%.1lf%%), %d misses\n", nHits, dPercent, nMisses);
    }
    IMG_Quit();
    unregisterTrueTypeFonts();

    RIR_TRACE_LINE();
    if (m_pVideoDriver)
        m_pVideoDriver->shutdown();
    RIR_TRACE_LINE();
    if (m_pAudioDriver)
        m_pAudioDriver->shutdown();

    delete m_pImageFactory;
    m_pImageFactory = nullptr;
    delete m_pVideoDriver;
    m_pVideoDriver = nullptr;
    delete m_pAudioDriver;
    m_pAudioDriver = nullptr;

    RIR::List<_SDL_Joystick*> lJoysticks = m_hJoysticks.values();
    for (int i = 0; i < lJoysticks.getLength(); ++i)
        SDL_JoystickClose(lJoysticks.get(i));
    m_hJoysticks.clear();
    if (SDL_WasInit(SDL_INIT_JOYSTICK))
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    // Quitting the last subsystem restores the desktop's display mode.
    if (SDL_WasInit(0))
        SDL_Quit();
}

const char* SDLPlatform::getName() const
{
    return PLATFORM_NAME;
}

unsigned int SDLPlatform::getTicks() const
{
    return SDL_GetTicks();
}

void SDLPlatform::delay(unsigned int nMs)
{
    RIR_TRACE("SDLPlatform::delay");
    SDL_Delay(nMs);
}

bool SDLPlatform::isMouseButtonDown(int nButton) const
{
    RIR_TRACE("SDLPlatform::isMouseButtonDown");
    // SDL's state holds one bit per button in its low byte.
    if (nButton < 1 || nButton > 8)
        return false;
    const Uint8 nState = SDL_GetMouseState(nullptr, nullptr);
    return (nState & (1u << (nButton - 1))) != 0;
}

bool SDLPlatform::isKeyDown(int nKey) const
{
    RIR_TRACE("SDLPlatform::isKeyDown");
    int nKeyCount = 0;
    const Uint8* pKeys = SDL_GetKeyState(&nKeyCount);
    if (nKey < 0 || nKey >= nKeyCount || !pKeys)
        return false;
    return pKeys[nKey] == 1;
}

int SDLPlatform::getKeyModifiers() const
{
    return (int)SDL_GetModState();
}

int SDLPlatform::getDoubleClickTime() const
{
    return DOUBLE_CLICK_TIME_MS;
}

void SDLPlatform::getMousePos(int* pnX, int* pnY) const
{
    if (pnX)
        *pnX = m_nMouseX;
    if (pnY)
        *pnY = m_nMouseY;
}

int SDLPlatform::getNumJoysticks()
{
    RIR_TRACE("SDLPlatform::getNumJoysticks");
    return SDL_NumJoysticks();
}

const char* SDLPlatform::getJoystickName(int nJoystick)
{
    RIR_TRACE("SDLPlatform::getJoystickName");
    const char* pszName = SDL_JoystickName(nJoystick);
    return pszName ? pszName : "";
}

int SDLPlatform::getJoystickNumAxes(int nJoystick)
{
    RIR_TRACE("SDLPlatform::getJoystickNumAxes");
    SDL_Joystick* pJoystick = getJoystick(nJoystick);
    return pJoystick ? SDL_JoystickNumAxes(pJoystick) : 0;
}

int SDLPlatform::getJoystickNumButtons(int nJoystick)
{
    RIR_TRACE("SDLPlatform::getJoystickNumButtons");
    SDL_Joystick* pJoystick = getJoystick(nJoystick);
    return pJoystick ? SDL_JoystickNumButtons(pJoystick) : 0;
}

float SDLPlatform::getJoystickAxis(int nAxis, int nJoystick)
{
    RIR_TRACE("SDLPlatform::getJoystickAxis");
    SDL_Joystick* pJoystick = getJoystick(nJoystick);
    return pJoystick ? (float)SDL_JoystickGetAxis(pJoystick, nAxis) : 0.0f;
}

bool SDLPlatform::isJoystickButtonDown(int nButton, int nJoystick)
{
    RIR_TRACE("SDLPlatform::isJoystickButtonDown");
    SDL_Joystick* pJoystick = getJoystick(nJoystick);
    return pJoystick && SDL_JoystickGetButton(pJoystick, nButton) != 0;
}

SDL_Joystick* SDLPlatform::getJoystick(int nJoystick)
{
    RIR_TRACE("SDLPlatform::getJoystick");
    if (m_hJoysticks.contains(nJoystick))
        return m_hJoysticks.get(nJoystick);
    if (!SDL_WasInit(SDL_INIT_JOYSTICK) && SDL_InitSubSystem(SDL_INIT_JOYSTICK) < 0)
        return nullptr;
    RIR_TRACE_LINE();
    SDL_Joystick* pJoystick = SDL_JoystickOpen(nJoystick);
    if (pJoystick)
        m_hJoysticks.set(nJoystick, pJoystick);
    return pJoystick;
}

void SDLPlatform::openURL(const char* pszUrl)
{
    RIR_TRACE("SDLPlatform::openURL");
    ::openURL(pszUrl);
}

MutexImpl* SDLPlatform::createMutexImpl()
{
    RIR_TRACE("SDLPlatform::createMutexImpl");
    return new SDLMutexImpl();
}

void SDLPlatform::setVideoDriver(IVideoDriver* pDriver)
{
    RIR_TRACE("SDLPlatform::setVideoDriver");
    RIR_ASSERT(!m_pVideoDriver);
    m_pVideoDriver = pDriver;
    if (!pDriver)
        return;
    SDLVideoDriverBase* pSDLDriver = dynamic_cast<SDLVideoDriverBase*>(pDriver);
    if (pSDLDriver)
        pSDLDriver->setPlatform(this);
    pDriver->setScale(getScale());
}

void SDLPlatform::setAudioDriver(IAudioDriver* pDriver)
{
    RIR_TRACE("SDLPlatform::setAudioDriver");
    RIR_ASSERT(!m_pAudioDriver);
    m_pAudioDriver = pDriver;
}

void SDLPlatform::setEventTarget(PlatformEventTarget* pTarget)
{
    RIR_TRACE("SDLPlatform::setEventTarget");
    if (pTarget == m_pEventTarget)
        return;
    delete m_pEventTarget;
    m_pEventTarget = pTarget;
}

int SDLPlatform::setInputFlags(int nBits)
{
    RIR_TRACE("SDLPlatform::setInputFlags");
    m_nInputFlags |= nBits;
    return nBits;
}

int SDLPlatform::clearInputFlags(int nBits)
{
    RIR_TRACE("SDLPlatform::clearInputFlags");
    m_nInputFlags &= ~nBits;
    return ~nBits;
}

int SDLPlatform::readAppState() const
{
    return SDL_GetAppState();
}
