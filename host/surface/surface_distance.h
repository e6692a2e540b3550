#pragma once

#include <QVector>

#include "dzfacetmesh.h"

// How far apart two surfaces lie: every vertex of each mesh measured to the closest point of the
// other's triangles (quads split in two). Both meshes are taken as they are, in one space.
struct DzSurfaceDistance {
    QVector<float> fromA;  // per vertex of a: distance to b's surface
    QVector<float> fromB;  // per vertex of b: distance to a's surface
    double rms = 0;        // root mean square over both lists together
    float max = 0;         // largest of both lists

    bool isEmpty() const { return fromA.isEmpty() && fromB.isEmpty(); }
};

// Measures a against b both ways. A mesh without facets yields no distances.
DzSurfaceDistance dzMeasureSurfaceDistance(const DzFacetMesh& a, const DzFacetMesh& b);

// Height of a mesh: the extent of its vertices along Y, 0 for an empty mesh.
float dzMeshHeight(const DzFacetMesh& mesh);
