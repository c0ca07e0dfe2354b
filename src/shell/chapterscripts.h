// The scripts of the story's scenes: the ten chapters (chapter n opens story day 5n; chapter 9 is
// the ending), the lost story (-1) and the won campaign (-3).
//
// Each script is a fixed table of steps; InterLevelMode turns one into ILCommands (looking the
// captions up in the text table) and plays it. A chapter's own title page (the chapter step) is not
// in the table: the mode puts it first for chapters 0 to 9.
//
//     int nCount = 0;
//     const ChapterStep* pSteps = getChapterScript(2, &nCount);
#ifndef DBD_SHELL_CHAPTERSCRIPTS_H
#define DBD_SHELL_CHAPTERSCRIPTS_H

// Fade speed (alpha steps a second) and hold (seconds) of a page unless its step says otherwise.
constexpr float CHAPTER_PAGE_SPEED = 128.0f;
constexpr float CHAPTER_PAGE_HOLD = 6.0f;

// The scene of a lost story or campaign, and of a won campaign.
constexpr int SCRIPT_LOST = -1;
constexpr int SCRIPT_WON = -3;

struct ChapterStep
{
    // True: a background step tiling pszImage; the other fields are unused.
    bool bBackground;
    const char* pszImage;
    int nX;
    int nY;
    // Text key of the caption.
    const char* pszCaptionKey;
    float fFadeSpeed;
    float fHoldTime;
};

// The steps of chapter 0..9, SCRIPT_LOST or SCRIPT_WON (count in *pnCount); null and 0 for any
// other number.
const ChapterStep* getChapterScript(int nScript, int* pnCount);

#endif
