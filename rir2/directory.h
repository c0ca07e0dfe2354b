// Listings of one folder: Directory and its entries.
//
// A Directory lists its folder once, at the first getEntries, and keeps the result; later changes
// of the folder are not seen. The listing holds every entry of the folder, "." and ".." included,
// those two first and the others sorted by name (byte order), each with its type: DET_FOLDER for
// folders (symbolic links count as what they point to), DET_FILE for everything else. A folder
// that is missing or cannot be read has no entries and reports nothing; as an empty list means
// "not listed yet", such a folder is searched again on every call.
//
// Usage:
//     Directory dir(".");
//     List<SmartPtr<DirEntry>> lEntries = dir.getEntries();
#ifndef RIR2_DIRECTORY_H
#define RIR2_DIRECTORY_H

#include "rir2/list.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

#include <cstdint>

namespace RIR
{

enum DirEntryType
{
    DET_FILE = 1,
    DET_FOLDER = 2
};

class DirEntry : public RefCountedObject
{
public:
    // pszName: the entry's name without its folder; nType: a DirEntryType.
    DirEntry(const char* pszName, int nType);

    const String& getName() const { return m_sName; }
    int getType() const { return m_nType; }
    bool isFolder() const { return m_nType == DET_FOLDER; }

private:
    String m_sName;
    int32_t m_nType;
};

class Directory : public RefCountedObject
{
public:
    // Keeps pszPath without its trailing backslashes (all of them; slashes stay). An empty path
    // stands for the current folder.
    explicit Directory(const char* pszPath);

    // A copy of the entry list; lists the folder first while the list is empty.
    List<SmartPtr<DirEntry>> getEntries();
    const String& getPath() const { return m_sPath; }

private:
    // Replaces the entry list by the folder's current contents.
    void list();

    String m_sPath;
    List<SmartPtr<DirEntry>> m_lEntries;
};

} // namespace RIR

#endif
