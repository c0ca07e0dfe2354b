#include "gfx/fontfactorytable.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/hash.h"
#include "rir2/hash_impl.h"

namespace
{

RIR::Hash<RIR::String, RIR::SmartPtr<FontFactory>>& factories()
{
    static RIR::Hash<RIR::String, RIR::SmartPtr<FontFactory>> s_hFactories;
    return s_hFactories;
}

} // namespace

void FontFactoryTable::registerFactory(const char* pszClass, RIR::SmartPtr<FontFactory> pFactory)
{
    RIR_TRACE("FontFactoryTable::registerFactory");
    factories().set(RIR::String(pszClass).toLower(), pFactory);
}

void FontFactoryTable::unregisterFactory(const char* pszClass)
{
    RIR_TRACE("FontFactoryTable::unregisterFactory");
    const RIR::String sKey = RIR::String(pszClass).toLower();
    if (factories().contains(sKey))
        factories().remove(sKey);
}

RIR::SmartPtr<FontFactory> FontFactoryTable::findFactory(const char* pszClass)
{
    RIR_TRACE("FontFactoryTable::findFactory");
    const RIR::String sKey = RIR::String(pszClass).toLower();
    if (!factories().contains(sKey))
        return RIR::SmartPtr<FontFactory>();
    return factories().get(sKey);
}

RIR::SmartPtr<Font> FontFactoryTable::createFont(const char* pszClass,
                                                 const RIR::List<RIR::String>& lArgs)
{
    RIR_TRACE("FontFactoryTable::createFont");
    RIR::SmartPtr<FontFactory> pFactory = findFactory(pszClass);
    if (!pFactory)
    {
        RIR::String sMessage = RIR::String::format("Can't find factory for font class '%s'",
                                                   RIR::String(pszClass).toLower().c_str());
        RIR_THROW(FatalErrorException, sMessage.c_str());
    }
    return pFactory->createFont(lArgs);
}
