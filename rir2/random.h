// RIR::Random: the library's pseudo-random generator, the 32-bit Mersenne Twister MT19937.
//
// For a given seed the outputs are those of the published reference generator (and of
// std::mt19937). A new generator is seeded from the clock (seconds), so runs are not
// reproducible unless the caller seeds explicitly. Not reference counted: generators are members
// or statics. No locking; a generator belongs to one thread.
//
// randomElement<T> picks a uniform random element of a List<T> with a generator of its own per
// element type, made on the first call and seeded from the clock then.
#ifndef RIR2_RANDOM_H
#define RIR2_RANDOM_H

#include "rir2/calltrace.h"
#include "rir2/list.h"

#include <cstdint>

namespace RIR
{

class Random
{
public:
    enum
    {
        STATE_SIZE = 624
    };

    // Seeded with the low 32 bits of the current calendar time in seconds.
    Random();
    virtual ~Random();

    // The reference initialisation by one word.
    void seed(unsigned int nSeed);
    // The reference initialisation by an array (init_by_array); a length of 0 or less seeds with
    // 19650218 only. pKey may be null when nLength <= 0.
    void seedArray(const unsigned int* pKey, int nLength);

    // The next tempered 32-bit output.
    unsigned int next32();
    // next32() / 2^32: uniform in [0, 1) with 32 random bits; never 1.0.
    double nextDouble();
    // a + (int)(nextDouble() * (b - a + 1)), lowered to b when above it: every value of [a, b]
    // with equal chance for a <= b; always b when b < a. Computed without overflow for any
    // pair of ints.
    int range(int a, int b);
    // a + nextDouble() * (b - a): [a, b) for a < b, (b, a] for b < a, a when they are equal.
    double rangeReal(double a, double b);
    // nextDouble() < 0.5.
    bool chance();

private:
    void regenerate();
    // The next tempered output. It has no entry on the call trace: each public draw below makes
    // one of its own and then calls this, so a draw costs one entry, not one per layer.
    uint32_t draw();

    uint32_t m_aState[STATE_SIZE];
    int32_t m_nIndex; // next word to hand out; STATE_SIZE: regenerate first
};

// A copy of a uniformly chosen element of lItems. Each element type has its own generator. An
// empty list draws -1 and fails with the list's index error.
template <class T> T randomElement(const List<T>& lItems)
{
    RIR_TRACE("randomElement");
    static Random s_random;
    const int nIdx = s_random.range(0, lItems.getLength() - 1);
    RIR_TRACE_LINE();
    return lItems.get(nIdx);
}

} // namespace RIR

#endif
