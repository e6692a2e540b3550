#include "test_morphloader_support.h"

using namespace testgeo;

// A target in a folder with blanks and non-ASCII letters, as users name them.
TEST(MorphLoader, CreatesAMorphThatReproducesTheTargetAndDropsTinyDeltas)
{
    ObjIoSession s;
    DzNode* prop = s.addNode("Prop", cube());
    QVector<DzVec3> target = cube().vertices();
    target[2] += DzVec3(0, 0.5f, 0);
    target[5] += DzVec3(0.0004f, 0, 0);  // below the tolerance
    const QString path = s.path(QString::fromUtf8("Morph Ziele ä/Brücke 1.obj"));
    writeObjPositions(path, target);

    DzMorphLoader* loader = makeLoader(prop, path, QString::fromUtf8("Brücke"));
    loader->setDeltaTolerance(0.001f);
    loader->setPropertyGroupPath("Morphs/Test");
    loader->setDisplayName("Bulge Shape");
    const QString report = runLoader(loader, prop);
    EXPECT_FALSE(report.startsWith("Error")) << report.toStdString();

    DzMorph* morph = morphOf(prop, QString::fromUtf8("Brücke"));
    ASSERT_NE(morph, nullptr);
    EXPECT_EQ(morph->getDeltas()->deltaIndices(), QVector<int>({2}));
    EXPECT_EQ(morph->getValueControl()->getName(), QString::fromUtf8("Brücke"));
    EXPECT_EQ(morph->getValueControl()->getLabel(), "Bulge Shape");
    EXPECT_EQ(morph->getValueControl()->getPath(), "Morphs/Test");
    EXPECT_FLOAT_EQ(morph->getValueControl()->getValue(), 0.0f);
    morph->getValueControl()->setValue(1.0f);
    expectNear(DzGeometry::worldMesh(prop)->getVertex(2), target[2], 1e-5f);
    delete loader;
}

TEST(MorphLoader, ProblemsComeBackAsTextAndCreateNothing)
{
    ObjIoSession s;
    writeObjPositions(s.path("cube.obj"), cube().vertices());
    DzNode* prop = s.addNode("Prop", cube());
    int modifiers = prop->getObject()->getNumModifiers();

    auto expectError = [&](DzMorphLoader* loader, const char* fragment) {
        const QString report = runLoader(loader, prop);
        EXPECT_TRUE(report.startsWith("Error:")) << report.toStdString();
        EXPECT_TRUE(report.contains(fragment)) << report.toStdString();
        EXPECT_EQ(prop->getObject()->getNumModifiers(), modifiers) << fragment;
        delete loader;
    };
    writeFile(s.path("broken.obj"), "v 0 0 0\nv 1 1\n");
    expectError(makeLoader(prop, s.path("broken.obj"), "M"),
                qPrintable(s.path("broken.obj") + ", line 2: a vertex needs three coordinates"));
    expectError(makeLoader(prop, s.path("none.obj"), "M"), "does not exist");
    EXPECT_FALSE(DzMorphLoader().setLoadMode(DzMorphLoader::FigureMode, prop));
    DzMorphLoader* wrongMode = makeLoader(prop, s.path("cube.obj"), "M");
    wrongMode->setLoadMode(DzMorphLoader::FileOnlyMode, prop);
    expectError(wrongMode, "load mode");
    DzMorphLoader* noMap = makeLoader(prop, s.path("cube.obj"), "M");
    noMap->setAttenuateMapPath("D-Former_1::weightmap::Prop/Influence Weights");
    expectError(noMap, "weight map");
    DzMorphLoader* subd = makeLoader(prop, s.path("cube.obj"), "M");
    subd->setMorphSubdivision(true);
    subd->setSubdivisionBuiltResolution(1);
    expectError(subd, "HD morph support");  // the plug-in is only there after start-up

    addMorph(prop, "Taken", {}, {});
    modifiers += 1;
    expectError(makeLoader(prop, s.path("cube.obj"), "Taken"), "already has");
}

TEST(MorphLoader, AnAttenuatedSubdivisionMorphOnAMeshThatCannotBeRefinedIsRefusedWithItsReason)
{
    ObjIoSession s;
    s.app->startup();  // the HD morph support
    DzFacetMesh points;  // vertices without facets: OpenSubdiv has no tables for it
    for (int i = 0; i < 4; ++i)
        points.addVertex(DzVec3(float(i), 0, 0));
    DzNode* node = s.addNode("Points", points);
    auto* dformer = new DzDFormer;
    dformer->setLabel("D-Former_1");
    dformer->setInfluenceWeights(QVector<float>(4, 0.5f));
    node->addNodeChild(dformer);
    QVector<DzVec3> target = points.vertices();
    target[1] += DzVec3(0, 1, 0);
    writeObjPositions(s.path("points.obj"), target);

    DzMorphLoader* loader = makeLoader(node, s.path("points.obj"), "Lift");
    loader->setMorphSubdivision(true);
    loader->setSubdivisionBuiltResolution(1);
    loader->setAttenuateMapPath("D-Former_1::weightmap::Points/Influence Weights");
    EXPECT_EQ(runLoader(loader, node), "Error: node \"Points\" cannot be subdivided to level 1");
    EXPECT_EQ(node->getObject()->getNumModifiers(), 0);
    delete loader;
}

TEST(MorphLoader, OverwriteModesReplaceOrRename)
{
    ObjIoSession s;
    DzNode* prop = s.addNode("Prop", cube());
    QVector<DzVec3> target = cube().vertices();
    target[0] += DzVec3(1, 0, 0);
    writeObjPositions(s.path("t.obj"), target);
    ASSERT_FALSE(runLoader(makeLoader(prop, s.path("t.obj"), "M"), prop).startsWith("Error"));
    morphOf(prop, "M")->getValueControl()->setValue(0.75f);

    target[0] = cube().getVertex(0) + DzVec3(0, 3, 0);
    writeObjPositions(s.path("t.obj"), target);
    DzMorphLoader* replace = makeLoader(prop, s.path("t.obj"), "M");
    replace->setOverwriteExisting(DzMorphLoader::ReplaceExisting);
    ASSERT_FALSE(runLoader(replace, prop).startsWith("Error"));
    EXPECT_EQ(prop->getObject()->getNumModifiers(), 1);
    // The replaced morph's own dial does not count in the shape the new deltas start from.
    expectNear(morphOf(prop, "M")->getDeltas()->getDelta(0), {0, 3, 0});
    EXPECT_FLOAT_EQ(morphOf(prop, "M")->getValueControl()->getValue(), 0.75f);

    DzMorphLoader* unique = makeLoader(prop, s.path("t.obj"), "M");
    unique->setOverwriteExisting(DzMorphLoader::MakeUnique);
    ASSERT_FALSE(runLoader(unique, prop).startsWith("Error"));
    EXPECT_NE(morphOf(prop, "M_1"), nullptr);
}

TEST(MorphLoader, AttenuationStrengthsOneAndMinusOneSplitTheMorph)
{
    ObjIoSession s;
    StickFigure fig;
    dzScene->addNode(fig.figure);
    auto* dformer = new DzDFormer;
    dformer->setLabel("D-Former_1");
    QVector<float> weights(16, 0.0f);
    for (int i = StickFigure::Head; i < StickFigure::Head + 4; ++i)
        weights[i] = 1.0f;
    weights[StickFigure::Hip + 2] = 0.25f;  // on the ramp
    dformer->setInfluenceWeights(weights);
    fig.figure->addNodeChild(dformer);
    // A figure's morph is the figure's, never one of its geometry alone.
    EXPECT_FALSE(DzMorphLoader().setLoadMode(DzMorphLoader::NodeGeometryMode, fig.figure));

    QVector<DzVec3> target = DzGeometry::restPositions(fig.figure, 0);
    for (DzVec3& p : target)
        p += DzVec3(0, 0, 2);
    writeObjPositions(s.path("full.obj"), target);
    const QString path = "D-Former_1::weightmap::Genesis 9/Influence Weights";
    for (const auto& [name, strength] : {std::pair<QString, float>{"HeadPart", 1.0f}, {"BodyPart", -1.0f}}) {
        DzMorphLoader* loader = makeLoader(fig.figure, s.path("full.obj"), name);
        EXPECT_EQ(loader->getLoadMode(), DzMorphLoader::FigureMode);
        loader->setAttenuateMapPath(path);
        loader->setAttenuateStrength(strength);
        const QString report = runLoader(loader, fig.figure);
        ASSERT_FALSE(report.startsWith("Error")) << report.toStdString();
    }
    DzMorph* head = morphOf(fig.figure, "HeadPart");
    DzMorph* body = morphOf(fig.figure, "BodyPart");
    EXPECT_EQ(head->getDeltas()->getNumDeltas(), 5);
    EXPECT_EQ(body->getDeltas()->getNumDeltas(), 12);
    head->getValueControl()->setValue(1.0f);
    body->getValueControl()->setValue(1.0f);
    const QVector<DzVec3> rest = DzGeometry::restPositions(fig.figure, 0);
    ASSERT_EQ(rest.size(), target.size());
    for (int i = 0; i < rest.size(); ++i)
        expectNear(rest[i], target[i], 1e-5f);
}
