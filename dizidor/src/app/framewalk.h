// walkFrame: what a video driver draws in one frame, in drawing order.
//
// The modes are drawn from the first one counted from the top that covers the screen (the first
// without MF_SEE_THROUGH, GameApp::getFirstDrawnModeIndex) up to the top mode. A mode is drawn
// only when it is both active and visible; one with MF_CLEAR_SCREEN first clears the screen to
// opaque black (IVideoDriver::clear). Its sprite layers go from the lowest z order to the
// highest, each layer from its front; a sprite is drawn when it is visible and has a displayed
// image. Last comes the software cursor: when the cursor is shown, the software cursor is on and
// a cursor sprite exists, the sprite is moved to the pointer and drawn.
//
// A driver's renderFrame calls walkFrame between the start of its scene and the presentation:
//
//     class MyFrame : public FrameVisitor { void drawSprite(Sprite* p) override { ... } };
//     MyFrame frame(this);
//     walkFrame(*GameApp::getInstance(), *this, frame);
//
// The visitor must not change the mode stack or the modes' contents.
#ifndef DIZIDOR_APP_FRAMEWALK_H
#define DIZIDOR_APP_FRAMEWALK_H

class GameApp;
class IVideoDriver;
class Sprite;

class FrameVisitor
{
public:
    virtual ~FrameVisitor();

    // One sprite of a mode, in drawing order.
    virtual void drawSprite(Sprite* pSprite) = 0;
    // The software cursor, after everything else, already at the pointer; drawSprite here.
    virtual void drawCursor(Sprite* pCursor);
};

// Visits the application's frame as described above; clears through the driver.
void walkFrame(GameApp& app, IVideoDriver& driver, FrameVisitor& visitor);

#endif
