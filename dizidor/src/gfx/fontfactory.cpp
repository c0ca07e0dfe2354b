#include "gfx/fontfactory.h"

#include "rir2/calltrace.h"

FontFactory::~FontFactory() {}

bool FontFactory::setIntParam(RIR::List<RIR::String>& /*lArgs*/, int /*nWhich*/, int /*nValue*/)
{
    RIR_TRACE("FontFactory::setIntParam");
    return false;
}

bool FontFactory::setStringParam(RIR::List<RIR::String>& /*lArgs*/, int /*nWhich*/,
                                 const char* /*pszValue*/)
{
    RIR_TRACE("FontFactory::setStringParam");
    return false;
}

int FontFactory::getIntParam(const RIR::List<RIR::String>& /*lArgs*/, int /*nWhich*/)
{
    RIR_TRACE("FontFactory::getIntParam");
    return -1;
}

RIR::String FontFactory::getStringParam(const RIR::List<RIR::String>& /*lArgs*/, int /*nWhich*/)
{
    RIR_TRACE("FontFactory::getStringParam");
    return RIR::String("");
}
