// DisableImageCache: switches the storing of newly loaded pictures off for one scope.
//
// While a guard lives, pictures that GameApp::getImage loads on a miss are handed out without
// being kept by the image cache; pictures already cached are still handed out from it. The guard
// restores the state it found, so guards nest when they end in reverse order, and a guard inside
// a stretch where caching is already off leaves it off.
//
// Usage:
//     {
//         DisableImageCache noCache;
//         RIR::SmartPtr<Image> pScene = GameApp::getInstance()->getImage("chapter3"); // not kept
//     }
#ifndef DIZIDOR_APP_DISABLEIMAGECACHE_H
#define DIZIDOR_APP_DISABLEIMAGECACHE_H

class DisableImageCache
{
public:
    // Turns caching off on the application (nothing without one) and keeps the earlier state.
    DisableImageCache();
    // Restores the kept state.
    virtual ~DisableImageCache();

    DisableImageCache(const DisableImageCache&) = delete;
    DisableImageCache& operator=(const DisableImageCache&) = delete;

private:
    bool m_bWasEnabled;
};

#endif
