// LoadingDlg: the ticking clock shown over a saloon day while it loads.
//
// The play mode pushes it when it starts and builds itself step by step below it (the dialog is
// not modal, so the level keeps getting its updates, but it takes all input). The clock hand
// turns through the 21 pictures "clock_0" .. "clock_20" at 20 frames a second beside the text
// "Loading". The level's last loading step calls done; the dialog ends itself on its next
// update, so both see one more frame.
//
//     LoadingDlg* pLoading = new LoadingDlg();
//     getApp()->pushMode(pLoading);
//     ...                       // one loading step per frame
//     pLoading->done();         // shows the cursor; the dialog ends on its next update
//
// Missing clock pictures are the application's resource error. Main thread only.
#ifndef DBD_SHELL_LOADINGDLG_H
#define DBD_SHELL_LOADINGDLG_H

#include "shell/dbddialog.h"

#include "gfx/image.h"
#include "gfx/sprite.h"

#include "rir2/refcount.h"

class LoadingDlg : public DBDDialog
{
public:
    enum
    {
        FRAME_COUNT = 21
    };
    // Seconds each clock picture stays.
    static constexpr float FRAME_SECONDS = 0.05f;

    // Not modal; not done, frame 0.
    LoadingDlg();
    ~LoadingDlg() override;

    // The dimmed background, the clock (hand over its face) and the text.
    void onStart() override;
    // Ends the dialog once done; otherwise turns the hand on when its time is up.
    void update(float fDt) override;

    // Loading is over: the dialog ends on its next update. Shows the cursor.
    void done();
    bool isDone() const { return m_bDone; }
    // The clock picture shown, 0 .. 20.
    int getFrame() const { return m_nFrame; }

private:
    bool m_bDone;
    int m_nFrame;
    float m_fFrameTime;
    RIR::SmartPtr<Sprite> m_pHand;
    RIR::SmartPtr<Image> m_apFrames[FRAME_COUNT];
};

#endif
