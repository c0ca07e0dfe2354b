#include "rir2/random.h"

#include "rir2/exception.h"

#include <cstdint>
#include <ctime>

namespace RIR
{

namespace
{

enum
{
    MT_N = Random::STATE_SIZE,
    MT_M = 397
};

const uint32_t MT_MATRIX_A = 0x9908B0DFu;
const uint32_t MT_UPPER_MASK = 0x80000000u;
const uint32_t MT_LOWER_MASK = 0x7FFFFFFFu;

// An output as a fraction of 2^32: [0, 1), never 1.0.
double toUnit(uint32_t nValue)
{
    return (double)nValue / 4294967296.0;
}

} // namespace

Random::Random()
{
    RIR_TRACE("Random::Random");
    seed((unsigned int)(uint32_t)std::time(nullptr));
}

Random::~Random() {}

void Random::seed(unsigned int nSeed)
{
    RIR_TRACE("Random::seed");
    m_aState[0] = (uint32_t)nSeed;
    for (int i = 1; i < MT_N; ++i)
    {
        const uint32_t nPrev = m_aState[i - 1];
        m_aState[i] = 1812433253u * (nPrev ^ (nPrev >> 30)) + (uint32_t)i;
    }
    m_nIndex = MT_N;
}

void Random::seedArray(const unsigned int* pKey, int nLength)
{
    RIR_TRACE("Random::seedArray");
    seed(19650218u);
    if (nLength <= 0)
        return;
    RIR_ASSERT(pKey);

    int i = 1;
    int j = 0;
    for (int k = (MT_N > nLength ? MT_N : nLength); k > 0; --k)
    {
        const uint32_t nPrev = m_aState[i - 1];
        m_aState[i] =
            (m_aState[i] ^ ((nPrev ^ (nPrev >> 30)) * 1664525u)) + (uint32_t)pKey[j] + (uint32_t)j;
        ++i;
        ++j;
        if (i >= MT_N)
        {
            m_aState[0] = m_aState[MT_N - 1];
            i = 1;
        }
        if (j >= nLength)
            j = 0;
    }
    for (int k = MT_N - 1; k > 0; --k)
    {
        const uint32_t nPrev = m_aState[i - 1];
        m_aState[i] = (m_aState[i] ^ ((nPrev ^ (nPrev >> 30)) * 1566083941u)) - (uint32_t)i;
        ++i;
        if (i >= MT_N)
        {
            m_aState[0] = m_aState[MT_N - 1];
            i = 1;
        }
    }
    m_aState[0] = 0x80000000u; // the most significant bit is set: the state is never all zero
    m_nIndex = MT_N;
}

void Random::regenerate()
{
    RIR_TRACE("Random::regenerate");
    for (int k = 0; k < MT_N; ++k)
    {
        const uint32_t y =
            (m_aState[k] & MT_UPPER_MASK) | (m_aState[(k + 1) % MT_N] & MT_LOWER_MASK);
        m_aState[k] = m_aState[(k + MT_M) % MT_N] ^ (y >> 1) ^ ((y & 1u) ? MT_MATRIX_A : 0u);
    }
    m_nIndex = 0;
}

uint32_t Random::draw()
{
    if (m_nIndex >= MT_N)
        regenerate();
    uint32_t y = m_aState[m_nIndex++];
    y ^= y >> 11;
    y ^= (y << 7) & 0x9D2C5680u;
    y ^= (y << 15) & 0xEFC60000u;
    y ^= y >> 18;
    return y;
}

unsigned int Random::next32()
{
    RIR_TRACE("Random::next32");
    return (unsigned int)draw();
}

double Random::nextDouble()
{
    RIR_TRACE("Random::nextDouble");
    return toUnit(draw());
}

int Random::range(int a, int b)
{
    RIR_TRACE("Random::range");
    // The span and the offset are taken in double and 64 bits: b - a + 1 and a + offset would
    // overflow int for wide ranges. The results are those of the int formula wherever it is
    // defined.
    const double dSpan = (double)b - (double)a + 1.0;
    const int64_t nOffset = (int64_t)(toUnit(draw()) * dSpan);
    const int64_t nValue = (int64_t)a + nOffset;
    return nValue > b ? b : (int)nValue;
}

double Random::rangeReal(double a, double b)
{
    RIR_TRACE("Random::rangeReal");
    return a + toUnit(draw()) * (b - a);
}

bool Random::chance()
{
    RIR_TRACE("Random::chance");
    return toUnit(draw()) < 0.5;
}

} // namespace RIR
