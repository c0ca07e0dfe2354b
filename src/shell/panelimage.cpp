#include "shell/panelimage.h"

#include "app/gameapp.h"
#include "gfx/imagelock.h"

#include "rir2/calltrace.h"

RIR::SmartPtr<Image> getPanelImage(GameApp* pApp)
{
    RIR_TRACE("getPanelImage");
    RIR::SmartPtr<Image> pPanel = pApp->getImage("ui_tabla");
    if (pPanel->hasColorKey())
        return pPanel;
    Color key;
    {
        ImageLock lock(pPanel.get());
        key = pPanel->getPixel(0, 0);
    }
    pPanel->setColorKey(key);
    return pPanel;
}
