// Story save slots in the settings store (see savegameio.h).
#include "shell/savegameio.h"

#include "shell/appstore.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list.h"

namespace
{

void checkSlot(int nSlot)
{
    RIR_ASSERT(nSlot >= 0 && nSlot < SAVE_SLOTS);
}

RIR::String slotKey(const RIR::String& sUID, int nSlot)
{
    return RIR::String::format("Savegame_%s_%d", sUID.c_str(), nSlot);
}

void clearFields(SaveSlots& slots, int nSlot)
{
    slots.anLevel[nSlot] = -1;
    slots.anTime[nSlot] = -1;
    slots.anDifficulty[nSlot] = -1;
    slots.anScore[nSlot] = -1;
}

} // namespace

void readSaveSlots(SaveSlots& slots, const char* pszUID)
{
    RIR_TRACE("readSaveSlots");
    const RIR::String sUID = resolvePlayerUID(pszUID);
    for (int i = 0; i < SAVE_SLOTS; ++i)
    {
        clearFields(slots, i);
        const RIR::List<RIR::String> lWords = getStoredValue(slotKey(sUID, i).c_str()).split(" ");
        if (lWords.getLength() < 4)
            continue;
        const int nLevel = RIR::String::toInt(lWords.get(0).c_str());
        if (nLevel < 0 || nLevel > STORY_LEVELS)
            continue;
        int nDifficulty = RIR::String::toInt(lWords.get(2).c_str());
        if (nDifficulty < 0 || nDifficulty > 2)
            nDifficulty = 1;
        slots.anLevel[i] = nLevel;
        slots.anTime[i] = RIR::String::toInt(lWords.get(1).c_str());
        slots.anDifficulty[i] = nDifficulty;
        slots.anScore[i] = RIR::String::toInt(lWords.get(3).c_str());
    }
}

void writeSaveSlots(const SaveSlots& slots, const char* pszUID)
{
    RIR_TRACE("writeSaveSlots");
    const RIR::String sUID = resolvePlayerUID(pszUID);
    for (int i = 0; i < SAVE_SLOTS; ++i)
    {
        const RIR::String sValue =
            RIR::String::format("%d %d %d %d", slots.anLevel[i], slots.anTime[i],
                                slots.anDifficulty[i], slots.anScore[i]);
        setStoredValue(slotKey(sUID, i).c_str(), sValue.c_str());
    }
    saveStore();
}

void readSaveSlot(int nSlot, int* pnLevel, int* pnTime, int* pnDifficulty, int* pnScore,
                  const char* pszUID)
{
    RIR_TRACE("readSaveSlot");
    checkSlot(nSlot);
    SaveSlots slots;
    readSaveSlots(slots, pszUID);
    if (pnLevel)
        *pnLevel = slots.anLevel[nSlot];
    if (pnTime)
        *pnTime = slots.anTime[nSlot];
    if (pnDifficulty)
        *pnDifficulty = slots.anDifficulty[nSlot];
    if (pnScore)
        *pnScore = slots.anScore[nSlot];
}

void clearSaveSlot(int nSlot, const char* pszUID)
{
    RIR_TRACE("clearSaveSlot");
    checkSlot(nSlot);
    SaveSlots slots;
    readSaveSlots(slots, pszUID);
    clearFields(slots, nSlot);
    writeSaveSlots(slots, pszUID);
}

void createSaveSlot(int nSlot, int nTime, int nDifficulty, const char* pszUID)
{
    RIR_TRACE("createSaveSlot");
    checkSlot(nSlot);
    clearSaveSlot(nSlot, pszUID);
    SaveSlots slots;
    readSaveSlots(slots, pszUID);
    slots.anLevel[nSlot] = 0;
    slots.anTime[nSlot] = nTime;
    slots.anDifficulty[nSlot] = nDifficulty;
    slots.anScore[nSlot] = 0;
    writeSaveSlots(slots, pszUID);
}

void updateSaveSlot(int nSlot, int nLevel, int nScore, const char* pszUID)
{
    RIR_TRACE("updateSaveSlot");
    checkSlot(nSlot);
    SaveSlots slots;
    readSaveSlots(slots, pszUID);
    slots.anLevel[nSlot] = nLevel;
    slots.anScore[nSlot] = nScore;
    writeSaveSlots(slots, pszUID);
}

bool isSaveSlotUsed(int nSlot, const char* pszUID)
{
    RIR_TRACE("isSaveSlotUsed");
    checkSlot(nSlot);
    SaveSlots slots;
    readSaveSlots(slots, pszUID);
    return slots.anLevel[nSlot] != -1;
}

int countSaveSlots(const char* pszUID)
{
    RIR_TRACE("countSaveSlots");
    SaveSlots slots;
    readSaveSlots(slots, pszUID);
    int nCount = 0;
    for (int i = 0; i < SAVE_SLOTS; ++i)
        nCount += slots.anLevel[i] != -1 ? 1 : 0;
    return nCount;
}
