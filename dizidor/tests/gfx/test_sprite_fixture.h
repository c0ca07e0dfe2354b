// Shared set-up of the sprite tests: in-memory images and a mode stand-in that records what a
// sprite asks of it.
#ifndef DIZIDOR_TESTS_GFX_TEST_SPRITE_FIXTURE_H
#define DIZIDOR_TESTS_GFX_TEST_SPRITE_FIXTURE_H

#include "gfx/color.h"
#include "gfx/image.h"
#include "gfx/rect.h"
#include "gfx/sprite.h"
#include "gfx/spriteowner.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"
#include "testkit/memimageenv.h"
#include "testkit/memimagefactory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <vector>

// Internal linkage: other test files may print these types their own way.
[[maybe_unused]] static void PrintTo(const Rect& r, std::ostream* pOut)
{
    *pOut << "(" << r.left << ", " << r.top << " - " << r.right << ", " << r.bottom << ")";
}

[[maybe_unused]] static void PrintTo(const Point& p, std::ostream* pOut)
{
    *pOut << "(" << p.x << ", " << p.y << ")";
}

inline std::string rectText(const Rect& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

// A mode as far as a sprite sees it: logs every call, keeps an update list and tooltip records.
class FakeOwner : public SpriteOwner
{
public:
    struct TooltipState
    {
        Rect area;
        std::string sText;
        bool bEnabled = true;
    };

    ~FakeOwner() override
    {
        for (int i = 0; i < m_lUpdatables.getLength(); ++i)
            m_lUpdatables.get(i)->getUpdateLayerRef().clear();
    }

    void reorderObject(RIR::SmartPtr<Sprite> pSprite) override
    {
        m_lCalls.push_back("reorder z=" + std::to_string(pSprite->getZOrder()));
    }

    RIR::SmartPtr<Sprite> addUpdatable(RIR::SmartPtr<Sprite> pSprite) override
    {
        m_lCalls.push_back("addUpdatable");
        pSprite->getUpdateLayerRef().m_pSpriteNode = m_lUpdatables.append(pSprite);
        return pSprite;
    }

    void removeObject(RIR::SmartPtr<Sprite> pSprite) override
    {
        m_lCalls.push_back("removeObject");
        if (pSprite)
            pSprite->removeFromMode();
    }

    TooltipHandle addTooltip(const Rect& area, const char* pszText) override
    {
        m_lCalls.push_back("addTooltip " + rectText(area) + " " + pszText);
        TooltipHandle h = m_lTooltips.append(nullptr);
        m_tooltips[h] = TooltipState{area, pszText, true};
        return h;
    }

    void removeTooltip(TooltipHandle h) override
    {
        m_lCalls.push_back("removeTooltip");
        m_tooltips.erase(h);
        m_lTooltips.removeNode(h);
    }

    void setTooltipText(TooltipHandle h, const char* pszText) override
    {
        m_lCalls.push_back(std::string("setTooltipText ") + pszText);
        m_tooltips.at(h).sText = pszText;
    }

    void setTooltipRect(TooltipHandle h, const Rect& area) override
    {
        m_lCalls.push_back("setTooltipRect " + rectText(area));
        m_tooltips.at(h).area = area;
    }

    void setTooltipEnabled(TooltipHandle h, bool bEnabled) override
    {
        m_lCalls.push_back(std::string("setTooltipEnabled ") + (bEnabled ? "1" : "0"));
        m_tooltips.at(h).bEnabled = bEnabled;
    }

    std::vector<std::string> m_lCalls;
    SpriteLayer m_lUpdatables;
    RIR::List<Tooltip*> m_lTooltips;
    std::map<TooltipHandle, TooltipState> m_tooltips;
};

// Installs an in-memory image environment for each test.
class SpriteTestBase : public ::testing::Test
{
protected:
    SpriteTestBase() : m_env(&m_factory) {}

    // A colour per canvas pixel, never transparent, distinct within 32 x 32 pixels.
    static Color patternColor(int x, int y) { return Color(8 * x + 3, 8 * y + 5, x * 3 + y, 255); }

    // A w x h image with alpha whose pixels are the pattern, with its insertion point.
    RIR::SmartPtr<Image> patternImage(int nWidth, int nHeight, int nInsX, int nInsY)
    {
        RIR::SmartPtr<Image> pImage = m_factory.createBlank(nWidth, nHeight, true);
        for (int y = 0; y < nHeight; ++y)
            for (int x = 0; x < nWidth; ++x)
                pImage->setPixelAt(x, y, patternColor(x, y));
        pImage->setInsPoint(nInsX, nInsY);
        return pImage;
    }

    // The packed colour the sprite shows at a screen pixel: the displayed image's pixel under
    // the pixel's centre, or 0 (transparent black) where nothing is shown.
    static uint32_t shownAt(Sprite* pSprite, int x, int y)
    {
        RIR::SmartPtr<Image> pShown = pSprite->getDisplayImage();
        if (!pShown || !pSprite->hitTestStoredPixels(Point(x + 0.5f, y + 0.5f)))
            return 0;
        const Point l = pSprite->screenToLocal(Point(x + 0.5f, y + 0.5f));
        return pShown->getPixelAt((int)l.x, (int)l.y).getPackedValue();
    }

    MemImageFactory m_factory;
    MemImageEnvironment m_env;
};

#endif
