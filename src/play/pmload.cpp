// PlayMode: the level loader, one step per frame.
#include "play/playmode.h"

#include "rir2/calltrace.h"

bool PlayMode::loadStep()
{
    RIR_TRACE("PlayMode::loadStep");
    return false;
}

void PlayMode::loadInsults() {}
void PlayMode::loadHudCash() {}
void PlayMode::loadHudFrame() {}
void PlayMode::loadBorders() {}
void PlayMode::loadTables() {}
void PlayMode::loadHeroine() {}
void PlayMode::loadSampleList() {}
bool PlayMode::loadNextSample() { return false; }
void PlayMode::registerSoundGroups() {}
void PlayMode::loadPianist() {}
void PlayMode::finishLoading() {}
