// The shell's access to the settings store and the string table (see appstore.h).
#include "shell/appstore.h"

#include "app/gameapp.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

namespace
{

GameApp* app()
{
    RIR_ASSERT(GameApp::getInstance());
    return GameApp::getInstance();
}

} // namespace

RIR::String getStoredValue(const char* pszKey)
{
    RIR_TRACE("getStoredValue");
    return app()->getSetting(pszKey);
}

void setStoredValue(const char* pszKey, const char* pszValue)
{
    RIR_TRACE("setStoredValue");
    app()->setSetting(pszKey, pszValue);
}

void saveStore()
{
    RIR_TRACE("saveStore");
    app()->saveSettings();
}

RIR::String getText(const char* pszKey)
{
    RIR_TRACE("getText");
    return RIR::String(app()->getString(pszKey));
}

int getStoredIndex(const char* pszKey, int nCount, int nDefault)
{
    RIR_TRACE("getStoredIndex");
    const RIR::String sValue = getStoredValue(pszKey);
    if (sValue.length() == 0)
        return nDefault;
    const int nValue = RIR::String::toInt(sValue.c_str());
    return nValue >= 0 && nValue < nCount ? nValue : nDefault;
}

RIR::String resolvePlayerUID(const char* pszUID)
{
    RIR_TRACE("resolvePlayerUID");
    return pszUID ? RIR::String(pszUID) : getStoredValue("PlayerUID");
}
