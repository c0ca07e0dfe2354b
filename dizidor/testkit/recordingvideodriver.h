// RecordingVideoDriver: a video driver without a display, for headless tests.
//
// It keeps the state a real driver keeps (logical size, flag word, depth, full screen, caption,
// cursor settings, scale) and answers from it, following the contracts of IVideoDriver:
// setFullscreen toggles only on a change and then applies the software-cursor setting again;
// setBPP and toggleFullscreen go through setVideoMode with the current size and changed flags.
// Every call that changes something or draws is written to a RecordingLog as "video.<call>";
// the queries are not.
//
// Drawing. renderFrame counts the frame, writes "video.renderFrame" and then runs the frame
// drawer when one is set: a function that walks whatever should be drawn and reports each drawn
// object with recordDraw, which writes "video.draw(<label>)" and collects the labels of the frame
// (getFrameDraws). Tests of the mode stack set a drawer that walks the application's modes.
//
// Refusals: refuseModes(true) makes setVideoMode answer false and keep the current mode (a real
// back-end then ends the program; the recorder lets a test see what the caller does);
// failInit(true) makes init raise FatalErrorException.
//
// The cursor: setCursorImage with an image makes a new cursor sprite (the image at (0, 0), z order
// 0) in place of the old one; with null there is no cursor sprite.
#ifndef DIZIDOR_TESTKIT_RECORDINGVIDEODRIVER_H
#define DIZIDOR_TESTKIT_RECORDINGVIDEODRIVER_H

#include "app/ivideodriver.h"
#include "testkit/recordinglog.h"

#include "gfx/image.h"
#include "gfx/sprite.h"
#include "rir2/list.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

#include <functional>

class RecordingVideoDriver : public IVideoDriver
{
public:
    typedef std::function<void(RecordingVideoDriver& driver)> FrameDrawer;

    // No mode set (size 0 x 0, flags 0, depth 0); cursor shown, software cursor off. Writes to
    // pLog, or to a log of its own when null.
    explicit RecordingVideoDriver(const RIR::SmartPtr<RecordingLog>& pLog = nullptr);
    ~RecordingVideoDriver() override;

    // ---- IVideoDriver ----------------------------------------------------------------------

    void setScale(float fScale) override;
    // Stores the icon; FatalErrorException when told to fail.
    void init(RIR::SmartPtr<Image> pIcon) override;
    void shutdown() override;
    // "Recording Video Driver v1.0".
    const char* getName() const override;
    bool isAccelerated() const override { return false; }
    void suspend() override;
    void resume() override;
    // Takes the size and the flags; the depth is bppFromFlags of the flags, or the default depth
    // (32) when they leave it to the driver. False, and nothing changes, while refusing.
    bool setVideoMode(int nWidth, int nHeight, int nFlags) override;
    bool isFullscreen() const override { return m_bFullscreen; }
    void setFullscreen(bool bFullscreen) override;
    int getBPP() const override { return m_nBPP; }
    void setBPP(int nBpp) override;
    PixelFormat getOpaqueFormat() const override { return m_opaqueFormat; }
    PixelFormat getAlphaFormat() const override { return m_alphaFormat; }
    void setCaption(const char* pszText) override;
    void toggleFullscreen() override;
    void iconify() override;
    void renderFrame() override;
    void flip() override;
    void clear(Color color) override;
    void fillScreen(Color color) override;
    int getWidth() const override { return m_nWidth; }
    int getHeight() const override { return m_nHeight; }
    void getSize(int* pnWidth, int* pnHeight) const override;
    void setParameter(int nValue) override;
    void invalidate() override;
    void setCursorImage(RIR::SmartPtr<Image> pImage) override;
    RIR::SmartPtr<Sprite> getCursorSprite() const override { return m_pCursorSprite; }
    void showCursor(bool bShow) override;
    bool isCursorShown() const override { return m_bCursorShown; }
    void setSoftwareCursor(bool bSoftware) override;
    bool isSoftwareCursor() const override { return m_bSoftwareCursor; }
    void setViewOrigin(int nX, int nY) override;
    void prepareImage(Image* pImage) override;

    // ---- test controls and readings --------------------------------------------------------

    const RIR::SmartPtr<RecordingLog>& getLog() const { return m_pLog; }

    // setVideoMode answers false and changes nothing while on.
    void refuseModes(bool bRefuse) { m_bRefuseModes = bRefuse; }
    // init raises FatalErrorException while on.
    void failInit(bool bFail) { m_bFailInit = bFail; }
    // The depth setVideoMode takes when the flags leave it to the driver (32 at first).
    void setDefaultBPP(int nBpp) { m_nDefaultBPP = nBpp; }
    // The formats the driver answers; at first 24 bits (0, 0xFF, 0xFF00, 0xFF0000) opaque and
    // 32 bits (0xFF000000, 0xFF, 0xFF00, 0xFF0000) with alpha.
    void setFormats(const PixelFormat& opaque, const PixelFormat& alpha);
    // Runs in renderFrame after the frame is counted; an empty function draws nothing.
    void setFrameDrawer(const FrameDrawer& drawer) { m_frameDrawer = drawer; }
    // Reports one object drawn in the current frame.
    void recordDraw(const char* pszLabel);

    int getFlags() const { return m_nFlags; }
    bool isInitialized() const { return m_bInitialized; }
    const RIR::String& getCaption() const { return m_sCaption; }
    const RIR::SmartPtr<Image>& getIcon() const { return m_pIcon; }
    const RIR::SmartPtr<Image>& getCursorImage() const { return m_pCursorImage; }
    // Whether the system cursor is visible: shown and the software cursor off.
    bool isSystemCursorVisible() const { return m_bCursorShown && !m_bSoftwareCursor; }
    int getViewOriginX() const { return m_nViewX; }
    int getViewOriginY() const { return m_nViewY; }
    int getParameter() const { return m_nParameter; }

    int getFrameCount() const { return m_nFrameCount; }
    int getInvalidateCount() const { return m_nInvalidateCount; }
    int getClearCount() const { return m_nClearCount; }
    int getFlipCount() const { return m_nFlipCount; }
    int getModeSetCount() const { return m_nModeSetCount; }
    // The colour of the last clear or fillScreen (opaque black before any).
    const Color& getLastClearColor() const { return m_lastClear; }
    // The labels recordDraw reported since the last renderFrame began.
    const RIR::List<RIR::String>& getFrameDraws() const { return m_lFrameDraws; }

private:
    RIR::SmartPtr<RecordingLog> m_pLog;
    FrameDrawer m_frameDrawer;
    bool m_bRefuseModes;
    bool m_bFailInit;
    bool m_bInitialized;
    int m_nDefaultBPP;
    PixelFormat m_opaqueFormat;
    PixelFormat m_alphaFormat;

    int m_nWidth;
    int m_nHeight;
    int m_nFlags;
    int m_nBPP;
    bool m_bFullscreen;
    RIR::String m_sCaption;
    RIR::SmartPtr<Image> m_pIcon;
    RIR::SmartPtr<Image> m_pCursorImage;
    RIR::SmartPtr<Sprite> m_pCursorSprite;
    bool m_bCursorShown;
    bool m_bSoftwareCursor;
    int m_nViewX;
    int m_nViewY;
    int m_nParameter;

    int m_nFrameCount;
    int m_nInvalidateCount;
    int m_nClearCount;
    int m_nFlipCount;
    int m_nModeSetCount;
    Color m_lastClear;
    RIR::List<RIR::String> m_lFrameDraws;
};

#endif
