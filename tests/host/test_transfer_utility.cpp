#include <QCoreApplication>
#include <QPointer>

#include "dzenumproperty.h"
#include "dzfloatproperty.h"
#include "dzintproperty.h"
#include "dztransferutility.h"
#include "test_content_support.h"
#include "test_geometry_fixtures.h"

using namespace testgeo;
using testcontent::figureLabelled;

namespace {

// A cube standing 5 up with its mesh lowered, so that it stands about the scene's origin.
DzNode* addStandingCube(const QString& label, float half)
{
    DzFacetMesh mesh = cube(half);
    for (int i = 0; i < mesh.getNumVertices(); ++i)
        mesh.setVertex(i, mesh.getVertex(i) - DzVec3(0, 5, 0));
    DzNode* node = addSceneNode(label, &mesh);
    node->getYPosControl()->setValue(5);
    return node;
}

// A source cube whose morph moves vertex 0, and a larger target cube around it.
DzNode* addSource()
{
    DzNode* source = addStandingCube("Source", 1.0f);
    addMorph(source, "Wide", {0}, {DzVec3(1, 0, 0)});
    return source;
}

DzNode* addTarget() { return addStandingCube("Target", 1.5f); }

} // namespace

// Surfaces meet where the nodes place them, and a delta is carried in the scene: the source's
// turn reaches it, not its local direction.
TEST(TransferUtility, DeltasTurnFromTheSourcesPlacementIntoTheTargets)
{
    TestApp app;
    DzNode* source = addSource();
    source->getYRotControl()->setValue(90);
    DzTransferUtility tool;
    tool.setSource(source);
    tool.setTarget(addTarget());
    ASSERT_TRUE(tool.doTransfer());
    const DzMorphDeltas* deltas = morphOf(tool.getResultFigure(), "Wide")->getDeltas();
    QVector<DzVec3> byVertex(8);
    for (int i = 0; i < deltas->getNumDeltas(); ++i) {
        const DzVec3 d = deltas->getDelta(i);
        byVertex[deltas->getDeltaIndex(i)] = d;
        EXPECT_NEAR(d.m_x, 0, 1e-5f);
        EXPECT_NEAR(d.m_y, 0, 1e-5f);
        EXPECT_LT(d.m_z, 0);
    }
    // Turned, the source's vertex 0 stands at (-1, -1, 1): the target's corner there, 4, takes
    // the whole delta.
    expectNear(byVertex[4], DzVec3(0, 0, -1), 1e-5f);
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
    for (const bool bPrimary : {true, false}) {
        SCOPED_TRACE(bPrimary ? "target primary" : "target selected beside");
        TestApp app;
        DzNode* source = addSource();
        DzNode* target = addTarget();
        target->getXRotControl()->setValue(12);
        target->getScaleControl()->setValue(1.5f);
        if (!bPrimary)
            source->select(true);  // the primary selection, the target selected beside it
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
        EXPECT_EQ(dzScene->getPrimarySelection(), bPrimary ? figure : source);
        EXPECT_FLOAT_EQ(figure->getXRotControl()->getValue(), 12);
        EXPECT_FLOAT_EQ(figure->getYPosControl()->getValue(), 5);
        EXPECT_FLOAT_EQ(figure->getScaleControl()->getValue(), 1.5f);
        DzShape* shape = shapeOf(figure);
        EXPECT_EQ(shape->getNumVertices(), vertexCount);
        EXPECT_EQ(shape->getSubDIALevelControl()->getValue(), 2);
    }
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
