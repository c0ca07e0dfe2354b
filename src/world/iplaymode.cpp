// IPlayMode: the registration of the running play mode.
#include "world/iplaymode.h"

#include "app/gameapp.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

namespace
{

IPlayMode* s_pPlayMode = nullptr;

} // namespace

IPlayMode::~IPlayMode()
{
    if (s_pPlayMode == this)
        s_pPlayMode = nullptr;
}

IPlayMode* IPlayMode::getPlayMode()
{
    RIR_TRACE("IPlayMode::getPlayMode");
    RIR_ASSERT(s_pPlayMode != NULL);
    return s_pPlayMode;
}

bool IPlayMode::hasPlayMode()
{
    return s_pPlayMode != nullptr;
}

IPlayMode* IPlayMode::setPlayMode(IPlayMode* pPlayMode)
{
    RIR_TRACE("IPlayMode::setPlayMode");
    IPlayMode* pOld = s_pPlayMode;
    s_pPlayMode = pPlayMode;
    return pOld;
}

RIR::SmartPtr<Mug> IPlayMode::createMug()
{
    RIR_TRACE("IPlayMode::createMug");
    RIR_ASSERT(GameApp::getInstance() != NULL);
    return Mug::create(getPlayScreen(), GameApp::getInstance()->getAnimationByName("mug.anim"));
}
