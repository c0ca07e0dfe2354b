// Fuzz target: the picture side files ".subimage" and ".spec". The input holds both texts, the
// ".subimage" text up to the first zero byte and the ".spec" text after it (without a zero byte
// the whole input is both). Each is read on its own (readSubImageDef, readCanvasSpec), then a
// picture "pic" is loaded with both side files from an in-memory image environment that holds
// the 4 x 4 picture "base", and the result is drawn onto a blank image.
// Invariant: a sub-image definition that reads names as its parent one token of its text, and a
// picture that loads has a size of zero or more.
#include "gfx/imagesidefiles.h"
#include "fuzzcheck.h"
#include "gfx/image.h"
#include "gfx/imageenv.h"
#include "gfx/rect.h"
#include "rir2/exception.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"
#include "testkit/memimage.h"
#include "testkit/memimageenv.h"
#include "testkit/memimagefactory.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace
{

MemImageFactory& factory()
{
    static MemImageFactory s_factory;
    return s_factory;
}

void readSubImage(const std::string& sText)
{
    try
    {
        SubImageDef def = readSubImageDef(sText.c_str());
        // The broken reader keeps the rest of the line with the parent's name.
        if (fuzzBrokenReader())
            def.m_sParent += " x";
        // The parent is one of the blank-separated tokens of the text.
        FUZZ_CHECK(std::strchr(def.m_sParent.c_str(), ' ') == nullptr);
        FUZZ_CHECK(std::strstr(sText.c_str(), def.m_sParent.c_str()) != nullptr);
    }
    catch (const RIR::Exception&)
    {
    }
}

void readSpec(const std::string& sText)
{
    try
    {
        RIR::SmartPtr<Image> pImage(factory().createEmpty());
        readCanvasSpec(sText.c_str(), "pic.spec", pImage.get());
    }
    catch (const RIR::Exception&)
    {
    }
}

// Two in-memory image environments, made once for the run and kept reachable from here: one where
// "pic" is a sub-image (its ".subimage" text replaced for every input), one where it is a picture
// of its own. Both hold "base"; the pictures are encoded once. The side files an input gives
// replace those of the input before, and the image cache is emptied after every load, so no
// picture read from one input is seen by the next.
struct SideFileWorld
{
    SideFileWorld() : m_subImageEnv(&factory()), m_pictureEnv(&factory())
    {
        static const uint8_t s_abPixels[4 * 4 * 4] = {
            255, 0,  0,  255, 0,  255, 0,  255, 0,  0,  255, 255, 255, 255, 255, 0,
            10,  20, 30, 128, 40, 50,  60, 255, 70, 80, 90,  0,   1,   2,   3,   255,
            255, 0,  0,  255, 0,  255, 0,  255, 0,  0,  255, 255, 255, 255, 255, 0,
            10,  20, 30, 128, 40, 50,  60, 255, 70, 80, 90,  0,   1,   2,   3,   255,
        };
        m_subImageEnv.addPicture("base", 4, 4, 4, s_abPixels);
        m_pictureEnv.getProvider().add("base.png",
                                       m_subImageEnv.getProvider().load("base.png"));
        m_pictureEnv.addPicture("pic", 4, 4, 4, s_abPixels);
    }
    MemImageEnvironment m_subImageEnv;
    MemImageEnvironment m_pictureEnv;
};

SideFileWorld& world()
{
    static SideFileWorld* s_pWorld = new SideFileWorld();
    return *s_pWorld;
}

void loadPicture(const std::string& sSubImage, const std::string& sSpec, bool bSubImage)
{
    MemImageEnvironment& env = bSubImage ? world().m_subImageEnv : world().m_pictureEnv;
    setImageEnvironment(&env);
    try
    {
        if (bSubImage)
            env.addText("pic.subimage", sSubImage.c_str());
        env.addText("pic.spec", sSpec.c_str());
        RIR::SmartPtr<Image> pPic = env.getImage("pic");
        FUZZ_CHECK(pPic);
        FUZZ_CHECK(pPic->getPhysicalWidth() >= 0 && pPic->getPhysicalHeight() >= 0);
        RIR::SmartPtr<Image> pTarget(factory().createBlank(8, 8, true));
        pTarget->blendImage(pPic.get(), 2, 2);
        pTarget->copyRect(pPic.get(), pPic->getVirtualRect(), 1, 1);
        pTarget->copyRect(pPic.get(), pPic->getPhysicalRect(), -1, 3);
        // A part of it, the way sprites cut frames out of a picture.
        RIR::SmartPtr<Image> pPart = pPic->createSubImage(1, 1, 2, 2, false);
        pTarget->blendImage(pPart.get(), 0, 0);
    }
    catch (const RIR::Exception&)
    {
    }
    env.clearImageCache();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize > FUZZ_MAX_INPUT)
        nSize = FUZZ_MAX_INPUT;
    const char* pszText = reinterpret_cast<const char*>(pData);
    const void* pZero = std::memchr(pData, 0, nSize);
    std::string sSubImage;
    std::string sSpec;
    if (pZero == nullptr)
    {
        sSubImage.assign(pszText, nSize);
        sSpec = sSubImage;
    }
    else
    {
        const size_t nAt = (size_t)(static_cast<const uint8_t*>(pZero) - pData);
        sSubImage.assign(pszText, nAt);
        sSpec.assign(pszText + nAt + 1, nSize - nAt - 1);
        // The canvas text also ends at a further zero byte, as the readers see it.
        sSpec.resize(std::strlen(sSpec.c_str()));
    }
    readSubImage(sSubImage);
    readSpec(sSpec);
    loadPicture(sSubImage, sSpec, true);
    loadPicture(sSubImage, sSpec, false);
    return 0;
}
