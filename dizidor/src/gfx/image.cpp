#include "gfx/image.h"

#include "gfx/imagearith.h"
#include "gfx/imageenv.h"
#include "gfx/imagefactory.h"
#include "gfx/imagesidefiles.h"
#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list.h"
#include "rir2/resource.h"

#include <utility>

bool Image::s_bAutoTrim = false;

namespace
{

// The pictures whose Image::load is running, innermost last, lower-cased. A ".subimage" names
// its parent, which is loaded through the image cache while the child's load is still running;
// a chain that leads back to a name on this list would recurse without end.
RIR::List<RIR::String>& loadsInProgress()
{
    static RIR::List<RIR::String> s_lNames;
    return s_lNames;
}

// Puts a name on the list for the duration of one load.
class LoadInProgress
{
public:
    explicit LoadInProgress(const char* pszName)
    {
        RIR_TRACE("LoadInProgress::LoadInProgress");
        RIR::String sKey = RIR::String(pszName).toLower();
        RIR::List<RIR::String>& lNames = loadsInProgress();
        if (lNames.indexOf(sKey) >= 0)
        {
            RIR::String sMessage = RIR::String::format(
                "Image::load : sub-image chain of %s leads back to itself", sKey.c_str());
            RIR_THROW(FatalErrorException, sMessage.c_str());
        }
        lNames.append(sKey);
    }
    ~LoadInProgress()
    {
        // Loads nest, so this load's name is the last one.
        RIR::List<RIR::String>& lNames = loadsInProgress();
        if (!lNames.isEmpty())
            lNames.removeAt(lNames.getLength() - 1);
    }
    LoadInProgress(const LoadInProgress&) = delete;
    LoadInProgress& operator=(const LoadInProgress&) = delete;
};

} // namespace

Image::Image()
    : m_nPhysWidth(0), m_nPhysHeight(0), m_nInsX(0), m_nInsY(0), m_nSurfaceX(0), m_nSurfaceY(0),
      m_nCanvasX(0), m_nCanvasY(0), m_nWidth(0), m_nHeight(0), m_bSharedPixels(false),
      m_bHFlipPending(false), m_bVFlipPending(false)
{
}

Image::~Image() {}

void Image::onChanged()
{
    RIR_TRACE("Image::onChanged");
}

void Image::notifyChanged()
{
    RIR_TRACE("Image::notifyChanged");
}

// ---- geometry ----------------------------------------------------------------------------------

void Image::getSize(int* pnWidth, int* pnHeight) const
{
    if (pnWidth)
        *pnWidth = m_nWidth;
    if (pnHeight)
        *pnHeight = m_nHeight;
}

Point Image::getSize() const
{
    return Point((float)m_nWidth, (float)m_nHeight);
}

void Image::getPhysicalSize(int* pnWidth, int* pnHeight) const
{
    if (pnWidth)
        *pnWidth = m_nPhysWidth;
    if (pnHeight)
        *pnHeight = m_nPhysHeight;
}

Point Image::getPhysicalSize() const
{
    return Point((float)m_nPhysWidth, (float)m_nPhysHeight);
}

void Image::getCanvasOffset(int* pnX, int* pnY) const
{
    if (pnX)
        *pnX = m_nCanvasX;
    if (pnY)
        *pnY = m_nCanvasY;
}

Point Image::getCanvasOffset() const
{
    return Point((float)m_nCanvasX, (float)m_nCanvasY);
}

void Image::setVirtualCanvas(int x, int y, int w, int h)
{
    RIR_TRACE("Image::setVirtualCanvas");
    m_nCanvasX = x;
    m_nCanvasY = y;
    m_nWidth = w;
    m_nHeight = h;
}

void Image::getSurfaceOffset(int* pnX, int* pnY) const
{
    if (pnX)
        *pnX = m_nSurfaceX;
    if (pnY)
        *pnY = m_nSurfaceY;
}

void Image::getFlipFlags(bool* pbHorizontal, bool* pbVertical) const
{
    if (pbHorizontal)
        *pbHorizontal = m_bHFlipPending;
    if (pbVertical)
        *pbVertical = m_bVFlipPending;
}

void Image::getInsPoint(int* pnX, int* pnY) const
{
    if (pnX)
        *pnX = m_nInsX;
    if (pnY)
        *pnY = m_nInsY;
}

Point Image::getInsPoint() const
{
    return Point((float)m_nInsX, (float)m_nInsY);
}

void Image::setInsPoint(int x, int y)
{
    RIR_TRACE("Image::setInsPoint");
    m_nInsX = x;
    m_nInsY = y;
}

void Image::setInsPoint(const Point& pt)
{
    RIR_TRACE("Image::setInsPoint");
    setInsPoint(truncateToInt32(pt.x), truncateToInt32(pt.y));
}

void Image::setInsPointByAlign(int nFlags)
{
    RIR_TRACE("Image::setInsPointByAlign");
    int64_t nLeft = 0;
    int64_t nTop = 0;
    int64_t nRight = m_nWidth;
    int64_t nBottom = m_nHeight;
    if (nFlags >= 0x40)
    {
        nLeft = m_nCanvasX;
        nTop = m_nCanvasY;
        nRight = nLeft + m_nPhysWidth;
        nBottom = nTop + m_nPhysHeight;
    }

    int64_t x = nLeft;
    if (nFlags & 0x02)
        x = nRight - 1;
    else if (nFlags & 0x04)
        x = nLeft + (nRight - nLeft) / 2;

    int64_t y = nTop;
    if (nFlags & 0x10)
        y = nBottom - 1;
    else if (nFlags & 0x20)
        y = nTop + (nBottom - nTop) / 2;

    setInsPoint(saturateToInt32(x), saturateToInt32(y));
}

Rect Image::getVirtualRect() const
{
    RIR_TRACE("Image::getVirtualRect");
    return Rect(saturateToInt32(-(int64_t)m_nInsX), saturateToInt32(-(int64_t)m_nInsY),
                saturateToInt32((int64_t)m_nWidth - m_nInsX),
                saturateToInt32((int64_t)m_nHeight - m_nInsY));
}

Rect Image::getPhysicalRect() const
{
    RIR_TRACE("Image::getPhysicalRect");
    const int64_t nLeft = (int64_t)m_nCanvasX - m_nInsX;
    const int64_t nTop = (int64_t)m_nCanvasY - m_nInsY;
    return Rect(saturateToInt32(nLeft), saturateToInt32(nTop),
                saturateToInt32(nLeft + m_nPhysWidth), saturateToInt32(nTop + m_nPhysHeight));
}

void Image::flipHorizontal()
{
    RIR_TRACE("Image::flipHorizontal");
    m_bHFlipPending = !m_bHFlipPending;
    m_nInsX = saturateToInt32((int64_t)m_nWidth - m_nInsX);
    m_nCanvasX = saturateToInt32((int64_t)m_nWidth - m_nPhysWidth - m_nCanvasX);
    onChanged();
}

void Image::flipVertical()
{
    RIR_TRACE("Image::flipVertical");
    m_bVFlipPending = !m_bVFlipPending;
    m_nInsY = saturateToInt32((int64_t)m_nHeight - m_nInsY);
    m_nCanvasY = saturateToInt32((int64_t)m_nHeight - m_nPhysHeight - m_nCanvasY);
    onChanged();
}

// ---- pending changes ---------------------------------------------------------------------------

void Image::makePixelsOwnIfShared()
{
    RIR_TRACE("Image::makePixelsOwnIfShared");
    if (m_bSharedPixels)
    {
        makePixelsOwn();
        m_bSharedPixels = false;
    }
}

void Image::applyPendingFlips()
{
    RIR_TRACE("Image::applyPendingFlips");
    if (m_bHFlipPending)
    {
        applyHorizontalFlip();
        m_bHFlipPending = false;
    }
    if (m_bVFlipPending)
    {
        applyVerticalFlip();
        m_bVFlipPending = false;
    }
}

void Image::applyPendingChanges()
{
    RIR_TRACE("Image::applyPendingChanges");
    makePixelsOwnIfShared();
    applyPendingFlips();
}

void Image::copyAlphaAndKeyFrom(Image* pSrc)
{
    RIR_TRACE("Image::copyAlphaAndKeyFrom");
    RIR_ASSERT(pSrc);
    setAlpha(pSrc->getAlpha());
    if (pSrc->hasColorKey())
        setColorKey(pSrc->getColorKey());
}

void Image::copyAttributesFrom(Image* pSrc)
{
    RIR_TRACE("Image::copyAttributesFrom");
    copyAlphaAndKeyFrom(pSrc);
    m_nInsX = pSrc->m_nInsX;
    m_nInsY = pSrc->m_nInsY;
    m_nCanvasX = pSrc->m_nCanvasX;
    m_nCanvasY = pSrc->m_nCanvasY;
    m_nWidth = pSrc->m_nWidth;
    m_nHeight = pSrc->m_nHeight;
}

// ---- creation and loading ----------------------------------------------------------------------

void Image::setAutoTrim(bool bAutoTrim)
{
    RIR_TRACE("Image::setAutoTrim");
    s_bAutoTrim = bAutoTrim;
}

bool Image::getAutoTrim()
{
    return s_bAutoTrim;
}

void Image::load(const char* pszName, bool bConvert, bool bAlphaMask)
{
    RIR_TRACE("Image::load");
    RIR_ASSERT(pszName);
    m_sName = pszName;
    RIR::setTraceParams(pszName);
    LoadInProgress inProgress(pszName);

    ImageEnvironment* pEnv = getImageEnvironment();
    const RIR::String sSubImage = m_sName + ".subimage";
    RIR_TRACE_LINE();
    if (pEnv->hasResource(sSubImage.c_str()))
        loadSubImage(sSubImage.c_str());
    else
        loadFromFile(pszName, bConvert, bAlphaMask);

    const RIR::String sSpec = m_sName + ".spec";
    RIR_TRACE_LINE();
    if (pEnv->hasResource(sSpec.c_str()))
        loadSpec(sSpec.c_str());
    else if (bConvert && s_bAutoTrim)
        autoTrim();
}

void Image::loadSubImage(const char* pszResourceName)
{
    RIR_TRACE("Image::loadSubImage");
    ImageEnvironment* pEnv = getImageEnvironment();
    RIR::SmartPtr<RIR::Resource> pResource = pEnv->getResource(pszResourceName);
    const SubImageDef def = readSubImageDef(pResource->asString().c_str());
    RIR_TRACE_LINE();
    RIR::SmartPtr<Image> pParent = pEnv->getImage(def.m_sParent.c_str());
    RIR_ASSERT(pParent);
    initSubImage(pParent.get(), def.m_nX, def.m_nY, def.m_nW, def.m_nH);
}

void Image::loadSpec(const char* pszResourceName)
{
    RIR_TRACE("Image::loadSpec");
    RIR::SmartPtr<RIR::Resource> pResource = getImageEnvironment()->getResource(pszResourceName);
    readCanvasSpec(pResource->asString().c_str(), pszResourceName, this);
}

void Image::initSubImage(Image* pParent, int x, int y, int w, int h)
{
    RIR_TRACE("Image::initSubImage");
    RIR_ASSERT(pParent && pParent != this);

    // The parent's stored area in its canvas.
    const int64_t nPLeft = pParent->m_nCanvasX;
    const int64_t nPTop = pParent->m_nCanvasY;
    const int64_t nPRight = nPLeft + pParent->m_nPhysWidth;
    const int64_t nPBottom = nPTop + pParent->m_nPhysHeight;

    // The request, normalised, then each edge held inside the stored area.
    int64_t nLeft = x;
    int64_t nRight = (int64_t)x + w;
    if (nRight < nLeft)
        std::swap(nLeft, nRight);
    int64_t nTop = y;
    int64_t nBottom = (int64_t)y + h;
    if (nBottom < nTop)
        std::swap(nTop, nBottom);
    auto clampInto = [](int64_t n, int64_t nLow, int64_t nHigh)
    { return n < nLow ? nLow : (n > nHigh ? nHigh : n); };
    nLeft = clampInto(nLeft, nPLeft, nPRight);
    nRight = clampInto(nRight, nPLeft, nPRight);
    nTop = clampInto(nTop, nPTop, nPBottom);
    nBottom = clampInto(nBottom, nPTop, nPBottom);

    // The same rectangle in the parent's stored pixels. A pending flip has mirrored the parent's
    // canvas but not its pixels yet, so the rectangle is mirrored within the stored area to find
    // the pixels that show there; the flip flags copied below mirror them back into place.
    int64_t nSLeft = nLeft - nPLeft;
    int64_t nSRight = nRight - nPLeft;
    int64_t nSTop = nTop - nPTop;
    int64_t nSBottom = nBottom - nPTop;
    if (pParent->m_bHFlipPending)
    {
        const int64_t nMirroredLeft = pParent->m_nPhysWidth - nSRight;
        nSRight = pParent->m_nPhysWidth - nSLeft;
        nSLeft = nMirroredLeft;
    }
    if (pParent->m_bVFlipPending)
    {
        const int64_t nMirroredTop = pParent->m_nPhysHeight - nSBottom;
        nSBottom = pParent->m_nPhysHeight - nSTop;
        nSTop = nMirroredTop;
    }

    sharePixels(pParent);
    m_nSurfaceX = saturateToInt32(pParent->m_nSurfaceX + nSLeft);
    m_nSurfaceY = saturateToInt32(pParent->m_nSurfaceY + nSTop);
    m_nPhysWidth = (int32_t)(nSRight - nSLeft);
    m_nPhysHeight = (int32_t)(nSBottom - nSTop);
    if (m_nPhysWidth == 0 || m_nPhysHeight == 0)
    {
        m_nPhysWidth = 0;
        m_nPhysHeight = 0;
    }
    m_nInsX = 0;
    m_nInsY = 0;
    m_bSharedPixels = true;
    m_bHFlipPending = pParent->m_bHFlipPending;
    m_bVFlipPending = pParent->m_bVFlipPending;
    setVirtualCanvas(saturateToInt32(nLeft - x), saturateToInt32(nTop - y), w, h);
    copyAlphaAndKeyFrom(pParent);
}

RIR::SmartPtr<Image> Image::createSubImage(int x, int y, int w, int h, bool bOwnPixels)
{
    RIR_TRACE("Image::createSubImage");
    ImageFactory* pFactory = getImageEnvironment()->getImageFactory();
    RIR::SmartPtr<Image> pSub = pFactory->createEmpty();
    RIR_ASSERT(pSub);
    pSub->initSubImage(this, x, y, w, h);
    if (bOwnPixels)
        pSub->makePixelsOwnIfShared();
    return pSub;
}

RIR::SmartPtr<Image> Image::createSubImage(const Rect& rect, bool bOwnPixels)
{
    RIR_TRACE("Image::createSubImage");
    return createSubImage(rect.left, rect.top, saturateToInt32((int64_t)rect.right - rect.left),
                          saturateToInt32((int64_t)rect.bottom - rect.top), bOwnPixels);
}

RIR::SmartPtr<Image> Image::clone(bool bOwnPixels)
{
    RIR_TRACE("Image::clone");
    RIR::SmartPtr<Image> pClone = createSubImage(0, 0, m_nWidth, m_nHeight, bOwnPixels);
    pClone->m_nInsX = m_nInsX;
    pClone->m_nInsY = m_nInsY;
    pClone->m_sName = m_sName;
    return pClone;
}
