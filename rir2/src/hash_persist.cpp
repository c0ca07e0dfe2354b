#include "rir2/hash_persist.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list.h"
#include "rir2/list_persist_impl.h"
#include "rir2/objectstreamer.h"

#include <cstdio>
#include <memory>

namespace RIR
{

namespace
{

// The legacy version 1 stored its bucket count; more than the largest count a table ever gets
// is damaged data.
const int LEGACY_MAX_BUCKETS = 6421;

// Reads the three type letters of a legacy table.
void readLegacyTypeLetters(ObjectStreamer& streamer)
{
    RIR_TRACE("Hash::readLegacyTypeLetters");
    unsigned char acType[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i)
        streamer.readUChar(acType[i]);
    if (acType[0] != 'h' || acType[1] != 's' || acType[2] != 'H')
        RIR_THROW(BadStreamFormatException, "Hash::persistFrom : bad stream format\n");
}

} // namespace

template <> void Hash<String, String>::persistTo(ObjectStreamer& streamer)
{
    RIR_TRACE("Hash::persistTo");
    streamer.writeUChar((unsigned char)STT_HASH_TAG);
    const List<String> lKeys = keys();
    const List<String> lValues = values();
    const int nCount = lKeys.getLength();
    streamer.writeVarUInt((unsigned)nCount);
    for (int i = 0; i < nCount; ++i)
    {
        RIR_TRACE_LINE();
        streamer.writeString(lKeys.get(i));
        streamer.writeString(lValues.get(i));
    }
}

template <> void Hash<String, String>::persistFrom(ObjectStreamer& streamer)
{
    RIR_TRACE("Hash::persistFrom");
    clear();
    unsigned char cTag = 0;
    streamer.readUChar(cTag);

    if (cTag == 1 || cTag == 2)
    {
        readLegacyTypeLetters(streamer);
        List<String> lKeys;
        List<String> lValues;
        if (cTag == 1)
        {
            fprintf(stderr, "WARNING : %s\n", "Hash::persistFrom : reading old format version 1");
            int32_t nBuckets = 0;
            streamer.readInt(nBuckets);
            if (nBuckets < 1 || nBuckets > LEGACY_MAX_BUCKETS)
                RIR_THROW(BadStreamFormatException,
                          String::format("Hash::persistFrom : bad bucket count %d\n", (int)nBuckets)
                              .c_str());
            allocateBuckets(nBuckets);
            for (int nBucket = 0; nBucket < nBuckets; ++nBucket)
            {
                char cIgnored = 0;
                streamer.readChar(cIgnored);
                RIR_TRACE_LINE();
                const int nCount = readListHeader(streamer);
                for (int i = 0; i < nCount; ++i)
                {
                    char cKind = 0;
                    streamer.readChar(cKind);
                    // Each node belongs to exactly one place: a null or a second reference to a
                    // node would be dereferenced or deleted twice further on.
                    if (cKind == (char)ORK_NULL)
                        RIR_THROW(BadStreamFormatException,
                                  "Hash::persistFrom : null node in old format version 1\n");
                    uint32_t nId = 0;
                    streamer.readULong(nId);
                    if (cKind != (char)ORK_NEW)
                    {
                        if (!streamer.isLoaded(nId))
                            RIR_THROW(FatalErrorException, "AlreadyLoaded failed");
                        RIR_THROW(BadStreamFormatException,
                                  "Hash::persistFrom : shared node in old format version 1\n");
                    }
                    std::unique_ptr<Node> pNode(new Node());
                    RIR_TRACE_LINE();
                    streamer.readString(pNode->m_key);
                    streamer.readString(pNode->m_value);
                    streamer.addLoadedObject(nId, pNode.get());
                    bucketAt(nBucket).append(pNode.get());
                    pNode.release();
                }
            }
            lKeys = keys();
            lValues = values();
        }
        else
        {
            char cIgnored = 0;
            streamer.readChar(cIgnored);
            RIR_TRACE_LINE();
            lKeys.persistFrom(streamer);
            streamer.readChar(cIgnored);
            RIR_TRACE_LINE();
            lValues.persistFrom(streamer);
            if (lKeys.getLength() != lValues.getLength())
                RIR_THROW(BadStreamFormatException, "Hash::persistFrom : bad stream format\n");
        }

        const int nCount = lKeys.getLength();
        allocateBuckets(chooseBucketCount(nCount));
        for (int i = 0; i < nCount; ++i)
            set(lKeys.get(i), lValues.get(i));
        return;
    }

    if ((cTag & 0x0F) != STT_HASH)
        RIR_THROW(BadStreamFormatException, "Hash::persistFrom : bad stream format\n");
    if ((cTag & 0xF0) != STT_VERSION)
        RIR_THROW(BadStreamFormatException, "Hash::persistFrom : unknown format version\n");
    // Pair by pair: a damaged count ends with the data, never with a huge allocation.
    const unsigned nCount = streamer.readVarUInt();
    for (unsigned i = 0; i < nCount; ++i)
    {
        String sKey;
        String sValue;
        RIR_TRACE_LINE();
        streamer.readString(sKey);
        streamer.readString(sValue);
        set(sKey, sValue);
    }
    rehashToFit();
}

} // namespace RIR
