#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "anatomy.h"

namespace cg {

// How finely one kind of part is cut: columns around, and rings along shared out among its
// sections (every section boundary is a ring).
struct PartCut {
    int around = 8;
    int rings = 8;
};

// How finely a figure is cut. `phase` shifts the columns around (in column widths) so that
// members never share vertices.
struct Tessellation {
    PartCut torso, head, eye, arm, leg, finger, thumb;
    double phase = 0;

    const PartCut& cutOf(Part part) const;
};

struct Polygon {
    int group = 0;
    int material = 0;
    std::vector<int> vertices; // 3 or 4, outward facing counter-clockwise
    std::vector<int> uvs;      // one per corner
};

// A polygon mesh on the domain: the parameter of every vertex, polygons with face groups and
// surfaces, and UVs (one per vertex, followed by the extra ones of the seam columns).
struct DomainMesh {
    std::vector<SurfaceParam> params;
    std::vector<Polygon> polygons;
    QStringList groups;
    QStringList materials;
    std::vector<std::pair<double, double>> uvs;

    int vertexCount() const { return int(params.size()); }
};

// Every part of a figure as a closed tube with a pole at either end. Face groups are the
// bones' names, in the skeleton's order.
DomainMesh tessellateFigure(const Tessellation& tess);

// A UV sphere's parameters on one tube (for props, evaluated by the caller).
DomainMesh tessellateSphere(int around, int along);

} // namespace cg
