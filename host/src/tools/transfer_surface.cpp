#include "tools/transfer_surface.h"

#include <algorithm>
#include <array>
#include <limits>
#include <nanoflann.hpp>
#include <vector>

namespace {

// nanoflann's view of a point list.
struct PointCloud {
    std::vector<DzVec3> points;

    size_t kdtree_get_point_count() const { return points.size(); }
    float kdtree_get_pt(size_t i, size_t dim) const
    {
        const DzVec3& p = points[i];
        return dim == 0 ? p.m_x : dim == 1 ? p.m_y : p.m_z;
    }
    template <class Box>
    bool kdtree_get_bbox(Box&) const
    {
        return false;
    }
};

using KdTree = nanoflann::KDTreeSingleIndexAdaptor<
    nanoflann::L2_Simple_Adaptor<float, PointCloud>, PointCloud, 3, uint32_t>;

constexpr size_t kNearestVertices = 8;
constexpr size_t kNearestCentres = 8;

} // namespace

void dzClosestPointOnTriangle(const DzVec3& p, const DzVec3& a, const DzVec3& b, const DzVec3& c,
                              float w[3])
{
    // Voronoi regions of the triangle's features, tested vertex, edge, face.
    const DzVec3 ab = b - a, ac = c - a, ap = p - a;
    const float d1 = ab.dot(ap), d2 = ac.dot(ap);
    if (d1 <= 0 && d2 <= 0) {
        w[0] = 1, w[1] = 0, w[2] = 0;
        return;
    }
    const DzVec3 bp = p - b;
    const float d3 = ab.dot(bp), d4 = ac.dot(bp);
    if (d3 >= 0 && d4 <= d3) {
        w[0] = 0, w[1] = 1, w[2] = 0;
        return;
    }
    const float vc = d1 * d4 - d3 * d2;
    if (vc <= 0 && d1 >= 0 && d3 <= 0) {
        const float t = d1 / (d1 - d3);
        w[0] = 1 - t, w[1] = t, w[2] = 0;
        return;
    }
    const DzVec3 cp = p - c;
    const float d5 = ab.dot(cp), d6 = ac.dot(cp);
    if (d6 >= 0 && d5 <= d6) {
        w[0] = 0, w[1] = 0, w[2] = 1;
        return;
    }
    const float vb = d5 * d2 - d1 * d6;
    if (vb <= 0 && d2 >= 0 && d6 <= 0) {
        const float t = d2 / (d2 - d6);
        w[0] = 1 - t, w[1] = 0, w[2] = t;
        return;
    }
    const float va = d3 * d6 - d5 * d4;
    if (va <= 0 && (d4 - d3) >= 0 && (d5 - d6) >= 0) {
        const float t = (d4 - d3) / ((d4 - d3) + (d5 - d6));
        w[0] = 0, w[1] = 1 - t, w[2] = t;
        return;
    }
    const float sum = va + vb + vc;
    if (sum <= 0) { // degenerate triangle: fall back to its first corner
        w[0] = 1, w[1] = 0, w[2] = 0;
        return;
    }
    w[1] = vb / sum;
    w[2] = vc / sum;
    w[0] = 1 - w[1] - w[2];
}

struct DzTransferSurface::Impl {
    struct Triangle {
        std::array<int, 3> v;
        int facet;
    };

    std::vector<Triangle> triangles;
    PointCloud vertices;
    PointCloud centres;
    std::vector<std::vector<int>> trianglesOfVertex;
    std::unique_ptr<KdTree> vertexTree;
    std::unique_ptr<KdTree> centreTree;

    void addTriangle(int a, int b, int c, int facet)
    {
        const int index = int(triangles.size());
        triangles.push_back({{a, b, c}, facet});
        for (int v : {a, b, c})
            trianglesOfVertex[v].push_back(index);
        const DzVec3& pa = vertices.points[a];
        centres.points.push_back((pa + vertices.points[b] + vertices.points[c]) * (1.0f / 3.0f));
    }

    void test(int triangle, const DzVec3& p, Hit& best) const
    {
        const Triangle& t = triangles[triangle];
        const DzVec3& a = vertices.points[t.v[0]];
        const DzVec3& b = vertices.points[t.v[1]];
        const DzVec3& c = vertices.points[t.v[2]];
        float w[3];
        dzClosestPointOnTriangle(p, a, b, c, w);
        const DzVec3 q = a * w[0] + b * w[1] + c * w[2];
        const DzVec3 d = q - p;
        const float distanceSq = d.dot(d);
        if (best.triangle >= 0 && distanceSq >= best.distanceSq)
            return;
        best.triangle = triangle;
        best.facet = t.facet;
        best.distanceSq = distanceSq;
        for (int i = 0; i < 3; ++i) {
            best.corners[i] = t.v[i];
            best.weights[i] = w[i];
        }
    }
};

DzTransferSurface::DzTransferSurface(const DzFacetMesh& mesh, const QVector<DzVec3>& positions)
    : _d(new Impl)
{
    _d->vertices.points.assign(positions.begin(), positions.end());
    _d->trianglesOfVertex.resize(positions.size());
    for (int f = 0; f < mesh.getNumFacets(); ++f) {
        const DzFacet& facet = mesh.getFacet(f);
        const int* v = facet.m_vertIdx;
        _d->addTriangle(v[0], v[1], v[2], f);
        if (facet.isQuad())
            _d->addTriangle(v[0], v[2], v[3], f);
    }
    if (_d->triangles.empty())
        return;
    _d->vertexTree.reset(new KdTree(3, _d->vertices, nanoflann::KDTreeSingleIndexAdaptorParams(16)));
    _d->vertexTree->buildIndex();
    _d->centreTree.reset(new KdTree(3, _d->centres, nanoflann::KDTreeSingleIndexAdaptorParams(16)));
    _d->centreTree->buildIndex();
}

DzTransferSurface::~DzTransferSurface() = default;

bool DzTransferSurface::isEmpty() const { return _d->triangles.empty(); }

DzTransferSurface::Hit DzTransferSurface::closestPoint(const DzVec3& p) const
{
    Hit best;
    if (isEmpty())
        return best;
    const float query[3] = {p.m_x, p.m_y, p.m_z};
    uint32_t indices[std::max(kNearestVertices, kNearestCentres)];
    float distances[std::max(kNearestVertices, kNearestCentres)];

    const size_t nVertices = _d->vertexTree->knnSearch(query, kNearestVertices, indices, distances);
    for (size_t i = 0; i < nVertices; ++i)
        for (int triangle : _d->trianglesOfVertex[indices[i]])
            _d->test(triangle, p, best);

    const size_t nCentres = _d->centreTree->knnSearch(query, kNearestCentres, indices, distances);
    for (size_t i = 0; i < nCentres; ++i)
        _d->test(int(indices[i]), p, best);
    return best;
}
