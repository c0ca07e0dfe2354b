// CreditsMode: the screen that scrolls the credits from the bottom of the screen to the top.
//
// Items (text labels, pictures, tables, blank gaps) wait in a queue, hidden and parked off the
// screen, and enter one at a time at the bottom line, each as soon as the one before has risen
// fully above that line; an item leaves the active list once its bottom edge has passed the top
// line. Scrolling moves by whole pixels only: at 30 pixels a second and 60 frames a second the
// items move one pixel every second frame. The background picture is darkened; above the items
// lie copies of its strips that cover the screen above the top line and below the bottom line
// and fade toward the middle in bands (a soft edge).
//
// The screen is done once its last item has gone (at once when it started with nothing
// queued), and then ends itself unless told not to (setCloseWhenDone). A click or a key ends it
// at any time, on the release of a button or key whose press this screen saw itself: a release
// left over from a press that a mode above it took (an Escape that closed that mode) does not
// end the credits.
//
// Depths: background -2000, items 10, bands and strips 200.
//
// Usage:
//     CreditsMode* pCredits = new CreditsMode();
//     pCredits->setBackground("tapa");
//     pCredits->addText("CredDolly", true);
//     pCredits->addSpace(40);
//     pCredits->addImageByName("logo", true);
//     pApp->pushMode(pCredits);
//
// Failures: setDarkStrength outside 0 .. 255 raises AssertFailException "Assertion failed :
// m_nDarkStrength >= 0" / "... <= 255"; a background or picture the image cache cannot load
// raises there; ending goes through GameMode::endMode (the top mode only). Main thread only.
#ifndef DIZIDOR_UI_CREDITSMODE_H
#define DIZIDOR_UI_CREDITSMODE_H

#include "app/gamemode.h"
#include "gfx/ivisualobject.h"
#include "ui/label.h"

#include "rir2/list.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

#include <set>

class CreditsMode : public GameMode
{
public:
    // Speed 30, top line 50, bottom line screen height - 50, 25 bands of 5 pixels, dark
    // strength 192, close when done.
    CreditsMode();
    ~CreditsMode() override;

    // ---- set-up (background, bands and darkness are read by onStart; the lines, the speed and
    // the close flag at every update) ---------------------------------------------------------

    void setBackground(const char* pszName);
    void setGradient(int nCount, int nHeight);
    void setDarkStrength(int nStrength);
    void setLines(int nTop, int nBottom);
    int getTopLine() const { return m_nTopLine; }
    int getBottomLine() const { return m_nBottomLine; }
    void setScrollSpeed(float fPixelsPerSecond) { m_fScrollSpeed = fPixelsPerSecond; }
    float getScrollSpeed() const { return m_fScrollSpeed; }
    void setCloseWhenDone(bool bClose) { m_bCloseWhenDone = bClose; }
    bool isDone() const { return m_bDone; }
    // The lists themselves.
    RIR::List<RIR::SmartPtr<IVisualObject>>& getActiveItems() { return m_lActive; }
    RIR::List<RIR::SmartPtr<IVisualObject>>& getQueuedItems() { return m_lQueued; }

    // ---- content (every item joins the mode's sprites when made) ------------------------------

    // A white, black-shadowed, centred label (z 10) of the text, or of the string-table text
    // when the text is a key. Its line count is the number of non-empty lines; a line that is
    // "-" shows empty but counts, so a blank line in a credits text is written "-".
    RIR::SmartPtr<Label> addText(const char* pszText, bool bQueue);
    // A sprite of the picture at z 10.
    RIR::SmartPtr<Sprite> addImage(RIR::SmartPtr<Image> pImage, bool bQueue);
    RIR::SmartPtr<Sprite> addImageByName(const char* pszName, bool bQueue);
    // A blank 10 x nHeight item, always queued: a gap between the items around it.
    void addSpace(int nHeight);
    // Hides the item, parks it off the screen and appends it to the queue. It must already
    // belong to this mode (a table's objects too).
    void queueItem(RIR::SmartPtr<IVisualObject> pItem);

    // A sprite of the background strip between the two lines at z 200, with the alpha (0 to
    // 255) and the background's tint.
    void addBand(RIR::SmartPtr<Image> pImage, int nTop, int nBottom, int nAlpha);
    // The first queued item becomes active, shown, centred on the bottom line. Nothing when the
    // queue is empty.
    void spawnNext();

    // ---- mode ------------------------------------------------------------------------------

    // Background, bands, the first item; hides the cursor, 60 frames a second.
    void onStart() override;
    // Shows the cursor again (the contents stay until the mode is deleted).
    void onEnd() override;
    // The scroll (see the file comment).
    void update(float fDt) override;
    // Presses are remembered so that their releases can end the screen; not handled.
    bool keyDown(int nKey, int nModifiers) override;
    bool mouseDown(int nButtonMask, int nX, int nY) override;
    // The release of a key or button pressed on this screen ends it and is handled; any other
    // release is ignored (not handled).
    bool keyUp(int nKey, int nModifiers) override;
    bool mouseUp(int nButtonMask, int nX, int nY) override;

private:
    // The item count is empty: done, and the end when asked for.
    void finish();

    RIR::String m_sBackground;
    RIR::List<RIR::SmartPtr<IVisualObject>> m_lActive;
    RIR::List<RIR::SmartPtr<IVisualObject>> m_lQueued;
    float m_fScrollSpeed;
    int m_nTopLine;
    int m_nBottomLine;
    int m_nBandCount;
    int m_nBandHeight;
    int m_nDarkStrength;
    float m_fScrollRemainder;
    bool m_bCloseWhenDone;
    bool m_bDone;
    std::set<int> m_keysDown; // keys pressed while this mode took input
    int m_nButtonsDown;       // buttons pressed while this mode took input
};

#endif
