#include "world/kit/syntheticanimation.h"

#include "world/character.h"

#include "testkit/memimagefactory.h"

namespace
{

// One factory for the whole test run; its pictures hold their own pixel stores.
MemImageFactory& factory()
{
    static MemImageFactory s_factory;
    return s_factory;
}

} // namespace

SyntheticAnimation::SyntheticAnimation(float fFPS) : m_pAnim(new Animation(fFPS)), m_bHasDefault(false)
{
}

SyntheticAnimation& SyntheticAnimation::sequence(const char* pszName, int nFrames, bool bLoop,
                                                 float fFPS)
{
    m_pAnim->newSequence(pszName, bLoop, fFPS);
    for (int n = 0; n < nFrames; ++n)
        m_pAnim->addFrame(pszName, RIR::SmartPtr<Image>(factory().createBlank(1, 1, true)), 1);
    if (!m_bHasDefault)
    {
        m_pAnim->setDefaultSequence(pszName);
        m_bHasDefault = true;
    }
    return *this;
}

SyntheticAnimation& SyntheticAnimation::frameProp(const char* pszSequence, int nFrame,
                                                  const char* pszKey, const char* pszValue)
{
    m_pAnim->setFrameProp(pszSequence, nFrame, pszKey, pszValue);
    return *this;
}

RIR::SmartPtr<Animation> makeDoorAnimation(int nOpenFrames, int nCloseFrames)
{
    return SyntheticAnimation(10.0f)
        .sequence("close", nCloseFrames, false)
        .sequence("open", nOpenFrames, false)
        .build();
}

RIR::SmartPtr<Animation> makeBodyPartAnimation(int nPart, int nWalkFrames)
{
    SyntheticAnimation anim(10.0f);
    for (int nDir = 0; nDir < 4; ++nDir)
    {
        const RIR::String sCode = Character::getDirectionCode(nPart, nDir);
        anim.sequence(("stand_" + sCode).c_str(), 2, true);
        anim.sequence(("walk_" + sCode + "_1s").c_str(), nWalkFrames, false);
        anim.sequence(("walk_" + sCode + "_2s").c_str(), nWalkFrames, false);
    }
    return anim.build();
}
