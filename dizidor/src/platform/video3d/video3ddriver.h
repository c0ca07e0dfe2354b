// SDL3DVideoDriverBase: the part of a video driver common to 3-D interfaces.
//
// It draws a whole frame from the application's screen modes (renderFrame), keeps pictures in
// the device as textures of limited size cut into tiles (uploadTextures, buildTileVertices),
// draws the software cursor, and caches the few render states a sprite can change. The device
// calls are left to a derived driver through a handful of hooks: create a texture from a
// rectangle of pixels (createTexture), draw one sprite (drawSprite), send the cached states
// (applyRenderStates), begin and present a scene (beginScene, present), plus the SDL video
// driver base's own (createDevice, trySetMode, ...).
//
// The frame (renderFrame): when the scene can begin, the host's modes from
// getFirstDrawnModeIndex down to 0 (the top mode last) are drawn, each that is active and
// visible: first a clear to opaque black when its flags ask for it, then its sprite layers in
// order, each layer's sprites in order, every sprite that is visible and shows an image. Then the
// cursor sprite at the pointer position, when the cursor is shown and the software cursor is on;
// then the scene is presented. Every frame is drawn in full.
//
// Textures: a pixel store (Surface) is uploaded as tiles of at most 512 x 512 (texturetiles.h);
// an image (SDLImage) is a rectangle of a store, so its tiles are cut out of the store's tiles
// and share their textures. Nothing is rebuilt while it is current:
// - a store's tiles are current when its change stamp is not newer than their build and they
//   were built after the last texture drop (a mode set);
// - an image's tiles are current when, besides, its own change stamp is not newer, and its
//   store's tiles were not rebuilt since it was cut from them.
// Pixel changes stamp the store with the application's frame count (Surface::markChanged); the
// frame count moves on between the update and the drawing of a frame, so a change made while
// updating is always newer than textures built while the previous frame was drawn.
//
// The derived driver must release every texture (releaseAllTextures) in its shutdown, while its
// device still runs.
//
// Main thread only.
#ifndef DIZIDOR_PLATFORM_VIDEO3D_VIDEO3DDRIVER_H
#define DIZIDOR_PLATFORM_VIDEO3D_VIDEO3DDRIVER_H

#include "gfx/sprite.h"
#include "platform/sdl/sdlvideodriver.h"
#include "platform/video3d/drv3ddata.h"
#include "platform/video3d/texturecell.h"
#include "platform/video3d/texturetiles.h"

#include "rir2/refcount.h"

#include <cstdint>

class IDrawnMode;
class Surface;
class SDLImage;

class SDL3DVideoDriverBase : public SDLVideoDriverBase
{
public:
    // Blend modes (Sprite::getBlendMode).
    enum BlendMode
    {
        BLEND_ALPHA = 0,
        BLEND_ADDITIVE = 1
    };
    // Render-flag bits (Sprite::getRenderFlags).
    enum StateBits
    {
        STATE_COLOR = 1,         // colour written, with blending
        STATE_WRITE_STENCIL = 2, // drawn pixels write 1 into the stencil
        STATE_CLEAR_STENCIL = 4  // the stencil is cleared first
    };

    // No cursor sprite, no textures (texture generation -1), blend mode and state bits unknown
    // (-1), stencil masked, states dirty.
    SDL3DVideoDriverBase();
    // Releases the cursor sprite and every texture; tile data that outlive the driver keep
    // empty cells.
    ~SDL3DVideoDriverBase() override;

    // ---- IVideoDriver and SDLVideoDriverBase ------------------------------------------------

    // The mode choice; on success the pixel formats are set, every texture becomes stale
    // (texture generation = frame count) and the render states must be sent again.
    bool setVideoMode(int nWidth, int nHeight, int nFlags) override;
    // Draws and presents one frame (see the file comment).
    void renderFrame() override;
    // Nothing.
    void setParameter(int nValue) override;
    // Nothing: every frame is drawn in full.
    void invalidate() override;
    // The base's, then a new cursor sprite (the image at (0, 0), z 0) in place of the old one;
    // without an image there is no cursor sprite.
    void setCursorImage(RIR::SmartPtr<Image> pImage) override;
    RIR::SmartPtr<Sprite> getCursorSprite() const override { return m_pCursorSprite; }
    // buildTileVertices when the image is an SDLImage; nothing otherwise.
    void prepareImage(Image* pImage) override;

    // ---- the 3-D base ------------------------------------------------------------------------

    // Opaque: 24 bits, red 0xFF, green 0xFF00, blue 0xFF0000; alpha: 32 bits, the same with alpha
    // 0xFF000000 (bytes R, G, B[, A] in memory).
    virtual void setPixelFormats();
    // Cuts the image's tiles out of its store's tiles (uploading those first when they are not
    // current); nothing when the image's tiles are current or it has no store.
    virtual void buildTileVertices(SDLImage* pImage);
    // Uploads the store as textures when its tiles are not current; true when it did. Purges the
    // store's pixels afterwards (only a loaded, unchanged store lets go of them).
    virtual bool uploadTextures(Surface* pSurface);
    // Whether the scene can begin; false skips the frame. True here.
    virtual bool beginScene();
    // Ends the scene and shows it. Nothing here.
    virtual void present();
    // Draws one sprite that is visible and shows an image.
    virtual void drawSprite(Sprite* pSprite) = 0;
    // New driver data for an image / a store, with tiles of this driver's registry.
    virtual Drv3DImageData* newImageData();
    virtual Drv3DSurfaceData* newSurfaceData();
    // Creates the texture of one tile from the rectangle (nX0, nY0)-(nX1, nY1) of the store and
    // fills the tile's corners k .. k + 3: positions in store pixels, texture coordinates
    // (0, 0) to (w / tw, h / th) with tw x th the texture's power-of-two size.
    virtual void uploadTile(Drv3DTileData& tiles, int nTile, Drv3DSurfaceData& surfaceData,
                            Surface& surface, int k, int nX0, int nY0, int nX1, int nY1,
                            bool bAlpha);
    // A new texture of nTexWidth x nTexHeight (powers of two, at least the area's size) holding
    // the store's pixels of the area at its top-left, zero elsewhere; with an alpha channel when
    // bAlpha. Raises when the device refuses.
    virtual DeviceTexture* createTexture(Surface& surface, const Rect& area, int nTexWidth,
                                         int nTexHeight, bool bAlpha) = 0;
    // Sends the cached states to the device when they are dirty.
    virtual void applyRenderStates() = 0;

    // Cache setters: each stores the value and marks the states dirty when it changed.
    void setBlendMode(int nBlendMode);
    void setStateBits(int nStateBits);
    void setStencilMasked(bool bMasked);
    int getBlendMode() const { return m_nBlendMode; }
    int getStateBits() const { return m_nStateBits; }
    bool isStencilMasked() const { return m_bStencilMasked; }
    bool areStatesDirty() const { return m_bStatesDirty; }
    void setStatesDirty(bool bDirty) { m_bStatesDirty = bDirty; }
    bool isStencilUsed() const { return m_bStencilUsed; }
    void setStencilUsed(bool bUsed) { m_bStencilUsed = bUsed; }

    // Empties every texture cell (the device goes, or all textures must be rebuilt).
    void releaseAllTextures();
    // Tiles built at or before this frame count are stale; -1 at first.
    int getTextureGeneration() const { return m_nTextureGeneration; }
    // Makes every texture stale from the current frame count on.
    void markTexturesStale();
    const RIR::SmartPtr<TextureRegistry>& getRegistry() const { return m_pRegistry; }
    // The host's frame count; 0 without a host.
    int getFrameCount();

private:
    // The store's data of this driver, made (replacing any other) when missing.
    Drv3DSurfaceData& surfaceDataOf(Surface* pSurface);
    Drv3DImageData& imageDataOf(SDLImage* pImage);
    bool isOwnTiles(const Drv3DTileData& tiles) const;
    // Cuts the image's tiles from the store's tiles.
    void cutImageTiles(SDLImage* pImage, Drv3DTileData& imageTiles, Drv3DTileData& storeTiles);
    void drawMode(IDrawnMode* pMode);
    void drawCursor();

    RIR::SmartPtr<Sprite> m_pCursorSprite;
    bool m_bStencilUsed;
    int32_t m_nBlendMode;
    bool m_bStencilMasked;
    int32_t m_nStateBits;
    bool m_bStatesDirty;
    int32_t m_nTextureGeneration;
    RIR::SmartPtr<TextureRegistry> m_pRegistry;
};

#endif
