#pragma once

#include <QMetaType>
#include <cmath>

// A point or direction in scene units (cm, Y up).
class DzVec3 {
public:
    float m_x = 0.0f;
    float m_y = 0.0f;
    float m_z = 0.0f;

    DzVec3() = default;
    DzVec3(float x, float y, float z) : m_x(x), m_y(y), m_z(z) {}

    float length() const { return std::sqrt(dot(*this)); }
    float dot(const DzVec3& o) const { return m_x * o.m_x + m_y * o.m_y + m_z * o.m_z; }
    DzVec3 cross(const DzVec3& o) const
    {
        return {m_y * o.m_z - m_z * o.m_y, m_z * o.m_x - m_x * o.m_z, m_x * o.m_y - m_y * o.m_x};
    }

    DzVec3 operator+(const DzVec3& o) const { return {m_x + o.m_x, m_y + o.m_y, m_z + o.m_z}; }
    DzVec3 operator-(const DzVec3& o) const { return {m_x - o.m_x, m_y - o.m_y, m_z - o.m_z}; }
    DzVec3 operator-() const { return {-m_x, -m_y, -m_z}; }
    DzVec3 operator*(float s) const { return {m_x * s, m_y * s, m_z * s}; }
    DzVec3& operator+=(const DzVec3& o)
    {
        m_x += o.m_x;
        m_y += o.m_y;
        m_z += o.m_z;
        return *this;
    }
    bool operator==(const DzVec3& o) const
    {
        return m_x == o.m_x && m_y == o.m_y && m_z == o.m_z;
    }
    bool operator!=(const DzVec3& o) const { return !(*this == o); }
};

Q_DECLARE_METATYPE(DzVec3)
