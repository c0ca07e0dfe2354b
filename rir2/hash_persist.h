// Hash<String, String>::persistTo and persistFrom: the hash-table form of the object streamer.
//
// Written: 13, the pair count as a variable-length integer, then each key and its value as
// string forms, in table order (last bucket first).
//
// Read, after emptying the table (its bucket count stays):
// - the current form; every pair is set (a key that comes twice keeps its last value) and the
//   table is then rebuilt to fit its key count (an empty table gets 5 buckets);
// - the legacy version 2: 02 'h' 's' 'H', an ignored byte, the list form of the keys, an ignored
//   byte, the list form of the values; key i pairs with value i;
// - the legacy version 1: 01 'h' 's' 'H', the bucket count as a 32-bit integer, then per bucket
//   an ignored byte and the list form of its nodes, each a new node (kind 0, 32-bit id, key and
//   value string forms). Reading it writes "WARNING : Hash::persistFrom : reading old format
//   version 1" to standard error.
// Both legacy forms end with the table rebuilt to fit the pairs read.
//
// Failures raise BadStreamFormatException and leave the table holding what was read so far:
// "Hash::persistFrom : bad stream format\n" (wrong tag or type letters, or a version-2 table
// whose key and value lists differ in length) and "Hash::persistFrom : unknown format
// version\n". Version 1 also refuses, instead of trusting, a bucket count outside 1..6421, a null
// node and a node shared between places (a back-reference); a back-reference to an id never
// read raises FatalErrorException "AlreadyLoaded failed". The list and string readers' own errors
// pass through unchanged.
//
// Only the String to String table is serialized; included at the end of hash_impl.h.
#ifndef RIR2_HASH_PERSIST_H
#define RIR2_HASH_PERSIST_H

#include "rir2/hash.h"
#include "rir2/rirstring.h"

namespace RIR
{

template <> void Hash<String, String>::persistTo(ObjectStreamer& streamer);
template <> void Hash<String, String>::persistFrom(ObjectStreamer& streamer);

} // namespace RIR

#endif
