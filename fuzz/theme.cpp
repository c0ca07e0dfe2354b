// Fuzz target: Theme::load over a theme file. The input is the file "fuzz.theme", read by an
// application on the fake platform with in-memory pictures ("img", "bg", "wide", "tall") and
// recorded sounds; SimpleFont and BitmapFont make fonts from the built-in glyph sheet. After a
// load that succeeds, every button style composes every state for a few captions and widths,
// every font and cursor the file may name is looked up, and the widget pictures are fetched.
// Bad files raise RIR::Exception, the right answer.
// Invariant: a theme that loads knows every frame style a plain "framestyle NAME" line names, and
// composes a picture for every state of every button style.
#include "ui/theme.h"
#include "fuzzapp.h"
#include "fuzzcheck.h"
#include "fuzzimagecache.h"

#include "app/gameapp.h"

#include "rir2/exception.h"
#include "rir2/list_impl.h"
#include "rir2/memprovider.h"
#include "rir2/resource.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace
{

// The names of the lines "framestyle NAME" (NAME of letters, digits and '_'), read here line by
// line; nothing for a file with quotes or blocks, whose lines the token reader may join.
std::vector<std::string> plainFrameStyleNames(const uint8_t* pData, size_t nSize)
{
    const std::string sText((const char*)pData, nSize);
    std::vector<std::string> asNames;
    if (sText.find_first_of(std::string("\"{}\\\0", 5)) != std::string::npos)
        return asNames;
    size_t nStart = 0;
    while (nStart < sText.size())
    {
        size_t nEnd = sText.find('\n', nStart);
        if (nEnd == std::string::npos)
            nEnd = sText.size();
        std::string sLine = sText.substr(nStart, nEnd - nStart);
        nStart = nEnd + 1;
        const size_t nFirst = sLine.find_first_not_of(' ');
        if (nFirst == std::string::npos || sLine.compare(nFirst, 11, "framestyle ") != 0)
            continue;
        const size_t nName = sLine.find_first_not_of(' ', nFirst + 11);
        if (nName == std::string::npos)
            continue;
        const std::string sName = sLine.substr(nName);
        bool bPlain = !sName.empty();
        for (char c : sName)
            bPlain = bPlain && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                                (c >= '0' && c <= '9') || c == '_');
        if (bPlain)
            asNames.push_back(sName);
    }
    return asNames;
}

GameApp& app()
{
    static GameApp* s_pApp = nullptr;
    if (!s_pApp)
    {
        const FuzzPicture pictures[] = {
            {"img", 8, 8}, {"bg", 50, 20}, {"wide", 62, 6}, {"tall", 3, 40}};
        // Every theme loads the built-in font sheet: decoded once, copied for each theme.
        s_pApp = fuzzCreateApp(pictures, sizeof(pictures) / sizeof(pictures[0]),
                               Color(200, 100, 50, 255), new FuzzCachingImageFactory());
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
            for (std::string sName : plainFrameStyleNames(pData, nSize))
            {
                // The broken reader loses the last letter of a style's name.
                if (fuzzBrokenReader())
                    sName += "x";
                FUZZ_CHECK(pTheme->hasFrameStyle(sName.c_str()));
            }
            exercise(pTheme.get());
        }
        catch (const RIR::Exception&)
        {
        }
    }
    delete application.removeProvider(pNode);
    // Nothing of one input may stay for the next: its pictures, the sounds it named, and the
    // recording audio driver's log of the sounds it played.
    application.purgeImages();
    application.purgeSamples();
    static_cast<FakePlatform*>(application.getPlatform())->getLog()->clear();
    return 0;
}
