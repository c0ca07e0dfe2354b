// IncludeStack: which scripts are open while the animation script reader reads a script and the
// scripts it includes.
//
// Every script read (the first one and each include) is a source with a number; an included
// script's parent is the source of the "include" line. The reader tells the stack the source of
// each line it takes (enter); the stack then holds exactly that source and its ancestors, the
// scripts still being read. An include of a script that is open would read itself for ever: the
// question (isOpen) is one table look-up, and every source is entered and left once, so reading
// costs the same however deep the includes nest.
//
// Usage:
//     IncludeStack stack;
//     const int nMain = stack.addSource("walk.anim", -1);
//     stack.enter(nMain);                      // a line of walk.anim is read
//     if (stack.isOpen("part.anim")) ...       // a cycle
//     const int nPart = stack.addSource("part.anim", nMain);
#ifndef DIZIDOR_GFX_INCLUDESTACK_H
#define DIZIDOR_GFX_INCLUDESTACK_H

#include "rir2/rirstring.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class IncludeStack
{
public:
    // Forgets every source.
    void clear();
    // A new source for the named script, included from source nParent (-1 for the first script);
    // its number. It is not open until one of its lines is entered.
    int addSource(const RIR::String& sName, int nParent);
    // A line of source nSource is being read: the sources after it on the stack are finished, and
    // a source not yet open opens on top of its parent. nSource must be a number addSource gave,
    // whose parent is open when it is entered first.
    void enter(int nSource);
    // The named script is on the stack: the current line's script or one that included it.
    bool isOpen(const RIR::String& sName) const;
    // The number of sources on the stack.
    int getDepth() const { return (int)m_anOpen.size(); }

private:
    void leaveTop();

    // Per source: its script's name, its parent, whether it is on the stack.
    std::vector<std::string> m_asNames;
    std::vector<int32_t> m_anParents;
    std::vector<bool> m_abOpen;
    // The open sources, first script first, and how often each name is open.
    std::vector<int32_t> m_anOpen;
    std::unordered_map<std::string, int32_t> m_hOpenNames;
};

#endif
