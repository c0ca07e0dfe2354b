#include "world/kit/syntheticdolly.h"

#include "testkit/memimagefactory.h"

#include "rir2/rirstring.h"

namespace
{

MemImageFactory& factory()
{
    static MemImageFactory s_factory;
    return s_factory;
}

RIR::SmartPtr<Image> picture(int nW, int nH)
{
    RIR::SmartPtr<Image> pImage = factory().createBlank(nW, nH, true);
    pImage->setInsPointByAlign(4 | 0x10);
    return pImage;
}

void addSequence(Animation* pAnim, const RIR::String& sName, int nFrames, bool bLoop)
{
    pAnim->newSequence(sName.c_str(), bLoop, 0.0f);
    for (int n = 0; n < nFrames; ++n)
        pAnim->addFrame(sName.c_str(), picture(1, 1), 1);
}

void addAction(Animation* pAnim, const RIR::String& sName, int nDoActionFrame)
{
    addSequence(pAnim, sName, 6, false);
    if (nDoActionFrame < 0)
        return;
    pAnim->setFrameProp(sName.c_str(), nDoActionFrame, "doaction", "");
    if (nDoActionFrame > 0)
        pAnim->setFrameProp(sName.c_str(), nDoActionFrame - 1, "actionsound", "");
}

} // namespace

RIR::SmartPtr<Animation> makeMugAnimation()
{
    RIR::SmartPtr<Animation> pAnim = new Animation(10.0f);
    for (int n = 0; n <= 3; ++n)
    {
        const RIR::String sName = RIR::String::format("%d", n);
        pAnim->newSequence(sName.c_str(), true, 0.0f);
        pAnim->addFrame(sName.c_str(), picture(20, 30), 1);
        pAnim->setFrameProp(sName.c_str(), 0, "suffix", RIR::String::format("_%d", n).c_str());
        pAnim->setFrameProp(sName.c_str(), 0, "uiimage",
                            RIR::String::format("mug_ui_%d", n).c_str());
    }
    pAnim->setDefaultSequence("3");
    return pAnim;
}

RIR::SmartPtr<Animation> makeDollyPartAnimation(int nPart, int nDoActionFrame)
{
    RIR::SmartPtr<Animation> pAnim = new Animation(10.0f);
    const bool bArm = nPart == Character::PART_RIGHT_ARM || nPart == Character::PART_LEFT_ARM;
    for (int nDir = 0; nDir < 4; ++nDir)
    {
        const RIR::String sCode = Character::getDirectionCode(nPart, nDir);
        addSequence(pAnim.get(), "stand_" + sCode, 2, true);
        addSequence(pAnim.get(), "walk_" + sCode + "_1s", 4, false);
        addSequence(pAnim.get(), "walk_" + sCode + "_2s", 4, false);
        for (int n = 0; n <= 3; ++n)
        {
            const RIR::String sCarry = RIR::String::format("_carry_%d", n);
            addSequence(pAnim.get(), "stand_" + sCode + sCarry, 2, true);
            addSequence(pAnim.get(), "walk_" + sCode + "_1s" + sCarry, 4, false);
            if (bArm)
                addAction(pAnim.get(), "leave_" + sCode + sCarry, nDoActionFrame);
        }
        if (bArm)
        {
            addAction(pAnim.get(), "take_" + sCode, nDoActionFrame);
            addAction(pAnim.get(), "leave_" + sCode, nDoActionFrame);
            addAction(pAnim.get(), "stopfight_fast_" + sCode, nDoActionFrame);
        }
        if (nPart == Character::PART_LEGS)
            addSequence(pAnim.get(), "stopfight_" + sCode, 6, false);
    }
    pAnim->setDefaultSequence(("stand_" + RIR::String(Character::getDirectionCode(nPart, 1))).c_str());
    return pAnim;
}

void SyntheticDolly::dressUp(int nOutfit)
{
    m_nOutfit = nOutfit;
    for (int nPart = 0; nPart < PART_COUNT; ++nPart)
        addPartAnimation(nPart, makeDollyPartAnimation(nPart, m_nDoActionFrame));
}
