// Shared helpers of the world's tests: a fixture with a recording play mode and the synthetic
// floor (190..550, squares 72 x 30), the message of a raised exception, and paths as text.
#ifndef DBD_TESTS_WORLD_WORLDTEST_H
#define DBD_TESTS_WORLD_WORLDTEST_H

#include "world/kit/recordingplaymode.h"
#include "world/kit/syntheticscene.h"

#include "rir2/exception.h"

#include <gtest/gtest.h>

#include <string>

template <class F> std::string messageOf(F call)
{
    try
    {
        call();
    }
    catch (const RIR::Exception& e)
    {
        return std::string(e.getClassName()) + ": " + e.getMessage();
    }
    return "<no exception>";
}

// "(i,j) (i,j) ..." of a list of squares.
inline std::string pathText(const RIR::List<RIR::SmartPtr<SquareData>>& lPath)
{
    std::string s;
    for (int n = 0; n < lPath.getLength(); ++n)
    {
        if (!s.empty())
            s += " ";
        s += "(" + std::to_string(lPath.get(n)->nI) + "," + std::to_string(lPath.get(n)->nJ) + ")";
    }
    return s;
}

// The filled link slots of square (i, j) as "(i,j) (i,j) ...", "-" for a hole between them.
inline std::string linkText(Scene* pScene, int nI, int nJ)
{
    RIR::SmartPtr<SquareData> pSq = pScene->getSquare(nI, nJ);
    int nLast = -1;
    for (int k = 0; k < SquareData::MAX_LINKS; ++k)
        if (pSq->apLinks[k])
            nLast = k;
    std::string s;
    for (int k = 0; k <= nLast; ++k)
    {
        if (!s.empty())
            s += " ";
        const RIR::SmartPtr<SquareData>& pL = pSq->apLinks[k];
        s += pL ? "(" + std::to_string(pL->nI) + "," + std::to_string(pL->nJ) + ")" : "-";
    }
    return s;
}

// A null mug handle for the telekinesis slots, made without instantiating the handle's release for
// the mug class, which these tests do not need to know (the handle holds one null pointer).
class Mug;
class NullMugHandle
{
public:
    NullMugHandle() : m_apNull() {}
    RIR::SmartPtr<Mug>& get() { return *reinterpret_cast<RIR::SmartPtr<Mug>*>(m_apNull); }

private:
    static_assert(sizeof(RIR::SmartPtr<Mug>) == sizeof(void*), "the handle is one pointer");
    void* m_apNull[1];
};

class WorldTest : public ::testing::Test
{
protected:
    WorldTest() : m_pScene(makeFloorScene()) {}
    ~WorldTest() override { m_pScene.release(); }

    int index(int nI, int nJ) const { return nJ * Scene::COLUMNS + nI; }

    RecordingPlayMode m_play;
    RIR::SmartPtr<Scene> m_pScene;
};

#endif
