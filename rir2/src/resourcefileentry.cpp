#include "rir2/resourcefileentry.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/objectstreamer.h"

namespace RIR
{

ResourceFileEntry::ResourceFileEntry() : m_sName(), m_nOffset(0), m_nSize(0), m_bFlag(false)
{
    RIR_TRACE("ResourceFileEntry::ResourceFileEntry");
}

ResourceFileEntry::ResourceFileEntry(const char* pszName, int32_t nOffset, int32_t nSize,
                                     bool bFlag)
    : m_sName(pszName), m_nOffset(nOffset), m_nSize(nSize), m_bFlag(bFlag)
{
    RIR_TRACE("ResourceFileEntry::ResourceFileEntry");
}

ResourceFileEntry::~ResourceFileEntry()
{
    RIR_TRACE("ResourceFileEntry::~ResourceFileEntry");
}

void ResourceFileEntry::persistTo(ObjectStreamer& streamer)
{
    RIR_TRACE("ResourceFileEntry::persistTo");
    streamer.writeInt((int32_t)RESOURCE_ENTRY_HEADER);
    streamer.writeString(m_sName);
    streamer.writeInt(m_nOffset);
    streamer.writeInt(m_nSize);
    streamer.writeBool(m_bFlag);
}

void ResourceFileEntry::persistFrom(ObjectStreamer& streamer)
{
    RIR_TRACE("ResourceFileEntry::persistFrom");
    int32_t nHeader = 0;
    streamer.readInt(nHeader);
    const int nMagic = (int)((uint32_t)nHeader & 0xFFFFFF);
    if (nMagic != RESOURCE_ENTRY_MAGIC)
        RIR_THROW(
            FatalErrorException,
            String::format("ResourceFileEntry::persistFrom : bad stream format : %08X, got %08X",
                           (unsigned)RESOURCE_ENTRY_MAGIC, (unsigned)nMagic)
                .c_str());
    const int nVersion = nHeader >> 24;
    if (nVersion != RESOURCE_ENTRY_VERSION)
        RIR_THROW(
            FatalErrorException,
            String::format("ResourceFileEntry::persistFrom : unknown format version %d", nVersion)
                .c_str());
    RIR_TRACE_LINE();
    streamer.readString(m_sName);
    streamer.readInt(m_nOffset);
    streamer.readInt(m_nSize);
    streamer.readBool(m_bFlag);
}

} // namespace RIR
