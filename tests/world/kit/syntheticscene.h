// Synthetic scenes for the world's tests: a floor grid built in memory, without a scene file.
//
// makeFloorScene gives the one scene with the floor set and the grid built (nothing blocked, no
// spots, no door); tests block squares, add spots and set a door as the scene file would. Only
// one scene may exist at a time: let the handle go before making the next.
//
// Usage:
//     RIR::SmartPtr<Scene> pScene = makeFloorScene();   // floor 190..550: squares 72 x 30
#ifndef DBD_TESTS_WORLD_KIT_SYNTHETICSCENE_H
#define DBD_TESTS_WORLD_KIT_SYNTHETICSCENE_H

#include "world/scene.h"

#include "rir2/refcount.h"

RIR::SmartPtr<Scene> makeFloorScene(int nFloorStart = 190, int nFloorEnd = 550);

// A door of the synthetic animation (makeDoorAnimation), given to the scene (shown closed).
RIR::SmartPtr<AnimSprite> addSyntheticDoor(Scene* pScene, int nOpenFrames = 8,
                                           int nCloseFrames = 8);

// A walker placed at the centre of square (i, j).
RIR::SmartPtr<WalkingObject> placeWalker(Scene* pScene, int nI, int nJ);

// A spot of fixed depth that records nothing and refuses every action: a target for the
// registry and proxy tests.
class FixedSpot : public ActionSpot
{
public:
    FixedSpot(const Rect& rect, int nDepth, int nSound = 5)
        : ActionSpot(rect), m_nDepth(nDepth), m_nSound(nSound), m_nActions(0)
    {
    }
    bool canDoAction(Dolly* /*pChar*/, int nHand) override { return nHand == 0; }
    void doAction(Dolly* /*pChar*/, int /*nHand*/) override { ++m_nActions; }
    void getActionPos(Dolly* /*pChar*/, int nHand, int* pX, int* pY, int* pDir) override
    {
        *pX = 100 + nHand;
        *pY = 200;
        *pDir = 3;
    }
    void getActionAnim(RIR::String& sName, Dolly* /*pChar*/, int nHand) override
    {
        sName = nHand == 0 ? "take_" : "leave_";
    }
    int getActionSound(Dolly* /*pChar*/, int /*nHand*/) override { return m_nSound; }
    int getDepth() override { return m_nDepth; }
    bool acceptsThrownMug() override { return true; }
    void getMugPos(int* pX, int* pY) override
    {
        *pX = 11;
        *pY = 22;
    }
    int getActionCount() const { return m_nActions; }

private:
    int m_nDepth;
    int m_nSound;
    int m_nActions;
};

#endif
