// MemImage: an Image back-end that keeps its pixels in plain memory, for headless tests.
//
// It behaves as the SDL image back-end does, without SDL or a video driver: a reference-counted
// MemPixelStore holds the pixels in a PixelFormat (8, 16, 24 or 32 bits, channels by mask), images
// are views into a store by their surface offset and stored size, sub-images share the store,
// the colour key and image-wide alpha belong to the store. The display formats that the SDL
// back-end asks the video driver for are given to each image by its factory (MemImageFactory).
//
// Pictures load from PNG resources through the installed ImageEnvironment with the extension list
// "", ".jpg", ".png", ".tga", an optional ".alpha" mask picture (".jpg", ".png") and an optional
// ".colorkey" marker (the bottom-left pixel becomes the key).
//
// It is stricter than a real back-end so that tests catch misuse: reading or writing a pixel
// without a lock raises BadStateException, a pixel outside the stored area BadParmException. It
// also counts its notifications (getGeometryChanges, MemPixelStore::getChangeCount) and locks.
#ifndef DIZIDOR_TESTKIT_MEMIMAGE_H
#define DIZIDOR_TESTKIT_MEMIMAGE_H

#include "app/pixelformat.h"
#include "gfx/image.h"
#include "rir2/refcount.h"

#include <cstdint>

// The pixels of one picture, shared by the images that show it.
class MemPixelStore : public RIR::RefCountedObject
{
public:
    // A zero-filled store of nWidth x nHeight pixels (either may be 0). Raises BadParmException
    // for a negative or too large size or a format of other than 8, 16, 24 or 32 bits.
    MemPixelStore(int nWidth, int nHeight, const PixelFormat& format);
    // A store over the caller's memory (nPitch bytes from row to row), which must outlive it.
    MemPixelStore(void* pPixels, int nWidth, int nHeight, int nPitch, const PixelFormat& format);
    ~MemPixelStore() override;

    MemPixelStore(const MemPixelStore&) = delete;
    MemPixelStore& operator=(const MemPixelStore&) = delete;

    int getWidth() const { return m_nWidth; }
    int getHeight() const { return m_nHeight; }
    const PixelFormat& getFormat() const { return m_format; }
    bool hasAlphaChannel() const { return m_format.m_nAlphaMask != 0; }

    // Pixel (x, y) of the store; alpha 255 in a format without alpha. Raises BadParmException
    // outside the store.
    Color getPixel(int x, int y) const;
    void setPixel(int x, int y, const Color& color);
    // The pixel's bits as stored.
    uint32_t getRaw(int x, int y) const;
    void setRaw(int x, int y, uint32_t nValue);
    // The colour in this store's format and back.
    uint32_t mapColor(const Color& color) const;
    Color unmapColor(uint32_t nValue) const;
    // The first byte of row y (BadParmException outside the store), and the bytes of one pixel.
    uint8_t* rowAddress(int y) const;
    int getBytesPerPixel() const { return m_nBytesPerPixel; }
    // The bytes from one row to the next.
    int getPitch() const { return m_nPitch; }
    // Whether the stored bits of a pixel copied verbatim into a store of the same format give
    // what reading the colour and writing it back gives: every bit belongs to a channel of 8 bits.
    bool isVerbatimCopyExact() const { return m_bVerbatimExact; }

    bool hasColorKey() const { return m_bColorKey; }
    // The key as this format stores it; read back with alpha 255.
    void setColorKey(const Color& key);
    Color getColorKey() const;
    void clearColorKey() { m_bColorKey = false; }
    // 255 in a format with alpha, else the image-wide alpha.
    int getAlpha() const;
    void setAlpha(int nAlpha) { m_nAlpha = nAlpha; }
    float getScale() const { return m_fScale; }
    void setScale(float fScale) { m_fScale = fScale; }

    // The pixels changed; counted.
    void markChanged() { ++m_nChangeCount; }
    int getChangeCount() const { return m_nChangeCount; }

private:
    uint8_t* address(int x, int y) const;
    void checkFormat();

    uint8_t* m_pPixels;
    bool m_bOwnsPixels;
    int32_t m_nWidth;
    int32_t m_nHeight;
    int32_t m_nPitch;
    int32_t m_nBytesPerPixel;
    PixelFormat m_format;
    // Each channel's place in a pixel (red, green, blue, alpha), worked out once from the format:
    // pictures convert pixel by pixel, and a mask's shift and width are the same for all.
    struct ChannelBits
    {
        uint32_t nMask = 0;
        int nShift = 0;
        int nBits = 0;
        uint32_t nMax = 0;
    };
    ChannelBits m_aChannels[4];
    bool m_bVerbatimExact;
    bool m_bColorKey;
    uint32_t m_nColorKey;
    int32_t m_nAlpha;
    float m_fScale;
    int32_t m_nChangeCount;
};

class MemImage : public Image
{
public:
    // An image without pixels; the two formats are the display formats its conversions use.
    MemImage(const PixelFormat& opaqueFormat, const PixelFormat& alphaFormat);
    ~MemImage() override;

    // The store (may be null). Taking a store puts the stored pixels at surface and canvas offset
    // (0, 0) with the store's size as stored and virtual size; the insertion point stays.
    RIR::SmartPtr<MemPixelStore> getStore() const { return m_pStore; }
    void setStore(const RIR::SmartPtr<MemPixelStore>& pStore);

    // onChanged calls so far.
    int getGeometryChanges() const { return m_nGeometryChanges; }
    // Locks not yet unlocked.
    int getLockDepth() const { return m_nLockDepth; }
    const PixelFormat& getOpaqueFormat() const { return m_opaqueFormat; }
    const PixelFormat& getAlphaFormat() const { return m_alphaFormat; }

    void setScale(float fScale) override;
    float getScale() const override;
    void blendRect(Image* pSrc, const Rect& srcRect, int x, int y) override;
    void copyRect(Image* pSrc, const Rect& srcRect, int x, int y) override;
    void fill(const Color& color) override;
    PixelFormat getPixelFormat() const override;
    RIR::SmartPtr<Image> convertToFormat(const PixelFormat& format) override;
    bool hasAlpha() const override;
    bool hasColorKey() const override;
    void setColorKey(const Color& key) override;
    Color getColorKey() const override;
    void toDisplayFormatAlpha() override;
    void toDisplayFormat() override;
    void setAlpha(int nAlpha) override;
    int getAlpha() const override;
    void onChanged() override;
    void notifyChanged() override;
    Color getPixel(int x, int y) const override;
    void setPixel(int x, int y, const Color& color) override;
    void lock() override;
    void unlock() override;
    void composeRect(Image* pSrc, int sx, int sy, int w, int h, int x, int y) override;
    void sharePixels(Image* pOther) override;
    void setStoredArea(int x, int y, int w, int h) override;
    void loadFromFile(const char* pszName, bool bConvert, bool bAlphaMask) override;
    void makePixelsOwn() override;
    void applyHorizontalFlip() override;
    void applyVerticalFlip() override;

private:
    // Replaces the store by a converted copy of it (whole store, offsets kept).
    void convertStore(const PixelFormat& format);
    void checkPixel(int x, int y, const char* pszWhat) const;
    // checkPixel for the corners of a rectangle that is not empty, and the store holds them.
    void checkRect(int x, int y, int w, int h, const char* pszWhat) const;
    // The first byte of stored pixel (x, y) in the store (BadParmException outside its rows);
    // the rows below follow the store's pitch apart.
    uint8_t* pixelAddress(int x, int y) const;

    RIR::SmartPtr<MemPixelStore> m_pStore;
    PixelFormat m_opaqueFormat;
    PixelFormat m_alphaFormat;
    int32_t m_nLockDepth;
    int32_t m_nGeometryChanges;
};

#endif
