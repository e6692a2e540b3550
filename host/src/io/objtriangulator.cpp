#include "io/objtriangulator.h"

#include <GL/glu.h>
#include <cstddef>
#include <cstdint>

namespace {

// GLU carries a corner as an opaque pointer; index + 1 keeps corner 0 apart from null.
void* cornerData(int index) { return reinterpret_cast<void*>(intptr_t(index) + 1); }
int cornerIndex(void* data) { return int(reinterpret_cast<intptr_t>(data) - 1); }

using Callback = _GLUfuncptr;

std::array<double, 3> newellNormal(const std::vector<std::array<double, 3>>& p)
{
    std::array<double, 3> n{0.0, 0.0, 0.0};
    for (size_t i = 0; i < p.size(); ++i) {
        const auto& a = p[i];
        const auto& b = p[(i + 1) % p.size()];
        n[0] += (a[1] - b[1]) * (a[2] + b[2]);
        n[1] += (a[2] - b[2]) * (a[0] + b[0]);
        n[2] += (a[0] - b[0]) * (a[1] + b[1]);
    }
    return n;
}

} // namespace

ObjTriangulator::ObjTriangulator() : _tess(gluNewTess())
{
    if (!_tess)
        return;
    gluTessProperty(_tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
    gluTessCallback(_tess, GLU_TESS_VERTEX_DATA, Callback(&ObjTriangulator::vertex));
    gluTessCallback(_tess, GLU_TESS_COMBINE_DATA, Callback(&ObjTriangulator::combine));
    // With an edge flag callback GLU reports plain triangles only (no fans or strips).
    gluTessCallback(_tess, GLU_TESS_EDGE_FLAG_DATA, Callback(&ObjTriangulator::edgeFlag));
    gluTessCallback(_tess, GLU_TESS_ERROR_DATA, Callback(&ObjTriangulator::error));
}

ObjTriangulator::~ObjTriangulator()
{
    if (_tess)
        gluDeleteTess(_tess);
}

const std::vector<int>& ObjTriangulator::triangulate(const std::vector<std::array<double, 3>>& corners)
{
    _triangles.clear();
    _failed = false;
    const std::array<double, 3> normal = newellNormal(corners);
    if (!_tess || corners.size() < 3 || (normal[0] == 0.0 && normal[1] == 0.0 && normal[2] == 0.0))
        return _triangles;
    gluTessNormal(_tess, normal[0], normal[1], normal[2]);
    gluTessBeginPolygon(_tess, this);
    gluTessBeginContour(_tess);
    for (size_t i = 0; i < corners.size(); ++i)
        // GLU keeps the pointer to the coordinates until the polygon ends; `corners` outlives it.
        gluTessVertex(_tess, const_cast<double*>(corners[i].data()), cornerData(int(i)));
    gluTessEndContour(_tess);
    gluTessEndPolygon(_tess);
    if (_failed || _triangles.size() % 3 != 0)
        _triangles.clear();
    return _triangles;
}

void ObjTriangulator::vertex(void* data, void* self)
{
    static_cast<ObjTriangulator*>(self)->_triangles.push_back(cornerIndex(data));
}

void ObjTriangulator::combine(double[3], void* data[4], float weight[4], void** out, void*)
{
    int best = 0;
    for (int i = 1; i < 4; ++i)
        if (data[i] && weight[i] > weight[best])
            best = i;
    *out = data[best];
}

void ObjTriangulator::edgeFlag(unsigned char, void*) {}

void ObjTriangulator::error(unsigned int, void* self)
{
    static_cast<ObjTriangulator*>(self)->_failed = true;
}
