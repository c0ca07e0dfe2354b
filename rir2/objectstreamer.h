// The object-graph serializer.
//
// An ObjectStreamer writes or reads the library's serialized forms over one one-directional
// Stream. It fixes the value forms (fixed-width integers, floats, booleans, variable-length
// integers, the tagged string form) and keeps the object ids of the pointer protocol, so that an
// object reachable through several pointers is written once and read back as one object.
//
// Forms (Int32 = 32 bits in the stream's byte order, varint = the 7-bit form of Stream):
// - signature: a writer's first byte is 05. A reader accepts any first byte, except that 01
//   announces the legacy 26-byte signature 01 72 74 53 00 00 00 12 "RIR2 Object Stream", which
//   must then follow in full.
// - string: 12, varint length, bytes (legacy, read only: 01 'r' 't' 'S', Int32 length, bytes).
// - list: 14, varint count, elements (legacy, read only: 01 't' 's' 'L', Int32 count, elements).
// - hash table: 13, varint count, key and value pairs (legacy version bytes 01 and 02 followed
//   by 'h' 's' 'H', read only).
// - boolean: one byte, 1 or 0; only 1 reads as true.
// - object pointer: null = kind 02; first occurrence = kind 00, Int32 id, the object's own form;
//   later occurrence = kind 01, Int32 id. Readers take every kind other than 0 and 2 as a later
//   occurrence. Ids count from 0 in the order the objects are first written.
// - object by value: a kind byte (00 written, ignored when read), then the object's own form.
//
// A class T takes part by providing `void persistTo(ObjectStreamer&)` (writes its own form) and
// `void persistFrom(ObjectStreamer&)` (reads it into an existing object); the four templates at
// the end of this file build the by-value and by-pointer forms from them.
//
// Lifetime: one streamer serves one job over an already positioned stream; ids are valid only
// within it. Delete the streamer before the streams under it (a ZStream under it completes its
// data when deleted).
//
// Failure contract:
// - construction: FatalErrorException "RIR::ObjectStreamer : Bidirectional streams not
//   supported" for a stream that can both read and write, "Wrong ObjectStreamer signature" for a
//   reader whose stream starts with 01 but not with the whole legacy signature;
// - the value operations never report a short read: the value is then 0 (a string "");
// - readString raises BadStreamFormatException for a wrong tag, an unknown format version, a
//   negative length or one beyond STRING_MAX_LENGTH;
// - readObjectPointer raises FatalErrorException "AlreadyLoaded failed" for a back-reference to
//   an id not read before; an object whose persistFrom raises is deleted before the exception
//   passes on.
//
// Usage (writing):
//     ObjectStreamer* pOut = new ObjectStreamer(pZStream, false); // writes 05
//     pOut->writeChar(0);
//     table.persistTo(*pOut);
//     delete pOut; // then the ZStream, then the file
#ifndef RIR2_OBJECTSTREAMER_H
#define RIR2_OBJECTSTREAMER_H

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <cstdint>
#include <memory>

namespace RIR
{

class Stream;
class String;
template <class K, class V> class Hash;

enum
{
    OBJECT_STREAM_SIGNATURE = 5,              // the first byte a writer writes
    OBJECT_STREAM_LEGACY_SIGNATURE_SIZE = 26, // bytes of the legacy signature, its 01 included
    // The longest string the string reader accepts. Stored lengths come from files a user can
    // damage (the settings file, the packs); a longer one is refused rather than trusted.
    STRING_MAX_LENGTH = 0x04000000
};

// The tag bytes of the container forms: format version 1 in the high four bits, the type in the
// low four bits.
enum StreamTypeTag
{
    STT_VERSION = 0x10,
    STT_STRING = 0x02,
    STT_HASH = 0x03,
    STT_LIST = 0x04,
    STT_STRING_TAG = STT_VERSION | STT_STRING, // 0x12
    STT_HASH_TAG = STT_VERSION | STT_HASH,     // 0x13
    STT_LIST_TAG = STT_VERSION | STT_LIST,     // 0x14
    STT_LEGACY = 0x01                          // the version byte that starts the legacy forms
};

// The kind byte of the object forms.
enum ObjectRefKind
{
    ORK_NEW = 0,       // first occurrence: id and the object's form follow
    ORK_REFERENCE = 1, // later occurrence: the id follows
    ORK_NULL = 2       // null pointer: nothing follows
};

class ObjectStreamer
{
public:
    // Binds to pStream (deleted by the destructor when bOwnsStream). A writer writes the
    // signature byte at once; a reader reads and checks it. Raises as described above; the
    // stream is not deleted when construction fails.
    ObjectStreamer(Stream* pStream, bool bOwnsStream);
    // Deletes the id table, and the stream when owned.
    virtual ~ObjectStreamer();

    ObjectStreamer(const ObjectStreamer&) = delete;
    ObjectStreamer& operator=(const ObjectStreamer&) = delete;

    Stream* getStream() const { return m_pStream; }
    bool isWriting() const { return m_bWriting; }

    // ---- writer bookkeeping ------------------------------------------------------------------

    // Gives pObject the next id and returns it; the next id then grows by one.
    int registerObject(const void* pObject);
    // The id registered for pObject, or -1.
    int findObjectId(const void* pObject);

    // ---- reader bookkeeping ------------------------------------------------------------------

    // Records the object created for nId (a later record for the same id replaces it).
    void addLoadedObject(uint32_t nId, void* pObject);
    bool isLoaded(uint32_t nId);
    // The object recorded for nId; a missing id raises the hash table's missing-key error.
    void* getLoadedObject(uint32_t nId);

    // ---- values ------------------------------------------------------------------------------
    // Writers return true when the stream accepted every byte. Readers store into the variable
    // passed and report nothing; a value cut short by the end of the stream reads as 0.
    // 16- and 32-bit integers follow the stream's native-order flag; bytes, floats, doubles,
    // booleans, variable-length integers and strings never change order.

    bool writeChar(char c);
    void readChar(char& c);
    bool writeUChar(unsigned char c);
    void readUChar(unsigned char& c);
    bool writeShort(int16_t n);
    void readShort(int16_t& n);
    bool writeUShort(uint16_t n);
    void readUShort(uint16_t& n);
    bool writeInt(int32_t n);
    void readInt(int32_t& n);
    bool writeUInt(uint32_t n);
    void readUInt(uint32_t& n);
    // "Long" is a 32-bit word in the stream, whatever the machine's long.
    bool writeLong(int32_t n);
    void readLong(int32_t& n);
    bool writeULong(uint32_t n);
    void readULong(uint32_t& n);
    bool writeFloat(float f);
    void readFloat(float& f);
    bool writeDouble(double f);
    void readDouble(double& f);
    // Writes 1 or 0; only the byte 1 reads as true.
    bool writeBool(bool b);
    void readBool(bool& b);
    bool writeVarInt(int n);
    int readVarInt();
    bool writeVarUInt(unsigned n);
    unsigned readVarUInt();
    // The string form; a null text is written as the empty one.
    bool writeString(const char* pszText);
    bool writeString(const String& sText);
    void readString(String& sText);

private:
    Hash<unsigned long, unsigned long>* m_pObjectIds;
    int32_t m_nNextId;
    bool m_bWriting;
    Stream* m_pStream;
    bool m_bOwnsStream;
};

// ---- the object forms of a serializable class T -----------------------------------------------

// By value: kind byte 0, then pObject's own form.
template <class T> void writeObject(ObjectStreamer& streamer, const T* pObject)
{
    RIR_TRACE("writeObject");
    streamer.writeChar((char)ORK_NEW);
    const_cast<T*>(pObject)->persistTo(streamer);
}

// By value: reads and ignores the kind byte, then fills pObject.
template <class T> void readObject(ObjectStreamer& streamer, T* pObject)
{
    RIR_TRACE("readObject");
    char cKind = 0;
    streamer.readChar(cKind);
    pObject->persistFrom(streamer);
}

// The pointer form: null, a back-reference to an object written before, or a new id and the
// object's own form.
template <class T> void writeObjectPointer(ObjectStreamer& streamer, const T* pObject)
{
    RIR_TRACE("writeObjectPointer");
    if (pObject == nullptr)
    {
        streamer.writeChar((char)ORK_NULL);
        return;
    }
    const int nId = streamer.findObjectId(pObject);
    if (nId >= 0)
    {
        streamer.writeChar((char)ORK_REFERENCE);
        streamer.writeULong((uint32_t)nId);
        return;
    }
    const int nNewId = streamer.registerObject(pObject);
    streamer.writeChar((char)ORK_NEW);
    streamer.writeULong((uint32_t)nNewId);
    RIR_TRACE_LINE();
    const_cast<T*>(pObject)->persistTo(streamer);
}

// The pointer form: *ppObject becomes null, the object read before under the id, or a new,
// default-constructed T filled by its persistFrom and then recorded under its id. A new object
// whose persistFrom raises is deleted, and *ppObject is left unchanged.
template <class T> void readObjectPointer(ObjectStreamer& streamer, T** ppObject)
{
    RIR_TRACE("readObjectPointer");
    char cKind = 0;
    streamer.readChar(cKind);
    if (cKind == (char)ORK_NULL)
    {
        *ppObject = nullptr;
        return;
    }
    uint32_t nId = 0;
    streamer.readULong(nId);
    if (cKind == (char)ORK_NEW)
    {
        std::unique_ptr<T> pNew(new T());
        RIR_TRACE_LINE();
        pNew->persistFrom(streamer);
        streamer.addLoadedObject(nId, pNew.get());
        *ppObject = pNew.release();
        return;
    }
    if (!streamer.isLoaded(nId))
        RIR_THROW(FatalErrorException, "AlreadyLoaded failed");
    *ppObject = static_cast<T*>(streamer.getLoadedObject(nId));
}

} // namespace RIR

#endif
