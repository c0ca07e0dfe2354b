#include "gfx/imageenv.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

namespace
{

ImageEnvironment* s_pImageEnvironment = nullptr;

} // namespace

ImageEnvironment::~ImageEnvironment()
{
    // An environment that goes away while installed must not be reached any more.
    if (s_pImageEnvironment == this)
        s_pImageEnvironment = nullptr;
}

void setImageEnvironment(ImageEnvironment* pEnv)
{
    RIR_TRACE("setImageEnvironment");
    s_pImageEnvironment = pEnv;
}

ImageEnvironment* getImageEnvironment()
{
    RIR_TRACE("getImageEnvironment");
    if (!s_pImageEnvironment)
        RIR_THROW(BadStateException, "No image environment");
    return s_pImageEnvironment;
}

ImageEnvironment* findImageEnvironment()
{
    return s_pImageEnvironment;
}
