#pragma once

#include <QVector>
#include <memory>

#include "dzfacetmesh.h"

// A triangulated surface that answers closest-point queries. Quads are split along their
// 0-2 diagonal; each triangle remembers the facet it came from.
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

    // `positions` are the mesh's vertices placed where the queries are made (world space).
    DzTransferSurface(const DzFacetMesh& mesh, const QVector<DzVec3>& positions);
    ~DzTransferSurface();
    DzTransferSurface(const DzTransferSurface&) = delete;
    DzTransferSurface& operator=(const DzTransferSurface&) = delete;

    bool isEmpty() const;
    // The closest point of the surface to p. The candidates are the triangles around the
    // nearest vertices and the triangles with the nearest centres, which finds the true closest
    // point wherever the query is near the surface compared with its triangle size.
    Hit closestPoint(const DzVec3& p) const;

private:
    struct Impl;
    std::unique_ptr<Impl> _d;
};

// The closest point of triangle (a, b, c) to p, as barycentric weights of a, b and c.
void dzClosestPointOnTriangle(const DzVec3& p, const DzVec3& a, const DzVec3& b, const DzVec3& c,
                              float weights[3]);
