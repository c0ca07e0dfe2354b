// GameMode's input hooks: what a mode does with the input the application offers it, unless a
// subclass says otherwise. The dispatch itself is GameApp's (gameapp_input.cpp); the pointer-move
// entry with its tooltip countdown is in gamemode_tooltips.cpp.
#include "app/gamemode.h"

#include "rir2/calltrace.h"

bool GameMode::keyDown(int /*nKey*/, int /*nModifiers*/)
{
    RIR_TRACE("GameMode::keyDown");
    return false;
}

bool GameMode::keyUp(int /*nKey*/, int /*nModifiers*/)
{
    RIR_TRACE("GameMode::keyUp");
    return false;
}

bool GameMode::charTyped(int /*nCharacter*/)
{
    RIR_TRACE("GameMode::charTyped");
    return false;
}

bool GameMode::mouseMove(int /*nX*/, int /*nY*/)
{
    RIR_TRACE("GameMode::mouseMove");
    return false;
}

bool GameMode::mouseUp(int /*nButtonMask*/, int /*nX*/, int /*nY*/)
{
    RIR_TRACE("GameMode::mouseUp");
    return false;
}

bool GameMode::mouseDown(int /*nButtonMask*/, int /*nX*/, int /*nY*/)
{
    RIR_TRACE("GameMode::mouseDown");
    return false;
}
