// IResourceLoader<T>: makes shared objects of one kind from resource names.
//
// The resource caches load through it on a miss. Instances exist for Image (the platform's image
// factory), Sample and Music (the audio driver's loaders, see ResourceLoaderImpl). Not reference
// counted: the platform or the driver owns its loaders and lends them out.
#ifndef DIZIDOR_APP_RESOURCELOADER_H
#define DIZIDOR_APP_RESOURCELOADER_H

template <class T> class IResourceLoader
{
public:
    virtual ~IResourceLoader() {}

    // A new object made from the resource of that name; the caller takes it into a SmartPtr<T>.
    // A missing or unreadable resource raises the back-end's error (ResourceException for sound).
    virtual T* load(const char* pszName) = 0;
    // Whether load would find the resource. Never throws for a missing name.
    virtual bool exists(const char* pszName) = 0;
};

#endif
