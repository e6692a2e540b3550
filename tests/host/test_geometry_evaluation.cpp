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

TEST(GeometryMorphs, ValueScalesTheDeltasOfTheIndexedVerticesOnlyAndNegativeValuesReverse)
{
    std::unique_ptr<DzNode> node(nodeWithMesh(cube()));
    DzMorph* a = addMorph(node.get(), "A", {1, 6, 99, -1}, {{0, 2, 0}, {1, 0, 0}, {5, 5, 5}, {5, 5, 5}});
    DzMorph* b = addMorph(node.get(), "B", {6}, {{0, 0, -4}});
    a->getValueControl()->setValue(0.5f);
    b->getValueControl()->setMinMax(-1, 1);
    b->getValueControl()->setValue(-0.25f);

    const DzFacetMesh base = cube();
    const DzFacetMesh* world = DzGeometry::worldMesh(node.get());
    ASSERT_EQ(world->getNumVertices(), 8);
    for (int i = 0; i < 8; ++i) {
        DzVec3 expected = base.getVertex(i);
        if (i == 1)
            expected += DzVec3(0, 1, 0);
        if (i == 6)
            expected += DzVec3(0.5f, 0, 1);
        expectNear(world->getVertex(i), expected, 1e-6f);
    }
}

TEST(GeometrySkinning, BonesTurnTheirBoundVerticesAboutTheirCentresCarryingTheirChildren)
{
    StickFigure fig;
    std::unique_ptr<DzFigure> owner(fig.figure);
    fig.lThigh->getZRotControl()->setValue(90.0f);
    // Rz(90) about (10, 90, 0): (8, 50) -> (50, 88), (12, 50) -> (50, 92), (12, 90) -> (10, 92).
    expectNear(worldVertex(fig.figure, StickFigure::LeftLeg + 0), DzVec3(50, 88, 0));
    expectNear(worldVertex(fig.figure, StickFigure::LeftLeg + 1), DzVec3(50, 92, 0));
    expectNear(worldVertex(fig.figure, StickFigure::LeftLeg + 2), DzVec3(10, 92, 0));
    for (int i = 0; i < 4; ++i) {
        expectNear(worldVertex(fig.figure, StickFigure::Head + i),
                   shapeOf(fig.figure)->getFacetMesh().getVertex(StickFigure::Head + i));
        expectNear(worldVertex(fig.figure, StickFigure::RightLeg + i),
                   shapeOf(fig.figure)->getFacetMesh().getVertex(StickFigure::RightLeg + i));
    }

    // Half bound: halfway between (8, 50, 0) and (50, 88, 0).
    QVector<float> half = StickFigure::partWeights(StickFigure::LeftLeg, 16);
    for (float& w : half)
        w *= 0.5f;
    fig.figure->getSkinBinding()->setBoneWeights("l_thigh", half);
    expectNear(worldVertex(fig.figure, StickFigure::LeftLeg), DzVec3(29, 69, 0));

    // The thigh's own turn about its centre first: (8, 50, 0) -> (8, 90, -40); then the hip
    // turns everything half way round the Y axis through (0, 100, 0): (-8, 90, 40).
    fig.figure->getSkinBinding()->setBoneWeights("l_thigh", StickFigure::partWeights(StickFigure::LeftLeg, 16));
    fig.lThigh->getZRotControl()->setValue(0.0f);
    fig.hip->getYRotControl()->setValue(180.0f);
    fig.lThigh->getXRotControl()->setValue(90.0f);
    expectNear(worldVertex(fig.figure, StickFigure::LeftLeg), DzVec3(-8, 90, 40));
    // The head follows the hip only.
    expectNear(worldVertex(fig.figure, StickFigure::Head), DzVec3(5, 150, 0));
}

TEST(GeometryPlacement, NodeTransformIsTranslateRotateScaleAfterSkinning)
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
}

TEST(GeometryPlacement, ChildNodeFollowsItsParentAndFigurePlacementMovesPosedSkin)
{
    StickFigure fig;
    std::unique_ptr<DzFigure> owner(fig.figure);
    auto* prop = nodeWithMesh(cube());
    fig.figure->addNodeChild(prop);
    fig.figure->getYPosControl()->setValue(10.0f);
    expectNear(worldVertex(prop, 0), DzVec3(-1, 9, -1));

    fig.lThigh->getZRotControl()->setValue(90.0f);
    fig.figure->getXRotControl()->setValue(0.0f);
    expectNear(worldVertex(fig.figure, StickFigure::LeftLeg), DzVec3(50, 98, 0));

    const DzBox3 box = fig.figure->getWorldBoundingBox();
    EXPECT_FLOAT_EQ(box.getMax().m_y, 180.0f);
    EXPECT_FLOAT_EQ(box.getMax().m_x, 50.0f);
    EXPECT_FLOAT_EQ(box.getMin().m_y, 60.0f);
    EXPECT_TRUE(DzNode().getWorldBoundingBox().isEmpty());
}

TEST(GeometrySubdivision, CubeLevelOneHasCatmullClarkPointsAndCounts)
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

TEST(GeometrySubdivision, TrianglesAndMixedMeshesRefine)
{
    DzFacetMesh tet;
    tet.addVertex({0, 0, 0});
    tet.addVertex({1, 0, 0});
    tet.addVertex({0, 1, 0});
    tet.addVertex({0, 0, 1});
    tet.addFacet({0, 2, 1});
    tet.addFacet({0, 1, 3});
    tet.addFacet({0, 3, 2});
    tet.addFacet({1, 2, 3});
    std::unique_ptr<DzNode> node(nodeWithMesh(tet));
    setHighResolution(node.get(), 1);
    EXPECT_EQ(DzGeometry::worldMesh(node.get())->getNumVertices(), 4 + 6 + 4);
    EXPECT_EQ(DzGeometry::worldMesh(node.get())->getNumFacets(), 12);
}

TEST(GeometrySubdivision, HDDeltasAddAtTheirLevelOnly)
{
    std::unique_ptr<DzNode> node(nodeWithMesh(cube()));
    DzMorph* morph = addMorph(node.get(), "HD", {}, {});
    morph->getDeltas()->setHDDeltas(1, {3}, {{0, 0, 2}});
    morph->getValueControl()->setValue(0.5f);

    EXPECT_EQ(DzGeometry::worldMesh(node.get())->vertices(), cube().vertices());

    setHighResolution(node.get(), 1);
    const QVector<DzVec3> withHD = DzGeometry::worldMesh(node.get())->vertices();
    morph->getValueControl()->setValue(0.0f);
    const QVector<DzVec3> without = DzGeometry::worldMesh(node.get())->vertices();
    ASSERT_EQ(withHD.size(), without.size());
    for (int i = 0; i < withHD.size(); ++i)
        expectNear(withHD[i], without[i] + (i == 3 ? DzVec3(0, 0, 1) : DzVec3()), 1e-5f);

    // Above their level they are refined along: the neighbourhood of vertex 3 moves.
    morph->getValueControl()->setValue(0.5f);
    setHighResolution(node.get(), 2);
    const QVector<DzVec3> moved = DzGeometry::worldMesh(node.get())->vertices();
    morph->getValueControl()->setValue(0.0f);
    const QVector<DzVec3> still = DzGeometry::worldMesh(node.get())->vertices();
    int changed = 0;
    for (int i = 0; i < moved.size(); ++i)
        changed += (moved[i] - still[i]).length() > 1e-4f;
    EXPECT_GT(changed, 1);
}

TEST(GeometrySubdivision, SkinWeightsRefineWithTheMesh)
{
    StickFigure fig;
    std::unique_ptr<DzFigure> owner(fig.figure);
    setHighResolution(fig.figure, 2);
    const QVector<DzVec3> rest = DzGeometry::worldMesh(fig.figure)->vertices();
    fig.lThigh->getZRotControl()->setValue(90.0f);
    const QVector<DzVec3> posed = DzGeometry::worldMesh(fig.figure)->vertices();
    const DzVec3 centre(10, 90, 0);
    int legVertices = 0;
    for (int i = 0; i < rest.size(); ++i) {
        if (rest[i].m_x < 5 || rest[i].m_y > 91)
            continue;
        // A fully bound leg turns rigidly: same distance to the centre, turned a quarter.
        ++legVertices;
        const DzVec3 r = rest[i] - centre, p = posed[i] - centre;
        EXPECT_NEAR(r.length(), p.length(), 1e-3f);
        EXPECT_NEAR(r.dot(p), 0.0f, 1e-2f);
    }
    EXPECT_EQ(legVertices, 25);
}

TEST(GeometryCache, DialAndStructureChangesReachTheEvaluatedMesh)
{
    StickFigure fig;
    std::unique_ptr<DzFigure> owner(fig.figure);
    DzMorph* tall = addMorph(fig.figure, "tall", {10, 11}, {{0, 20, 0}, {0, 20, 0}});
    const DzBox3 before = fig.figure->getWorldBoundingBox();
    EXPECT_FLOAT_EQ(before.getMax().m_y, 170.0f);

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

    DzFacetMesh bigger = shapeOf(fig.figure)->getFacetMesh();
    bigger.setVertex(0, {0, -5, 0});
    shapeOf(fig.figure)->setFacetMesh(bigger);
    EXPECT_FLOAT_EQ(fig.figure->getWorldBoundingBox().getMin().m_y, -5.0f);
}

TEST(GeometryTools, RestSkinAndWorldPiecesRebuildTheWorldMesh)
{
    StickFigure fig;
    std::unique_ptr<DzFigure> owner(fig.figure);
    DzMorph* morph = addMorph(fig.figure, "m", {0, 5}, {{1, 2, 3}, {-1, 0, 2}});
    morph->getValueControl()->setValue(1.0f);
    fig.rThigh->getXRotControl()->setValue(-30.0f);
    fig.figure->getZPosControl()->setValue(7.0f);
    fig.figure->getYRotControl()->setValue(45.0f);
    setHighResolution(fig.figure, 1);

    const int level = DzGeometry::evaluatedLevel(fig.figure);
    ASSERT_EQ(level, 1);
    const DzFacetMesh rest = DzGeometry::restMesh(fig.figure, level);
    const QVector<DzAffine> skin = DzGeometry::skinningMatrices(fig.figure, level);
    const DzAffine world = DzGeometry::worldMatrix(fig.figure);
    const DzFacetMesh* evaluated = DzGeometry::worldMesh(fig.figure);
    ASSERT_EQ(rest.getNumVertices(), evaluated->getNumVertices());
    ASSERT_EQ(skin.size(), rest.getNumVertices());
    EXPECT_EQ(DzGeometry::vertexCount(fig.figure, 1), rest.getNumVertices());
    for (int i = 0; i < rest.getNumVertices(); ++i) {
        expectNear(world.apply(skin[i].apply(rest.getVertex(i))), evaluated->getVertex(i));
        // Taking a world point back through world and skin gives the rest point.
        expectNear(skin[i].inverted().apply(world.inverted().apply(evaluated->getVertex(i))),
                   rest.getVertex(i), 1e-3f);
    }
    // Base rest positions carry the dialled morph.
    expectNear(DzGeometry::restPositions(fig.figure, 0)[0], DzVec3(9, 52, 3));
}
