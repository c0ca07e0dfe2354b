// GameApp's resource lookup: the providers in search order, the alias tables read from them, the
// lookup by name and extension list, the built-in resources and the installed languages.
//
// The search order is the provider list: index 0 first. Within one provider the caller's
// extensions are tried in their order, so an earlier provider outranks a better extension in a
// later one. A name is replaced at most once by "resource-alias.txt" (exact case), and the name
// asked for is then not tried. Lookups never throw for a missing name; getResource does.
#include "app/gameapp.h"

#include "app/iplatform.h"
#include "app/log.h"
#include "app/systemfont.h"
#include "gfx/imagefactory.h"

#include "rir2/calltrace.h"
#include "rir2/directory.h"
#include "rir2/exception.h"
#include "rir2/file.h"
#include "rir2/fsprovider.h"
#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"
#include "rir2/memprovider.h"
#include "rir2/resourcefile.h"
#include "rir2/tokenfilereader.h"

#include <cerrno>
#include <cstring>

namespace
{

const char* const IMAGE_ALIAS_FILE = "image-alias.txt";
const char* const RESOURCE_ALIAS_FILE = "resource-alias.txt";
// The one-entry list of the bare name.
const char* const BARE_NAME[] = {"", nullptr};

} // namespace

// ---- providers ---------------------------------------------------------------------------------

GameApp::ProviderNode* GameApp::addProvider(RIR::ResourceProvider* pProvider, bool bFront)
{
    RIR_TRACE("GameApp::addProvider");
    RIR_ASSERT(pProvider);
    ProviderNode* pNode = bFront ? m_lProviders.prepend(pProvider) : m_lProviders.append(pProvider);
    readAliases(pProvider);
    return pNode;
}

RIR::ResourceProvider* GameApp::removeProvider(ProviderNode* pNode)
{
    RIR_TRACE("GameApp::removeProvider");
    RIR_ASSERT(pNode);
    return m_lProviders.removeNode(pNode);
}

GameApp::ProviderNode* GameApp::addResourceFile(const char* pszPath, bool bFront)
{
    RIR_TRACE("GameApp::addResourceFile");
    const RIR::String sPath(pszPath);
    RIR::setTraceParams(sPath.c_str());
    logPrintf("G: +%s\n", sPath.c_str());
    errno = 0;
    if (!RIR::fileExists(sPath.c_str()))
    {
        // A folder opens without an error; an empty path is never tried.
        int nError = errno;
        if (nError == 0)
            nError = sPath.length() > 0 ? EISDIR : ENOENT;
        const RIR::String sMessage =
            RIR::String::format("Resource file %s not found [%d]", sPath.c_str(), nError);
        RIR_THROW(FatalErrorException, sMessage.c_str());
    }
    RIR_TRACE_LINE();
    RIR::ResourceFile* pPack = new RIR::ResourceFile(sPath.c_str());
    return addProvider(pPack, bFront);
}

GameApp::ProviderNode* GameApp::addResourceFolder(const char* pszFolder, bool bFront)
{
    RIR_TRACE("GameApp::addResourceFolder");
    const RIR::String sFolder(pszFolder);
    logPrintf("G: +%s\n", sFolder.c_str());
    return addProvider(new RIR::FilesystemResourceProvider(sFolder.c_str()), bFront);
}

// ---- aliases -----------------------------------------------------------------------------------

void GameApp::readAliases(RIR::ResourceProvider* pProvider)
{
    RIR_TRACE("GameApp::readAliases");
    RIR_ASSERT(pProvider);
    if (pProvider->exists(IMAGE_ALIAS_FILE))
    {
        RIR_TRACE_LINE();
        RIR::SmartPtr<RIR::Resource> pFile(pProvider->load(IMAGE_ALIAS_FILE));
        readAliasFile(pFile.get(), m_hImageAliases);
    }
    if (pProvider->exists(RESOURCE_ALIAS_FILE))
    {
        RIR_TRACE_LINE();
        RIR::SmartPtr<RIR::Resource> pFile(pProvider->load(RESOURCE_ALIAS_FILE));
        readAliasFile(pFile.get(), m_hResourceAliases);
    }
}

void GameApp::readAliasFile(RIR::Resource* pResource, RIR::Hash<RIR::String, RIR::String>& hAliases)
{
    RIR_TRACE("GameApp::readAliasFile");
    RIR_ASSERT(pResource);
    // Both columns are lower-cased: aliases match lower-case requests only.
    const RIR::String sText = pResource->asString().toLower();
    RIR::TokenFileReader reader(sText.c_str());
    // A malformed line fails here, before anything of this file is merged.
    RIR::SmartPtr<RIR::Hash<RIR::String, RIR::String>> pRead = reader.readAsHash();
    hAliases.merge(*pRead);
    hAliases.rehashToFit();
}

// ---- lookup ------------------------------------------------------------------------------------

void GameApp::findResource(RIR::String& sFullName, const char* pszName,
                           RIR::ResourceProvider** pResFile, const char* const* ppszExtensions)
{
    RIR_TRACE("GameApp::findResource");
    RIR_ASSERT(pResFile);
    *pResFile = nullptr;
    RIR::String sName(pszName);
    RIR::setTraceParams(sName.c_str());
    // One step only: the replacement is not looked up again.
    const RIR::Hash<RIR::String, RIR::String>::Node* pAlias = m_hResourceAliases.findNode(sName);
    if (pAlias)
        sName = pAlias->m_value;
    if (!ppszExtensions || !ppszExtensions[0])
        ppszExtensions = BARE_NAME;

    const int nProviders = m_lProviders.getLength();
    for (int i = 0; i < nProviders; ++i)
    {
        RIR::ResourceProvider* pProvider = m_lProviders.get(i);
        for (const char* const* ppszExt = ppszExtensions; *ppszExt; ++ppszExt)
        {
            const RIR::String sCandidate = sName + *ppszExt;
            if (pProvider->exists(sCandidate.c_str()))
            {
                sFullName = pProvider->mapName(sCandidate.c_str());
                *pResFile = pProvider;
                return;
            }
        }
    }
    sFullName = "";
}

RIR::String GameApp::resolveResourceName(const char* pszName, const char* const* ppszExtensions)
{
    RIR_TRACE("GameApp::resolveResourceName");
    RIR::String sFullName;
    RIR::ResourceProvider* pProvider = nullptr;
    findResource(sFullName, pszName, &pProvider, ppszExtensions);
    return sFullName;
}

bool GameApp::hasResource(const char* pszName)
{
    RIR_TRACE("GameApp::hasResource");
    return resolveResourceName(pszName, nullptr).length() > 0;
}

RIR::SmartPtr<RIR::Resource> GameApp::getResource(const char* pszName)
{
    RIR_TRACE("GameApp::getResource");
    RIR::String sFullName;
    RIR::ResourceProvider* pProvider = nullptr;
    findResource(sFullName, pszName, &pProvider, BARE_NAME);
    if (sFullName.length() > 0 && pProvider)
    {
        RIR_TRACE_LINE();
        RIR::SmartPtr<RIR::Resource> pResource(pProvider->load(sFullName.c_str()));
        if (pResource)
            return pResource;
    }
    const RIR::String sMessage = RIR::String::format(
        "GameApp::getResource() : Resource '%s' not found", pszName ? pszName : "");
    RIR_THROW(ResourceException, sMessage.c_str());
}

RIR::List<RIR::String> GameApp::getResourceNames()
{
    RIR_TRACE("GameApp::getResourceNames");
    RIR::List<RIR::String> lNames;
    const int nProviders = m_lProviders.getLength();
    for (int i = 0; i < nProviders; ++i)
        lNames.appendAll(m_lProviders.get(i)->names());
    return lNames;
}

void GameApp::dumpResourceNames()
{
    RIR_TRACE("GameApp::dumpResourceNames");
    const RIR::List<RIR::String> lNames = getResourceNames();
    logPrintf("U: ----- Resource names -----\n");
    for (int i = 0; i < lNames.getLength(); ++i)
        logPrintf("U: %s\n", lNames.get(i).c_str());
    logPrintf("U: --------------------------\n");
}

// ---- built-in resources ------------------------------------------------------------------------

void GameApp::addSystemResources()
{
    RIR_TRACE("GameApp::addSystemResources");
    // The two built-in pictures need the platform's image factory; a platform without pictures
    // (a headless test platform) goes without them.
    if (m_pPlatform && m_pPlatform->getImageFactory())
    {
        // A half-transparent black patch and an invisible placeholder, kept for good.
        RIR::SmartPtr<Image> pPatch = createImage(80, 60, false);
        pPatch->setAlpha(128);
        addImage("greyoverlaypatch", pPatch, true);
        RIR::SmartPtr<Image> pEmpty = createImage(2, 2, true);
        addImage("empty", pEmpty, true);
    }

    // Searched before every pack and folder.
    RIR::MemoryResourceProvider* pBuiltIn = new RIR::MemoryResourceProvider();
    addProvider(pBuiltIn, true);
    int nSize = 0;
    const uint8_t* pBytes = getSystemFontPng(&nSize);
    // A view over program data: neither copied nor owned.
    pBuiltIn->add(SYSTEM_FONT_RESOURCE,
                  new RIR::Resource(nSize, const_cast<uint8_t*>(pBytes), false));
}

// ---- languages ---------------------------------------------------------------------------------

RIR::SmartPtr<RIR::Hash<RIR::String, RIR::List<RIR::String>>>
GameApp::findLanguages(const RIR::List<RIR::String>& lPackBaseNames, const char* pszDefaultLanguage,
                       bool bKeepIncomplete)
{
    RIR_TRACE("GameApp::findLanguages");
    typedef RIR::Hash<RIR::String, RIR::List<RIR::String>> LanguageTable;
    RIR::SmartPtr<LanguageTable> pLanguages(new LanguageTable(LanguageTable::DEFAULT_BUCKETS));
    const int nPacks = lPackBaseNames.getLength();

    RIR::SmartPtr<RIR::Directory> pFolder(new RIR::Directory("."));
    const RIR::List<RIR::SmartPtr<RIR::DirEntry>> lEntries = pFolder->getEntries();
    for (int e = 0; e < lEntries.getLength(); ++e)
    {
        const RIR::SmartPtr<RIR::DirEntry> pEntry = lEntries.get(e);
        // A folder is no pack, whatever its name.
        if (pEntry->isFolder())
            continue;
        const RIR::String& sFile = pEntry->getName();
        const RIR::String sBase = sFile.replaceAll(".dat", "").toLower();
        const int nUnderscore = sBase.findChar('_');
        const RIR::String sLanguage =
            nUnderscore >= 0 ? sBase.from(nUnderscore + 1) : RIR::String(pszDefaultLanguage);

        int nPack = -1;
        for (int i = 0; i < nPacks && nPack < 0; ++i)
        {
            const RIR::String& sPackBase = lPackBaseNames.getNode(i)->m_value;
            if (std::strncmp(sBase.c_str(), sPackBase.c_str(), (size_t)sPackBase.length()) == 0)
                nPack = i;
        }
        if (nPack < 0)
            continue;

        if (!pLanguages->contains(sLanguage))
        {
            RIR::List<RIR::String> lSlots;
            for (int i = 0; i < nPacks; ++i)
                lSlots.append(RIR::String());
            pLanguages->set(sLanguage, lSlots);
        }
        pLanguages->get(sLanguage).getNode(nPack)->m_value = sFile;
    }

    if (!bKeepIncomplete)
    {
        const RIR::List<RIR::String> lCodes = pLanguages->keys();
        for (int i = 0; i < lCodes.getLength(); ++i)
        {
            const RIR::String sCode = lCodes.get(i);
            if (pLanguages->get(sCode).indexOf(RIR::String()) >= 0)
                pLanguages->remove(sCode);
        }
    }
    return pLanguages;
}

RIR::String GameApp::chooseLanguage(RIR::Hash<RIR::String, RIR::List<RIR::String>>& hLanguages,
                                    const RIR::List<RIR::String>& lPreferred)
{
    RIR_TRACE("GameApp::chooseLanguage");
    for (int i = 0; i < lPreferred.getLength(); ++i)
    {
        const RIR::String sCode = lPreferred.get(i);
        if (hLanguages.contains(sCode))
            return sCode;
    }
    if (!hLanguages.isEmpty())
        return hLanguages.keys().get(0);
    return RIR::String();
}

RIR::List<RIR::String> GameApp::getLanguageFiles(const RIR::List<RIR::String>& lPackBaseNames,
                                                 const RIR::List<RIR::String>& lPreferred,
                                                 const char* pszDefaultLanguage)
{
    RIR_TRACE("GameApp::getLanguageFiles");
    RIR::SmartPtr<RIR::Hash<RIR::String, RIR::List<RIR::String>>> pLanguages =
        findLanguages(lPackBaseNames, pszDefaultLanguage, false);
    const RIR::String sCode = chooseLanguage(*pLanguages, lPreferred);
    if (sCode.length() == 0)
        RIR_THROW(FatalErrorException, "No installed languages found");
    return pLanguages->get(sCode);
}

RIR::String GameApp::getLanguage(const RIR::List<RIR::String>& lPackBaseNames,
                                 const RIR::List<RIR::String>& lPreferred,
                                 const char* pszDefaultLanguage)
{
    RIR_TRACE("GameApp::getLanguage");
    RIR::SmartPtr<RIR::Hash<RIR::String, RIR::List<RIR::String>>> pLanguages =
        findLanguages(lPackBaseNames, pszDefaultLanguage, false);
    const RIR::String sCode = chooseLanguage(*pLanguages, lPreferred);
    if (sCode.length() == 0)
        RIR_THROW(FatalErrorException, "No installed languages found");
    return sCode;
}
