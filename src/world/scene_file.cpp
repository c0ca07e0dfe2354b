// Scene: the scene file reader. One command per line, the keyword first (compared lower-cased),
// read with the token reader; lines that place things (sprites, blocks, bars, sinks, sources, the
// register) act at once, the backdrop's values are gathered and composed after the last line.
#include "world/scene.h"

#include "world/scenebackdrop.h"

#include "app/gameapp.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"
#include "rir2/tokenfilereader.h"

#include <cstdlib>
#include <cstring>

namespace
{

const int FLOOR_ROWS = 12;
const int SCREEN_HEIGHT = 600;
// Numbers of a scene file are positions, depths and sizes on an 800 x 600 screen; anything
// beyond this is cut to it, so that no position arithmetic can overflow.
const long NUMBER_LIMIT = 1000000;

int numberAt(const RIR::List<RIR::String>& lTokens, int nIndex)
{
    return Scene::readFileNumber(lTokens.get(nIndex));
}

void needTokens(const RIR::List<RIR::String>& lTokens, int nNeeded, const RIR::String& sLine)
{
    if (lTokens.getLength() < nNeeded)
        RIR_THROW(FatalErrorException,
                  RIR::String::format("Needed %d tokens on %s", nNeeded, sLine.c_str()).c_str());
}

ScenePicturePlace picturePlace(const RIR::List<RIR::String>& lTokens)
{
    ScenePicturePlace place;
    place.sName = lTokens.get(1);
    place.nX = numberAt(lTokens, 2);
    place.nY = numberAt(lTokens, 3);
    return place;
}

struct ValueKeyword
{
    const char* pszKeyword;
    SceneBackdrop::Value nValue;
};

// The keywords of the single values, in the order of SceneBackdrop::Value.
const ValueKeyword VALUE_KEYWORDS[] = {
    {"floorstart", SceneBackdrop::FLOOR_START},
    {"floortype", SceneBackdrop::FLOOR_TYPE},
    {"floorcrossed", SceneBackdrop::FLOOR_CROSSED},
    {"floorfade", SceneBackdrop::FLOOR_FADE},
    {"walltype", SceneBackdrop::WALL_TYPE},
    {"doortype", SceneBackdrop::DOOR_TYPE},
    {"doorholew", SceneBackdrop::DOOR_HOLE_W},
    {"doorholeh", SceneBackdrop::DOOR_HOLE_H},
    {"doorholedelta", SceneBackdrop::DOOR_HOLE_DELTA},
    {"doordx", SceneBackdrop::DOOR_DX},
    {"doordy", SceneBackdrop::DOOR_DY},
    {"dooropendx", SceneBackdrop::DOOR_OPEN_DX},
    {"dooropendy", SceneBackdrop::DOOR_OPEN_DY},
};

RIR::String fileError(const RIR::String& sFile, const RIR::String& sWhat)
{
    return RIR::String::format("Scene file %s: %s", sFile.c_str(), sWhat.c_str());
}

} // namespace

const char* SceneBackdrop::valueKeyword(int nValue)
{
    for (const ValueKeyword& k : VALUE_KEYWORDS)
        if (k.nValue == nValue)
            return k.pszKeyword;
    return "";
}

int Scene::readFileNumber(const RIR::String& sToken)
{
    long n = std::strtol(sToken.c_str(), nullptr, 10);
    if (n > NUMBER_LIMIT)
        n = NUMBER_LIMIT;
    if (n < -NUMBER_LIMIT)
        n = -NUMBER_LIMIT;
    return (int)n;
}

int Scene::parseDepth(const RIR::String& sWord)
{
    if (sWord == "wall")
        return 3;
    if (std::strncmp(sWord.c_str(), "row", 3) == 0)
        return readFileNumber(RIR::String(sWord.c_str() + 3)) * 100 + 6;
    if (sWord == "floor")
        return 1;
    return 0;
}

void Scene::load(const RIR::String& sName)
{
    RIR_TRACE("Scene::load");
    RIR::setTraceParams(sName.c_str());
    buildGrid();
    GameApp* pApp = GameApp::getInstance();
    RIR_ASSERT(pApp != NULL);
    RIR::SmartPtr<RIR::Resource> pResource = pApp->getResource(sName.c_str());
    const RIR::String sText = pResource->asString();
    RIR::TokenFileReader reader(sText.c_str());

    SceneBackdrop backdrop;
    while (!reader.isEmpty())
    {
        reader.nextLine();
        const RIR::List<RIR::String>& lTokens = reader.getTokens();
        if (lTokens.isEmpty())
            continue;
        const RIR::String sKey = lTokens.get(0).toLower();
        RIR_TRACE_LINE();

        bool bValue = false;
        for (const ValueKeyword& k : VALUE_KEYWORDS)
        {
            if (sKey == k.pszKeyword)
            {
                backdrop.set(k.nValue, numberAt(lTokens, 1));
                bValue = true;
                break;
            }
        }
        if (bValue)
        {
            if (sKey == "floorstart")
                setFloorStart(backdrop.get(SceneBackdrop::FLOOR_START));
            continue;
        }

        if (sKey == "floorend")
        {
            backdrop.nFloorEnd = numberAt(lTokens, 1);
            setFloorEnd(backdrop.nFloorEnd);
        }
        else if (sKey == "background")
            m_sBackground = lTokens.get(1);
        else if (sKey == "dooranim")
            backdrop.sDoorAnim = lTokens.get(1);
        else if (sKey == "wallupper")
            backdrop.sWallUpper = lTokens.get(1);
        else if (sKey == "walllower")
            backdrop.sWallLower = lTokens.get(1);
        else if (sKey == "tablespotdy" || sKey == "tablespotwidth" || sKey == "tablespotheight" ||
                 sKey == "tablespotmugdx" || sKey == "tablespotmugdy" || sKey == "barfloorheight")
            readTableSpotValue(sKey, numberAt(lTokens, 1));
        else if (sKey == "sprite")
        {
            needTokens(lTokens, 6, reader.getLine());
            readSpriteLine(lTokens);
        }
        else if (sKey == "wallimage" || sKey == "floorimage" || sKey == "window")
        {
            needTokens(lTokens, 4, reader.getLine());
            RIR::List<ScenePicturePlace>& lPlaces = sKey == "wallimage"    ? backdrop.lWallImages
                                                    : sKey == "floorimage" ? backdrop.lFloorImages
                                                                           : backdrop.lWindows;
            lPlaces.append(picturePlace(lTokens));
        }
        else if (sKey == "block")
            blockSquare(numberAt(lTokens, 1), numberAt(lTokens, 2));
        else if (sKey == "wantedposter")
            readPosterLine(lTokens);
        else if (sKey == "register")
            readRegisterLine(lTokens);
        else if (sKey == "bar" || sKey == "sink" || sKey == "source")
            readSpotLine(lTokens);
        else if (sKey == "tableimages")
            readTableImagesLine(lTokens);
        // Any other keyword is skipped.
    }

    // Every value without a start value must have been given: nothing is left undefined.
    for (int n = 0; n < SceneBackdrop::VALUE_COUNT; ++n)
    {
        const bool bDoorAnimValue = n == SceneBackdrop::DOOR_OPEN_DX || n == SceneBackdrop::DOOR_OPEN_DY;
        if (bDoorAnimValue && backdrop.sDoorAnim.length() == 0)
            continue;
        if (!backdrop.abGiven[n])
            RIR_THROW(FatalErrorException,
                      fileError(sName, RIR::String::format("no \"%s\" line",
                                                           SceneBackdrop::valueKeyword(n)))
                          .c_str());
    }
    // A floor less than a row of 12 pixels would make the squares 0 pixels high (every pixel
    // lookup divides by the square height); a floor off the screen has no picture.
    const int nStart = backdrop.get(SceneBackdrop::FLOOR_START);
    const int nEnd = backdrop.nFloorEnd;
    if (nEnd - nStart < FLOOR_ROWS)
        RIR_THROW(FatalErrorException,
                  fileError(sName, RIR::String::format("the floor from %d to %d is less than %d "
                                                       "pixels high",
                                                       nStart, nEnd, FLOOR_ROWS))
                      .c_str());
    if (nStart < 0 || nEnd > SCREEN_HEIGHT)
        RIR_THROW(FatalErrorException,
                  fileError(sName, RIR::String::format("the floor from %d to %d does not lie on "
                                                       "the screen (0 to %d)",
                                                       nStart, nEnd, SCREEN_HEIGHT))
                      .c_str());
    composeBackdrop(backdrop, sName);
}
