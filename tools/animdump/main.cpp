// animdump: loads an animation script and prints what it built.
//
//     animdump <folder or pack> <script> [parameter ...]
//
// The script, its includes and its pictures come from the folder or resource pack; the words
// after the script are its parameters "(0)", "(1)", ... Pictures load into memory (PNG only, no
// display needed). The output lists the animation's frame rate, default sequence and properties,
// then every sequence in name order (an alias as "seq <alias> = <name>") with its loop flag,
// speed and properties, and every frame with its picture (name, size, insertion point), duration
// and properties. A script error is printed to standard error with exit code 1; wrong arguments
// give the usage and exit code 2.
#include "gfx/animation.h"
#include "gfx/animationloader.h"
#include "gfx/image.h"
#include "gfx/imageenv.h"
#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/fsprovider.h"
#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"
#include "rir2/resourcefile.h"
#include "testkit/memimagefactory.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace
{

// The image environment of the tool: resources from one provider, pictures cached by their
// lower-cased name and made by the in-memory image factory.
class ProviderImageEnvironment : public ImageEnvironment
{
public:
    ProviderImageEnvironment(RIR::ResourceProvider* pProvider, ImageFactory* pFactory)
        : m_pProvider(pProvider), m_pFactory(pFactory)
    {
        setImageEnvironment(this);
    }
    ~ProviderImageEnvironment() override
    {
        m_hImages.clear();
        setImageEnvironment(nullptr);
    }

    bool hasResource(const char* pszName) override
    {
        RIR_TRACE("ProviderImageEnvironment::hasResource");
        return pszName && *pszName && m_pProvider->exists(pszName);
    }
    RIR::SmartPtr<RIR::Resource> getResource(const char* pszName) override
    {
        RIR_TRACE("ProviderImageEnvironment::getResource");
        if (!hasResource(pszName))
        {
            RIR::String sMessage = RIR::String::format(
                "GameApp::getResource() : Resource '%s' not found", pszName ? pszName : "");
            RIR_THROW(ResourceException, sMessage.c_str());
        }
        return RIR::SmartPtr<RIR::Resource>(m_pProvider->load(pszName));
    }
    RIR::String resolveResourceName(const char* pszName, const char* const* ppszExtensions) override
    {
        RIR_TRACE("ProviderImageEnvironment::resolveResourceName");
        if (!ppszExtensions)
            return hasResource(pszName) ? RIR::String(pszName) : RIR::String();
        for (const char* const* pp = ppszExtensions; *pp; ++pp)
        {
            const RIR::String sName = RIR::String(pszName) + *pp;
            if (hasResource(sName.c_str()))
                return sName;
        }
        return RIR::String();
    }
    RIR::SmartPtr<Image> getImage(const char* pszName) override
    {
        RIR_TRACE("ProviderImageEnvironment::getImage");
        const RIR::String sKey = RIR::String(pszName).toLower();
        if (!m_hImages.contains(sKey))
            m_hImages.set(sKey, RIR::SmartPtr<Image>(m_pFactory->load(sKey.c_str())));
        return m_hImages.get(sKey);
    }
    ImageFactory* getImageFactory() override { return m_pFactory; }

private:
    RIR::ResourceProvider* m_pProvider;
    ImageFactory* m_pFactory;
    RIR::Hash<RIR::String, RIR::SmartPtr<Image>> m_hImages;
};

std::vector<std::string> sorted(const RIR::List<RIR::String>& lTexts)
{
    std::vector<std::string> result;
    for (int i = 0; i < lTexts.getLength(); ++i)
        result.push_back(lTexts.get(i).c_str());
    std::sort(result.begin(), result.end());
    return result;
}

void printProps(PropHolder* pHolder, const char* pszIndent)
{
    for (const std::string& sKey : sorted(pHolder->getPropNames()))
        std::printf("%sprop %s %s\n", pszIndent, sKey.c_str(),
                    pHolder->getProp(sKey.c_str()).c_str());
}

void dump(Animation* pAnim)
{
    RIR_TRACE("dump");
    std::printf("animation %s\n", pAnim->getName().c_str());
    std::printf("fps %.2f\n", (double)pAnim->getFPS());
    if (!pAnim->isEmpty())
        std::printf("default %s\n", pAnim->getDefaultSequence().c_str());
    printProps(pAnim, "");

    // A sequence registered under several names is listed once, under the first of them.
    const std::vector<std::string> names = sorted(pAnim->getSequenceNames());
    std::map<Sequence*, std::string> printed;
    for (const std::string& sName : names)
    {
        RIR::SmartPtr<Sequence> pSeq = pAnim->getSequence(sName.c_str());
        if (printed.count(pSeq.get()) == 0)
            printed[pSeq.get()] = sName;
    }
    for (const std::string& sName : names)
    {
        RIR::SmartPtr<Sequence> pSeq = pAnim->getSequence(sName.c_str());
        if (printed[pSeq.get()] != sName)
        {
            std::printf("seq %s = %s\n", sName.c_str(), printed[pSeq.get()].c_str());
            continue;
        }
        std::printf("seq %s%s fps %.2f frames %d\n", sName.c_str(), pSeq->getLoop() ? " loop" : "",
                    (double)pSeq->getSpeed(), pSeq->getFrameCount());
        printProps(pSeq.get(), "  ");
        for (int i = 0; i < pSeq->getFrameCount(); ++i)
        {
            RIR::SmartPtr<FrameData> pFrame = pSeq->getFrames().get(i);
            Image* pImage = pFrame->getImage().get();
            if (pImage)
                std::printf("  frame %d %s %dx%d ins %d,%d duration %d\n", i,
                            pImage->getName().c_str(), pImage->getWidth(), pImage->getHeight(),
                            pImage->getInsPointX(), pImage->getInsPointY(), pFrame->getDuration());
            else
                std::printf("  frame %d (no picture) duration %d\n", i, pFrame->getDuration());
            printProps(pFrame.get(), "    ");
        }
    }
}

bool isFolder(const char* pszPath)
{
    struct stat info;
    return stat(pszPath, &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

int main(int nArgs, char** apszArgs)
{
    if (nArgs < 3)
    {
        std::fprintf(stderr, "usage: animdump <folder or pack> <script> [parameter ...]\n");
        return 2;
    }
    try
    {
        std::unique_ptr<RIR::ResourceProvider> pProvider;
        if (isFolder(apszArgs[1]))
            pProvider.reset(new RIR::FilesystemResourceProvider(apszArgs[1]));
        else
            pProvider.reset(new RIR::ResourceFile(apszArgs[1]));
        MemImageFactory factory;
        ProviderImageEnvironment env(pProvider.get(), &factory);

        RIR::List<RIR::String> lParams;
        for (int i = 3; i < nArgs; ++i)
            lParams.append(RIR::String(apszArgs[i]));
        RIR::SmartPtr<AnimationLoader> pLoader = new AnimationLoader();
        pLoader->setParams(lParams);
        RIR::SmartPtr<Animation> pAnim = pLoader->load(apszArgs[2]);
        pLoader = nullptr;
        dump(pAnim.get());
    }
    catch (const RIR::Exception& e)
    {
        std::fprintf(stderr, "animdump: %s: %s [%s:%d]\n", e.getClassName(), e.getMessage(),
                     e.getFile(), e.getLine());
        return 1;
    }
    return 0;
}
