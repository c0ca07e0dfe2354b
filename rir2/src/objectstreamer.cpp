#include "rir2/objectstreamer.h"

#include "rir2/hash.h"
#include "rir2/rirstring.h"
#include "rir2/stream.h"

#include <cstring>

namespace RIR
{

namespace
{

// Every table of the system starts with this many buckets; the id table never grows.
const int OBJECT_ID_BUCKETS = 97;

// The legacy signature: the legacy string form of "RIR2 Object Stream" with a big-endian length.
const uint8_t LEGACY_SIGNATURE[OBJECT_STREAM_LEGACY_SIGNATURE_SIZE] = {
    0x01, 0x72, 0x74, 0x53, 0x00, 0x00, 0x00, 0x12, 'R', 'I', 'R', '2', ' ',
    'O',  'b',  'j',  'e',  'c',  't',  ' ',  'S',  't', 'r', 'e', 'a', 'm'};

unsigned long pointerKey(const void* p)
{
    return (unsigned long)(uintptr_t)p;
}

typedef Hash<unsigned long, unsigned long> IdTable;

// The id table, made at its first use: most streamers read or write only values and strings,
// and a table of OBJECT_ID_BUCKETS buckets is dear next to a short-lived streamer.
IdTable& idTable(IdTable*& pTable)
{
    if (!pTable)
        pTable = new IdTable(OBJECT_ID_BUCKETS);
    return *pTable;
}

} // namespace

ObjectStreamer::ObjectStreamer(Stream* pStream, bool bOwnsStream)
    : m_pObjectIds(nullptr), m_nNextId(0), m_bWriting(false), m_pStream(pStream),
      m_bOwnsStream(bOwnsStream)
{
    RIR_TRACE("ObjectStreamer::ObjectStreamer");
    RIR_ASSERT(pStream != nullptr);
    if (m_pStream->can(SA_READ) && m_pStream->can(SA_WRITE))
        RIR_THROW(FatalErrorException, "RIR::ObjectStreamer : Bidirectional streams not supported");
    m_bWriting = m_pStream->can(SA_WRITE);
    if (m_bWriting)
    {
        RIR_TRACE_LINE();
        m_pStream->writeByte((uint8_t)OBJECT_STREAM_SIGNATURE);
    }
    else
    {
        uint8_t abSignature[OBJECT_STREAM_LEGACY_SIGNATURE_SIZE];
        memset(abSignature, 0, sizeof(abSignature));
        abSignature[0] = m_pStream->readByte();
        // Only the byte 01 announces the legacy signature; any other first byte is accepted.
        if (abSignature[0] == LEGACY_SIGNATURE[0])
        {
            RIR_TRACE_LINE();
            for (int i = 1; i < OBJECT_STREAM_LEGACY_SIGNATURE_SIZE; ++i)
                abSignature[i] = m_pStream->readByte();
            if (memcmp(abSignature, LEGACY_SIGNATURE, sizeof(abSignature)) != 0)
                RIR_THROW(FatalErrorException, "Wrong ObjectStreamer signature");
        }
    }
    m_nNextId = 0;
}

ObjectStreamer::~ObjectStreamer()
{
    RIR_TRACE("ObjectStreamer::~ObjectStreamer");
    delete m_pObjectIds;
    if (m_bOwnsStream)
        delete m_pStream;
}

int ObjectStreamer::registerObject(const void* pObject)
{
    RIR_TRACE("ObjectStreamer::registerObject");
    const int nId = m_nNextId;
    idTable(m_pObjectIds).set(pointerKey(pObject), (unsigned long)nId);
    ++m_nNextId;
    return nId;
}

int ObjectStreamer::findObjectId(const void* pObject)
{
    RIR_TRACE("ObjectStreamer::findObjectId");
    const unsigned long nKey = pointerKey(pObject);
    if (!idTable(m_pObjectIds).contains(nKey))
        return -1;
    return (int)idTable(m_pObjectIds).get(nKey);
}

void ObjectStreamer::addLoadedObject(uint32_t nId, void* pObject)
{
    RIR_TRACE("ObjectStreamer::addLoadedObject");
    idTable(m_pObjectIds).set((unsigned long)nId, pointerKey(pObject));
}

bool ObjectStreamer::isLoaded(uint32_t nId)
{
    RIR_TRACE("ObjectStreamer::isLoaded");
    return idTable(m_pObjectIds).contains((unsigned long)nId);
}

void* ObjectStreamer::getLoadedObject(uint32_t nId)
{
    RIR_TRACE("ObjectStreamer::getLoadedObject");
    return (void*)(uintptr_t)idTable(m_pObjectIds).get((unsigned long)nId);
}

bool ObjectStreamer::writeChar(char c)
{
    RIR_TRACE("ObjectStreamer::writeChar");
    return m_pStream->writeByte((uint8_t)c);
}

void ObjectStreamer::readChar(char& c)
{
    RIR_TRACE("ObjectStreamer::readChar");
    c = (char)m_pStream->readByte();
}

bool ObjectStreamer::writeUChar(unsigned char c)
{
    RIR_TRACE("ObjectStreamer::writeUChar");
    return m_pStream->writeByte((uint8_t)c);
}

void ObjectStreamer::readUChar(unsigned char& c)
{
    RIR_TRACE("ObjectStreamer::readUChar");
    c = (unsigned char)m_pStream->readByte();
}

bool ObjectStreamer::writeShort(int16_t n)
{
    RIR_TRACE("ObjectStreamer::writeShort");
    return m_pStream->writeInt16(n);
}

void ObjectStreamer::readShort(int16_t& n)
{
    RIR_TRACE("ObjectStreamer::readShort");
    n = m_pStream->readInt16();
}

bool ObjectStreamer::writeUShort(uint16_t n)
{
    RIR_TRACE("ObjectStreamer::writeUShort");
    return m_pStream->writeInt16((int16_t)n);
}

void ObjectStreamer::readUShort(uint16_t& n)
{
    RIR_TRACE("ObjectStreamer::readUShort");
    n = (uint16_t)m_pStream->readInt16();
}

bool ObjectStreamer::writeInt(int32_t n)
{
    RIR_TRACE("ObjectStreamer::writeInt");
    return m_pStream->writeInt32(n);
}

void ObjectStreamer::readInt(int32_t& n)
{
    RIR_TRACE("ObjectStreamer::readInt");
    n = m_pStream->readInt32();
}

bool ObjectStreamer::writeUInt(uint32_t n)
{
    RIR_TRACE("ObjectStreamer::writeUInt");
    return m_pStream->writeInt32((int32_t)n);
}

void ObjectStreamer::readUInt(uint32_t& n)
{
    RIR_TRACE("ObjectStreamer::readUInt");
    n = (uint32_t)m_pStream->readInt32();
}

bool ObjectStreamer::writeLong(int32_t n)
{
    RIR_TRACE("ObjectStreamer::writeLong");
    return m_pStream->writeInt32(n);
}

void ObjectStreamer::readLong(int32_t& n)
{
    RIR_TRACE("ObjectStreamer::readLong");
    n = m_pStream->readInt32();
}

bool ObjectStreamer::writeULong(uint32_t n)
{
    RIR_TRACE("ObjectStreamer::writeULong");
    return m_pStream->writeInt32((int32_t)n);
}

void ObjectStreamer::readULong(uint32_t& n)
{
    RIR_TRACE("ObjectStreamer::readULong");
    n = (uint32_t)m_pStream->readInt32();
}

bool ObjectStreamer::writeFloat(float f)
{
    RIR_TRACE("ObjectStreamer::writeFloat");
    return m_pStream->writeFloat(f);
}

void ObjectStreamer::readFloat(float& f)
{
    RIR_TRACE("ObjectStreamer::readFloat");
    f = m_pStream->readFloat();
}

bool ObjectStreamer::writeDouble(double f)
{
    RIR_TRACE("ObjectStreamer::writeDouble");
    return m_pStream->writeDouble(f);
}

void ObjectStreamer::readDouble(double& f)
{
    RIR_TRACE("ObjectStreamer::readDouble");
    f = m_pStream->readDouble();
}

bool ObjectStreamer::writeBool(bool b)
{
    RIR_TRACE("ObjectStreamer::writeBool");
    return m_pStream->writeByte(b ? 1 : 0);
}

void ObjectStreamer::readBool(bool& b)
{
    RIR_TRACE("ObjectStreamer::readBool");
    b = m_pStream->readByte() == 1;
}

bool ObjectStreamer::writeVarInt(int n)
{
    RIR_TRACE("ObjectStreamer::writeVarInt");
    return m_pStream->writeVarInt(n);
}

int ObjectStreamer::readVarInt()
{
    RIR_TRACE("ObjectStreamer::readVarInt");
    return m_pStream->readVarInt();
}

bool ObjectStreamer::writeVarUInt(unsigned n)
{
    RIR_TRACE("ObjectStreamer::writeVarUInt");
    return m_pStream->writeVarUInt(n);
}

unsigned ObjectStreamer::readVarUInt()
{
    RIR_TRACE("ObjectStreamer::readVarUInt");
    return m_pStream->readVarUInt();
}

bool ObjectStreamer::writeString(const char* pszText)
{
    RIR_TRACE("ObjectStreamer::writeString");
    return m_pStream->writeString(pszText);
}

bool ObjectStreamer::writeString(const String& sText)
{
    RIR_TRACE("ObjectStreamer::writeString");
    return m_pStream->writeString(sText.c_str());
}

void ObjectStreamer::readString(String& sText)
{
    RIR_TRACE("ObjectStreamer::readString");
    sText = m_pStream->readString();
}

} // namespace RIR
