// ImageEnvironment: what images need from the application around them.
//
// Loading a named picture reads side-file resources, fetches parent pictures through the shared
// image cache and makes new images with the platform's image factory. Images reach those services
// through one installed environment instead of knowing the application: the application installs
// itself (or an adapter) at start-up, and tests install a headless one from the test kit.
//
// Usage:
//     ImageEnvironment* pEnv = getImageEnvironment(); // BadStateException when none is installed
//     if (pEnv->hasResource("door.spec")) ...
//
// Main thread only; the environment is borrowed, never owned, by the images.
#ifndef DIZIDOR_GFX_IMAGEENV_H
#define DIZIDOR_GFX_IMAGEENV_H

#include "rir2/refcount.h"
#include "rir2/resource.h"
#include "rir2/rirstring.h"

class Image;
class ImageFactory;

class ImageEnvironment
{
public:
    virtual ~ImageEnvironment();

    // Whether the resource exists under exactly this name; never raises.
    virtual bool hasResource(const char* pszName) = 0;
    // The opened resource; a missing one raises ResourceException.
    virtual RIR::SmartPtr<RIR::Resource> getResource(const char* pszName) = 0;
    // The first existing name among pszName followed by each extension of the null-terminated
    // list (a null list: the name unchanged); "" when none exists.
    virtual RIR::String resolveResourceName(const char* pszName,
                                            const char* const* ppszExtensions) = 0;
    // The shared, cached picture of that name, loaded through the factory on a miss; raises when
    // it cannot be loaded.
    virtual RIR::SmartPtr<Image> getImage(const char* pszName) = 0;
    // The image factory of the platform; never null.
    virtual ImageFactory* getImageFactory() = 0;
};

// Installs the environment (null uninstalls). The caller keeps it alive while it is installed.
void setImageEnvironment(ImageEnvironment* pEnv);
// The installed environment; raises BadStateException "No image environment" when none is.
ImageEnvironment* getImageEnvironment();
// The installed environment or null.
ImageEnvironment* findImageEnvironment();

#endif
