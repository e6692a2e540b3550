#include "transfer_surface.h"

#include <array>
#include <cmath>
#include <embree3/rtcore.h>
#include <limits>
#include <vector>

namespace {

// One Embree device for the process: a device starts a task system, a scene is cheap. The
// build runs on the calling thread like everything else in the host.
RTCDevice sharedDevice()
{
    static const std::unique_ptr<RTCDeviceTy, void (*)(RTCDevice)> device(
        rtcNewDevice("threads=1"), &rtcReleaseDevice);
    return device.get();
}

struct SceneRelease {
    void operator()(RTCScene scene) const { rtcReleaseScene(scene); }
};
using ScenePtr = std::unique_ptr<RTCSceneTy, SceneRelease>;

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

    std::vector<DzVec3> vertices;
    std::vector<Triangle> triangles;
    // Each triangle's corner positions side by side: the search tests many triangles per query.
    std::vector<std::array<DzVec3, 3>> corners;
    ScenePtr scene;

    // One query in flight: the point and the best hit so far.
    struct Query {
        const Impl* surface;
        DzVec3 p;
        Hit best;
    };

    void addTriangle(int a, int b, int c, int facet)
    {
        triangles.push_back({{a, b, c}, facet});
        corners.push_back({vertices[a], vertices[b], vertices[c]});
    }

    // Keeps the triangle when it is nearer than the best so far; true when it was.
    bool test(int triangle, const DzVec3& p, Hit& best) const
    {
        const auto& [a, b, c] = corners[triangle];
        float w[3];
        dzClosestPointOnTriangle(p, a, b, c, w);
        const DzVec3 d = a * w[0] + b * w[1] + c * w[2] - p;
        const float distanceSq = d.dot(d);
        if (best.triangle >= 0 && distanceSq >= best.distanceSq)
            return false;
        const Triangle& t = triangles[triangle];
        best.triangle = triangle;
        best.facet = t.facet;
        best.distanceSq = distanceSq;
        for (int i = 0; i < 3; ++i) {
            best.corners[i] = t.v[i];
            best.weights[i] = w[i];
        }
        return true;
    }

    // Embree calls this for every triangle whose bounds meet the query sphere; shrinking the
    // sphere to the best distance prunes the rest of the hierarchy.
    static bool visit(RTCPointQueryFunctionArguments* args)
    {
        auto* query = static_cast<Query*>(args->userPtr);
        if (!query->surface->test(int(args->primID), query->p, query->best))
            return false;
        args->query->radius = std::sqrt(query->best.distanceSq);
        return true;
    }

    // The closest point to p. A triangle known to be near (`seed`, or -1) bounds the search
    // from the start; it is tested first, so the bound never hides it.
    Hit search(const DzVec3& p, int seed) const
    {
        Query query{this, p, {}};
        if (triangles.empty())
            return query.best;
        RTCPointQuery sphere;
        sphere.x = p.m_x;
        sphere.y = p.m_y;
        sphere.z = p.m_z;
        sphere.time = 0;
        sphere.radius = std::numeric_limits<float>::infinity();
        if (seed >= 0) {
            test(seed, p, query.best);
            sphere.radius = std::sqrt(query.best.distanceSq);
        }
        RTCPointQueryContext context;
        rtcInitPointQueryContext(&context);
        rtcPointQuery(scene.get(), &sphere, &context, &visit, &query);
        return query.best;
    }

    void buildScene()
    {
        RTCDevice device = sharedDevice();
        RTCGeometry geometry = rtcNewGeometry(device, RTC_GEOMETRY_TYPE_TRIANGLE);
        auto* points = static_cast<float*>(rtcSetNewGeometryBuffer(
            geometry, RTC_BUFFER_TYPE_VERTEX, 0, RTC_FORMAT_FLOAT3, 3 * sizeof(float),
            vertices.size()));
        for (const DzVec3& v : vertices) {
            *points++ = v.m_x;
            *points++ = v.m_y;
            *points++ = v.m_z;
        }
        auto* indices = static_cast<unsigned*>(rtcSetNewGeometryBuffer(
            geometry, RTC_BUFFER_TYPE_INDEX, 0, RTC_FORMAT_UINT3, 3 * sizeof(unsigned),
            triangles.size()));
        for (const Triangle& t : triangles)
            for (int corner : t.v)
                *indices++ = unsigned(corner);
        rtcCommitGeometry(geometry);
        scene.reset(rtcNewScene(device));
        rtcAttachGeometry(scene.get(), geometry);
        rtcReleaseGeometry(geometry);
        rtcCommitScene(scene.get());
    }
};

DzTransferSurface::DzTransferSurface(const DzFacetMesh& mesh, const QVector<DzVec3>& positions)
    : _d(new Impl)
{
    if (positions.size() != mesh.getNumVertices())
        return;
    _d->vertices.assign(positions.begin(), positions.end());
    _d->triangles.reserve(2 * mesh.getNumFacets());
    _d->corners.reserve(2 * mesh.getNumFacets());
    for (int f = 0; f < mesh.getNumFacets(); ++f) {
        const DzFacet& facet = mesh.getFacet(f);
        const int* v = facet.m_vertIdx;
        _d->addTriangle(v[0], v[1], v[2], f);
        if (facet.isQuad())
            _d->addTriangle(v[0], v[2], v[3], f);
    }
    if (!_d->triangles.empty())
        _d->buildScene();
}

DzTransferSurface::~DzTransferSurface() = default;

bool DzTransferSurface::isEmpty() const { return _d->triangles.empty(); }

DzTransferSurface::Hit DzTransferSurface::closestPoint(const DzVec3& p) const
{
    return _d->search(p, -1);
}

std::vector<DzTransferSurface::Hit> DzTransferSurface::closestPoints(
    const QVector<DzVec3>& points) const
{
    std::vector<Hit> hits(points.size());
    int previous = -1;
    for (int i = 0; i < points.size(); ++i) {
        hits[i] = _d->search(points[i], previous);
        previous = hits[i].triangle;
    }
    return hits;
}
