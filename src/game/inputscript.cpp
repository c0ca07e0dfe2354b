#include "game/inputscript.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <sstream>

namespace
{

struct NamedKey
{
    const char* pszName;
    int nKey;
    int nUnicode;
};

const NamedKey NAMED_KEYS[] = {
    {"escape", SDLK_ESCAPE, 27}, {"return", SDLK_RETURN, 13},   {"enter", SDLK_RETURN, 13},
    {"space", SDLK_SPACE, ' '},  {"tab", SDLK_TAB, 9},           {"backspace", SDLK_BACKSPACE, 8},
    {"up", SDLK_UP, 0},          {"down", SDLK_DOWN, 0},         {"left", SDLK_LEFT, 0},
    {"right", SDLK_RIGHT, 0},    {"f1", SDLK_F1, 0},             {"f2", SDLK_F2, 0},
    {"f3", SDLK_F3, 0},          {"f4", SDLK_F4, 0},             {"f5", SDLK_F5, 0},
    {"f6", SDLK_F6, 0},          {"f7", SDLK_F7, 0},             {"f8", SDLK_F8, 0},
    {"f9", SDLK_F9, 0},          {"f10", SDLK_F10, 0},           {"f11", SDLK_F11, 0},
    {"f12", SDLK_F12, 0},        {"kp_enter", SDLK_KP_ENTER, 13}};

bool parseInt(const std::string& sWord, int nMin, int nMax, int* pnValue)
{
    if (sWord.empty())
        return false;
    char* pszEnd = nullptr;
    const long nValue = std::strtol(sWord.c_str(), &pszEnd, 10);
    if (!pszEnd || *pszEnd || nValue < nMin || nValue > nMax)
        return false;
    *pnValue = (int)nValue;
    return true;
}

bool parseButton(const std::string& sWord, int* pnButton)
{
    if (sWord.empty() || sWord == "left")
        *pnButton = SDL_BUTTON_LEFT;
    else if (sWord == "middle")
        *pnButton = SDL_BUTTON_MIDDLE;
    else if (sWord == "right")
        *pnButton = SDL_BUTTON_RIGHT;
    else
        return false;
    return true;
}

bool parseKey(const std::string& sWord, int* pnKey, int* pnUnicode)
{
    for (const NamedKey& key : NAMED_KEYS)
    {
        if (sWord == key.pszName)
        {
            *pnKey = key.nKey;
            *pnUnicode = key.nUnicode;
            return true;
        }
    }
    if (sWord.size() == 1 && sWord[0] > ' ' && sWord[0] < 127)
    {
        const char c = sWord[0];
        *pnKey = (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c;
        *pnUnicode = c;
        return true;
    }
    int nKey = 0;
    if (parseInt(sWord, 1, SDLK_LAST - 1, &nKey))
    {
        *pnKey = nKey;
        *pnUnicode = nKey < 127 && nKey >= 32 ? nKey : 0;
        return true;
    }
    return false;
}

} // namespace

bool parseInputScript(const std::string& sText, std::vector<ScriptStep>* pSteps,
                      std::string* psError)
{
    std::istringstream in(sText);
    std::string sLine;
    int nLine = 0;
    int nPendingMs = 0;
    int nPendingFrames = 0;
    pSteps->clear();
    auto fail = [&](const std::string& sWhat) {
        *psError = "line " + std::to_string(nLine) + ": " + sWhat;
        return false;
    };
    auto push = [&](ScriptStep step) {
        step.nLine = nLine;
        step.nDelayMs = nPendingMs;
        step.nDelayFrames = nPendingFrames > 0 ? nPendingFrames : 1;
        nPendingMs = 0;
        nPendingFrames = 0;
        pSteps->push_back(step);
    };
    while (std::getline(in, sLine))
    {
        ++nLine;
        const size_t nHash = sLine.find('#');
        if (nHash != std::string::npos)
            sLine.erase(nHash);
        std::istringstream words(sLine);
        std::vector<std::string> lWords;
        for (std::string sWord; words >> sWord;)
            lWords.push_back(sWord);
        if (lWords.empty())
            continue;
        const std::string& sCommand = lWords[0];
        const size_t nArgs = lWords.size() - 1;
        ScriptStep step;
        if (sCommand == "wait" || sCommand == "frames")
        {
            int nValue = 0;
            if (nArgs != 1 || !parseInt(lWords[1], 0, 3600000, &nValue))
                return fail(sCommand + " needs one number");
            if (sCommand == "wait")
                nPendingMs += nValue;
            else
                nPendingFrames += nValue;
        }
        else if (sCommand == "move" || sCommand == "click" || sCommand == "down" ||
                 sCommand == "up")
        {
            const bool bButton = sCommand != "move";
            if (nArgs < 2 || nArgs > (bButton ? 3u : 2u) ||
                !parseInt(lWords[1], -10000, 10000, &step.nX) ||
                !parseInt(lWords[2], -10000, 10000, &step.nY) ||
                (nArgs == 3 && !parseButton(lWords[3], &step.nButton)))
                return fail(sCommand + " needs X Y" + (bButton ? " [left|middle|right]" : ""));
            step.eKind = ScriptStep::MOVE;
            push(step);
            if (sCommand == "click" || sCommand == "down")
            {
                step.eKind = ScriptStep::BUTTON_DOWN;
                push(step);
            }
            if (sCommand == "click" || sCommand == "up")
            {
                step.eKind = ScriptStep::BUTTON_UP;
                push(step);
            }
        }
        else if (sCommand == "key")
        {
            if (nArgs != 1 || !parseKey(lWords[1], &step.nKey, &step.nUnicode))
                return fail("key needs a key name, a character or a key number");
            step.eKind = ScriptStep::KEY_DOWN;
            push(step);
            step.eKind = ScriptStep::KEY_UP;
            push(step);
        }
        else if (sCommand == "screenshot")
        {
            if (nArgs != 1)
                return fail("screenshot needs a file name");
            step.eKind = ScriptStep::SCREENSHOT;
            step.sFile = lWords[1];
            push(step);
        }
        else if (sCommand == "savestress")
        {
            if (nArgs != 1 || !parseInt(lWords[1], 1, 100000000, &step.nCount))
                return fail("savestress needs one number");
            step.eKind = ScriptStep::SAVE_STRESS;
            push(step);
        }
        else if (sCommand == "close" || sCommand == "quit" || sCommand == "mode")
        {
            if (nArgs != 0)
                return fail(sCommand + " takes no arguments");
            step.eKind = sCommand == "close"  ? ScriptStep::CLOSE
                         : sCommand == "quit" ? ScriptStep::QUIT
                                              : ScriptStep::LOG_MODE;
            push(step);
        }
        else
            return fail("unknown command '" + sCommand + "'");
    }
    return true;
}
