#include "surface_distance.h"

#include <algorithm>
#include <cmath>

#include "transfer_surface.h"

namespace {

// Distance of each vertex of `points` to the surface of `mesh`; empty when the surface is.
QVector<float> distancesToSurface(const DzFacetMesh& points, const DzFacetMesh& mesh)
{
    const DzTransferSurface surface(mesh, mesh.vertices());
    if (surface.isEmpty())
        return {};
    QVector<float> distances;
    distances.reserve(points.getNumVertices());
    for (const DzVec3& p : points.vertices())
        distances.append(std::sqrt(surface.closestPoint(p).distanceSq));
    return distances;
}

} // namespace

DzSurfaceDistance dzMeasureSurfaceDistance(const DzFacetMesh& a, const DzFacetMesh& b)
{
    DzSurfaceDistance result;
    result.fromA = distancesToSurface(a, b);
    result.fromB = distancesToSurface(b, a);
    double sumSq = 0;
    int count = 0;
    for (const QVector<float>* list : {&result.fromA, &result.fromB}) {
        for (float d : *list) {
            sumSq += double(d) * d;
            result.max = std::max(result.max, d);
        }
        count += list->size();
    }
    result.rms = count > 0 ? std::sqrt(sumSq / count) : 0.0;
    return result;
}

float dzMeshHeight(const DzFacetMesh& mesh)
{
    if (mesh.isEmpty())
        return 0;
    const auto [lo, hi] = std::minmax_element(mesh.vertices().begin(), mesh.vertices().end(),
                                              [](const DzVec3& p, const DzVec3& q) { return p.m_y < q.m_y; });
    return hi->m_y - lo->m_y;
}
