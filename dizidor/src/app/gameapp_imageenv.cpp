// The application as the images see it: named pictures load their side files through the
// application's resource lookup, fetch parent pictures from its image cache and are made by the
// platform's image factory. The one adapter object also answers the drivers (IAppServices); its
// driver half lives with the application's life in gameapp.cpp.
#include "app/gameapp.h"

#include "app/iplatform.h"
#include "gfx/imagefactory.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

GameApp::ServicesLink::ServicesLink(GameApp* pApp) : m_pApp(pApp)
{
    RIR_TRACE("GameApp::ServicesLink::ServicesLink");
    // Uninstalled by ImageEnvironment's destructor when the application goes.
    setImageEnvironment(this);
}

bool GameApp::ServicesLink::hasResource(const char* pszName)
{
    RIR_TRACE("GameApp::ServicesLink::hasResource");
    return m_pApp->hasResource(pszName);
}

RIR::SmartPtr<RIR::Resource> GameApp::ServicesLink::getResource(const char* pszName)
{
    RIR_TRACE("GameApp::ServicesLink::getResource");
    return m_pApp->getResource(pszName);
}

RIR::SmartPtr<Image> GameApp::ServicesLink::getImage(const char* pszName)
{
    RIR_TRACE("GameApp::ServicesLink::getImage");
    return m_pApp->getImage(pszName);
}

ImageFactory* GameApp::ServicesLink::getImageFactory()
{
    RIR_TRACE("GameApp::ServicesLink::getImageFactory");
    IPlatform* pPlatform = m_pApp->getPlatform();
    ImageFactory* pFactory = pPlatform ? pPlatform->getImageFactory() : nullptr;
    if (!pFactory)
        RIR_THROW(BadStateException, "No image factory");
    return pFactory;
}
