#include "dzaffine.h"

#include <cmath>

namespace {
constexpr double kDegToRad = 3.14159265358979323846 / 180.0;

DzAffine linear(double a, double b, double c, double d, double e, double f, double g, double h,
                double i)
{
    DzAffine r;
    const double v[12] = {a, b, c, 0, d, e, f, 0, g, h, i, 0};
    for (int k = 0; k < 12; ++k)
        r.m[k] = float(v[k]);
    return r;
}
} // namespace

DzAffine DzAffine::translation(const DzVec3& t)
{
    DzAffine r;
    r.m[3] = t.m_x;
    r.m[7] = t.m_y;
    r.m[11] = t.m_z;
    return r;
}

DzAffine DzAffine::rotationXYZ(float xDeg, float yDeg, float zDeg)
{
    const double x = xDeg * kDegToRad, y = yDeg * kDegToRad, z = zDeg * kDegToRad;
    const double cx = std::cos(x), sx = std::sin(x);
    const double cy = std::cos(y), sy = std::sin(y);
    const double cz = std::cos(z), sz = std::sin(z);
    const DzAffine rx = linear(1, 0, 0, 0, cx, -sx, 0, sx, cx);
    const DzAffine ry = linear(cy, 0, sy, 0, 1, 0, -sy, 0, cy);
    const DzAffine rz = linear(cz, -sz, 0, sz, cz, 0, 0, 0, 1);
    return rz * ry * rx;
}

DzAffine DzAffine::scaling(float s) { return linear(s, 0, 0, 0, s, 0, 0, 0, s); }

DzAffine DzAffine::rotationAbout(const DzVec3& c, float xDeg, float yDeg, float zDeg)
{
    return translation(c) * rotationXYZ(xDeg, yDeg, zDeg) * translation(-c);
}

DzAffine DzAffine::operator*(const DzAffine& o) const
{
    DzAffine r;
    for (int row = 0; row < 3; ++row) {
        const float* a = m + 4 * row;
        for (int col = 0; col < 4; ++col) {
            float v = a[0] * o.m[col] + a[1] * o.m[4 + col] + a[2] * o.m[8 + col];
            if (col == 3)
                v += a[3];
            r.m[4 * row + col] = v;
        }
    }
    return r;
}

DzVec3 DzAffine::apply(const DzVec3& p) const
{
    return applyLinear(p) + DzVec3(m[3], m[7], m[11]);
}

DzVec3 DzAffine::applyLinear(const DzVec3& v) const
{
    return {m[0] * v.m_x + m[1] * v.m_y + m[2] * v.m_z, m[4] * v.m_x + m[5] * v.m_y + m[6] * v.m_z,
            m[8] * v.m_x + m[9] * v.m_y + m[10] * v.m_z};
}

DzAffine DzAffine::inverted() const
{
    const double a = m[0], b = m[1], c = m[2], d = m[4], e = m[5], f = m[6], g = m[8], h = m[9],
                 i = m[10];
    const double A = e * i - f * h, B = -(d * i - f * g), C = d * h - e * g;
    const double det = a * A + b * B + c * C;
    if (std::abs(det) < 1e-20)
        return identity();
    const double s = 1.0 / det;
    const DzAffine inv = linear(A * s, -(b * i - c * h) * s, (b * f - c * e) * s, B * s,
                                (a * i - c * g) * s, -(a * f - c * d) * s, C * s,
                                -(a * h - b * g) * s, (a * e - b * d) * s);
    return inv * translation(DzVec3(-m[3], -m[7], -m[11]));
}
