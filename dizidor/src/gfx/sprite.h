// Sprite: the drawable object of a screen mode.
//
// Everything the engine draws is a sprite: an image shown with its insertion point at a position,
// at a depth (z order) among the layers of one mode, with opacity, a tint, a scale, a rotation
// about the insertion point, an optional clip rectangle in screen coordinates, an optional filled
// polygon, a list of controllers that animate it, an optional tooltip, and input hooks that the
// controls override. Sprites are reference-counted and shared through RIR::SmartPtr: the mode
// holds them in its layer lists, the sprite holds a plain pointer back to its mode. The video
// driver reads the sprite's state when it draws a frame; the sprite itself never draws.
//
// Images. The source image (getImage) is what the sprite shows; the displayed image
// (getDisplayImage) is what the driver draws: the source image itself, or, under a clip
// rectangle, a sub-image of it that shares its pixels and covers only the part inside the clip
// (null when nothing is inside). Giving a sprite an image shows it, giving it null hides it.
//
// The mode. A mode that adopts a sprite fills the sprite's back references to its three layered
// lists (sprite layers, control layers, update layers) and calls setMode; it takes it out again
// through removeFromMode. The sprite never changes the back references; it calls its mode
// (SpriteOwner) when its z order changes, when it receives its first controller and for its
// tooltip.
//
// Coordinates (sprite_hittest.cpp): image-local coordinates are those of the displayed image's
// virtual canvas; screenToLocal and localToScreen map between them and the screen, getBounds and
// getPhysicalBounds give the screen rectangles of the canvas and of the stored pixels (all zero
// while the sprite is hidden or shows nothing), and hitTest decides by the hit-test mode whether a
// screen point lies on the sprite.
//
// Usage:
//     RIR::SmartPtr<Sprite> pSprite = new Sprite(pImage, 100, 50, 5);
//     pMode->addSprite(pSprite);
//     pSprite->setAlpha(0.5f);
//     pSprite->setClipRect(Rect(0, 0, 400, 300));
//     if (pSprite->hitTest(mousePoint)) ...
//
// Always create sprites with new and hold them through a SmartPtr: the sprite hands handles to
// itself to its mode and controllers. Main thread only.
#ifndef DIZIDOR_GFX_SPRITE_H
#define DIZIDOR_GFX_SPRITE_H

#include "gfx/color.h"
#include "gfx/image.h"
#include "gfx/ivisualobject.h"
#include "gfx/point.h"
#include "gfx/rect.h"
#include "gfx/spriteowner.h"
#include "rir2/hash.h"
#include "rir2/list.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

#include <cstdint>

class DrvSpriteData;
class IVideoDriver;
class Sprite;
class SpriteController;

// How the driver draws a sprite (a bit set).
enum SpriteRenderFlags
{
    // Draw the colour with alpha blending; without it the sprite leaves the frame unchanged.
    SRF_DRAW = 0x01,
    // Write the stencil mask wherever the drawn alpha is above 0.
    SRF_WRITE_STENCIL = 0x02,
    // Clear the stencil before drawing.
    SRF_CLEAR_STENCIL = 0x04
};

// How the drawn colour combines with the frame.
enum SpriteBlendMode
{
    // source x source alpha + destination x (1 - source alpha)
    SBM_NORMAL = 0,
    // source x source alpha + destination
    SBM_ADDITIVE = 1
};

// What Sprite::hitTest asks of a point.
enum SpriteHitTestMode
{
    // On a stored pixel of the displayed image that is not transparent.
    SHT_PIXELS = 0,
    // Inside the displayed image's stored pixels.
    SHT_STORED_PIXELS = 1,
    // Inside the displayed image's virtual canvas.
    SHT_BOUNDS = 2
};

// One layer of a layered list: the sprites of one z order.
typedef RIR::List<RIR::SmartPtr<Sprite>> SpriteLayer;
// A layered list of a mode: its layers by ascending z order; the mode owns the layers.
typedef RIR::List<SpriteLayer*> SpriteLayerList;

// Where a sprite stands in one layered list of its mode: the entry of its layer in the list and
// its own entry in that layer; both null while it is not in that list. Kept by the sprite so that
// the mode removes it without a search; written only by the mode.
struct SpriteLayerRef
{
    SpriteLayerRef() : m_pLayerNode(nullptr), m_pSpriteNode(nullptr) {}

    bool isSet() const { return m_pSpriteNode != nullptr; }
    void clear()
    {
        m_pLayerNode = nullptr;
        m_pSpriteNode = nullptr;
    }

    SpriteLayerList::Node* m_pLayerNode;
    SpriteLayer::Node* m_pSpriteNode;
};

class Sprite : public IVisualObject
{
public:
    // ---- construction ------------------------------------------------------------------------

    // No image, position (0, 0), z order 0; visible.
    Sprite();
    // Then setImage: a null image leaves the sprite hidden.
    Sprite(RIR::SmartPtr<Image> pImage, int nX, int nY, int nZOrder);
    Sprite(RIR::SmartPtr<Image> pImage, const Point& pos, int nZOrder);
    // Then setImage by name; raises what the image cache raises for a missing picture.
    Sprite(const char* pszImageName, int nX, int nY, int nZOrder);
    Sprite(const char* pszImageName, const Point& pos, int nZOrder);
    // No image; visible (the base of animated sprites and controls).
    Sprite(int nX, int nY, int nZOrder);
    Sprite(const Point& pos, int nZOrder);

    // Deletes the driver data and every controller, clears the back references and deletes the
    // clip rectangle, then releases the images.
    ~Sprite() override;

    Sprite(const Sprite&) = delete;
    Sprite& operator=(const Sprite&) = delete;

    // ---- IVisualObject -----------------------------------------------------------------------

    Point getSizePoint() override;
    // The source image's virtual size while the sprite is visible and has an image, else 0, 0.
    void getSize(int* pnWidth, int* pnHeight) override;
    // Do nothing: a sprite's size is its image's.
    void setSizePoint(const Point& size) override;
    void setSize(int nWidth, int nHeight) override;
    int getWidth() override;
    int getHeight() override;
    Point getPosPoint() override;
    void getPosFloat(float* pfX, float* pfY) override;
    void getPos(int* pnX, int* pnY) override;
    // setPosPoint (pos, false).
    void setPosPoint(const Point& pos) override;
    void setPosFloat(float fX, float fY) override;
    void setPos(int nX, int nY) override;
    int getZOrder() override { return m_nZOrder; }
    // Stores the z order; a changed value re-sorts the sprite in its mode (when it has one).
    void setZOrder(int nZOrder) override;
    bool isVisible() override { return m_bVisible; }
    // Stores the flag, updates the tooltip and rebuilds the displayed image.
    void setVisible(bool bVisible) override;
    // Clips the displayed image to the screen rectangle, until clearClipRect.
    void setClipRect(const Rect& clip) override;
    void clearClipRect() override;

    // ---- placement and look ------------------------------------------------------------------

    // The one real position setter. With bKeepImageInPlace and a source image, the point p of
    // the image that lies under the new position becomes its insertion point first, so that the
    // image stays where it is on the screen (up to whole pixels) while the anchor moves to p. The
    // image object is changed, and so are the other sprites sharing it. Then onPositionChanging
    // (p truncated), the new position, onPositionChanged.
    virtual void setPosPoint(const Point& pos, bool bKeepImageInPlace);
    virtual void setPosFloat(float fX, float fY, bool bKeepImageInPlace);
    virtual void setPos(int nX, int nY, bool bKeepImageInPlace);
    // Opacity, 0.0 .. 1.0, not clamped.
    virtual void setAlpha(float fAlpha);

    // By the hit-test mode: hitTestBounds, hitTestStoredPixels, or hitTestPixels with
    // threshold 0 (any other value).
    virtual bool hitTest(const Point& screen);
    virtual void setHitTestMode(int nMode);

    // The position truncated toward zero.
    virtual int getX();
    virtual int getY();

    // Screen rectangle of the displayed image's virtual canvas; all zero while the sprite is
    // hidden or shows nothing.
    virtual Rect getBounds();
    // Screen rectangle of the displayed image's stored pixels; all zero likewise.
    virtual Rect getPhysicalBounds();

    // ---- controllers -------------------------------------------------------------------------

    // Appends the controller (the sprite owns it from now on), enters the sprite into its mode's
    // update list when it is in a mode and not there yet, then calls the controller's onAttach.
    // A sprite that is in no mode keeps the controller; the mode enters it into the
    // update list when it adopts it.
    virtual void addController(SpriteController* pController);
    // Unlinks and deletes the controller when it is in the list, without finishing it.
    virtual void removeController(SpriteController* pController);
    // Updates every controller by dt in the order they were added and deletes each as soon as
    // it reports done; controllers added during the pass run in the same pass. May delete the
    // sprite when the last handle to it goes during the pass.
    virtual void updateControllers(float fDt);
    // The same with SpriteController::finish.
    virtual void finishControllers();
    virtual int getControllerCount();
    // Raises FatalErrorException "List index out of range : %d (have %d)" for a bad index.
    virtual SpriteController* getController(int nIndex);
    virtual void removeAllControllers();

    // ---- input hooks (controls override them; true means handled) ----------------------------

    virtual void onMouseEnter();
    virtual void onMouseLeave();
    virtual void onMouseMove(int nX, int nY);
    // Button masks: 1 left, 2 middle, 4 right, 8 wheel up, 16 wheel down.
    virtual bool onMouseDown(int nButtonMask);
    virtual bool onMouseUp(int nButtonMask);
    virtual void onFocusGained();
    virtual void onFocusLost();
    virtual bool onKeyDown(int nKey, int nModifiers);
    virtual bool onKeyUp(int nKey, int nModifiers);
    virtual bool onChar(int nCharacter);

    // ---- hooks of placement and ownership ----------------------------------------------------

    // Before a move, with the new position truncated toward zero. Does nothing here.
    virtual void onPositionChanging(int nNewX, int nNewY);
    // After a move: rebuilds the displayed image when clipped, then updateTooltip.
    virtual void onPositionChanged();
    // A mode has adopted the sprite (setMode). Does nothing here.
    virtual void onAddedToMode();
    // Removes the tooltip record from the mode (when there is one), then forgets the mode.
    virtual void removeFromMode();
    // With a tooltip record: its enabled state follows the visibility and its area the physical
    // bounds.
    virtual void updateTooltip();

    // ---- image -------------------------------------------------------------------------------

    // Replaces the source image (null allowed), shows the sprite when the image is not null and
    // hides it when it is, and rebuilds the displayed image.
    void setImage(RIR::SmartPtr<Image> pImage);
    // The picture of that name from the image cache, then as above. Raises what the cache raises
    // for a missing picture; a null name raises AssertFailException.
    void setImage(const char* pszName);
    RIR::SmartPtr<Image> getImage() const { return m_pImage; }
    RIR::SmartPtr<Image> getSourceImage() const { return m_pImage; }
    // What the driver draws; null means nothing.
    RIR::SmartPtr<Image> getDisplayImage() const { return m_pDisplayImage; }
    // Whether the displayed image differs from the source image.
    bool isClipped() const { return m_pDisplayImage != m_pImage; }
    // A copy of the clip rectangle; all zero when none is set.
    Rect getClipRect() const;
    bool hasClipRect() const { return m_pClipRect != nullptr; }

    // ---- mode --------------------------------------------------------------------------------

    SpriteOwner* getMode() const { return m_pMode; }
    // Stores the owning mode, then onAddedToMode. Called by the mode that adopts the sprite.
    void setMode(SpriteOwner* pMode);
    // Forgets the owning mode and the tooltip handle without calling anything: for a mode that
    // drops its whole contents at once and is about to go.
    void dropMode();
    // The back references, read and written by the mode only.
    SpriteLayerRef& getSpriteLayerRef() { return m_spriteLayerRef; }
    SpriteLayerRef& getControlLayerRef() { return m_controlLayerRef; }
    SpriteLayerRef& getUpdateLayerRef() { return m_updateLayerRef; }

    // ---- look --------------------------------------------------------------------------------

    // Degrees, not normalised; positive turns clockwise. Setting it does not rebuild a clipped
    // image.
    float getRotation() const { return m_fRotation; }
    void setRotation(float fDegrees);
    float getAlpha() const { return m_fAlpha; }
    float getScaleX() const { return m_fScaleX; }
    float getScaleY() const { return m_fScaleY; }
    // Either pointer may be null.
    void getScale(float* pfX, float* pfY) const;
    Point getScalePoint() const { return Point(m_fScaleX, m_fScaleY); }
    // Whether either scale differs from 1.
    bool isScaled() const { return m_fScaleX != 1.0f || m_fScaleY != 1.0f; }
    // Store the scale (setScale both); rebuild the displayed image when clipped.
    void setScaleXY(float fX, float fY);
    void setScale(float fScale);
    // The tint, multiplied into the image when drawn; the fill colour of a polygon.
    Color getColor() const { return m_color; }
    void setColor(const Color& color);
    int getBlendMode() const { return m_nBlendMode; }
    void setBlendMode(int nBlendMode);
    int getRenderFlags() const { return m_nRenderFlags; }
    void setRenderFlags(int nFlags);
    bool isStencilMasked() const { return m_bStencilMasked; }
    void setStencilMasked(bool bMasked);
    int getHitTestMode() const { return m_nHitTestMode; }

    // When not empty, the sprite is drawn as a filled triangle fan of these points in the tint
    // colour instead of its image.
    RIR::List<Point>& getPolygon() { return m_lPolygon; }
    // Replaces the polygon with a copy and stamps it with the application's frame counter (0
    // while there is no application), so that the driver rebuilds what it derived from the old
    // one.
    void setPolygon(const RIR::List<Point>& lPoints);
    int getPolygonStamp() const { return m_nPolygonStamp; }

    // ---- properties --------------------------------------------------------------------------

    // Named untyped values; getProperty of a missing key raises FatalErrorException
    // "Hash key not found : " with the key.
    void setProperty(const char* pszKey, void* pValue);
    bool hasProperty(const char* pszKey) const;
    void* getProperty(const char* pszKey) const;

    // ---- tooltip -----------------------------------------------------------------------------

    // Sets the text of the sprite's tooltip, creating the record over the physical bounds when
    // there is none. Raises BadStateException when the sprite is in no mode.
    void setTooltip(const char* pszText);
    // Removes the tooltip record (when there is one).
    void removeTooltip();
    TooltipHandle getTooltipHandle() const { return m_hTooltip; }

    // ---- transforms and hit tests (sprite_hittest.cpp) ---------------------------------------

    // The screen point in the displayed image's canvas: moved by minus the position, turned by
    // minus the rotation (unless it is exactly 0), divided by the scale, times the image's own
    // scale factor, plus the insertion point.
    Point screenToLocal(const Point& screen) const;
    // The inverse of screenToLocal.
    Point localToScreen(const Point& local) const;
    // The screen rectangle covered by a rectangle given in displayed-image pixels relative to the
    // insertion point: scaled, turned by the normalised rotation (bounding box), moved by the
    // position, truncated toward zero and normalised. All zero for a rotation that is not finite.
    Rect getTransformedBounds(const Rect& local) const;
    // Inside the displayed image's virtual canvas: left and top edges hit, right and bottom do
    // not. False while the sprite is hidden or shows nothing; likewise below.
    bool hitTestBounds(const Point& screen);
    // Inside the displayed image's stored pixels.
    bool hitTestStoredPixels(const Point& screen);
    // On a stored pixel that is not transparent with the alpha threshold (Image::isTransparentAt).
    bool hitTestPixels(const Point& screen, int nAlphaThreshold);
    // hitTestBounds at that point, whatever the hit-test mode.
    bool containsPoint(int nX, int nY);
    // Whether the stored-pixel (virtual) rectangles of the two sprites, scaled and turned, overlap
    // on the screen; false when either shows nothing.
    bool collidesWith(RIR::SmartPtr<Sprite> pOther);
    bool collidesWithBounds(RIR::SmartPtr<Sprite> pOther);

    // ---- misc --------------------------------------------------------------------------------

    // Does nothing; called by the mode before it removes the sprite.
    void noOp();

    DrvSpriteData* getDriverData() const { return m_pDriverData; }
    // Takes ownership; a different old object is deleted.
    void setDriverData(DrvSpriteData* pData);

    // The video driver, stored once at start-up.
    static void setVideoDriver(IVideoDriver* pDriver);
    static IVideoDriver* getVideoDriver();

private:
    // Removes and deletes a controller whose pass reported it done (updateControllers,
    // finishControllers), keeping *pIndex on the controller that follows it.
    void dropFinishedController(SpriteController* pController, int* pIndex);
    // The defaults every constructor sets first.
    void initDefaults(float fX, float fY, int nZOrder);
    // The displayed image from the source image and the clip rectangle (sprite_clip.cpp).
    void rebuildDisplayImage();
    // screenToLocal against a given image (null: no image).
    Point screenToLocalIn(const Point& screen, Image* pImage) const;
    // collidesWith on either rectangle kind.
    bool collidesWithRects(Sprite* pOther, bool bPhysical);
    // A handle to this sprite, to pass to the mode and the controllers.
    RIR::SmartPtr<Sprite> self() { return RIR::SmartPtr<Sprite>(this); }

    SpriteLayerRef m_spriteLayerRef;
    SpriteLayerRef m_controlLayerRef;
    SpriteLayerRef m_updateLayerRef;
    SpriteOwner* m_pMode;
    RIR::Hash<RIR::String, void*> m_hProperties;
    RIR::SmartPtr<Image> m_pImage;
    int32_t m_nZOrder;
    bool m_bVisible;
    float m_fX;
    float m_fY;
    float m_fAlpha;
    float m_fRotation;
    Color m_color;
    float m_fScaleX;
    float m_fScaleY;
    int32_t m_nRenderFlags;
    int32_t m_nBlendMode;
    bool m_bStencilMasked;
    RIR::List<SpriteController*> m_lControllers;
    RIR::List<Point> m_lPolygon;
    int32_t m_nPolygonStamp;
    Rect* m_pClipRect;
    RIR::SmartPtr<Image> m_pDisplayImage;
    TooltipHandle m_hTooltip;
    int32_t m_nHitTestMode;
    DrvSpriteData* m_pDriverData;

    static IVideoDriver* s_pVideoDriver;
};

#endif
