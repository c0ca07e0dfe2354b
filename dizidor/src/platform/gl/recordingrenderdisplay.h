// RecordingRenderDisplay: a display that draws nothing and writes down every call, for tests of
// the Direct3D 7 video driver's logic. It needs neither SDL video nor OpenGL.
//
// The display, its device and their textures record into one RecordingRenderLog (getLog), so
// the order between display and device calls shows. A test can make any call fail
// (RecordingRenderLog::failCall) and can play the display's situations:
// - setDisplayLost(true): a full-screen display that is not ours; testCooperativeLevel answers
//   RENDER_ERR_DISPLAY_LOST, the device's beginScene RENDER_ERR_DISPLAY_LOST and present
//   RENDER_ERR_SURFACE_LOST, until set back or a mode is set;
// - setWrongMode(true): the display mode changed under a window; testCooperativeLevel answers
//   RENDER_ERR_WRONG_MODE until set back or a mode is set;
// - setStencilAvailable(false): a mode asking for a stencil buffer fails with
//   RENDER_ERR_NO_STENCIL;
// - setDisplayBpp: the depth granted to a mode asking for depth 0 (32 at first); any other
//   depth is granted as asked.
//
// Main thread only.
#ifndef DIZIDOR_PLATFORM_GL_RECORDINGRENDERDISPLAY_H
#define DIZIDOR_PLATFORM_GL_RECORDINGRENDERDISPLAY_H

#include "platform/gl/recordingrenderdevice.h"
#include "platform/gl/recordingrenderlog.h"
#include "platform/gl/renderdisplay.h"

#include <memory>

class RecordingRenderDisplay : public RenderDisplay
{
public:
    enum
    {
        DEFAULT_MAX_TEXTURE_SIZE = 2048
    };

    // No mode, an empty log, depth 32, stencil available, textures up to 2048.
    RecordingRenderDisplay();
    ~RecordingRenderDisplay() override;

    RecordingRenderDisplay(const RecordingRenderDisplay&) = delete;
    RecordingRenderDisplay& operator=(const RecordingRenderDisplay&) = delete;

    const char* getName() const override { return "Recording"; }
    // RENDER_ERR_BAD_ARGUMENT for a size below 1 x 1 or a negative depth.
    RenderResult setMode(const DisplayMode& mode) override;
    bool hasMode() const override { return m_pDevice != nullptr; }
    const DisplayMode& getMode() const override { return m_mode; }
    int getBitsPerPixel() const override { return m_mode.nDepth; }
    RenderDevice* getDevice() const override { return m_pDevice.get(); }
    RenderResult testCooperativeLevel() override;
    RenderResult present() override;
    RenderResult restore() override;
    void release() override;

    RecordingRenderLog& getLog() { return m_log; }
    const RecordingRenderLog& getLog() const { return m_log; }
    // The device of the mode; null without a mode.
    RecordingRenderDevice* getRecordingDevice() const { return m_pDevice.get(); }

    void setDisplayBpp(int nBpp) { m_nDisplayBpp = nBpp; }
    void setStencilAvailable(bool bAvailable) { m_bStencilAvailable = bAvailable; }
    void setMaxTextureSize(int nSize) { m_nMaxTextureSize = nSize; }
    void setDisplayLost(bool bLost) { m_bDisplayLost = bLost; }
    bool isDisplayLost() const { return m_bDisplayLost; }
    void setWrongMode(bool bWrongMode) { m_bWrongMode = bWrongMode; }
    bool isWrongMode() const { return m_bWrongMode; }

private:
    // Declared first: the device and its textures record into it until they go.
    RecordingRenderLog m_log;
    DisplayMode m_mode;
    int32_t m_nDisplayBpp;
    bool m_bStencilAvailable;
    int32_t m_nMaxTextureSize;
    bool m_bDisplayLost;
    bool m_bWrongMode;
    std::unique_ptr<RecordingRenderDevice> m_pDevice;
};

#endif
