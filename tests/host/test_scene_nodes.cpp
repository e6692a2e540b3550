#include <QCoreApplication>
#include <QPointer>
#include <QSignalSpy>

#include "dzapp.h"
#include "dzenumproperty.h"
#include "dzfloatproperty.h"
#include "dzpropertygrouptree.h"
#include "dzscene.h"
#include "test_geometry_fixtures.h"

using namespace testgeo;

namespace {
DzNode* makeNode(const QString& label)
{
    auto* node = new DzNode;
    node->setName(label);
    node->setLabel(label);
    return node;
}

QStringList labels(const QList<DzNode*>& nodes)
{
    QStringList result;
    for (const DzNode* node : nodes)
        result.append(node->getLabel());
    return result;
}

QStringList spiedLabels(const QSignalSpy& spy)
{
    QStringList result;
    for (const QList<QVariant>& args : spy)
        result.append(args.at(0).value<DzNode*>()->getLabel());
    return result;
}

void flushDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
} // namespace

TEST(SceneNodes, AddNodeBringsChildrenInOrderAndLaterChildrenJoin)
{
    DzScene scene;
    QSignalSpy added(&scene, &DzScene::nodeAdded);
    DzNode* root = makeNode("root");
    root->addNodeChild(makeNode("a"));
    root->getNodeChild(0)->addNodeChild(makeNode("a1"));
    ASSERT_TRUE(scene.addNode(root));
    EXPECT_FALSE(scene.addNode(root));
    EXPECT_EQ(spiedLabels(added), QStringList({"root", "a", "a1"}));

    root->addNodeChild(makeNode("b"));
    EXPECT_EQ(labels(scene.nodeList()), QStringList({"root", "a", "a1", "b"}));
    EXPECT_EQ(scene.findNodeByLabel("b"), root->getNodeChild(1));
    EXPECT_EQ(scene.findNodeIndex(scene.findNodeByLabel("a1")), 2);
    EXPECT_EQ(scene.findNodeIndex(nullptr), -1);
    EXPECT_EQ(scene.findNodeByLabel("missing"), nullptr);
}

TEST(SceneNodes, RemoveNodeTakesChildrenEmitsPerNodeAndDeletesLater)
{
    DzScene scene;
    DzNode* keep = makeNode("keep");
    keep->addNodeChild(makeNode("leaf"));
    DzNode* root = makeNode("root");
    root->addNodeChild(makeNode("child"));
    root->getNodeChild(0)->addNodeChild(makeNode("grandchild"));
    scene.addNode(keep);
    scene.addNode(root);
    QPointer<DzNode> grandchild = scene.findNodeByLabel("grandchild");
    grandchild->select(true);
    // A child removed alone leaves its parent.
    QSignalSpy childRemoved(keep, &DzNode::childRemoved);
    ASSERT_TRUE(scene.removeNode(keep->getNodeChild(0)));
    EXPECT_EQ(childRemoved.count(), 1);
    EXPECT_EQ(keep->getNumNodeChildren(), 0);

    // Listeners may still read the node while it leaves.
    QStringList seen;
    QObject::connect(&scene, &DzScene::nodeRemoved,
                     [&](DzNode* node) { seen.append(node->getLabel()); });
    ASSERT_TRUE(scene.removeNode(root));
    EXPECT_EQ(seen.size(), 3);
    EXPECT_TRUE(seen.contains("root") && seen.contains("child") && seen.contains("grandchild"));
    EXPECT_EQ(labels(scene.nodeList()), QStringList({"keep"}));
    EXPECT_EQ(scene.getNumSelectedNodes(), 0);
    EXPECT_FALSE(scene.removeNode(root));

    ASSERT_FALSE(grandchild.isNull());
    flushDeferredDeletes();
    EXPECT_TRUE(grandchild.isNull());
}

TEST(SceneSelection, OrderAndPrimarySelection)
{
    DzScene scene;
    DzNode* a = makeNode("a");
    DzNode* b = makeNode("b");
    DzNode* c = makeNode("c");
    for (DzNode* n : {a, b, c})
        scene.addNode(n);
    QSignalSpy primary(&scene, &DzScene::primarySelectionChanged);

    c->select(true);
    a->select(true);
    a->select(true);  // again: still listed once
    EXPECT_EQ(labels(scene.selectedNodeList()), QStringList({"c", "a"}));
    EXPECT_EQ(scene.getPrimarySelection(), c);

    scene.setPrimarySelection(b);
    EXPECT_EQ(labels(scene.selectedNodeList()), QStringList({"b", "c", "a"}));
    scene.setPrimarySelection(a);
    EXPECT_EQ(labels(scene.selectedNodeList()), QStringList({"a", "b", "c"}));
    EXPECT_EQ(scene.getSelectedNode(2), c);

    b->select(false);
    EXPECT_FALSE(b->isSelected());
    EXPECT_EQ(labels(scene.selectedNodeList()), QStringList({"a", "c"}));

    scene.selectAllNodes(false);
    EXPECT_EQ(scene.getNumSelectedNodes(), 0);
    EXPECT_EQ(scene.getPrimarySelection(), nullptr);
    EXPECT_FALSE(a->isSelected() || c->isSelected());
    EXPECT_EQ(primary.count(), 5);

    scene.selectAllNodes(true);
    EXPECT_EQ(labels(scene.selectedNodeList()), QStringList({"a", "b", "c"}));
}

// A tree handed out stays as it was, and valid, while later calls see the groups as they are.
TEST(SceneFigures, NodeGroupsIncludeTheMorphGroupPaths)
{
    std::unique_ptr<DzNode> node(nodeWithMesh(cube()));
    const DzPropertyGroupTree* first = node->getPropertyGroups();
    EXPECT_EQ(node->getPropertyGroups(), first);
    DzMorph* morph = addMorph(node.get(), "Tall", {}, {});
    EXPECT_FALSE(node->getPropertyGroups()->collectAllPaths().contains("Morphs"));
    morph->getValueControl()->setPath("Morphs/Kelvaro/Full");
    addMorph(node.get(), "Hidden", {}, {})->getValueControl()->setPath("/Hidden");
    const QStringList paths = node->getPropertyGroups()->collectAllPaths();
    for (const char* path : {"Transforms", "Transforms/Translation", "Morphs", "Morphs/Kelvaro",
                             "Morphs/Kelvaro/Full", "Hidden"})
        EXPECT_TRUE(paths.contains(path)) << path;
    EXPECT_FALSE(first->collectAllPaths().contains("Morphs/Kelvaro"));
    EXPECT_TRUE(first->collectAllPaths().contains("Transforms"));

    node->getObject()->removeModifier(morph);
    EXPECT_FALSE(node->getPropertyGroups()->collectAllPaths().contains("Morphs/Kelvaro"));
    flushDeferredDeletes();
}

TEST(SceneFigures, ModifiersAreFoundByExactNameAlsoThroughMetaCalls)
{
    std::unique_ptr<DzNode> node(nodeWithMesh(cube()));
    DzMorph* morph = addMorph(node.get(), "CloneGenesis8Female", {}, {});
    EXPECT_EQ(node->getObject()->findModifier("clonegenesis8female"), nullptr);

    DzShape* shape = node->getObject()->getCurrentShape();
    auto* lod = qobject_cast<DzEnumProperty*>(shape->findProperty("lodlevel"));
    ASSERT_NE(lod, nullptr);
    EXPECT_EQ(lod->getItem(1), "High Resolution");

    // Reached by signature, as a script or a plug-in would.
    DzModifier* found = nullptr;
    ASSERT_TRUE(QMetaObject::invokeMethod(node->getObject(), "findModifier",
                                          Q_RETURN_ARG(DzModifier*, found),
                                          Q_ARG(QString, "CloneGenesis8Female")));
    EXPECT_EQ(found, morph);
}
