// The process-wide slot of the Flash logo player (ui/flashlogoplayer.h).
#include "ui/flashlogoplayer.h"

#include "rir2/calltrace.h"

namespace
{

IFlashLogoPlayer* s_pInstalledPlayer = nullptr;

} // namespace

IFlashLogoPlayer::~IFlashLogoPlayer() {}

IFlashLogoPlayer* IFlashLogoPlayer::install(IFlashLogoPlayer* pPlayer)
{
    RIR_TRACE("IFlashLogoPlayer::install");
    IFlashLogoPlayer* pPrevious = s_pInstalledPlayer;
    s_pInstalledPlayer = pPlayer;
    return pPrevious;
}

IFlashLogoPlayer* IFlashLogoPlayer::getInstalled()
{
    return s_pInstalledPlayer;
}
