// Scene: the saloon door, an animation that opens and closes and, while open, bars the sideways
// passage through the first square inside.
#include "world/scene.h"

#include "world/iplaymode.h"

#include "rir2/calltrace.h"

namespace
{

const int SOUND_DOOR_OPENS = 16;
const int SOUND_DOOR_CLOSES = 17;
const int DOOR_SOUND_X = 400;

} // namespace

void Scene::setDoor(const RIR::SmartPtr<AnimSprite>& pDoor)
{
    RIR_TRACE("Scene::setDoor");
    m_pDoor = pDoor;
    if (!m_pDoor)
        return;
    m_pDoor->play("close", 0, -1);
    m_pDoor->setFrame(m_pDoor->getFrameCount("close") - 1, 0);
    m_pDoor->stop();
}

void Scene::getDoorPixel(int* pX, int* pY, bool bAtDoor, int nFlags) const
{
    squareToPixel(DOOR_COLUMN, bAtDoor ? 0 : 1, pX, pY, nFlags);
}

int Scene::getDoorState() const
{
    if (!m_pDoor)
        return DOOR_CLOSED;
    const bool bOpen = m_pDoor->getSequenceName() == "open";
    if (m_pDoor->isPlaying())
        return bOpen ? DOOR_OPENING : DOOR_CLOSING;
    return bOpen ? DOOR_OPEN : DOOR_CLOSED;
}

void Scene::setDoorOpen(bool bOpen)
{
    RIR_TRACE("Scene::setDoorOpen");
    if (!m_pDoor)
        return;
    const bool bCurrent = m_pDoor->getSequenceName() == "open";
    if (bOpen == bCurrent)
        return;
    const char* pszSequence = bOpen ? "open" : "close";
    if (m_pDoor->isPlaying())
    {
        // Caught half-way: the other sequence goes on from the mirrored frame, so the door turns
        // back from where it is. Sequences of different lengths stay inside the new one.
        const int nFrame = m_pDoor->getFrame();
        m_pDoor->play(pszSequence, 0, -1);
        const int nCount = m_pDoor->getFrameCount(pszSequence);
        int nMirror = nCount - nFrame - 1;
        if (nMirror > nCount - 1)
            nMirror = nCount - 1;
        if (nMirror < 0)
            nMirror = 0;
        m_pDoor->setFrame(nMirror, 0);
    }
    else
        m_pDoor->play(pszSequence, 0, -1);

    if (bOpen)
    {
        unlinkSquares(DOOR_COLUMN, 1, DOOR_COLUMN + 1, 1);
        unlinkSquares(DOOR_COLUMN, 1, DOOR_COLUMN - 1, 1);
        IPlayMode::getPlayMode()->playSound(SOUND_DOOR_OPENS, DOOR_SOUND_X);
    }
    else
    {
        linkSquares(DOOR_COLUMN, 1, DOOR_COLUMN + 1, 1);
        linkSquares(DOOR_COLUMN, 1, DOOR_COLUMN - 1, 1);
        IPlayMode::getPlayMode()->playSound(SOUND_DOOR_CLOSES, DOOR_SOUND_X);
    }
}
