// Fuzz target: AnimationLoader over a script. The input is the script "main.anim" (and also
// "inc.anim", for "include"), read in an in-memory image environment that holds a few small
// pictures ("a", "b", "c", "pic1" to "pic3", "pic01" to "pic03", "walk_a", "walk_b"), with the
// parameters "a" and "b". It is loaded step by step; every frame of the animation it builds is
// then drawn onto a blank image. Script errors raise AnimationParserException (a RIR::Exception).
// Invariant: a script that loads gives an animation whose every sequence counts only valid frames.
#include "gfx/animationloader.h"
#include "fuzzcheck.h"
#include "gfx/animation.h"
#include "gfx/image.h"
#include "rir2/exception.h"
#include "rir2/list.h"
#include "rir2/list_impl.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"
#include "testkit/memimageenv.h"
#include "testkit/memimagefactory.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace
{

MemImageFactory& factory()
{
    static MemImageFactory s_factory;
    return s_factory;
}

void addPicture(MemImageEnvironment& env, const char* pszName, int nWidth, int nHeight,
                uint8_t nShade)
{
    std::vector<uint8_t> abPixels;
    for (int i = 0; i < nWidth * nHeight; ++i)
    {
        // A transparent first pixel, so that trimming and alpha have something to do.
        const uint8_t a = i == 0 ? 0 : 255;
        abPixels.insert(abPixels.end(), {nShade, (uint8_t)(255 - nShade), (uint8_t)i, a});
    }
    env.addPicture(pszName, nWidth, nHeight, 4, abPixels.data());
}

void drawFrames(Animation* pAnim)
{
    RIR::SmartPtr<Image> pTarget(factory().createBlank(16, 16, true));
    const RIR::List<RIR::String> lSeqs = pAnim->getSequenceNames();
    for (int i = 0; i < lSeqs.getLength(); ++i)
    {
        const RIR::String sSeq = lSeqs.get(i);
        const char* pszSeq = sSeq.c_str();
        // The broken loader counts one frame more than it built.
        const int nFrames = pAnim->getFrameCount(pszSeq) + (fuzzBrokenReader() ? 1 : 0);
        FUZZ_CHECK(nFrames >= 0);
        for (int j = 0; j < nFrames; ++j)
        {
            FUZZ_CHECK(pAnim->isValidFrame(pszSeq, j));
            RIR::SmartPtr<Image> pImage = pAnim->getFrameImage(pszSeq, j);
            if (pImage)
                pTarget->blendImage(pImage.get(), 8, 8);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    // Scripts are short; a long one only makes each run slower.
    if (nSize > 64 * 1024)
        nSize = 64 * 1024;
    MemImageEnvironment env(&factory());
    addPicture(env, "a", 4, 2, 200);
    addPicture(env, "b", 4, 2, 100);
    addPicture(env, "c", 3, 3, 50);
    addPicture(env, "walk_a", 4, 2, 10);
    addPicture(env, "walk_b", 4, 2, 20);
    for (int i = 1; i <= 3; ++i)
    {
        addPicture(env, RIR::String::format("pic%d", i).c_str(), 2, 2, (uint8_t)(i * 60));
        addPicture(env, RIR::String::format("pic%02d", i).c_str(), 1, 3, (uint8_t)(i * 70));
    }
    env.addResource("main.anim", pData, (int)nSize);
    env.addResource("inc.anim", pData, (int)nSize);

    RIR::List<RIR::String> lParams;
    lParams.append("a");
    lParams.append("b");
    try
    {
        RIR::SmartPtr<AnimationLoader> pLoader = new AnimationLoader();
        pLoader->setParams(lParams);
        pLoader->begin("main.anim");
        while (!pLoader->isDone())
            pLoader->step();
        RIR::SmartPtr<Animation> pAnim = pLoader->getAnimation();
        FUZZ_CHECK(pAnim);
        drawFrames(pAnim.get());
    }
    catch (const RIR::Exception&)
    {
    }
    return 0;
}
