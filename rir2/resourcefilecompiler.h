// The writer of resource packs (layout in resourcefile.h).
//
// A compiler writes one pack into a write-only stream (a File opened with FOM_WRITE, or an owned
// MemStream): begin writes the header with a zero index offset, every addEntry appends one
// resource as its own zlib stream, and finish writes the index (always at level 9) and patches
// the header with its offset. Between begin and finish the pack is not readable. Integers go out
// in the stream's byte order: clear its native-order flag before begin for a pack in the other
// byte order.
//
// Every write is checked: when the stream refuses bytes (a full disk, an I/O error) begin,
// addEntry and finish raise instead of leaving a pack that only looks complete. A File buffers
// its last bytes, so the owner closes it with File::close, which raises when they could not be
// written, before it trusts the pack.
//
// Usage:
//     File* pFile = new File("misc.dat", FOM_WRITE);
//     SmartPtr<ResourceFileCompiler> pPack(new ResourceFileCompiler(SmartPtr<Stream>(pFile)));
//     pPack->begin();
//     pPack->addEntry(pReader, "dolly.theme"); // a MemStream positioned at 0
//     pPack->finish();
//     pFile->close();
#ifndef RIR2_RESOURCEFILECOMPILER_H
#define RIR2_RESOURCEFILECOMPILER_H

#include "rir2/list.h"
#include "rir2/refcount.h"
#include "rir2/resourcefileentry.h"
#include "rir2/stream.h"

#include <cstdint>

namespace RIR
{

class MemStream;

enum
{
    RESOURCE_PACK_COPY_BLOCK = 65536, // bytes moved per step while an entry is compressed
    RESOURCE_PACK_INDEX_LEVEL = 9     // the index's compression level, whatever the entries use
};

class ResourceFileCompiler : public RefCountedObject
{
public:
    // pStream: the pack being written, write-only; a null stream fails "Assertion failed :
    // pStream". Level 9, no entries.
    explicit ResourceFileCompiler(SmartPtr<Stream> pStream);
    // Deletes the records of entries added but never finished.
    ~ResourceFileCompiler() override;

    ResourceFileCompiler(const ResourceFileCompiler&) = delete;
    ResourceFileCompiler& operator=(const ResourceFileCompiler&) = delete;

    // The level of the entries added from now on: 0 to 9, or -1 for 9.
    void setCompressionLevel(int nLevel);
    int getCompressionLevel() const { return m_nLevel; }

    // Writes "GRF", 05, the header word and a zero index offset at the stream's position.
    void begin();
    // Compresses pData's size() bytes, read from its position, as the next entry named pszName
    // (case kept; null counts as ""). Returns the compressed byte count. Raises
    // FatalErrorException when pData runs dry before delivering them all; the entry is then
    // dropped (its partial bytes stay in the stream, unreferenced) and the compiler can go on.
    int addEntry(MemStream* pData, const char* pszName);
    // Writes the index, patches the header and deletes the records.
    void finish();

    // The records added so far, in order.
    const List<ResourceFileEntry*>& getEntries() const { return m_lEntries; }

private:
    // The stream's position, refused when the pack has grown past what an Int32 offset holds.
    int position(const char* pszCaller);
    // Writes 05, the header word and nIndexOffset through a new object streamer and checks that
    // the 9 bytes reached the stream.
    void writeHeader(int32_t nIndexOffset, const char* pszCaller);

    SmartPtr<Stream> m_pStream;
    List<ResourceFileEntry*> m_lEntries;
    int32_t m_nHeaderPos;
    int32_t m_nLevel;
};

} // namespace RIR

#endif
