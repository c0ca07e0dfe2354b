// The SDL platform a demo application runs on.
#pragma once

class D3D7VideoDriver;
class GameApp;
class SDLPlatform;

namespace demokit
{

// Gives pApp the SDL platform with the Direct3D 7 video driver (hosted by pApp), the SDL_mixer
// audio driver and pApp as the target of its events. The platform owns the drivers; the video
// driver is returned for screenshots and the platform through *ppPlatform when asked for.
D3D7VideoDriver* installSdlPlatform(GameApp* pApp, SDLPlatform** ppPlatform = nullptr);

// The same platform, not installed: for an application whose start-up installs the platform it is
// given (the game's, through its PlatformMaker). The audio mixes at nAudioFrequency Hz (0: the
// driver's default); the video driver goes to *ppVideo.
SDLPlatform* makeSdlPlatform(GameApp* pApp, int nAudioFrequency, D3D7VideoDriver** ppVideo);

} // namespace demokit
