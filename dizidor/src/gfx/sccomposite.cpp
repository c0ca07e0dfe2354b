// Queue, set and loop controllers.
#include "gfx/sccomposite.h"

#include "gfx/sprite.h"
#include "rir2/calltrace.h"
#include "rir2/list_impl.h"

namespace
{

// finish on every controller of the list, in order; their results are not looked at.
void finishAll(RIR::List<SpriteController*>& lControllers, RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("finishAll");
    for (int i = 0; i < lControllers.getLength(); ++i)
        lControllers.get(i)->finish(pSprite);
}

} // namespace

// ---- SCQueue -----------------------------------------------------------------------------------

SCQueue::SCQueue()
{
    RIR_TRACE("SCQueue::SCQueue");
}

SCQueue::SCQueue(const RIR::List<SpriteController*>& lControllers) : m_lControllers(lControllers)
{
    RIR_TRACE("SCQueue::SCQueue");
}

SCQueue::~SCQueue()
{
    RIR_TRACE("SCQueue::~SCQueue");
    m_lControllers.clearAndDelete();
}

void SCQueue::onAttach(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCQueue::onAttach");
    if (!m_lControllers.isEmpty())
        m_lControllers.get(0)->onAttach(pSprite);
}

bool SCQueue::update(float fDt, RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCQueue::update");
    if (m_lControllers.isEmpty())
        return true;
    SpriteController* pFirst = m_lControllers.get(0);
    if (pFirst->update(fDt, pSprite))
    {
        m_lControllers.removeAt(0);
        delete pFirst;
        if (!m_lControllers.isEmpty())
            m_lControllers.get(0)->onAttach(pSprite);
    }
    return false;
}

bool SCQueue::finish(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCQueue::finish");
    finishAll(m_lControllers, pSprite);
    return true;
}

int SCQueue::getCount()
{
    return m_lControllers.getLength();
}

SpriteController* SCQueue::get(int nIndex)
{
    RIR_TRACE("SCQueue::get");
    return m_lControllers.get(nIndex);
}

void SCQueue::add(SpriteController* pController)
{
    RIR_TRACE("SCQueue::add");
    m_lControllers.append(pController);
}

// ---- SCSet -------------------------------------------------------------------------------------

SCSet::SCSet(const RIR::List<SpriteController*>& lControllers) : m_lControllers(lControllers)
{
    RIR_TRACE("SCSet::SCSet");
}

SCSet::~SCSet()
{
    RIR_TRACE("SCSet::~SCSet");
    m_lControllers.clearAndDelete();
}

void SCSet::onAttach(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCSet::onAttach");
    for (int i = 0; i < m_lControllers.getLength(); ++i)
        m_lControllers.get(i)->onAttach(pSprite);
}

bool SCSet::update(float fDt, RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCSet::update");
    int i = 0;
    while (i < m_lControllers.getLength())
    {
        SpriteController* pController = m_lControllers.get(i);
        if (pController->update(fDt, pSprite))
        {
            m_lControllers.removeAt(i);
            delete pController;
        }
        else
        {
            ++i;
        }
    }
    return m_lControllers.isEmpty();
}

bool SCSet::finish(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCSet::finish");
    finishAll(m_lControllers, pSprite);
    return true;
}

int SCSet::getCount()
{
    return m_lControllers.getLength();
}

SpriteController* SCSet::get(int nIndex)
{
    RIR_TRACE("SCSet::get");
    return m_lControllers.get(nIndex);
}

// ---- SCLoop ------------------------------------------------------------------------------------

SCLoop::SCLoop() : m_nIndex(0)
{
    RIR_TRACE("SCLoop::SCLoop");
}

SCLoop::SCLoop(const RIR::List<SpriteController*>& lControllers)
    : m_lControllers(lControllers), m_nIndex(0)
{
    RIR_TRACE("SCLoop::SCLoop");
}

SCLoop::~SCLoop()
{
    RIR_TRACE("SCLoop::~SCLoop");
    m_lControllers.clearAndDelete();
}

void SCLoop::onAttach(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCLoop::onAttach");
    if (!m_lControllers.isEmpty())
        m_lControllers.get(0)->onAttach(pSprite);
}

bool SCLoop::update(float fDt, RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCLoop::update");
    if (m_lControllers.get(m_nIndex)->update(fDt, pSprite))
    {
        m_nIndex = m_nIndex < m_lControllers.getLength() - 1 ? m_nIndex + 1 : 0;
        SpriteController* pNext = m_lControllers.get(m_nIndex);
        pNext->getTimer()->setElapsed(0.0f);
        RIR_TRACE_LINE();
        pNext->onAttach(pSprite);
    }
    return false;
}

bool SCLoop::finish(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCLoop::finish");
    finishAll(m_lControllers, pSprite);
    return true;
}

void SCLoop::add(SpriteController* pController)
{
    RIR_TRACE("SCLoop::add");
    m_lControllers.append(pController);
}
