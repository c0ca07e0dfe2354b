#include "testkit/recordingvideodriver.h"

#include "app/videoflags.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

RecordingVideoDriver::RecordingVideoDriver(const RIR::SmartPtr<RecordingLog>& pLog)
    : m_pLog(pLog ? pLog : RIR::SmartPtr<RecordingLog>(new RecordingLog())), m_bRefuseModes(false),
      m_bFailInit(false), m_bInitialized(false), m_nDefaultBPP(32),
      m_opaqueFormat(24, 0, 0x000000FF, 0x0000FF00, 0x00FF0000),
      m_alphaFormat(32, 0xFF000000, 0x000000FF, 0x0000FF00, 0x00FF0000), m_nWidth(0), m_nHeight(0),
      m_nFlags(0), m_nBPP(0), m_bFullscreen(false), m_bCursorShown(true), m_bSoftwareCursor(false),
      m_nViewX(0), m_nViewY(0), m_nParameter(0), m_nFrameCount(0), m_nInvalidateCount(0),
      m_nClearCount(0), m_nFlipCount(0), m_nModeSetCount(0)
{
    RIR_TRACE("RecordingVideoDriver::RecordingVideoDriver");
}

RecordingVideoDriver::~RecordingVideoDriver()
{
    RIR_TRACE("RecordingVideoDriver::~RecordingVideoDriver");
    m_pLog->add("video.destroyed");
}

void RecordingVideoDriver::setScale(float fScale)
{
    RIR_TRACE("RecordingVideoDriver::setScale");
    m_pLog->addf("video.setScale(%g)", (double)fScale);
    IVideoDriver::setScale(fScale);
}

void RecordingVideoDriver::init(RIR::SmartPtr<Image> pIcon)
{
    RIR_TRACE("RecordingVideoDriver::init");
    m_pLog->add("video.init");
    if (m_bFailInit)
        RIR_THROW(FatalErrorException, "RecordingVideoDriver : the video layer refused to start");
    m_pIcon = pIcon;
    m_sCaption = "";
    m_bInitialized = true;
}

void RecordingVideoDriver::shutdown()
{
    RIR_TRACE("RecordingVideoDriver::shutdown");
    m_pLog->add("video.shutdown");
    m_bInitialized = false;
    m_pIcon.release();
    m_pCursorImage.release();
    m_pCursorSprite.release();
}

const char* RecordingVideoDriver::getName() const
{
    return "Recording Video Driver v1.0";
}

void RecordingVideoDriver::suspend()
{
    RIR_TRACE("RecordingVideoDriver::suspend");
    m_pLog->add("video.suspend");
}

void RecordingVideoDriver::resume()
{
    RIR_TRACE("RecordingVideoDriver::resume");
    m_pLog->add("video.resume");
}

bool RecordingVideoDriver::setVideoMode(int nWidth, int nHeight, int nFlags)
{
    RIR_TRACE("RecordingVideoDriver::setVideoMode");
    m_pLog->addf("video.setVideoMode(%d, %d, 0x%08X)", nWidth, nHeight, (unsigned)nFlags);
    if (m_bRefuseModes)
        return false;
    m_nWidth = nWidth;
    m_nHeight = nHeight;
    m_nFlags = nFlags;
    const int nBpp = bppFromFlags(nFlags);
    m_nBPP = nBpp ? nBpp : m_nDefaultBPP;
    m_bFullscreen = (nFlags & VF_FULLSCREEN) != 0;
    ++m_nModeSetCount;
    return true;
}

void RecordingVideoDriver::setFullscreen(bool bFullscreen)
{
    RIR_TRACE("RecordingVideoDriver::setFullscreen");
    m_pLog->addf("video.setFullscreen(%d)", bFullscreen ? 1 : 0);
    if (bFullscreen != m_bFullscreen)
        toggleFullscreen();
    setSoftwareCursor(m_bSoftwareCursor);
}

void RecordingVideoDriver::setBPP(int nBpp)
{
    RIR_TRACE("RecordingVideoDriver::setBPP");
    m_pLog->addf("video.setBPP(%d)", nBpp);
    setVideoMode(m_nWidth, m_nHeight, (m_nFlags & ~VF_DEPTH_MASK) | flagsFromBpp(nBpp));
}

void RecordingVideoDriver::setCaption(const char* pszText)
{
    RIR_TRACE("RecordingVideoDriver::setCaption");
    m_sCaption = pszText;
    m_pLog->add((RIR::String("video.setCaption(") + m_sCaption + ")").c_str());
}

void RecordingVideoDriver::toggleFullscreen()
{
    RIR_TRACE("RecordingVideoDriver::toggleFullscreen");
    m_pLog->add("video.toggleFullscreen");
    setVideoMode(m_nWidth, m_nHeight, m_nFlags ^ VF_FULLSCREEN);
}

void RecordingVideoDriver::iconify()
{
    RIR_TRACE("RecordingVideoDriver::iconify");
    m_pLog->add("video.iconify");
}

void RecordingVideoDriver::renderFrame()
{
    RIR_TRACE("RecordingVideoDriver::renderFrame");
    ++m_nFrameCount;
    m_lFrameDraws.clear();
    m_pLog->add("video.renderFrame");
    if (m_frameDrawer)
    {
        RIR_TRACE_LINE();
        m_frameDrawer(*this);
    }
}

void RecordingVideoDriver::recordDraw(const char* pszLabel)
{
    RIR_TRACE("RecordingVideoDriver::recordDraw");
    m_lFrameDraws.append(RIR::String(pszLabel));
    m_pLog->add((RIR::String("video.draw(") + pszLabel + ")").c_str());
}

void RecordingVideoDriver::flip()
{
    RIR_TRACE("RecordingVideoDriver::flip");
    ++m_nFlipCount;
    m_pLog->add("video.flip");
}

void RecordingVideoDriver::clear(Color color)
{
    RIR_TRACE("RecordingVideoDriver::clear");
    ++m_nClearCount;
    m_lastClear = color;
    m_pLog->addf("video.clear(%d, %d, %d, %d)", color.r, color.g, color.b, color.a);
}

void RecordingVideoDriver::fillScreen(Color color)
{
    RIR_TRACE("RecordingVideoDriver::fillScreen");
    ++m_nClearCount;
    m_lastClear = color;
    m_pLog->addf("video.fillScreen(%d, %d, %d, %d)", color.r, color.g, color.b, color.a);
}

void RecordingVideoDriver::getSize(int* pnWidth, int* pnHeight) const
{
    if (pnWidth)
        *pnWidth = m_nWidth;
    if (pnHeight)
        *pnHeight = m_nHeight;
}

void RecordingVideoDriver::setParameter(int nValue)
{
    RIR_TRACE("RecordingVideoDriver::setParameter");
    m_nParameter = nValue;
    m_pLog->addf("video.setParameter(%d)", nValue);
}

void RecordingVideoDriver::invalidate()
{
    RIR_TRACE("RecordingVideoDriver::invalidate");
    ++m_nInvalidateCount;
    m_pLog->add("video.invalidate");
}

void RecordingVideoDriver::setCursorImage(RIR::SmartPtr<Image> pImage)
{
    RIR_TRACE("RecordingVideoDriver::setCursorImage");
    m_pLog->addf("video.setCursorImage(%s)", pImage ? "image" : "null");
    m_pCursorImage = pImage;
    m_pCursorSprite = pImage ? new Sprite(pImage, 0, 0, 0) : nullptr;
}

void RecordingVideoDriver::showCursor(bool bShow)
{
    RIR_TRACE("RecordingVideoDriver::showCursor");
    m_bCursorShown = bShow;
    m_pLog->addf("video.showCursor(%d)", bShow ? 1 : 0);
}

void RecordingVideoDriver::setSoftwareCursor(bool bSoftware)
{
    RIR_TRACE("RecordingVideoDriver::setSoftwareCursor");
    m_bSoftwareCursor = bSoftware;
    m_pLog->addf("video.setSoftwareCursor(%d)", bSoftware ? 1 : 0);
}

void RecordingVideoDriver::setViewOrigin(int nX, int nY)
{
    RIR_TRACE("RecordingVideoDriver::setViewOrigin");
    m_nViewX = nX;
    m_nViewY = nY;
    m_pLog->addf("video.setViewOrigin(%d, %d)", nX, nY);
}

void RecordingVideoDriver::prepareImage(Image* pImage)
{
    RIR_TRACE("RecordingVideoDriver::prepareImage");
    m_pLog->addf("video.prepareImage(0x%08X)", (unsigned)(uintptr_t)pImage);
}

void RecordingVideoDriver::setFormats(const PixelFormat& opaque, const PixelFormat& alpha)
{
    m_opaqueFormat = opaque;
    m_alphaFormat = alpha;
}
