// ResourceLoaderImpl<T, Impl>: the loader of one back-end class Impl of a sound kind T.
//
// load makes a new Impl from the name and ties it to the current run of the driver that owns the
// loader (see DriverLifetime); exists asks the application's resource lookup for the name with
// the loader's extension list. The list is a null-terminated array of C texts that the loader
// does not own (usually a static of the back-end); a null list stands for the bare name.
//
// Usage, in a driver's init:
//     static const char* const s_apszMusic[] = {".ogg", ".wav", ".xm", nullptr};
//     m_pMusicLoader = new ResourceLoaderImpl<Music, SDLMusic>(s_apszMusic, this);
#ifndef DIZIDOR_APP_RESOURCELOADERIMPL_H
#define DIZIDOR_APP_RESOURCELOADERIMPL_H

#include "app/iappservices.h"
#include "app/iaudiodriver.h"

#include "rir2/calltrace.h"

template <class T, class Impl> class ResourceLoaderImpl : public IResourceLoader<T>
{
public:
    // pDriver: the driver whose lifetime the objects made follow; null ties them to none.
    explicit ResourceLoaderImpl(const char* const* pExtensions = nullptr,
                                IAudioDriver* pDriver = nullptr)
        : m_pExtensions(pExtensions), m_pDriver(pDriver)
    {
        RIR_TRACE("ResourceLoaderImpl::ResourceLoaderImpl");
    }
    ~ResourceLoaderImpl() override
    {
        RIR_TRACE("ResourceLoaderImpl::~ResourceLoaderImpl");
        m_pExtensions = nullptr;
    }

    // A new Impl constructed from the name; Impl's constructor reports a missing resource.
    T* load(const char* pszName) override
    {
        RIR_TRACE("ResourceLoaderImpl::load");
        Impl* pObject = new Impl(pszName);
        if (m_pDriver)
            pObject->setDriverLifetime(m_pDriver->getLifetime());
        return pObject;
    }

    // Whether the application's lookup finds the name with one of the extensions; false while no
    // application exists.
    bool exists(const char* pszName) override
    {
        RIR_TRACE("ResourceLoaderImpl::exists");
        IAppServices* pApp = getAppServices();
        if (!pApp)
            return false;
        RIR_TRACE_LINE();
        return pApp->resolveResourceName(pszName, m_pExtensions).length() > 0;
    }

    const char* const* getExtensions() const { return m_pExtensions; }

private:
    ResourceLoaderImpl(const ResourceLoaderImpl&) = delete;
    ResourceLoaderImpl& operator=(const ResourceLoaderImpl&) = delete;

    const char* const* m_pExtensions; // not owned; may be null
    IAudioDriver* m_pDriver;          // not owned; may be null
};

#endif
