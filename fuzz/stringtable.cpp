// Fuzz target: the readers of the text tables, loadTextStrings (key and text lines) and
// loadXmlStrings (XML rows), each over the whole input (up to its first zero byte, as a C text).
// Both store under upper-cased keys and keep what they read before an error.
// Invariant: every key stored is upper-cased, and entries already in the table stay.
#include "app/stringtable.h"
#include "fuzzcheck.h"
#include "rir2/exception.h"
#include "rir2/hash.h"
#include "rir2/hash_impl.h"
#include "rir2/list.h"
#include "rir2/list_impl.h"
#include "rir2/rirstring.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace
{

typedef RIR::Hash<RIR::String, RIR::String> Table;

void checkTable(Table& hStrings)
{
    const RIR::List<RIR::String> lKeys = hStrings.keys();
    FUZZ_CHECK(lKeys.getLength() == hStrings.values().getLength());
    for (int i = 0; i < lKeys.getLength(); ++i)
    {
        const RIR::String& sKey = lKeys.get(i);
        FUZZ_CHECK(sKey == sKey.toUpper());
        FUZZ_CHECK(hStrings.contains(sKey));
    }
    // An entry that was there before stays unless the input names it.
    FUZZ_CHECK(hStrings.contains("KEPT"));
}

// The table the readers fill, made once and kept reachable from here: a table's buckets are dear
// next to a short text. It is emptied after every read, so each read starts from "KEPT" alone.
Table& table()
{
    static Table* s_pStrings = new Table();
    return *s_pStrings;
}

template <typename Reader> void readInto(Reader reader, const std::string& sText)
{
    Table& hStrings = table();
    hStrings.clear();
    hStrings.set("KEPT", "before");
    try
    {
        // The broken reader starts from an empty table.
        if (fuzzBrokenReader())
            hStrings.clear();
        reader(sText.c_str(), hStrings);
    }
    catch (const RIR::Exception&)
    {
    }
    checkTable(hStrings);
    hStrings.clear();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize > FUZZ_MAX_INPUT)
        nSize = FUZZ_MAX_INPUT;
    const std::string sText(reinterpret_cast<const char*>(pData), nSize);
    readInto(loadTextStrings, sText);
    readInto(loadXmlStrings, sText);
    return 0;
}
