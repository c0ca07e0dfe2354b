// Scene: the things a scene file places while it is read: decoration sprites, bar pieces, mug
// sinks and sources, the cash register, the wanted poster's place, the table pictures and the
// table-seat geometry.
#include "world/scene.h"

#include "world/mugsinkspot.h"
#include "world/mugsourcespot.h"

#include "app/gameapp.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

namespace
{

const int SPOT_ABOVE_COUNTER = 20;

int number(const RIR::List<RIR::String>& lTokens, int nIndex)
{
    return Scene::readFileNumber(lTokens.get(nIndex));
}

RIR::SmartPtr<Image> picture(const RIR::String& sName)
{
    GameApp* pApp = GameApp::getInstance();
    RIR_ASSERT(pApp != NULL);
    return pApp->getImage(sName.c_str());
}

} // namespace

void Scene::readTableSpotValue(const RIR::String& sKeyword, int nValue)
{
    if (sKeyword == "tablespotdy")
        m_nTableSpotDY = nValue;
    else if (sKeyword == "tablespotwidth")
        m_nTableSpotWidth = nValue;
    else if (sKeyword == "tablespotheight")
        m_nTableSpotHeight = nValue;
    else if (sKeyword == "tablespotmugdx")
        m_nTableSpotMugDX = nValue;
    else if (sKeyword == "tablespotmugdy")
        m_nTableSpotMugDY = nValue;
    else if (sKeyword == "barfloorheight")
        m_nBarFloorHeight = nValue;
}

void Scene::readSpriteLine(const RIR::List<RIR::String>& lTokens)
{
    RIR_TRACE("Scene::readSpriteLine");
    // name x y layer dz; the scene keeps no reference to the sprite.
    showSprite(picture(lTokens.get(1)), number(lTokens, 2), number(lTokens, 3),
               parseDepth(lTokens.get(4)) + number(lTokens, 5));
}

void Scene::readSpotLine(const RIR::List<RIR::String>& lTokens)
{
    RIR_TRACE("Scene::readSpotLine");
    // bar|sink|source image i j [nospot]
    const RIR::String sKind = lTokens.get(0).toLower();
    const RIR::String sImage = lTokens.get(1);
    const int nI = number(lTokens, 2);
    const int nJ = number(lTokens, 3);
    int nX = 0;
    int nY = 0;
    squareToPixel(nI, nJ, &nX, &nY, 0x14);
    if (sImage.toLower() != "<none>")
    {
        RIR::SmartPtr<Image> pImage = picture(sImage);
        pImage->setInsPointByAlign(0x14);
        showSprite(pImage, nX, nY, getRowDepth(nI, nJ));
    }
    if (validSquare(nI, nJ))
        blockSquare(nI, nJ);
    for (int n = 0; n < lTokens.getLength(); ++n)
        if (lTokens.get(n) == "nospot")
            return;
    if (sKind == "bar")
        return;
    int nPX = 0;
    int nPY = 0;
    squareToPixel(nI, nJ, &nPX, &nPY, 0);
    // The spot reaches over the drawn counter above the square.
    const Rect rect(nPX, nPY - m_nBarFloorHeight - SPOT_ABOVE_COUNTER, nPX + m_nSquareW,
                    nPY + m_nSquareH);
    if (sKind == "sink")
        addSpot(new MugSinkSpot(rect, nI, nJ));
    else
        addSpot(new MugSourceSpot(rect, nI, nJ));
}

void Scene::readRegisterLine(const RIR::List<RIR::String>& lTokens)
{
    RIR_TRACE("Scene::readRegisterLine");
    // name i j si sj x y
    const int nI = number(lTokens, 2);
    const int nJ = number(lTokens, 3);
    const int nSI = number(lTokens, 4);
    const int nSJ = number(lTokens, 5);
    showSprite(picture(lTokens.get(1)), number(lTokens, 6), number(lTokens, 7),
               getRowDepth(nI, nJ) + 2);
    m_nRegisterStandI = nSI;
    m_nRegisterStandJ = nSJ;
    // From the stand square towards the register; the column tests come first.
    if (nI == nSI + 1)
        m_nRegisterHeading = 0;
    else if (nI == nSI - 1)
        m_nRegisterHeading = 1;
    else if (nJ == nSJ - 1)
        m_nRegisterHeading = 2;
    else if (nJ == nSJ + 1)
        m_nRegisterHeading = 3;
    else
        RIR_THROW(FatalErrorException,
                  RIR::String::format("Can't determine register heading, (%d, %d) -> (%d, %d)\n",
                                      nSI, nSJ, nI, nJ)
                      .c_str());
}

void Scene::readPosterLine(const RIR::List<RIR::String>& lTokens)
{
    RIR_TRACE("Scene::readPosterLine");
    // name x y layer dz: nothing is shown yet; the level draws the wanted man on the picture.
    m_pPosterImage = picture(lTokens.get(1));
    m_nPosterX = number(lTokens, 2);
    m_nPosterY = number(lTokens, 3);
    m_nPosterDepth = parseDepth(lTokens.get(4)) + number(lTokens, 5);
}

void Scene::readTableImagesLine(const RIR::List<RIR::String>& lTokens)
{
    RIR_TRACE("Scene::readTableImagesLine");
    // front back chairfront chairback chairshadow; the chairs are drawn for the left side.
    m_pTableFront = picture(lTokens.get(1));
    m_pTableBack = picture(lTokens.get(2));
    m_pChairFrontLeft = picture(lTokens.get(3));
    m_pChairBackLeft = picture(lTokens.get(4));
    m_pTableShadow = picture("mesa_shadow");
    m_pChairShadow = picture(lTokens.get(5));
    m_pChairFrontRight = m_pChairFrontLeft->clone(false);
    m_pChairFrontRight->flipHorizontal();
    m_pChairBackRight = m_pChairBackLeft->clone(false);
    m_pChairBackRight->flipHorizontal();
    for (int n = 0; n < 8; ++n)
        getTableImage(n)->setInsPointByAlign(0x14);
}

RIR::SmartPtr<Image> Scene::getTableImage(int nIndex) const
{
    switch (nIndex)
    {
    case 0:
        return m_pTableFront;
    case 1:
        return m_pTableBack;
    case 2:
        return m_pTableShadow;
    case 3:
        return m_pChairFrontRight;
    case 4:
        return m_pChairBackRight;
    case 5:
        return m_pChairFrontLeft;
    case 6:
        return m_pChairBackLeft;
    case 7:
        return m_pChairShadow;
    default:
        return RIR::SmartPtr<Image>();
    }
}

void Scene::getTableSpotGeometry(int* pDY, int* pWidth, int* pHeight, int* pMugDX,
                                 int* pMugDY) const
{
    *pDY = m_nTableSpotDY;
    *pWidth = m_nTableSpotWidth;
    *pHeight = m_nTableSpotHeight;
    *pMugDX = m_nTableSpotMugDX;
    *pMugDY = m_nTableSpotMugDY;
}

void Scene::getRegisterPlace(int* pStandI, int* pStandJ, int* pHeading) const
{
    *pStandI = m_nRegisterStandI;
    *pStandJ = m_nRegisterStandJ;
    *pHeading = m_nRegisterHeading;
}

void Scene::getWantedPosterPlace(int* pX, int* pY, int* pDepth) const
{
    *pX = m_nPosterX;
    *pY = m_nPosterY;
    *pDepth = m_nPosterDepth;
}

void Scene::getPosterStandPixel(int* pX, int* pY) const
{
    *pX = m_nPosterX;
    *pY = m_nTop + m_nSquareH + m_nSquareH / 2;
}
