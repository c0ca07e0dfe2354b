#include "game/gameplatform.h"

#include "game/windowraise.h"

#include "shell/playerio.h"
#include "shell/singleinstance.h"

#include "app/gameapp.h"
#include "app/gameappeventtarget.h"
#include "app/gamemode.h"
#include "app/log.h"
#include "app/pngwriter.h"
#include "platform/d3d7/d3d7videodriver.h"
#include "platform/sdl/gameappvideohost.h"
#include "platform/sdl/sdlaudiodriver.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cxxabi.h>
#include <fstream>
#include <sstream>
#include <typeinfo>

namespace
{

// The variable's value as a number in [nMin, nMax]; nDefault when unset or empty.
bool readNumber(const char* pszName, int nMin, int nMax, int* pnValue, std::string* psError)
{
    const char* pszValue = std::getenv(pszName);
    if (!pszValue || !*pszValue)
        return true;
    char* pszEnd = nullptr;
    const long nValue = std::strtol(pszValue, &pszEnd, 10);
    if (!pszEnd || *pszEnd || nValue < nMin || nValue > nMax)
    {
        *psError = std::string(pszName) + " must be a number from " + std::to_string(nMin) +
                   " to " + std::to_string(nMax);
        return false;
    }
    *pnValue = (int)nValue;
    return true;
}

} // namespace

bool GamePlatform::Options::fromEnvironment(Options* pOptions, std::string* psError)
{
    if (!readNumber("DBD_FIXED_STEP", 1, 1000, &pOptions->nFixedStepMs, psError) ||
        !readNumber("DBD_MAX_FRAMES", 1, 100000000, &pOptions->nMaxFrames, psError))
        return false;
    const char* pszScript = std::getenv("DBD_INPUT_SCRIPT");
    if (pszScript && *pszScript)
    {
        std::ifstream in(pszScript, std::ios::binary);
        if (!in)
        {
            *psError = std::string("cannot read the input script ") + pszScript;
            return false;
        }
        std::ostringstream text;
        text << in.rdbuf();
        std::string sError;
        if (!parseInputScript(text.str(), &pOptions->lScript, &sError))
        {
            *psError = std::string(pszScript) + ", " + sError;
            return false;
        }
    }
    return true;
}

GamePlatform::GamePlatform(const Options& options, D3D7VideoDriver* pVideo)
    : m_options(options), m_pVideo(pVideo), m_nClock(0), m_nFrames(0), m_nNextStep(0),
      m_nStepFrame(0), m_nStepTime(0), m_nSaveStressLeft(0)
{
}

GamePlatform::~GamePlatform() {}

unsigned int GamePlatform::getTicks() const
{
    return m_options.nFixedStepMs > 0 ? m_nClock : SDLPlatform::getTicks();
}

void GamePlatform::delay(unsigned int nMs)
{
    if (m_options.nFixedStepMs <= 0)
        SDLPlatform::delay(nMs);
}

void GamePlatform::pumpEvents()
{
    ++m_nFrames;
    if (m_options.nFixedStepMs > 0)
        m_nClock += (unsigned int)m_options.nFixedStepMs;
    if (SingleInstance::takeRaiseRequest())
        raiseWindow();
    writePendingScreenshot();
    runSaveStress();
    runScript();
    SDLPlatform::pumpEvents();
    if (m_options.pfnFrameHook != nullptr)
        m_options.pfnFrameHook();
    if (m_options.nMaxFrames > 0 && m_nFrames >= m_options.nMaxFrames && GameApp::getInstance())
        GameApp::getInstance()->quit(0);
}

void GamePlatform::runScript()
{
    if (m_nNextStep >= m_options.lScript.size())
        return;
    const ScriptStep& step = m_options.lScript[m_nNextStep];
    const unsigned int nNow = getTicks();
    if (m_nFrames - m_nStepFrame < step.nDelayFrames || (int)(nNow - m_nStepTime) < step.nDelayMs)
        return;
    m_nStepFrame = m_nFrames;
    m_nStepTime = nNow;
    ++m_nNextStep;
    runStep(step);
}

void GamePlatform::runStep(const ScriptStep& step)
{
    SDL_Event event;
    std::memset(&event, 0, sizeof(event));
    switch (step.eKind)
    {
    case ScriptStep::MOVE:
        setMousePos(step.nX, step.nY);
        return;
    case ScriptStep::BUTTON_DOWN:
    case ScriptStep::BUTTON_UP:
    {
        const bool bDown = step.eKind == ScriptStep::BUTTON_DOWN;
        // The physical position of the step's logical point, as setMousePos placed the pointer.
        // Not SDL's mouse state: in a window that follows the X server's motion events, which
        // may still report the pointer where it was before the warp.
        int nX = 0;
        int nY = 0;
        toPhysicalPoint(step.nX, step.nY, &nX, &nY);
        event.type = bDown ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        event.button.type = event.type;
        event.button.which = 0;
        event.button.button = (Uint8)step.nButton;
        event.button.state = bDown ? SDL_PRESSED : SDL_RELEASED;
        event.button.x = (Uint16)(nX < 0 ? 0 : nX);
        event.button.y = (Uint16)(nY < 0 ? 0 : nY);
        break;
    }
    case ScriptStep::KEY_DOWN:
    case ScriptStep::KEY_UP:
    {
        const bool bDown = step.eKind == ScriptStep::KEY_DOWN;
        event.type = bDown ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.type = event.type;
        event.key.state = bDown ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.sym = (SDLKey)step.nKey;
        event.key.keysym.mod = KMOD_NONE;
        event.key.keysym.unicode = bDown ? (Uint16)step.nUnicode : 0;
        break;
    }
    case ScriptStep::SCREENSHOT:
        m_sScreenshot = step.sFile;
        if (m_pVideo)
            m_pVideo->requestFrameCapture();
        return;
    case ScriptStep::LOG_MODE:
    {
        GameApp* pApp = GameApp::getInstance();
        GameMode* pTop = pApp ? pApp->getTopMode() : nullptr;
        std::string sName = "(none)";
        if (pTop)
        {
            int nStatus = 0;
            char* pszName = abi::__cxa_demangle(typeid(*pTop).name(), nullptr, nullptr, &nStatus);
            sName = nStatus == 0 && pszName ? pszName : typeid(*pTop).name();
            std::free(pszName);
        }
        logPrintf("W: top mode %s\n", sName.c_str());
        return;
    }
    case ScriptStep::CLOSE:
        event.type = SDL_QUIT;
        event.quit.type = SDL_QUIT;
        break;
    case ScriptStep::QUIT:
        if (GameApp::getInstance())
            GameApp::getInstance()->quit(0);
        return;
    case ScriptStep::SAVE_STRESS:
        m_nSaveStressLeft = step.nCount;
        return;
    }
    if (SDL_PushEvent(&event) != 0)
        logPrintf("W: input script line %d: the event queue is full\n", step.nLine);
}

namespace
{
// The player slot the kill test's writes rename: the last one, which a fresh home never uses.
constexpr int kStressSlot = 9;
} // namespace

void GamePlatform::runSaveStress()
{
    GameApp* pApp = GameApp::getInstance();
    if (m_nSaveStressLeft <= 0 || !pApp)
        return;
    --m_nSaveStressLeft;
    const int nCounter = std::atoi(pApp->getSetting("KillTestCounter").c_str()) + 1;
    const std::string sCounter = std::to_string(nCounter);
    pApp->setSetting("KillTestCounter", sCounter.c_str());
    // The profile and the counter travel in one file: a start after a kill must find both from
    // the same write.
    const std::string sName = "Saver " + sCounter;
    if (isPlayerSlotUsed(kStressSlot))
        renamePlayer(kStressSlot, sName.c_str());
    else
        addPlayer(sName.c_str(), kStressSlot);
    pApp->saveSettings();
}

void GamePlatform::writePendingScreenshot()
{
    if (m_sScreenshot.empty())
        return;
    const std::string sFile = m_sScreenshot;
    m_sScreenshot.clear();
    FrameCapture capture;
    if (!m_pVideo || !m_pVideo->takeFrameCapture(&capture))
    {
        logPrintf("W: screenshot %s: the display keeps no pixels\n", sFile.c_str());
        return;
    }
    std::vector<uint8_t> abRGB;
    abRGB.reserve(capture.lPixels.size() * 3);
    for (uint32_t nPixel : capture.lPixels)
    {
        abRGB.push_back((uint8_t)(nPixel >> 16));
        abRGB.push_back((uint8_t)(nPixel >> 8));
        abRGB.push_back((uint8_t)nPixel);
    }
    const std::vector<uint8_t> abPng = encodePng(capture.nWidth, capture.nHeight, 3, abRGB.data());
    FILE* pFile = std::fopen(sFile.c_str(), "wb");
    bool bOK = pFile && std::fwrite(abPng.data(), 1, abPng.size(), pFile) == abPng.size();
    if (pFile)
        bOK = std::fclose(pFile) == 0 && bOK;
    logPrintf(bOK ? "W: screenshot %s\n" : "W: screenshot %s: cannot be written\n", sFile.c_str());
}

void GamePlatform::raiseWindow()
{
    logPrintf("W: another start asked for the window\n");
    raiseGameWindow();
}

GamePlatform* makeGamePlatform(GameApp* pApp, int nAudioFrequency,
                               const GamePlatform::Options& options)
{
    D3D7VideoDriver* pVideo = new D3D7VideoDriver();
    pVideo->setHost(new GameAppVideoHost(pApp));
    GamePlatform* pPlatform = new GamePlatform(options, pVideo);
    pPlatform->setVideoDriver(pVideo);
    SDLAudioDriver* pAudio = new SDLAudioDriver();
    pAudio->setFrequency(nAudioFrequency);
    pPlatform->setAudioDriver(pAudio);
    pPlatform->setEventTarget(new GameAppEventTarget(pApp));
    return pPlatform;
}
