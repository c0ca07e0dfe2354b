// Loads a text table (key and text lines, the string-table format) from memory into the
// application's string table, over the texts it already has.
#ifndef DBD_TESTS_SHELL_KIT_TEXTTABLE_H
#define DBD_TESTS_SHELL_KIT_TEXTTABLE_H

#include <string>

class GameApp;

void loadTextTable(GameApp* pApp, const std::string& sTable);

#endif
