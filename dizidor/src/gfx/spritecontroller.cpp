#include "gfx/spritecontroller.h"

#include "gfx/sprite.h"
#include "rir2/calltrace.h"

SpriteController::SpriteController() : m_pTimer(new Timer(0.0f, 0))
{
    RIR_TRACE("SpriteController::SpriteController");
}

SpriteController::~SpriteController()
{
    RIR_TRACE("SpriteController::~SpriteController");
}

void SpriteController::onAttach(RIR::SmartPtr<Sprite> /*pSprite*/)
{
    RIR_TRACE("SpriteController::onAttach");
}

bool SpriteController::apply(RIR::SmartPtr<Sprite> /*pSprite*/)
{
    RIR_TRACE("SpriteController::apply");
    return false;
}

bool SpriteController::update(float fDt, RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SpriteController::update");
    m_pTimer->advance(fDt);
    return apply(pSprite);
}

bool SpriteController::finish(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SpriteController::finish");
    return update(m_pTimer->getRemaining(), pSprite);
}
