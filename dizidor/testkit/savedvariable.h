// SavedVariable: remembers an environment variable and puts it back (or unsets it again) when it
// goes out of scope, so a test may change HOME, XDG_DATA_HOME, PATH and the like freely.
#ifndef DIZIDOR_TESTKIT_SAVEDVARIABLE_H
#define DIZIDOR_TESTKIT_SAVEDVARIABLE_H

#include <cstdlib>
#include <string>

class SavedVariable
{
public:
    explicit SavedVariable(const char* pszName) : m_sName(pszName)
    {
        const char* pszValue = std::getenv(pszName);
        m_bWasSet = pszValue != nullptr;
        if (m_bWasSet)
            m_sValue = pszValue;
    }
    ~SavedVariable()
    {
        if (m_bWasSet)
            setenv(m_sName.c_str(), m_sValue.c_str(), 1);
        else
            unsetenv(m_sName.c_str());
    }
    SavedVariable(const SavedVariable&) = delete;
    SavedVariable& operator=(const SavedVariable&) = delete;

private:
    std::string m_sName;
    std::string m_sValue;
    bool m_bWasSet;
};

// EnvSetting: sets an environment variable for its lifetime and puts the old value back.
class EnvSetting
{
public:
    EnvSetting(const char* pszName, const char* pszValue) : m_saved(pszName)
    {
        setenv(pszName, pszValue, 1);
    }

private:
    SavedVariable m_saved;
};

#endif
