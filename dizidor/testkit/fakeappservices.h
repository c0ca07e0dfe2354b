// FakeAppServices: a stand-in for the application behind IAppServices.
//
// Registers itself with setAppServices while it lives (and restores the previous registration
// when destroyed), so the driver interfaces find a platform, music and a resource lookup without
// a GameApp:
// - getPlatform answers the platform it was given;
// - getMusic keeps a cache by name, as the application's music cache does, and loads a miss
//   through the music loader of the active audio driver (setAudioDriver, else the platform's);
// - resolveResourceName looks the name followed by each extension up among the names given to
//   addResource.
//
// Usage:
//     FakePlatform platform;
//     FakeAppServices app(&platform);
//     platform.getAudioDriver()->playMusicByName("intro", true);
#ifndef DIZIDOR_TESTKIT_FAKEAPPSERVICES_H
#define DIZIDOR_TESTKIT_FAKEAPPSERVICES_H

#include "app/iappservices.h"
#include "app/iaudiodriver.h"

#include "rir2/list.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

class IPlatform;
class IAudioDriver;

class FakeAppServices : public IAppServices
{
public:
    explicit FakeAppServices(IPlatform* pPlatform = nullptr);
    // Releases the cached music, then restores the previous registration.
    ~FakeAppServices() override;

    IPlatform* getPlatform() override { return m_pPlatform; }
    // The cached music, or a new one from the active driver's music loader, which raises
    // BadStateException when there is no driver or loader.
    RIR::SmartPtr<Music> getMusic(const char* pszName) override;
    RIR::String resolveResourceName(const char* pszName,
                                    const char* const* ppszExtensions) override;

    void setPlatform(IPlatform* pPlatform) { m_pPlatform = pPlatform; }
    // The driver getMusic loads through (not owned); null: the platform's.
    void setAudioDriver(IAudioDriver* pDriver) { m_pAudioDriver = pDriver; }
    // The driver getMusic loads through now, or null.
    IAudioDriver* getActiveAudioDriver() const;
    // A resource that resolveResourceName finds, under exactly this full name.
    void addResource(const char* pszFullName);
    // Lets go of every cached music.
    void purgeMusic();
    int getCachedMusicCount() const { return m_lMusicNames.getLength(); }

private:
    FakeAppServices(const FakeAppServices&) = delete;
    FakeAppServices& operator=(const FakeAppServices&) = delete;

    IAppServices* m_pPrevious;
    IPlatform* m_pPlatform;       // not owned
    IAudioDriver* m_pAudioDriver; // not owned
    RIR::List<RIR::String> m_lResources;
    RIR::List<RIR::String> m_lMusicNames;     // the cache keys ...
    RIR::List<RIR::SmartPtr<Music>> m_lMusic; // ... and their music, index by index
};

#endif
