// The application a fuzz target reads through: on the fake platform, with in-memory pictures.
#ifndef FUZZ_FUZZAPP_H
#define FUZZ_FUZZAPP_H

#include "app/gameapp.h"
#include "app/log.h"
#include "gfx/color.h"
#include "testkit/fakeplatform.h"
#include "testkit/memimagefactory.h"

#include <cstddef>

// One picture the application knows by name.
struct FuzzPicture
{
    const char* pszName;
    int nWidth;
    int nHeight;
};

// A new 800 x 600 application, logging to nowhere and with no settings file, that knows the
// nCount pictures at pPictures, each filled with color. Meant to be made once per target. The
// platform takes pFactory as its picture factory (a plain MemImageFactory when null).
inline GameApp* fuzzCreateApp(const FuzzPicture* pPictures, size_t nCount, const Color& color,
                              MemImageFactory* pFactory = nullptr)
{
    openLog("/dev/null");
    GameApp::setConfigPath("/dev/null");
    GameApp* pApp = new GameApp();
    FakePlatform* pPlatform = new FakePlatform();
    pPlatform->adoptImageFactory(pFactory ? pFactory : new MemImageFactory());
    pApp->setPlatform(pPlatform);
    pApp->init(800, 600, 0, RIR::SmartPtr<Image>());
    for (size_t i = 0; i < nCount; ++i)
    {
        RIR::SmartPtr<Image> pImage =
            pApp->createImage(pPictures[i].nWidth, pPictures[i].nHeight, true);
        pImage->fill(color);
        pApp->addImage(pPictures[i].pszName, pImage, true);
    }
    return pApp;
}

#endif
