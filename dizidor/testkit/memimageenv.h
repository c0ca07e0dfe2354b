// MemImageEnvironment: a headless ImageEnvironment over an in-memory resource provider.
//
// It stands where the application stands for images: resources come from its own
// RIR::MemoryResourceProvider (names compared lower-cased), pictures are shared through its own
// small image cache (names lower-cased, loaded through the factory on a miss and kept until
// clearImageCache), and the factory is the one given, usually a MemImageFactory.
//
// Usage:
//     MemImageFactory factory;
//     MemImageEnvironment env(&factory);           // installed until it goes
//     env.addPicture("door", 4, 4, 4, abRGBA);     // door.png
//     env.addText("door.spec", "vcanvas 10 10 3 3");
//     RIR::SmartPtr<Image> pDoor = env.getImage("door");
#ifndef DIZIDOR_TESTKIT_MEMIMAGEENV_H
#define DIZIDOR_TESTKIT_MEMIMAGEENV_H

#include "gfx/imageenv.h"
#include "rir2/hash.h"
#include "rir2/memprovider.h"

#include <cstdint>

class MemImageEnvironment : public ImageEnvironment
{
public:
    // Installs itself as the image environment (the factory is borrowed and must outlive it).
    explicit MemImageEnvironment(ImageFactory* pFactory);
    // Drops the cached images and installs the environment that was installed before.
    ~MemImageEnvironment() override;

    MemImageEnvironment(const MemImageEnvironment&) = delete;
    MemImageEnvironment& operator=(const MemImageEnvironment&) = delete;

    RIR::MemoryResourceProvider& getProvider() { return m_provider; }
    // Stores a copy of the bytes as a resource.
    void addResource(const char* pszName, const void* pData, int nSize);
    // Stores the text (without a terminator) as a resource.
    void addText(const char* pszName, const char* pszText);
    // Stores a PNG picture as pszName + ".png"; pData as for encodeTestPng.
    void addPicture(const char* pszName, int nWidth, int nHeight, int nChannels,
                    const uint8_t* pData);

    bool hasResource(const char* pszName) override;
    // ResourceException "GameApp::getResource() : Resource '%s' not found" when missing.
    RIR::SmartPtr<RIR::Resource> getResource(const char* pszName) override;
    RIR::String resolveResourceName(const char* pszName,
                                    const char* const* ppszExtensions) override;
    RIR::SmartPtr<Image> getImage(const char* pszName) override;
    ImageFactory* getImageFactory() override { return m_pFactory; }

    bool isImageCached(const char* pszName);
    // How many pictures the cache has loaded through the factory.
    int getImageLoads() const { return m_nImageLoads; }
    void clearImageCache();

private:
    RIR::MemoryResourceProvider m_provider;
    ImageFactory* m_pFactory;
    RIR::Hash<RIR::String, RIR::SmartPtr<Image>> m_hImages;
    ImageEnvironment* m_pPrevious;
    int32_t m_nImageLoads;
};

#endif
