#include "dzmeshnormals.h"

namespace DzGeometry {

QVector<DzVec3> vertexNormals(const DzFacetMesh& mesh)
{
    const DzVec3* positions = mesh.vertices().constData();
    QVector<DzVec3> normals(mesh.getNumVertices());
    DzVec3* sums = normals.data();
    for (const DzFacet& f : mesh.facets()) {
        const int n = f.numCorners();
        for (int c = 0; c < n; ++c) {
            const DzVec3 p = positions[f.m_vertIdx[c]];
            const DzVec3 a = positions[f.m_vertIdx[(c + 1) % n]] - p;
            const DzVec3 b = positions[f.m_vertIdx[(c + n - 1) % n]] - p;
            sums[f.m_vertIdx[c]] += a.cross(b);  // length grows with the corner's area
        }
    }
    for (DzVec3& v : normals) {
        const float len = v.length();
        v = len > 0.0f ? v * (1.0f / len) : DzVec3(0.0f, 1.0f, 0.0f);
    }
    return normals;
}

} // namespace DzGeometry
