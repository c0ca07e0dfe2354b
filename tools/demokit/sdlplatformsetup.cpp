#include "sdlplatformsetup.h"

#include "app/gameapp.h"
#include "app/gameappeventtarget.h"
#include "platform/d3d7/d3d7videodriver.h"
#include "platform/sdl/gameappvideohost.h"
#include "platform/sdl/sdlaudiodriver.h"
#include "platform/sdl/sdlplatform.h"

namespace demokit
{

D3D7VideoDriver* installSdlPlatform(GameApp* pApp, SDLPlatform** ppPlatform)
{
    SDLPlatform* pPlatform = new SDLPlatform();
    D3D7VideoDriver* pVideo = new D3D7VideoDriver();
    pVideo->setHost(new GameAppVideoHost(pApp));
    pPlatform->setVideoDriver(pVideo);
    pPlatform->setAudioDriver(new SDLAudioDriver());
    pPlatform->setEventTarget(new GameAppEventTarget(pApp));
    pApp->setPlatform(pPlatform);
    if (ppPlatform)
        *ppPlatform = pPlatform;
    return pVideo;
}

} // namespace demokit
