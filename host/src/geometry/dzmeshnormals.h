#pragma once

#include <QVector>

#include "dzfacetmesh.h"

namespace DzGeometry {

// Unit normal per vertex: the sum of its corners' cross products (so larger corners weigh
// more), pointing to the side the facets wind counter-clockwise around. A vertex no facet
// uses gets +Y.
QVector<DzVec3> vertexNormals(const DzFacetMesh& mesh);

} // namespace DzGeometry
