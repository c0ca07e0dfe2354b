// Player profiles in the settings store (see playerio.h).
#include "shell/playerio.h"

#include "shell/appstore.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <ctime>

namespace
{

int64_t systemClock()
{
    return (int64_t)std::time(nullptr);
}

IdClock s_pIdClock = systemClock;

void checkSlot(int nIdx)
{
    RIR_ASSERT(nIdx >= 0 && nIdx < PLAYER_SLOTS);
}

RIR::String slotKey(const char* pszPrefix, int nIdx)
{
    return RIR::String::format("%s%d", pszPrefix, nIdx);
}

int findIn(const PlayerList& pData, const char* pszUID)
{
    for (int i = 0; i < PLAYER_SLOTS; ++i)
        if (pData.uid[i] == pszUID)
            return i;
    return -1;
}

} // namespace

void loadPlayerList(PlayerList& pData)
{
    RIR_TRACE("loadPlayerList");
    for (int i = 0; i < PLAYER_SLOTS; ++i)
    {
        pData.sName[i] = getStoredValue(slotKey("SavedPlayerName_", i).c_str());
        pData.uid[i] = getStoredValue(slotKey("SavedPlayerUID_", i).c_str());
        pData.defaultName[i] =
            getStoredValue(slotKey("SavedPlayerNameDefault_", i).c_str()) == "TRUE";
    }
}

void savePlayerList(const PlayerList& pData)
{
    RIR_TRACE("savePlayerList");
    for (int i = 0; i < PLAYER_SLOTS; ++i)
    {
        setStoredValue(slotKey("SavedPlayerName_", i).c_str(), pData.sName[i].c_str());
        setStoredValue(slotKey("SavedPlayerUID_", i).c_str(), pData.uid[i].c_str());
        setStoredValue(slotKey("SavedPlayerNameDefault_", i).c_str(),
                       pData.defaultName[i] ? "TRUE" : "FALSE");
    }
}

void selectPlayer(int nIdx)
{
    RIR_TRACE("selectPlayer");
    checkSlot(nIdx);
    PlayerList pData;
    loadPlayerList(pData);
    if (pData.sName[nIdx].length() == 0)
        RIR_THROW(AssertFailException, "Assertion failed : pData.sName[nIdx].getLength() > 0");
    setStoredValue("PlayerName", pData.sName[nIdx].c_str());
    setStoredValue("PlayerUID", pData.uid[nIdx].c_str());
}

int addPlayer(const char* pszName, int nIdx)
{
    RIR_TRACE("addPlayer");
    PlayerList pData;
    loadPlayerList(pData);
    if (nIdx == -1)
    {
        for (int i = 0; i < PLAYER_SLOTS && nIdx == -1; ++i)
            if (pData.sName[i].length() == 0)
                nIdx = i;
        if (nIdx == -1)
            return -1;
    }
    checkSlot(nIdx);

    // The time's id, counted up past every id a slot holds, the replaced one included (the new
    // player must not inherit the old one's saves).
    int64_t nTime = s_pIdClock();
    RIR::String sUID = formatTimeId(nTime);
    while (findIn(pData, sUID.c_str()) != -1)
        sUID = formatTimeId(++nTime);

    pData.sName[nIdx] = pszName;
    pData.uid[nIdx] = sUID;
    savePlayerList(pData);
    return nIdx;
}

void renamePlayer(int nIdx, const char* pszName)
{
    RIR_TRACE("renamePlayer");
    checkSlot(nIdx);
    PlayerList pData;
    loadPlayerList(pData);
    pData.sName[nIdx] = pszName;
    pData.defaultName[nIdx] = false;
    savePlayerList(pData);
}

void deletePlayer(int nIdx)
{
    RIR_TRACE("deletePlayer");
    checkSlot(nIdx);
    PlayerList pData;
    loadPlayerList(pData);
    for (int k = nIdx; k < PLAYER_SLOTS - 1; ++k)
    {
        pData.sName[k] = pData.sName[k + 1];
        pData.uid[k] = pData.uid[k + 1];
        pData.defaultName[k] = pData.defaultName[k + 1];
    }
    pData.sName[PLAYER_SLOTS - 1] = "";
    pData.uid[PLAYER_SLOTS - 1] = "";
    pData.defaultName[PLAYER_SLOTS - 1] = false;
    savePlayerList(pData);
}

bool isPlayerSlotUsed(int nIdx)
{
    RIR_TRACE("isPlayerSlotUsed");
    checkSlot(nIdx);
    PlayerList pData;
    loadPlayerList(pData);
    return pData.sName[nIdx].length() > 0;
}

bool isDefaultPlayerName(int nIdx)
{
    RIR_TRACE("isDefaultPlayerName");
    checkSlot(nIdx);
    PlayerList pData;
    loadPlayerList(pData);
    return pData.defaultName[nIdx];
}

void setDefaultPlayerName(int nIdx, bool bDefault)
{
    RIR_TRACE("setDefaultPlayerName");
    checkSlot(nIdx);
    PlayerList pData;
    loadPlayerList(pData);
    pData.defaultName[nIdx] = bDefault;
    savePlayerList(pData);
}

int findPlayerByUID(const char* pszUID)
{
    RIR_TRACE("findPlayerByUID");
    PlayerList pData;
    loadPlayerList(pData);
    return findIn(pData, pszUID);
}

void setIdClock(IdClock pClock)
{
    s_pIdClock = pClock ? pClock : systemClock;
}

RIR::String formatTimeId(int64_t nTime)
{
    const uint64_t nBits = (uint64_t)nTime;
    return RIR::String::format("%08X%08X", (unsigned)(nBits & 0xFFFFFFFFu),
                               (unsigned)(nBits >> 32));
}

RIR::String makeTimeId()
{
    RIR_TRACE("makeTimeId");
    return formatTimeId(s_pIdClock());
}

RIR::String chooseDefaultPlayerName(const char* pszLoginName)
{
    RIR_TRACE("chooseDefaultPlayerName");
    const RIR::String sLogin(pszLoginName);
    if (sLogin.length() == 0)
        return getText("DefaultPlayerName");
    const RIR::String sLower = sLogin.toLower();
    if (sLower.find("usu") != -1 || sLower.find("admin") != -1 || sLower.find("user") != -1)
        return getText("DefaultPlayerName");
    return sLogin;
}

int ensureDefaultPlayer(const char* pszLoginName)
{
    RIR_TRACE("ensureDefaultPlayer");
    PlayerList pData;
    loadPlayerList(pData);
    for (int i = 0; i < PLAYER_SLOTS; ++i)
    {
        if (pData.sName[i].length() > 0)
        {
            selectPlayer(i);
            return i;
        }
    }
    RIR::String sName = chooseDefaultPlayerName(pszLoginName);
    if (sName.length() == 0) // a text table that maps the key to nothing
        sName = "DefaultPlayerName";
    const int nIdx = addPlayer(sName.c_str(), -1);
    setDefaultPlayerName(nIdx, true);
    selectPlayer(nIdx);
    return nIdx;
}
