// What the Direct3D 7 video driver draws, on a recording display: vertex colours, the corners of
// a tile's strip, rotation and scale about the insertion point, the projection with the letterbox
// and its borders, polygons, and the pixels that reach a texture.
#include "test_d3d7_fixture.h"

#include <cmath>

namespace
{

// Where the device puts a vertex of a draw record before the projection: vertex x view.
Point viewed(const RenderRecord& draw, int nVertex)
{
    const RenderVertex& v = draw.lVertices[(size_t)nVertex];
    float afOut[4];
    draw.state.aTransform[TRANSFORM_VIEW].transform(v.x, v.y, v.z, afOut);
    return Point(afOut[0], afOut[1]);
}

::testing::AssertionResult near(const Point& actual, float fX, float fY)
{
    if (std::fabs(actual.x - fX) < 1e-3f && std::fabs(actual.y - fY) < 1e-3f)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "(" << actual.x << ", " << actual.y << ") instead of (" << fX << ", " << fY << ")";
}

} // namespace

// Alpha is the image's times the sprite's, clamped to 0..1 and truncated; the tint gives red,
// green and blue.
TEST_F(D3D7Test, VertexColoursCarryOpacityAndTint)
{
    const struct
    {
        int nImageAlpha; // -1: an image with an alpha channel (reads 255)
        float fSpriteAlpha;
        Color tint;
        uint32_t nExpected;
    } aCases[] = {
        {-1, 1.0f, Color(255, 255, 255, 255), 0xFFFFFFFFu},
        {-1, 0.5f, Color(255, 255, 255, 255), 0x7FFFFFFFu}, // 127.5 truncated
        {-1, 1.5f, Color(255, 255, 255, 255), 0xFFFFFFFFu}, // clamped to 1.0
        {-1, -0.5f, Color(255, 255, 255, 255), 0x00FFFFFFu},
        {-1, 1.0f, Color(255, 128, 1, 0), 0xFFFF8001u}, // the tint's alpha is not used
        {128, 1.0f, Color(0, 0, 0, 255), 0x80000000u},
        {128, 0.5f, Color(10, 20, 30, 255), 0x400A141Eu}, // 128 / 255 x 0.5 x 255 = 64
    };
    setWindowMode();
    std::vector<RIR::SmartPtr<Sprite>> lSprites;
    for (const auto& c : aCases)
    {
        RIR::SmartPtr<SDLImage> pImage =
            c.nImageAlpha < 0 ? makeFilledPicture(8, 8, 0xFFFFFF) : makePicture(8, 8, false);
        if (c.nImageAlpha >= 0)
            pImage->setAlpha(c.nImageAlpha);
        RIR::SmartPtr<Sprite> pSprite = new Sprite(pImage, 0, 0, 0);
        pSprite->setAlpha(c.fSpriteAlpha);
        pSprite->setColor(c.tint);
        lSprites.push_back(pSprite);
    }
    addMode(lSprites);
    renderFrame();

    std::vector<const RenderRecord*> lDraws = draws();
    ASSERT_EQ(sizeof(aCases) / sizeof(aCases[0]), lDraws.size());
    for (size_t i = 0; i < lDraws.size(); ++i)
    {
        for (const RenderVertex& v : lDraws[i]->lVertices)
            EXPECT_EQ(aCases[i].nExpected, v.nColor)
                << "case " << i << std::hex << " 0x" << v.nColor;
    }
}

// A tile is one strip of its corners top-left, top-right, bottom-left, bottom-right, moved half a
// pixel up and left and by the position minus the insertion point; the view is the identity.
TEST_F(D3D7Test, TileStripCornersAndHalfPixelShift)
{
    setWindowMode();
    RIR::SmartPtr<SDLImage> pImage = makeFilledPicture(64, 64, 0xFFFFFF);
    pImage->setInsPoint(4, 8);
    addMode({new Sprite(pImage, 10, 20, 0)});
    renderFrame();

    std::vector<const RenderRecord*> lDraws = draws();
    ASSERT_EQ(1u, lDraws.size());
    const RenderRecord& draw = *lDraws[0];
    EXPECT_EQ(PRIM_TRIANGLE_STRIP, draw.ePrimitive);
    ASSERT_EQ(4u, draw.lVertices.size());
    EXPECT_TRUE(draw.state.aTransform[TRANSFORM_VIEW].isIdentity());
    const float x0 = 10 - 4 - 0.5f;
    const float y0 = 20 - 8 - 0.5f;
    const float aExpected[4][4] = {
        {x0, y0, 0, 0}, {x0 + 64, y0, 1, 0}, {x0, y0 + 64, 0, 1}, {x0 + 64, y0 + 64, 1, 1}};
    for (int i = 0; i < 4; ++i)
    {
        const RenderVertex& v = draw.lVertices[(size_t)i];
        EXPECT_FLOAT_EQ(aExpected[i][0], v.x) << "corner " << i;
        EXPECT_FLOAT_EQ(aExpected[i][1], v.y) << "corner " << i;
        EXPECT_FLOAT_EQ(0.0f, v.z);
        EXPECT_FLOAT_EQ(aExpected[i][2], v.u) << "corner " << i;
        EXPECT_FLOAT_EQ(aExpected[i][3], v.v) << "corner " << i;
    }
    EXPECT_NE(0, draw.nTexture);
    EXPECT_EQ((uint32_t)TEXFILTER_LINEAR, draw.state.anStageState[TS_MAG_FILTER]);
    EXPECT_EQ((uint32_t)TEXFILTER_LINEAR, draw.state.anStageState[TS_MIN_FILTER]);
    EXPECT_EQ((uint32_t)TEXADDR_CLAMP, draw.state.anStageState[TS_ADDRESS_U]);
    EXPECT_EQ((uint32_t)TEXADDR_CLAMP, draw.state.anStageState[TS_ADDRESS_V]);
}

// A 300 x 100 picture is four strips, each with a texture of its own of power-of-two size.
TEST_F(D3D7Test, PictureOfFourTilesIsFourStrips)
{
    setWindowMode();
    addMode({new Sprite(makeFilledPicture(300, 100, 0x123456), 0, 0, 0)});
    renderFrame();

    std::vector<const RenderRecord*> lCreated = log().find(CALL_CREATE_TEXTURE);
    ASSERT_EQ(4u, lCreated.size());
    const int aSizes[4][2] = {{256, 64}, {64, 64}, {256, 64}, {64, 64}};
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(aSizes[i][0], lCreated[(size_t)i]->nWidth);
        EXPECT_EQ(aSizes[i][1], lCreated[(size_t)i]->nHeight);
        EXPECT_TRUE(lCreated[(size_t)i]->bAlpha);
    }
    std::vector<const RenderRecord*> lDraws = draws();
    ASSERT_EQ(4u, lDraws.size());
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(lCreated[(size_t)i]->nTexture, lDraws[(size_t)i]->nTexture) << "tile " << i;
    // The last column's strip: x 256 .. 300, u up to 44 / 64.
    EXPECT_FLOAT_EQ(255.5f, lDraws[1]->lVertices[0].x);
    EXPECT_FLOAT_EQ(299.5f, lDraws[1]->lVertices[1].x);
    EXPECT_FLOAT_EQ(44.0f / 64.0f, lDraws[1]->lVertices[1].u);

    // A second frame uploads nothing new.
    log().clear();
    renderFrame();
    EXPECT_EQ(0, log().count(CALL_CREATE_TEXTURE));
    EXPECT_EQ(4, log().count(CALL_DRAW_PRIMITIVE));
}

// A rotated sprite turns clockwise about its insertion point, which stays on its position; a
// scaled one grows about it.
TEST_F(D3D7Test, RotationAndScaleAboutTheInsertionPoint)
{
    setWindowMode();
    RIR::SmartPtr<SDLImage> pImage = makeFilledPicture(64, 32, 0xFFFFFF);
    pImage->setInsPoint(16, 8);
    RIR::SmartPtr<Sprite> pTurned = new Sprite(pImage, 100, 200, 0);
    pTurned->setRotation(90.0f);
    RIR::SmartPtr<Sprite> pScaled = new Sprite(pImage, 300, 200, 0);
    pScaled->setScaleXY(2.0f, 0.5f);
    RIR::SmartPtr<Sprite> pBoth = new Sprite(pImage, 500, 200, 0);
    pBoth->setScale(2.0f);
    pBoth->setRotation(-90.0f);
    addMode({pTurned, pScaled, pBoth});
    renderFrame();

    std::vector<const RenderRecord*> lDraws = draws();
    ASSERT_EQ(3u, lDraws.size());
    // The vertices are relative to the insertion point: the top-left corner is (-16, -8).
    EXPECT_FLOAT_EQ(-16.0f, lDraws[0]->lVertices[0].x);
    EXPECT_FLOAT_EQ(-8.0f, lDraws[0]->lVertices[0].y);
    for (const RenderRecord* pDraw : lDraws)
    {
        // The insertion point (local 0, 0) lands on the position, half a pixel up and left.
        float afOut[4];
        pDraw->state.aTransform[TRANSFORM_VIEW].transform(0.0f, 0.0f, 0.0f, afOut);
        EXPECT_FLOAT_EQ(-0.5f, std::fmod(afOut[0], 100.0f) - 100.0f);
        EXPECT_FLOAT_EQ(199.5f, afOut[1]);
    }
    // 90 degrees clockwise: the top-left corner goes to the upper right of the position, the
    // bottom-right corner (48, 24) to the lower left.
    EXPECT_TRUE(near(viewed(*lDraws[0], 0), 99.5f + 8.0f, 199.5f - 16.0f));
    EXPECT_TRUE(near(viewed(*lDraws[0], 3), 99.5f - 24.0f, 199.5f + 48.0f));
    // Scaled (2, 0.5): corners (-32, -4) and (96, 12) from the position.
    EXPECT_TRUE(near(viewed(*lDraws[1], 0), 299.5f - 32.0f, 199.5f - 4.0f));
    EXPECT_TRUE(near(viewed(*lDraws[1], 3), 299.5f + 96.0f, 199.5f + 12.0f));
    // Scaled by 2, then turned 90 degrees counter-clockwise: (-16, -8) -> (-32, -16) -> (-16, 32).
    EXPECT_TRUE(near(viewed(*lDraws[2], 0), 499.5f - 16.0f, 199.5f + 32.0f));
}

// Mirrored pictures keep their texture coordinates and swap their corners; the strip still covers
// the same place.
TEST_F(D3D7Test, MirroredPictureSwapsItsCorners)
{
    setWindowMode();
    RIR::SmartPtr<SDLImage> pImage = makeFilledPicture(64, 64, 0xFFFFFF);
    RIR::SmartPtr<SDLImage> pMirror = new SDLImage(pImage, Rect(0, 0, 64, 64));
    pMirror->flipHorizontal();
    addMode({new Sprite(pMirror, 0, 0, 0)});
    renderFrame();
    // The insertion point went to the right edge with the picture: the first corner of the strip
    // (texture u 0) is drawn at the position, the second (u 1) 64 pixels to its left.
    ASSERT_EQ(1u, draws().size());
    const RenderRecord& draw = *draws()[0];
    EXPECT_FLOAT_EQ(-0.5f, draw.lVertices[0].x);
    EXPECT_FLOAT_EQ(0.0f, draw.lVertices[0].u);
    EXPECT_FLOAT_EQ(-64.5f, draw.lVertices[1].x);
    EXPECT_FLOAT_EQ(1.0f, draw.lVertices[1].u);
}

// The projection maps logical pixels to the physical picture: in a window the whole logical
// screen; letterboxed, logical x = 0 lies one letterbox offset in and the borders at negative x
// and beyond the logical width stay visible. The view origin moves it.
TEST_F(D3D7Test, ProjectionWithTheLetterbox)
{
    const struct
    {
        const char* pszName;
        bool bLetterbox;
        int nOriginX;
        int nOriginY;
        // Logical points and where they must land in device coordinates (-1 .. 1, y up).
        float afPoints[3][4];
    } aCases[] = {
        {"window", false, 0, 0, {{0, 0, -1, 1}, {800, 600, 1, -1}, {400, 300, 0, 0}}},
        {"letterbox", true, 0, 0, {{-80, 0, -1, 1}, {880, 600, 1, -1}, {0, 300, -0.8333333f, 0}}},
        {"letterbox moved",
         true,
         10,
         20,
         {{-70, 20, -1, 1}, {890, 620, 1, -1}, {10, 20, -0.8333333f, 1}}},
    };
    for (const auto& c : aCases)
    {
        SCOPED_TRACE(c.pszName);
        if (c.bLetterbox)
        {
            m_pDriver->m_ptDesktop = Point(1280, 800);
            m_pDriver->m_lListedModes.clear();
            m_pDriver->m_lListedModes.append(Point(1280, 800));
            ASSERT_TRUE(m_pDriver->setVideoMode(800, 600, VF_FULLSCREEN));
            EXPECT_EQ(80, m_pDriver->getLetterboxOffset());
        }
        else
        {
            ASSERT_TRUE(m_pDriver->setVideoMode(800, 600, 0));
        }
        m_pDriver->setViewOrigin(c.nOriginX, c.nOriginY);
        const RenderMatrix& projection = device()->getTransform(TRANSFORM_PROJECTION);
        for (const auto& p : c.afPoints)
        {
            float afOut[4];
            projection.transform(p[0], p[1], 0.0f, afOut);
            EXPECT_NEAR(p[2], afOut[0] / afOut[3], 1e-5) << "x of (" << p[0] << ", " << p[1] << ")";
            EXPECT_NEAR(p[3], afOut[1] / afOut[3], 1e-5) << "y of (" << p[0] << ", " << p[1] << ")";
        }
    }
}

// Letterboxed frames end with the two borders in opaque black, untextured, alpha-blended and
// unmasked, drawn with the sprite matrix after everything else.
TEST_F(D3D7Test, LetterboxBordersAreDrawnBlackLast)
{
    m_pDriver->m_ptDesktop = Point(1280, 800);
    m_pDriver->m_lListedModes.append(Point(1280, 800));
    ASSERT_TRUE(m_pDriver->setVideoMode(800, 600, VF_FULLSCREEN));
    RIR::SmartPtr<Sprite> pSprite = new Sprite(makeFilledPicture(8, 8, 0xFFFFFF), 0, 0, 0);
    pSprite->setRotation(45.0f);
    pSprite->setStencilMasked(true);
    addMode({pSprite});
    log().clear();
    renderFrame();

    std::vector<const RenderRecord*> lDraws = draws();
    ASSERT_EQ(3u, lDraws.size());
    const float aBorders[2][4] = {{-80, 0, 0, 600}, {799, 0, 880, 600}};
    for (int b = 0; b < 2; ++b)
    {
        const RenderRecord& draw = *lDraws[(size_t)b + 1];
        EXPECT_EQ(PRIM_TRIANGLE_FAN, draw.ePrimitive);
        EXPECT_EQ(0, draw.nTexture);
        EXPECT_TRUE(draw.state.aTransform[TRANSFORM_VIEW].isIdentity());
        EXPECT_EQ(0u, draw.state.anRenderState[RS_STENCIL_TEST]);
        EXPECT_EQ((uint32_t)BF_INV_SRC_ALPHA, draw.state.anRenderState[RS_BLEND_DEST]);
        ASSERT_EQ(4u, draw.lVertices.size());
        const float(&r)[4] = aBorders[b];
        const float aCorners[4][2] = {{r[0], r[1]}, {r[2], r[1]}, {r[2], r[3]}, {r[0], r[3]}};
        for (int i = 0; i < 4; ++i)
        {
            EXPECT_FLOAT_EQ(aCorners[i][0], draw.lVertices[(size_t)i].x);
            EXPECT_FLOAT_EQ(aCorners[i][1], draw.lVertices[(size_t)i].y);
            EXPECT_EQ(0xFF000000u, draw.lVertices[(size_t)i].nColor);
        }
    }
    const std::vector<std::string> lNames = callNames();
    ASSERT_LE(2u, lNames.size());
    EXPECT_EQ("endScene", lNames[lNames.size() - 2]);
    EXPECT_EQ("present", lNames.back());
}

// A polygon sprite is one untextured fan of its points in the vertex colour, placed like the
// image; its vertices are rebuilt when the polygon changes.
TEST_F(D3D7Test, PolygonSpritesAreFans)
{
    setWindowMode();
    RIR::SmartPtr<SDLImage> pImage = makeFilledPicture(8, 8, 0xFFFFFF);
    pImage->setInsPoint(2, 2);
    RIR::SmartPtr<Sprite> pSprite = new Sprite(pImage, 50, 60, 0);
    pSprite->setColor(Color(0, 255, 0, 255));
    RIR::List<Point> lTriangle;
    lTriangle.append(Point(0, 0));
    lTriangle.append(Point(10, 0));
    lTriangle.append(Point(0, 10));
    pSprite->setPolygon(lTriangle);
    addMode({pSprite});
    renderFrame();

    ASSERT_EQ(1u, draws().size());
    const RenderRecord& draw = *draws()[0];
    EXPECT_EQ(PRIM_TRIANGLE_FAN, draw.ePrimitive);
    EXPECT_EQ(0, draw.nTexture);
    ASSERT_EQ(3u, draw.lVertices.size());
    EXPECT_EQ(0xFF00FF00u, draw.lVertices[2].nColor);
    // Point (10, 0) lands at the position minus the insertion point, half a pixel up and left.
    EXPECT_TRUE(near(viewed(draw, 1), 50 - 2 - 0.5f + 10, 60 - 2 - 0.5f));

    RIR::List<Point> lSquare = lTriangle;
    lSquare.append(Point(10, 10));
    pSprite->setPolygon(lSquare);
    pSprite->setColor(Color(255, 0, 0, 255));
    log().clear();
    renderFrame();
    ASSERT_EQ(1u, draws().size());
    ASSERT_EQ(4u, draws()[0]->lVertices.size());
    EXPECT_EQ(0xFFFF0000u, draws()[0]->lVertices[0].nColor);
}

// A colour-keyed picture keeps its key through the upload: key pixels are transparent black in
// a texture with alpha, the others opaque; an alpha channel is copied, not blended.
TEST_F(D3D7Test, ColourKeyedUploadKeepsKeyPixelsTransparent)
{
    setWindowMode();
    RIR::SmartPtr<SDLImage> pKeyed = makePicture(3, 2, false);
    {
        SDL_Surface* pSurf = pKeyed->getSurface()->getSDLSurface();
        SDL_FillRect(pSurf, nullptr, SDL_MapRGB(pSurf->format, 255, 0, 255));
        SDL_Rect inner = {1, 0, 1, 2};
        SDL_FillRect(pSurf, &inner, SDL_MapRGB(pSurf->format, 10, 200, 30));
    }
    pKeyed->setColorKey(Color(255, 0, 255, 255));
    RIR::SmartPtr<SDLImage> pAlpha = makePicture(2, 1, true);
    {
        SDL_Surface* pSurf = pAlpha->getSurface()->getSDLSurface();
        Uint32* pRow = (Uint32*)pSurf->pixels;
        pRow[0] = SDL_MapRGBA(pSurf->format, 200, 100, 50, 0);
        pRow[1] = SDL_MapRGBA(pSurf->format, 1, 2, 3, 77);
    }
    addMode({new Sprite(pKeyed, 0, 0, 0), new Sprite(pAlpha, 0, 0, 0)});
    renderFrame();

    MemoryRenderTexture* pTexture = tileTexture(pKeyed.get(), 0);
    ASSERT_NE(nullptr, pTexture);
    EXPECT_TRUE(pTexture->hasAlpha());
    ASSERT_EQ(4, pTexture->getWidth());
    // The fourth column is padding beyond the picture: transparent.
    const uint32_t aRow[4] = {0x00000000u, 0xFF0AC81Eu, 0x00000000u, 0x00000000u};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(aRow[x], pTexture->getTexel(x, y)) << "texel " << x << "," << y;

    MemoryRenderTexture* pAlphaTexture = tileTexture(pAlpha.get(), 0);
    ASSERT_NE(nullptr, pAlphaTexture);
    EXPECT_EQ(0x00C86432u, pAlphaTexture->getTexel(0, 0));
    EXPECT_EQ(0x4D010203u, pAlphaTexture->getTexel(1, 0));
}

// A texture the device refuses, or cannot lock, ends the program's drawing with the driver's
// error, after logging the device's result.
TEST_F(D3D7Test, TextureFailuresRaiseTheDriversErrors)
{
    const struct
    {
        RenderCall eCall;
        const char* pszClass;
        const char* pszMessage;
    } aCases[] = {{CALL_CREATE_TEXTURE, "FatalErrorException", "D3DXCreateTexture"},
                  {CALL_LOCK_TEXTURE, "FatalErrorException", "Lock failed"}};
    setWindowMode();
    for (const auto& c : aCases)
    {
        SCOPED_TRACE(c.pszMessage);
        log().failCall(c.eCall, RENDER_ERR_OUT_OF_MEMORY);
        RIR::SmartPtr<Sprite> pSprite = new Sprite(makeFilledPicture(8, 8, 0xFFFFFF), 0, 0, 0);
        try
        {
            m_pDriver->drawSprite(pSprite.get());
            ADD_FAILURE() << "nothing raised";
        }
        catch (const RIR::Exception& e)
        {
            EXPECT_STREQ(c.pszClass, e.getClassName());
            EXPECT_STREQ(c.pszMessage, e.getMessage());
        }
    }
    EXPECT_EQ(2u, m_logFile.linesStartingWith("D: Error 0x80DD0004").size());
}

// Nothing is drawn, and nothing fails, before a mode or after shutdown.
TEST_F(D3D7Test, NothingWithoutADevice)
{
    RIR::SmartPtr<Sprite> pSprite = new Sprite(makeFilledPicture(8, 8, 0xFFFFFF), 0, 0, 0);
    addMode({pSprite});
    m_pDriver->renderFrame();
    m_pDriver->clear(Color(1, 2, 3, 4));
    m_pDriver->setViewOrigin(0, 0);
    m_pDriver->drawSprite(pSprite.get());
    EXPECT_EQ(0, log().getCount());
    FrameCapture capture;
    m_pDriver->requestFrameCapture();
    EXPECT_FALSE(m_pDriver->takeFrameCapture(&capture));
}
