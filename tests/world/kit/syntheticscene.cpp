#include "world/kit/syntheticscene.h"

#include "world/kit/syntheticanimation.h"

RIR::SmartPtr<Scene> makeFloorScene(int nFloorStart, int nFloorEnd)
{
    RIR::SmartPtr<Scene> pScene = new Scene;
    pScene->setFloor(nFloorStart, nFloorEnd);
    pScene->buildGrid();
    return pScene;
}

RIR::SmartPtr<AnimSprite> addSyntheticDoor(Scene* pScene, int nOpenFrames, int nCloseFrames)
{
    RIR::SmartPtr<AnimSprite> pDoor =
        new AnimSprite(makeDoorAnimation(nOpenFrames, nCloseFrames), 400, 160, 107);
    pScene->setDoor(pDoor);
    return pDoor;
}

RIR::SmartPtr<WalkingObject> placeWalker(Scene* pScene, int nI, int nJ)
{
    RIR::SmartPtr<WalkingObject> pWalker = new WalkingObject;
    int nX = 0;
    int nY = 0;
    pScene->squareToPixel(nI, nJ, &nX, &nY, 0x24);
    pWalker->setPos((float)nX, (float)nY);
    return pWalker;
}
