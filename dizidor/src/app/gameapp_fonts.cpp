// GameApp's font set-up: the bitmap font factories registered at start-up, and the glyphs of the
// built-in sheet that every theme's default font shares.
#include "app/gameapp.h"

#include "app/iplatform.h"
#include "gfx/bitmapfontfactories.h"
#include "gfx/imagefactory.h"
#include "gfx/simplefontcore.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

void GameApp::registerFontFactories()
{
    RIR_TRACE("GameApp::registerFontFactories");
    registerBitmapFontFactory();
    registerSimpleFontFactory();
}

RIR::SmartPtr<SimpleFontCore> GameApp::getSystemFontGlyphs()
{
    RIR_TRACE("GameApp::getSystemFontGlyphs");
    ImageFactory* pFactory = m_pPlatform ? m_pPlatform->getImageFactory() : nullptr;
    if (!pFactory)
        RIR_THROW(BadStateException, "GameApp::getSystemFontGlyphs : no image factory");
    // Glyphs made by another factory would not suit this one's images.
    if (!m_pSystemFontGlyphs || m_pSystemFontFactory != pFactory)
    {
        // Straight from the factory: the sheet does not stay in the image cache.
        RIR::SmartPtr<SimpleFontCore> pCore = new SimpleFontCore();
        pCore->load(RIR::SmartPtr<Image>(pFactory->loadWithFlags("DiziDor::SystemFont", true)));
        m_pSystemFontGlyphs = pCore;
        m_pSystemFontFactory = pFactory;
    }
    return m_pSystemFontGlyphs;
}
