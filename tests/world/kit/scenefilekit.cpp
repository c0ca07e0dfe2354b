// SceneFileKit (scenefilekit.h).
#include "world/kit/scenefilekit.h"

#include "testkit/fakeplatform.h"
#include "testkit/memimagefactory.h"
#include "testkit/testpng.h"

#include "rir2/resource.h"

#include <cstring>
#include <vector>

SceneFileKit::SceneFileKit() : m_pProvider(new RIR::MemoryResourceProvider())
{
    FakePlatform* pPlatform = new FakePlatform();
    pPlatform->adoptImageFactory(new MemImageFactory());
    m_app.setPlatform(pPlatform);
    m_app.init(800, 600, 0, RIR::SmartPtr<Image>());
    m_app.addProvider(m_pProvider, false);
}

SceneFileKit::~SceneFileKit()
{
}

void SceneFileKit::addText(const char* pszName, const std::string& sText)
{
    char* pData = new char[sText.size() + 1];
    std::memcpy(pData, sText.data(), sText.size());
    m_pProvider->add(pszName, new RIR::Resource((int)sText.size(), pData, true));
}

void SceneFileKit::addPicture(const char* pszName, int nWidth, int nHeight, uint32_t nRGBA)
{
    addSplitPicture(pszName, nWidth, nHeight, nRGBA, nRGBA);
}

void SceneFileKit::addSplitPicture(const char* pszName, int nWidth, int nHeight, uint32_t nLeft,
                                   uint32_t nRight)
{
    std::vector<uint8_t> abPixels;
    for (int n = 0; n < nWidth * nHeight; ++n)
    {
        const uint32_t nRGBA = n % nWidth < nWidth / 2 ? nLeft : nRight;
        abPixels.push_back((uint8_t)(nRGBA >> 24));
        abPixels.push_back((uint8_t)(nRGBA >> 16));
        abPixels.push_back((uint8_t)(nRGBA >> 8));
        abPixels.push_back((uint8_t)nRGBA);
    }
    std::vector<uint8_t> abPng = encodeTestPng(nWidth, nHeight, 4, abPixels.data());
    const std::string sName = std::string(pszName) + ".png";
    char* pData = new char[abPng.size()];
    std::memcpy(pData, abPng.data(), abPng.size());
    m_pProvider->add(sName.c_str(), new RIR::Resource((int)abPng.size(), pData, true));
}

void SceneFileKit::addStandardPictures()
{
    addPicture("piso_1", 60, 60, 0xa0703cffu);
    addPicture("pared_1", 100, 50, 0x704020ffu);
    addPicture("puerta_1", 140, 120, 0x503010ffu);
    addPicture("mesa", 100, 50);
    addPicture("mesa_back", 100, 20);
    addPicture("mesa_shadow", 110, 20, 0x00000060u);
    addPicture("silla", 40, 60);
    addPicture("silla_back", 40, 40);
    addPicture("silla_shadow", 40, 10, 0x00000060u);
    addPicture("barra", 72, 50);
    addPicture("grifo", 72, 60);
    addPicture("fregadero", 72, 50);
    addPicture("caja", 50, 40);
    addPicture("cartel", 60, 80);
    addPicture("ventana", 80, 60, 0xc0e0ff40u);
    addPicture("fuera", 800, 190, 0xe0b080ffu);
    addPicture("door_0", 60, 90);
    addPicture("door_1", 40, 90);
    addText("door.anim", "fps 10\nload door_0\nload door_1\n"
                         "seq open\nadd door_0\nadd door_1\n"
                         "seq close\nadd door_1\nadd door_0\n");
}

std::string SceneFileKit::minimalSceneText()
{
    return "floorstart 190\n"
           "floorend 550\n"
           "floortype 1\n"
           "floorcrossed 0\n"
           "floorfade 0\n"
           "walltype 1\n"
           "doortype 1\n"
           "doorholew 120\n"
           "doorholeh 100\n"
           "doorholedelta 10\n"
           "doordx 70\n"
           "doordy 120\n"
           "tablespotdy 10\n"
           "tablespotwidth 50\n"
           "tablespotheight 40\n"
           "tablespotmugdx 20\n"
           "tablespotmugdy -30\n"
           "barfloorheight 40\n"
           "tableimages mesa mesa_back silla silla_back silla_shadow\n";
}
