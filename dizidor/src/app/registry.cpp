#include "app/registry.h"

#include "app/datafolder.h"

#include "rir2/calltrace.h"
#include "rir2/list.h"

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

struct RegistryKey
{
    RIR::String m_sPath; // normalised, "" for the root
    bool m_bForWrite;
};

namespace
{

const char* const DEFAULT_SUBFOLDER = "Quillmoor/DustbowlDolly";
const char* const DEFAULT_FILE_NAME = "registry.txt";

RegistryKey g_currentUserRoot = {RIR::String(), false};

// Keys handed out by openRegistryKey and not closed yet.
std::set<const RegistryKey*>& openKeys()
{
    static std::set<const RegistryKey*>* s_pKeys = new std::set<const RegistryKey*>();
    return *s_pKeys;
}

RIR::String& registryFileOverride()
{
    static RIR::String* s_pPath = new RIR::String();
    return *s_pPath;
}

// One line of the store: a key, a value of a key, or a line kept as read.
struct Record
{
    enum Type
    {
        RT_KEY,
        RT_VALUE,
        RT_OTHER
    };
    Type m_nType;
    RIR::String m_sKey;  // normalised key path (RT_KEY, RT_VALUE)
    RIR::String m_sName; // value name (RT_VALUE)
    RIR::String m_sText; // value text (RT_VALUE) or the whole line (RT_OTHER)
};

// The parts of a key path joined by single backslashes.
RIR::String normaliseKey(const char* pszPath)
{
    RIR_TRACE("normaliseKey");
    if (!pszPath)
        return "";
    return RIR::String(pszPath).split("\\").join("\\");
}

// The path of pszSubKey below the key hRoot.
RIR::String joinKey(const RegistryKey* pRoot, const char* pszSubKey)
{
    RIR_TRACE("joinKey");
    const RIR::String sSub = normaliseKey(pszSubKey);
    if (pRoot->m_sPath.length() == 0)
        return sSub;
    if (sSub.length() == 0)
        return pRoot->m_sPath;
    return pRoot->m_sPath + "\\" + sSub;
}

bool isValidHandle(const RegistryKey* pKey)
{
    return pKey == &g_currentUserRoot || (pKey && openKeys().count(pKey) > 0);
}

bool sameText(const RIR::String& a, const RIR::String& b)
{
    return a.toLower() == b.toLower();
}

std::string escapeField(const RIR::String& sText)
{
    std::string sOut;
    for (const char* p = sText.c_str(); *p; ++p)
    {
        switch (*p)
        {
        case '%':
            sOut += "%25";
            break;
        case '\t':
            sOut += "%09";
            break;
        case '\n':
            sOut += "%0A";
            break;
        case '\r':
            sOut += "%0D";
            break;
        case '#':
            sOut += "%23";
            break;
        default:
            sOut += *p;
        }
    }
    return sOut;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Undoes escapeField; a "%" not followed by two hex digits stays as it is. A "%00" would end
// the text early and is kept as written.
RIR::String unescapeField(const std::string& sField)
{
    std::string sOut;
    for (size_t i = 0; i < sField.size(); ++i)
    {
        if (sField[i] == '%' && i + 2 < sField.size() && hexDigit(sField[i + 1]) >= 0 &&
            hexDigit(sField[i + 2]) >= 0)
        {
            const char c = (char)(hexDigit(sField[i + 1]) * 16 + hexDigit(sField[i + 2]));
            if (c != 0)
            {
                sOut += c;
                i += 2;
                continue;
            }
        }
        sOut += sField[i];
    }
    return RIR::String(sOut.c_str());
}

// Reads the store; a missing or unreadable file is an empty store.
std::vector<Record> loadStore()
{
    RIR_TRACE("loadStore");
    std::vector<Record> aRecords;
    FILE* pFile = std::fopen(getRegistryFile().c_str(), "rb");
    if (!pFile)
        return aRecords;
    std::string sAll;
    char aChunk[4096];
    size_t nRead;
    while ((nRead = std::fread(aChunk, 1, sizeof aChunk, pFile)) > 0)
        sAll.append(aChunk, nRead);
    std::fclose(pFile);

    size_t nStart = 0;
    while (nStart < sAll.size())
    {
        size_t nEnd = sAll.find('\n', nStart);
        if (nEnd == std::string::npos)
            nEnd = sAll.size();
        std::string sLine = sAll.substr(nStart, nEnd - nStart);
        nStart = nEnd + 1;
        // A file edited with carriage-return line ends reads the same.
        if (!sLine.empty() && sLine.back() == '\r')
            sLine.pop_back();

        std::vector<std::string> aFields;
        size_t nFrom = 0;
        for (;;)
        {
            const size_t nTab = sLine.find('\t', nFrom);
            aFields.push_back(sLine.substr(nFrom, nTab == std::string::npos ? nTab : nTab - nFrom));
            if (nTab == std::string::npos)
                break;
            nFrom = nTab + 1;
        }
        Record rec;
        if (!sLine.empty() && sLine[0] != '#' && aFields.size() == 1)
        {
            rec.m_nType = Record::RT_KEY;
            rec.m_sKey = normaliseKey(unescapeField(aFields[0]).c_str());
        }
        else if (!sLine.empty() && sLine[0] != '#' && aFields.size() == 3)
        {
            rec.m_nType = Record::RT_VALUE;
            rec.m_sKey = normaliseKey(unescapeField(aFields[0]).c_str());
            rec.m_sName = unescapeField(aFields[1]);
            rec.m_sText = unescapeField(aFields[2]);
        }
        else
        {
            rec.m_nType = Record::RT_OTHER;
            rec.m_sText = RIR::String(sLine.data(), (int)sLine.size());
        }
        aRecords.push_back(rec);
    }
    return aRecords;
}

// Writes the store whole through a temporary file renamed over the old one.
bool saveStore(const std::vector<Record>& aRecords)
{
    RIR_TRACE("saveStore");
    std::string sAll;
    for (const Record& rec : aRecords)
    {
        if (rec.m_nType == Record::RT_OTHER)
            sAll += rec.m_sText.c_str();
        else
        {
            sAll += escapeField(rec.m_sKey);
            if (rec.m_nType == Record::RT_VALUE)
            {
                sAll += '\t';
                sAll += escapeField(rec.m_sName);
                sAll += '\t';
                sAll += escapeField(rec.m_sText);
            }
        }
        sAll += '\n';
    }

    const RIR::String sPath = getRegistryFile();
    const RIR::String sTemp = sPath + ".tmp";
    RIR_TRACE_LINE();
    FILE* pFile = std::fopen(sTemp.c_str(), "wb");
    if (!pFile)
        return false;
    bool bOk = std::fwrite(sAll.data(), 1, sAll.size(), pFile) == sAll.size();
    bOk = std::fclose(pFile) == 0 && bOk;
    if (bOk)
        bOk = std::rename(sTemp.c_str(), sPath.c_str()) == 0;
    if (!bOk)
        std::remove(sTemp.c_str());
    return bOk;
}

// Whether the key sPath or a key below it is in the store; the root always exists.
bool keyExists(const std::vector<Record>& aRecords, const RIR::String& sPath)
{
    RIR_TRACE("keyExists");
    if (sPath.length() == 0)
        return true;
    const RIR::String sLower = sPath.toLower();
    const RIR::String sPrefix = sLower + "\\";
    for (const Record& rec : aRecords)
    {
        if (rec.m_nType == Record::RT_OTHER)
            continue;
        const RIR::String sKey = rec.m_sKey.toLower();
        if (sKey == sLower || std::strncmp(sKey.c_str(), sPrefix.c_str(), sPrefix.length()) == 0)
            return true;
    }
    return false;
}

} // namespace

const HKEY HKEY_CURRENT_USER = &g_currentUserRoot;

void setRegistryFile(const char* pszPath)
{
    RIR_TRACE("setRegistryFile");
    registryFileOverride() = pszPath;
}

RIR::String getRegistryFile()
{
    RIR_TRACE("getRegistryFile");
    const RIR::String& sOverride = registryFileOverride();
    if (sOverride.length() > 0)
        return sOverride;
    return getDataFolder(DEFAULT_SUBFOLDER) + DEFAULT_FILE_NAME;
}

bool createRegistryKey(HKEY hRoot, const char* pszSubKey)
{
    RIR_TRACE("createRegistryKey");
    try
    {
        if (!isValidHandle(hRoot))
            return false;
        const RIR::String sPath = joinKey(hRoot, pszSubKey);
        std::vector<Record> aRecords = loadStore();
        if (keyExists(aRecords, sPath))
            return true;
        Record rec;
        rec.m_nType = Record::RT_KEY;
        rec.m_sKey = sPath;
        aRecords.push_back(rec);
        return saveStore(aRecords);
    }
    catch (...)
    {
        return false;
    }
}

HKEY openRegistryKey(HKEY hRoot, const char* pszSubKey, bool bForWrite)
{
    RIR_TRACE("openRegistryKey");
    try
    {
        if (!isValidHandle(hRoot))
            return nullptr;
        const RIR::String sPath = joinKey(hRoot, pszSubKey);
        if (!keyExists(loadStore(), sPath))
            return nullptr;
        RegistryKey* pKey = new RegistryKey{sPath, bForWrite};
        openKeys().insert(pKey);
        return pKey;
    }
    catch (...)
    {
        return nullptr;
    }
}

void closeRegistryKey(HKEY hKey)
{
    RIR_TRACE("closeRegistryKey");
    if (hKey == HKEY_CURRENT_USER || openKeys().erase(hKey) == 0)
        return;
    delete hKey;
}

bool writeRegistryString(HKEY hRoot, const char* pszSubKey, const char* pszValueName,
                         const char* pszText)
{
    RIR_TRACE("writeRegistryString");
    try
    {
        HKEY hKey = openRegistryKey(hRoot, pszSubKey, true);
        if (!hKey)
            return false;
        const RIR::String sPath = hKey->m_sPath;
        closeRegistryKey(hKey);

        const RIR::String sName = pszValueName;
        std::vector<Record> aRecords = loadStore();
        bool bReplaced = false;
        for (Record& rec : aRecords)
        {
            if (rec.m_nType == Record::RT_VALUE && sameText(rec.m_sKey, sPath) &&
                sameText(rec.m_sName, sName))
            {
                rec.m_sText = pszText;
                bReplaced = true;
                break;
            }
        }
        if (!bReplaced)
        {
            Record rec;
            rec.m_nType = Record::RT_VALUE;
            rec.m_sKey = sPath;
            rec.m_sName = sName;
            rec.m_sText = pszText;
            aRecords.push_back(rec);
        }
        return saveStore(aRecords);
    }
    catch (...)
    {
        return false;
    }
}

int readRegistryValue(HKEY hRoot, const char* pszSubKey, const char* pszValueName, void* pBuffer,
                      int nSize)
{
    RIR_TRACE("readRegistryValue");
    try
    {
        if (!pBuffer || nSize <= 0)
            return 0;
        HKEY hKey = openRegistryKey(hRoot, pszSubKey, false);
        if (!hKey)
            return 0;
        const RIR::String sPath = hKey->m_sPath;
        closeRegistryKey(hKey);

        const RIR::String sName = pszValueName;
        const std::vector<Record> aRecords = loadStore();
        for (const Record& rec : aRecords)
        {
            if (rec.m_nType == Record::RT_VALUE && sameText(rec.m_sKey, sPath) &&
                sameText(rec.m_sName, sName))
            {
                const int nBytes = rec.m_sText.length() + 1;
                if (nBytes > nSize)
                    return 0;
                std::memcpy(pBuffer, rec.m_sText.c_str(), (size_t)nBytes);
                return nBytes;
            }
        }
        return 0;
    }
    catch (...)
    {
        return 0;
    }
}
