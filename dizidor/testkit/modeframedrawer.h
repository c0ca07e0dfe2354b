// modeFrameDrawer: the application's real frame walk (app/framewalk.h) as a frame drawer of the
// RecordingVideoDriver.
//
// Each sprite the walk draws is reported with RecordingVideoDriver::recordDraw under its label:
// the text of its property "label" (a const char* that outlives the sprite's use), or "sprite"
// without one; the software cursor as "cursor". A screen clear of a mode with MF_CLEAR_SCREEN
// shows in the driver's log as "video.clear(0, 0, 0, 255)".
//
//     pVideo->setFrameDrawer(modeFrameDrawer(&app));
//     pSprite->setProperty("label", (void*)"door");
//     app.stepFrame(...);   // getFrameDraws(): "door", ...
#ifndef DIZIDOR_TESTKIT_MODEFRAMEDRAWER_H
#define DIZIDOR_TESTKIT_MODEFRAMEDRAWER_H

#include "testkit/recordingvideodriver.h"

class GameApp;

// pApp is not owned and must outlive the drawer's use.
RecordingVideoDriver::FrameDrawer modeFrameDrawer(GameApp* pApp);

#endif
