#include "gfx/bitmapfontfactories.h"

#include "gfx/bitmapfont.h"
#include "gfx/fontfactorytable.h"
#include "gfx/imageenv.h"
#include "gfx/simplefont.h"

#include "rir2/calltrace.h"
#include "rir2/list_impl.h"

RIR::SmartPtr<Font> SimpleFontFactory::createFont(const RIR::List<RIR::String>& lArgs)
{
    RIR_TRACE("SimpleFontFactory::createFont");
    const RIR::String sSheet = lArgs.get(0);
    RIR::SmartPtr<SimpleFont> pFont = new SimpleFont();
    pFont->loadFromImage(getImageEnvironment()->getImage(sSheet.c_str()));
    return RIR::SmartPtr<Font>(pFont.get());
}

RIR::SmartPtr<Font> BitmapFontFactory::createFont(const RIR::List<RIR::String>& lArgs)
{
    RIR_TRACE("BitmapFontFactory::createFont");
    const RIR::String sSheet = lArgs.get(0);
    RIR::SmartPtr<BitmapFont> pFont = new BitmapFont();
    pFont->loadFromImage(getImageEnvironment()->getImage(sSheet.c_str()));
    return RIR::SmartPtr<Font>(pFont.get());
}

void registerSimpleFontFactory()
{
    RIR_TRACE("registerSimpleFontFactory");
    FontFactoryTable::registerFactory("SimpleFont", new SimpleFontFactory());
}

void registerBitmapFontFactory()
{
    RIR_TRACE("registerBitmapFontFactory");
    FontFactoryTable::registerFactory("BitmapFont", new BitmapFontFactory());
}
