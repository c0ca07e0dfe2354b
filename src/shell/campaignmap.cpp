#include "shell/campaignmap.h"

#include "shell/campaignstate.h"

#include "app/gameapp.h"
#include "app/gamemode.h"
#include "gfx/image.h"
#include "gfx/imagelock.h"
#include "gfx/rect.h"
#include "gfx/sprite.h"

#include "rir2/calltrace.h"

namespace
{

const int SCREEN_WIDTH = 800;

const int CITY_MARKERS[CITY_COUNT][2] = {
    {135, 51},  {224, 86},  {435, 86},  {513, 105}, {765, 73},  {80, 200},  {186, 214},
    {375, 193}, {481, 218}, {738, 211}, {124, 335}, {225, 327}, {328, 345}, {520, 336},
    {740, 320}, {90, 431},  {276, 414}, {363, 451}, {572, 377}, {767, 431}};

const int OVERLAY_STRENGTH[MAX_STAR] = {51, 102, 153, 204, 255};

// A picture nLength pixels long made of the tile repeated along one direction.
RIR::SmartPtr<Image> repeatTile(GameApp* pApp, const RIR::SmartPtr<Image>& pTile, bool bVertical,
                                int nLength)
{
    const int nWidth = bVertical ? pTile->getWidth() : nLength;
    const int nHeight = bVertical ? nLength : pTile->getHeight();
    RIR::SmartPtr<Image> pStrip = pApp->createImage(nWidth, nHeight, true);
    const int nStep = pTile->getSizeAlong(bVertical);
    if (nStep <= 0)
        return pStrip;
    for (int nPos = 0; nPos < nLength; nPos += nStep)
    {
        if (bVertical)
            pStrip->blit(pTile.get(), 0, nPos);
        else
            pStrip->blit(pTile.get(), nPos, 0);
    }
    return pStrip;
}

} // namespace

Point getCityMarker(int nCity)
{
    if (nCity < 0 || nCity >= CITY_COUNT)
        return Point(0, 0);
    return Point(CITY_MARKERS[nCity][0], CITY_MARKERS[nCity][1]);
}

int getOverlayStrength(int nStars)
{
    if (nStars < 1 || nStars > MAX_STAR)
        return 0;
    return OVERLAY_STRENGTH[nStars - 1];
}

int campaignCityAt(GameApp* pApp, int nX, int nY)
{
    RIR_TRACE("campaignCityAt");
    for (int i = 0; i < CITY_COUNT; ++i)
    {
        const RIR::String sName = RIR::String::format("map_p_%d", i);
        RIR::SmartPtr<Image> pMask = pApp->getImage(sName.c_str());
        if (!pMask)
            continue;
        const Rect stored = pMask->getPhysicalRect();
        if (nX < stored.getLeft() || nY < stored.getTop() || nX >= stored.getRight() ||
            nY >= stored.getBottom())
            continue;
        ImageLock lock(pMask.get());
        if (!pMask->isTransparentAt(nX + pMask->getInsPointX(), nY + pMask->getInsPointY(), 0))
            return i;
    }
    return -1;
}

int buildCampaignMapFrame(GameMode* pMode, int nMapHeight)
{
    RIR_TRACE("buildCampaignMapFrame");
    GameApp* pApp = GameApp::getInstance();
    RIR::SmartPtr<Image> pSide = repeatTile(pApp, pApp->getImage("borde_v"), true, nMapHeight);
    RIR::SmartPtr<Image> pEdge = repeatTile(pApp, pApp->getImage("borde_h"), false, SCREEN_WIDTH);
    const int nEdgeHeight = pEdge->getHeight();
    pMode->addSprite(new Sprite(pSide, 0, 0, 3));
    pMode->addSprite(new Sprite(pSide, SCREEN_WIDTH - pSide->getWidth(), 0, 3));
    pMode->addSprite(new Sprite(pEdge, 0, 0, 3));
    pMode->addSprite(new Sprite(pEdge, 0, nMapHeight - nEdgeHeight, 3));

    // The corner as drawn for the lower left; mirrored for the other three. A horizontal flip
    // moves the insertion point to the right edge, so those copies stand at x = 800.
    RIR::SmartPtr<Image> pCorner = pApp->getImage("borde_e");
    const int nCornerY = nMapHeight - pCorner->getHeight();
    pMode->addSprite(new Sprite(pCorner, 0, nCornerY, 4));
    RIR::SmartPtr<Image> pLowerRight = pCorner->clone(false);
    pLowerRight->flipHorizontal();
    pMode->addSprite(new Sprite(pLowerRight, SCREEN_WIDTH, nCornerY, 4));
    RIR::SmartPtr<Image> pUpperLeft = pCorner->clone(false);
    pUpperLeft->flipVertical();
    pUpperLeft->setInsPoint(0, 0);
    pMode->addSprite(new Sprite(pUpperLeft, 0, 0, 4));
    RIR::SmartPtr<Image> pUpperRight = pUpperLeft->clone(false);
    pUpperRight->flipHorizontal();
    pMode->addSprite(new Sprite(pUpperRight, SCREEN_WIDTH, 0, 4));
    return 8;
}
