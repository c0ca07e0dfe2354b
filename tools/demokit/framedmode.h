// A demo's screen that may run a fixed number of frames.
#pragma once

#include "app/gamemode.h"

class D3D7VideoDriver;

namespace demokit
{

// Counts the frames of a demo's screen. With a frame limit (above 0) the last frame is read
// back when a screenshot was asked for and the application is told to quit after drawing it.
// Escape ends the application at any time.
class FramedMode : public GameMode
{
public:
    // nFrameLimit 0: no limit. pVideo (not owned) takes the screenshot.
    FramedMode(int nFrameLimit, D3D7VideoDriver* pVideo);

    void requestScreenshot() { m_bCapture = true; }
    int getFrames() const { return m_nFrames; }

    bool keyDown(int nKey, int nModifiers) override;

protected:
    int getFrameLimit() const { return m_nFrameLimit; }
    // Counts the frame now being updated.
    void countFrame() { ++m_nFrames; }
    // True when the frame counted last is the last one: its read-back is requested when asked
    // for and the application told to quit.
    bool endAtFrameLimit();

private:
    int m_nFrameLimit;
    int m_nFrames = 0;
    D3D7VideoDriver* m_pVideo; // not owned
    bool m_bCapture = false;
};

} // namespace demokit
