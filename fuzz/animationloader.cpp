// Fuzz target: AnimationLoader over a script. The input is the script "main.anim" (and also
// "inc.anim", for "include"), read in an in-memory image environment that holds a few small
// pictures ("a", "b", "c", "pic1" to "pic3", "pic01" to "pic03", "walk_a", "walk_b"), with the
// parameters "a" and "b". It is loaded step by step; every frame of the animation it builds is
// then drawn onto a blank image. Script errors raise AnimationParserException (a RIR::Exception).
// Invariant: a script that loads gives an animation whose every sequence counts only valid frames,
// and which the saver writes back (or refuses) so that reading it again gives the same animation.
#include "gfx/animationloader.h"
#include "fuzzcheck.h"
#include "gfx/animation.h"
#include "gfx/animationwriter.h"
#include "gfx/image.h"
#include "rir2/exception.h"
#include "rir2/file.h"
#include "rir2/hash_impl.h"
#include "rir2/list.h"
#include "rir2/list_impl.h"
#include "rir2/refcount.h"
#include "rir2/resource.h"
#include "rir2/resourcefile.h"
#include "rir2/resourcefilecompiler.h"
#include "rir2/rirstring.h"
#include "testkit/memimageenv.h"
#include "testkit/memimagefactory.h"
#include "testkit/testpng.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{

MemImageFactory& factory()
{
    static MemImageFactory s_factory;
    return s_factory;
}

// One picture of the environment, encoded once: every input gets a fresh environment holding
// copies of the same bytes.
struct EncodedPicture
{
    std::string sResource;
    std::vector<uint8_t> abPng;
};

EncodedPicture encodePicture(const char* pszName, int nWidth, int nHeight, uint8_t nShade)
{
    std::vector<uint8_t> abPixels;
    for (int i = 0; i < nWidth * nHeight; ++i)
    {
        // A transparent first pixel, so that trimming and alpha have something to do.
        const uint8_t a = i == 0 ? 0 : 255;
        abPixels.insert(abPixels.end(), {nShade, (uint8_t)(255 - nShade), (uint8_t)i, a});
    }
    return {std::string(pszName) + ".png", encodeTestPng(nWidth, nHeight, 4, abPixels.data())};
}

const std::vector<EncodedPicture>& pictures()
{
    static const std::vector<EncodedPicture> s_aPictures = []
    {
        std::vector<EncodedPicture> aPictures = {
            encodePicture("a", 4, 2, 200), encodePicture("b", 4, 2, 100),
            encodePicture("c", 3, 3, 50), encodePicture("walk_a", 4, 2, 10),
            encodePicture("walk_b", 4, 2, 20)};
        for (int i = 1; i <= 3; ++i)
        {
            aPictures.push_back(
                encodePicture(RIR::String::format("pic%d", i).c_str(), 2, 2, (uint8_t)(i * 60)));
            aPictures.push_back(
                encodePicture(RIR::String::format("pic%02d", i).c_str(), 1, 3, (uint8_t)(i * 70)));
        }
        return aPictures;
    }();
    return s_aPictures;
}

// The 1 x 1 picture that stands for every frame picture in the round trip.
const std::vector<uint8_t>& framePng()
{
    static const std::vector<uint8_t> s_abPng = []
    {
        const uint8_t abPixel[4] = {1, 2, 3, 255};
        return encodeTestPng(1, 1, 4, abPixel);
    }();
    return s_abPng;
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

// Speeds are written with two decimals.
bool sameSpeed(float fA, float fB)
{
    // A speed out of the float range is infinite and one that is not a number stays so: both
    // are written as such and read back unchanged.
    if (std::isnan(fA) || std::isnan(fB))
        return std::isnan(fA) && std::isnan(fB);
    if (fA == fB)
        return true;
    return std::fabs(fA - fB) <= std::max(0.006f, std::fabs(fA) * 1e-6f);
}

// The properties a holder has of its own, as "key=value" lines in the holder's order.
std::string ownProps(PropHolder* pHolder)
{
    std::string sProps;
    const RIR::List<RIR::String> lKeys = pHolder->getPropNames();
    for (int i = 0; i < lKeys.getLength(); ++i)
        sProps += std::string(lKeys.get(i).c_str()) + "=" +
                  pHolder->getProp(lKeys.get(i).c_str()).c_str() + "\n";
    return sProps;
}

// Writes the animation with the saver, each distinct frame picture named "img<n>", and reads the
// script back with those pictures loaded; checks that every value came back. A saver that refuses
// (a name it could not write back) raises, which is an answer too.
void checkRoundTrip(Animation* pAnim, MemImageEnvironment& env)
{
    RIR::Hash<Image*, RIR::String> hNames;
    int nNamed = 0;
    std::string sLoads;
    const RIR::List<RIR::String> lSeqs = pAnim->getSequenceNames();
    for (int i = 0; i < lSeqs.getLength(); ++i)
        for (int j = 0; j < pAnim->getFrameCount(lSeqs.get(i).c_str()); ++j)
        {
            const RIR::String sSeq = lSeqs.get(i);
            Image* pImage = pAnim->getFrameImage(sSeq.c_str(), j).get();
            if (pImage && !hNames.contains(pImage))
            {
                const RIR::String sName = RIR::String::format("img%d", nNamed++);
                hNames.set(pImage, sName);
                env.addResource((RIR::String(sName) + ".png").c_str(), framePng().data(),
                                (int)framePng().size());
                sLoads += std::string("load ") + sName.c_str() + "\n";
            }
        }

    static const std::string s_sPath = "/tmp/fuzz_animation_" + std::to_string(getpid()) + ".dat";
    {
        RIR::File* pFile = new RIR::File(s_sPath.c_str(), RIR::FOM_WRITE);
        RIR::SmartPtr<RIR::ResourceFileCompiler> pPack =
            new RIR::ResourceFileCompiler(RIR::SmartPtr<RIR::Stream>(pFile));
        pPack->begin();
        RIR::SmartPtr<AnimationSaver> pSaver = new AnimationSaver();
        pSaver->save(pAnim, pPack, "saved.anim", &hNames);
        pPack->finish();
        pFile->close();
    }
    std::string sSaved;
    {
        RIR::ResourceFile pack(s_sPath.c_str());
        RIR::SmartPtr<RIR::Resource> pEntry(pack.load("saved.anim"));
        sSaved = pEntry->asString().c_str();
    }
    unlink(s_sPath.c_str());
    env.addText("saved.anim", sSaved.c_str());
    env.addText("reread.anim", (sLoads + "include saved.anim\n").c_str());
    RIR::SmartPtr<AnimationLoader> pLoader = new AnimationLoader();
    RIR::SmartPtr<Animation> pBack = pLoader->load("reread.anim");
    FUZZ_CHECK(pBack);

    FUZZ_CHECK(sameSpeed(pAnim->getFPS(), pBack->getFPS()));
    FUZZ_CHECK(pAnim->getDefaultSequence() == pBack->getDefaultSequence());
    FUZZ_CHECK(ownProps(pAnim) == ownProps(pBack.get()));
    FUZZ_CHECK(pBack->getSequenceNames().getLength() == lSeqs.getLength());
    for (int i = 0; i < lSeqs.getLength(); ++i)
    {
        const RIR::String sSeq = lSeqs.get(i);
        const char* pszSeq = sSeq.c_str();
        FUZZ_CHECK(pBack->getSequence(pszSeq));
        FUZZ_CHECK(pAnim->getSequenceLoop(pszSeq) == pBack->getSequenceLoop(pszSeq));
        FUZZ_CHECK(sameSpeed(pAnim->getSequenceSpeed(pszSeq), pBack->getSequenceSpeed(pszSeq)));
        FUZZ_CHECK(ownProps(pAnim->getSequence(pszSeq).get()) ==
                   ownProps(pBack->getSequence(pszSeq).get()));
        int nFrames = pAnim->getFrameCount(pszSeq);
        // The broken writer loses a sequence's last frame.
        if (fuzzBrokenReader())
            ++nFrames;
        FUZZ_CHECK(nFrames == pBack->getFrameCount(pszSeq));
        for (int j = 0; j < nFrames; ++j)
        {
            FUZZ_CHECK(pAnim->getFrameDuration(pszSeq, j) == pBack->getFrameDuration(pszSeq, j));
            FUZZ_CHECK(ownProps(pAnim->getFrame(pszSeq, j).get()) ==
                       ownProps(pBack->getFrame(pszSeq, j).get()));
            Image* pImage = pAnim->getFrameImage(pszSeq, j).get();
            RIR::SmartPtr<Image> pImageBack = pBack->getFrameImage(pszSeq, j);
            FUZZ_CHECK((pImage == nullptr) == !pImageBack);
            if (pImage)
                FUZZ_CHECK(pImageBack->getName() == hNames.get(pImage));
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
    for (const EncodedPicture& picture : pictures())
        env.addResource(picture.sResource.c_str(), picture.abPng.data(), (int)picture.abPng.size());
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
        checkRoundTrip(pAnim.get(), env);
    }
    catch (const RIR::Exception&)
    {
    }
    return 0;
}
