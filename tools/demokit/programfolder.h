// Where a tool finds itself and the game's packs.
#pragma once

#include <string>

namespace demokit
{

// The folder of the running program, with a trailing "/"; "./" when it cannot be read.
std::string programFolder();

// The folder of the game's packs with a trailing "/": sGiven when set, else the build's game/
// folder, two levels above the program.
std::string gameFolder(const std::string& sGiven);

} // namespace demokit
