#include "shell/kit/texttable.h"

#include "app/gameapp.h"

#include "rir2/memprovider.h"
#include "rir2/resource.h"

#include <cstring>

void loadTextTable(GameApp* pApp, const std::string& sTable)
{
    // Every table under a name of its own, so that a later one never finds an earlier one.
    static int s_nTables = 0;
    const std::string sName = "texts" + std::to_string(++s_nTables) + ".txt";
    RIR::MemoryResourceProvider* pProvider = new RIR::MemoryResourceProvider();
    uint8_t* pData = new uint8_t[sTable.size() + 1];
    std::memcpy(pData, sTable.data(), sTable.size());
    pProvider->add(sName.c_str(), new RIR::Resource((int)sTable.size(), pData, true));
    pApp->addProvider(pProvider, false);
    pApp->loadStrings(sName.c_str());
}
