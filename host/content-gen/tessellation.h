#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "humanoid.h"

namespace cg {

// How finely one family member is cut into polygons: per part, segments around and rings along.
// `phase` shifts the columns around (in column widths) so that members never share vertices.
struct Tessellation {
    int bodyAround = 40, bodyAlong = 48;
    int legAround = 24, legAlong = 36;
    double phase = 0;
};

struct Polygon {
    int group = 0;
    std::vector<int> vertices; // 3 or 4, outward facing counter-clockwise
    std::vector<int> uvs;      // one per corner
};

// A polygon mesh on the domain: the parameter of every vertex, polygons with face groups, and
// UVs (one per vertex, followed by the extra ones of the seam columns).
struct DomainMesh {
    std::vector<SurfaceParam> params;
    std::vector<Polygon> polygons;
    QStringList groups;
    std::vector<std::pair<double, double>> uvs;

    int vertexCount() const { return int(params.size()); }
};

// Closed tubes for the body and both legs, each with a pole at either end.
DomainMesh tessellateHumanoid(const Tessellation& tess);

// A UV sphere's parameters on the body part (for props, evaluated by the caller).
DomainMesh tessellateSphere(int around, int along);

} // namespace cg
