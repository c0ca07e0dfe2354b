// GameMode's contents: the three layered lists, hover and focus, hit tests, the dimmed
// background, the per-frame step and the lookups through the application.
#include "app/gamemode.h"

#include "app/gameapp.h"
#include "app/iaudiodriver.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

namespace
{

// The dimmer's picture is this many pixels square, and is scaled by the screen size over
// DIMMER_SCALE_BASE, so that it covers the screen with a margin.
const int DIMMER_SIZE = 10;
const double DIMMER_SCALE_BASE = 9.0;
const int DIMMER_Z_ORDER = -1000;

// The z order of a layer: that of its sprites (a layer is never empty).
int layerZ(const SpriteLayerList::Node* pLayerNode)
{
    return pLayerNode->m_value->getNode(0)->m_value->getZOrder();
}

SpriteLayerList::Node* firstNode(SpriteLayerList& lLayers)
{
    return lLayers.isEmpty() ? nullptr : lLayers.getNode(0);
}

// Sets a variable for the life of a scope and gives it back its value on any way out, hooks
// that throw included.
template <typename T> class ScopedValue
{
public:
    ScopedValue(T& rVariable, T value) : m_rVariable(rVariable), m_old(rVariable)
    {
        m_rVariable = value;
    }
    ~ScopedValue() { m_rVariable = m_old; }
    ScopedValue(const ScopedValue&) = delete;
    ScopedValue& operator=(const ScopedValue&) = delete;

private:
    T& m_rVariable;
    T m_old;
};

} // namespace

// ---- layered lists -----------------------------------------------------------------------------

void GameMode::insertIntoLayers(SpriteLayerList& lLayers, const RIR::SmartPtr<Sprite>& pSprite,
                                SpriteLayerRef& ref)
{
    const int nZ = pSprite->getZOrder();
    SpriteLayerList::Node* pPrev = nullptr;
    SpriteLayerList::Node* pNode = firstNode(lLayers);
    while (pNode && layerZ(pNode) < nZ)
    {
        pPrev = pNode;
        pNode = pNode->m_pNext;
    }
    if (!pNode || layerZ(pNode) != nZ)
        pNode = lLayers.insertAfter(pPrev, new SpriteLayer());
    ref.m_pLayerNode = pNode;
    ref.m_pSpriteNode = pNode->m_value->prepend(pSprite);
}

void GameMode::removeFromLayers(SpriteLayerList& lLayers, SpriteLayerRef& ref)
{
    if (!ref.isSet())
        return;
    SpriteLayerList::Node* pLayerNode = ref.m_pLayerNode;
    SpriteLayer::Node* pSpriteNode = ref.m_pSpriteNode;
    // The place is forgotten first: the layer's reference may be the sprite's last, and the
    // sprite (with ref) may go with it.
    ref.clear();
    SpriteLayer* pLayer = pLayerNode->m_value;
    pLayer->removeNode(pSpriteNode);
    if (pLayer->isEmpty())
    {
        lLayers.removeNode(pLayerNode);
        delete pLayer;
    }
}

void GameMode::moveInLayers(SpriteLayerList& lLayers, const RIR::SmartPtr<Sprite>& pSprite,
                            SpriteLayerRef& ref)
{
    if (!ref.isSet())
        return;
    removeFromLayers(lLayers, ref);
    insertIntoLayers(lLayers, pSprite, ref);
}

void GameMode::flatten(SpriteLayerList& lLayers, RIR::List<RIR::SmartPtr<Sprite>>& lOut)
{
    for (SpriteLayerList::Node* pLayer = firstNode(lLayers); pLayer; pLayer = pLayer->m_pNext)
    {
        SpriteLayer* pSprites = pLayer->m_value;
        for (SpriteLayer::Node* p = pSprites->getNode(0); p; p = p->m_pNext)
            lOut.append(p->m_value);
    }
}

bool GameMode::isOwnedHere(const RIR::SmartPtr<Sprite>& pSprite) const
{
    const SpriteOwner* pOwner = pSprite->getMode();
    return pOwner == this || pOwner == nullptr;
}

bool GameMode::isAdded(const RIR::SmartPtr<Sprite>& pSprite)
{
    return pSprite && pSprite->getSpriteLayerRef().isSet();
}

// ---- sprites and controls ----------------------------------------------------------------------

RIR::SmartPtr<Sprite> GameMode::addSprite(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("GameMode::addSprite");
    RIR_ASSERT(pSprite);
    // A second entry would leave a node behind that nothing can remove.
    RIR_ASSERT(!isAdded(pSprite));
    insertIntoLayers(m_lSpriteLayers, pSprite, pSprite->getSpriteLayerRef());
    RIR_TRACE_LINE();
    pSprite->setMode(this);
    // The hook may have given the sprite its first controller, which enters it by itself.
    if (pSprite->getControllerCount() > 0 && !pSprite->getUpdateLayerRef().isSet())
        insertIntoLayers(m_lUpdateLayers, pSprite, pSprite->getUpdateLayerRef());
    return pSprite;
}

void GameMode::removeObject(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("GameMode::removeObject");
    if (!pSprite)
        return;
    // Its places belong to the lists of the mode that owns it.
    RIR_ASSERT(isOwnedHere(pSprite));
    removeFromLayers(m_lSpriteLayers, pSprite->getSpriteLayerRef());
    if (pSprite->getControlLayerRef().isSet())
    {
        RIR_TRACE_LINE();
        removeControl(RIR::dynamicCast<Control>(pSprite));
    }
    removeFromLayers(m_lUpdateLayers, pSprite->getUpdateLayerRef());
    pSprite->noOp();
    RIR_TRACE_LINE();
    pSprite->removeFromMode();
}

void GameMode::removeObjects(const RIR::List<RIR::SmartPtr<Sprite>>& lSprites)
{
    RIR_TRACE("GameMode::removeObjects");
    for (int i = 0; i < lSprites.getLength(); ++i)
    {
        RIR_TRACE_LINE();
        removeObject(lSprites.get(i));
    }
}

RIR::SmartPtr<Control> GameMode::addControl(RIR::SmartPtr<Control> pControl)
{
    RIR_TRACE("GameMode::addControl");
    RIR_ASSERT(pControl);
    if (!isAdded(pControl))
    {
        RIR_TRACE_LINE();
        addSprite(pControl);
    }
    // A control that is reachable already (a disabled button added as a control and then
    // enabled) is not entered twice.
    if (!pControl->getControlLayerRef().isSet())
        insertIntoLayers(m_lControlLayers, pControl, pControl->getControlLayerRef());
    if (m_pApp)
    {
        RIR_TRACE_LINE();
        m_pApp->refreshHover();
    }
    return pControl;
}

void GameMode::removeControl(RIR::SmartPtr<Control> pControl)
{
    RIR_TRACE("GameMode::removeControl");
    if (!pControl)
        return;
    RIR_ASSERT(isOwnedHere(pControl));
    removeFromLayers(m_lControlLayers, pControl->getControlLayerRef());
    // Each hook runs while the control still holds its role; the guards keep a hook that
    // removes the control again, refreshes the hover or drops the focus from repeating it.
    if (m_pHover == pControl)
    {
        // Inside a hover change the control has heard its leave already (or hears it now).
        if (!m_bHoverHooksRunning)
        {
            ScopedValue<bool> running(m_bHoverHooksRunning, true);
            RIR_TRACE_LINE();
            pControl->onMouseLeave();
        }
        if (m_pHover == pControl)
            m_pHover.release();
    }
    if (m_pFocus == pControl && m_pFocusLeaving != pControl.get())
    {
        {
            ScopedValue<Control*> leaving(m_pFocusLeaving, pControl.get());
            RIR_TRACE_LINE();
            pControl->onFocusLost();
        }
        if (m_pFocus == pControl)
            m_pFocus.release();
    }
    if (m_pApp)
    {
        RIR_TRACE_LINE();
        m_pApp->refreshHover();
    }
}

void GameMode::reorderObject(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("GameMode::reorderObject");
    RIR_ASSERT(pSprite && isOwnedHere(pSprite));
    moveInLayers(m_lSpriteLayers, pSprite, pSprite->getSpriteLayerRef());
    moveInLayers(m_lControlLayers, pSprite, pSprite->getControlLayerRef());
}

RIR::SmartPtr<Sprite> GameMode::addUpdatable(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("GameMode::addUpdatable");
    RIR_ASSERT(pSprite && isOwnedHere(pSprite));
    if (!pSprite->getUpdateLayerRef().isSet())
        insertIntoLayers(m_lUpdateLayers, pSprite, pSprite->getUpdateLayerRef());
    return pSprite;
}

void GameMode::removeUpdatable(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("GameMode::removeUpdatable");
    if (!pSprite)
        return;
    RIR_ASSERT(isOwnedHere(pSprite));
    removeFromLayers(m_lUpdateLayers, pSprite->getUpdateLayerRef());
}

// ---- hit tests, hover and focus ----------------------------------------------------------------

RIR::SmartPtr<Control> GameMode::controlAt(int nX, int nY)
{
    RIR_TRACE("GameMode::controlAt");
    const Point point((float)nX, (float)nY);
    if (m_lControlLayers.isEmpty())
        return nullptr;
    for (SpriteLayerList::Node* pLayer = m_lControlLayers.getNode(m_lControlLayers.getLength() - 1);
         pLayer; pLayer = pLayer->m_pPrev)
    {
        for (SpriteLayer::Node* p = pLayer->m_value->getNode(0); p; p = p->m_pNext)
        {
            RIR_TRACE_LINE();
            if (p->m_value->hitTest(point))
                return RIR::dynamicCast<Control>(p->m_value);
        }
    }
    return nullptr;
}

RIR::SmartPtr<Sprite> GameMode::spriteAt(const Point& point,
                                         const RIR::List<RIR::SmartPtr<Sprite>>& lSprites,
                                         bool bPixelTest, int nThreshold)
{
    RIR_TRACE("GameMode::spriteAt");
    RIR::SmartPtr<Sprite> pFound;
    for (int i = 0; i < lSprites.getLength(); ++i)
    {
        RIR::SmartPtr<Sprite> pSprite = lSprites.get(i);
        if (!pSprite)
            continue;
        const Rect bounds = pSprite->getPhysicalBounds();
        if (point.x < bounds.left || point.x >= bounds.right || point.y < bounds.top ||
            point.y >= bounds.bottom)
            continue;
        RIR_TRACE_LINE();
        if (bPixelTest && !pSprite->hitTestPixels(point, nThreshold))
            continue;
        if (!pFound || pSprite->getZOrder() > pFound->getZOrder())
            pFound = pSprite;
    }
    return pFound;
}

void GameMode::changeHover(RIR::SmartPtr<Control> pUnder)
{
    RIR_TRACE("GameMode::changeHover");
    if (pUnder == m_pHover || m_bHoverHooksRunning)
        return;
    const RIR::SmartPtr<Control> pOld = m_pHover;
    {
        ScopedValue<bool> running(m_bHoverHooksRunning, true);
        if (pOld)
        {
            RIR_TRACE_LINE();
            pOld->onMouseLeave();
        }
        if (pUnder)
        {
            RIR_TRACE_LINE();
            pUnder->onMouseEnter();
        }
    }
    // A hook may have taken the new control out of the controls (or out of this mode).
    if (pUnder && (!pUnder->getControlLayerRef().isSet() || pUnder->getMode() != this))
        pUnder.release();
    setHover(pUnder);
}

void GameMode::setFocus(RIR::SmartPtr<Control> pControl)
{
    RIR_TRACE("GameMode::setFocus");
    if (pControl == m_pFocus)
        return;
    const RIR::SmartPtr<Control> pOld = m_pFocus;
    m_pFocus = pControl;
    if (pControl)
    {
        RIR_TRACE_LINE();
        pControl->onFocusGained();
    }
    // A control whose removal runs its onFocusLost is hearing it already.
    if (pOld && pOld.get() != m_pFocusLeaving)
    {
        RIR_TRACE_LINE();
        pOld->onFocusLost();
    }
}

// ---- whole lists -------------------------------------------------------------------------------

RIR::List<RIR::SmartPtr<Sprite>> GameMode::getSprites()
{
    RIR_TRACE("GameMode::getSprites");
    RIR::List<RIR::SmartPtr<Sprite>> lSprites;
    flatten(m_lSpriteLayers, lSprites);
    return lSprites;
}

RIR::List<RIR::SmartPtr<Sprite>> GameMode::getUpdatables()
{
    RIR_TRACE("GameMode::getUpdatables");
    RIR::List<RIR::SmartPtr<Sprite>> lSprites;
    flatten(m_lUpdateLayers, lSprites);
    return lSprites;
}

RIR::SmartPtr<Sprite> GameMode::addDimmer(float fAlpha)
{
    RIR_TRACE("GameMode::addDimmer");
    RIR_TRACE_LINE();
    RIR::SmartPtr<Sprite> pDimmer =
        new Sprite(createImage(DIMMER_SIZE, DIMMER_SIZE, false), 0, 0, DIMMER_Z_ORDER);
    addSprite(pDimmer);
    pDimmer->setAlpha(fAlpha);
    int nWidth = 0;
    int nHeight = 0;
    if (m_pApp)
        m_pApp->getScreenSize(&nWidth, &nHeight);
    pDimmer->setScaleXY((float)(nWidth / DIMMER_SCALE_BASE), (float)(nHeight / DIMMER_SCALE_BASE));
    return pDimmer;
}

void GameMode::dropLayers(SpriteLayerList& lLayers, SpriteLayerRef& (Sprite::*pfnRef)())
{
    for (SpriteLayerList::Node* pLayer = firstNode(lLayers); pLayer; pLayer = pLayer->m_pNext)
    {
        for (SpriteLayer::Node* p = pLayer->m_value->getNode(0); p; p = p->m_pNext)
        {
            Sprite* pSprite = p->m_value.get();
            (pSprite->*pfnRef)().clear();
            // A sprite kept elsewhere must not reach this mode once it is gone.
            if (pSprite->getMode() == this)
                pSprite->dropMode();
        }
    }
    // Each layer leaves the list before it goes, so that whatever its sprites' destructors do
    // sees a consistent list.
    while (!lLayers.isEmpty())
        delete lLayers.takeFirst();
}

void GameMode::clearContents()
{
    RIR_TRACE("GameMode::clearContents");
    dropLayers(m_lSpriteLayers, &Sprite::getSpriteLayerRef);
    dropLayers(m_lControlLayers, &Sprite::getControlLayerRef);
    dropLayers(m_lUpdateLayers, &Sprite::getUpdateLayerRef);
    m_pHover.release();
    m_pFocus.release();
}

// ---- the frame step ----------------------------------------------------------------------------

void GameMode::frameUpdate(float fDt)
{
    RIR_TRACE("GameMode::frameUpdate");
    RIR_TRACE_LINE();
    update(fDt);
    RIR_TRACE_LINE();
    updateUpdatables(fDt);
    RIR_TRACE_LINE();
    advanceParticles(fDt);
    RIR_TRACE_LINE();
    advanceTooltipTimer(fDt);
}

void GameMode::updateUpdatables(float fDt)
{
    RIR_TRACE("GameMode::updateUpdatables");
    // The snapshot holds a reference to each sprite: controllers may remove sprites from the mode
    // (or add others) while the step runs.
    const RIR::List<RIR::SmartPtr<Sprite>> lSprites = getUpdatables();
    for (int i = 0; i < lSprites.getLength(); ++i)
    {
        RIR::SmartPtr<Sprite> pSprite = lSprites.get(i);
        RIR_TRACE_LINE();
        pSprite->updateControllers(fDt);
        if (pSprite->getControllerCount() == 0 && isOwnedHere(pSprite))
            removeFromLayers(m_lUpdateLayers, pSprite->getUpdateLayerRef());
    }
}

// ---- lookups -----------------------------------------------------------------------------------

const char* GameMode::getString(const char* pszKey)
{
    RIR_TRACE("GameMode::getString");
    RIR_ASSERT(m_pApp);
    return m_pApp->getString(pszKey);
}

RIR::SmartPtr<Image> GameMode::getImage(const char* pszName)
{
    RIR_TRACE("GameMode::getImage");
    RIR_ASSERT(m_pApp);
    return m_pApp->getImage(pszName);
}

RIR::SmartPtr<Image> GameMode::createImage(int nWidth, int nHeight, bool bAlpha)
{
    RIR_TRACE("GameMode::createImage");
    RIR_ASSERT(m_pApp);
    return m_pApp->createImage(nWidth, nHeight, bAlpha);
}

RIR::SmartPtr<Sample> GameMode::getSample(const char* pszName)
{
    RIR_TRACE("GameMode::getSample");
    RIR_ASSERT(m_pApp);
    return m_pApp->getSample(pszName);
}
