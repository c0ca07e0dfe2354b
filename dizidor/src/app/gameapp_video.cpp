// GameApp's video facade: thin calls on the platform's video driver.
//
// Before a platform with a video driver is installed the commands do nothing and the queries
// answer 0 or false.
#include "app/gameapp.h"

#include "app/iplatform.h"
#include "app/ivideodriver.h"

#include "gfx/image.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

IVideoDriver* GameApp::getVideoDriver() const
{
    return m_pPlatform ? m_pPlatform->getVideoDriver() : nullptr;
}

void GameApp::setFullscreen(bool bFullscreen)
{
    RIR_TRACE("GameApp::setFullscreen");
    IVideoDriver* pVideo = getVideoDriver();
    if (!pVideo)
        return;
    pVideo->setFullscreen(bFullscreen);
    onVideoModeChanged();
}

bool GameApp::isFullscreen() const
{
    RIR_TRACE("GameApp::isFullscreen");
    IVideoDriver* pVideo = getVideoDriver();
    return pVideo && pVideo->isFullscreen();
}

void GameApp::toggleFullscreen()
{
    RIR_TRACE("GameApp::toggleFullscreen");
    IVideoDriver* pVideo = getVideoDriver();
    if (!pVideo)
        return;
    pVideo->toggleFullscreen();
    onVideoModeChanged();
}

void GameApp::iconify()
{
    RIR_TRACE("GameApp::iconify");
    IVideoDriver* pVideo = getVideoDriver();
    if (!pVideo)
        return;
    pVideo->iconify();
    onVideoModeChanged();
}

void GameApp::minimize()
{
    RIR_TRACE("GameApp::minimize");
    GameApp* pApp = getInstance();
    if (!pApp)
        return;
    if (pApp->isFullscreen())
    {
        pApp->m_bWasFullscreen = true;
        pApp->setFullscreen(false);
    }
    pApp->iconify();
}

int GameApp::getScreenWidth() const
{
    RIR_TRACE("GameApp::getScreenWidth");
    IVideoDriver* pVideo = getVideoDriver();
    return pVideo ? pVideo->getWidth() : 0;
}

int GameApp::getScreenHeight() const
{
    RIR_TRACE("GameApp::getScreenHeight");
    IVideoDriver* pVideo = getVideoDriver();
    return pVideo ? pVideo->getHeight() : 0;
}

void GameApp::getScreenSize(int* pnWidth, int* pnHeight) const
{
    RIR_TRACE("GameApp::getScreenSize");
    IVideoDriver* pVideo = getVideoDriver();
    if (pVideo)
    {
        pVideo->getSize(pnWidth, pnHeight);
        return;
    }
    if (pnWidth)
        *pnWidth = 0;
    if (pnHeight)
        *pnHeight = 0;
}

void GameApp::setCaption(const char* pszText)
{
    RIR_TRACE("GameApp::setCaption");
    IVideoDriver* pVideo = getVideoDriver();
    if (pVideo)
        pVideo->setCaption(pszText);
}

void GameApp::showCursor(bool bShow)
{
    RIR_TRACE("GameApp::showCursor");
    IVideoDriver* pVideo = getVideoDriver();
    if (pVideo)
        pVideo->showCursor(bShow);
}

bool GameApp::isCursorShown() const
{
    RIR_TRACE("GameApp::isCursorShown");
    IVideoDriver* pVideo = getVideoDriver();
    return pVideo && pVideo->isCursorShown();
}

void GameApp::setCustomCursor(bool bOn)
{
    RIR_TRACE("GameApp::setCustomCursor");
    IVideoDriver* pVideo = getVideoDriver();
    if (!pVideo)
        return;
    pVideo->setSoftwareCursor(bOn);
    // What the driver did, not what was asked: a driver that refuses stores "NO".
    setSetting("CustomCursor", pVideo->isSoftwareCursor() ? "YES" : "NO");
}

bool GameApp::isCustomCursorSetting() const
{
    RIR_TRACE("GameApp::isCustomCursorSetting");
    return getSetting("CustomCursor") != "NO";
}

int GameApp::flagsFromSettings() const
{
    RIR_TRACE("GameApp::flagsFromSettings");
    const int nDepth = IVideoDriver::flagsFromBpp(RIR::String::toInt(getSetting("BPP").c_str()));
    return (isFullscreenSetting() ? VF_FULLSCREEN : 0) | nDepth;
}

void GameApp::setCursorImage(RIR::SmartPtr<Image> pImage)
{
    RIR_TRACE("GameApp::setCursorImage");
    IVideoDriver* pVideo = getVideoDriver();
    RIR_ASSERT(pVideo);
    pVideo->setCursorImage(pImage);
}
