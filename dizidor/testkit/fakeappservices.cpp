#include "testkit/fakeappservices.h"

#include "app/iplatform.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

FakeAppServices::FakeAppServices(IPlatform* pPlatform)
    : m_pPrevious(nullptr), m_pPlatform(pPlatform), m_pAudioDriver(nullptr)
{
    RIR_TRACE("FakeAppServices::FakeAppServices");
    m_pPrevious = setAppServices(this);
}

FakeAppServices::~FakeAppServices()
{
    RIR_TRACE("FakeAppServices::~FakeAppServices");
    purgeMusic();
    if (getAppServices() == this)
        setAppServices(m_pPrevious);
}

IAudioDriver* FakeAppServices::getActiveAudioDriver() const
{
    if (m_pAudioDriver)
        return m_pAudioDriver;
    return m_pPlatform ? m_pPlatform->getAudioDriver() : nullptr;
}

RIR::SmartPtr<Music> FakeAppServices::getMusic(const char* pszName)
{
    RIR_TRACE("FakeAppServices::getMusic");
    const int nIndex = m_lMusicNames.indexOf(RIR::String(pszName));
    if (nIndex >= 0)
        return m_lMusic.get(nIndex);
    IAudioDriver* pDriver = getActiveAudioDriver();
    IResourceLoader<Music>* pLoader = pDriver ? pDriver->getMusicLoader() : nullptr;
    if (!pLoader)
        RIR_THROW(BadStateException, "FakeAppServices::getMusic : no music loader");
    RIR_TRACE_LINE();
    RIR::SmartPtr<Music> pMusic = pLoader->load(pszName);
    m_lMusicNames.append(RIR::String(pszName));
    m_lMusic.append(pMusic);
    return pMusic;
}

RIR::String FakeAppServices::resolveResourceName(const char* pszName,
                                                 const char* const* ppszExtensions)
{
    RIR_TRACE("FakeAppServices::resolveResourceName");
    static const char* const s_apszBare[] = {"", nullptr};
    if (!ppszExtensions || !ppszExtensions[0])
        ppszExtensions = s_apszBare;
    for (int i = 0; ppszExtensions[i]; ++i)
    {
        const RIR::String sCandidate = RIR::String(pszName) + ppszExtensions[i];
        if (m_lResources.indexOf(sCandidate) >= 0)
            return sCandidate;
    }
    return RIR::String();
}

void FakeAppServices::addResource(const char* pszFullName)
{
    RIR_TRACE("FakeAppServices::addResource");
    m_lResources.append(RIR::String(pszFullName));
}

void FakeAppServices::purgeMusic()
{
    RIR_TRACE("FakeAppServices::purgeMusic");
    m_lMusic.clear();
    m_lMusicNames.clear();
}
