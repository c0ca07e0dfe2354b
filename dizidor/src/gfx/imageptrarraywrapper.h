// ImagePtrArrayWrapper: the shared owner of one glyph table (256 image handles).
//
// A bitmap font and its clones share their glyphs through one wrapper; the table goes, and every
// glyph is released, with the wrapper's last reference.
#ifndef DIZIDOR_GFX_IMAGEPTRARRAYWRAPPER_H
#define DIZIDOR_GFX_IMAGEPTRARRAYWRAPPER_H

#include "gfx/image.h"
#include "rir2/refcount.h"

class ImagePtrArrayWrapper : public RIR::RefCountedObject
{
public:
    // Takes ownership of the table (allocated with new[]; null allowed).
    explicit ImagePtrArrayWrapper(RIR::SmartPtr<Image>* apImages);
    ~ImagePtrArrayWrapper() override;

    ImagePtrArrayWrapper(const ImagePtrArrayWrapper&) = delete;
    ImagePtrArrayWrapper& operator=(const ImagePtrArrayWrapper&) = delete;

    const RIR::SmartPtr<Image>* getImages() const { return m_apImages; }

private:
    RIR::SmartPtr<Image>* m_apImages;
};

#endif
