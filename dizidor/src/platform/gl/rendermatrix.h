// RenderMatrix: a 4 x 4 float matrix for the transforms of a RenderDevice, in the row-vector
// convention.
//
// A point is a row vector multiplied on the left: (x, y, z, 1) x M. So the product A x B applies
// A first and then B, and a device transforms every vertex by world x view x projection. The
// translation sits in the last row (cells (3, 0), (3, 1), (3, 2)). The sixteen cells are stored
// row by row (data()).
//
// The makers build the usual transforms; screen y grows downward, so a positive rotation about z
// turns clockwise on the screen.
//
// A value type: copied freely, no allocation, no call trace.
#ifndef DIZIDOR_PLATFORM_GL_RENDERMATRIX_H
#define DIZIDOR_PLATFORM_GL_RENDERMATRIX_H

#include "rir2/rirstring.h"

class RenderMatrix
{
public:
    // The identity.
    RenderMatrix();
    // The cells row by row.
    explicit RenderMatrix(const float afCells[16]);

    static RenderMatrix identity() { return RenderMatrix(); }
    // Moves by (fX, fY, fZ).
    static RenderMatrix translation(float fX, float fY, float fZ);
    // Scales each axis about the origin.
    static RenderMatrix scaling(float fX, float fY, float fZ);
    // Turns about the z axis by fRadians: (1, 0) goes to (cos, sin).
    static RenderMatrix rotationZ(float fRadians);
    // The orthographic projection of the box fLeft..fRight, fBottom..fTop, fNear..fFar: x from
    // left to right goes to -1..1, y from bottom to top to -1..1 (a top edge above the bottom
    // edge in numbers, as screen coordinates have it, turns the picture upright), z from near to
    // far to 0..1. The edges of each pair must differ.
    static RenderMatrix orthoOffCenter(float fLeft, float fRight, float fBottom, float fTop,
                                       float fNear, float fFar);

    // this first, then other.
    RenderMatrix operator*(const RenderMatrix& other) const;
    bool operator==(const RenderMatrix& other) const;
    bool operator!=(const RenderMatrix& other) const { return !(*this == other); }
    bool isIdentity() const { return *this == RenderMatrix(); }

    float at(int nRow, int nColumn) const { return m_afCell[nRow * 4 + nColumn]; }
    float& at(int nRow, int nColumn) { return m_afCell[nRow * 4 + nColumn]; }
    const float* data() const { return m_afCell; }

    // (fX, fY, fZ, 1) x this, into pafOut[4] (x, y, z, w).
    void transform(float fX, float fY, float fZ, float* pafOut) const;

    // "identity", or the rows as "[a b c d; e f g h; ...]" with "%g".
    RIR::String toString() const;

private:
    float m_afCell[16];
};

#endif
