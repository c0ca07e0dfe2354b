// Story save slots: ten per player, each one settings value.
//
// Key "Savegame_<uid>_<slot>", value "%d %d %d %d": level (-1 empty, 0..44 the next level, 45 the
// story is finished), time flag (0: 180-second levels, anything else: 600), difficulty (0..2) and
// the score so far. A missing key or a value of fewer than four words is an empty slot (all four
// -1); extra words are ignored; each word reads with atoi. A level outside -1..45 reads as an empty
// slot and a difficulty outside 0..2 as the default difficulty 1: the game writes neither, and a
// damaged settings file must not send an unknown level or difficulty into a level.
//
// Every operation takes an optional player id last; null means the current player
// ("PlayerUID"). Changes read all ten slots, change one and write all ten back, then save the
// settings file. Slot arguments must lie in 0..SAVE_SLOTS-1, else AssertFailException
// "Assertion failed : nSlot >= 0 && nSlot < SAVE_SLOTS".
#ifndef DBD_SHELL_SAVEGAMEIO_H
#define DBD_SHELL_SAVEGAMEIO_H

enum
{
    SAVE_SLOTS = 10,
    STORY_LEVELS = 45 // levels 0..44; level 45 in a slot marks a finished story
};

// The ten slots of one player as four arrays.
struct SaveSlots
{
    int anLevel[SAVE_SLOTS];
    int anTime[SAVE_SLOTS];
    int anDifficulty[SAVE_SLOTS];
    int anScore[SAVE_SLOTS];
};

// Fills all ten slots from the store.
void readSaveSlots(SaveSlots& slots, const char* pszUID = nullptr);
// Writes all ten slot keys (empty slots as "-1 -1 -1 -1"), then saves the settings file.
void writeSaveSlots(const SaveSlots& slots, const char* pszUID = nullptr);
// The four fields of one slot.
void readSaveSlot(int nSlot, int* pnLevel, int* pnTime, int* pnDifficulty, int* pnScore,
                  const char* pszUID = nullptr);
// Sets the slot's four fields to -1.
void clearSaveSlot(int nSlot, const char* pszUID = nullptr);
// Clears the slot, then sets level 0, the time flag, the difficulty and score 0.
void createSaveSlot(int nSlot, int nTime, int nDifficulty, const char* pszUID = nullptr);
// Sets the slot's level and score.
void updateSaveSlot(int nSlot, int nLevel, int nScore, const char* pszUID = nullptr);
// The slot's level is not -1.
bool isSaveSlotUsed(int nSlot, const char* pszUID = nullptr);
// The number of used slots, 0..10.
int countSaveSlots(const char* pszUID = nullptr);

#endif
