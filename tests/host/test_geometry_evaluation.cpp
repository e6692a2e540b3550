#include <algorithm>

#include "../../host/src/geometry/dzgeometry.h"
#include "dzfloatproperty.h"
#include "test_geometry_fixtures.h"

using namespace testgeo;

namespace {
const DzVec3& worldVertex(const DzNode* node, int index)
{
    return DzGeometry::worldMesh(node)->vertices()[index];
}

// Same points in any order.
void expectSamePoints(const QVector<DzVec3>& actual, QVector<DzVec3> expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (const DzVec3& p : actual) {
        auto match = std::find_if(expected.begin(), expected.end(),
                                  [&](const DzVec3& e) { return (p - e).length() < 1e-5f; });
        ASSERT_NE(match, expected.end()) << p.m_x << "," << p.m_y << "," << p.m_z;
        expected.erase(match);
    }
}
} // namespace

TEST(GeometryPlacement, NodeTransformIsTranslateRotateScaleAndChildrenFollow)
{
    DzFacetMesh mesh;
    mesh.addVertex({1, 0, 0});
    mesh.addVertex({0, 1, 0});
    mesh.addVertex({0, 0, 1});
    mesh.addFacet({0, 1, 2});
    std::unique_ptr<DzNode> node(nodeWithMesh(mesh));
    node->getScaleControl()->setValue(2.0f);
    node->getYRotControl()->setValue(90.0f);
    node->getXPosControl()->setValue(5.0f);
    // Right-handed: +X turns to -Z under +90 about Y.
    expectNear(worldVertex(node.get(), 0), DzVec3(5, 0, -2));

    // Rz * Ry * Rx: X is applied first. Y up under X 90 -> +Z, which Z 90 leaves alone.
    node->getYRotControl()->setValue(0.0f);
    node->getXRotControl()->setValue(90.0f);
    node->getZRotControl()->setValue(90.0f);
    node->getXPosControl()->setValue(0.0f);
    node->getScaleControl()->setValue(1.0f);
    expectNear(worldVertex(node.get(), 1), DzVec3(0, 0, 1));
    expectNear(worldVertex(node.get(), 0), DzVec3(0, 1, 0));

    // A child follows: (1, -1, -1) turns to (-1, 1, -1).
    DzNode* child = nodeWithMesh(cube());
    node->addNodeChild(child);
    node->getYPosControl()->setValue(10.0f);
    expectNear(worldVertex(child, 1), DzVec3(-1, 11, -1));
}

TEST(GeometrySubdivision, CubeRefinesByCatmullClarkAndHDDetailJoinsAtItsLevel)
{
    std::unique_ptr<DzNode> node(nodeWithMesh(cube()));
    setHighResolution(node.get(), 1);
    const DzFacetMesh* mesh = DzGeometry::worldMesh(node.get());
    EXPECT_EQ(mesh->getNumFacets(), 24);

    // Smooth rules on a closed cube: corners go to 5/9, face points stay at face centres,
    // edge points are the mean of the edge's ends and its two face points.
    QVector<DzVec3> expected;
    for (int x = -1; x <= 1; ++x)
        for (int y = -1; y <= 1; ++y)
            for (int z = -1; z <= 1; ++z) {
                const int cNonZero = std::abs(x) + std::abs(y) + std::abs(z);
                const float r = cNonZero == 1 ? 1.0f : cNonZero == 2 ? 0.75f : 5.0f / 9;
                if (cNonZero)
                    expected << DzVec3(x * r, y * r, z * r);
            }
    expectSamePoints(mesh->vertices(), expected);

    setHighResolution(node.get(), 2);
    EXPECT_EQ(DzGeometry::worldMesh(node.get())->getNumVertices(), 98);
    shapeOf(node.get())->getLODControl()->setValue(0);
    EXPECT_EQ(DzGeometry::worldMesh(node.get())->getNumVertices(), 8);

    // HD detail of level 1: none at the base, its delta at level 1, and at level 2 refined
    // along with the mesh, spread over the neighbours and never added a second time.
    DzMorph* detail = addMorph(node.get(), "HD", {}, {});
    detail->getDeltas()->setHDDeltas(1, {3}, {{0, 0, 2}});
    detail->getValueControl()->setValue(0.5f);
    EXPECT_EQ(DzGeometry::worldMesh(node.get())->vertices(), cube().vertices());
    for (const int iLevel : {1, 2}) {
        setHighResolution(node.get(), iLevel);
        const QVector<DzVec3> moved = DzGeometry::worldMesh(node.get())->vertices();
        detail->getValueControl()->setValue(0.0f);
        const QVector<DzVec3> still = DzGeometry::worldMesh(node.get())->vertices();
        detail->getValueControl()->setValue(0.5f);
        int cMoved = 0;
        for (int i = 0; i < moved.size(); ++i) {
            const float fMove = (moved[i] - still[i]).length();
            cMoved += fMove > 1e-4f;
            EXPECT_LE(fMove, 1.0f + 1e-5f) << "level " << iLevel << " vertex " << i;
        }
        if (iLevel == 1)
            expectNear(moved[3] - still[3], DzVec3(0, 0, 1), 1e-5f);
        EXPECT_EQ(cMoved > 1, iLevel == 2) << cMoved << " vertices move at level " << iLevel;
    }
}

TEST(GeometrySubdivision, OpenBoundaryKeepsCornersAndStraightEdges)
{
    std::unique_ptr<DzNode> node(nodeWithMesh(openQuad()));
    setHighResolution(node.get(), 1);
    const DzFacetMesh* mesh = DzGeometry::worldMesh(node.get());
    QVector<DzVec3> expected;
    for (float x : {0.f, 1.f, 2.f})
        for (float y : {0.f, 1.f, 2.f})
            expected << DzVec3(x, y, 0);
    expectSamePoints(mesh->vertices(), expected);
    // UVs refine with the faces and groups carry over.
    EXPECT_TRUE(mesh->hasUVs());
    EXPECT_EQ(mesh->getNumFacets(), 4);
    for (const DzFacet& f : mesh->facets()) {
        EXPECT_EQ(mesh->getFaceGroupName(f.m_faceGroupIdx), "plane");
        for (int c = 0; c < 4; ++c) {
            const DzVec3 p = mesh->getVertex(f.m_vertIdx[c]);
            const QPointF uv = mesh->getUV(f.m_uvwIdx[c]);
            EXPECT_NEAR(uv.x(), p.m_x / 2, 1e-5);
            EXPECT_NEAR(uv.y(), p.m_y / 2, 1e-5);
        }
    }
}

TEST(GeometryCache, DialsPosesAndStructureChangesReachTheEvaluatedMesh)
{
    StickFigure fig;
    std::unique_ptr<DzFigure> owner(fig.figure);
    // Indices outside the mesh are ignored.
    DzMorph* tall = addMorph(fig.figure, "tall", {10, 11, 99, -1}, {{0, 20, 0}, {0, 20, 0}, {5, 5, 5}, {5, 5, 5}});
    const DzBox3 before = fig.figure->getWorldBoundingBox();
    EXPECT_FLOAT_EQ(before.getMax().m_y, 170.0f);

    tall->getValueControl()->setMinMax(-1, 1);
    tall->getValueControl()->setValue(-0.25f);
    EXPECT_FLOAT_EQ(fig.figure->getWorldBoundingBox().getMax().m_y, 165.0f);
    tall->getValueControl()->setValue(0.5f);
    EXPECT_FLOAT_EQ(fig.figure->getWorldBoundingBox().getMax().m_y, 180.0f);

    // The head's top vertices carry the morph: 170 + 10 turned about y = 150 gives 120.
    fig.head->getXRotControl()->setValue(180.0f);
    EXPECT_FLOAT_EQ(worldVertex(fig.figure, StickFigure::Head + 2).m_y, 120.0f);
    EXPECT_FLOAT_EQ(fig.figure->getWorldBoundingBox().getMax().m_y, 150.0f);
    fig.head->setOrigin({0, 160, 0});
    EXPECT_FLOAT_EQ(worldVertex(fig.figure, StickFigure::Head + 2).m_y, 140.0f);
    EXPECT_FLOAT_EQ(worldVertex(fig.figure, StickFigure::Head).m_y, 170.0f);
    fig.head->getXRotControl()->setValue(0.0f);

    tall->getDeltas()->setDeltas({10}, {{0, 40, 0}});
    EXPECT_FLOAT_EQ(fig.figure->getWorldBoundingBox().getMax().m_y, 190.0f);

    fig.figure->getObject()->removeModifier(tall);
    EXPECT_FLOAT_EQ(fig.figure->getWorldBoundingBox().getMax().m_y, 170.0f);

    // Half bound: halfway between (8, 50, 0) and (50, 88, 0), where Rz(90) about (10, 90, 0)
    // takes it.
    QVector<float> half = StickFigure::partWeights(StickFigure::LeftLeg, 16);
    for (float& w : half)
        w *= 0.5f;
    fig.figure->getSkinBinding()->setBoneWeights("l_thigh", half);
    fig.lThigh->getZRotControl()->setValue(90.0f);
    expectNear(worldVertex(fig.figure, StickFigure::LeftLeg), DzVec3(29, 69, 0));
    fig.lThigh->getZRotControl()->setValue(0.0f);

    // The thigh's own turn about its centre first: (8, 50, 0) -> (8, 90, -40); then the hip
    // turns everything half way round the Y axis through (0, 100, 0): (-8, 90, 40). The head
    // follows the hip only.
    fig.figure->getSkinBinding()->setBoneWeights("l_thigh", StickFigure::partWeights(StickFigure::LeftLeg, 16));
    fig.hip->getYRotControl()->setValue(180.0f);
    fig.lThigh->getXRotControl()->setValue(90.0f);
    expectNear(worldVertex(fig.figure, StickFigure::LeftLeg), DzVec3(-8, 90, 40));
    expectNear(worldVertex(fig.figure, StickFigure::Head), DzVec3(5, 150, 0));
    fig.hip->getYRotControl()->setValue(0.0f);
    fig.lThigh->getXRotControl()->setValue(0.0f);

    DzFacetMesh bigger = shapeOf(fig.figure)->getFacetMesh();
    bigger.setVertex(0, {0, -5, 0});
    shapeOf(fig.figure)->setFacetMesh(bigger);
    EXPECT_FLOAT_EQ(fig.figure->getWorldBoundingBox().getMin().m_y, -5.0f);
}

