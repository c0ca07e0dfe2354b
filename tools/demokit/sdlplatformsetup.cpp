#include "sdlplatformsetup.h"

#include "app/gameapp.h"
#include "app/gameappeventtarget.h"
#include "platform/d3d7/d3d7videodriver.h"
#include "platform/sdl/gameappvideohost.h"
#include "platform/sdl/sdlaudiodriver.h"
#include "platform/sdl/sdlplatform.h"

namespace demokit
{

SDLPlatform* makeSdlPlatform(GameApp* pApp, int nAudioFrequency, D3D7VideoDriver** ppVideo)
{
    SDLPlatform* pPlatform = new SDLPlatform();
    D3D7VideoDriver* pVideo = new D3D7VideoDriver();
    pVideo->setHost(new GameAppVideoHost(pApp));
    pPlatform->setVideoDriver(pVideo);
    SDLAudioDriver* pAudio = new SDLAudioDriver();
    if (nAudioFrequency > 0)
        pAudio->setFrequency(nAudioFrequency);
    pPlatform->setAudioDriver(pAudio);
    pPlatform->setEventTarget(new GameAppEventTarget(pApp));
    if (ppVideo)
        *ppVideo = pVideo;
    return pPlatform;
}

D3D7VideoDriver* installSdlPlatform(GameApp* pApp, SDLPlatform** ppPlatform)
{
    D3D7VideoDriver* pVideo = nullptr;
    SDLPlatform* pPlatform = makeSdlPlatform(pApp, 0, &pVideo);
    pApp->setPlatform(pPlatform);
    if (ppPlatform)
        *ppPlatform = pPlatform;
    return pVideo;
}

} // namespace demokit
