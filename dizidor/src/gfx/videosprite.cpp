// VideoSprite: the movie sprite over the platform's decoder (see videosprite.h).
#include "gfx/videosprite.h"

#include "app/gameapp.h"
#include "app/iplatform.h"
#include "gfx/ivideospriteimpl.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/rirstring.h"

#include <memory>

VideoSprite::VideoSprite(const char* pszPath)
    : Sprite(0, 0, 0), m_pImpl(nullptr), m_bPlaying(false), m_bFinished(false), m_fVolume(1.0f)
{
    RIR_TRACE("VideoSprite::VideoSprite");
    const RIR::String sPath(pszPath);
    GameApp* pApp = GameApp::getInstance();
    IPlatform* pPlatform = pApp ? pApp->getPlatform() : nullptr;
    // Held here until it opened: a constructor that raises runs no destructor.
    std::unique_ptr<IVideoSpriteImpl> pImpl(pPlatform ? pPlatform->createVideoSpriteImpl()
                                                      : nullptr);
    if (!pImpl || !pImpl->open(sPath.c_str()))
    {
        const RIR::String sMessage = RIR::String::format("Can't open '%s'", sPath.c_str());
        RIR_THROW(FatalErrorException, sMessage.c_str());
    }
    m_pImpl = pImpl.release();
    setReplaceMixerOutput(true);
    setVolume(1.0f);
    m_bPlaying = false;
    play();
}

VideoSprite::~VideoSprite()
{
    delete m_pImpl;
}

int VideoSprite::getWidth()
{
    RIR_TRACE("VideoSprite::getWidth");
    return m_pImpl ? m_pImpl->getWidth() : 0;
}

int VideoSprite::getHeight()
{
    RIR_TRACE("VideoSprite::getHeight");
    return m_pImpl ? m_pImpl->getHeight() : 0;
}

void VideoSprite::play()
{
    RIR_TRACE("VideoSprite::play");
    m_pImpl->play();
    m_bPlaying = true;
    m_bFinished = false;
}

void VideoSprite::stop()
{
    RIR_TRACE("VideoSprite::stop");
    if (m_pImpl)
        m_pImpl->stop();
    m_bPlaying = false;
}

float VideoSprite::decoderVolume() const
{
    const GameApp* pApp = GameApp::getInstance();
    const int nSoundVolume = pApp ? pApp->getSoundVolume() : 255;
    return m_fVolume * (float)nSoundVolume / 255.0f;
}

void VideoSprite::setVolume(float fVolume)
{
    RIR_TRACE("VideoSprite::setVolume");
    m_fVolume = fVolume;
    m_pImpl->setVolume(decoderVolume());
}

void VideoSprite::setReplaceMixerOutput(bool bReplace)
{
    RIR_TRACE("VideoSprite::setReplaceMixerOutput");
    m_pImpl->setReplaceMixerOutput(bReplace);
}

bool VideoSprite::getReplaceMixerOutput()
{
    RIR_TRACE("VideoSprite::getReplaceMixerOutput");
    return m_pImpl->getReplaceMixerOutput();
}

float VideoSprite::getPosition()
{
    RIR_TRACE("VideoSprite::getPosition");
    return m_pImpl->getPosition();
}

void VideoSprite::seek(float fSeconds)
{
    RIR_TRACE("VideoSprite::seek");
    m_pImpl->seek(fSeconds);
}

void VideoSprite::update(float fDt)
{
    RIR_TRACE("VideoSprite::update");
    if (!m_bPlaying)
        return;
    m_pImpl->setVolume(decoderVolume());
    RIR::SmartPtr<Image> pImage = m_pImpl->update(fDt);
    if (m_pImpl->isFinished())
    {
        m_bPlaying = false;
        m_bFinished = true;
        return;
    }
    if (pImage)
        setImage(pImage);
}
