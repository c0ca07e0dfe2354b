#include "platform/gl/rendermatrix.h"

#include "rir2/calltrace.h"

#include <cmath>
#include <cstring>

RenderMatrix::RenderMatrix()
{
    for (int i = 0; i < 16; ++i)
        m_afCell[i] = (i % 5 == 0) ? 1.0f : 0.0f;
}

RenderMatrix::RenderMatrix(const float afCells[16])
{
    memcpy(m_afCell, afCells, sizeof(m_afCell));
}

RenderMatrix RenderMatrix::translation(float fX, float fY, float fZ)
{
    RenderMatrix m;
    m.at(3, 0) = fX;
    m.at(3, 1) = fY;
    m.at(3, 2) = fZ;
    return m;
}

RenderMatrix RenderMatrix::scaling(float fX, float fY, float fZ)
{
    RenderMatrix m;
    m.at(0, 0) = fX;
    m.at(1, 1) = fY;
    m.at(2, 2) = fZ;
    return m;
}

RenderMatrix RenderMatrix::rotationZ(float fRadians)
{
    const float fCos = cosf(fRadians);
    const float fSin = sinf(fRadians);
    RenderMatrix m;
    // Row vectors: x' = x cos - y sin, y' = x sin + y cos.
    m.at(0, 0) = fCos;
    m.at(0, 1) = fSin;
    m.at(1, 0) = -fSin;
    m.at(1, 1) = fCos;
    return m;
}

RenderMatrix RenderMatrix::orthoOffCenter(float fLeft, float fRight, float fBottom, float fTop,
                                          float fNear, float fFar)
{
    RenderMatrix m;
    m.at(0, 0) = 2.0f / (fRight - fLeft);
    m.at(1, 1) = 2.0f / (fTop - fBottom);
    m.at(2, 2) = 1.0f / (fFar - fNear);
    m.at(3, 0) = -(fRight + fLeft) / (fRight - fLeft);
    m.at(3, 1) = -(fTop + fBottom) / (fTop - fBottom);
    m.at(3, 2) = -fNear / (fFar - fNear);
    return m;
}

RenderMatrix RenderMatrix::operator*(const RenderMatrix& other) const
{
    RenderMatrix m;
    for (int r = 0; r < 4; ++r)
    {
        for (int c = 0; c < 4; ++c)
        {
            float fSum = 0.0f;
            for (int k = 0; k < 4; ++k)
                fSum += at(r, k) * other.at(k, c);
            m.at(r, c) = fSum;
        }
    }
    return m;
}

bool RenderMatrix::operator==(const RenderMatrix& other) const
{
    for (int i = 0; i < 16; ++i)
    {
        if (m_afCell[i] != other.m_afCell[i])
            return false;
    }
    return true;
}

void RenderMatrix::transform(float fX, float fY, float fZ, float* pafOut) const
{
    for (int c = 0; c < 4; ++c)
        pafOut[c] = fX * at(0, c) + fY * at(1, c) + fZ * at(2, c) + at(3, c);
}

RIR::String RenderMatrix::toString() const
{
    RIR_TRACE("RenderMatrix::toString");
    if (isIdentity())
        return RIR::String("identity");
    RIR::String sText("[");
    for (int r = 0; r < 4; ++r)
    {
        if (r > 0)
            sText += "; ";
        sText += RIR::String::format("%g %g %g %g", at(r, 0), at(r, 1), at(r, 2), at(r, 3));
    }
    sText += "]";
    return sText;
}
