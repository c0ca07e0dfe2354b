// GameApp's audio facade: thin calls on the audio driver in use (the platform's, or the silent
// one). Before init there is no driver: the commands then do nothing and the queries answer "".
#include "app/gameapp.h"

#include "rir2/calltrace.h"

void GameApp::setSoundVolume(int nVolume)
{
    RIR_TRACE("GameApp::setSoundVolume");
    m_nSoundVolume = nVolume;
    if (m_pAudioDriver)
        m_pAudioDriver->setSoundVolume((float)(nVolume / 255.0));
}

void GameApp::setMusicVolume(int nVolume)
{
    RIR_TRACE("GameApp::setMusicVolume");
    m_nMusicVolume = nVolume;
    if (m_pAudioDriver)
        m_pAudioDriver->setMusicVolume((float)(nVolume / 255.0));
}

void GameApp::playMusicByName(const char* pszName, bool bLoop)
{
    RIR_TRACE("GameApp::playMusicByName");
    if (m_pAudioDriver)
        m_pAudioDriver->playMusicByName(pszName, bLoop);
}

RIR::String GameApp::getCurrentMusic() const
{
    RIR_TRACE("GameApp::getCurrentMusic");
    return m_pAudioDriver ? m_pAudioDriver->getCurrentMusic() : RIR::String();
}

void GameApp::stopMusic()
{
    RIR_TRACE("GameApp::stopMusic");
    if (m_pAudioDriver)
        m_pAudioDriver->stopMusic();
}

void GameApp::stopAllSounds()
{
    RIR_TRACE("GameApp::stopAllSounds");
    stopChannel(-1);
}

void GameApp::stopAllAudio()
{
    RIR_TRACE("GameApp::stopAllAudio");
    stopAllSounds();
    stopMusic();
}

void GameApp::stopChannel(int nChannel)
{
    RIR_TRACE("GameApp::stopChannel");
    if (m_pAudioDriver)
        m_pAudioDriver->stopChannel(nChannel, 0.0f);
}

// ---- playback pass-throughs --------------------------------------------------------------------

int GameApp::playSample(RIR::SmartPtr<Sample> pSample, bool bLoop, int nChannel)
{
    RIR_TRACE("GameApp::playSample");
    if (!m_pAudioDriver)
        return -1;
    const int nPlaying = m_pAudioDriver->playSample(pSample, bLoop, nChannel);
    // A reused channel may still carry the panning of its last sound.
    if (nPlaying != -1)
        m_pAudioDriver->setPanning(nPlaying, 255, 255);
    return nPlaying;
}

void GameApp::playMusic(RIR::SmartPtr<Music> pMusic, bool bLoop)
{
    RIR_TRACE("GameApp::playMusic");
    if (m_pAudioDriver)
        m_pAudioDriver->playMusic(pMusic, bLoop);
}

void GameApp::setPanning(int nChannel, int nPan)
{
    RIR_TRACE("GameApp::setPanning");
    if (m_pAudioDriver)
        m_pAudioDriver->setPanning(nChannel, 255 - nPan, nPan);
}

void GameApp::stopMusicNow()
{
    RIR_TRACE("GameApp::stopMusicNow");
    if (m_pAudioDriver)
        m_pAudioDriver->fadeOutMusic(0.0f);
}
