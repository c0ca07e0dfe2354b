// Fuzz target: the alias files of the resource lookup ("resource-alias.txt", "image-alias.txt"),
// read by GameApp::readAliasFile into a table that already holds an alias. A file that reads is
// merged whole, lower-cased; a malformed one merges nothing.
// Invariant: an accepted file adds only lower-cased pairs and keeps the alias already there; a
// refused one adds nothing.
#include "app/gameapp.h"
#include "app/log.h"
#include "fuzzcheck.h"
#include "rir2/exception.h"
#include "rir2/hash.h"
#include "rir2/hash_impl.h"
#include "rir2/list.h"
#include "rir2/list_impl.h"
#include "rir2/refcount.h"
#include "rir2/resource.h"
#include "rir2/rirstring.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace
{

typedef RIR::Hash<RIR::String, RIR::String> Table;

GameApp* application()
{
    // One application for the whole run, its log thrown away; kept until the process ends.
    static GameApp* s_pApp = nullptr;
    if (s_pApp == nullptr)
    {
        openLog("/dev/null");
        s_pApp = new GameApp();
    }
    return s_pApp;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize > FUZZ_MAX_INPUT)
        nSize = FUZZ_MAX_INPUT;
    GameApp* pApp = application();
    uint8_t* pCopy = new uint8_t[nSize];
    std::memcpy(pCopy, pData, nSize);
    RIR::SmartPtr<RIR::Resource> pFile(new RIR::Resource((int)nSize, pCopy, true));
    // One table for the run, kept reachable from here and emptied before and after every input.
    static Table* s_pAliases = new Table();
    Table& hAliases = *s_pAliases;
    hAliases.clear();
    hAliases.set("kept", "before");
    bool bRead = false;
    try
    {
        pApp->readAliasFile(pFile.get(), hAliases);
        bRead = true;
        // The broken reader keeps the names as written.
        if (fuzzBrokenReader())
            hAliases.set("Upper", "Case");
    }
    catch (const RIR::Exception&)
    {
    }
    const RIR::List<RIR::String> lKeys = hAliases.keys();
    if (!bRead)
        FUZZ_CHECK(lKeys.getLength() == 1);
    FUZZ_CHECK(hAliases.contains("kept"));
    for (int i = 0; i < lKeys.getLength(); ++i)
    {
        const RIR::String& sKey = lKeys.get(i);
        FUZZ_CHECK(sKey == sKey.toLower());
        FUZZ_CHECK(hAliases.get(sKey) == hAliases.get(sKey).toLower());
    }
    hAliases.clear();
    return 0;
}
