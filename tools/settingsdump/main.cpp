// settingsdump: prints the keys and values of a settings file, one "key=value" line each, in key
// order.
//
//     settingsdump FILE
//
// Exit status: 0 printed, 1 the file cannot be read (the reason on standard error), 2 usage.
#include "app/settingsfile.h"

#include "rir2/exception.h"
#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fputs("usage: settingsdump FILE\n", stderr);
        return 2;
    }
    try
    {
        SettingsFile::Table table;
        SettingsFile::read(argv[1], table);
        const RIR::List<RIR::String> lKeys = table.keys();
        std::vector<std::string> lines;
        for (int i = 0; i < lKeys.getLength(); ++i)
            lines.push_back(std::string(lKeys.get(i).c_str()) + "=" +
                            table.get(lKeys.get(i)).c_str());
        std::sort(lines.begin(), lines.end());
        for (const std::string& s : lines)
            std::printf("%s\n", s.c_str());
    }
    catch (const RIR::Exception& e)
    {
        std::fprintf(stderr, "settingsdump: %s\n", e.getMessage());
        return 1;
    }
    return 0;
}
