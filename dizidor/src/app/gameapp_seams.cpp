// Stand-ins for what GameApp calls on services that are not built yet.
//
// Each function here keeps a call site of GameApp in its final place while the class it needs
// (fonts, theme, resource lookup, caches, screen modes) does not exist. Each says what
// it stands in for; the issue that builds the service replaces the stand-in by the real call or
// moves the member to its own file, and this file shrinks until it is gone.
#include "app/gameapp.h"

#include "app/ivideodriver.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

// Start-up: registerBitmapFontFactory(), then registerSimpleFontFactory().
void GameApp::registerFontFactories()
{
    RIR_TRACE("GameApp::registerFontFactories");
}

// Start-up: setTheme(new Theme()), which also installs the theme's default cursor picture.
void GameApp::installDefaultTheme()
{
    RIR_TRACE("GameApp::installDefaultTheme");
}

// Stands in for the built-in pictures ("greyoverlaypatch", "empty") and the built-in provider
// with the system font sheet, which come with resource lookup and the caches.
void GameApp::addSystemResources()
{
    RIR_TRACE("GameApp::addSystemResources");
}

// Stands in for the lookup over the providers. No provider can be added yet, so no name exists.
RIR::String GameApp::resolveResourceName(const char* /*pszName*/,
                                         const char* const* /*ppszExtensions*/)
{
    RIR_TRACE("GameApp::resolveResourceName");
    RIR_ASSERT(m_lProviders.isEmpty());
    return RIR::String();
}

// Stands in for the sample cache, which is not built yet.
RIR::SmartPtr<Sample> GameApp::getSample(const char* pszName)
{
    RIR_TRACE("GameApp::getSample");
    RIR_THROW(BadStateException,
              RIR::String::format("GameApp::getSample() : no sample cache for '%s'",
                                  pszName ? pszName : "")
                  .c_str());
}

// Stands in for the music cache, which is not built yet.
RIR::SmartPtr<Music> GameApp::getMusic(const char* pszName)
{
    RIR_TRACE("GameApp::getMusic");
    RIR_THROW(
        BadStateException,
        RIR::String::format("GameApp::getMusic() : no music cache for '%s'", pszName ? pszName : "")
            .c_str());
}

// Activation: the steps of the application itself. The modes are told once they exist.
void GameApp::onAppActivated()
{
    RIR_TRACE("GameApp::onAppActivated");
    if (m_bWasFullscreen)
    {
        m_bWasFullscreen = false;
        setFullscreen(true);
    }
    m_bStackChanged = false;
    IVideoDriver* pVideo = getVideoDriver();
    if (pVideo)
        pVideo->invalidate();
    setCustomCursor(isCustomCursorSetting());
}

// Deactivation: the steps of the application itself. The modes are told once they exist.
void GameApp::onAppDeactivated()
{
    RIR_TRACE("GameApp::onAppDeactivated");
    if (isFullscreen())
        m_bWasFullscreen = true;
    IVideoDriver* pVideo = getVideoDriver();
    if (pVideo)
        pVideo->setSoftwareCursor(false);
}
