// AnimationParserException: an animation script that cannot be read.
//
// The animation script reader raises it for script errors it reports itself: a command with too
// few tokens, an unknown command word, an image name the script never loaded, a bad option of
// "seq" or "add", missing parameters, an include cycle, a conditional block left open at the end
// of the script, a script that would run away (too many runs of one line, too long a line, too
// many frames). Its message names the script and the line. Errors of the services the script
// uses (a missing resource or picture, the containers' index errors) keep their own classes.
//
// Usage:
//     try { pAnim = loader.load("walk.anim"); }
//     catch (const RIR::Exception& e) { logPrintf("G: %s\n", e.getMessage()); }
#ifndef DIZIDOR_GFX_ANIMATIONPARSEREXCEPTION_H
#define DIZIDOR_GFX_ANIMATIONPARSEREXCEPTION_H

#include "rir2/calltrace.h"
#include "rir2/exception.h"

RIR_DECLARE_EXCEPTION(AnimationParserException)

// Throws AnimationParserException with this file and line; pszMessage is a C text.
#define ANIM_PARSE_ERROR(pszMessage)                                                               \
    do                                                                                             \
    {                                                                                              \
        ::RIR::setTraceLine(__LINE__);                                                             \
        throw ::AnimationParserException(__FILE__, __LINE__, (pszMessage));                        \
    } while (0)

#endif
