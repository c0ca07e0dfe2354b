// Callback and removal controllers.
#include "gfx/sccallback.h"

#include "app/icallbacktarget.h"
#include "gfx/sprite.h"
#include "rir2/calltrace.h"
#include "rir2/exception.h"

namespace
{

// Takes the sprite out of its mode when it is in one.
void removeFromItsMode(const RIR::SmartPtr<Sprite>& pSprite)
{
    RIR_TRACE("removeFromItsMode");
    SpriteOwner* pMode = pSprite->getMode();
    if (pMode)
        pMode->removeObject(pSprite);
}

} // namespace

// ---- SCCallback --------------------------------------------------------------------------------

SCCallback::SCCallback(ICallbackTarget* pTarget, int nId, int nParam)
    : m_pTarget(pTarget), m_nId(nId), m_nParam(nParam)
{
    RIR_TRACE("SCCallback::SCCallback");
    RIR_ASSERT(pTarget);
}

SCCallback::~SCCallback()
{
    RIR_TRACE("SCCallback::~SCCallback");
}

bool SCCallback::apply(RIR::SmartPtr<Sprite> /*pSprite*/)
{
    RIR_TRACE("SCCallback::apply");
    m_pTarget->onCallback(m_nId, m_nParam);
    return true;
}

// ---- SCCallbackWhenDone ------------------------------------------------------------------------

SCCallbackWhenDone::SCCallbackWhenDone(ICallbackTarget* pTarget, int nId, int nParam)
    : m_pTarget(pTarget), m_nId(nId), m_nParam(nParam)
{
    RIR_TRACE("SCCallbackWhenDone::SCCallbackWhenDone");
    RIR_ASSERT(pTarget);
}

SCCallbackWhenDone::~SCCallbackWhenDone()
{
    RIR_TRACE("SCCallbackWhenDone::~SCCallbackWhenDone");
}

bool SCCallbackWhenDone::apply(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCCallbackWhenDone::apply");
    if (pSprite->getControllerCount() != 1)
        return false;
    m_pTarget->onCallback(m_nId, m_nParam);
    return true;
}

// ---- SCRemove ----------------------------------------------------------------------------------

SCRemove::SCRemove()
{
    RIR_TRACE("SCRemove::SCRemove");
}

SCRemove::~SCRemove()
{
    RIR_TRACE("SCRemove::~SCRemove");
}

bool SCRemove::apply(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCRemove::apply");
    removeFromItsMode(pSprite);
    return true;
}

// ---- SCRemoveWhenDone --------------------------------------------------------------------------

SCRemoveWhenDone::SCRemoveWhenDone()
{
    RIR_TRACE("SCRemoveWhenDone::SCRemoveWhenDone");
}

SCRemoveWhenDone::~SCRemoveWhenDone()
{
    RIR_TRACE("SCRemoveWhenDone::~SCRemoveWhenDone");
}

bool SCRemoveWhenDone::apply(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCRemoveWhenDone::apply");
    if (pSprite->getControllerCount() != 1)
        return false;
    removeFromItsMode(pSprite);
    return true;
}
