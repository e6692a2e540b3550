#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <functional>
#include <unistd.h>
#include <memory>

#include "../../host/src/geometry/dzgeometry.h"
#include "dzbone.h"
#include "dzfloatproperty.h"
#include "dzmorphdeltas.h"
#include "dzshape.h"
#include "test_assets_session.h"
#include "test_content_support.h"
#include "test_geometry_fixtures.h"

using namespace testcontent;

// Scenes saved with DzScene::saveScene and opened again in a new session, as a user saves a
// day's work and comes back to it.
namespace {

const QString qsGenesis9 = "People/Genesis 9/Genesis 9.duf";

// Sessions on the bundled content and a library of the user's own ("library"), where support
// assets are saved.
using Session = AssetSession;

DzFigure* loadFigure(const QString& file, const QString& label)
{
    if (!openStock(file))
        return nullptr;
    DzFigure* figure = qobject_cast<DzFigure*>(dzScene->getPrimarySelection());
    if (figure)
        figure->setLabel(label);
    return figure;
}

void set(DzElement* element, const char* property, double value)
{
    auto* p = qobject_cast<DzNumericProperty*>(element ? element->findProperty(property) : nullptr);
    ASSERT_NE(p, nullptr) << property;
    p->setDoubleValue(value);
}

// The installed morphs of a figure (those with an asset in a Morphs folder), in order.
QList<DzMorph*> installedMorphs(DzNode* node)
{
    QList<DzMorph*> found;
    for (DzModifier* m : node->getObject()->modifierList())
        if (auto* morph = qobject_cast<DzMorph*>(m); morph && morph->getDeltas()->getUri().toString().contains("/Morphs/"))
            found << morph;
    return found;
}

// A morph of the user's own, with HD deltas at level 2, saved as a support asset of the figure
// into the library.
void addSavedMorph(Session& session, DzNode* figure, const QString& name)
{
    DzMorph* morph = testgeo::addMorph(figure, name, {0, 3, 40}, {{0, 1, 0}, {0.5f, 0, 0}, {0, 0, -2}});
    morph->getDeltas()->setHDDeltas(2, {1, 17, 300}, {{0, 0.25f, 0}, {0.1f, 0, 0}, {0, 0, 0.3f}});
    ASSERT_EQ(session.save(session.options(figure, {name}).get()), 0);
    ASSERT_FALSE(morph->getDeltas()->getUri().isEmpty());
}

// Everything a user sees of the scene, line by line: per root node its label and asset, every
// property of the node, of its bones, of its shape and of its morphs.
QStringList describeScene()
{
    QStringList lines;
    auto describe = [&lines](const QString& owner, const DzElement* element) {
        for (int i = 0; i < element->getNumProperties(); ++i) {
            const DzProperty* p = element->getProperty(i);
            lines << QStringLiteral("%1 %2 = %3").arg(owner, p->getName(), p->getValueVariant().toString());
        }
    };
    for (DzNode* node : dzScene->nodeList()) {
        if (!node->isRootNode())
            continue;
        const QString label = node->getLabel();
        lines << label + " <" + node->getAssetUri().toString() + ">";
        describe(label, node);
        if (auto* figure = qobject_cast<DzFigure*>(node))
            for (DzBone* bone : figure->getAllBones())
                describe(label + "/" + bone->getName(), bone);
        if (!node->getObject())
            continue;
        describe(label + " shape", node->getObject()->getCurrentShape());
        for (DzModifier* m : node->getObject()->modifierList())
            describe(label + " morph", m);
    }
    return lines;
}

// The evaluated world meshes of the root nodes, in scene order.
QList<QVector<DzVec3>> evaluatedMeshes()
{
    QList<QVector<DzVec3>> meshes;
    for (DzNode* node : dzScene->nodeList()) {
        if (!node->isRootNode())
            continue;
        QVector<DzVec3> vertices;
        const DzFacetMesh* mesh = DzGeometry::worldMesh(node);
        for (int i = 0; mesh && i < mesh->getNumVertices(); ++i)
            vertices << mesh->getVertex(i);
        meshes << vertices;
    }
    return meshes;
}

float largestDistance(const QVector<DzVec3>& a, const QVector<DzVec3>& b)
{
    float largest = 0;
    for (int i = 0; i < a.size(); ++i)
        largest = qMax(largest, (a[i] - b[i]).length());
    return largest;
}

} // namespace

TEST(SceneFiles, ASavedSceneOpensInANewSessionAsItWas)
{
    struct Case {
        const char* name;
        std::function<void(Session&)> build;
    };
    const Case cases[] = {
        {"Genesis 9 placed, posed, dialled, at high resolution level 2",
         [](Session&) {
             DzFigure* g9 = loadFigure(qsGenesis9, "Genesis 9");
             set(g9, "XTranslate", 12.5);
             set(g9, "YRotate", -30);
             set(g9, "Scale", 1.1);
             set(g9->findBone("l_thigh"), "ZRotate", 6.5);
             set(g9->findBone("r_thigh"), "XRotate", -40);
             set(g9->findBone("head"), "YRotate", 15);
             set(testgeo::morphOf(g9, "body_bs_ProportionHeight"), "body_bs_ProportionHeight", 0.4);
             set(testgeo::morphOf(g9, "BaseFeminine_figure_ctrl_Character"), "BaseFeminine_figure_ctrl_Character", 0.7);
             testgeo::setHighResolution(g9, 2);
         }},
        {"the sample scene with more of its installed morphs dialled",
         [](Session&) {
             ASSERT_TRUE(contentMgr()->openFile(contentMgr()->getAbsolutePath("Scenes/Sample Conversion.duf"), false));
             DzFigure* source = figureLabelled("Genesis 8.1 Female");
             const QList<DzMorph*> morphs = installedMorphs(source);
             ASSERT_GE(morphs.size(), 4);
             for (int i = 0; i < morphs.size(); ++i)
                 morphs[i]->getValueControl()->setValue(0.1f * float(i % 10));
             set(source->findBone("head"), "ZRotate", -20);
             testgeo::setHighResolution(figureLabelled("Genesis 9"), 1);
         }},
        {"two Genesis 9 of one kind and a morph saved by the user, HD at level 2",
         [](Session& session) {
             DzFigure* right = loadFigure(qsGenesis9, "Right");
             set(right, "XTranslate", 60);
             addSavedMorph(session, right, "MyShape");
             testgeo::morphOf(right, "MyShape")->getValueControl()->setValue(0.8f);
             testgeo::setHighResolution(right, 2);
             // Loaded after the save, it has the morph installed, as it will have once reopened.
             DzFigure* left = loadFigure(qsGenesis9, "Left");
             set(testgeo::morphOf(left, "body_bs_ProportionHeight"), "body_bs_ProportionHeight", -0.5);
         }},
        {"a figure whose installed morph has an id other than its name",
         [](Session& session) {
             writeFile(session.library + "/data/T/quad.dsf", quadFigure("Quad"));
             writeFile(session.library + "/data/T/Morphs/lift.dsf",
                       quadMorph("lift-id", "/data/T/quad.dsf#Quad", 0.5f).replace("\"id\": \"lift-id\"", "\"id\": \"lift-id\", \"name\": \"Lift\""));
             writeFile(session.library + "/People/Quad.duf",
                       R"({"asset_info": {"id": "/People/Quad.duf", "type": "figure"},
                           "scene": {"nodes": [{"id": "q", "url": "/data/T/quad.dsf#Quad", "label": "Quad"}]}})");
             ASSERT_TRUE(openStock("People/Quad.duf"));
             set(testgeo::morphOf(figureLabelled("Quad"), "Lift"), "Lift", 0.75);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Session session;
        c.build(session);
        const QStringList before = describeScene();
        const QList<QVector<DzVec3>> meshes = evaluatedMeshes();
        const QString file = session.root.filePath("Saved Scene.duf");
        ASSERT_EQ(dzScene->saveScene(file), DZ_NO_ERROR) << dzScene->getSaveMessage().toStdString();
        EXPECT_EQ(dzScene->getSaveMessage(), "");

        session.start();
        ASSERT_TRUE(openStock("Props/Primitive Sphere.duf"));  // opening replaces it
        ASSERT_TRUE(contentMgr()->openFile(file, false));
        EXPECT_EQ(describeScene(), before);
        const QList<QVector<DzVec3>> reopened = evaluatedMeshes();
        ASSERT_EQ(reopened.size(), meshes.size());
        for (int i = 0; i < meshes.size(); ++i) {
            ASSERT_EQ(reopened[i].size(), meshes[i].size());
            EXPECT_LT(largestDistance(reopened[i], meshes[i]), 1e-4f) << "root node " << i;
        }
    }
}

// What a scene file cannot refer to is left out, named, and the rest saved.
TEST(SceneFiles, NodesAndMorphsWithoutAnAssetAreLeftOutAndNamed)
{
    Session session;
    DzFigure* g9 = loadFigure(qsGenesis9, "Genesis 9");
    const DzFacetMesh cube = testgeo::cube();
    testgeo::addSceneNode("Imported Cube", &cube);
    testgeo::addMorph(g9, "Unsaved", {0}, {{0, 1, 0}})->getValueControl()->setValue(1);
    set(g9, "XTranslate", 5);
    g9->addNodeChild(testgeo::nodeWithMesh(cube, new DzNode));
    g9->getNodeChild(g9->getNumNodeChildren() - 1)->setLabel("Hat");

    const QString file = session.root.filePath("Partial.duf");
    ASSERT_EQ(dzScene->saveScene(file), DZ_NO_ERROR);
    const QString message = dzScene->getSaveMessage();
    for (const char* named : {"node \"Imported Cube\" (it has no asset file)",
                              "morph \"Unsaved\" of \"Genesis 9\" (it was never saved as an asset)",
                              "node \"Hat\" (a child of \"Genesis 9\" that is not a bone)"})
        EXPECT_TRUE(message.contains(named)) << message.toStdString();
    EXPECT_EQ(session.app->logLinesContaining("Scene: saved the scene to \"" + file + "\", leaving out").size(), 1);

    session.start();
    ASSERT_TRUE(contentMgr()->openFile(file, false));
    EXPECT_EQ(dzScene->findNodeByLabel("Imported Cube"), nullptr);
    DzNode* reopened = dzScene->findNodeByLabel("Genesis 9");
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->getXPosControl()->getValue(), 5.0f);
    EXPECT_EQ(testgeo::morphOf(reopened, "Unsaved"), nullptr);
}

// A save replaces an existing file by a new one, never rewriting it in place (a hard link to
// the old one keeps the old content); a save that cannot be made changes nothing on disk and
// says why, naming the file.
TEST(SceneFiles, ASaveReplacesAFileWholeOrChangesNothingAndSaysWhy)
{
    Session session;
    loadFigure(qsGenesis9, "Genesis 9");
    const QDir dir(session.root.path());
    const QString day = dir.filePath("Scenes/Day.duf"), precious = dir.filePath("Elsewhere/target.duf");
    ASSERT_TRUE(writeFile(day, "yesterday") && writeFile(precious, "precious"));
    ASSERT_EQ(::link(QFile::encodeName(day).constData(), QFile::encodeName(dir.filePath("Day copy.duf")).constData()), 0);
    ASSERT_TRUE(QFile::link(precious, dir.filePath("link.duf")));
    ASSERT_TRUE(QFile::link(dir.filePath("Elsewhere/none.duf"), dir.filePath("dangling.duf")));

    ASSERT_EQ(dzScene->saveScene(day), DZ_NO_ERROR);
    EXPECT_EQ(readFile(dir.filePath("Day copy.duf")), "yesterday");
    EXPECT_EQ(QDir(dir.filePath("Scenes")).entryList(QDir::Files | QDir::Hidden), QStringList{"Day.duf"});

    struct Case {
        QString file;
        DzError code;
        QString reason;
    };
    const Case cases[] = {
        {"", DZ_INVALID_ARGUMENT, "no file name was given"},
        {dir.filePath("link.duf"), DZ_WRITE_FILE_ERROR, "it is a symbolic link (to \""},
        {dir.filePath("dangling.duf"), DZ_WRITE_FILE_ERROR, "it is a symbolic link"},
        {dir.filePath("Elsewhere"), DZ_WRITE_FILE_ERROR, "it is a folder"},
        {dir.filePath("Missing/scene.duf"), DZ_WRITE_FILE_ERROR, "the folder \"" + dir.filePath("Missing") + "\" does not exist"},
        {precious + "/scene.duf", DZ_WRITE_FILE_ERROR, "is not a folder"},
        {"/proc/scene.duf", DZ_WRITE_FILE_ERROR, "No such file or directory"},  // the system's words
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        EXPECT_EQ(dzScene->saveScene(c.file), c.code);
        const QString message = dzScene->getSaveMessage();
        EXPECT_TRUE(message.contains(c.reason)) << message.toStdString();
        EXPECT_TRUE(message.contains("\"" + c.file + "\"") || c.file.isEmpty()) << message.toStdString();
        EXPECT_EQ(session.app->logLinesContaining("Scene: " + message).size(), 1);
    }
    EXPECT_EQ(readFile(precious), "precious");
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("Elsewhere/none.duf")));
}
