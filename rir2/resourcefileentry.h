// One record of a resource pack's index: the resource's name, where its zlib stream starts in the
// pack and how many bytes it inflates to.
//
// Stored form (Int32 in the stream's byte order):
//     Int32 header word 0x01454952 (low 24 bits 0x454952, format version 1 in the top byte),
//     the name in the string form (case kept), Int32 offset, Int32 size, the flag as a boolean.
// The index holds the records in the object-pointer form of objectstreamer.h, so a record is
// default-constructed and then filled by persistFrom.
#ifndef RIR2_RESOURCEFILEENTRY_H
#define RIR2_RESOURCEFILEENTRY_H

#include "rir2/rirstring.h"

#include <cstdint>

namespace RIR
{

class ObjectStreamer;

enum
{
    RESOURCE_ENTRY_MAGIC = 0x454952,   // low 24 bits of the record's header word
    RESOURCE_ENTRY_VERSION = 1,        // its top byte
    RESOURCE_ENTRY_HEADER = 0x01454952 // the header word written
};

class ResourceFileEntry
{
public:
    // An empty record (name "", offset 0, size 0, flag false), to be filled by persistFrom.
    ResourceFileEntry();
    // A record of the pack compiler: the name as given (null counts as ""), the absolute offset
    // of the entry's zlib stream and the uncompressed size.
    ResourceFileEntry(const char* pszName, int32_t nOffset, int32_t nSize, bool bFlag);
    virtual ~ResourceFileEntry();

    ResourceFileEntry(const ResourceFileEntry&) = default;
    ResourceFileEntry& operator=(const ResourceFileEntry&) = default;

    const String& getName() const { return m_sName; }
    int getOffset() const { return m_nOffset; }
    int getSize() const { return m_nSize; }
    bool getFlag() const { return m_bFlag; }

    // Writes the stored form above.
    void persistTo(ObjectStreamer& streamer);
    // Reads the stored form. A header word whose low 24 bits are not 0x454952 raises
    // FatalErrorException "ResourceFileEntry::persistFrom : bad stream format : 00454952, got
    // %08X"; another version raises "ResourceFileEntry::persistFrom : unknown format version %d".
    void persistFrom(ObjectStreamer& streamer);

private:
    String m_sName;
    int32_t m_nOffset;
    int32_t m_nSize;
    bool m_bFlag;
};

} // namespace RIR

#endif
