// D3D7VideoDriver: drawing a sprite (its texture tiles, or its polygon) and the letterbox
// borders.
#include "platform/d3d7/d3d7videodriver.h"

#include "platform/d3d7/d3d7spritedata.h"
#include "platform/d3d7/d3d7texture.h"
#include "platform/sdl/sdlimage.h"

#include "rir2/calltrace.h"
#include "rir2/list_impl.h"

namespace
{

// Degrees to radians, as the sprite's rotation is turned into the view transform.
const float DEG_TO_RAD = 0.017453292f;

// The colour of a sprite's vertices, 0xAARRGGBB: the image's alpha times the sprite's, clamped
// to 0..1, and the sprite's tint; each channel truncated.
uint32_t vertexColor(const Sprite& sprite, const Image& image)
{
    RIR_TRACE("vertexColor");
    float fAlpha = (float)image.getAlpha() / 255.0f * sprite.getAlpha();
    if (!(fAlpha > 0.0f))
        fAlpha = 0.0f;
    else if (fAlpha > 1.0f)
        fAlpha = 1.0f;
    const Color tint = sprite.getColor();
    const uint32_t nA = (uint32_t)(fAlpha * 255.0f);
    const uint32_t nR = (uint32_t)((float)tint.r / 255.0f * 255.0f);
    const uint32_t nG = (uint32_t)((float)tint.g / 255.0f * 255.0f);
    const uint32_t nB = (uint32_t)((float)tint.b / 255.0f * 255.0f);
    return (nA << 24) | (nR << 16) | (nG << 8) | nB;
}

} // namespace

// A sprite shows its displayed image with its insertion point at the sprite's position:
//   - the vertex colour carries the tint and the opacity (vertexColor);
//   - the position moves half a pixel up and left, so that texels fall on pixel centres;
//   - a rotated or scaled sprite is scaled, then turned about its position (which the insertion
//     point sits on), then moved there by the view transform; any other one is drawn with the
//     sprite matrix and its corners moved by the position;
//   - the blend mode, state bits and stencil flag go through the state cache;
//   - a sprite with a polygon is drawn as one untextured fan of its points, else every texture
//     tile of the image as one strip of four corners.
void D3D7VideoDriver::drawSprite(Sprite* pSprite)
{
    RIR_TRACE("D3D7VideoDriver::drawSprite");
    RenderDevice* pDevice = getDevice();
    if (!pSprite || !pDevice)
        return;
    RIR::SmartPtr<Image> pDisplayImage = pSprite->getDisplayImage();
    SDLImage* pImage = dynamic_cast<SDLImage*>(pDisplayImage.get());
    if (!pImage)
        return;
    RIR_TRACE_LINE();
    buildTileVertices(pImage);
    Drv3DImageData* pData = dynamic_cast<Drv3DImageData*>(pImage->getDriverData());

    float fX = 0.0f;
    float fY = 0.0f;
    pSprite->getPosFloat(&fX, &fY);
    int nCanvasX = 0;
    int nCanvasY = 0;
    pImage->getCanvasOffset(&nCanvasX, &nCanvasY);
    int nInsX = 0;
    int nInsY = 0;
    pImage->getInsPoint(&nInsX, &nInsY);
    float fImageScale = pImage->getScale();
    if (fImageScale == 0.0f)
        fImageScale = 1.0f;
    const uint32_t nColor = vertexColor(*pSprite, *pImage);

    fX -= 0.5f;
    fY -= 0.5f;
    float fOffsetX = (float)(nCanvasX - nInsX) / fImageScale;
    float fOffsetY = (float)(nCanvasY - nInsY) / fImageScale;
    RenderMatrix view;
    if (pSprite->getRotation() != 0.0f || pSprite->isScaled())
    {
        view = RenderMatrix::scaling(pSprite->getScaleX(), pSprite->getScaleY(), 1.0f) *
               RenderMatrix::rotationZ(pSprite->getRotation() * DEG_TO_RAD) *
               RenderMatrix::translation(fX, fY, 0.0f);
    }
    else
    {
        view = m_spriteMatrix;
        fOffsetX += fX;
        fOffsetY += fY;
    }

    setBlendMode(pSprite->getBlendMode());
    setStateBits(pSprite->getRenderFlags());
    setStencilMasked(pSprite->isStencilMasked());
    applyRenderStates();

    if (!pSprite->getPolygon().isEmpty())
    {
        RIR_TRACE_LINE();
        drawPolygon(pSprite, view, fOffsetX, fOffsetY, nColor);
    }
    else if (pData)
    {
        setView(view);
        RIR_TRACE_LINE();
        drawTiles(pData->getTiles(), fOffsetX, fOffsetY, nColor);
    }
}

void D3D7VideoDriver::setView(const RenderMatrix& view)
{
    RIR_TRACE("D3D7VideoDriver::setView");
    RenderDevice* pDevice = getDevice();
    if (pDevice->getTransform(TRANSFORM_VIEW) != view)
        checkResult(pDevice->setTransform(TRANSFORM_VIEW, view));
}

void D3D7VideoDriver::drawPolygon(Sprite* pSprite, const RenderMatrix& view, float fOffsetX,
                                  float fOffsetY, uint32_t nColor)
{
    RIR_TRACE("D3D7VideoDriver::drawPolygon");
    D3D7SpriteData* pData = dynamic_cast<D3D7SpriteData*>(pSprite->getDriverData());
    if (!pData)
    {
        pData = new D3D7SpriteData();
        pSprite->setDriverData(pData);
    }
    RIR::List<Point>& lPoints = pSprite->getPolygon();
    std::vector<RenderVertex>& lVertices = pData->getVertices();
    // The points can be edited in place without a new stamp; a changed count is rebuilt too.
    if (pData->getPolygonStamp() < pSprite->getPolygonStamp() ||
        (int)lVertices.size() != lPoints.getLength())
    {
        pData->setPolygonStamp(pSprite->getPolygonStamp());
        lVertices.assign((size_t)lPoints.getLength(), RenderVertex());
        for (int i = 0; i < lPoints.getLength(); ++i)
        {
            const Point& point = lPoints.get(i);
            lVertices[(size_t)i].x = point.x;
            lVertices[(size_t)i].y = point.y;
        }
    }
    for (RenderVertex& vertex : lVertices)
        vertex.nColor = nColor;
    // A fan needs three points; fewer cover nothing.
    if (lVertices.size() < 3)
        return;
    RenderDevice* pDevice = getDevice();
    setView(RenderMatrix::translation(fOffsetX, fOffsetY, 0.0f) * view);
    checkResult(pDevice->setTexture(nullptr));
    RIR_TRACE_LINE();
    checkResult(pDevice->drawPrimitive(PRIM_TRIANGLE_FAN, lVertices.data(), (int)lVertices.size()));
}

void D3D7VideoDriver::drawTiles(const Drv3DTileData& tiles, float fOffsetX, float fOffsetY,
                                uint32_t nColor)
{
    RIR_TRACE("D3D7VideoDriver::drawTiles");
    RenderDevice* pDevice = getDevice();
    // Corners top-left, top-right, bottom-left, bottom-right make the strip.
    static const int s_anCorner[4] = {0, 1, 3, 2};
    for (int i = 0; i < tiles.getCount(); ++i)
    {
        TextureCell* pCell = tiles.getCell(i);
        D3D7Texture* pTexture = pCell ? dynamic_cast<D3D7Texture*>(pCell->getTexture()) : nullptr;
        // A tile without a texture would show as a plain quad of the tint: it is left out.
        if (!pTexture || pTexture->getRenderTexture()->isLost())
            continue;
        if (pDevice->getTexture() != pTexture->getRenderTexture())
            checkResult(pDevice->setTexture(pTexture->getRenderTexture()));
        if (pDevice->getStageState(TS_MAG_FILTER) != TEXFILTER_LINEAR)
            checkResult(pDevice->setStageState(TS_MAG_FILTER, TEXFILTER_LINEAR));
        if (pDevice->getStageState(TS_MIN_FILTER) != TEXFILTER_LINEAR)
            checkResult(pDevice->setStageState(TS_MIN_FILTER, TEXFILTER_LINEAR));
        if (pDevice->getStageState(TS_ADDRESS_U) != TEXADDR_CLAMP)
            checkResult(pDevice->setStageState(TS_ADDRESS_U, TEXADDR_CLAMP));
        if (pDevice->getStageState(TS_ADDRESS_V) != TEXADDR_CLAMP)
            checkResult(pDevice->setStageState(TS_ADDRESS_V, TEXADDR_CLAMP));
        for (int c = 0; c < 4; ++c)
        {
            const int k = 4 * i + s_anCorner[c];
            RenderVertex& vertex = m_aScratch[c];
            vertex.x = tiles.getX(k) + fOffsetX;
            vertex.y = tiles.getY(k) + fOffsetY;
            vertex.z = 0.0f;
            vertex.nColor = nColor;
            vertex.u = tiles.getU(k);
            vertex.v = tiles.getV(k);
        }
        checkResult(pDevice->drawPrimitive(PRIM_TRIANGLE_STRIP, m_aScratch, 4));
    }
}

// The letterbox borders, opaque black, drawn over everything else of the frame.
void D3D7VideoDriver::drawBorders()
{
    RIR_TRACE("D3D7VideoDriver::drawBorders");
    RenderDevice* pDevice = getDevice();
    const RIR::List<Rect*>& lBorders = getBorders();
    if (!pDevice || lBorders.isEmpty())
        return;
    setView(m_spriteMatrix);
    setBlendMode(BLEND_ALPHA);
    setStateBits(STATE_COLOR);
    setStencilMasked(false);
    applyRenderStates();
    checkResult(pDevice->setTexture(nullptr));
    for (int i = 0; i < lBorders.getLength(); ++i)
    {
        const Rect* pBorder = lBorders.get(i);
        const float fL = (float)pBorder->left;
        const float fT = (float)pBorder->top;
        const float fR = (float)pBorder->right;
        const float fB = (float)pBorder->bottom;
        RenderVertex aQuad[4] = {{fL, fT, 0.0f, 0xFF000000u, 0.0f, 0.0f},
                                 {fR, fT, 0.0f, 0xFF000000u, 0.0f, 0.0f},
                                 {fR, fB, 0.0f, 0xFF000000u, 0.0f, 0.0f},
                                 {fL, fB, 0.0f, 0xFF000000u, 0.0f, 0.0f}};
        checkResult(pDevice->drawPrimitive(PRIM_TRIANGLE_FAN, aQuad, 4));
    }
}
