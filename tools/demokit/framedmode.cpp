#include "framedmode.h"

#include "app/gameapp.h"
#include "platform/d3d7/d3d7videodriver.h"

#include <SDL.h>

namespace demokit
{

FramedMode::FramedMode(int nFrameLimit, D3D7VideoDriver* pVideo)
    : m_nFrameLimit(nFrameLimit), m_pVideo(pVideo)
{
}

bool FramedMode::keyDown(int nKey, int /*nModifiers*/)
{
    if (nKey != SDLK_ESCAPE)
        return false;
    getApp()->quit(0);
    return true;
}

bool FramedMode::endAtFrameLimit()
{
    if (m_nFrameLimit <= 0 || m_nFrames < m_nFrameLimit)
        return false;
    // This frame is the last one: it is drawn, read back when asked, and the loop ends.
    if (m_bCapture)
        m_pVideo->requestFrameCapture();
    getApp()->quit(0);
    return true;
}

} // namespace demokit
