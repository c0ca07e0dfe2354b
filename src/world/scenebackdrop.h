// SceneBackdrop: what a scene file says about the saloon's fixed backdrop, gathered while the file
// is read (Scene::load) and composed once it has been read (Scene::composeBackdrop).
//
// The floor is rows of tiles "piso_<tile set>" (or the variants "piso_<set>_a", "_b", ...),
// every other row shifted by half a tile when crossed; the wall is "pared_<wall set>" repeated,
// with optional upper and lower strips "pared_<set><suffix>"; wall and floor pictures are pasted
// in; two windows (or none) and the door hole open the wall onto the outside picture; the door
// frame "puerta_<n>" and the door animation stand in the hole. A value a file must give is marked
// given when its line has been read.
#ifndef DBD_WORLD_SCENEBACKDROP_H
#define DBD_WORLD_SCENEBACKDROP_H

#include "rir2/list.h"
#include "rir2/rirstring.h"

// A picture pasted at a screen position: its top-left corner lands at (x, y).
struct ScenePicturePlace
{
    RIR::String sName;
    int nX = 0;
    int nY = 0;
};

struct SceneBackdrop
{
    // The values every scene file gives, in the order of the keyword table; the index of each
    // in abGiven.
    enum Value
    {
        FLOOR_START,
        FLOOR_TYPE,
        FLOOR_CROSSED,
        FLOOR_FADE,
        WALL_TYPE,
        DOOR_TYPE,
        DOOR_HOLE_W,
        DOOR_HOLE_H,
        DOOR_HOLE_DELTA,
        DOOR_DX,
        DOOR_DY,
        DOOR_OPEN_DX,
        DOOR_OPEN_DY,
        VALUE_COUNT
    };

    int anValues[VALUE_COUNT] = {};
    bool abGiven[VALUE_COUNT] = {};
    // The keyword of each value, for the error naming a missing one.
    static const char* valueKeyword(int nValue);

    int get(Value nValue) const { return anValues[nValue]; }
    void set(Value nValue, int n)
    {
        anValues[nValue] = n;
        abGiven[nValue] = true;
    }

    int nFloorEnd = 0;
    RIR::String sWallUpper;
    RIR::String sWallLower;
    RIR::String sDoorAnim;
    RIR::List<ScenePicturePlace> lWallImages;
    RIR::List<ScenePicturePlace> lFloorImages;
    RIR::List<ScenePicturePlace> lWindows;
};

#endif
