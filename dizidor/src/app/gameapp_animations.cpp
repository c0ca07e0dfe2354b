// GameApp's animation cache and the step-wise preloading of animations.
//
// Animations are cached by key: the caller's key, or the script's file name followed by "-" and
// each parameter ("walk" with "hat" and "red" is "walk-hat-red"). The key decides identity only:
// the loader always gets the file name and every parameter. Each cached animation carries its key
// as its name.
//
// Preloading queues a loader that has read its script; loadAnimationStep takes one queued loader
// at a time and runs one AnimationLoader::step of it per call, so the work spreads over frames. A
// request for an animation that is queued or being stepped finishes it at once. A script error
// leaves the cache as it was and releases the broken loader, so later steps go on with the rest
// of the queue.
#include "app/gameapp.h"

#include "gfx/animation.h"
#include "gfx/animationloader.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"

namespace
{

// The key of an animation: the explicit one, else the file name and "-" before each parameter.
RIR::String animationKey(const char* pszFile, const char* pszKey,
                         const RIR::List<RIR::String>& lParams)
{
    RIR_TRACE("animationKey");
    if (pszKey && *pszKey)
        return RIR::String(pszKey);
    RIR::String sKey(pszFile);
    for (int i = 0; i < lParams.getLength(); ++i)
    {
        sKey += "-";
        sKey += lParams.get(i);
    }
    return sKey;
}

// The one shared parameter list of the requests by name.
const RIR::List<RIR::String>& emptyParams()
{
    static const RIR::List<RIR::String> s_lEmpty;
    return s_lEmpty;
}

} // namespace

RIR::SmartPtr<Animation> GameApp::getAnimation(const char* pszFile, const char* pszKey,
                                               const RIR::List<RIR::String>& lParams)
{
    RIR_TRACE("GameApp::getAnimation");
    const RIR::String sKey = animationKey(pszFile, pszKey, lParams);
    RIR::setTraceParams(sKey.c_str());
    if (m_hAnimations.contains(sKey))
        return m_hAnimations.get(sKey);

    if (m_pAnimLoader && m_sAnimLoaderKey == sKey)
    {
        // This very animation is being preloaded: finish it now. The rest of the queue goes on
        // with the next steps.
        RIR::SmartPtr<AnimationLoader> pLoader = m_pAnimLoader;
        m_pAnimLoader = nullptr;
        m_sAnimLoaderKey = "";
        while (!pLoader->isDone())
        {
            RIR_TRACE_LINE();
            pLoader->step();
        }
        RIR::SmartPtr<Animation> pAnimation = pLoader->getAnimation();
        pAnimation->setName(sKey.c_str());
        m_hAnimations.set(sKey, pAnimation);
        return pAnimation;
    }

    // A queued preload is built afresh here; its preparation is dropped.
    if (m_hPendingAnimations.contains(sKey))
        m_hPendingAnimations.remove(sKey);
    RIR::SmartPtr<AnimationLoader> pLoader = new AnimationLoader();
    pLoader->setParams(lParams);
    RIR_TRACE_LINE();
    RIR::SmartPtr<Animation> pAnimation = pLoader->load(pszFile);
    pAnimation->setName(sKey.c_str());
    m_hAnimations.set(sKey, pAnimation);
    return pAnimation;
}

RIR::SmartPtr<Animation> GameApp::getAnimationByName(const char* pszName)
{
    RIR_TRACE("GameApp::getAnimationByName");
    return getAnimation(pszName, pszName, emptyParams());
}

void GameApp::preloadAnimation(const char* pszFile, const char* pszKey,
                               const RIR::List<RIR::String>& lParams)
{
    RIR_TRACE("GameApp::preloadAnimation");
    const RIR::String sKey = animationKey(pszFile, pszKey, lParams);
    RIR::setTraceParams(sKey.c_str());
    // Cached, queued or being stepped: it is on its way already.
    if (m_hAnimations.contains(sKey) || m_hPendingAnimations.contains(sKey) ||
        (m_pAnimLoader && m_sAnimLoaderKey == sKey))
        return;

    RIR::SmartPtr<AnimationLoader> pLoader = new AnimationLoader();
    pLoader->setParams(lParams);
    RIR_TRACE_LINE();
    pLoader->begin(pszFile);
    m_hPendingAnimations.set(sKey, pLoader);
    m_bAnimsPending = true;
}

void GameApp::preloadAnimationByName(const char* pszName)
{
    RIR_TRACE("GameApp::preloadAnimationByName");
    preloadAnimation(pszName, pszName, emptyParams());
}

void GameApp::loadAnimationStep()
{
    RIR_TRACE("GameApp::loadAnimationStep");
    if (!m_bAnimsPending)
        return;
    if (!m_pAnimLoader)
    {
        const RIR::List<RIR::String> lKeys = m_hPendingAnimations.keys();
        if (lKeys.isEmpty())
        {
            m_bAnimsPending = false;
            return;
        }
        // The first key in the table's order, which is not the order of queuing.
        m_sAnimLoaderKey = lKeys.get(0);
        m_pAnimLoader = m_hPendingAnimations.remove(m_sAnimLoaderKey);
    }
    RIR::setTraceParams(m_sAnimLoaderKey.c_str());

    try
    {
        RIR_TRACE_LINE();
        m_pAnimLoader->step();
    }
    catch (...)
    {
        // A broken script must not be stepped again on every later call.
        m_pAnimLoader = nullptr;
        m_sAnimLoaderKey = "";
        throw;
    }

    if (m_pAnimLoader->isDone())
    {
        RIR::SmartPtr<Animation> pAnimation = m_pAnimLoader->getAnimation();
        pAnimation->setName(m_sAnimLoaderKey.c_str());
        m_hAnimations.set(m_sAnimLoaderKey, pAnimation);
        m_pAnimLoader = nullptr;
        m_sAnimLoaderKey = "";
    }
}

bool GameApp::containsAnimation(const char* pszKey)
{
    RIR_TRACE("GameApp::containsAnimation");
    return m_hAnimations.contains(RIR::String(pszKey));
}

void GameApp::removeAnimation(const char* pszKey)
{
    RIR_TRACE("GameApp::removeAnimation");
    const RIR::String sKey(pszKey);
    if (m_hAnimations.contains(sKey))
        m_hAnimations.remove(sKey);
}

RIR::List<RIR::String> GameApp::getAnimationNames()
{
    RIR_TRACE("GameApp::getAnimationNames");
    return m_hAnimations.keys();
}

void GameApp::purgeAnimations()
{
    RIR_TRACE("GameApp::purgeAnimations");
    // The key and value lists run in the same order. An entry held only by the cache, the value
    // list and the local handle (3 references) is used by nobody else and goes.
    RIR::List<RIR::String> lKeys = m_hAnimations.keys();
    RIR::List<RIR::SmartPtr<Animation>> lValues = m_hAnimations.values();
    int i = 0;
    while (i < lValues.getLength())
    {
        RIR::SmartPtr<Animation> pAnimation = lValues.get(i);
        if (pAnimation->getRefCount() > 3)
        {
            ++i;
            continue;
        }
        removeAnimation(lKeys.get(i).c_str());
        lKeys.removeAt(i);
        lValues.removeAt(i);
    }
}
