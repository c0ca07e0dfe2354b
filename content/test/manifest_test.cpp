// The content manifest against the built packs.
//
// The packs of the build's game/ folder are opened the way the game opens them (its pack order,
// the "3rdparty" folder among them, then the four text tables) in an application on SDL's image
// and sound back-ends. Every listed name must resolve through the engine's own lookup of its kind,
// inside the pack the manifest names, and decode; every entry of every pack must be claimed by a
// listed name. Each failure names the entry.
#include "loadedcontent.h"
#include "manifest.h"

#include "app/gameapp.h"
#include "gfx/animation.h"
#include "gfx/fontfactorytable.h"
#include "gfx/imageenv.h"
#include "platform/sdl/sdlmusic.h"
#include "platform/sdl/sdlsample.h"
#include "platform/sdl/sdlttffactory.h"
#include "testkit/fakeplatform.h"
#include "ui/theme.h"

#include "rir2/exception.h"
#include "rir2/list_impl.h"
#include "rir2/resourcefile.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace
{

// The names each lookup tries, in the order the back-ends try them.
const char* const PICTURE_EXTENSIONS[] = {".jpg", ".png", ".subimage", nullptr};
const char* const SAMPLE_EXTENSIONS[] = {".ogg", ".wav", ".voc", nullptr};
const char* const MUSIC_EXTENSIONS[] = {".ogg", ".wav", ".xm", nullptr};

// Records the names of the resources and pictures fetched through it, passing every call on to
// the environment it wraps.
class RecordingEnvironment : public ImageEnvironment
{
public:
    explicit RecordingEnvironment(ImageEnvironment* pInner) : m_pInner(pInner) {}
    bool hasResource(const char* pszName) override { return m_pInner->hasResource(pszName); }
    RIR::SmartPtr<RIR::Resource> getResource(const char* pszName) override
    {
        m_lResources.push_back(lowered(pszName));
        return m_pInner->getResource(pszName);
    }
    RIR::String resolveResourceName(const char* pszName,
                                    const char* const* ppszExtensions) override
    {
        return m_pInner->resolveResourceName(pszName, ppszExtensions);
    }
    RIR::SmartPtr<Image> getImage(const char* pszName) override
    {
        m_lPictures.push_back(pszName);
        return m_pInner->getImage(pszName);
    }
    ImageFactory* getImageFactory() override { return m_pInner->getImageFactory(); }

    std::vector<std::string> m_lResources;
    std::vector<std::string> m_lPictures;

private:
    ImageEnvironment* m_pInner;
};

std::vector<std::string> splitWords(const std::string& sText, char cSeparator)
{
    std::vector<std::string> lWords;
    std::string sWord;
    for (char c : sText)
    {
        if (c == cSeparator)
        {
            lWords.push_back(sWord);
            sWord.clear();
        }
        else
            sWord += (c == '~') ? ' ' : c;
    }
    lWords.push_back(sWord);
    return lWords;
}

// What the check of one entry found: an error text ("" when it resolved) and the pack entries it
// accounts for.
struct Check
{
    std::string sError;
    std::vector<std::string> lClaimed;
};

// The game's theme, read once from the packs with the TrueType fonts the game's platform gives.
// It goes before the application does (it is made after it), and the factory's cache of faces
// is emptied then, as the platform does at shutdown.
class LoadedTheme
{
public:
    LoadedTheme() : m_pFactory(new SDLTTFFactory())
    {
        FontFactoryTable::registerFactory("TrueType", m_pFactory.get());
        try
        {
            RIR::SmartPtr<Theme> pTheme = new Theme();
            pTheme->load("dolly.theme");
            m_pTheme = pTheme;
        }
        catch (const RIR::Exception& e)
        {
            m_sError = std::string("dolly.theme fails to load: ") + e.getMessage();
        }
    }
    ~LoadedTheme()
    {
        m_pTheme.release();
        FontFactoryTable::unregisterFactory("TrueType");
        m_pFactory->clearCache();
    }

    RIR::SmartPtr<SDLTTFFactory> m_pFactory;
    RIR::SmartPtr<Theme> m_pTheme;
    std::string m_sError;
};

// Null (and the error) when the theme does not load.
Theme* gameTheme(std::string* psError)
{
    content();
    static LoadedTheme s_theme;
    *psError = s_theme.m_sError;
    return s_theme.m_pTheme.get();
}

// A font or a style of the theme: it must be there (with the "" styles beside a named one), and
// a button style must compose its four states.
Check checkThemeEntry(const ManifestEntry& entry)
{
    Check check;
    Theme* pTheme = gameTheme(&check.sError);
    if (!pTheme)
        return check;
    const char* pszName = entry.sName.c_str();
    try
    {
        if (entry.sKind == "font" && !pTheme->hasFont(pszName))
            check.sError = "is not a font of dolly.theme";
        else if (entry.sKind == "framestyle" && (!pTheme->hasFrameStyle(pszName) ||
                                                 !pTheme->hasFrameStyle("")))
            check.sError = "is not a frame style of dolly.theme (or it has no \"\" style)";
        else if (entry.sKind == "buttonstyle")
        {
            if (!pTheme->hasButtonStyle(pszName) || !pTheme->hasButtonStyle(""))
                check.sError = "is not a button style of dolly.theme (or it has no \"\" style)";
            else
                for (int nState = 0; nState < BS_COUNT; ++nState)
                {
                    pTheme->getButtonImage("Howdy", nState, -1, pszName);
                    pTheme->getButtonImage("Howdy", nState, -1, "");
                }
        }
    }
    catch (const RIR::Exception& e)
    {
        check.sError = std::string("fails: ") + e.getMessage();
    }
    return check;
}

Check checkEntry(const ManifestEntry& entry)
{
    if (entry.sKind == "font" || entry.sKind == "buttonstyle" || entry.sKind == "framestyle")
        return checkThemeEntry(entry);
    LoadedContent& c = content();
    GameApp& app = c.app();
    Check check;
    const char* const BARE[] = {"", nullptr};
    const char* const* ppszExtensions = BARE;
    if (entry.sKind == "picture")
        ppszExtensions = PICTURE_EXTENSIONS;
    else if (entry.sKind == "sample")
        ppszExtensions = SAMPLE_EXTENSIONS;
    else if (entry.sKind == "music")
        ppszExtensions = MUSIC_EXTENSIONS;

    if (entry.sKind == "parts")
    {
        RIR::ResourceProvider* pPack = c.pack(entry.sPack);
        const RIR::List<RIR::String> lNames = pPack ? pPack->names() : RIR::List<RIR::String>();
        for (int i = 0; i < lNames.getLength(); ++i)
        {
            const std::string sName = lowered(lNames.get(i).c_str());
            if (sName.rfind(lowered(entry.sName), 0) == 0 && sName.size() > 4 &&
                sName.compare(sName.size() - 4, 4, ".png") == 0)
                check.lClaimed.push_back(sName);
        }
        if (check.lClaimed.empty())
            check.sError = "names no picture";
        return check;
    }
    if (entry.sKind == "anim")
    {
        const std::vector<std::string> lWords = splitWords(entry.sName, '|');
        RIR::List<RIR::String> lParts;
        for (size_t i = 1; i < lWords.size(); ++i)
            lParts.append(RIR::String(lWords[i].c_str()));
        ManifestEntry file = entry;
        file.sName = lWords[0];
        bool bInPack = false;
        if (c.resolve(file, BARE, &bInPack).empty())
            check.sError = "is missing";
        else if (!bInPack)
            check.sError = "resolves outside " + entry.sPack + ".dat";
        if (!check.sError.empty())
            return check;
        ImageEnvironment* pApp = getImageEnvironment();
        RecordingEnvironment recorder(pApp);
        setImageEnvironment(&recorder);
        try
        {
            const std::string sKey = "manifest:" + entry.sName;
            RIR::SmartPtr<Animation> pAnim =
                app.getAnimation(lWords[0].c_str(), sKey.c_str(), lParts);
            if (pAnim->getSequenceNames().isEmpty())
                check.sError = "has no sequence";
            app.removeAnimation(sKey.c_str());
        }
        catch (const RIR::Exception& e)
        {
            check.sError = std::string("fails to load: ") + e.getMessage();
        }
        setImageEnvironment(pApp);
        for (const std::string& sName : recorder.m_lResources)
            check.lClaimed.push_back(sName);
        for (const std::string& sPicture : recorder.m_lPictures)
        {
            ManifestEntry picture = entry;
            picture.sName = sPicture;
            const std::string sFull = c.resolve(picture, PICTURE_EXTENSIONS, &bInPack);
            if (!sFull.empty() && bInPack)
                check.lClaimed.push_back(lowered(sFull));
        }
        return check;
    }
    if (entry.sKind == "text")
    {
        if (!app.hasString(entry.sName.c_str()))
            check.sError = "is not in the string table";
        else if (std::string(app.getString(entry.sName.c_str())).empty())
            check.sError = "has an empty text";
        return check;
    }
    bool bInPack = false;
    const std::string sFull = c.resolve(entry, ppszExtensions, &bInPack);
    if (sFull.empty())
    {
        check.sError = "is missing";
        return check;
    }
    if (!bInPack)
    {
        check.sError = "resolves to " + sFull + " outside " + entry.sPack + ".dat";
        return check;
    }
    check.lClaimed.push_back(lowered(sFull));
    try
    {
        if (entry.sKind == "picture")
        {
            if (!app.canLoadImage(entry.sName.c_str()))
                check.sError = "is not found by the image lookup";
            else if (!app.getImage(entry.sName.c_str()))
                check.sError = "does not load as a picture";
        }
        else if (entry.sKind == "sample")
        {
            RIR::SmartPtr<Sample> pSample;
            if (app.canLoadSample(entry.sName.c_str()))
                pSample = app.getSample(entry.sName.c_str());
            SDLSample* pSDL = dynamic_cast<SDLSample*>(pSample.get());
            if (!pSample)
                check.sError = "is not found by the sample lookup";
            else if (pSDL && app.isAudioOK() && !pSDL->getChunk())
                check.sError = "does not decode as a sample";
        }
        else if (entry.sKind == "music")
        {
            RIR::SmartPtr<Music> pMusic;
            if (app.canLoadMusic(entry.sName.c_str()))
                pMusic = app.getMusic(entry.sName.c_str());
            SDLMusic* pSDL = dynamic_cast<SDLMusic*>(pMusic.get());
            if (!pMusic)
                check.sError = "is not found by the music lookup";
            else if (pSDL && app.isAudioOK() && !pSDL->getMixMusic())
                check.sError = "does not decode as music";
        }
        else if (app.getResource(entry.sName.c_str())->getSize() == 0)
        {
            check.sError = "is empty";
        }
    }
    catch (const RIR::Exception& e)
    {
        check.sError = std::string("fails to load: ") + e.getMessage();
    }
    return check;
}

// The check of every manifest entry, in manifest order, made once for the tests that need them
// (loading every animation of the cast takes most of the test's time).
const std::vector<Check>& allChecks()
{
    static std::vector<Check> s_lChecks;
    static bool s_bDone = false;
    if (!s_bDone)
    {
        for (const ManifestEntry& entry : content().manifest().lEntries)
            s_lChecks.push_back(checkEntry(entry));
        s_bDone = true;
    }
    return s_lChecks;
}

std::string describe(const ManifestEntry& entry)
{
    return "content/manifest.txt:" + std::to_string(entry.nLine) + ": " + entry.sKind + " \"" +
           entry.sName + "\" (" + entry.sPack + ".dat)";
}

} // namespace

TEST(ContentManifest, ReadsWhole)
{
    for (const std::string& sError : content().manifest().lErrors)
        ADD_FAILURE() << sError;
    for (const std::string& sError : content().loadErrors())
        ADD_FAILURE() << sError;
    EXPECT_FALSE(content().manifest().lEntries.empty());
    // SDL's dummy audio opens the mixer, so samples and music are decoded, not only found.
    EXPECT_TRUE(content().app().isAudioOK()) << "the mixer did not open: sounds go undecoded";
}

TEST(ContentManifest, EveryListedNameResolves)
{
    const std::vector<ManifestEntry>& lEntries = content().manifest().lEntries;
    for (size_t i = 0; i < lEntries.size(); ++i)
        if (!allChecks()[i].sError.empty())
            ADD_FAILURE() << describe(lEntries[i]) << " " << allChecks()[i].sError;
}

TEST(ContentManifest, EveryPackEntryIsListed)
{
    std::map<std::string, std::set<std::string>> claimed;
    const std::vector<ManifestEntry>& lEntries = content().manifest().lEntries;
    for (size_t i = 0; i < lEntries.size(); ++i)
        for (const std::string& sName : allChecks()[i].lClaimed)
            claimed[lEntries[i].sPack].insert(sName);
    for (const std::string& sPack : gamePacks())
    {
        RIR::ResourceProvider* pPack = content().pack(sPack);
        if (!pPack)
        {
            ADD_FAILURE() << sPack << ".dat is not open";
            continue;
        }
        const RIR::List<RIR::String> lNames = pPack->names();
        for (int i = 0; i < lNames.getLength(); ++i)
        {
            const std::string sName = lowered(lNames.get(i).c_str());
            EXPECT_TRUE(claimed[sPack].count(sName))
                << sPack << ".dat holds " << sName << ", which content/manifest.txt does not list";
        }
    }
}

TEST(ContentManifest, ReportsMalformedLines)
{
    const Manifest manifest = parseManifest("misc picture cursor\n"
                                            "# a comment line\n"
                                            "misc picture\n"
                                            "nowhere picture cursor\n"
                                            "misc drawing cursor\n"
                                            "misc picture CURSOR  # twice\n"
                                            "lang_en text cursor\n",
                                            "m.txt");
    ASSERT_EQ(2u, manifest.lEntries.size());
    EXPECT_EQ("cursor", manifest.lEntries[0].sName);
    EXPECT_EQ(1, manifest.lEntries[0].nLine);
    EXPECT_EQ("text", manifest.lEntries[1].sKind);
    const std::vector<std::string> lExpected = {
        "m.txt:3: expected \"<pack> <kind> <name>\"", "m.txt:4: unknown pack \"nowhere\"",
        "m.txt:5: unknown kind \"drawing\"", "m.txt:6: picture \"CURSOR\" is listed twice"};
    EXPECT_EQ(lExpected, manifest.lErrors);
}
