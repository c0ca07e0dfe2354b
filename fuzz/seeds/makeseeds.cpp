// Writes the seed corpora of the fuzz targets: a few small, valid inputs per target, made with
// the library's own writers where it has them and by hand for the legacy forms it only reads.
//
// Usage: fuzz_make_seeds <folder>   (normally fuzz/corpus; one sub-folder per target)
#include "rir2/date.h"
#include "rir2/exception.h"
#include "rir2/hash.h"
#include "rir2/hash_impl.h"
#include "rir2/list.h"
#include "rir2/list_impl.h"
#include "rir2/memstream.h"
#include "rir2/objectstreamer.h"
#include "rir2/refcount.h"
#include "rir2/resourcefile.h"
#include "rir2/resourcefilecompiler.h"
#include "rir2/resourcefileentry.h"
#include "rir2/rirstring.h"
#include "rir2/zstream.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace
{

typedef std::vector<uint8_t> Bytes;

std::string g_sFolder;

void save(const std::string& sTarget, const std::string& sName, const Bytes& abData)
{
    const std::filesystem::path dir = std::filesystem::path(g_sFolder) / sTarget;
    std::filesystem::create_directories(dir);
    std::ofstream out(dir / sName, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(abData.data()), (std::streamsize)abData.size());
    if (!out)
        throw std::runtime_error("cannot write " + (dir / sName).string());
}

void save(const std::string& sTarget, const std::string& sName, const std::string& sText)
{
    save(sTarget, sName, Bytes(sText.begin(), sText.end()));
}

Bytes bytesOf(RIR::MemStream& stream)
{
    const uint8_t* p = stream.getBuffer();
    return p ? Bytes(p, p + stream.size()) : Bytes();
}

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes int32LE(uint32_t n)
{
    return Bytes{(uint8_t)n, (uint8_t)(n >> 8), (uint8_t)(n >> 16), (uint8_t)(n >> 24)};
}

Bytes text(const std::string& s)
{
    return Bytes(s.begin(), s.end());
}

// The string form 12, length, bytes (lengths below 128 here).
Bytes stringForm(const std::string& s)
{
    return Bytes{0x12, (uint8_t)s.size()} + text(s);
}

// Whatever fn writes through a writing ObjectStreamer (05 first).
template <class F> Bytes streamed(F fn)
{
    RIR::MemStream out;
    {
        RIR::ObjectStreamer writer(&out, false);
        fn(writer);
    }
    return bytesOf(out);
}

// The zlib form at nLevel; level 0 keeps the bytes as they are (stored blocks), so that the
// fuzzer's changes reach the reader behind the ZStream instead of breaking the compressed data.
Bytes deflated(const Bytes& abData, int nLevel = 9)
{
    RIR::MemStream out;
    {
        RIR::ZStream zip(&out, nLevel);
        zip.write((int)abData.size(), abData.data());
        zip.finish();
    }
    return bytesOf(out);
}

void fillTable(RIR::Hash<RIR::String, RIR::String>& hTable)
{
    hTable.set("Fullscreen", "0");
    hTable.set("MusicVolume", "80");
    hTable.set("SoundVolume", "100");
    hTable.set("Player", "Dolly");
}

void makeReadString()
{
    save("readstring", "current", stringForm("abc") + stringForm("") + stringForm("dust bowl"));
    save("readstring", "legacy", Bytes{0x01, 0x72, 0x74, 0x53} + int32LE(5) + text("hello"));
    Bytes abLong{0x12, 0xC8, 0x01};
    abLong.resize(abLong.size() + 200, 'x');
    save("readstring", "long", abLong);
}

void makeZStream()
{
    save("zstream", "text", Bytes{0x03} + deflated(text("Dustbowl Dolly, Dustbowl Dolly, dust.")));
    Bytes abRuns(3000, 'a');
    for (size_t i = 0; i < abRuns.size(); i += 7)
        abRuns[i] = (uint8_t)i;
    save("zstream", "runs", Bytes{0x00} + deflated(abRuns));
    save("zstream", "empty", Bytes{0x40} + deflated(Bytes()));
}

void makeHash()
{
    save("objectstreamer_hash", "current",
         streamed(
             [](RIR::ObjectStreamer& w)
             {
                 RIR::Hash<RIR::String, RIR::String> hTable;
                 fillTable(hTable);
                 hTable.persistTo(w);
             }));
    save("objectstreamer_hash", "empty", Bytes{0x05, 0x13, 0x00});
    // Legacy version 2: key list and value list.
    save("objectstreamer_hash", "legacy2",
         Bytes{0x05, 0x02, 'h', 's', 'H', 0x00, 0x14, 0x02} + stringForm("a") + stringForm("b") +
             Bytes{0x00, 0x14, 0x02} + stringForm("1") + stringForm("2"));
    // Legacy version 1: two buckets of node lists, each node kind 0, id, key, value.
    save("objectstreamer_hash", "legacy1",
         Bytes{0x05, 0x01, 'h', 's', 'H'} + int32LE(2) + Bytes{0x00, 0x14, 0x01, 0x00} +
             int32LE(0) + stringForm("k") + stringForm("v") + Bytes{0x00, 0x14, 0x00});
    // The legacy signature of the object stream, then a current table.
    save("objectstreamer_hash", "legacysignature",
         Bytes{0x01, 0x72, 0x74, 0x53, 0x00, 0x00, 0x00, 0x12} + text("RIR2 Object Stream") +
             Bytes{0x13, 0x01} + stringForm("key") + stringForm("value"));
}

void makeSettingsFor(const char* pszTarget);

void makeSettings()
{
    // The same files for the form (settingsfile) and for the loader (settingsfileread).
    for (const char* pszTarget : {"settingsfile", "settingsfileread"})
    {
        makeSettingsFor(pszTarget);
    }
}

void makeSettingsFor(const char* pszTarget)
{
    save(pszTarget, "empty", deflated(Bytes{0x05, 0x00, 0x13, 0x00}));
    const Bytes abSettings = streamed(
        [](RIR::ObjectStreamer& w)
        {
            RIR::Hash<RIR::String, RIR::String> hTable;
            fillTable(hTable);
            w.writeChar(0);
            hTable.persistTo(w);
        });
    save(pszTarget, "some", deflated(abSettings));
    save(pszTarget, "stored", deflated(abSettings, 0));
    save(pszTarget, "storedlegacy2",
         deflated(Bytes{0x05, 0x00, 0x02, 'h', 's', 'H', 0x00, 0x14, 0x01} + stringForm("a") +
                      Bytes{0x00, 0x14, 0x01} + stringForm("1"),
                  0));
}

Bytes entryForm(const std::string& sName, int32_t nOffset, int32_t nSize)
{
    return int32LE(RIR::RESOURCE_ENTRY_HEADER) + stringForm(sName) + int32LE((uint32_t)nOffset) +
           int32LE((uint32_t)nSize) + Bytes{0x00};
}

void makeList()
{
    save("list_persist", "strings",
         Bytes{0x00} + streamed(
                           [](RIR::ObjectStreamer& w)
                           {
                               RIR::List<RIR::String> lTexts("a", "b", "dolly");
                               lTexts.persistTo(w);
                           }));
    save("list_persist", "legacystrings",
         Bytes{0x00, 0x05, 0x01, 't', 's', 'L'} + int32LE(2) + stringForm("x") + stringForm("y"));
    // A record, the same record again, then null.
    save("list_persist", "pointers",
         Bytes{0x01, 0x05, 0x14, 0x03, 0x00} + int32LE(0) + entryForm("Cursor.png", 12, 100) +
             Bytes{0x01} + int32LE(0) + Bytes{0x02});
    save("list_persist", "legacypointers",
         Bytes{0x01, 0x05, 0x01, 't', 's', 'L'} + int32LE(1) + Bytes{0x00} + int32LE(7) +
             entryForm("a.txt", 40, 3));
}

void makeTokenFile()
{
    save("tokenfilereader", "commands",
         std::string("# animation script\n"
                     "frame 1 2 3\r\n"
                     "  wait   100 \t # pause\n"
                     "\n"
                     "label walk\\#1\r"
                     "goto walk\n"));
    save("tokenfilereader", "table",
         std::string("Title Dustbowl\nAuthor Quillmoor # comment\nTitle Dolly\n"));
}

void makeXml()
{
    save("xmlparser", "document",
         std::string("<?xml version=\"1.0\"?>\n"
                     "<!-- a comment -->\n"
                     "<scene name=\"saloon\" w=\"800\">\n"
                     "  <sprite id=\"1\" file=\"bar.png\"/>\n"
                     "  <text>Fish &amp; chips &lt;3 &quot;hot&quot; &apos;n&apos; &gt;</text>\n"
                     "  <![CDATA[raw <data>]]>\n"
                     "</scene>\n"));
    save("xmlparser", "mismatch", std::string("<a><b></a></b>"));
}

void makeDate()
{
    save("date", "dates",
         streamed(
             [](RIR::ObjectStreamer& w)
             {
                 RIR::Date(29, 2, 2024).persistTo(w);
                 RIR::Date(31, 12, 1999).persistTo(w);
                 RIR::Date(1, 1, 1970).persistTo(w);
                 RIR::Date(40, 13, 2037).persistTo(w);
             }));
}

Bytes pack(bool bNativeOrder)
{
    RIR::MemStream* pOut = new RIR::MemStream();
    RIR::SmartPtr<RIR::Stream> pHold(pOut);
    pOut->setNativeOrder(bNativeOrder);
    RIR::SmartPtr<RIR::ResourceFileCompiler> pPack(new RIR::ResourceFileCompiler(pHold));
    pPack->begin();
    const std::string asData[3] = {"hello, pack", std::string(300, 'z'), ""};
    const char* apszNames[3] = {"Data/Hello.TXT", "zeds.bin", "empty"};
    for (int i = 0; i < 3; ++i)
    {
        RIR::MemStream data(asData[i].data(), (int)asData[i].size());
        pPack->addEntry(&data, apszNames[i]);
    }
    pPack->finish();
    return bytesOf(*pOut);
}

// A pack laid out by hand as the compiler lays it out, but with every zlib stream (the entries and
// the index) in stored blocks, so that the fuzzer can change the records themselves.
Bytes storedPack()
{
    const std::string asData[2] = {"stored entry", "second"};
    const char* apszNames[2] = {"Stored.txt", "dir/second.bin"};
    Bytes abBody;
    RIR::List<RIR::ResourceFileEntry*> lEntries;
    for (int i = 0; i < 2; ++i)
    {
        const int nOffset = 12 + (int)abBody.size();
        abBody = abBody + deflated(text(asData[i]), 0);
        lEntries.append(
            new RIR::ResourceFileEntry(apszNames[i], nOffset, (int)asData[i].size(), false));
    }
    const Bytes abIndex = streamed(
        [&lEntries](RIR::ObjectStreamer& w)
        {
            w.writeChar(0);
            lEntries.persistTo(w);
        });
    lEntries.clearAndDelete();
    const uint32_t nIndexOffset = 12 + (uint32_t)abBody.size();
    return text("GRF") + Bytes{0x05} + int32LE(RIR::RESOURCE_PACK_HEADER) + int32LE(nIndexOffset) +
           abBody + deflated(abIndex, 0);
}

// A ".subimage" text, a zero byte, a ".spec" text: the input of the side-file target.
std::string sideFiles(const std::string& sSubImage, const std::string& sSpec)
{
    return sSubImage + std::string(1, '\0') + sSpec;
}

void makeSideFiles()
{
    save("imagesidefiles", "both", sideFiles("base 1 1 2 2", "vcanvas 6 5 1 2\n"));
    save("imagesidefiles", "negative",
         sideFiles("base -1 3 -2 -9 extra", "# canvas\nvcanvas 2 2 -1 -1\r\nvcanvas 9 9 0 0\n"));
    save("imagesidefiles", "huge",
         sideFiles("base 2147483647 -2147483648 99999999999 3",
                   "vcanvas -5 0 2147483647 -2147483648\n"));
    save("imagesidefiles", "self", sideFiles("pic 0 0 4 4", "vcanvas 4 4 0 0"));
    save("imagesidefiles", "bad", sideFiles("base 1", "frame 1 2\nvcanvas 1 2 3\n"));
}

void makeTextTables()
{
    save("stringtable", "lines",
         std::string("\xEF\xBB\xBF# menu captions\n"
                     "Caption    Dustbowl Dolly\r\n"
                     "Welcome    Howdy,\\nstranger!# comment\n"
                     ".          \\tSit down.\n"
                     "Price      Beer \\#1 \\\\ \\r\n"
                     "Lonely\n"));
    save("stringtable", "xml",
         std::string(
             "<?xml version=\"1.0\"?>\n<Workbook><Table>\n"
             "<Row><Cell><Data>Caption</Data></Cell><Cell><Data>  Dolly\\n</Data></Cell></Row>\n"
             "<ROW><CELL><DATA>odd</DATA></CELL></ROW>\n"
             "<row><cell><data>out</data></cell><cell><data>&amp;&lt;</data></cell></row>\n"
             "</Table></Workbook>\n"));
    save("stringtable", "continuation", std::string(". no key yet\n"));
    save("aliasfile", "aliases",
         std::string("door Door2\nBig Small # comment\n\nhat hats/red\r\n"));
    save("aliasfile", "malformed", std::string("a b\nlonely\n"));
}

void makePacks()
{
    save("resourcefile", "pack", pack(true));
    save("resourcefile", "otherorder", pack(false));
    save("resourcefile", "stored", storedPack());
}

// A glyph sheet in the compact form of the glyphsheet target: width - 1 (byte 0 and bit 0 of
// byte 1), flags (bit 1 of byte 1: colour-keyed), height - 1, then one byte per pixel.
class CompactSheet
{
public:
    CompactSheet(int nWidth, int nHeight, bool bKeyed)
        : m_nWidth(nWidth), m_abPixels((size_t)nWidth * nHeight, 0)
    {
        m_abHeader = {(uint8_t)((nWidth - 1) & 0xFF),
                      (uint8_t)(((nWidth - 1) >> 8) | (bKeyed ? 2 : 0)), (uint8_t)(nHeight - 1)};
    }
    void block(int x, int y, int w, int h, uint8_t nValue)
    {
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i)
                m_abPixels[(size_t)j * m_nWidth + i] = nValue;
    }
    Bytes bytes() const { return m_abHeader + m_abPixels; }

private:
    int m_nWidth;
    Bytes m_abHeader;
    Bytes m_abPixels;
};

// Seven bands of five pixel rows (markers at 7r and 7r + 6), a few glyphs in each.
CompactSheet sevenBandSheet(int nMarkerPairs, bool bKeyed)
{
    CompactSheet sheet(40, 49, bKeyed);
    for (int r = 0; r < nMarkerPairs; ++r)
    {
        sheet.block(0, 7 * r, 1, 1, 255);
        sheet.block(0, 7 * r + 6, 1, 1, 255);
        for (int k = 0; k < 5; ++k)
            sheet.block(1 + 6 * k, 7 * r + 1 + (k % 2), 2 + (k % 3), 5 - (k % 2),
                        (uint8_t)(60 + 40 * k));
    }
    return sheet;
}

void makeGlyphSheets()
{
    save("glyphsheet", "small", sevenBandSheet(7, false).bytes());
    save("glyphsheet", "keyed", sevenBandSheet(7, true).bytes());
    save("glyphsheet", "short", sevenBandSheet(6, false).bytes());
    CompactSheet edge = sevenBandSheet(7, false);
    edge.block(36, 43, 4, 3, 200);
    save("glyphsheet", "edge", edge.bytes());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    g_sFolder = argv[1];
    try
    {
        makeReadString();
        makeZStream();
        makeHash();
        makeSettings();
        makeList();
        makeTokenFile();
        makeXml();
        makeDate();
        makePacks();
        makeSideFiles();
        makeTextTables();
        makeGlyphSheets();
    }
    catch (const RIR::Exception& e)
    {
        std::fprintf(stderr, "%s: %s\n", e.getClassName(), e.getMessage());
        return 1;
    }
    catch (const std::exception& e)
    {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
