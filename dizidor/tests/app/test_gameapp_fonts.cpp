// GameApp's font start-up: init registers the bitmap font factories, and the default font reads
// the built-in glyph sheet through the application's own resource and image lookup.
#include "resourcefixture.h"

#include "gfx/bitmapfont.h"
#include "gfx/fontfactorytable.h"
#include "gfx/simplefont.h"

class GameAppFontTest : public ResourceAppTest
{
protected:
    ~GameAppFontTest() override
    {
        FontFactoryTable::unregisterFactory("SimpleFont");
        FontFactoryTable::unregisterFactory("BitmapFont");
    }
};

TEST_F(GameAppFontTest, InitRegistersTheBitmapFactoriesAndTheDefaultSheetReads)
{
    FontFactoryTable::unregisterFactory("SimpleFont");
    FontFactoryTable::unregisterFactory("BitmapFont");
    startPlatform();
    ASSERT_TRUE(FontFactoryTable::findFactory("simplefont"));
    ASSERT_TRUE(FontFactoryTable::findFactory("bitmapfont"));

    const RIR::List<RIR::String> lArgs("DiziDor::SystemFont");
    RIR::SmartPtr<Font> pDefault = FontFactoryTable::createFont("SimpleFont", lArgs);
    ASSERT_NE(nullptr, dynamic_cast<SimpleFont*>(pDefault.get()));
    EXPECT_EQ(16, pDefault->getLineHeight());
    EXPECT_TRUE(pDefault->hasGlyph('Q'));
    EXPECT_FALSE(pDefault->hasGlyph('\xC4')) << "row 3 holds the digits only";
    EXPECT_TRUE(m_pApp->isImageCached("dizidor::systemfont"));

    RIR::SmartPtr<Font> pBitmap = FontFactoryTable::createFont("BitmapFont", lArgs);
    ASSERT_NE(nullptr, dynamic_cast<BitmapFont*>(pBitmap.get()));
    EXPECT_EQ(pDefault->getTextWidth("Howdy, 42!"), pBitmap->getTextWidth("Howdy, 42!"));
}
