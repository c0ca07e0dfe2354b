// Scene: the tables. Each table stands on three columns and two rows of squares, with its two
// chairs on the outer squares of the upper row and a seat spot in front of each chair; the level
// places one to five of them (placeTables) and offers the chairs of the registered ones to its
// customers.
#include "world/scene.h"

#include "world/chair.h"
#include "world/iplaymode.h"
#include "world/tablespot.h"

#include "app/gamemode.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

namespace
{

// Offsets of the chair pictures from the square width beside the table's centre, and of the
// shadows below it.
const int CHAIR_INSET = 5;
const int SHADOW_DROP = 20;

// A sprite of the picture, shown on the play screen when there is one.
RIR::SmartPtr<Sprite> placedSprite(const RIR::SmartPtr<Image>& pImage, int nX, int nY, int nDepth)
{
    RIR::SmartPtr<Sprite> pSprite = new Sprite(pImage, nX, nY, nDepth);
    if (IPlayMode::hasPlayMode())
    {
        GameMode* pScreen = IPlayMode::getPlayMode()->getPlayScreen();
        if (pScreen)
            pScreen->addSprite(pSprite);
    }
    return pSprite;
}

} // namespace

void Scene::placeTables(int nI, int nJ, bool bRegisterChairs)
{
    RIR_TRACE("Scene::placeTables");
    if (!m_pTableFront)
        RIR_THROW(FatalErrorException, "Scene::placeTables: the scene file named no table pictures");
    const bool bLowRes = IPlayMode::hasPlayMode() && IPlayMode::getPlayMode()->isLowResourcesMode();
    const int nBase = nJ * 100 + 56;
    const int nW = m_nSquareW;
    int cx = 0;
    int cy = 0;
    squareToPixel(nI + 1, nJ + 1, &cx, &cy, 0x24);

    placedSprite(m_pTableFront, cx, cy, nBase + 3);
    placedSprite(m_pTableBack, cx, cy, nBase - 6);
    if (!bLowRes && m_pFloorImage)
    {
        // The shadow's insertion point lands 20 pixels below the table's centre.
        m_pFloorImage->blendImage(m_pTableShadow.get(), cx, cy - m_nFloorStart + SHADOW_DROP);
    }

    const int nTop = cy + m_nTableSpotDY - m_nTableSpotHeight;
    const int nBottom = cy + m_nTableSpotDY;
    RIR::SmartPtr<TableSpot> pLeftSpot =
        new TableSpot(Rect(cx - m_nTableSpotWidth, nTop, cx, nBottom), nI + 1, nJ + 1,
                      cx + m_nTableSpotMugDX, cy + m_nTableSpotMugDY, nBase + 5, 0);
    addSpot(pLeftSpot);
    RIR::SmartPtr<TableSpot> pRightSpot =
        new TableSpot(Rect(cx, nTop, cx + m_nTableSpotWidth, nBottom), nI + 1, nJ + 1,
                      cx - m_nTableSpotMugDX, cy + m_nTableSpotMugDY, nBase + 5, 1);
    addSpot(pRightSpot);

    RIR::SmartPtr<Sprite> pFront = placedSprite(m_pChairFrontRight, cx + nW - CHAIR_INSET, cy, nBase + 2);
    RIR::SmartPtr<Sprite> pBack = placedSprite(m_pChairBackRight, cx + nW - CHAIR_INSET, cy, nBase - 8);
    RIR::SmartPtr<Sprite> pShadow;
    if (!bLowRes)
        pShadow = placedSprite(m_pChairShadow, cx + nW + CHAIR_INSET, cy + SHADOW_DROP, nBase + 2);
    RIR::SmartPtr<Chair> pRight = new Chair(nI + 2, nJ, nBase, true, pFront, pBack, pShadow, pRightSpot);
    if (bRegisterChairs)
        m_lChairs.append(pRight);

    pFront = placedSprite(m_pChairFrontLeft, cx - nW + CHAIR_INSET, cy, nBase + 2);
    pBack = placedSprite(m_pChairBackLeft, cx - nW + CHAIR_INSET, cy, nBase - 8);
    pShadow.release();
    if (!bLowRes)
        pShadow = placedSprite(m_pChairShadow, cx - nW + CHAIR_INSET, cy + SHADOW_DROP, nBase + 2);
    RIR::SmartPtr<Chair> pLeft = new Chair(nI, nJ, nBase, false, pFront, pBack, pShadow, pLeftSpot);
    if (bRegisterChairs)
        m_lChairs.append(pLeft);

    pLeft->setOpposite(pRight);
    pRight->setOpposite(pLeft);
    for (int c = nI; c <= nI + 2; ++c)
        for (int r = nJ; r <= nJ + 1; ++r)
            blockSquare(c, r);
    pLeft->setPullOut(1.0f);
    pRight->setPullOut(1.0f);
    if (!bRegisterChairs)
    {
        m_lSceneryChairs.append(pRight);
        m_lSceneryChairs.append(pLeft);
    }
}

bool Scene::hasFreeChair() const
{
    for (int n = 0; n < m_lChairs.getLength(); ++n)
        if (m_lChairs.get(n)->isFreeForNewcomer())
            return true;
    return false;
}

RIR::List<RIR::SmartPtr<Chair>> Scene::getFreeChairs() const
{
    RIR::List<RIR::SmartPtr<Chair>> lFree;
    for (int n = 0; n < m_lChairs.getLength(); ++n)
        if (m_lChairs.get(n)->isFreeForNewcomer())
            lFree.append(m_lChairs.get(n));
    return lFree;
}

RIR::List<RIR::SmartPtr<Chair>> Scene::getTakenChairs() const
{
    RIR::List<RIR::SmartPtr<Chair>> lTaken;
    for (int n = 0; n < m_lChairs.getLength(); ++n)
        if (!m_lChairs.get(n)->isFreeForNewcomer())
            lTaken.append(m_lChairs.get(n));
    return lTaken;
}
