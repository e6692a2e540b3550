#pragma once

#include <QVector>
#include <memory>
#include <vector>

#include "dzfacetmesh.h"

// A triangulated surface that answers closest-point queries through one bounding volume
// hierarchy, built once and shared by every query. Quads are split along their 0-2 diagonal;
// each triangle remembers the facet it came from.
class DzTransferSurface {
public:
    // Where a query landed: a triangle of the surface and barycentric weights of its corners.
    struct Hit {
        int triangle = -1;
        int corners[3] = {-1, -1, -1};  // vertex indices of the triangle
        float weights[3] = {0, 0, 0};   // sum to 1
        int facet = -1;                 // the facet the triangle belongs to
        float distanceSq = 0;
    };

    // `positions` are the mesh's vertices placed where the queries are made (world space); a
    // list of another length gives an empty surface.
    DzTransferSurface(const DzFacetMesh& mesh, const QVector<DzVec3>& positions);
    ~DzTransferSurface();
    DzTransferSurface(const DzTransferSurface&) = delete;
    DzTransferSurface& operator=(const DzTransferSurface&) = delete;

    bool isEmpty() const;
    // The exact closest point of the whole surface to p, wherever p is (a tie goes to either
    // triangle). No hit (triangle -1) on an empty surface.
    Hit closestPoint(const DzVec3& p) const;
    // closestPoint of each point, in order. Neighbouring points in the list (a mesh's vertices,
    // its facet centres) are found faster: each search starts from the previous point's triangle.
    std::vector<Hit> closestPoints(const QVector<DzVec3>& points) const;

private:
    struct Impl;
    std::unique_ptr<Impl> _d;
};

// The closest point of triangle (a, b, c) to p, as barycentric weights of a, b and c.
void dzClosestPointOnTriangle(const DzVec3& p, const DzVec3& a, const DzVec3& b, const DzVec3& c,
                              float weights[3]);
