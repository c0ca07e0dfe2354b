// Fuzz target: Theme::load over a theme file. The input is the file "fuzz.theme", read by an
// application on the fake platform with in-memory pictures ("img", "bg", "wide", "tall") and
// recorded sounds; SimpleFont and BitmapFont make fonts from the built-in glyph sheet. After a
// load that succeeds, every button style composes every state for a few captions and widths,
// every font and cursor the file may name is looked up, and the widget pictures are fetched.
// Bad files raise RIR::Exception, the right answer.
#include "ui/theme.h"
#include "fuzzcheck.h"

#include "app/gameapp.h"
#include "app/log.h"
#include "testkit/fakeplatform.h"
#include "testkit/memimagefactory.h"

#include "rir2/exception.h"
#include "rir2/list_impl.h"
#include "rir2/memprovider.h"
#include "rir2/resource.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace
{

GameApp& app()
{
    static GameApp* s_pApp = nullptr;
    if (!s_pApp)
    {
        openLog("/dev/null");
        GameApp::setConfigPath("/dev/null");
        s_pApp = new GameApp();
        FakePlatform* pPlatform = new FakePlatform();
        pPlatform->adoptImageFactory(new MemImageFactory());
        s_pApp->setPlatform(pPlatform);
        s_pApp->init(800, 600, 0, RIR::SmartPtr<Image>());
        const struct
        {
            const char* pszName;
            int nWidth;
            int nHeight;
        } pictures[] = {{"img", 8, 8}, {"bg", 50, 20}, {"wide", 62, 6}, {"tall", 3, 40}};
        for (const auto& picture : pictures)
        {
            RIR::SmartPtr<Image> pImage =
                s_pApp->createImage(picture.nWidth, picture.nHeight, true);
            pImage->fill(Color(200, 100, 50, 255));
            s_pApp->addImage(picture.pszName, pImage, true);
        }
    }
    return *s_pApp;
}

void exercise(Theme* pTheme)
{
    const char* const apszCaptions[] = {"", "Wide", "Ok"};
    const RIR::List<RIR::String> lStyles = pTheme->getButtonStyleNames();
    for (int i = 0; i < lStyles.getLength(); ++i)
        for (const char* pszCaption : apszCaptions)
            for (int nWidth : {-1, 100})
                for (int nState = 0; nState < BS_COUNT; ++nState)
                {
                    try
                    {
                        RIR::SmartPtr<Image> pImage = pTheme->getButtonImage(
                            pszCaption, nState, nWidth, lStyles.get(i).c_str());
                        FUZZ_CHECK(pImage);
                    }
                    catch (const RIR::Exception&)
                    {
                    }
                }
    for (int i = 0; i < lStyles.getLength(); ++i)
    {
        pTheme->playClickedSound(lStyles.get(i).c_str());
        pTheme->playHighlightedSound(lStyles.get(i).c_str());
    }
    FUZZ_CHECK(pTheme->getFont("a"));
    FUZZ_CHECK(pTheme->getFont("Theme::Button"));
    pTheme->getCursor("a");
    FUZZ_CHECK(pTheme->getLongSeparator() && pTheme->getShortSeparator());
    RIR::SmartPtr<Image> apImages[3];
    pTheme->getSliderImages(&apImages[0], &apImages[1], &apImages[2]);
    pTheme->getRadioButtonImages(&apImages[0], &apImages[1]);
    FUZZ_CHECK(apImages[0] && apImages[1] && apImages[2]);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    // Theme files are short; a long one only makes each run slower.
    if (nSize > 64 * 1024)
        nSize = 64 * 1024;
    GameApp& application = app();
    RIR::MemoryResourceProvider* pFiles = new RIR::MemoryResourceProvider();
    uint8_t* pCopy = new uint8_t[nSize + 1];
    if (nSize)
        std::memcpy(pCopy, pData, nSize);
    pFiles->add("fuzz.theme", new RIR::Resource((int)nSize, pCopy, true));
    GameApp::ProviderNode* pNode = application.addProvider(pFiles, true);
    {
        RIR::SmartPtr<Theme> pTheme = new Theme();
        try
        {
            pTheme->load("fuzz.theme");
            exercise(pTheme.get());
        }
        catch (const RIR::Exception&)
        {
        }
    }
    delete application.removeProvider(pNode);
    application.purgeImages();
    return 0;
}
