#include "fakescene.h"

#include "shell/storymanager.h"

#include "app/gameapp.h"

namespace
{

std::vector<int> g_entries;

GameMode* makeFakeScene(int nEntry, GameMode* pNextMode)
{
    g_entries.push_back(nEntry);
    return new FakeScene(nEntry, pNextMode);
}

} // namespace

FakeScene::FakeScene(int nEntry, GameMode* pNextMode)
    : DBDMode(MF_SEE_THROUGH), m_nEntry(nEntry), m_pNextMode(pNextMode), m_bPushed(false)
{
}

FakeScene::~FakeScene()
{
    if (!m_bPushed)
        delete m_pNextMode;
}

void FakeScene::onActivate()
{
    DBDMode::onActivate();
    // Uncovered by the end of the day it started.
    if (m_bPushed)
        endMode();
}

void FakeScene::update(float fDt)
{
    DBDMode::update(fDt);
    if (m_pNextMode && !m_bPushed)
    {
        m_bPushed = true;
        getApp()->pushMode(m_pNextMode);
    }
}

FakeSceneMaker::FakeSceneMaker()
{
    g_entries.clear();
    StoryManager::setSceneMaker(&makeFakeScene);
}

FakeSceneMaker::~FakeSceneMaker()
{
    StoryManager::setSceneMaker(nullptr);
    g_entries.clear();
}

const std::vector<int>& FakeSceneMaker::entries() const
{
    return g_entries;
}

void FakeSceneMaker::clear()
{
    g_entries.clear();
}
