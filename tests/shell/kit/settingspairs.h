// Reads a settings file back for the shell tests: every key with its value.
#ifndef DBD_TESTS_SHELL_KIT_SETTINGSPAIRS_H
#define DBD_TESTS_SHELL_KIT_SETTINGSPAIRS_H

#include <map>
#include <string>

// The keys and values of the settings file at sPath; {} when there is no such file.
std::map<std::string, std::string> readSettingsPairs(const std::string& sPath);

#endif
