// The door: states, opening and closing with their links and sounds (groups 16 and 17), and the
// reversal of a door caught half-way.
#include "world/scene.h"

#include "worldtest.h"

TEST_F(WorldTest, WithoutADoorNothingHappens)
{
    EXPECT_EQ(Scene::DOOR_CLOSED, m_pScene->getDoorState());
    m_pScene->setDoorOpen(true);
    EXPECT_EQ(Scene::DOOR_CLOSED, m_pScene->getDoorState());
    EXPECT_TRUE(m_pScene->hasLink(5, 1, 6, 1));
    EXPECT_EQ(0, m_play.getLog()->getLength());

    int nX = 0;
    int nY = 0;
    m_pScene->getDoorPixel(&nX, &nY, true, 0x14);
    EXPECT_EQ(400, nX);
    EXPECT_EQ(189, nY);
    m_pScene->getDoorPixel(&nX, &nY, false, 0x24);
    EXPECT_EQ(400, nX);
    EXPECT_EQ(205, nY);
}

TEST_F(WorldTest, OpeningAndClosingPlayTheirSoundsOnce)
{
    RIR::SmartPtr<AnimSprite> pDoor = addSyntheticDoor(m_pScene.get());
    // Shown closed: "close" on its last frame, stopped.
    EXPECT_EQ("close", std::string(pDoor->getSequenceName().c_str()));
    EXPECT_EQ(7, pDoor->getFrame());
    EXPECT_FALSE(pDoor->isPlaying());
    EXPECT_EQ(Scene::DOOR_CLOSED, m_pScene->getDoorState());

    m_pScene->setDoorOpen(true);
    EXPECT_EQ(Scene::DOOR_OPENING, m_pScene->getDoorState());
    EXPECT_FALSE(m_pScene->hasLink(5, 1, 6, 1));
    EXPECT_FALSE(m_pScene->hasLink(6, 1, 5, 1));
    EXPECT_FALSE(m_pScene->hasLink(5, 1, 4, 1));
    EXPECT_FALSE(m_pScene->hasLink(4, 1, 5, 1));
    EXPECT_TRUE(m_pScene->hasLink(5, 1, 5, 0));
    m_pScene->setDoorOpen(true); // already opening: nothing, no sound
    pDoor->update(2.0f);
    EXPECT_EQ(Scene::DOOR_OPEN, m_pScene->getDoorState());
    EXPECT_EQ(7, pDoor->getFrame());
    m_pScene->setDoorOpen(true); // open: nothing
    EXPECT_FALSE(pDoor->isPlaying());

    m_pScene->setDoorOpen(false);
    EXPECT_EQ(Scene::DOOR_CLOSING, m_pScene->getDoorState());
    EXPECT_TRUE(m_pScene->hasLink(5, 1, 6, 1));
    EXPECT_TRUE(m_pScene->hasLink(4, 1, 5, 1));
    m_pScene->setDoorOpen(false);
    pDoor->update(2.0f);
    EXPECT_EQ(Scene::DOOR_CLOSED, m_pScene->getDoorState());

    EXPECT_EQ("play.playSound(16, 400); play.playSound(17, 400)",
              std::string(m_play.getLog()->toString().c_str()));
}

TEST_F(WorldTest, ADoorCaughtHalfWayTurnsBackFromWhereItIs)
{
    struct Case
    {
        int nOpenFrames, nCloseFrames;
        int nCaughtAt;   // frame of "close" when the door is opened again
        int nResumeAt;   // frame of "open" it goes on from
    } const cases[] = {
        {8, 8, 2, 5}, // worked example
        {8, 8, 0, 7},
        {8, 8, 7, 0},
        {4, 8, 1, 2},
        {4, 8, 6, 0}, // a shorter "open" stays inside its frames
    };
    for (const Case& c : cases)
    {
        RIR::SmartPtr<AnimSprite> pDoor =
            addSyntheticDoor(m_pScene.get(), c.nOpenFrames, c.nCloseFrames);
        m_pScene->setDoorOpen(true);
        pDoor->update(5.0f);
        ASSERT_EQ(Scene::DOOR_OPEN, m_pScene->getDoorState());
        m_pScene->setDoorOpen(false);
        pDoor->setFrame(c.nCaughtAt, 0);
        ASSERT_EQ(Scene::DOOR_CLOSING, m_pScene->getDoorState());

        m_pScene->setDoorOpen(true);
        EXPECT_EQ("open", std::string(pDoor->getSequenceName().c_str()));
        EXPECT_EQ(c.nResumeAt, pDoor->getFrame()) << c.nOpenFrames << "/" << c.nCloseFrames
                                                   << " caught at " << c.nCaughtAt;
        EXPECT_TRUE(pDoor->isPlaying());
        // The frame keeps its full time: 0.1 s at 10 frames per second.
        EXPECT_FLOAT_EQ(0.1f, pDoor->getFrameTimeLeft());
        EXPECT_FALSE(m_pScene->hasLink(5, 1, 6, 1));

        m_pScene->setDoorOpen(false); // leave it closing for the next case
        pDoor->update(5.0f);
        ASSERT_EQ(Scene::DOOR_CLOSED, m_pScene->getDoorState());
    }
    // Each reversal sounds like a plain opening or closing: open, close, open again, close.
    RIR::List<RIR::String> lSounds = m_play.calls("playSound");
    ASSERT_EQ(5 * 4, lSounds.getLength());
    for (int n = 0; n < lSounds.getLength(); ++n)
        EXPECT_EQ(n % 2 == 0 ? "play.playSound(16, 400)" : "play.playSound(17, 400)",
                  std::string(lSounds.get(n).c_str()));
}
