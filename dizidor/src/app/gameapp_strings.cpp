// GameApp's string table: every text the player reads, by key.
//
// Keys are upper-cased when stored and when looked up, so lookups ignore case. Tables loaded
// later replace the texts of keys loaded before; nothing removes a key. A missing key yields the
// key itself, so an untranslated text shows up as its key.
#include "app/gameapp.h"

#include "app/log.h"
#include "app/stringtable.h"

#include "rir2/calltrace.h"
#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"

void GameApp::loadStrings(const char* pszName)
{
    RIR_TRACE("GameApp::loadStrings");
    RIR::setTraceParams(pszName);
    RIR::String sText;
    {
        RIR::SmartPtr<RIR::Resource> pResource = getResource(pszName);
        sText = pResource->asString();
    }
    RIR_TRACE_LINE();
    if (RIR::String(pszName).right(4).toLower() == ".xml")
        loadXmlStrings(sText.c_str(), m_hStrings);
    else
        loadTextStrings(sText.c_str(), m_hStrings);
}

const char* GameApp::getString(const char* pszKey)
{
    RIR_TRACE("GameApp::getString");
    const RIR::String sKey = RIR::String(pszKey).toUpper();
    const RIR::Hash<RIR::String, RIR::String>::Node* pNode = m_hStrings.findNode(sKey);
    if (pNode)
        return pNode->m_value.c_str();
    // The key itself stands in for the text; the miss is reported once per key, so that a text
    // the tables lack shows in the log and not only on the screen.
    if (!m_hMissingStrings.contains(sKey))
    {
        m_hMissingStrings.set(sKey, "");
        reportMissingResource((RIR::String("[string] ") + sKey).c_str());
    }
    return pszKey;
}

bool GameApp::hasString(const char* pszKey)
{
    RIR_TRACE("GameApp::hasString");
    return m_hStrings.contains(RIR::String(pszKey).toUpper());
}

RIR::List<RIR::String> GameApp::getStringNames()
{
    RIR_TRACE("GameApp::getStringNames");
    return m_hStrings.keys();
}

void GameApp::dumpStringNames()
{
    RIR_TRACE("GameApp::dumpStringNames");
    const RIR::List<RIR::String> lNames = getStringNames();
    logPrintf("U: ----- String names -----\n");
    for (int i = 0; i < lNames.getLength(); ++i)
        logPrintf("U: %s\n", lNames.get(i).c_str());
    logPrintf("U: ------------------------\n");
}
