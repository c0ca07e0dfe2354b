// The reader of resource packs: one file holding many named resources, each compressed on its
// own as a zlib stream, and a compressed index of them.
//
// Pack layout (Int32 = 32 bits in the writer's byte order, little-endian on our targets):
//     offset 0   "GRF"
//     offset 3   05, the object-stream signature
//     offset 4   Int32 header word 0x01465247: low 24 bits 0x465247, format version 1 on top
//     offset 8   Int32 absolute offset of the index
//     offset 12  one complete zlib stream per resource, back to back, in the order added
//     index      one zlib stream to the end of the file, inflating to 05 00 and the list form of
//                the ResourceFileEntry records (resourcefileentry.h) in the object-pointer form
// A pack whose header word reads reversed was written in the other byte order; it is then read
// whole (index included) with the native-order flag cleared.
//
// Names are compared lower-cased: "Data/Hello.TXT" is found as "data/hello.txt" and as
// "DATA/HELLO.TXT" and listed as "data/hello.txt". When two records differ only in case, the
// later one wins.
//
// Failure contract:
// - construction: FileAccessException for a missing or unopenable file; FatalErrorException
//   "ResourceFile::ResourceFile : bad header" (not "GRF"), "... : bad stream format : 00465247,
//   got %08X" (the header word fits neither byte order), "... : unknown format version %d", and
//   "... : index is corrupt [%s : %s at %s(%d)] nDbgStep = %d nIdxOff = %d" wrapping any library
//   exception raised while the index is read (class, message, file, line, step 0..5, index
//   offset). The header's object-stream signature check passes its own error unchanged. Whatever
//   fails, the file is closed and every record read so far freed before the exception leaves.
// - construction also refuses, wrapped in the same index-is-corrupt message, an index that does
//   not fit the file: a cut or damaged index stream, bytes after it, a record whose stream
//   starts outside the entries' data, a negative size, or more bytes than the record's
//   compressed data could inflate to;
// - load: the table's missing-key error, then AssertFailException "Assertion failed : pEntry",
//   "... : nSize >= 0", "... : pData" (no memory), and "... : nRead == nSize" for an entry whose
//   data is cut, damaged (its check fails), ends before its size or runs on past it; the reason
//   is then in the note of the load's call-trace entry, which the exception's snapshot keeps.
//   One refused entry does not spoil the others.
//
// Each entry's stream ends where the next one starts (the last one at the index): a load reads
// those bytes in one call, without moving the file's position, and inflates them in one step
// with a zlib state kept for the reader's lifetime. One thread at a time.
//
// Usage:
//     ResourceFile pack("misc.dat");
//     SmartPtr<Resource> pRes(pack.load("Cursor.png"));
#ifndef RIR2_RESOURCEFILE_H
#define RIR2_RESOURCEFILE_H

#include "rir2/hash.h"
#include "rir2/list.h"
#include "rir2/resource.h"
#include "rir2/resourcefileentry.h"
#include "rir2/rirstring.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace RIR
{

class File;
class Inflater;

enum
{
    RESOURCE_PACK_MAGIC = 0x465247,   // low 24 bits of the header word ("GRF")
    RESOURCE_PACK_VERSION = 1,        // its top byte
    RESOURCE_PACK_HEADER = 0x01465247 // the header word written
};

class ResourceFile : public ResourceProvider
{
public:
    // Opens the pack at pszPath, checks its header and reads its index (see above).
    explicit ResourceFile(const char* pszPath);
    // Closes the file and deletes every record.
    ~ResourceFile() override;

    ResourceFile(const ResourceFile&) = delete;
    ResourceFile& operator=(const ResourceFile&) = delete;

    // Whether the lower-cased name is in the pack; never raises.
    bool exists(const char* pszName) override;
    // A new owning resource with the entry's inflated bytes; it outlives the pack.
    Resource* load(const char* pszName) override;
    // The lower-cased names, in table order.
    List<String> names() override;
    // The name unchanged.
    String mapName(const char* pszName) override;

    // A new list of the records in table order; the caller deletes the list, never the records.
    virtual List<ResourceFileEntry*>* getEntryList();
    // The uncompressed size of the named entry; a missing name raises the missing-key error.
    virtual int getEntrySize(const char* pszName);

private:
    // Reads the index at nIndexOffset into lEntries (steps 0 to 5), wrapping library exceptions
    // in the index-is-corrupt message.
    void readIndex(int nIndexOffset, List<ResourceFileEntry*>& lEntries);
    // Moves the records of lEntries into the table under their lower-cased names.
    void fillTable(List<ResourceFileEntry*>& lEntries);
    // Refuses the index when a record cannot lie in the file: its stream starting outside the
    // entries' data, a negative size, or more bytes than its compressed data could inflate to.
    // Records where each entry's stream may end.
    void checkEntriesFit(List<ResourceFileEntry*>& lEntries, int nIndexOffset);
    // Where the entry stream starting at nStart ends: the next entry's start or the index.
    int entryEnd(int nStart) const;

    std::unique_ptr<File> m_pFile;
    Hash<String, ResourceFileEntry*> m_hEntries;
    int32_t m_nBaseOffset;
    int32_t m_nFileSize; // the pack's length, to refuse entries that cannot lie inside it
    std::vector<int32_t> m_anStreamStarts; // every entry start and the index offset, sorted
    std::vector<uint8_t> m_abPacked;       // one entry's compressed bytes, reused by every load
    std::unique_ptr<Inflater> m_pInflater; // one zlib state, reset for every load
};

} // namespace RIR

#endif
