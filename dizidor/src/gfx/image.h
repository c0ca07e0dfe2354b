// Image: the abstract, reference-counted picture of the engine.
//
// Everything drawn (sprite pictures, glyphs, animation frames, theme decorations) is an Image,
// shared through RIR::SmartPtr<Image> and destroyed with its last handle.
//
// Geometry. An image is a virtual canvas of getWidth() x getHeight() pixels; that size is what
// every user sees. Only a rectangle of it has pixel data: the stored pixels, getPhysicalWidth() x
// getPhysicalHeight() of them, whose first pixel lies at the canvas offset. The rest of the canvas
// is fully transparent. The stored area may be empty (0 x 0). Four coordinate systems, all integer
// with y growing downward:
// - canvas: (0, 0) is the top-left corner of the virtual canvas;
// - stored: (0, 0) is the first stored pixel, canvas point (canvas offset);
// - store: stored pixel (x, y) is pixel (x + surface offset) of the pixel store the image uses;
//   images that are views into a larger store (sub-images) have a non-zero surface offset;
// - relative: canvas point (x, y) relative to the insertion point (the hot spot a sprite puts at
//   its position) is (x - insX, y - insY).
//
// Views and copy-on-write. A sub-image or clone shares the pixel store of its parent (and keeps it
// alive after the parent is gone). Every operation that changes or re-lays its pixels first makes
// a private copy (makePixelsOwnIfShared), so the parent is never changed through a view.
//
// Lazy mirroring. flipHorizontal / flipVertical mirror the geometry at once and leave the pixels
// as they are, with a pending-flip flag; the video driver mirrors by the flags when drawing, and
// applyPendingChanges pays the mirror on the pixels once, before a blit reads or writes them.
//
// Back-ends. Pixel storage is the back-end's: the pure virtual operations (pixel access, blits,
// formats, colour key, store handling) are implemented by the concrete image class. Everything
// else here (geometry, loading with side files, sub-images, clones, the pixel operations of
// imagepixels.cpp and the blit clipping of imageblit.cpp) works only through those operations, so
// it runs unchanged on every back-end.
//
// Loading (Image::load): a picture "name" is the sub-image named by the resource
// "name.subimage" ("parent x y w h" on one line) when that exists, else the back-end's picture;
// then a resource "name.spec" ("vcanvas W H X Y" lines) sets the virtual canvas. Resources,
// the image cache and the image factory are reached through the current ImageEnvironment.
//
// Main thread only.
#ifndef DIZIDOR_GFX_IMAGE_H
#define DIZIDOR_GFX_IMAGE_H

#include "app/pixelformat.h"
#include "gfx/color.h"
#include "gfx/point.h"
#include "gfx/rect.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

#include <cstdint>

class Image : public RIR::RefCountedObject
{
public:
    // Every number 0, every flag false, empty name.
    Image();
    ~Image() override;

    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    // ---- back-end operations ------------------------------------------------------------------

    virtual void setScale(float fScale) = 0;
    virtual float getScale() const = 0;
    // Draws srcRect (source canvas coordinates) of pSrc with the source's alpha blending and
    // colour key so that the source's insertion point lands at (x, y) of this canvas; clipped by
    // clipBlitRects. The destination's alpha channel is kept.
    virtual void blendRect(Image* pSrc, const Rect& srcRect, int x, int y) = 0;
    // blendRect with the source's whole virtual canvas.
    virtual void blendImage(Image* pSrc, int x, int y);
    // As blendRect, but the pixels are copied verbatim, alpha included.
    virtual void copyRect(Image* pSrc, const Rect& srcRect, int x, int y) = 0;
    // copyRect with the source's whole virtual canvas.
    virtual void copyImage(Image* pSrc, int x, int y);
    // Sets every stored pixel to the colour.
    virtual void fill(const Color& color) = 0;
    virtual PixelFormat getPixelFormat() const = 0;
    // A new image with this one's pixels in the given format.
    virtual RIR::SmartPtr<Image> convertToFormat(const PixelFormat& format) = 0;
    // Whether the pixels carry an alpha channel.
    virtual bool hasAlpha() const = 0;
    virtual bool hasColorKey() const = 0;
    virtual void setColorKey(const Color& key) = 0;
    // The key with alpha 255.
    virtual Color getColorKey() const = 0;
    // Convert the pixels to the display's format with, or without, an alpha channel.
    virtual void toDisplayFormatAlpha() = 0;
    virtual void toDisplayFormat() = 0;
    // Image-wide alpha, 0 .. 255.
    virtual void setAlpha(int nAlpha) = 0;
    virtual int getAlpha() const = 0;
    // The geometry changed. Does nothing here.
    virtual void onChanged();
    // The pixels changed. Does nothing here.
    virtual void notifyChanged();
    // Stored-pixel coordinates; valid only between lock and unlock. Opaque pixels read with alpha
    // 255.
    virtual Color getPixel(int x, int y) const = 0;
    virtual void setPixel(int x, int y, const Color& color) = 0;
    virtual void lock() = 0;
    virtual void unlock() = 0;
    // Per-pixel alpha composition of the source rectangle (sx, sy, w, h) so that the source's
    // insertion point lands at (x, y): the destination's alpha grows by the source's.
    virtual void composeRect(Image* pSrc, int sx, int sy, int w, int h, int x, int y) = 0;
    // Uses the other image's pixel store.
    virtual void sharePixels(Image* pOther) = 0;
    // Reallocates the stored pixels to the rectangle (x, y, w, h) of the virtual canvas, keeping
    // the old pixels where they overlap; the new parts are zero.
    virtual void setStoredArea(int x, int y, int w, int h) = 0;
    // Loads the pixels of the picture resource. Raises when the picture is missing or undecodable.
    virtual void loadFromFile(const char* pszName, bool bConvert, bool bAlphaMask) = 0;
    // Shrinks the stored area to the pixels that are not transparent. Works through
    // isRowTransparent / isColumnTransparent and setStoredArea, so back-ends need not override it.
    virtual void autoTrim();
    // A private copy of the stored pixels.
    virtual void makePixelsOwn() = 0;
    // Mirror the stored pixels left-right / top-bottom.
    virtual void applyHorizontalFlip() = 0;
    virtual void applyVerticalFlip() = 0;

    // ---- geometry ------------------------------------------------------------------------------

    int getWidth() const { return m_nWidth; }
    int getHeight() const { return m_nHeight; }
    void getSize(int* pnWidth, int* pnHeight) const;
    Point getSize() const;
    // The height when bVertical, else the width.
    int getSizeAlong(bool bVertical) const { return bVertical ? m_nHeight : m_nWidth; }

    int getPhysicalWidth() const { return m_nPhysWidth; }
    int getPhysicalHeight() const { return m_nPhysHeight; }
    void getPhysicalSize(int* pnWidth, int* pnHeight) const;
    Point getPhysicalSize() const;

    // Where the stored pixels start in the virtual canvas.
    void getCanvasOffset(int* pnX, int* pnY) const;
    Point getCanvasOffset() const;
    // Sets the canvas offset and the virtual size, nothing else.
    void setVirtualCanvas(int x, int y, int w, int h);

    // Where the stored pixels start in the pixel store.
    void getSurfaceOffset(int* pnX, int* pnY) const;
    // The pending-flip flags; either pointer may be null.
    void getFlipFlags(bool* pbHorizontal, bool* pbVertical) const;
    // Whether the pixel store is shared with another image and must be copied before a change.
    bool isSharingPixels() const { return m_bSharedPixels; }

    void getInsPoint(int* pnX, int* pnY) const;
    Point getInsPoint() const;
    int getInsPointX() const { return m_nInsX; }
    int getInsPointY() const { return m_nInsY; }
    void setInsPoint(int x, int y);
    // Coordinates truncated toward zero (beyond the int range they saturate, nan gives 0).
    void setInsPoint(const Point& pt);
    // Insertion point from alignment bits: 1 left, 2 right, 4 horizontal centre, 8 top,
    // 0x10 bottom, 0x20 vertical centre; right wins over centre and bottom over centre. The
    // reference is the whole canvas for flags below 0x40, the stored area from 0x40 up. Right and
    // bottom give the last column and row (right - 1, bottom - 1).
    void setInsPointByAlign(int nFlags);

    // The canvas relative to the insertion point.
    Rect getVirtualRect() const;
    // The stored pixels relative to the insertion point.
    Rect getPhysicalRect() const;

    // Mirrors the geometry at once (insertion point to width - x, canvas offset within the
    // canvas) and toggles the pending flip; no pixel is touched. Twice restores everything.
    void flipHorizontal();
    void flipVertical();

    // A private pixel store when the current one is shared.
    void makePixelsOwnIfShared();
    // Mirrors the pixels by the pending flips and clears them.
    void applyPendingFlips();
    // makePixelsOwnIfShared, then applyPendingFlips.
    void applyPendingChanges();

    // Image-wide alpha and, when the source has one, its colour key.
    void copyAlphaAndKeyFrom(Image* pSrc);
    // copyAlphaAndKeyFrom, then insertion point, canvas offset and virtual size (not the stored
    // size or the surface offset).
    void copyAttributesFrom(Image* pSrc);

    RIR::String getName() const { return m_sName; }

    // ---- creation and loading ------------------------------------------------------------------

    // Loads the named picture with its ".subimage" and ".spec" side files (see the file comment).
    // Raises what the side-file readers, the image cache or the back-end raise; a ".subimage"
    // chain that leads back to a picture still being loaded raises FatalErrorException.
    void load(const char* pszName, bool bConvert, bool bAlphaMask);

    // A new image (from the environment's factory) showing the rectangle (x, y, w, h) of this
    // image's canvas: its canvas is exactly w x h, its stored pixels are the part of this image's
    // stored pixels inside the rectangle, shared until changed (or copied at once with
    // bOwnPixels).
    RIR::SmartPtr<Image> createSubImage(int x, int y, int w, int h, bool bOwnPixels);
    // Left, top, width and height of the rectangle.
    RIR::SmartPtr<Image> createSubImage(const Rect& rect, bool bOwnPixels);
    // A sub-image of the whole canvas with this image's insertion point and name.
    RIR::SmartPtr<Image> clone(bool bOwnPixels);

    // Makes this (empty, new) image a view of the rectangle (x, y, w, h) of the parent's canvas.
    void initSubImage(Image* pParent, int x, int y, int w, int h);

    // The program-wide auto-trim flag: when on, a picture loaded with bConvert and without a
    // ".spec" file is trimmed to its visible pixels. Off at start.
    static void setAutoTrim(bool bAutoTrim);
    static bool getAutoTrim();

    // ---- pixel operations (imagepixels.cpp) ----------------------------------------------------

    // Stored coordinates, image locked. With an alpha channel: alpha <= threshold; else with a
    // colour key: the pixel equals the key; else never transparent.
    bool isPixelTransparent(int x, int y, int nAlphaThreshold) const;
    // Every stored pixel of the row (column) transparent by isPixelTransparent; locks the image
    // itself. A row or column outside the stored pixels holds no pixel and counts as transparent.
    bool isRowTransparent(int y, int nAlphaThreshold);
    bool isColumnTransparent(int x, int nAlphaThreshold);
    // Image locked. The span [from, to) of a row (column), limited to the stored pixels: with a
    // colour key every pixel equals the key, else every alpha is 0.
    bool isRowSpanTransparent(int y, int nFromX, int nToX) const;
    bool isColumnSpanTransparent(int x, int nFromY, int nToY) const;

    // Canvas coordinates. Outside the stored pixels: (0, 0, 0, 255).
    Color getPixelAt(int x, int y);
    // Canvas coordinates. Does nothing outside the stored pixels; sends no change notification.
    void setPixelAt(int x, int y, const Color& color);
    // Canvas coordinates. Outside the stored pixels: true; inside an image with neither alpha nor
    // key: false; else isPixelTransparent.
    bool isTransparentAt(int x, int y, int nAlphaThreshold);
    bool isTransparentAt(const Point& pt, int nAlphaThreshold);

    // Each stored pixel becomes (c[nR], c[nG], c[nB], alpha) with c = (red, green, blue). Indices
    // must be 0 .. 2, else BadParmException and nothing changes.
    void remapChannels(int nR, int nG, int nB);
    // Each colour channel times the tint's >> 8; alpha unchanged.
    void multiplyColor(const Color& tint);
    // Each non-zero alpha becomes alpha x factor >> 8, held within 0 .. 255; a factor of 255
    // changes nothing.
    void multiplyAlpha(int nFactor);
    // Replaces (mode 0) or multiplies (mode 1, >> 8) this image's alpha by the mask's value: the
    // mask's alpha, or its red when it has no alpha channel. Works on the canvas points where both
    // images have stored pixels (the two canvases aligned at their origins), after giving this
    // image private, unmirrored pixels and mirroring the mask's pending flips; converts this image
    // to an alpha format first when it has none. Other modes change no pixel.
    void applyAlphaMask(Image* pMask, int nMode);
    // A new image of the stored size whose pixels are (a, a, a, 255), a this image's alpha.
    RIR::SmartPtr<Image> createAlphaImage();

    // ---- blit front-end (imageblit.cpp) --------------------------------------------------------

    // composeRect when both images have an alpha channel, else blendRect.
    void blitRect(Image* pSrc, const Rect& srcRect, int x, int y);
    // blitRect with the source's whole virtual canvas.
    void blit(Image* pSrc, int x, int y);
    // The clipping shared by the back-ends' blits. On entry (sx, sy, w, h) is a rectangle of the
    // source's canvas and (dx, dy) where its top-left corner lands in this canvas. Applies the
    // pending changes of this image and the source, clips the rectangle to the source's stored
    // pixels and to this canvas, grows this image's stored area to hold the destination, and
    // leaves (sx, sy) in source stored coordinates and (dx, dy) in this image's stored
    // coordinates. False (nothing to draw, nothing changed but the pending changes) when the
    // rectangle misses either.
    bool clipBlitRects(Image* pSrc, int* pnSX, int* pnSY, int* pnW, int* pnH, int* pnDX, int* pnDY);
    // clipBlitRects for pSrc drawn with its insertion point at (x, y) of this canvas; the source
    // rectangle comes as (sx, sy, w, h) or as srcRect. Every back-end's blits start with it.
    bool clipBlitAt(Image* pSrc, int x, int y, int* pnSX, int* pnSY, int* pnW, int* pnH, int* pnDX,
                    int* pnDY);
    bool clipBlitAt(Image* pSrc, const Rect& srcRect, int x, int y, int* pnSX, int* pnSY, int* pnW,
                    int* pnH, int* pnDX, int* pnDY);

protected:
    void loadSubImage(const char* pszResourceName);
    void loadSpec(const char* pszResourceName);

    int32_t m_nPhysWidth;
    int32_t m_nPhysHeight;
    int32_t m_nInsX;
    int32_t m_nInsY;
    int32_t m_nSurfaceX;
    int32_t m_nSurfaceY;
    int32_t m_nCanvasX;
    int32_t m_nCanvasY;
    int32_t m_nWidth;
    int32_t m_nHeight;
    bool m_bSharedPixels;
    bool m_bHFlipPending;
    bool m_bVFlipPending;
    RIR::String m_sName;

private:
    static bool s_bAutoTrim;
};

#endif
