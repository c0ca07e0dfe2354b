#include "rir2/resourcefile.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/file.h"
#include "rir2/inflater.h"
#include "rir2/objectstreamer.h"
#include "rir2/zstream.h"

#include <algorithm>
#include <new>
#include <unordered_set>

namespace RIR
{

namespace
{

// Bytes of a pack before its first entry: magic, signature, header word, index offset.
const int PACK_HEADER_SIZE = 12;

// Deflate never packs more than 1032 bytes into one byte of output; an entry claiming more
// uncompressed bytes than the rest of the file could hold is corrupt and is refused before its
// buffer is allocated. The slack covers the zlib header and trailer of tiny streams.
const int64_t MAX_INFLATE_RATIO = 1032;
const int64_t INFLATE_SLACK = 1024;

// The largest compressed-bytes buffer a pack keeps between loads.
const size_t PACKED_BUFFER_KEEP = 1 << 20;

// Owns the records of a list until they are handed on: frees them when the index cannot be read
// in full. A record that appears twice (a back-reference in a damaged index) is deleted once.
class EntryListGuard
{
public:
    explicit EntryListGuard(List<ResourceFileEntry*>& lEntries) : m_lEntries(lEntries) {}
    ~EntryListGuard()
    {
        std::unordered_set<ResourceFileEntry*> seen;
        for (m_lEntries.iterBegin(); m_lEntries.iterValid();)
        {
            ResourceFileEntry* pEntry = m_lEntries.iterCurrent();
            if (pEntry == nullptr || !seen.insert(pEntry).second)
                m_lEntries.iterRemove();
            else
                m_lEntries.iterNext();
        }
        m_lEntries.clearAndDelete();
    }
    EntryListGuard(const EntryListGuard&) = delete;
    EntryListGuard& operator=(const EntryListGuard&) = delete;

private:
    List<ResourceFileEntry*>& m_lEntries;
};

// Every record of an index is written once, as a new object. A null pointer or a reference back
// to an earlier record can only come from a damaged index.
void checkIndexEntries(List<ResourceFileEntry*>& lEntries)
{
    RIR_TRACE("ResourceFile::checkIndexEntries");
    std::unordered_set<ResourceFileEntry*> seen;
    int nIndex = 0;
    for (lEntries.iterBegin(); lEntries.iterValid(); lEntries.iterNext(), ++nIndex)
    {
        ResourceFileEntry* pEntry = lEntries.iterCurrent();
        if (pEntry == nullptr)
            RIR_THROW(BadStreamFormatException,
                      String::format("ResourceFile::ResourceFile : index entry %d is null", nIndex)
                          .c_str());
        if (!seen.insert(pEntry).second)
            RIR_THROW(BadStreamFormatException,
                      String::format("ResourceFile::ResourceFile : index entry %d repeats an "
                                     "earlier entry",
                                     nIndex)
                          .c_str());
    }
}

} // namespace

ResourceFile::ResourceFile(const char* pszPath)
    : m_pFile(), m_hEntries(97), m_nBaseOffset(0), m_nFileSize(0), m_anStreamStarts(),
      m_abPacked(), m_pInflater()
{
    RIR_TRACE("ResourceFile::ResourceFile");
    setTraceParams(pszPath);
    // The file is held by m_pFile from here on: every exception below closes it on the way out.
    RIR_TRACE_LINE();
    m_pFile.reset(new File(pszPath, FOM_READ));
    m_nFileSize = m_pFile->size();

    char acMagic[3] = {0, 0, 0};
    if (m_pFile->read(3, acMagic) != 3 || acMagic[0] != 'G' || acMagic[1] != 'R' ||
        acMagic[2] != 'F')
        RIR_THROW(FatalErrorException, "ResourceFile::ResourceFile : bad header");

    RIR_TRACE_LINE();
    std::unique_ptr<ObjectStreamer> pHeader(new ObjectStreamer(m_pFile.get(), false));
    int32_t nHeader = 0;
    pHeader->readInt(nHeader);
    if (((uint32_t)nHeader & 0xFFFFFF) != RESOURCE_PACK_MAGIC)
    {
        // Written in the other byte order: start again with every integer reversed.
        pHeader.reset();
        m_pFile->setNativeOrder(false);
        m_pFile->seek(0);
        m_pFile->read(3, acMagic);
        RIR_TRACE_LINE();
        pHeader.reset(new ObjectStreamer(m_pFile.get(), false));
        pHeader->readInt(nHeader);
        const unsigned nMagic = (uint32_t)nHeader & 0xFFFFFF;
        if (nMagic != RESOURCE_PACK_MAGIC)
            RIR_THROW(FatalErrorException,
                      String::format("ResourceFile::ResourceFile : bad stream format : %08X, got "
                                     "%08X",
                                     (unsigned)RESOURCE_PACK_MAGIC, nMagic)
                          .c_str());
    }
    const int nVersion = nHeader >> 24;
    if (nVersion != RESOURCE_PACK_VERSION)
        RIR_THROW(FatalErrorException,
                  String::format("ResourceFile::ResourceFile : unknown format version %d", nVersion)
                      .c_str());
    int32_t nIndexOffset = 0;
    pHeader->readInt(nIndexOffset);
    m_nBaseOffset = 0;
    pHeader.reset();

    List<ResourceFileEntry*> lEntries;
    EntryListGuard guard(lEntries);
    RIR_TRACE_LINE();
    readIndex(nIndexOffset, lEntries);
    fillTable(lEntries);
    m_pInflater.reset(new Inflater());
}

void ResourceFile::readIndex(int nIndexOffset, List<ResourceFileEntry*>& lEntries)
{
    RIR_TRACE("ResourceFile::readIndex");
    int nDbgStep = 0;
    try
    {
        // An offset outside the file would leave the file where it stands (a failed seek), so
        // the index would be read from the wrong bytes.
        if (nIndexOffset < PACK_HEADER_SIZE || nIndexOffset > m_nFileSize)
            RIR_THROW(BadStreamFormatException,
                      String::format("ResourceFile::ResourceFile : index offset outside the file "
                                     "(%d bytes)",
                                     m_nFileSize)
                          .c_str());
        m_pFile->seek(nIndexOffset);
        nDbgStep = 1;
        RIR_TRACE_LINE();
        std::unique_ptr<ZStream> pZip(new ZStream(m_pFile.get(), -1));
        pZip->setNativeOrder(m_pFile->isNativeOrder());
        // A cut or damaged index is an error, never a shorter list.
        pZip->setExactReads(true);
        nDbgStep = 2;
        RIR_TRACE_LINE();
        std::unique_ptr<ObjectStreamer> pIn(new ObjectStreamer(pZip.get(), false));
        nDbgStep = 3;
        char cKind = 0;
        pIn->readChar(cKind);
        RIR_TRACE_LINE();
        lEntries.persistFrom(*pIn);
        checkIndexEntries(lEntries);
        // The index is the last thing in the file: its stream ends there, complete.
        RIR_TRACE_LINE();
        pZip->checkEnd();
        const int64_t nIndexEnd = (int64_t)nIndexOffset + pZip->getCompressedCount();
        if (nIndexEnd != m_nFileSize)
            RIR_THROW(BadStreamFormatException,
                      String::format("ResourceFile::ResourceFile : %d bytes after the index",
                                     (int)(m_nFileSize - nIndexEnd))
                          .c_str());
        checkEntriesFit(lEntries, nIndexOffset);
        nDbgStep = 4;
        pIn.reset();
        nDbgStep = 5;
        pZip.reset();
    }
    catch (const Exception& e)
    {
        RIR_THROW(FatalErrorException,
                  String::format("ResourceFile::ResourceFile : index is corrupt [%s : %s at "
                                 "%s(%d)] nDbgStep = %d nIdxOff = %d",
                                 e.getClassName(), e.getMessage(), e.getFile(), e.getLine(),
                                 nDbgStep, nIndexOffset)
                      .c_str());
    }
}

void ResourceFile::checkEntriesFit(List<ResourceFileEntry*>& lEntries, int nIndexOffset)
{
    RIR_TRACE("ResourceFile::checkEntriesFit");
    // The entries' streams lie back to back between the header and the index, so each one ends
    // where the next one starts.
    m_anStreamStarts.clear();
    for (lEntries.iterBegin(); lEntries.iterValid(); lEntries.iterNext())
        m_anStreamStarts.push_back(lEntries.iterCurrent()->getOffset() + m_nBaseOffset);
    m_anStreamStarts.push_back(nIndexOffset);
    std::sort(m_anStreamStarts.begin(), m_anStreamStarts.end());
    m_anStreamStarts.erase(std::unique(m_anStreamStarts.begin(), m_anStreamStarts.end()),
                           m_anStreamStarts.end());
    int nIndex = 0;
    for (lEntries.iterBegin(); lEntries.iterValid(); lEntries.iterNext(), ++nIndex)
    {
        const ResourceFileEntry* pEntry = lEntries.iterCurrent();
        const int64_t nStart = (int64_t)pEntry->getOffset() + m_nBaseOffset;
        if (nStart < PACK_HEADER_SIZE || nStart >= nIndexOffset)
            RIR_THROW(BadStreamFormatException,
                      String::format("ResourceFile::ResourceFile : entry %d starts at %d, outside "
                                     "the entries' data (%d to %d)",
                                     nIndex, pEntry->getOffset(), PACK_HEADER_SIZE, nIndexOffset)
                          .c_str());
        if (pEntry->getSize() < 0)
            RIR_THROW(BadStreamFormatException,
                      String::format("ResourceFile::ResourceFile : entry %d has the size %d",
                                     nIndex, pEntry->getSize())
                          .c_str());
        const int64_t nPacked = entryEnd((int)nStart) - nStart;
        if (pEntry->getSize() > nPacked * MAX_INFLATE_RATIO + INFLATE_SLACK)
            RIR_THROW(BadStreamFormatException,
                      String::format("ResourceFile::ResourceFile : entry %d claims %d bytes from %d "
                                     "compressed bytes",
                                     nIndex, pEntry->getSize(), (int)nPacked)
                          .c_str());
    }
}

int ResourceFile::entryEnd(int nStart) const
{
    const auto it = std::upper_bound(m_anStreamStarts.begin(), m_anStreamStarts.end(), nStart);
    return it == m_anStreamStarts.end() ? m_nFileSize : *it;
}

void ResourceFile::fillTable(List<ResourceFileEntry*>& lEntries)
{
    RIR_TRACE("ResourceFile::fillTable");
    try
    {
        while (!lEntries.isEmpty())
        {
            std::unique_ptr<ResourceFileEntry> pEntry(lEntries.takeFirst());
            const String sKey = pEntry->getName().toLower();
            ResourceFileEntry* pEarlier =
                m_hEntries.contains(sKey) ? m_hEntries.get(sKey) : nullptr;
            m_hEntries.set(sKey, pEntry.get());
            pEntry.release();
            delete pEarlier;
        }
        m_hEntries.rehashToFit();
    }
    catch (...)
    {
        // The destructor does not run for a constructor that fails.
        m_hEntries.deleteValues();
        throw;
    }
}

ResourceFile::~ResourceFile()
{
    RIR_TRACE("ResourceFile::~ResourceFile");
    m_pFile.reset();
    m_hEntries.deleteValues();
}

bool ResourceFile::exists(const char* pszName)
{
    RIR_TRACE("ResourceFile::exists");
    return m_hEntries.contains(String(pszName).toLower());
}

Resource* ResourceFile::load(const char* pszName)
{
    RIR_TRACE("ResourceFile::load");
    setTraceParams(pszName);
    RIR_TRACE_LINE();
    ResourceFileEntry* pEntry = m_hEntries.get(String(pszName).toLower());
    RIR_ASSERT(pEntry);
    const int nSize = pEntry->getSize();
    RIR_ASSERT(nSize >= 0);

    // Records that do not fit the file were refused when the pack was opened; what is left to
    // go wrong is the compressed data itself: cut, damaged, ending early, running on or followed
    // by stray bytes.
    const int nStart = pEntry->getOffset() + m_nBaseOffset;
    const int nPacked = entryEnd(nStart) - nStart;
    std::unique_ptr<uint8_t[]> pData(new (std::nothrow) uint8_t[nSize > 0 ? nSize : 1]);
    RIR_ASSERT(pData);
    if ((int)m_abPacked.size() < nPacked)
        m_abPacked.resize((size_t)nPacked);
    RIR_TRACE_LINE();
    const int nGot = m_pFile->readAt(nStart, nPacked, m_abPacked.data());
    int nRead = nSize;
    if (nGot != nPacked)
    {
        setTraceParams(String::format("%s : read %d of %d bytes", pszName, nGot, nPacked).c_str());
        nRead = -1;
    }
    else if (!m_pInflater->inflateExact(m_abPacked.data(), nPacked, pData.get(), nSize))
    {
        // The reason goes into the trace entry, where the exception's snapshot keeps it.
        setTraceParams(
            String::format("%s : %s", pszName, m_pInflater->getReason().c_str()).c_str());
        nRead = -1;
    }
    else if (m_pInflater->getConsumed() != nPacked)
    {
        // The streams lie back to back: bytes between this one's end and the next one's start
        // belong to no entry, so the pack is damaged (as with bytes after the index).
        setTraceParams(String::format("%s : bytes after the compressed data: %d", pszName,
                                      nPacked - m_pInflater->getConsumed())
                           .c_str());
        nRead = -1;
    }
    // A buffer grown for one unusually large entry (a piece of music) is not kept for the pack's
    // lifetime.
    if (m_abPacked.size() > PACKED_BUFFER_KEEP)
        std::vector<uint8_t>().swap(m_abPacked);
    RIR_ASSERT(nRead == nSize);
    return new Resource(nSize, pData.release(), true);
}

List<String> ResourceFile::names()
{
    RIR_TRACE("ResourceFile::names");
    return m_hEntries.keys();
}

String ResourceFile::mapName(const char* pszName)
{
    RIR_TRACE("ResourceFile::mapName");
    return String(pszName);
}

List<ResourceFileEntry*>* ResourceFile::getEntryList()
{
    RIR_TRACE("ResourceFile::getEntryList");
    return new List<ResourceFileEntry*>(m_hEntries.values());
}

int ResourceFile::getEntrySize(const char* pszName)
{
    RIR_TRACE("ResourceFile::getEntrySize");
    return m_hEntries.get(String(pszName).toLower())->getSize();
}

} // namespace RIR
