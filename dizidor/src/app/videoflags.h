// The video-mode flag word given to GameApp::init and IVideoDriver::setVideoMode.
//
// A 32-bit int of independent bits, except the depth code in VF_DEPTH_MASK (see
// IVideoDriver::bppFromFlags and IVideoDriver::flagsFromBpp) and VF_FROM_SETTINGS, which is only
// meaningful as the whole word: GameApp::init then takes full screen and depth from the settings
// "Fullscreen" and "BPP" instead.
#ifndef DIZIDOR_APP_VIDEOFLAGS_H
#define DIZIDOR_APP_VIDEOFLAGS_H

// Full screen; cleared means a window.
constexpr int VF_FULLSCREEN = 0x01;
// Read by GameApp::init only: no audio device is opened and the silent driver stands in.
constexpr int VF_NO_AUDIO = 0x02;
// Colour depth code: 4 = 16, 8 = 24, 12 = 32 bits per pixel, 0 = the back-end's choice.
constexpr int VF_DEPTH_MASK = 0x0C;
// A window without border and title bar.
constexpr int VF_NO_FRAME = 0x10;
// The back-end creates a depth and stencil surface.
constexpr int VF_ZBUFFER = 0x20;
// The whole word: take the mode from the settings.
constexpr int VF_FROM_SETTINGS = (int)0xF0000000u;

#endif
