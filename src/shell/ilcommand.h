// ILCommand: one step of an illustrated scene between story days (InterLevelMode).
//
// A background step clears the page and tiles a picture over the screen; a chapter step shows a
// chapter's title page; a page step fades a picture in at a place, with a caption at the bottom of
// the screen, and holds it. The mode owns its queued steps and deletes each after it ran.
//
//     lScript.append(new ILCommand("storyback"));
//     lScript.append(new ILCommand("h1_1", 10, 10, "The stage leaves...", 128.0f, 6.0f));
#ifndef DBD_SHELL_ILCOMMAND_H
#define DBD_SHELL_ILCOMMAND_H

#include "rir2/rirstring.h"

enum ILCommandKind
{
    ILC_BACKGROUND = 0,
    ILC_CHAPTER = 1,
    ILC_PAGE = 2
};

struct ILCommand
{
    // A background step tiling the picture.
    explicit ILCommand(const char* pszImage)
        : nKind(ILC_BACKGROUND), sImage(pszImage), nX(0), nY(0), fFadeSpeed(0.0f),
          fHoldTime(0.0f), nChapter(0)
    {
    }
    // The title page of chapter n.
    explicit ILCommand(int nChapterNumber)
        : nKind(ILC_CHAPTER), nX(0), nY(0), fFadeSpeed(0.0f), fHoldTime(0.0f),
          nChapter(nChapterNumber)
    {
    }
    // A picture whose insertion point goes to (x, y) on the 800 x 600 screen, fading in at
    // fSpeed alpha steps (of 255) a second, then held fHold seconds; the caption already looked up.
    ILCommand(const char* pszImage, int x, int y, const char* pszText, float fSpeed, float fHold)
        : nKind(ILC_PAGE), sText(pszText), sImage(pszImage), nX(x), nY(y), fFadeSpeed(fSpeed),
          fHoldTime(fHold), nChapter(0)
    {
    }

    int nKind;
    RIR::String sText;
    RIR::String sImage;
    int nX;
    int nY;
    float fFadeSpeed;
    float fHoldTime;
    int nChapter;
};

#endif
