// Scene: the backdrop. After the scene file has been read, the floor is composed of rows of tiles
// and the wall of repeated wall pictures; the wall is shown in pieces around the door hole and the
// windows, with the outside picture behind the openings, the door frame and the door in front.
//
// Pictures pasted onto the composed floor and wall (floor and wall pictures, wall strips) are
// blended, so that their transparent edges show what lies under them rather than punching holes
// into the floor or wall.
#include "world/scene.h"

#include "world/iplaymode.h"
#include "world/scenebackdrop.h"
#include "world/worldrandom.h"

#include "app/gameapp.h"
#include "app/gamemode.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

namespace
{

const int SCREEN_W = 800;
const int SCREEN_H = 600;
const int DOOR_X = 400;
const int DEPTH_OUTSIDE = 0;
const int DEPTH_FLOOR = 1;
const int DEPTH_WALL = 106;
const int DEPTH_WALL_FRONT = 107;

GameApp* app()
{
    GameApp* pApp = GameApp::getInstance();
    RIR_ASSERT(pApp != NULL);
    return pApp;
}

void fail(const RIR::String& sFile, const RIR::String& sWhat)
{
    RIR_THROW(FatalErrorException,
              RIR::String::format("Scene file %s: %s", sFile.c_str(), sWhat.c_str()).c_str());
}

// The picture; one without pixels cannot be repeated across the screen.
RIR::SmartPtr<Image> tilePicture(const RIR::String& sName, const RIR::String& sFile)
{
    RIR::SmartPtr<Image> pImage = app()->getImage(sName.c_str());
    if (pImage->getWidth() <= 0 || pImage->getHeight() <= 0)
        fail(sFile, RIR::String::format("the picture %s is empty", sName.c_str()));
    return pImage;
}

// The picture in the pixel format of pTarget, for copying it there many times: a copy between
// formats converts every pixel on its way, one within a format moves whole rows. The copy has the
// same stored pixels at the same canvas place, canvas, insertion point, alpha and key, so copying
// it gives what copying the picture gives. A picture already in that format, without stored
// pixels or with a flip pending is given back as it is.
RIR::SmartPtr<Image> inFormatOf(const RIR::SmartPtr<Image>& pImage, Image* pTarget)
{
    const PixelFormat format = pTarget->getPixelFormat();
    bool bFlipH = false;
    bool bFlipV = false;
    pImage->getFlipFlags(&bFlipH, &bFlipV);
    if (pImage->getPixelFormat() == format || bFlipH || bFlipV || pImage->getPhysicalWidth() <= 0 ||
        pImage->getPhysicalHeight() <= 0)
        return pImage;
    RIR::SmartPtr<Image> pCopy = app()->createImage(
        pImage->getPhysicalWidth(), pImage->getPhysicalHeight(), pTarget->hasAlpha());
    if (pCopy->getPixelFormat() != format)
        return pImage;
    int nCanvasX = 0;
    int nCanvasY = 0;
    pImage->getCanvasOffset(&nCanvasX, &nCanvasY);
    // The stored pixels to the copy's corner: the insertion point lands that far from it.
    pCopy->copyImage(pImage.get(), pImage->getInsPointX() - nCanvasX,
                     pImage->getInsPointY() - nCanvasY);
    pCopy->copyAttributesFrom(pImage.get());
    return pCopy;
}

} // namespace

void Scene::showSprite(const RIR::SmartPtr<Image>& pImage, int nX, int nY, int nDepth)
{
    if (!IPlayMode::hasPlayMode())
        return;
    GameMode* pScreen = IPlayMode::getPlayMode()->getPlayScreen();
    if (pScreen)
        pScreen->addSprite(new Sprite(pImage, nX, nY, nDepth));
}

void Scene::composeBackdrop(const SceneBackdrop& backdrop, const RIR::String& sFile)
{
    RIR_TRACE("Scene::composeBackdrop");
    composeFloor(backdrop);
    composeWall(backdrop, sFile);
}

void Scene::composeFloor(const SceneBackdrop& backdrop)
{
    RIR_TRACE("Scene::composeFloor");
    GameApp* pApp = app();
    const int nStart = backdrop.get(SceneBackdrop::FLOOR_START);
    const int nFade = backdrop.get(SceneBackdrop::FLOOR_FADE);
    const bool bCrossed = backdrop.get(SceneBackdrop::FLOOR_CROSSED) != 0;

    // One tile "piso_N", or the variants "piso_N_a", "piso_N_b", ... up to the first one missing.
    RIR::List<RIR::SmartPtr<Image>> lFloorTiles;
    RIR::String sName = RIR::String::format("piso_%d", backdrop.get(SceneBackdrop::FLOOR_TYPE));
    if (pApp->canLoadImage(sName.c_str()))
        lFloorTiles.append(pApp->getImage(sName.c_str()));
    else
    {
        sName = sName + "_";
        for (char c = 'a'; c <= 'z'; ++c)
        {
            const RIR::String sVariant = sName + RIR::String::format("%c", c);
            if (!pApp->canLoadImage(sVariant.c_str()))
                break;
            lFloorTiles.append(pApp->getImage(sVariant.c_str()));
        }
    }
    RIR_ASSERT(!lFloorTiles.isEmpty());
    const RIR::SmartPtr<Image> pFirst = lFloorTiles.get(0);
    if (pFirst->getWidth() <= 0 || pFirst->getHeight() <= 0)
        RIR_THROW(FatalErrorException, "Scene floor tiles are empty pictures");
    const int nTileW = pFirst->getWidth();
    const int nTileH = pFirst->getHeight();

    const int nFloorH = SCREEN_H - nStart;
    m_pFloorImage = pApp->createImage(SCREEN_W, nFloorH);
    RIR::SmartPtr<Image> pStrip = pApp->createImage(SCREEN_W, nTileH);
    for (int n = 0; n < lFloorTiles.getLength(); ++n)
    {
        RIR::SmartPtr<Image>& pTile = lFloorTiles.getNode(n)->m_value;
        pTile = inFormatOf(pTile, pStrip.get());
    }
    int nRows = nFloorH / nTileH;
    int nAlpha = nRows * nFade;
    for (int y = 0; y < nFloorH; y += nTileH)
    {
        const int x0 = bCrossed && (nRows & 1) ? -(nTileW / 2) : 0;
        for (int x = x0; x < SCREEN_W; x += nTileW)
        {
            const int nPick = worldRandom().range(0, lFloorTiles.getLength() - 1);
            pStrip->copyImage(lFloorTiles.get(nPick).get(), x, 0);
        }
        // The strip's alpha does not survive the verbatim copy; it is kept within 0..255.
        pStrip->setAlpha(nAlpha < 0 ? 0 : nAlpha > 255 ? 255 : nAlpha);
        m_pFloorImage->copyImage(pStrip.get(), 0, y);
        nAlpha -= nFade;
        --nRows;
    }
    for (int n = 0; n < backdrop.lFloorImages.getLength(); ++n)
    {
        const ScenePicturePlace& place = backdrop.lFloorImages.get(n);
        RIR::SmartPtr<Image> pImage = pApp->getImage(place.sName.c_str());
        // Pasting puts the insertion point at the given place: its top-left corner lands at
        // (x, y) on the screen.
        m_pFloorImage->blendImage(pImage.get(), place.nX + pImage->getInsPointX(),
                                  place.nY + pImage->getInsPointY() - nStart);
    }
    showSprite(m_pFloorImage, 0, nStart, DEPTH_FLOOR);
}

void Scene::composeWall(const SceneBackdrop& backdrop, const RIR::String& sFile)
{
    RIR_TRACE("Scene::composeWall");
    GameApp* pApp = app();
    const int nStart = backdrop.get(SceneBackdrop::FLOOR_START);
    const int nWallSet = backdrop.get(SceneBackdrop::WALL_TYPE);
    const int nHoleW = backdrop.get(SceneBackdrop::DOOR_HOLE_W);
    const int nHoleH = backdrop.get(SceneBackdrop::DOOR_HOLE_H);
    const int nDelta = backdrop.get(SceneBackdrop::DOOR_HOLE_DELTA);
    const int nHalf = nHoleW / 2;

    if (nStart <= 0)
        fail(sFile, "the floor starts at the top of the screen: there is no wall");
    RIR::SmartPtr<Image> pWall = pApp->createImage(SCREEN_W, nStart);
    int y0 = 0;
    if (backdrop.sWallUpper.length() > 0)
    {
        RIR::SmartPtr<Image> pUpper = tilePicture(
            RIR::String::format("pared_%d%s", nWallSet, backdrop.sWallUpper.c_str()), sFile);
        for (int x = 0; x < SCREEN_W; x += pUpper->getWidth())
            pWall->blendImage(pUpper.get(), x, 0);
        y0 = pUpper->getHeight();
    }
    const RIR::SmartPtr<Image> pMain =
        inFormatOf(tilePicture(RIR::String::format("pared_%d", nWallSet), sFile), pWall.get());
    for (int y = y0; y < nStart; y += pMain->getHeight())
        for (int x = 0; x < SCREEN_W; x += pMain->getWidth())
            pWall->copyImage(pMain.get(), x, y);
    if (backdrop.sWallLower.length() > 0)
    {
        // Stands on the floor line.
        RIR::SmartPtr<Image> pLower = tilePicture(
            RIR::String::format("pared_%d%s", nWallSet, backdrop.sWallLower.c_str()), sFile);
        for (int x = 0; x < SCREEN_W; x += pLower->getWidth())
            pWall->blendImage(pLower.get(), x + pLower->getInsPointX(),
                              nStart - pLower->getHeight() + pLower->getInsPointY());
    }
    for (int n = 0; n < backdrop.lWallImages.getLength(); ++n)
    {
        const ScenePicturePlace& place = backdrop.lWallImages.get(n);
        RIR::SmartPtr<Image> pImage = pApp->getImage(place.sName.c_str());
        pWall->blendImage(pImage.get(), place.nX + pImage->getInsPointX(),
                          place.nY + pImage->getInsPointY());
    }
    RIR::SmartPtr<Image> pOutside;
    if (m_sBackground.length() > 0)
        pOutside = pApp->getImage(m_sBackground.c_str());

    // A piece of the wall, or of the outside picture, shown in place; empty pieces are left out
    // and the outside picture is cut to its own size.
    auto showPiece = [this](const RIR::SmartPtr<Image>& pFrom, int x, int y, int w, int h,
                            int nDepth) {
        if (x < 0)
        {
            w += x;
            x = 0;
        }
        if (y < 0)
        {
            h += y;
            y = 0;
        }
        if (x + w > pFrom->getWidth())
            w = pFrom->getWidth() - x;
        if (y + h > pFrom->getHeight())
            h = pFrom->getHeight() - y;
        if (w <= 0 || h <= 0)
            return;
        showSprite(pFrom->createSubImage(x, y, w, h, false), x, y, nDepth);
    };

    const int nHoleLeft = DOOR_X - nHalf;
    const int nHoleRight = DOOR_X + nHalf;
    if (nHoleW < 0 || nHoleH < 0 || nDelta < 0 || nHoleLeft < 0 || nHoleH + nDelta > nStart)
        fail(sFile, RIR::String::format("the door hole (%d x %d, %d above the floor) does not fit "
                                        "in the wall",
                                        nHoleW, nHoleH, nDelta));

    const RIR::List<ScenePicturePlace>& lWindowNames = backdrop.lWindows;
    if (lWindowNames.isEmpty())
    {
        showPiece(pWall, 0, 0, nHoleLeft, nStart, DEPTH_WALL);
        showPiece(pWall, nHoleRight, 0, SCREEN_W - nHoleRight, nStart, DEPTH_WALL);
    }
    else
    {
        RIR_ASSERT(lWindowNames.getLength() == 2);
        bool abHalfUsed[2] = {false, false};
        for (int n = 0; n < lWindowNames.getLength(); ++n)
        {
            const ScenePicturePlace& window = lWindowNames.get(n);
            RIR::SmartPtr<Image> pWindow = pApp->getImage(window.sName.c_str());
            const int wx = window.nX;
            const int wy = window.nY;
            const int wr = wx + pWindow->getWidth();
            const int wb = wy + pWindow->getHeight();
            const bool bLeft = wx < DOOR_X;
            const int nLo = bLeft ? 0 : nHoleRight;
            const int nHi = bLeft ? nHoleLeft : SCREEN_W;
            if (wx < nLo || wr > nHi || wy < 0 || wb > nStart)
                fail(sFile, RIR::String::format("the window %s at (%d, %d) does not fit in its "
                                                "half of the wall",
                                                window.sName.c_str(), wx, wy));
            if (abHalfUsed[bLeft ? 0 : 1])
                fail(sFile, "the two windows must stand on either side of the door");
            abHalfUsed[bLeft ? 0 : 1] = true;
            showPiece(pWall, nLo, 0, wx - nLo, nStart, DEPTH_WALL);
            showPiece(pWall, wr, 0, nHi - wr, nStart, DEPTH_WALL);
            showPiece(pWall, wx, 0, wr - wx, wy, DEPTH_WALL);
            showPiece(pWall, wx, wb, wr - wx, nStart - wb, DEPTH_WALL);
            showSprite(pWindow, wx, wy, DEPTH_WALL_FRONT);
            if (pOutside)
                showPiece(pOutside, wx, wy, wr - wx, wb - wy, DEPTH_OUTSIDE);
        }
    }

    // The door hole: the wall above it and, when it stands above the floor line, below it.
    showPiece(pWall, nHoleLeft, 0, nHoleW, nStart - nDelta - nHoleH, DEPTH_WALL);
    if (nDelta > 0)
        showPiece(pWall, nHoleLeft, nStart - nDelta, nHoleW, nDelta, DEPTH_WALL);
    RIR::SmartPtr<Image> pFrame = pApp->getImage(
        RIR::String::format("puerta_%d", backdrop.get(SceneBackdrop::DOOR_TYPE)).c_str());
    showSprite(pFrame, DOOR_X - backdrop.get(SceneBackdrop::DOOR_DX),
               nStart - backdrop.get(SceneBackdrop::DOOR_DY), DEPTH_WALL_FRONT);
    if (pOutside)
        showPiece(pOutside, nHoleLeft, nStart - nDelta - nHoleH, nHoleW, nHoleH, DEPTH_OUTSIDE);

    if (backdrop.sDoorAnim.length() > 0)
    {
        RIR::SmartPtr<AnimSprite> pDoor =
            new AnimSprite(pApp->getAnimationByName(backdrop.sDoorAnim.c_str()),
                           DOOR_X + backdrop.get(SceneBackdrop::DOOR_OPEN_DX),
                           nStart - nDelta + backdrop.get(SceneBackdrop::DOOR_OPEN_DY),
                           DEPTH_WALL_FRONT);
        if (IPlayMode::hasPlayMode())
        {
            GameMode* pScreen = IPlayMode::getPlayMode()->getPlayScreen();
            if (pScreen)
                pScreen->addSprite(pDoor);
            IPlayMode::getPlayMode()->addAnimSprite(pDoor);
        }
        setDoor(pDoor);
    }
}
