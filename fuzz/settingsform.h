// The settings file's form checked independently of its reader: zlib's one-shot decoder, then a
// plain object-stream reading of what it inflated to.
#ifndef FUZZ_SETTINGSFORM_H
#define FUZZ_SETTINGSFORM_H

#include "fuzzcheck.h"
#include "sametable.h"
#include "zlibcheck.h"

#include "rir2/memstream.h"
#include "rir2/objectstreamer.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// An accepted settings file must be one whole zlib stream with its check held, inflating to the
// signature, the kind byte and exactly the table that was read.
inline void fuzzCheckSettingsForm(const uint8_t* pData, size_t nSize,
                                  RIR::Hash<RIR::String, RIR::String>& hRead)
{
    std::vector<uint8_t> abContent;
    FUZZ_CHECK(fuzzInflateWhole(pData, nSize, abContent));
    RIR::MemStream content(abContent.data(), (int)abContent.size());
    RIR::ObjectStreamer in(&content, false);
    char cKind = 0;
    in.readChar(cKind);
    RIR::Hash<RIR::String, RIR::String> hAgain;
    hAgain.persistFrom(in);
    FUZZ_CHECK(content.tell() == content.size());
    FUZZ_CHECK(fuzzSameTable(hAgain, hRead));
}

#endif
