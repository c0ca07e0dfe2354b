#include "shell/chapterscripts.h"

#include "rir2/calltrace.h"

namespace
{

const float SPEED = CHAPTER_PAGE_SPEED;
const float HOLD = CHAPTER_PAGE_HOLD;

#define BG(name) {true, name, 0, 0, nullptr, 0.0f, 0.0f}
#define PAGE(name, x, y, key) {false, name, x, y, key, SPEED, HOLD}
#define PAGE_SH(name, x, y, key, speed, hold) {false, name, x, y, key, speed, hold}

const ChapterStep CHAPTER0[] = {
    BG("storyback"),
    PAGE("h1_1", 10, 10, "Hist1_1"),
    PAGE("h1_2", 400, 15, "Hist1_2"),
    PAGE("h1_3", 200, 300, "Hist1_3"),
    BG("storyback"),
    PAGE("h1_4", 10, 10, "Hist1_4"),
    PAGE("h1_5", 100, 220, "Hist1_5"),
    PAGE("h1_6", 430, 293, "Hist1_6"),
    BG("storyback"),
    PAGE("h1_7", 112, 60, "Hist1_7"),
};

const ChapterStep CHAPTER1[] = {
    BG("storyback"),
    PAGE("h2_1", 10, 10, "Hist2_1"),
    PAGE("h2_2", 100, 220, "Hist2_2"),
    PAGE("h2_3", 430, 293, "Hist2_3"),
};

// The fire: the same caption stays while three quick pictures change under it, and the last
// picture is shown twice at the same place so that only its caption changes.
const ChapterStep CHAPTER2[] = {
    BG("storyback"),
    PAGE("h3_1", 10, 10, "Hist3_1"),
    PAGE("h3_2", 348, 220, "Hist3_2"),
    BG("white200x200"),
    PAGE_SH("h3_3_1", 185, 95, "Hist3_3", SPEED, 3.0f),
    PAGE_SH("h3_3_2", 185, 95, "Hist3_4", 256.0f, 0.5f),
    PAGE_SH("h3_3_5", 100, 30, "Hist3_4", 256.0f, 0.1f),
    PAGE_SH("h3_3_3", 480, 30, "Hist3_4", 256.0f, 0.1f),
    PAGE_SH("h3_3_4", 330, 330, "Hist3_5", 256.0f, HOLD),
    PAGE("h3_3_4", 330, 330, "Hist3_6"),
};

const ChapterStep CHAPTER3[] = {
    BG("storyback"),
    PAGE("h4_1", 150, 70, "Hist4_1"),
    BG("storyback"),
    PAGE("h4_2", 150, 91, "Hist4_2"),
};

const ChapterStep CHAPTER4[] = {
    BG("storyback"),
    PAGE("h5_1", 20, 20, "Hist5_1"),
    PAGE("h5_2", 50, 175, "Hist5_2"),
    PAGE("h5_3", 330, 220, "Hist5_3"),
};

const ChapterStep CHAPTER5[] = {
    BG("storyback"),
    PAGE("h6_1", 20, 20, "Hist6_1"),
    PAGE("h6_2", 280, 150, "Hist6_2"),
};

const ChapterStep CHAPTER6[] = {
    BG("storyback"),
    PAGE("h7_1", 20, 20, "Hist7_1"),
    PAGE("h7_2", 420, 285, "Hist7_2"),
};

const ChapterStep CHAPTER7[] = {
    BG("storyback"),
    PAGE("h8_1", 59, 40, "Hist8_1"),
    BG("storyback"),
    PAGE("h8_2", 48, 20, "Hist8_2"),
    PAGE("h8_3", 48, 380, "Hist8_3"),
    PAGE("h8_4", 284, 380, "Hist8_4"),
    PAGE("h8_5", 520, 380, "Hist8_5"),
};

const ChapterStep CHAPTER8[] = {
    BG("storyback"),
    PAGE("h9_1", 101, 60, "Hist9_1"),
    PAGE_SH("h9_2", 20, 400, "Hist9_2_3", SPEED, 2.0f),
    PAGE("h9_3", 530, 400, "Hist9_2_3"),
};

const ChapterStep CHAPTER9[] = {
    BG("storyback"),
    PAGE_SH("h10_a", 25, 10, "Hist10_1", SPEED, 10.0f),
    BG("storyback"),
    PAGE_SH("h10_2b", 120, 10, "Hist10_2", SPEED, 10.0f),
};

const ChapterStep LOST[] = {
    BG("storyback"),
    PAGE_SH("h10_b", 25, 10, "Hist_Lose", SPEED, 5.0f),
};

const ChapterStep WON[] = {
    BG("storyback"),
    PAGE_SH("h10_a", 25, 10, "Hist_Win", SPEED, 10.0f),
};

#undef BG
#undef PAGE
#undef PAGE_SH

struct ScriptEntry
{
    const ChapterStep* pSteps;
    int nCount;
};

#define ENTRY(a) {a, (int)(sizeof(a) / sizeof(a[0]))}
const ScriptEntry CHAPTERS[] = {ENTRY(CHAPTER0), ENTRY(CHAPTER1), ENTRY(CHAPTER2), ENTRY(CHAPTER3),
                                ENTRY(CHAPTER4), ENTRY(CHAPTER5), ENTRY(CHAPTER6), ENTRY(CHAPTER7),
                                ENTRY(CHAPTER8), ENTRY(CHAPTER9)};
const ScriptEntry LOST_ENTRY = ENTRY(LOST);
const ScriptEntry WON_ENTRY = ENTRY(WON);
#undef ENTRY

} // namespace

const ChapterStep* getChapterScript(int nScript, int* pnCount)
{
    RIR_TRACE("getChapterScript");
    const ScriptEntry* pEntry = nullptr;
    if (nScript >= 0 && nScript < (int)(sizeof(CHAPTERS) / sizeof(CHAPTERS[0])))
        pEntry = &CHAPTERS[nScript];
    else if (nScript == SCRIPT_LOST)
        pEntry = &LOST_ENTRY;
    else if (nScript == SCRIPT_WON)
        pEntry = &WON_ENTRY;
    if (pnCount)
        *pnCount = pEntry ? pEntry->nCount : 0;
    return pEntry ? pEntry->pSteps : nullptr;
}
