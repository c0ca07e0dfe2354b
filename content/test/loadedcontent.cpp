#include "loadedcontent.h"

#include "platform/sdl/sdlaudiodriver.h"
#include "platform/sdl/sdlimagefactory.h"
#include "testkit/fakeplatform.h"

#include "rir2/exception.h"
#include "rir2/list_impl.h"
#include "rir2/resourcefile.h"

#include <SDL.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

namespace
{

const char* const TEXT_TABLES[] = {"messages.txt", "credits.txt", "story.txt", "private.txt"};

std::string readFile(const std::string& sPath)
{
    std::ifstream in(sPath, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

std::string lowered(std::string s)
{
    for (char& c : s)
        c = (char)std::tolower((unsigned char)c);
    return s;
}

LoadedContent::LoadedContent() : m_pPlatform(new FakePlatform(true))
{
    if (!SDL_WasInit(SDL_INIT_VIDEO))
    {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE) < 0)
            m_lLoadErrors.push_back(std::string("SDL_Init failed: ") + SDL_GetError());
    }
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    m_pPlatform->adoptImageFactory(new SDLImageFactory());
    m_pPlatform->setAudioDriver(new SDLAudioDriver());
    // The application owns its platform and deletes it when it goes.
    m_app.setPlatform(m_pPlatform);

    const std::string sManifest = DBD_CONTENT_MANIFEST;
    m_manifest = parseManifest(readFile(sManifest), "content/manifest.txt");
    try
    {
        m_app.init(800, 600, 0, RIR::SmartPtr<Image>());
        const std::string sGame = DBD_CONTENT_GAME_DIR;
        for (const std::string& sPack : gamePacks())
        {
            // The folder comes after the first seven packs, as in the game.
            if (sPack == "characters1")
                m_app.addResourceFolder((sGame + "/3rdparty/").c_str(), false);
            const std::string sPath = sGame + "/" + sPack + ".dat";
            GameApp::ProviderNode* pNode = m_app.addResourceFile(sPath.c_str(), false);
            m_hPacks[sPack] = pNode->m_value;
        }
    }
    catch (const RIR::Exception& e)
    {
        m_lLoadErrors.push_back(std::string("opening the packs: ") + e.getMessage());
    }
    for (const char* pszTable : TEXT_TABLES)
    {
        try
        {
            m_app.loadStrings(pszTable);
        }
        catch (const RIR::Exception& e)
        {
            m_lLoadErrors.push_back(std::string("text table ") + pszTable + ": " +
                                    e.getMessage());
        }
    }
}

LoadedContent::~LoadedContent()
{
    m_app.purgeCaches();
}

RIR::ResourceProvider* LoadedContent::pack(const std::string& sPack)
{
    auto it = m_hPacks.find(sPack);
    return it == m_hPacks.end() ? nullptr : it->second;
}

std::string LoadedContent::resolve(const ManifestEntry& entry, const char* const* ppszExtensions,
                                   bool* pbInPack)
{
    RIR::String sFull;
    RIR::ResourceProvider* pProvider = nullptr;
    m_app.findResource(sFull, entry.sName.c_str(), &pProvider, ppszExtensions);
    *pbInPack = pProvider && pProvider == pack(entry.sPack);
    return sFull.c_str();
}

LoadedContent& content()
{
    static std::unique_ptr<LoadedContent> s_pContent(new LoadedContent());
    return *s_pContent;
}
