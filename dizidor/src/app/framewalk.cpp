#include "app/framewalk.h"

#include "app/gameapp.h"
#include "app/gamemode.h"
#include "app/ivideodriver.h"
#include "gfx/sprite.h"

#include "rir2/calltrace.h"
#include "rir2/list_impl.h"

FrameVisitor::~FrameVisitor() {}

void FrameVisitor::drawCursor(Sprite* pCursor)
{
    RIR_TRACE("FrameVisitor::drawCursor");
    drawSprite(pCursor);
}

void walkFrame(GameApp& app, IVideoDriver& driver, FrameVisitor& visitor)
{
    RIR_TRACE("walkFrame");
    for (int i = app.getFirstDrawnModeIndex(); i >= 0; --i)
    {
        GameMode* pMode = app.getMode(i);
        if (!pMode->isActive() || !pMode->isVisible())
            continue;
        if (pMode->getFlags() & MF_CLEAR_SCREEN)
        {
            RIR_TRACE_LINE();
            driver.clear(Color(0, 0, 0, 255));
        }
        SpriteLayerList& lLayers = pMode->getSpriteLayers();
        if (lLayers.isEmpty())
            continue;
        for (SpriteLayerList::Node* pLayer = lLayers.getNode(0); pLayer; pLayer = pLayer->m_pNext)
        {
            for (SpriteLayer::Node* p = pLayer->m_value->getNode(0); p; p = p->m_pNext)
            {
                Sprite* pSprite = p->m_value.get();
                if (!pSprite->isVisible() || !pSprite->getDisplayImage())
                    continue;
                RIR_TRACE_LINE();
                visitor.drawSprite(pSprite);
            }
        }
    }

    RIR::SmartPtr<Sprite> pCursor = driver.getCursorSprite();
    if (pCursor && driver.isCursorShown() && driver.isSoftwareCursor())
    {
        int nX = 0;
        int nY = 0;
        app.getMousePosition(&nX, &nY);
        pCursor->setPos(nX, nY);
        RIR_TRACE_LINE();
        visitor.drawCursor(pCursor.get());
    }
}
