#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTemporaryDir>

#include "../../host/src/geometry/dzgeometry.h"
#include "dzbone.h"
#include "dzfloatproperty.h"
#include "dzmorph.h"
#include "dzmorphdeltas.h"
#include "dzobject.h"
#include "dzshape.h"
#include "dzskinbinding.h"
#include "test_content_support.h"

using namespace testcontent;

namespace {

QStringList morphNames(DzNode* node)
{
    QStringList names;
    for (DzModifier* m : node->getObject()->modifierList())
        if (qobject_cast<DzMorph*>(m))
            names.append(m->getName());
    return names;
}

} // namespace

TEST(ContentLibrary, Genesis9GetsItsInstalledMorphsAndTheSampleSceneDialsTheSourceBesideIt)
{
    TestApp app;
    ASSERT_TRUE(openStock("People/Genesis 9/Genesis 9.duf"));
    DzFigure* g9 = figureLabelled("Genesis 9");
    ASSERT_NE(g9, nullptr);
    const QStringList names = morphNames(g9);
    for (const char* name : {"CloneGenesis3Female", "CloneGenesis3Male", "CloneGenesis8Female",
                             "CloneGenesis8Male", "BaseFeminine_figure_ctrl_Character",
                             "BaseMasculine_figure_ctrl_Character", "body_bs_ProportionHeight"})
        EXPECT_TRUE(names.contains(QString::fromLatin1(name))) << name;

    auto* clone = qobject_cast<DzMorph*>(g9->getObject()->findModifier("CloneGenesis8Female"));
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->getValueControl()->getPath(), "Hidden");
    EXPECT_TRUE(clone->getValueControl()->isHidden());
    EXPECT_EQ(clone->getDeltas()->getUri().toString(),
              "/data/DAZ%203D/Genesis%209/Base/Morphs/Core/Base/CloneGenesis8Female.dsf#CloneGenesis8Female");
    EXPECT_GT(clone->getDeltas()->getNumDeltas(), 1000);

    auto* height = qobject_cast<DzMorph*>(g9->getObject()->findModifier("body_bs_ProportionHeight"));
    ASSERT_NE(height, nullptr);
    EXPECT_EQ(height->getValueControl()->getLabel(), "Proportion Height");
    EXPECT_FLOAT_EQ(height->getValueControl()->getMin(), -1.0f);
    EXPECT_FALSE(height->getValueControl()->isHidden());
    // It makes the figure taller, and shorter below zero.
    const auto tall = [&](float value) {
        height->getValueControl()->setValue(value);
        return DzGeometry::worldBoundingBox(g9).getMax().m_y;
    };
    const float base = tall(0);
    EXPECT_NEAR(base, 171.0f, 1.0f);
    EXPECT_GT(tall(0.5f), base + 5);
    EXPECT_GT(tall(1), tall(0.5f) + 5);
    EXPECT_LT(tall(-0.5f), base - 5);

    // The sample scene, opened without merge, replaces it.
    ASSERT_TRUE(contentMgr()->openFile(contentMgr()->getAbsolutePath("Scenes/Sample Conversion.duf"), false));
    DzFigure* src = figureLabelled("Genesis 8.1 Female");
    g9 = figureLabelled("Genesis 9");
    ASSERT_TRUE(src && g9);
    // The two figures and their bones, nothing else.
    EXPECT_EQ(dzScene->getNumNodes(), 2 + src->getSkinBinding()->getNumBoneWeightMaps() +
                                          g9->getSkinBinding()->getNumBoneWeightMaps());
    // Far enough apart that their arms do not meet.
    const float apart = g9->getXPosControl()->getValue() - src->getXPosControl()->getValue();
    EXPECT_GT(apart, DzGeometry::worldBoundingBox(src).getMax().m_x - DzGeometry::worldBoundingBox(src).getMin().m_x);
    auto value = [&](const char* morph) {
        return qobject_cast<DzMorph*>(src->getObject()->findModifier(morph))->getValueControl()->getValue();
    };
    // A face and a body of her own: character morphs and regional ones, all named alike.
    const QStringList sourceNames = morphNames(src);
    EXPECT_EQ(sourceNames.filter(QRegularExpression("^(head|body)_ctrl_[A-Z][A-Za-z]+$")).size(), sourceNames.size());
    const DzFloatProperty* heavy = qobject_cast<DzMorph*>(src->getObject()->findModifier("body_ctrl_Heavy"))->getValueControl();
    EXPECT_EQ(heavy->getLabel(), "Heavy");
    EXPECT_EQ(heavy->getPath(), "Actor/Body");
    EXPECT_FLOAT_EQ(value("body_ctrl_Heavy"), 0.6f);
    EXPECT_FLOAT_EQ(value("head_ctrl_NoseSize"), 1.0f);
    EXPECT_FLOAT_EQ(value("body_ctrl_TorsoLength"), 0.0f);
    EXPECT_FLOAT_EQ(value("head_ctrl_EyesSize"), 0.5f);
    EXPECT_FLOAT_EQ(value("body_ctrl_WaistWidth"), -0.6f);
}

TEST(ContentLibrary, PropAndPathLookupAcrossContentDirectories)
{
    QTemporaryDir first;  // its copy of a bundled scene comes before the bundled one
    ASSERT_TRUE(writeFile(first.path() + "/Scenes/Sample Conversion.duf", {}));
    DzAppOptions options = TestApp::defaultOptions();
    options.contentDirs = QStringList{first.path(), contentDir()};
    TestApp app(options);
    EXPECT_EQ(contentMgr()->getNumContentDirectories(), 2);
    EXPECT_EQ(contentMgr()->getAbsolutePath("Scenes/Sample Conversion.duf"),
              first.path() + "/Scenes/Sample Conversion.duf");
    EXPECT_EQ(contentMgr()->getAbsolutePath("Props/Primitive Sphere.duf"),
              QDir(contentDir()).filePath("Props/Primitive Sphere.duf"));
    EXPECT_TRUE(contentMgr()->getAbsolutePath("Props/Nowhere.duf").isEmpty());

    ASSERT_TRUE(openStock("Props/Primitive Sphere.duf"));
    DzNode* sphere = dzScene->findNodeByLabel("Sphere");
    ASSERT_NE(sphere, nullptr);
    EXPECT_EQ(qobject_cast<DzFigure*>(sphere), nullptr);
    EXPECT_EQ(sphere->getObject()->getCurrentShape()->getFacetMesh().faceGroupNames(), QStringList{"Sphere"});
}

TEST(ContentLibrary, SceneFilesPoseBonesAndLoadMorphsNamedByUrl)
{
    QTemporaryDir extra;
    DzAppOptions options = TestApp::defaultOptions();
    options.contentDirs = QStringList{contentDir(), extra.path()};
    TestApp app(options);
    ASSERT_TRUE(openStock("People/Genesis 9/Genesis 9.duf"));
    const int vertexCount = figureLabelled("Genesis 9")->getObject()->getCurrentShape()->getNumVertices();
    dzScene->clear();
    // A morph kept outside the figure's Morphs folder: loaded only when a file names it.
    writeFile(extra.path() + "/data/Extra/Lift.dsf", QString("{\"asset_info\":{\"id\":\"/data/Extra/Lift.dsf\",\"type\":\"modifier\"},"
                "\"modifier_library\":[{\"id\":\"Lift\",\"parent\":\"/data/DAZ%203D/Genesis%209/Base/Genesis9.dsf#Genesis9\","
                "\"channel\":{\"id\":\"value\",\"label\":\"Lift\",\"min\":0,\"max\":2},\"group\":\"/Extra\","
                "\"morph\":{\"vertex_count\":%1,\"deltas\":{\"count\":1,\"values\":[[0,0,5,0]]},"
                "\"hd\":{\"level\":2,\"deltas\":{\"count\":1,\"values\":[[40,0,1,0]]}}}}]}")
                    .arg(vertexCount)
                    .toUtf8());
    writeFile(extra.path() + "/Scenes/Posed.duf", "{\"asset_info\":{\"id\":\"/Scenes/Posed.duf\",\"type\":\"scene\"},\"scene\":{"
                "\"nodes\":[{\"id\":\"g\",\"url\":\"/data/DAZ%203D/Genesis%209/Base/Genesis9.dsf#Genesis9\",\"label\":\"Posed\"},"
                "{\"id\":\"t\",\"url\":\"#l_thigh\",\"parent\":\"#g\",\"rotation\":[{\"id\":\"z\",\"current_value\":6.5}]}],"
                "\"modifiers\":[{\"id\":\"m\",\"url\":\"/data/Extra/Lift.dsf#Lift\",\"parent\":\"#g\","
                "\"channel\":{\"id\":\"value\",\"current_value\":1.5}}]}}");

    ASSERT_TRUE(contentMgr()->openFile(extra.path() + "/Scenes/Posed.duf", true));
    DzFigure* fig = figureLabelled("Posed");
    ASSERT_NE(fig, nullptr);
    EXPECT_FLOAT_EQ(fig->findBone("l_thigh")->getZRotControl()->getValue(), 6.5f);
    auto* lift = qobject_cast<DzMorph*>(fig->getObject()->findModifier("Lift"));
    ASSERT_NE(lift, nullptr);
    EXPECT_FLOAT_EQ(lift->getValueControl()->getValue(), 1.5f);
    EXPECT_EQ(lift->getValueControl()->getPath(), "Extra");
    EXPECT_EQ(lift->getDeltas()->getUri().toString(), "/data/Extra/Lift.dsf#Lift");
    EXPECT_EQ(lift->getDeltas()->getHDLevel(), 2);
    EXPECT_EQ(lift->getDeltas()->getNumHDDeltas(), 1);

    // A second Genesis 9 from the stock file does not get the morph: it is not installed.
    ASSERT_TRUE(openStock("People/Genesis 9/Genesis 9.duf"));
    EXPECT_EQ(figureLabelled("Genesis 9")->getObject()->findModifier("Lift"), nullptr);
}
