// GameApp's picture, sample and music caches (app/rescache.h) and the name handling in front of
// them.
//
// Picture names are lower-cased before they reach the image cache; getImage, loadImage and
// canLoadImage also replace a name once by "image-alias.txt", while addImage, removeImage and
// isImageCached take the lower-cased name as it is. Sample and music names pass unchanged, so
// two spellings of one sound are two cache entries. Entries go only when asked (remove, purge)
// and only when nobody else holds them; kept entries never go.
#include "app/gameapp.h"

#include "app/iplatform.h"
#include "app/log.h"
#include "gfx/animation.h"
#include "gfx/imagefactory.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"

#include <cstdint>
#include <set>

namespace
{

// The platform's image factory; BadStateException naming the caller when there is none.
ImageFactory* requireImageFactory(const GameApp* pApp, const char* pszWhere)
{
    RIR_TRACE("requireImageFactory");
    IPlatform* pPlatform = pApp->getPlatform();
    ImageFactory* pFactory = pPlatform ? pPlatform->getImageFactory() : nullptr;
    if (!pFactory)
    {
        const RIR::String sMessage = RIR::String::format("%s : no image factory", pszWhere);
        RIR_THROW(BadStateException, sMessage.c_str());
    }
    return pFactory;
}

// The bytes of an image's stored pixels, as the statistics count them.
int64_t imageBytes(Image* pImage, int* pnWidth, int* pnHeight, int* pnBitsPerPixel)
{
    RIR_TRACE("imageBytes");
    pImage->getPhysicalSize(pnWidth, pnHeight);
    *pnBitsPerPixel = (int)pImage->getPixelFormat().m_nBitsPerPixel;
    return (int64_t)*pnWidth * (*pnBitsPerPixel / 8) * *pnHeight;
}

} // namespace

// ---- pictures ----------------------------------------------------------------------------------

RIR::SmartPtr<Image> GameApp::getImage(const char* pszName)
{
    RIR_TRACE("GameApp::getImage");
    RIR::setTraceParams(pszName);
    RIR::String sKey = RIR::String(pszName).toLower();
    const RIR::Hash<RIR::String, RIR::String>::Node* pAlias = m_hImageAliases.findNode(sKey);
    if (pAlias)
        sKey = pAlias->m_value;
    RIR_TRACE_LINE();
    return m_imageCache.get(sKey.c_str());
}

RIR::SmartPtr<Image> GameApp::loadImage(const char* pszName, int nFlags)
{
    RIR_TRACE("GameApp::loadImage");
    RIR::setTraceParams(pszName);
    const RIR::String sName(pszName);
    const RIR::Hash<RIR::String, RIR::String>::Node* pAlias =
        m_hImageAliases.findNode(sName.toLower());
    if (pAlias && m_imageCache.contains(pAlias->m_value.c_str()))
        return m_imageCache.get(pAlias->m_value.c_str());
    // The cache is asked for the name as passed: a name with capitals misses it and is loaded
    // again (the game passes lower-case names).
    if (m_imageCache.contains(sName.c_str()))
        return m_imageCache.get(sName.c_str());
    ImageFactory* pFactory = requireImageFactory(this, "GameApp::loadImage");
    RIR_TRACE_LINE();
    RIR::SmartPtr<Image> pImage(
        pFactory->loadWithFlags(sName.c_str(), (nFlags & ILF_CONVERT) != 0));
    addImage(sName.c_str(), pImage, false);
    return pImage;
}

void GameApp::addImage(const char* pszName, RIR::SmartPtr<Image> pImage, bool bKeep)
{
    RIR_TRACE("GameApp::addImage");
    m_imageCache.put(RIR::String(pszName).toLower().c_str(), pImage, bKeep);
}

bool GameApp::removeImage(const char* pszName)
{
    RIR_TRACE("GameApp::removeImage");
    return m_imageCache.remove(RIR::String(pszName).toLower().c_str());
}

bool GameApp::isImageCached(const char* pszName)
{
    RIR_TRACE("GameApp::isImageCached");
    return m_imageCache.contains(RIR::String(pszName).toLower().c_str());
}

bool GameApp::canLoadImage(const char* pszName)
{
    RIR_TRACE("GameApp::canLoadImage");
    RIR::String sKey = RIR::String(pszName).toLower();
    const RIR::Hash<RIR::String, RIR::String>::Node* pAlias = m_hImageAliases.findNode(sKey);
    if (pAlias)
        sKey = pAlias->m_value;
    if (isImageCached(sKey.c_str()))
        return true;
    IPlatform* pPlatform = getPlatform();
    ImageFactory* pFactory = pPlatform ? pPlatform->getImageFactory() : nullptr;
    return pFactory && pFactory->exists(sKey.c_str());
}

RIR::SmartPtr<Image> GameApp::createImage(int nWidth, int nHeight, bool bAlpha)
{
    RIR_TRACE("GameApp::createImage");
    return RIR::SmartPtr<Image>(
        requireImageFactory(this, "GameApp::createImage")->createBlank(nWidth, nHeight, bAlpha));
}

RIR::SmartPtr<Image> GameApp::createImageFromPixels(void* pPixels, int nWidth, int nHeight,
                                                    int nDepth, int nPitch, unsigned nRMask,
                                                    unsigned nGMask, unsigned nBMask,
                                                    unsigned nAMask)
{
    RIR_TRACE("GameApp::createImageFromPixels");
    ImageFactory* pFactory = requireImageFactory(this, "GameApp::createImageFromPixels");
    return RIR::SmartPtr<Image>(pFactory->createFromPixels(pPixels, nWidth, nHeight, nDepth, nPitch,
                                                           nRMask, nGMask, nBMask, nAMask));
}

bool GameApp::setImageCaching(bool bEnabled)
{
    RIR_TRACE("GameApp::setImageCaching");
    const bool bWasEnabled = !m_imageCache.isNoStore();
    m_imageCache.setNoStore(!bEnabled);
    return bWasEnabled;
}

RIR::List<RIR::String> GameApp::getImageNames()
{
    RIR_TRACE("GameApp::getImageNames");
    return m_imageCache.getNames();
}

void GameApp::purgeImages()
{
    RIR_TRACE("GameApp::purgeImages");
    m_imageCache.purge();
}

void GameApp::removeImagesNotListed(const RIR::List<RIR::String>& lEarlier)
{
    RIR_TRACE("GameApp::removeImagesNotListed");
    // Membership, not a walk in step with the earlier list: an earlier name that has gone from
    // the cache since must not make later listed names look new.
    RIR::Hash<RIR::String, bool> hEarlier;
    for (int i = 0; i < lEarlier.getLength(); ++i)
        hEarlier.set(lEarlier.get(i), true);
    const RIR::List<RIR::String> lCurrent = getImageNames();
    for (int i = 0; i < lCurrent.getLength(); ++i)
    {
        const RIR::String sName = lCurrent.get(i);
        if (!hEarlier.contains(sName))
            removeImage(sName.c_str());
    }
}

// ---- samples and music -------------------------------------------------------------------------

RIR::SmartPtr<Sample> GameApp::getSample(const char* pszName)
{
    RIR_TRACE("GameApp::getSample");
    RIR::setTraceParams(pszName);
    return m_sampleCache.get(pszName);
}

bool GameApp::canLoadSample(const char* pszName)
{
    RIR_TRACE("GameApp::canLoadSample");
    if (m_sampleCache.contains(pszName))
        return true;
    IResourceLoader<Sample>* pLoader = m_sampleCache.getLoader();
    return pLoader && pLoader->exists(pszName);
}

bool GameApp::removeSample(const char* pszName)
{
    RIR_TRACE("GameApp::removeSample");
    return m_sampleCache.remove(pszName);
}

void GameApp::purgeSamples()
{
    RIR_TRACE("GameApp::purgeSamples");
    m_sampleCache.purge();
}

RIR::SmartPtr<Music> GameApp::getMusic(const char* pszName)
{
    RIR_TRACE("GameApp::getMusic");
    RIR::setTraceParams(pszName);
    return m_musicCache.get(pszName);
}

bool GameApp::canLoadMusic(const char* pszName)
{
    RIR_TRACE("GameApp::canLoadMusic");
    if (m_musicCache.contains(pszName))
        return true;
    IResourceLoader<Music>* pLoader = m_musicCache.getLoader();
    return pLoader && pLoader->exists(pszName);
}

bool GameApp::removeMusic(const char* pszName)
{
    RIR_TRACE("GameApp::removeMusic");
    return m_musicCache.remove(pszName);
}

void GameApp::purgeMusic()
{
    RIR_TRACE("GameApp::purgeMusic");
    m_musicCache.purge();
}

// ---- all caches --------------------------------------------------------------------------------

void GameApp::purgeCaches()
{
    RIR_TRACE("GameApp::purgeCaches");
    // Animations first: they hold their frame pictures.
    purgeAnimations();
    purgeSamples();
    purgeMusic();
    purgeImages();
}

void GameApp::dumpCacheStats()
{
    RIR_TRACE("GameApp::dumpCacheStats");
    int nWidth = 0;
    int nHeight = 0;
    int nBitsPerPixel = 0;

    logPrintf("========== Image cache stats ==========\n");
    int64_t nImageTotal = 0;
    const RIR::List<RIR::String> lImages = getImageNames();
    for (int i = 0; i < lImages.getLength(); ++i)
    {
        const RIR::String sName = lImages.get(i);
        // The cached entry itself: a name of the cache is never aliased or loaded here.
        RIR::SmartPtr<Image> pImage = m_imageCache.get(sName.c_str());
        if (!pImage)
            continue;
        const int64_t nBytes = imageBytes(pImage.get(), &nWidth, &nHeight, &nBitsPerPixel);
        // The references besides the cache's and this one.
        logPrintf("%5d KB %30s  %3dx%3d  %2d BPP [%d refs]\n", (int)(nBytes / 1024), sName.c_str(),
                  nWidth, nHeight, (nBitsPerPixel / 8) * 8, pImage->getRefCount() - 2);
        nImageTotal += nBytes;
    }
    logPrintf("Total size = %d KB\n", (int)(nImageTotal / 1024));
    logPrintf("\n\n");

    // Listing an animation drops it from the cache.
    logPrintf("========== Animation cache stats ==========\n");
    int64_t nAnimTotal = 0;
    int64_t nUniqueTotal = 0;
    std::set<const Image*> seen;
    const RIR::List<RIR::String> lAnimations = getAnimationNames();
    for (int i = 0; i < lAnimations.getLength(); ++i)
    {
        const RIR::String sKey = lAnimations.get(i);
        RIR::SmartPtr<Animation> pAnimation = getAnimationByName(sKey.c_str());
        int64_t nSum = 0;
        const RIR::List<RIR::SmartPtr<Image>> lFrames = pAnimation->getAllImages();
        for (int j = 0; j < lFrames.getLength(); ++j)
        {
            Image* pImage = lFrames.getNode(j)->m_value.get();
            if (!pImage)
                continue;
            const int64_t nBytes = imageBytes(pImage, &nWidth, &nHeight, &nBitsPerPixel);
            nSum += nBytes;
            if (seen.insert(pImage).second)
                nUniqueTotal += nBytes;
        }
        logPrintf("%5d KB %30s\n", (int)(nSum / 1024), sKey.c_str());
        nAnimTotal += nSum;
        removeAnimation(sKey.c_str());
    }
    logPrintf("Total size = %d KB (%d KB unique)\n", (int)(nAnimTotal / 1024),
              (int)(nUniqueTotal / 1024));
    logPrintf("\n\n");
}
