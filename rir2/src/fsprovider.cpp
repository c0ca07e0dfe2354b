#include "rir2/fsprovider.h"

#include "rir2/calltrace.h"
#include "rir2/file.h"

#include <memory>

namespace RIR
{

FilesystemResourceProvider::FilesystemResourceProvider(const char* pszFolder) : m_sFolder(pszFolder)
{
    RIR_TRACE("FilesystemResourceProvider::FilesystemResourceProvider");
    if (m_sFolder.length() == 0)
    {
        m_sFolder = "./";
        return;
    }
    m_sFolder = m_sFolder.replaceAll("\\", "/");
    if (*m_sFolder.at(-1) != '/')
        m_sFolder += "/";
}

String FilesystemResourceProvider::baseName(const char* pszName)
{
    RIR_TRACE("FilesystemResourceProvider::baseName");
    const String sName(pszName);
    const int nBackslash = sName.rfindChar('\\');
    const int nSlash = sName.rfindChar('/');
    const int i = nBackslash > nSlash ? nBackslash : nSlash;
    return i >= 0 ? sName.from(i + 1) : sName;
}

bool FilesystemResourceProvider::exists(const char* pszName)
{
    RIR_TRACE("FilesystemResourceProvider::exists");
    return fileExists(mapName(pszName).c_str());
}

Resource* FilesystemResourceProvider::load(const char* pszName)
{
    RIR_TRACE("FilesystemResourceProvider::load");
    const String sPath = mapName(pszName);
    setTraceParams(sPath.c_str());
    File file(sPath.c_str(), FOM_READ);
    const int nSize = file.size();
    // Held without a handle until it is returned: no SmartPtr has seen it, so a failure on the
    // way may delete it directly.
    std::unique_ptr<Resource> pResource(new Resource(nSize < 0 ? 0 : nSize, nullptr, true));
    RIR_TRACE_LINE();
    file.read(pResource->getSize(), pResource->getData());
    file.close();
    return pResource.release();
}

List<String> FilesystemResourceProvider::names()
{
    RIR_TRACE("FilesystemResourceProvider::names");
    return List<String>();
}

String FilesystemResourceProvider::mapName(const char* pszName)
{
    RIR_TRACE("FilesystemResourceProvider::mapName");
    return m_sFolder + baseName(pszName);
}

} // namespace RIR
