// The game's built packs opened the way the game opens them, for the content tests: the packs of
// the build's game/ folder in the game's order (the "3rdparty" folder among them), then the four
// text tables, in an application on SDL's image and sound back-ends; and the manifest read.
#ifndef DBD_CONTENT_LOADEDCONTENT_H
#define DBD_CONTENT_LOADEDCONTENT_H

#include "manifest.h"

#include "app/gameapp.h"

#include <map>
#include <string>
#include <vector>

class FakePlatform;

class LoadedContent
{
public:
    LoadedContent();
    ~LoadedContent();

    GameApp& app() { return m_app; }
    const Manifest& manifest() const { return m_manifest; }
    // Failures while opening the packs and text tables, one message each.
    const std::vector<std::string>& loadErrors() const { return m_lLoadErrors; }
    // The open pack by its name without ".dat"; null when it did not open.
    RIR::ResourceProvider* pack(const std::string& sPack);

    // The full name the lookup finds for the entry's name with the extensions, and whether it
    // was found in the entry's pack; "" when nowhere.
    std::string resolve(const ManifestEntry& entry, const char* const* ppszExtensions,
                        bool* pbInPack);

private:
    FakePlatform* m_pPlatform; // owned by m_app
    GameApp m_app;
    Manifest m_manifest;
    std::map<std::string, RIR::ResourceProvider*> m_hPacks;
    std::vector<std::string> m_lLoadErrors;
};

// The content of the build, opened once for all the tests of the executable.
LoadedContent& content();

// The text in lower case.
std::string lowered(std::string s);

#endif
