// PropHolder: named string properties with inheritance from a parent holder.
//
// Animations, their sequences and their frames carry string properties that the game reads as
// markers and parameters of a frame ("doaction", "sound", "suffix"...). A holder answers for its
// own keys first and then asks its parent, so a frame inherits what its sequence says, and a
// sequence what its animation says.
//
// The parent is a plain back pointer: the parent owns the child (an animation holds its
// sequences, a sequence its frames), never the reverse, so a child never outlives the parent it
// points to while it is reached through that parent.
//
// Usage:
//     pSequence->setProp("sound", "step");
//     pFrame->getProp("sound");          // "step", inherited from the sequence
//     pFrame->hasProp("sound", false);   // false: the frame has no key of its own
//
// Main thread only. No operation fails.
#ifndef DIZIDOR_GFX_PROPHOLDER_H
#define DIZIDOR_GFX_PROPHOLDER_H

#include "rir2/hash.h"
#include "rir2/list.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

class PropHolder : public RIR::RefCountedObject
{
public:
    // No parent, no properties.
    PropHolder();
    ~PropHolder() override;

    PropHolder(const PropHolder&) = delete;
    PropHolder& operator=(const PropHolder&) = delete;

    // The holder asked for keys this one lacks (null: none). Not reference-counted.
    void setParent(PropHolder* pParent);
    PropHolder* getParent() const { return m_pParent; }

    // Whether this holder has the key; with bInherit, also whether any holder up the parent
    // chain has it.
    bool hasProp(const char* pszKey, bool bInherit) const;
    // The value of the first holder up the chain (this one first) that has the key; "" when none
    // has it.
    RIR::String getProp(const char* pszKey) const;
    // Sets or replaces this holder's own value.
    void setProp(const char* pszKey, const char* pszValue);
    // This holder's own keys, in the table's key order.
    RIR::List<RIR::String> getPropNames() const;

private:
    PropHolder* m_pParent; // not owned
    RIR::Hash<RIR::String, RIR::String> m_hProps;
};

#endif
