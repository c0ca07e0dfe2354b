// The picture factory of the fuzz applications: a MemImageFactory that decodes the built-in
// pictures (which no input can change) once, and hands out a fresh copy of the decoded picture on
// every load, so that an input that draws into its copy leaves nothing behind for the next one.
// Every other name loads as MemImageFactory loads it, on every call.
#ifndef FUZZ_FUZZIMAGECACHE_H
#define FUZZ_FUZZIMAGECACHE_H

#include "gfx/image.h"
#include "rir2/hash.h"
#include "rir2/hash_impl.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"
#include "testkit/memimage.h"
#include "testkit/memimagefactory.h"

#include <cstring>

class FuzzCachingImageFactory : public MemImageFactory
{
public:
    // The names of built-in pictures, decoded once each.
    static bool isBuiltIn(const char* pszName)
    {
        return pszName && std::strcmp(pszName, "DiziDor::SystemFont") == 0;
    }

    Image* loadWithFlags(const char* pszName, bool bConvert) override
    {
        if (!isBuiltIn(pszName))
            return MemImageFactory::loadWithFlags(pszName, bConvert);
        const RIR::String sKey = RIR::String(pszName) + (bConvert ? "|convert" : "|plain");
        if (!m_hDecoded.contains(sKey))
            m_hDecoded.set(sKey,
                           RIR::SmartPtr<Image>(MemImageFactory::loadWithFlags(pszName, bConvert)));
        MemImage* pDecoded = static_cast<MemImage*>(m_hDecoded.get(sKey).get());
        int nSurfaceX = 0;
        int nSurfaceY = 0;
        pDecoded->getSurfaceOffset(&nSurfaceX, &nSurfaceY);
        const RIR::SmartPtr<MemPixelStore> pStore = pDecoded->getStore();
        // Only a picture that owns its whole store is copied; any other loads anew.
        if (!pStore || nSurfaceX != 0 || nSurfaceY != 0 ||
            pStore->getWidth() != pDecoded->getPhysicalWidth() ||
            pStore->getHeight() != pDecoded->getPhysicalHeight())
            return MemImageFactory::loadWithFlags(pszName, bConvert);
        return new Copy(*pDecoded, getOpaqueFormat(), getAlphaFormat());
    }

private:
    // A MemImage holding its own copy of another one's pixels, attributes and name.
    class Copy : public MemImage
    {
    public:
        Copy(MemImage& original, const PixelFormat& opaqueFormat, const PixelFormat& alphaFormat)
            : MemImage(opaqueFormat, alphaFormat)
        {
            const MemPixelStore& from = *original.getStore();
            RIR::SmartPtr<MemPixelStore> pStore =
                new MemPixelStore(from.getWidth(), from.getHeight(), from.getFormat());
            const size_t nRowBytes = (size_t)from.getWidth() * from.getBytesPerPixel();
            for (int y = 0; y < from.getHeight(); ++y)
                std::memcpy(pStore->rowAddress(y), from.rowAddress(y), nRowBytes);
            pStore->setScale(from.getScale());
            setStore(pStore);
            copyAttributesFrom(&original);
            m_sName = original.getName();
        }
    };

    RIR::Hash<RIR::String, RIR::SmartPtr<Image>> m_hDecoded;
};

#endif
