// Point: a two-dimensional vector of floats.
//
// Positions, offsets, sizes and directions of the visual layer. Copied by value, owns nothing.
// All arithmetic is single-precision float; division by zero follows float rules (inf, nan).
// Angles are in degrees: 0 points along +x and, since screen y grows downward, growing angles
// turn clockwise on the screen.
//
// The operators and one-line products are inline and untraced, like the container helpers; the
// members that compute something further (length, angle, normalize) open a call-trace entry.
#ifndef DIZIDOR_GFX_POINT_H
#define DIZIDOR_GFX_POINT_H

class Point
{
public:
    Point() : x(0.0f), y(0.0f) {}
    Point(float fX, float fY) : x(fX), y(fY) {}
    Point(const Point& other) = default;
    Point& operator=(const Point& other) = default;
    virtual ~Point() {}

    Point& operator+=(const Point& other)
    {
        x += other.x;
        y += other.y;
        return *this;
    }
    Point& operator-=(const Point& other)
    {
        x -= other.x;
        y -= other.y;
        return *this;
    }
    Point& operator*=(float f)
    {
        x *= f;
        y *= f;
        return *this;
    }
    Point& operator/=(float f)
    {
        x /= f;
        y /= f;
        return *this;
    }

    // Exact float comparison of both components.
    bool operator==(const Point& other) const { return x == other.x && y == other.y; }
    bool operator!=(const Point& other) const { return !(*this == other); }

    // sqrt(x*x + y*y).
    float length() const;
    float lengthSquared() const { return x * x + y * y; }
    float dot(const Point& other) const { return x * other.x + y * other.y; }
    // The direction in degrees, in [0, 360).
    float angle() const;
    // Scales the vector to length 1; a zero vector stays (0, 0).
    void normalize();

    float x;
    float y;
};

inline Point operator+(const Point& a, const Point& b)
{
    return Point(a.x + b.x, a.y + b.y);
}
inline Point operator-(const Point& a, const Point& b)
{
    return Point(a.x - b.x, a.y - b.y);
}
inline Point operator*(const Point& p, float f)
{
    return Point(p.x * f, p.y * f);
}
inline Point operator*(float f, const Point& p)
{
    return Point(p.x * f, p.y * f);
}
inline Point operator/(const Point& p, float f)
{
    return Point(p.x / f, p.y / f);
}
// Divides the point by the scalar as well: f / p is p / f, not a reciprocal.
inline Point operator/(float f, const Point& p)
{
    return Point(p.x / f, p.y / f);
}
inline Point operator-(const Point& p)
{
    return Point(-p.x, -p.y);
}

#endif
