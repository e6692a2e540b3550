#include <QCoreApplication>
#include <QPointer>
#include <cmath>

#include "../../host/src/geometry/dzaffine.h"
#include "dzenumproperty.h"
#include "dzfloatproperty.h"
#include "dzintproperty.h"
#include "dzscene.h"
#include "dztransferutility.h"
#include "test_app.h"
#include "test_geometry_fixtures.h"

using namespace testgeo;

namespace {

constexpr float kRadius = 10.0f;
constexpr float kAmplitude = 0.2f;
const DzVec3 kCentre(30, 0, 0);

// A latitude-longitude sphere about the origin whose poles lie on `axis` (0 x, 1 y).
DzFacetMesh sphere(int slices, int stacks, int axis)
{
    DzFacetMesh mesh;
    auto point = [&](float theta, float phi) {
        const float r = std::sin(phi) * kRadius, h = std::cos(phi) * kRadius;
        return axis == 1 ? DzVec3(r * std::cos(theta), h, r * std::sin(theta))
                         : DzVec3(h, r * std::cos(theta), r * std::sin(theta));
    };
    const int top = mesh.addVertex(point(0, 0));
    for (int j = 1; j < stacks; ++j)
        for (int i = 0; i < slices; ++i)
            mesh.addVertex(point(2 * float(M_PI) * i / slices, float(M_PI) * j / stacks));
    const int bottom = mesh.addVertex(point(0, float(M_PI)));
    auto ring = [&](int j, int i) { return 1 + (j - 1) * slices + (i % slices); };
    for (int i = 0; i < slices; ++i) {
        mesh.addFacet({top, ring(1, i + 1), ring(1, i)});
        mesh.addFacet({bottom, ring(stacks - 1, i), ring(stacks - 1, i + 1)});
        for (int j = 1; j + 1 < stacks; ++j)
            mesh.addFacet({ring(j, i), ring(j, i + 1), ring(j + 1, i + 1), ring(j + 1, i)});
    }
    return mesh;
}

// The smooth shape both meshes sample: a bulge along the normal growing with height.
DzVec3 field(const DzVec3& worldPoint)
{
    const DzVec3 n = (worldPoint - kCentre) * (1.0f / kRadius);
    return n * (kAmplitude * n.m_y);
}

// A source sphere standing at kCentre turned 90 degrees about Y, carrying the field as "Bulge"
// plus a second morph "Flat".
DzNode* addSource()
{
    const DzFacetMesh sourceMesh = sphere(32, 20, 1);
    DzNode* source = addSceneNode("Source", &sourceMesh);
    source->getXPosControl()->setValue(kCentre.m_x);
    source->getYRotControl()->setValue(90);
    const DzAffine world = DzAffine::translation(kCentre) * DzAffine::rotationXYZ(0, 90, 0);
    const DzAffine toLocal = world.inverted();
    const DzFacetMesh& mesh = shapeOf(source)->getFacetMesh();
    QVector<int> indices;
    QVector<DzVec3> deltas;
    for (int i = 0; i < mesh.getNumVertices(); ++i) {
        indices.append(i);
        deltas.append(toLocal.applyLinear(field(world.apply(mesh.getVertex(i)))));
    }
    addMorph(source, "Bulge", indices, deltas);
    addMorph(source, "Flat", {0}, {DzVec3(0, 1, 0)});
    return source;
}

// A target sphere tessellated differently (poles on X), standing 5 up with its mesh lowered
// so it covers the source in the scene.
DzNode* addTarget()
{
    DzFacetMesh mesh = sphere(23, 17, 0);
    for (int i = 0; i < mesh.getNumVertices(); ++i)
        mesh.setVertex(i, mesh.getVertex(i) + kCentre - DzVec3(0, 5, 0));
    DzNode* target = addSceneNode("Target", &mesh);
    target->getYPosControl()->setValue(5);
    return target;
}

DzFigure* figureLabelled(const QString& label)
{
    return qobject_cast<DzFigure*>(dzScene->findNodeByLabel(label));
}

} // namespace

TEST(TransferUtility, CarriesASmoothMorphAcrossTessellationsAndPlacementsAndOnlyListedOnes)
{
    TestApp app;
    DzNode* source = addSource();
    DzNode* target = addTarget();
    const DzFacetMesh targetMesh = shapeOf(target)->getFacetMesh();

    DzTransferUtility tool;
    EXPECT_TRUE(tool.setSource(source));
    EXPECT_TRUE(tool.setTarget(target));
    tool.setTransferSourceMorphs(DzTransferUtility::AllSourceMorphs);
    ASSERT_TRUE(tool.doTransfer());

    DzFigure* figure = figureLabelled("Target");
    ASSERT_NE(figure, nullptr);
    EXPECT_EQ(tool.getResultFigure(), figure);
    DzMorph* bulge = morphOf(figure, "Bulge");
    ASSERT_NE(bulge, nullptr);
    EXPECT_NE(morphOf(figure, "Flat"), nullptr);

    QVector<DzVec3> got(targetMesh.getNumVertices());
    const DzMorphDeltas* deltas = bulge->getDeltas();
    for (int i = 0; i < deltas->getNumDeltas(); ++i)
        got[deltas->getDeltaIndex(i)] = deltas->getDelta(i);
    float worst = 0;
    for (int i = 0; i < targetMesh.getNumVertices(); ++i) {
        const DzVec3 world = targetMesh.getVertex(i) + DzVec3(0, 5, 0);
        worst = std::max(worst, (got[i] - field(world)).length());
    }
    // Nearest-vertex sampling or a missed rotation would be off by several hundredths.
    EXPECT_LT(worst, 0.01f * kAmplitude * 5);
    EXPECT_GT(deltas->getNumDeltas(), targetMesh.getNumVertices() / 2);

    // In list mode only the listed morphs the source has are made.
    DzNode* second = addTarget();
    DzTransferUtility listed;
    listed.setSource(source);
    listed.setTarget(second);
    listed.setTransferSourceMorphs(DzTransferUtility::ListedSourceMorphs);
    listed.setMorphTransferList({"Flat", "Not On Source"});
    ASSERT_TRUE(listed.doTransfer());
    DzFigure* listedFigure = listed.getResultFigure();
    ASSERT_NE(listedFigure, nullptr);
    EXPECT_NE(morphOf(listedFigure, "Flat"), nullptr);
    EXPECT_EQ(listedFigure->getObject()->getNumModifiers(), 1);
}

TEST(TransferUtility, WithoutGeometryNothingChanges)
{
    TestApp app;
    DzNode* source = addSource();
    DzNode* target = addTarget();
    DzNode* empty = addSceneNode("Empty");
    auto* loose = nodeWithMesh(cube());  // has geometry, but is in no scene

    struct Case {
        DzNode* source;
        DzNode* target;
    };
    for (const Case& c : {Case{empty, target}, Case{source, empty}, Case{nullptr, target},
                          Case{source, loose}}) {
        const QList<DzNode*> before = dzScene->nodeList();
        int cSceneSignals = 0;
        QObject::connect(dzScene, &DzScene::nodeAdded, [&] { ++cSceneSignals; });
        QObject::connect(dzScene, &DzScene::nodeRemoved, [&] { ++cSceneSignals; });
        DzTransferUtility tool;
        tool.setSource(c.source);
        tool.setTarget(c.target);
        EXPECT_FALSE(tool.doTransfer());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(dzScene->nodeList(), before);
        EXPECT_EQ(cSceneSignals, 0);
        EXPECT_EQ(tool.getResultFigure(), nullptr);
        dzScene->disconnect();
    }
    EXPECT_FALSE(DzTransferUtility().setSource(empty));
    EXPECT_FALSE(DzTransferUtility().setTarget(nullptr));
    delete loose;
}

TEST(TransferUtility, TargetLeavesTheSceneBeforeItsFigureEnters)
{
    TestApp app;
    DzNode* source = addSource();
    DzNode* target = addTarget();
    target->getXRotControl()->setValue(12);
    target->getScaleControl()->setValue(1.5f);
    target->select(true);
    shapeOf(target)->getSubDIALevelControl()->setValue(2);
    const int vertexCount = shapeOf(target)->getNumVertices();
    QPointer<DzNode> oldTarget = target;

    QStringList events;
    QObject::connect(dzScene, &DzScene::nodeRemoved, [&](DzNode* n) {
        events << "removed " + n->getLabel() + (n == target ? " (target)" : "");
    });
    QObject::connect(dzScene, &DzScene::nodeAdded, [&](DzNode* n) {
        events << "added " + n->getLabel() + (qobject_cast<DzFigure*>(n) ? " (figure)" : "");
    });

    DzTransferUtility tool;
    tool.setSource(source);
    tool.setTarget(target);
    ASSERT_TRUE(tool.doTransfer());
    EXPECT_EQ(events, QStringList({"removed Target (target)", "added Target (figure)"}));

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(oldTarget.isNull());
    DzFigure* figure = figureLabelled("Target");
    ASSERT_NE(figure, nullptr);
    EXPECT_EQ(dzScene->getNumNodes(), 2);
    EXPECT_TRUE(figure->isSelected());
    EXPECT_FLOAT_EQ(figure->getXRotControl()->getValue(), 12);
    EXPECT_FLOAT_EQ(figure->getYPosControl()->getValue(), 5);
    EXPECT_FLOAT_EQ(figure->getScaleControl()->getValue(), 1.5f);
    DzShape* shape = shapeOf(figure);
    EXPECT_EQ(shape->getNumVertices(), vertexCount);
    EXPECT_EQ(shape->getSubDIALevelControl()->getValue(), 2);
    // The product finds the resolution of the new figure by these names.
    EXPECT_EQ(shape->findProperty("lodlevel"), shape->getLODControl());
    EXPECT_EQ(shape->findProperty("SubDIALevel"), shape->getSubDIALevelControl());
}

TEST(TransferUtility, FaceGroupsComeFromTheNearestSourceFacet)
{
    TestApp app;
    // Source: two unit quads side by side in groups "left" and "right".
    DzFacetMesh src;
    for (int i = 0; i < 3; ++i) {
        src.addVertex(DzVec3(float(i), 0, 0));
        src.addVertex(DzVec3(float(i), 1, 0));
    }
    src.addFacet({0, 2, 3, 1}, src.findOrAddFaceGroup("left"));
    src.addFacet({2, 4, 5, 3}, src.findOrAddFaceGroup("right"));
    // Target: four thin quads across the same strip, all in one group.
    DzFacetMesh dst;
    for (int i = 0; i <= 4; ++i) {
        dst.addVertex(DzVec3(i * 0.5f, 0, 0.01f));
        dst.addVertex(DzVec3(i * 0.5f, 1, 0.01f));
    }
    for (int i = 0; i < 4; ++i)
        dst.addFacet({2 * i, 2 * i + 2, 2 * i + 3, 2 * i + 1}, dst.findOrAddFaceGroup("all"));
    DzNode* source = addSceneNode("Strip", &src);
    DzNode* target = addSceneNode("Cover", &dst);

    DzTransferUtility tool;
    tool.setSource(source);
    tool.setTarget(target);
    tool.setTransferFaceGroups(true);
    ASSERT_TRUE(tool.doTransfer());
    const DzFacetMesh& mesh = shapeOf(tool.getResultFigure())->getFacetMesh();
    QStringList groups;
    for (const DzFacet& f : mesh.facets())
        groups << mesh.getFaceGroupName(f.m_faceGroupIdx);
    EXPECT_EQ(groups, QStringList({"left", "left", "right", "right"}));
}
