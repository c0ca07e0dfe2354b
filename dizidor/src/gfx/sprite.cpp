// Sprite: construction, placement, look, controllers, hooks, properties and tooltip upkeep. The
// clip rectangle and the displayed image are in sprite_clip.cpp, the transforms and hit tests in
// sprite_hittest.cpp.
#include "gfx/sprite.h"

#include "app/gameapp.h"
#include "gfx/drvspritedata.h"
#include "gfx/imagearith.h"
#include "gfx/imageenv.h"
#include "gfx/spritecontroller.h"
#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"

IVideoDriver* Sprite::s_pVideoDriver = nullptr;

DrvSpriteData::~DrvSpriteData() {}

SpriteOwner::~SpriteOwner() {}

// ---- construction ------------------------------------------------------------------------------

void Sprite::initDefaults(float fX, float fY, int nZOrder)
{
    RIR_TRACE("Sprite::initDefaults");
    m_pMode = nullptr;
    m_nZOrder = nZOrder;
    m_bVisible = true;
    m_fX = fX;
    m_fY = fY;
    m_fAlpha = 1.0f;
    m_fRotation = 0.0f;
    m_color = Color(255, 255, 255, 255);
    m_fScaleX = 1.0f;
    m_fScaleY = 1.0f;
    m_nRenderFlags = SRF_DRAW;
    m_nBlendMode = SBM_NORMAL;
    m_bStencilMasked = false;
    m_nPolygonStamp = -1;
    m_pClipRect = nullptr;
    m_hTooltip = nullptr;
    m_nHitTestMode = SHT_PIXELS;
    m_pDriverData = nullptr;
}

Sprite::Sprite()
{
    RIR_TRACE("Sprite::Sprite");
    initDefaults(0.0f, 0.0f, 0);
}

Sprite::Sprite(RIR::SmartPtr<Image> pImage, int nX, int nY, int nZOrder)
{
    RIR_TRACE("Sprite::Sprite");
    initDefaults((float)nX, (float)nY, nZOrder);
    setImage(pImage);
}

Sprite::Sprite(RIR::SmartPtr<Image> pImage, const Point& pos, int nZOrder)
{
    RIR_TRACE("Sprite::Sprite");
    initDefaults(pos.x, pos.y, nZOrder);
    setImage(pImage);
}

Sprite::Sprite(const char* pszImageName, int nX, int nY, int nZOrder)
{
    RIR_TRACE("Sprite::Sprite");
    initDefaults((float)nX, (float)nY, nZOrder);
    RIR_TRACE_LINE();
    setImage(pszImageName);
}

Sprite::Sprite(const char* pszImageName, const Point& pos, int nZOrder)
{
    RIR_TRACE("Sprite::Sprite");
    initDefaults(pos.x, pos.y, nZOrder);
    RIR_TRACE_LINE();
    setImage(pszImageName);
}

Sprite::Sprite(int nX, int nY, int nZOrder)
{
    RIR_TRACE("Sprite::Sprite");
    initDefaults((float)nX, (float)nY, nZOrder);
}

Sprite::Sprite(const Point& pos, int nZOrder)
{
    RIR_TRACE("Sprite::Sprite");
    initDefaults(pos.x, pos.y, nZOrder);
}

Sprite::~Sprite()
{
    RIR_TRACE("Sprite::~Sprite");
    delete m_pDriverData;
    m_pDriverData = nullptr;
    m_lControllers.clearAndDelete();
    m_spriteLayerRef.clear();
    m_controlLayerRef.clear();
    m_updateLayerRef.clear();
    delete m_pClipRect;
    m_pClipRect = nullptr;
}

// ---- IVisualObject -----------------------------------------------------------------------------

Point Sprite::getSizePoint()
{
    RIR_TRACE("Sprite::getSizePoint");
    int nWidth = 0;
    int nHeight = 0;
    getSize(&nWidth, &nHeight);
    return Point((float)nWidth, (float)nHeight);
}

void Sprite::getSize(int* pnWidth, int* pnHeight)
{
    RIR_TRACE("Sprite::getSize");
    const bool bShown = m_bVisible && m_pImage;
    if (pnWidth)
        *pnWidth = bShown ? m_pImage->getWidth() : 0;
    if (pnHeight)
        *pnHeight = bShown ? m_pImage->getHeight() : 0;
}

void Sprite::setSizePoint(const Point& /*size*/)
{
    RIR_TRACE("Sprite::setSizePoint");
}

void Sprite::setSize(int /*nWidth*/, int /*nHeight*/)
{
    RIR_TRACE("Sprite::setSize");
}

int Sprite::getWidth()
{
    RIR_TRACE("Sprite::getWidth");
    int nWidth = 0;
    getSize(&nWidth, nullptr);
    return nWidth;
}

int Sprite::getHeight()
{
    RIR_TRACE("Sprite::getHeight");
    int nHeight = 0;
    getSize(nullptr, &nHeight);
    return nHeight;
}

Point Sprite::getPosPoint()
{
    RIR_TRACE("Sprite::getPosPoint");
    Point pos;
    getPosFloat(&pos.x, &pos.y);
    return pos;
}

void Sprite::getPosFloat(float* pfX, float* pfY)
{
    RIR_TRACE("Sprite::getPosFloat");
    if (pfX)
        *pfX = m_fX;
    if (pfY)
        *pfY = m_fY;
}

void Sprite::getPos(int* pnX, int* pnY)
{
    RIR_TRACE("Sprite::getPos");
    if (pnX)
        *pnX = truncateToInt32(m_fX);
    if (pnY)
        *pnY = truncateToInt32(m_fY);
}

void Sprite::setPosPoint(const Point& pos)
{
    RIR_TRACE("Sprite::setPosPoint");
    setPosPoint(pos, false);
}

void Sprite::setPosFloat(float fX, float fY)
{
    RIR_TRACE("Sprite::setPosFloat");
    setPosPoint(Point(fX, fY), false);
}

void Sprite::setPos(int nX, int nY)
{
    RIR_TRACE("Sprite::setPos");
    setPosPoint(Point((float)nX, (float)nY), false);
}

void Sprite::setZOrder(int nZOrder)
{
    RIR_TRACE("Sprite::setZOrder");
    const int32_t nOld = m_nZOrder;
    m_nZOrder = nZOrder;
    if (nOld != nZOrder && m_pMode)
    {
        RIR_TRACE_LINE();
        m_pMode->reorderObject(self());
    }
}

void Sprite::setVisible(bool bVisible)
{
    RIR_TRACE("Sprite::setVisible");
    m_bVisible = bVisible;
    RIR_TRACE_LINE();
    updateTooltip();
    RIR_TRACE_LINE();
    rebuildDisplayImage();
}

// ---- placement and look ------------------------------------------------------------------------

void Sprite::setPosPoint(const Point& pos, bool bKeepImageInPlace)
{
    RIR_TRACE("Sprite::setPosPoint");
    if (bKeepImageInPlace && m_pImage)
    {
        // The insertion point is a point of the source image's canvas, so the new anchor is
        // mapped into that canvas, not into a clipped view of it (whose canvas starts elsewhere).
        RIR_TRACE_LINE();
        m_pImage->setInsPoint(screenToLocalIn(pos, m_pImage.get()));
    }
    RIR_TRACE_LINE();
    onPositionChanging(truncateToInt32(pos.x), truncateToInt32(pos.y));
    m_fX = pos.x;
    m_fY = pos.y;
    RIR_TRACE_LINE();
    onPositionChanged();
}

void Sprite::setPosFloat(float fX, float fY, bool bKeepImageInPlace)
{
    RIR_TRACE("Sprite::setPosFloat");
    setPosPoint(Point(fX, fY), bKeepImageInPlace);
}

void Sprite::setPos(int nX, int nY, bool bKeepImageInPlace)
{
    RIR_TRACE("Sprite::setPos");
    setPosPoint(Point((float)nX, (float)nY), bKeepImageInPlace);
}

void Sprite::setAlpha(float fAlpha)
{
    RIR_TRACE("Sprite::setAlpha");
    m_fAlpha = fAlpha;
}

void Sprite::setHitTestMode(int nMode)
{
    RIR_TRACE("Sprite::setHitTestMode");
    m_nHitTestMode = nMode;
}

int Sprite::getX()
{
    RIR_TRACE("Sprite::getX");
    return truncateToInt32(m_fX);
}

int Sprite::getY()
{
    RIR_TRACE("Sprite::getY");
    return truncateToInt32(m_fY);
}

void Sprite::setRotation(float fDegrees)
{
    RIR_TRACE("Sprite::setRotation");
    m_fRotation = fDegrees;
}

void Sprite::getScale(float* pfX, float* pfY) const
{
    if (pfX)
        *pfX = m_fScaleX;
    if (pfY)
        *pfY = m_fScaleY;
}

void Sprite::setScaleXY(float fX, float fY)
{
    RIR_TRACE("Sprite::setScaleXY");
    m_fScaleX = fX;
    m_fScaleY = fY;
    if (m_pClipRect)
    {
        RIR_TRACE_LINE();
        rebuildDisplayImage();
    }
}

void Sprite::setScale(float fScale)
{
    RIR_TRACE("Sprite::setScale");
    setScaleXY(fScale, fScale);
}

void Sprite::setColor(const Color& color)
{
    RIR_TRACE("Sprite::setColor");
    m_color = color;
}

void Sprite::setBlendMode(int nBlendMode)
{
    RIR_TRACE("Sprite::setBlendMode");
    m_nBlendMode = nBlendMode;
}

void Sprite::setRenderFlags(int nFlags)
{
    RIR_TRACE("Sprite::setRenderFlags");
    m_nRenderFlags = nFlags;
}

void Sprite::setStencilMasked(bool bMasked)
{
    RIR_TRACE("Sprite::setStencilMasked");
    m_bStencilMasked = bMasked;
}

void Sprite::setPolygon(const RIR::List<Point>& lPoints)
{
    RIR_TRACE("Sprite::setPolygon");
    m_lPolygon = lPoints;
    const GameApp* pApp = GameApp::getInstance();
    m_nPolygonStamp = pApp ? pApp->getFrameCount() : 0;
}

// ---- image -------------------------------------------------------------------------------------

void Sprite::setImage(RIR::SmartPtr<Image> pImage)
{
    RIR_TRACE("Sprite::setImage");
    if (m_pImage != pImage)
        m_pImage = pImage;
    RIR_TRACE_LINE();
    setVisible(pImage != nullptr);
    RIR_TRACE_LINE();
    rebuildDisplayImage();
}

void Sprite::setImage(const char* pszName)
{
    RIR_TRACE("Sprite::setImage");
    RIR_ASSERT(pszName);
    RIR::setTraceParams(pszName);
    RIR_TRACE_LINE();
    setImage(getImageEnvironment()->getImage(pszName));
}

// ---- mode --------------------------------------------------------------------------------------

void Sprite::setMode(SpriteOwner* pMode)
{
    RIR_TRACE("Sprite::setMode");
    m_pMode = pMode;
    RIR_TRACE_LINE();
    onAddedToMode();
}

void Sprite::dropMode()
{
    RIR_TRACE("Sprite::dropMode");
    m_pMode = nullptr;
    m_hTooltip = nullptr;
}

void Sprite::removeFromMode()
{
    RIR_TRACE("Sprite::removeFromMode");
    if (m_hTooltip && m_pMode)
    {
        RIR_TRACE_LINE();
        m_pMode->removeTooltip(m_hTooltip);
    }
    m_hTooltip = nullptr;
    m_pMode = nullptr;
}

// ---- controllers -------------------------------------------------------------------------------

void Sprite::addController(SpriteController* pController)
{
    RIR_TRACE("Sprite::addController");
    RIR_ASSERT(pController);
    m_lControllers.append(pController);
    // Hold this sprite while the mode and the controller see it.
    RIR::SmartPtr<Sprite> pSelf = self();
    if (!m_updateLayerRef.isSet() && m_pMode)
    {
        RIR_TRACE_LINE();
        m_pMode->addUpdatable(pSelf);
    }
    RIR_TRACE_LINE();
    pController->onAttach(pSelf);
}

void Sprite::removeController(SpriteController* pController)
{
    RIR_TRACE("Sprite::removeController");
    const int nIndex = m_lControllers.indexOf(pController);
    if (nIndex < 0)
        return;
    m_lControllers.removeAt(nIndex);
    delete pController;
}

void Sprite::updateControllers(float fDt)
{
    RIR_TRACE("Sprite::updateControllers");
    // Held for the whole pass: a controller may take the sprite off its mode, and the release at
    // the end may then delete it.
    RIR::SmartPtr<Sprite> pSelf = self();
    int nIndex = 0;
    while (nIndex < m_lControllers.getLength())
    {
        SpriteController* pController = m_lControllers.get(nIndex);
        RIR_TRACE_LINE();
        if (!pController->update(fDt, pSelf))
        {
            ++nIndex;
            continue;
        }
        // Done: the next controller moves into this place.
        dropFinishedController(pController, &nIndex);
    }
}

void Sprite::finishControllers()
{
    RIR_TRACE("Sprite::finishControllers");
    RIR::SmartPtr<Sprite> pSelf = self();
    int nIndex = 0;
    while (nIndex < m_lControllers.getLength())
    {
        SpriteController* pController = m_lControllers.get(nIndex);
        RIR_TRACE_LINE();
        if (!pController->finish(pSelf))
        {
            ++nIndex;
            continue;
        }
        dropFinishedController(pController, &nIndex);
    }
}

void Sprite::dropFinishedController(SpriteController* pController, int* pIndex)
{
    // The controller is looked up again, since its own pass may have changed the list; one
    // already removed is not deleted twice. *pIndex stays on the controller that came next.
    int& nIndex = *pIndex;
    if (nIndex < m_lControllers.getLength() && m_lControllers.get(nIndex) == pController)
        m_lControllers.removeAt(nIndex);
    else
    {
        const int nFound = m_lControllers.indexOf(pController);
        if (nFound < 0)
            return;
        m_lControllers.removeAt(nFound);
        if (nFound < nIndex)
            --nIndex;
    }
    delete pController;
}

int Sprite::getControllerCount()
{
    RIR_TRACE("Sprite::getControllerCount");
    return m_lControllers.getLength();
}

SpriteController* Sprite::getController(int nIndex)
{
    RIR_TRACE("Sprite::getController");
    return m_lControllers.get(nIndex);
}

void Sprite::removeAllControllers()
{
    RIR_TRACE("Sprite::removeAllControllers");
    m_lControllers.clearAndDelete();
}

// ---- input hooks -------------------------------------------------------------------------------

void Sprite::onMouseEnter()
{
    RIR_TRACE("Sprite::onMouseEnter");
}

void Sprite::onMouseLeave()
{
    RIR_TRACE("Sprite::onMouseLeave");
}

void Sprite::onMouseMove(int /*nX*/, int /*nY*/)
{
    RIR_TRACE("Sprite::onMouseMove");
}

bool Sprite::onMouseDown(int /*nButtonMask*/)
{
    RIR_TRACE("Sprite::onMouseDown");
    return false;
}

bool Sprite::onMouseUp(int /*nButtonMask*/)
{
    RIR_TRACE("Sprite::onMouseUp");
    return false;
}

void Sprite::onFocusGained()
{
    RIR_TRACE("Sprite::onFocusGained");
}

void Sprite::onFocusLost()
{
    RIR_TRACE("Sprite::onFocusLost");
}

bool Sprite::onKeyDown(int /*nKey*/, int /*nModifiers*/)
{
    RIR_TRACE("Sprite::onKeyDown");
    return false;
}

bool Sprite::onKeyUp(int /*nKey*/, int /*nModifiers*/)
{
    RIR_TRACE("Sprite::onKeyUp");
    return false;
}

bool Sprite::onChar(int /*nCharacter*/)
{
    RIR_TRACE("Sprite::onChar");
    return false;
}

// ---- hooks of placement and ownership ----------------------------------------------------------

void Sprite::onPositionChanging(int /*nNewX*/, int /*nNewY*/)
{
    RIR_TRACE("Sprite::onPositionChanging");
}

void Sprite::onPositionChanged()
{
    RIR_TRACE("Sprite::onPositionChanged");
    if (m_pClipRect)
    {
        RIR_TRACE_LINE();
        rebuildDisplayImage();
    }
    RIR_TRACE_LINE();
    updateTooltip();
}

void Sprite::onAddedToMode()
{
    RIR_TRACE("Sprite::onAddedToMode");
}

void Sprite::updateTooltip()
{
    RIR_TRACE("Sprite::updateTooltip");
    if (!m_hTooltip || !m_pMode)
        return;
    RIR_TRACE_LINE();
    m_pMode->setTooltipEnabled(m_hTooltip, m_bVisible);
    RIR_TRACE_LINE();
    m_pMode->setTooltipRect(m_hTooltip, getPhysicalBounds());
}

// ---- tooltip -----------------------------------------------------------------------------------

void Sprite::setTooltip(const char* pszText)
{
    RIR_TRACE("Sprite::setTooltip");
    if (!m_pMode)
        RIR_THROW(BadStateException, "Sprite::setTooltip : the sprite is in no mode");
    RIR_TRACE_LINE();
    if (m_hTooltip)
        m_pMode->setTooltipText(m_hTooltip, pszText);
    else
        m_hTooltip = m_pMode->addTooltip(getPhysicalBounds(), pszText);
}

void Sprite::removeTooltip()
{
    RIR_TRACE("Sprite::removeTooltip");
    if (m_hTooltip && m_pMode)
    {
        RIR_TRACE_LINE();
        m_pMode->removeTooltip(m_hTooltip);
    }
    m_hTooltip = nullptr;
}

// ---- properties --------------------------------------------------------------------------------

void Sprite::setProperty(const char* pszKey, void* pValue)
{
    RIR_TRACE("Sprite::setProperty");
    m_hProperties.set(RIR::String(pszKey), pValue);
}

bool Sprite::hasProperty(const char* pszKey) const
{
    RIR_TRACE("Sprite::hasProperty");
    return m_hProperties.contains(RIR::String(pszKey));
}

void* Sprite::getProperty(const char* pszKey) const
{
    RIR_TRACE("Sprite::getProperty");
    return m_hProperties.get(RIR::String(pszKey));
}

// ---- misc --------------------------------------------------------------------------------------

void Sprite::noOp()
{
    RIR_TRACE("Sprite::noOp");
}

void Sprite::setDriverData(DrvSpriteData* pData)
{
    RIR_TRACE("Sprite::setDriverData");
    if (pData != m_pDriverData)
        delete m_pDriverData;
    m_pDriverData = pData;
}

void Sprite::setVideoDriver(IVideoDriver* pDriver)
{
    RIR_TRACE("Sprite::setVideoDriver");
    s_pVideoDriver = pDriver;
}

IVideoDriver* Sprite::getVideoDriver()
{
    return s_pVideoDriver;
}
