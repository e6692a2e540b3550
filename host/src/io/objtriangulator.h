#pragma once

#include <array>
#include <vector>

struct GLUtesselator;

// Cuts a polygon of any corner count into triangles with GLU's tessellator, which handles
// concave and self-touching outlines (a fan does not). Corners are points in 3D, in order;
// the outline need not be planar, it is seen along its average (Newell) normal. Regions with
// a non-zero winding count are filled, so an outline traced twice gives its area once.
// Triangles face the way the outline turns. Where edges cross, the crossing snaps to the
// nearest corner, so triangles only ever use the given corners. One object serves any
// number of polygons.
class ObjTriangulator {
public:
    ObjTriangulator();
    ~ObjTriangulator();
    ObjTriangulator(const ObjTriangulator&) = delete;
    ObjTriangulator& operator=(const ObjTriangulator&) = delete;

    // Three corner indices (into `corners`) per triangle; empty when the polygon has no area.
    const std::vector<int>& triangulate(const std::vector<std::array<double, 3>>& corners);

private:
    static void vertex(void* data, void* self);
    static void combine(double coords[3], void* data[4], float weight[4], void** out, void* self);
    static void edgeFlag(unsigned char flag, void* self);
    static void error(unsigned int code, void* self);

    GLUtesselator* _tess = nullptr;
    std::vector<int> _triangles;
    bool _failed = false;
};
