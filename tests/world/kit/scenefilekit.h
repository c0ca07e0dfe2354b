// SceneFileKit: an application with in-memory resources, for reading scene files in tests.
//
// It makes a GameApp on the fake platform with the in-memory image back-end and an in-memory
// resource provider, so that a test writes scene files, pictures and animation scripts by name
// and then loads a Scene from them. addStandardPictures adds every picture the minimal scene
// (minimalSceneText) names: floor tile, wall, door frame, table and chair pictures, the
// "mesa_shadow", a bar piece, a tap, a sink, a register, a poster frame and a door animation
// "door.anim" with "open" and "close".
//
// Usage:
//     SceneFileKit kit;
//     kit.addStandardPictures();
//     kit.addText("scene1.scene", SceneFileKit::minimalSceneText().c_str());
//     RIR::SmartPtr<Scene> pScene = new Scene;
//     pScene->load("scene1.scene");
#ifndef DBD_TESTS_WORLD_KIT_SCENEFILEKIT_H
#define DBD_TESTS_WORLD_KIT_SCENEFILEKIT_H

#include "app/gameapp.h"

#include "rir2/memprovider.h"

#include <cstdint>
#include <string>

class SceneFileKit
{
public:
    SceneFileKit();
    ~SceneFileKit();

    SceneFileKit(const SceneFileKit&) = delete;
    SceneFileKit& operator=(const SceneFileKit&) = delete;

    GameApp& app() { return m_app; }
    // Stores the text as a resource of that name.
    void addText(const char* pszName, const std::string& sText);
    // A picture of one colour (RGBA), stored as pszName + ".png".
    void addPicture(const char* pszName, int nWidth, int nHeight, uint32_t nRGBA = 0x806040ffu);
    // A picture of the left colour on its left half and the right colour on the rest.
    void addSplitPicture(const char* pszName, int nWidth, int nHeight, uint32_t nLeft,
                         uint32_t nRight);
    // The pictures and the door animation the minimal scene names.
    void addStandardPictures();

    // A scene file with every value a file must give: floor 190..550, tile set 1, wall set 1,
    // door frame 1 and a door hole of 120 x 100, table pictures; no windows, no spots.
    static std::string minimalSceneText();

private:
    GameApp m_app;
    RIR::MemoryResourceProvider* m_pProvider; // owned by the application
};

#endif
