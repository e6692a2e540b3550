#pragma once

#include "dzvec3.h"

// An affine transform of points: a 3x3 linear part and a translation, row-major 3x4.
// Also a primvar for OpenSubdiv's refiners, so per-vertex skinning can be subdivided.
struct DzAffine {
    float m[12] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0};

    static DzAffine identity() { return {}; }
    static DzAffine translation(const DzVec3& t);
    // R = Rz * Ry * Rx of angles in degrees, acting on column vectors (right-handed).
    static DzAffine rotationXYZ(float xDeg, float yDeg, float zDeg);
    static DzAffine scaling(float s);
    // T(c) * R * T(-c): a rotation about the point c.
    static DzAffine rotationAbout(const DzVec3& c, float xDeg, float yDeg, float zDeg);

    DzAffine operator*(const DzAffine& o) const;
    DzVec3 apply(const DzVec3& p) const;
    DzVec3 applyLinear(const DzVec3& v) const;
    // The inverse; the identity when the linear part is singular.
    DzAffine inverted() const;

    // Primvar interface of OpenSubdiv's PrimvarRefiner.
    void Clear(void* = nullptr)
    {
        for (float& v : m)
            v = 0.0f;
    }
    void AddWithWeight(const DzAffine& src, float weight)
    {
        for (int i = 0; i < 12; ++i)
            m[i] += weight * src.m[i];
    }
};
