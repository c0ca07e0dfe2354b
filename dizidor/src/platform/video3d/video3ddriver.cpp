#include "platform/video3d/video3ddriver.h"

#include "platform/sdl/sdlimage.h"
#include "platform/sdl/surface.h"
#include "platform/sdl/videohost.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

SDL3DVideoDriverBase::SDL3DVideoDriverBase()
    : m_bStencilUsed(false), m_nBlendMode(-1), m_bStencilMasked(true), m_nStateBits(-1),
      m_bStatesDirty(true), m_nTextureGeneration(-1), m_pRegistry(new TextureRegistry())
{
    RIR_TRACE("SDL3DVideoDriverBase::SDL3DVideoDriverBase");
}

SDL3DVideoDriverBase::~SDL3DVideoDriverBase()
{
    RIR_TRACE("SDL3DVideoDriverBase::~SDL3DVideoDriverBase");
    m_pCursorSprite = nullptr;
    m_pRegistry->close();
    m_pRegistry = nullptr;
}

// ---- modes and simple operations ---------------------------------------------------------------

bool SDL3DVideoDriverBase::setVideoMode(int nWidth, int nHeight, int nFlags)
{
    RIR_TRACE("SDL3DVideoDriverBase::setVideoMode");
    if (!SDLVideoDriverBase::setVideoMode(nWidth, nHeight, nFlags))
        return false;
    setPixelFormats();
    markTexturesStale();
    m_bStatesDirty = true;
    m_bStencilUsed = false;
    return true;
}

void SDL3DVideoDriverBase::setParameter(int /*nValue*/)
{
    RIR_TRACE("SDL3DVideoDriverBase::setParameter");
}

void SDL3DVideoDriverBase::invalidate()
{
    RIR_TRACE("SDL3DVideoDriverBase::invalidate");
}

void SDL3DVideoDriverBase::setCursorImage(RIR::SmartPtr<Image> pImage)
{
    RIR_TRACE("SDL3DVideoDriverBase::setCursorImage");
    SDLVideoDriverBase::setCursorImage(pImage);
    RIR::SmartPtr<Image> pCursor = getCursorImage();
    // Without a picture the old cursor sprite must not stay on the screen.
    m_pCursorSprite = pCursor ? new Sprite(pCursor, 0, 0, 0) : nullptr;
}

void SDL3DVideoDriverBase::prepareImage(Image* pImage)
{
    RIR_TRACE("SDL3DVideoDriverBase::prepareImage");
    SDLImage* pSDLImage = dynamic_cast<SDLImage*>(pImage);
    if (pSDLImage)
        buildTileVertices(pSDLImage);
}

void SDL3DVideoDriverBase::setPixelFormats()
{
    RIR_TRACE("SDL3DVideoDriverBase::setPixelFormats");
    storePixelFormats(PixelFormat(24, 0, 0x000000FF, 0x0000FF00, 0x00FF0000),
                      PixelFormat(32, 0xFF000000, 0x000000FF, 0x0000FF00, 0x00FF0000));
}

bool SDL3DVideoDriverBase::beginScene()
{
    RIR_TRACE("SDL3DVideoDriverBase::beginScene");
    return true;
}

void SDL3DVideoDriverBase::present()
{
    RIR_TRACE("SDL3DVideoDriverBase::present");
}

void SDL3DVideoDriverBase::setBlendMode(int nBlendMode)
{
    RIR_TRACE("SDL3DVideoDriverBase::setBlendMode");
    if (nBlendMode != m_nBlendMode)
    {
        m_nBlendMode = nBlendMode;
        m_bStatesDirty = true;
    }
}

void SDL3DVideoDriverBase::setStateBits(int nStateBits)
{
    RIR_TRACE("SDL3DVideoDriverBase::setStateBits");
    if (nStateBits != m_nStateBits)
    {
        m_nStateBits = nStateBits;
        m_bStatesDirty = true;
    }
}

void SDL3DVideoDriverBase::setStencilMasked(bool bMasked)
{
    RIR_TRACE("SDL3DVideoDriverBase::setStencilMasked");
    if (bMasked != m_bStencilMasked)
    {
        m_bStencilMasked = bMasked;
        m_bStatesDirty = true;
    }
}

void SDL3DVideoDriverBase::releaseAllTextures()
{
    RIR_TRACE("SDL3DVideoDriverBase::releaseAllTextures");
    m_pRegistry->releaseAll();
}

void SDL3DVideoDriverBase::markTexturesStale()
{
    RIR_TRACE("SDL3DVideoDriverBase::markTexturesStale");
    m_nTextureGeneration = getFrameCount();
}

int SDL3DVideoDriverBase::getFrameCount()
{
    IVideoHost* pHost = getHost();
    return pHost ? pHost->getFrameCount() : 0;
}

// ---- the frame ---------------------------------------------------------------------------------

void SDL3DVideoDriverBase::renderFrame()
{
    RIR_TRACE("SDL3DVideoDriverBase::renderFrame");
    if (!beginScene())
        return;
    IVideoHost* pHost = getHost();
    if (pHost)
    {
        for (int nIndex = pHost->getFirstDrawnModeIndex(); nIndex >= 0; --nIndex)
        {
            IDrawnMode* pMode = pHost->getDrawnMode(nIndex);
            if (pMode && pMode->isActive() && pMode->isVisible())
                drawMode(pMode);
        }
    }
    drawCursor();
    present();
}

void SDL3DVideoDriverBase::drawMode(IDrawnMode* pMode)
{
    RIR_TRACE("SDL3DVideoDriverBase::drawMode");
    if ((pMode->getFlags() & IDrawnMode::CLEAR_SCREEN_FLAG) != 0)
        clear(Color(0, 0, 0, 255));
    SpriteLayerList& lLayers = pMode->getSpriteLayers();
    for (int nLayer = 0; nLayer < lLayers.getLength(); ++nLayer)
    {
        SpriteLayer* pLayer = lLayers.get(nLayer);
        if (!pLayer)
            continue;
        for (int i = 0; i < pLayer->getLength(); ++i)
        {
            RIR::SmartPtr<Sprite> pSprite = pLayer->get(i);
            if (pSprite && pSprite->isVisible() && pSprite->getDisplayImage())
            {
                RIR_TRACE_LINE();
                drawSprite(pSprite.get());
            }
        }
    }
}

void SDL3DVideoDriverBase::drawCursor()
{
    RIR_TRACE("SDL3DVideoDriverBase::drawCursor");
    if (!isCursorShown() || !isSoftwareCursor() || !m_pCursorSprite ||
        !m_pCursorSprite->getDisplayImage())
        return;
    int nX = 0;
    int nY = 0;
    if (getHost())
        getHost()->getMousePosition(&nX, &nY);
    m_pCursorSprite->setPos(nX, nY);
    RIR_TRACE_LINE();
    drawSprite(m_pCursorSprite.get());
}

// ---- textures ----------------------------------------------------------------------------------

bool SDL3DVideoDriverBase::isOwnTiles(const Drv3DTileData& tiles) const
{
    return tiles.getRegistry() == m_pRegistry;
}

Drv3DSurfaceData* SDL3DVideoDriverBase::newSurfaceData()
{
    RIR_TRACE("SDL3DVideoDriverBase::newSurfaceData");
    return new Drv3DSurfaceData(new Drv3DTileData(m_pRegistry, true));
}

Drv3DImageData* SDL3DVideoDriverBase::newImageData()
{
    RIR_TRACE("SDL3DVideoDriverBase::newImageData");
    return new Drv3DImageData(new Drv3DTileData(m_pRegistry, false));
}

Drv3DSurfaceData& SDL3DVideoDriverBase::surfaceDataOf(Surface* pSurface)
{
    RIR_TRACE("SDL3DVideoDriverBase::surfaceDataOf");
    Drv3DSurfaceData* pData = dynamic_cast<Drv3DSurfaceData*>(pSurface->getDriverData());
    if (!pData || !isOwnTiles(pData->getTiles()))
    {
        pData = newSurfaceData();
        pSurface->setDriverData(pData);
    }
    return *pData;
}

Drv3DImageData& SDL3DVideoDriverBase::imageDataOf(SDLImage* pImage)
{
    RIR_TRACE("SDL3DVideoDriverBase::imageDataOf");
    Drv3DImageData* pData = dynamic_cast<Drv3DImageData*>(pImage->getDriverData());
    if (!pData || !isOwnTiles(pData->getTiles()))
    {
        pData = newImageData();
        pImage->setDriverData(pData);
    }
    return *pData;
}

bool SDL3DVideoDriverBase::uploadTextures(Surface* pSurface)
{
    RIR_TRACE("SDL3DVideoDriverBase::uploadTextures");
    RIR_ASSERT(pSurface);
    Drv3DSurfaceData& data = surfaceDataOf(pSurface);
    Drv3DTileData& tiles = data.getTiles();
    if (data.getChangeStamp() <= tiles.getGeneration() &&
        tiles.getGeneration() > m_nTextureGeneration)
        return false;

    bool bAlpha = pSurface->hasAlphaChannel() || pSurface->hasColorKey();
    // A paletted store is read through a copy in the driver's format.
    RIR::SmartPtr<Surface> pSource = pSurface;
    if (pSurface->hasPalette())
    {
        RIR_TRACE_LINE();
        pSource = pSurface->displayFormat();
    }

    tiles.releaseTextures();
    int nWidth = 0;
    int nHeight = 0;
    pSurface->getSize(&nWidth, &nHeight);
    RIR::List<Rect> lTiles;
    int nPaddedWidth = 0;
    int nPaddedHeight = 0;
    layoutTiles(nWidth, nHeight, lTiles, &nPaddedWidth, &nPaddedHeight);
    tiles.allocate(lTiles.getLength());
    tiles.setPaddedSize(nPaddedWidth, nPaddedHeight);
    for (int i = 0; i < lTiles.getLength(); ++i)
    {
        Rect area = lTiles.get(i);
        RIR_TRACE_LINE();
        uploadTile(tiles, i, data, *pSource, 4 * i, area.left, area.top, area.right, area.bottom,
                   bAlpha);
    }
    tiles.setBuilt(getFrameCount());
    RIR_TRACE_LINE();
    pSurface->purgePixels();
    return true;
}

void SDL3DVideoDriverBase::uploadTile(Drv3DTileData& tiles, int nTile,
                                      Drv3DSurfaceData& /*surfaceData*/, Surface& surface, int k,
                                      int nX0, int nY0, int nX1, int nY1, bool bAlpha)
{
    RIR_TRACE("SDL3DVideoDriverBase::uploadTile");
    int nWidth = nX1 - nX0;
    int nHeight = nY1 - nY0;
    int nTexWidth = nextPowerOfTwo(nWidth);
    int nTexHeight = nextPowerOfTwo(nHeight);
    RIR_TRACE_LINE();
    DeviceTexture* pTexture =
        createTexture(surface, Rect(nX0, nY0, nX1, nY1), nTexWidth, nTexHeight, bAlpha);
    tiles.getCell(nTile)->setTexture(pTexture);
    float fU = (float)nWidth / (float)nTexWidth;
    float fV = (float)nHeight / (float)nTexHeight;
    tiles.setCorner(k, (float)nX0, (float)nY0, 0.0f, 0.0f);
    tiles.setCorner(k + 1, (float)nX1, (float)nY0, fU, 0.0f);
    tiles.setCorner(k + 2, (float)nX1, (float)nY1, fU, fV);
    tiles.setCorner(k + 3, (float)nX0, (float)nY1, 0.0f, fV);
}

void SDL3DVideoDriverBase::buildTileVertices(SDLImage* pImage)
{
    RIR_TRACE("SDL3DVideoDriverBase::buildTileVertices");
    RIR_ASSERT(pImage);
    RIR::SmartPtr<Surface> pSurface = pImage->getSurface();
    if (!pSurface)
        return;
    bool bRebuilt = uploadTextures(pSurface.get());
    Drv3DTileData& storeTiles = surfaceDataOf(pSurface.get()).getTiles();
    Drv3DImageData& data = imageDataOf(pImage);
    Drv3DTileData& tiles = data.getTiles();
    // Tiles cut from an earlier build of the store's tiles point at cells that were emptied
    // when the store was uploaded again (perhaps through another image of the same store).
    if (!bRebuilt && data.getChangeStamp() <= tiles.getGeneration() &&
        tiles.getGeneration() > m_nTextureGeneration &&
        tiles.getSourceBuild() == storeTiles.getBuild())
        return;
    cutImageTiles(pImage, tiles, storeTiles);
    tiles.setBuilt(getFrameCount());
    tiles.setSourceBuild(storeTiles.getBuild());
}

void SDL3DVideoDriverBase::cutImageTiles(SDLImage* pImage, Drv3DTileData& tiles,
                                         Drv3DTileData& storeTiles)
{
    RIR_TRACE("SDL3DVideoDriverBase::cutImageTiles");
    int nOffsetX = 0;
    int nOffsetY = 0;
    pImage->getSurfaceOffset(&nOffsetX, &nOffsetY);
    int nWidth = pImage->getPhysicalWidth();
    int nHeight = pImage->getPhysicalHeight();
    Rect imageRect(nOffsetX, nOffsetY, nOffsetX + nWidth, nOffsetY + nHeight);

    // A store tile counts when it overlaps the image's rectangle by more than an edge; an
    // image without stored pixels has no tile.
    int nCount = 0;
    for (int i = 0; i < storeTiles.getCount() && !imageRect.isEmpty(); ++i)
    {
        Rect tileRect((int)storeTiles.getX(4 * i), (int)storeTiles.getY(4 * i),
                      (int)storeTiles.getX(4 * i + 2), (int)storeTiles.getY(4 * i + 2));
        if (tileRect.overlaps(imageRect))
            ++nCount;
    }
    tiles.releaseTextures();
    tiles.allocate(nCount);

    bool bFlipH = false;
    bool bFlipV = false;
    pImage->getFlipFlags(&bFlipH, &bFlipV);
    float fScale = pImage->getScale();
    int j = 0;
    for (int i = 0; i < storeTiles.getCount(); ++i)
    {
        int s = 4 * i;
        Rect tileRect((int)storeTiles.getX(s), (int)storeTiles.getY(s), (int)storeTiles.getX(s + 2),
                      (int)storeTiles.getY(s + 2));
        if (imageRect.isEmpty() || !tileRect.overlaps(imageRect))
            continue;
        tiles.shareTexture(j, storeTiles, i);
        Rect part = tileRect.intersect(imageRect);
        float fU0 = storeTiles.getU(s);
        float fDU = storeTiles.getU(s + 2) - fU0;
        float fV0 = storeTiles.getV(s);
        float fDV = storeTiles.getV(s + 2) - fV0;
        float fTileW = (float)(tileRect.right - tileRect.left);
        float fTileH = (float)(tileRect.bottom - tileRect.top);
        float fUL = fU0 + fDU * (float)(part.left - tileRect.left) / fTileW;
        float fUR = fUL + fDU * (float)(part.right - part.left) / fTileW;
        float fVT = fV0 + fDV * (float)(part.top - tileRect.top) / fTileH;
        float fVB = fVT + fDV * (float)(part.bottom - part.top) / fTileH;
        float fL = (float)(part.left - nOffsetX);
        float fR = (float)(part.right - nOffsetX);
        float fT = (float)(part.top - nOffsetY);
        float fB = (float)(part.bottom - nOffsetY);
        int k = 4 * j;
        tiles.setCorner(k, fL, fT, fUL, fVT);
        tiles.setCorner(k + 1, fR, fT, fUR, fVT);
        tiles.setCorner(k + 2, fR, fB, fUR, fVB);
        tiles.setCorner(k + 3, fL, fB, fUL, fVB);
        // Mirroring moves the corners; the texture coordinates stay with them.
        for (int c = k; c < k + 4; ++c)
        {
            float fX = tiles.getX(c);
            float fY = tiles.getY(c);
            if (bFlipH)
                fX = (float)nWidth - fX;
            if (bFlipV)
                fY = (float)nHeight - fY;
            if (fScale != 1.0f && fScale != 0.0f)
            {
                fX /= fScale;
                fY /= fScale;
            }
            tiles.setPosition(c, fX, fY);
        }
        ++j;
    }
}
