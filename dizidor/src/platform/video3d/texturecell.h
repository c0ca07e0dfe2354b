// Texture cells: the device textures of a 3-D video driver and the registry that knows them all.
//
// A DeviceTexture is one texture of the 3-D device, made by the derived driver; deleting it
// releases it on the device. A TextureCell holds one device texture or none. Cells are
// reference counted: the tile data of a pixel store makes one cell per tile and the tile data of
// every image cut from that store shares them (Drv3DTileData), so a sheet of many images costs
// one upload. A cell, and its texture with it, goes when the last tile data lets go of it.
//
// The TextureRegistry lists the cells alive, so that the driver can release every texture at
// once (a new display mode, the device going away) while the cells stay with their holders,
// empty, until those rebuild or go. The driver holds the registry and closes it when it is
// destroyed: every texture is released then and no cell can be made any more; tile data that
// outlive the driver hold only empty cells. Cells and tile data keep the registry alive.
//
// Main thread only.
#ifndef DIZIDOR_PLATFORM_VIDEO3D_TEXTURECELL_H
#define DIZIDOR_PLATFORM_VIDEO3D_TEXTURECELL_H

#include "rir2/list.h"
#include "rir2/refcount.h"

#include <cstdint>

class DeviceTexture
{
public:
    virtual ~DeviceTexture();
};

class TextureRegistry;

class TextureCell : public RIR::RefCountedObject
{
public:
    // An empty cell listed in the registry (AssertFailException "Assertion failed : pRegistry &&
    // pRegistry->isOpen()" without an open one).
    explicit TextureCell(const RIR::SmartPtr<TextureRegistry>& pRegistry);
    // Releases the texture and leaves the registry.
    ~TextureCell() override;

    TextureCell(const TextureCell&) = delete;
    TextureCell& operator=(const TextureCell&) = delete;

    // The texture, null when the cell is empty.
    DeviceTexture* getTexture() const { return m_pTexture; }
    bool isEmpty() const { return m_pTexture == nullptr; }
    // Owns the texture from now on; the previous one is released.
    void setTexture(DeviceTexture* pTexture);
    // Releases the texture; the cell is empty.
    void releaseTexture();

private:
    friend class TextureRegistry;

    RIR::SmartPtr<TextureRegistry> m_pRegistry;
    RIR::List<TextureCell*>::Node* m_pNode; // this cell's entry in the registry
    DeviceTexture* m_pTexture;              // owned; may be null
};

class TextureRegistry : public RIR::RefCountedObject
{
public:
    // Open, no cells.
    TextureRegistry();
    ~TextureRegistry() override;

    TextureRegistry(const TextureRegistry&) = delete;
    TextureRegistry& operator=(const TextureRegistry&) = delete;

    // The cells alive.
    int getCellCount() const { return m_lCells.getLength(); }
    // The cells that hold a texture.
    int getTextureCount() const;
    // Empties every cell.
    void releaseAll();
    // releaseAll, and no cell can be made from now on.
    void close();
    bool isOpen() const { return m_bOpen; }

private:
    friend class TextureCell;

    RIR::List<TextureCell*> m_lCells; // not owned: each cell leaves the list when it goes
    bool m_bOpen;
};

#endif
