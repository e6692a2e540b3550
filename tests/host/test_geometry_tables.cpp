#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <cmath>

#include "../../host/src/geometry/dzgeometry.h"
#include "../../host/src/geometry/dznodegeometrycache.h"
#include "../../host/src/geometry/dzsubdivider.h"
#include "test_app.h"
#include "test_geometry_fixtures.h"

using namespace testgeo;

namespace {

// A fan of triangles around vertex 0, with more facets at one vertex than OpenSubdiv takes.
DzFacetMesh oversizedFan()
{
    constexpr int kTriangles = 70000;
    DzFacetMesh mesh;
    mesh.addVertex({0, 0, 0});
    for (int i = 0; i <= kTriangles; ++i)
        mesh.addVertex({std::cos(i * 1e-4f), std::sin(i * 1e-4f), 0});
    for (int i = 1; i <= kTriangles; ++i)
        mesh.addFacet({0, i, i + 1});
    return mesh;
}

} // namespace

// OpenSubdiv refuses a mesh without facets and a vertex of more than 65535 facets; such a mesh
// is evaluated as it is at every level.
TEST(GeometrySubdivision, MeshesThatCannotBeRefinedEvaluateUnrefined)
{
    const DzFacetMesh box = cube();
    DzFacetMesh points;
    for (const DzVec3& p : box.vertices())
        points.addVertex(p);
    for (const DzFacetMesh& mesh : {points, oversizedFan()}) {
        std::unique_ptr<DzNode> node(nodeWithMesh(mesh));
        setHighResolution(node.get(), 2);
        const DzFacetMesh* world = DzGeometry::worldMesh(node.get());
        ASSERT_TRUE(world);
        EXPECT_EQ(world->getNumVertices(), mesh.getNumVertices());
        EXPECT_EQ(world->getNumFacets(), mesh.getNumFacets());
        EXPECT_EQ(DzGeometry::vertexCount(node.get(), 1), mesh.getNumVertices());
        EXPECT_EQ(DzGeometry::restMesh(node.get(), 1).getNumFacets(), mesh.getNumFacets());
        EXPECT_EQ(DzGeometry::skinningMatrices(node.get(), 2).size(), mesh.getNumVertices());
    }
}

