// Resources read from the files of one folder.
//
// Only the base name of a resource name counts (the text after its last '/' or '\'), so
// "fonts/big.ttf" and "fonts\big.ttf" both name the file big.ttf of the provider's folder, and no
// name reaches outside that folder. Names keep their case: the file system decides whether
// "Big.ttf" and "big.ttf" are the same file. A folder is never enumerated: `names` is empty.
#ifndef RIR2_FSPROVIDER_H
#define RIR2_FSPROVIDER_H

#include "rir2/resource.h"

namespace RIR
{

class FilesystemResourceProvider : public ResourceProvider
{
public:
    // pszFolder with a trailing "/" added unless it ends in '/' or '\'; backslashes of the
    // folder are taken as separators and stored as '/'. An empty folder is the current one
    // ("./").
    explicit FilesystemResourceProvider(const char* pszFolder);

    // Whether folder + base name is a file (fileExists).
    bool exists(const char* pszName) override;
    // The whole file folder + base name as a new owning resource; a missing file raises
    // FileAccessException "File::File : '%s' does not exist".
    Resource* load(const char* pszName) override;
    // Always empty.
    List<String> names() override;
    // folder + base name: the path of the file.
    String mapName(const char* pszName) override;

    const String& getFolder() const { return m_sFolder; }

    // The text after the last '/' or '\' of pszName, or all of it when it has neither.
    static String baseName(const char* pszName);

private:
    String m_sFolder;
};

} // namespace RIR

#endif
