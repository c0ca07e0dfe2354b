// DemoHeroine: the heroine in saloon-demo, dressed from the game's packs and steered by clicks.
//
// The demo's left bar gets a beer tap (square (2, 4)), its right bar a sink ((8, 4)) and the bar
// in the middle of the room serves as a table with one seat ((5, 8)). A click on the tap, the
// seat, a mug standing on the seat or the sink starts the heroine's action there with the first
// hand that can act (right hand first), as the play mode does; a click while she is busy waits
// in a queue of at most four; a click on the free floor walks her there. She draws beers at the
// tap, leaves them on the seat, takes them back and pours the ones that are not full away (a
// beer left on the seat loses a sip every few seconds, as if someone drank from it).
//
// The heroine's layers, the mug and its pictures come from the packs "dolly.dat" and
// "characters.dat" of the game's folder; the tap, the sink and the table are plain blocks.
// It needs the world (its scene and play screen, DemoWorld) and the application's packs.
#ifndef DBD_TOOLS_SALOONDEMO_DEMOHEROINE_H
#define DBD_TOOLS_SALOONDEMO_DEMOHEROINE_H

#include "world/dolly.h"
#include "world/mugsinkspot.h"
#include "world/mugsourcespot.h"
#include "world/mugspot.h"

#include "gfx/imagefactory.h"

#include "rir2/list.h"
#include "rir2/refcount.h"

#include <string>

class GameApp;
class GameMode;

// A click of a scripted run: where and when (seconds of the run).
struct DemoClick
{
    std::string sPlace; // "tap", "seat", "sink", or "" for the point
    int nX = 0;
    int nY = 0;
    float fSeconds = 0.0f;
};

class DemoHeroine
{
public:
    // Opens the packs of sGameDir in pApp (a missing pack raises the resource error), adds the
    // spots and their pictures to the scene and pScreen and places the heroine at (5, 11).
    DemoHeroine(GameApp* pApp, GameMode* pScreen, ImageFactory* pFactory, const std::string& sGameDir);
    // Takes the heroine and the mugs off the floor and the screen.
    ~DemoHeroine();

    // A click at the screen point (see the file comment).
    void click(int nX, int nY);
    // A click of a scripted run.
    void click(const DemoClick& scripted);
    // One frame: the queued clicks, the heroine, the sips.
    void update(float fDt);

    Dolly* getDolly() const { return m_pDolly.get(); }
    // Screen points worth clicking: the middle of the tap, the seat and the sink.
    static void getTapPoint(int* pX, int* pY);
    static void getSeatPoint(int* pX, int* pY);
    static void getSinkPoint(int* pX, int* pY);
    // "WHERE@SECONDS", WHERE being "tap", "seat", "sink" or "X,Y"; false for anything else.
    static bool parseClick(const char* pszText, DemoClick* pClick);

private:
    DemoHeroine(const DemoHeroine&) = delete;
    DemoHeroine& operator=(const DemoHeroine&) = delete;

    // Starts the action of the click when a spot is hit; false when none was.
    bool act(const RIR::SmartPtr<ActionSpot>& pSpot);
    RIR::SmartPtr<Image> block(int nW, int nH, int nR, int nG, int nB, int nInsX, int nInsY);

    GameMode* m_pScreen;      // not owned
    ImageFactory* m_pFactory; // not owned
    RIR::SmartPtr<Dolly> m_pDolly;
    RIR::SmartPtr<MugSourceSpot> m_pTap;
    RIR::SmartPtr<MugSinkSpot> m_pSink;
    RIR::SmartPtr<MugSpot> m_pSeat;
    RIR::List<RIR::SmartPtr<Sprite>> m_lSprites;
    RIR::List<int> m_lQueuedClicks; // x, y pairs
    float m_fSipTimer;
};

#endif
