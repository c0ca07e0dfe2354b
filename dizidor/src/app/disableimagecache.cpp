#include "app/disableimagecache.h"

#include "app/gameapp.h"

#include "rir2/calltrace.h"

DisableImageCache::DisableImageCache() : m_bWasEnabled(true)
{
    RIR_TRACE("DisableImageCache::DisableImageCache");
    GameApp* pApp = GameApp::getInstance();
    if (pApp)
        m_bWasEnabled = pApp->setImageCaching(false);
}

DisableImageCache::~DisableImageCache()
{
    RIR_TRACE("DisableImageCache::~DisableImageCache");
    GameApp* pApp = GameApp::getInstance();
    if (pApp)
        pApp->setImageCaching(m_bWasEnabled);
}
