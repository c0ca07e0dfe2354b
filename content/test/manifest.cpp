#include "manifest.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <sstream>

namespace
{

const char* const KINDS[] = {"picture", "sample", "music", "file",       "text",
                             "anim",    "parts",  "font",  "buttonstyle", "framestyle"};

std::string lowered(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return (char)std::tolower(c); });
    return s;
}

} // namespace

const std::vector<std::string>& gamePacks()
{
    static const std::vector<std::string> s_lPacks = {
        "lang_en", "misc", "characters", "dolly", "scenes", "sound", "story",
        "characters1", "dolly1", "scenes1", "sound1", "story1"};
    return s_lPacks;
}

Manifest parseManifest(const std::string& sText, const std::string& sSource)
{
    Manifest manifest;
    std::set<std::string> seen;
    std::istringstream in(sText);
    std::string sLine;
    int nLine = 0;
    while (std::getline(in, sLine))
    {
        ++nLine;
        const size_t nHash = sLine.find('#');
        if (nHash != std::string::npos)
            sLine.erase(nHash);
        std::istringstream words(sLine);
        std::vector<std::string> lWords;
        std::string sWord;
        while (words >> sWord)
            lWords.push_back(sWord);
        if (lWords.empty())
            continue;
        const std::string sWhere = sSource + ":" + std::to_string(nLine) + ": ";
        if (lWords.size() != 3)
        {
            manifest.lErrors.push_back(sWhere + "expected \"<pack> <kind> <name>\"");
            continue;
        }
        ManifestEntry entry{lWords[0], lWords[1], lWords[2], nLine};
        const auto& lPacks = gamePacks();
        if (std::find(lPacks.begin(), lPacks.end(), entry.sPack) == lPacks.end())
        {
            manifest.lErrors.push_back(sWhere + "unknown pack \"" + entry.sPack + "\"");
            continue;
        }
        if (std::find(std::begin(KINDS), std::end(KINDS), entry.sKind) == std::end(KINDS))
        {
            manifest.lErrors.push_back(sWhere + "unknown kind \"" + entry.sKind + "\"");
            continue;
        }
        if (!seen.insert(entry.sKind + " " + lowered(entry.sName)).second)
        {
            manifest.lErrors.push_back(sWhere + entry.sKind + " \"" + entry.sName +
                                       "\" is listed twice");
            continue;
        }
        manifest.lEntries.push_back(entry);
    }
    return manifest;
}
