#include "app/iaudiodriver.h"

#include "app/iappservices.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/random.h"

Sample::Sample()
{
    RIR_TRACE("Sample::Sample");
}

Sample::~Sample()
{
    RIR_TRACE("Sample::~Sample");
}

Music::Music()
{
    RIR_TRACE("Music::Music");
}

Music::~Music()
{
    RIR_TRACE("Music::~Music");
}

IAudioDriver::IAudioDriver() : m_pLifetime(new DriverLifetime())
{
    RIR_TRACE("IAudioDriver::IAudioDriver");
}

IAudioDriver::~IAudioDriver()
{
    RIR_TRACE("IAudioDriver::~IAudioDriver");
    m_pLifetime->end();
}

void IAudioDriver::endLifetime()
{
    RIR_TRACE("IAudioDriver::endLifetime");
    m_pLifetime->end();
    m_pLifetime = new DriverLifetime();
}

void IAudioDriver::update(float /*fDt*/)
{
    RIR_TRACE("IAudioDriver::update");
    if (m_lPlaylist.isEmpty() || isMusicPlaying())
        return;
    RIR_TRACE_LINE();
    m_sCurrentMusic = chooseNextTrack();
    startCurrentMusic(false);
}

RIR::String IAudioDriver::chooseNextTrack() const
{
    RIR_TRACE("IAudioDriver::chooseNextTrack");
    if (m_lPlaylist.getLength() == 1)
        return m_lPlaylist.get(0);
    // A playlist that holds nothing but the current track would make the draw below run for ever.
    bool bOtherTrack = false;
    for (int i = 0; i < m_lPlaylist.getLength() && !bOtherTrack; ++i)
        bOtherTrack = m_lPlaylist.get(i) != m_sCurrentMusic;
    if (!bOtherTrack)
        return m_sCurrentMusic;
    RIR::String sNext;
    do
    {
        RIR_TRACE_LINE();
        sNext = RIR::randomElement(m_lPlaylist);
    } while (sNext == m_sCurrentMusic);
    return sNext;
}

void IAudioDriver::playMusicByName(const char* pszName, bool bLoop)
{
    RIR_TRACE("IAudioDriver::playMusicByName");
    RIR_ASSERT(pszName);
    RIR::setTraceParams(pszName);
    // A copy first: the caller's text may live in the playlist about to be cleared.
    const RIR::String sName(pszName);
    if (m_sCurrentMusic == sName && isMusicPlaying())
        return;
    m_lPlaylist.clear();
    m_sCurrentMusic = sName;
    RIR_TRACE_LINE();
    startCurrentMusic(bLoop);
}

void IAudioDriver::stopMusic()
{
    RIR_TRACE("IAudioDriver::stopMusic");
    fadeOutMusic(0.0f);
    m_sCurrentMusic = "";
    m_lPlaylist.clear();
}

void IAudioDriver::playPlaylist(const RIR::List<RIR::String>& lNames)
{
    RIR_TRACE("IAudioDriver::playPlaylist");
    // A copy first: lNames may be this driver's own playlist, which stopMusic empties.
    const RIR::List<RIR::String> lCopy(lNames);
    RIR_TRACE_LINE();
    stopMusic();
    m_lPlaylist = lCopy;
    RIR_TRACE_LINE();
    update(0.0f);
}

void IAudioDriver::startCurrentMusic(bool bLoop)
{
    RIR_TRACE("IAudioDriver::startCurrentMusic");
    IAppServices* pApp = getAppServices();
    if (!pApp)
        RIR_THROW(BadStateException, "IAudioDriver : no application to fetch music from");
    RIR_TRACE_LINE();
    RIR::SmartPtr<Music> pMusic = pApp->getMusic(m_sCurrentMusic.c_str());
    RIR_TRACE_LINE();
    playMusic(pMusic, bLoop);
}
