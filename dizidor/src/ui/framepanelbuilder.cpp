// The process-wide slot of the frame-panel builder (ui/framepanelbuilder.h).
#include "ui/framepanelbuilder.h"

#include "rir2/calltrace.h"

namespace
{

IFramePanelBuilder* s_pInstalledBuilder = nullptr;

} // namespace

IFramePanelBuilder::~IFramePanelBuilder() {}

IFramePanelBuilder* IFramePanelBuilder::install(IFramePanelBuilder* pBuilder)
{
    RIR_TRACE("IFramePanelBuilder::install");
    IFramePanelBuilder* pPrevious = s_pInstalledBuilder;
    s_pInstalledBuilder = pBuilder;
    return pPrevious;
}

IFramePanelBuilder* IFramePanelBuilder::getInstalled()
{
    return s_pInstalledBuilder;
}
