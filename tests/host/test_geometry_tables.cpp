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

// Tables depend on topology only: figures of one mesh share them whatever their positions, a
// shallower level reuses deeper tables, and they are freed with their last figure.
TEST(GeometrySubdivision, FiguresOfOneMeshShareTablesWhileTheyHoldThem)
{
    std::unique_ptr<DzNode> small(nodeWithMesh(cube(1)));
    std::unique_ptr<DzNode> large(nodeWithMesh(cube(3)));
    setHighResolution(small.get(), 2);
    setHighResolution(large.get(), 2);
    auto deep = DzGeometry::subdivisionTables(small.get(), 2);
    EXPECT_EQ(DzGeometry::subdivisionTables(large.get(), 1), deep);
    EXPECT_EQ(DzGeometry::subdivisionTables(large.get(), 2), deep);
    // Each figure's own positions are refined, not those the tables were made with.
    EXPECT_NEAR(DzGeometry::worldBoundingBox(large.get()).getMax().m_x,
                3 * DzGeometry::worldBoundingBox(small.get()).getMax().m_x, 1e-4f);

    DzFacetMesh regrouped = cube(1);
    regrouped.findOrAddFaceGroup("other");
    std::unique_ptr<DzNode> other(nodeWithMesh(regrouped));
    EXPECT_NE(DzGeometry::subdivisionTables(other.get(), 2), deep);
    shapeOf(other.get())->setFacetMesh(cube(2));
    EXPECT_EQ(DzGeometry::subdivisionTables(other.get(), 2), deep);

    const std::weak_ptr<const DzSubdivider> held = deep;
    deep.reset();
    other.reset();
    small.reset();
    EXPECT_FALSE(held.expired());
    large.reset();
    EXPECT_TRUE(held.expired());
}

// The scene deletes a removed node later (it may be on the call stack), but its evaluated
// geometry and its hold on the tables go at once.
TEST(GeometryCache, NodeLeavingTheSceneGivesBackItsEvaluationAtOnce)
{
    TestApp app;
    StickFigure fig;
    dzScene->addNode(fig.figure);
    setHighResolution(fig.figure, 2);
    ASSERT_TRUE(DzGeometry::worldMesh(fig.figure));
    const std::weak_ptr<const DzSubdivider> tables = DzGeometry::subdivisionTables(fig.figure, 2);
    ASSERT_FALSE(tables.expired());

    const QPointer<DzNode> removed = fig.figure;
    ASSERT_TRUE(dzScene->removeNode(fig.figure));
    ASSERT_TRUE(removed);
    const DzNodeGeometryCache& cache = removed->geometryCache();
    EXPECT_TRUE(cache.restPositions.isEmpty());
    EXPECT_TRUE(cache.skinning.isEmpty());
    EXPECT_TRUE(cache.worldMesh.isEmpty());
    EXPECT_FALSE(cache.subdivider);
    EXPECT_TRUE(tables.expired());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(removed);
}
