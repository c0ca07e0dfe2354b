// A stand-in for the story's scenes (StoryManager::setSceneMaker), for tests of the story flow.
//
// Installing a FakeSceneMaker makes every scene a FakeScene that records its entry. Like the
// real scene, a FakeScene given a following day pushes it (at its first update) and ends itself
// once the day has ended and uncovered it; a scene without a day stays on top until the test
// ends it (endMode), as a player would by watching it to its end. The maker's destructor puts
// the real scenes back.
//
//     FakeSceneMaker scenes;
//     ... play ...
//     EXPECT_EQ((std::vector<int>{0, 1}), scenes.entries());
#ifndef DBD_TESTS_SHELL_KIT_FAKESCENE_H
#define DBD_TESTS_SHELL_KIT_FAKESCENE_H

#include "shell/dbdmode.h"

#include <vector>

class FakeScene : public DBDMode
{
public:
    FakeScene(int nEntry, GameMode* pNextMode);
    // Deletes a day it never pushed.
    ~FakeScene() override;

    int getEntry() const { return m_nEntry; }
    bool hasNextMode() const { return m_pNextMode != nullptr; }

    void onActivate() override;
    void update(float fDt) override;

private:
    int m_nEntry;
    GameMode* m_pNextMode; // owned until pushed
    bool m_bPushed;
};

class FakeSceneMaker
{
public:
    // Installs itself (one at a time).
    FakeSceneMaker();
    // Restores the real scenes.
    ~FakeSceneMaker();

    // The entries of the scenes made, in order.
    const std::vector<int>& entries() const;
    void clear();
};

#endif
