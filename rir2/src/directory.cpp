#include "rir2/directory.h"

#include "rir2/calltrace.h"

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace RIR
{

namespace
{

// "." first, ".." second, then the other names in byte order.
int rankOf(const String& sName)
{
    if (sName == ".")
        return 0;
    if (sName == "..")
        return 1;
    return 2;
}

bool entryBefore(const std::pair<String, int>& a, const std::pair<String, int>& b)
{
    const int nRankA = rankOf(a.first);
    const int nRankB = rankOf(b.first);
    if (nRankA != nRankB)
        return nRankA < nRankB;
    return a.first < b.first;
}

} // namespace

DirEntry::DirEntry(const char* pszName, int nType) : m_sName(pszName), m_nType(nType)
{
    RIR_TRACE("DirEntry::DirEntry");
}

Directory::Directory(const char* pszPath) : m_sPath(pszPath)
{
    RIR_TRACE("Directory::Directory");
    int nLength = m_sPath.length();
    while (nLength > 0 && *m_sPath.at(nLength - 1) == '\\')
        --nLength;
    if (nLength != m_sPath.length())
        m_sPath = m_sPath.left(nLength);
}

List<SmartPtr<DirEntry>> Directory::getEntries()
{
    RIR_TRACE("Directory::getEntries");
    if (m_lEntries.isEmpty())
        list();
    return m_lEntries;
}

void Directory::list()
{
    RIR_TRACE("Directory::list");
    m_lEntries.clear();

    const char* pszFolder = m_sPath.length() > 0 ? m_sPath.c_str() : ".";
    RIR_TRACE_LINE();
    std::unique_ptr<DIR, int (*)(DIR*)> pDir(opendir(pszFolder), closedir);
    if (!pDir)
        return;

    // The prefix that turns an entry name into a path, for entries whose type needs a stat.
    String sPrefix(pszFolder);
    if (*sPrefix.at(-1) != '/')
        sPrefix += "/";

    std::vector<std::pair<String, int>> vEntries;
    while (const struct dirent* pEntry = readdir(pDir.get()))
    {
        int nType = DET_FILE;
        if (pEntry->d_type == DT_DIR)
            nType = DET_FOLDER;
        else if (pEntry->d_type == DT_LNK || pEntry->d_type == DT_UNKNOWN)
        {
            struct stat st;
            const String sEntryPath = sPrefix + pEntry->d_name;
            if (stat(sEntryPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
                nType = DET_FOLDER;
        }
        vEntries.emplace_back(String(pEntry->d_name), nType);
    }
    pDir.reset();

    std::sort(vEntries.begin(), vEntries.end(), entryBefore);
    for (const std::pair<String, int>& entry : vEntries)
        m_lEntries.append(SmartPtr<DirEntry>(new DirEntry(entry.first.c_str(), entry.second)));
}

} // namespace RIR
