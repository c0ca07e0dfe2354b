#include "shell/kit/settingspairs.h"

#include "app/settingsfile.h"

#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"

std::map<std::string, std::string> readSettingsPairs(const std::string& sPath)
{
    std::map<std::string, std::string> pairs;
    if (!SettingsFile::isPresent(sPath.c_str()))
        return pairs;
    SettingsFile::Table table;
    SettingsFile::read(sPath.c_str(), table);
    const RIR::List<RIR::String> lKeys = table.keys();
    for (int i = 0; i < lKeys.getLength(); ++i)
        pairs[lKeys.get(i).c_str()] = table.get(lKeys.get(i)).c_str();
    return pairs;
}
