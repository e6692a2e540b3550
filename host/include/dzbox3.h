#pragma once

#include <algorithm>
#include <limits>

#include "dzvec3.h"

// An axis-aligned box; empty until a point is included.
class DzBox3 {
public:
    DzBox3() = default;
    DzBox3(const DzVec3& min, const DzVec3& max) : _min(min), _max(max), _empty(false) {}

    DzVec3 getMin() const { return _min; }
    DzVec3 getMax() const { return _max; }
    DzVec3 getCenter() const { return (_min + _max) * 0.5f; }
    bool isEmpty() const { return _empty; }

    void include(const DzVec3& p)
    {
        if (_empty) {
            _min = _max = p;
            _empty = false;
            return;
        }
        _min = {std::min(_min.m_x, p.m_x), std::min(_min.m_y, p.m_y), std::min(_min.m_z, p.m_z)};
        _max = {std::max(_max.m_x, p.m_x), std::max(_max.m_y, p.m_y), std::max(_max.m_z, p.m_z)};
    }

private:
    DzVec3 _min;
    DzVec3 _max;
    bool _empty = true;
};

Q_DECLARE_METATYPE(DzBox3)
