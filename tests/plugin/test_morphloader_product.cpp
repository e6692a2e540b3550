#include "../../host/src/content/dzdformer.h"
#include "dzclassfactory.h"
#include "dzenumproperty.h"
#include "dzfloatproperty.h"
#include "dzintproperty.h"
#include "dzmorphdeltas.h"
#include "dzmorphloader.h"
#include "tv_daz-helpers-morphloader.h"
#include "tv_daz-helpers-objects.h"
#include "tv_exception.h"
#include "test_objio_support.h"

using namespace objio_test;
using testgeo::StickFigure;

namespace {

// The importer options the conversion hands to Morph Loader Pro.
QString ImporterJson()
{
    DzFileIOSettings settings;
    tav::daz::ApplyObjExportSettings(settings);
    tav::daz::SetScale(settings, 1.0f);
    return tav::daz::SettingsToJson(settings);
}

std::string Path(const QTemporaryDir& dir, const char* pcszName)
{
    return tav::ToUtf8(dir.filePath(QString::fromUtf8(pcszName)));
}

DzMorph* FindMorph(DzNode* pNode, const QString& name)
{
    return qobject_cast<DzMorph*>(pNode->getObject()->findModifier(name));
}

// Puts a figure into a pose and a place and dials a morph, as a user's figure would be.
void PoseAndPlace(StickFigure& fig)
{
    testgeo::addMorph(fig.figure, "Character", {0, 1, 9}, {{-1, 0, 0}, {1, 0, 0}, {0, 1, 0}})
        ->getValueControl()->setValue(0.6f);
    fig.lThigh->getZRotControl()->setValue(6.5f);
    fig.rThigh->getZRotControl()->setValue(-6.5f);
    fig.head->getXRotControl()->setValue(12.0f);
    fig.figure->getXPosControl()->setValue(-35.0f);
    fig.figure->getZPosControl()->setValue(10.0f);
    fig.figure->getYRotControl()->setValue(-70.0f);
}

// A factory under a tool's name that makes nothing.
class NullFactory : public DzClassFactory {
public:
    NullFactory() : DzClassFactory(&DzMorphLoader::staticMetaObject, DzGuid()) {}
    QObject* createInstance() override { return nullptr; }
};

// Stands in for a host factory and counts the objects it made that are still alive.
class CountingFactory : public DzClassFactory {
public:
    explicit CountingFactory(DzClassFactory* pReal)
        : DzClassFactory(pReal->metaObject(), DzGuid()), _pReal(pReal)
    {
        dzApp->unregisterClassFactory(pReal);
        dzApp->registerClassFactory(this);
    }
    ~CountingFactory() override
    {
        dzApp->unregisterClassFactory(this);
        dzApp->registerClassFactory(_pReal);
    }
    QObject* createInstance() override
    {
        QObject* pObject = _pReal->createInstance();
        ++cLive;
        QObject::connect(pObject, &QObject::destroyed, [this] { --cLive; });
        return pObject;
    }

    int cLive = 0;

private:
    DzClassFactory* _pReal;
};

} // namespace

TEST(LoadMorph, TheLoaderAndBatchObjectsAreReleasedAfterEveryRun)
{
    TestApp app;
    QTemporaryDir dir;
    StickFigure fig;
    dzScene->addNode(fig.figure);
    EvaluatedPositions(fig.figure, dir.filePath("shape.obj"));
    CountingFactory loaders(dzApp->findClassFactory("DzMorphLoader"));
    CountingFactory batches(dzApp->findClassFactory("DzMorphLoaderBatch"));

    tav::daz::LoadMorph(fig.figure, Path(dir, "shape.obj"), "M", ImporterJson(), false, 0, "", true, "", 1.0f);
    EXPECT_NE(FindMorph(fig.figure, "M"), nullptr);
    Message([&] { tav::daz::LoadMorph(nullptr, Path(dir, "shape.obj"), "N", QString(), false, 0, "", true, "", 1.0f); });
    EXPECT_EQ(loaders.cLive, 0);
    EXPECT_EQ(batches.cLive, 0);
}

TEST(LoadMorph, PosedPlacedMorphedFigureGetsAMorphThatReproducesTheObjShape)
{
    TestApp app;
    QTemporaryDir dir;
    StickFigure fig;
    dzScene->addNode(fig.figure);
    PoseAndPlace(fig);
    DzMorph* pTarget = testgeo::addMorph(fig.figure, "Target", {2, 5, 10, 14},
                                         {{0, 0, 4}, {1, 2, 0}, {0, -1, 1}, {3, 0, 0}});
    pTarget->getValueControl()->setValue(1.0f);
    const QVector<DzVec3> target = EvaluatedPositions(fig.figure, dir.filePath("target.obj"));
    pTarget->getValueControl()->setValue(0.0f);

    EXPECT_EQ(tav::daz::LoadMorph(fig.figure, Path(dir, "target.obj"), "Converted", ImporterJson(),
                                  false, 0, "Morphs/Kelvaro", true, "", 1.0f),
              "");
    DzMorph* pMorph = FindMorph(fig.figure, "Converted");
    ASSERT_NE(pMorph, nullptr);
    EXPECT_EQ(pMorph->getValueControl()->getPath(), "Morphs/Kelvaro");
    EXPECT_GT(WorstDistance(EvaluatedPositions(fig.figure, dir.filePath("before.obj")), target), 0.5f);
    pMorph->getValueControl()->setValue(1.0f);
    EXPECT_LT(WorstDistance(EvaluatedPositions(fig.figure, dir.filePath("after.obj")), target), 1e-4f);
    EXPECT_EQ(tav::daz::MorphLoaderTableResolutions(), 2);  // one per class

    // A second morph in the same process uses the tables already resolved, and replaces.
    tav::daz::LoadMorph(fig.figure, Path(dir, "target.obj"), "Converted", QString(), false, 0, "",
                        true, "", 1.0f);
    EXPECT_EQ(tav::daz::MorphLoaderTableResolutions(), 2);
    EXPECT_EQ(FindMorph(fig.figure, "Converted"), pMorph);
}

TEST(LoadMorph, SubdivisionMorphAtLevelTwoReproducesTheObjAtLevelTwo)
{
    TestApp app;
    app->startup();
    ASSERT_TRUE(tav::daz::IsMorphLoaderProSubdivisionAvailable());
    QTemporaryDir dir;
    StickFigure fig;
    dzScene->addNode(fig.figure);
    PoseAndPlace(fig);
    testgeo::shapeOf(fig.figure)->getLODControl()->setValue(1);
    testgeo::shapeOf(fig.figure)->getSubDIALevelControl()->setValue(2);
    DzMorph* pTarget = testgeo::addMorph(fig.figure, "Target", {3, 8}, {{0, 0, 2}, {1, 1, 1}});
    pTarget->getValueControl()->setValue(1.0f);
    QVector<DzVec3> target = EvaluatedPositions(fig.figure, dir.filePath("hd.obj"));
    ASSERT_GT(target.size(), 16);
    pTarget->getValueControl()->setValue(0.0f);

    tav::daz::LoadMorph(fig.figure, Path(dir, "hd.obj"), "ConvertedHD", ImporterJson(), true, 2, "",
                        true, "", 1.0f);
    DzMorph* pMorph = FindMorph(fig.figure, "ConvertedHD");
    ASSERT_NE(pMorph, nullptr);
    EXPECT_EQ(pMorph->getDeltas()->getHDLevel(), 2);
    pMorph->getValueControl()->setValue(1.0f);
    EXPECT_LT(WorstDistance(EvaluatedPositions(fig.figure, dir.filePath("after.obj")), target), 1e-4f);
}

TEST(LoadMorph, HeadAndBodyPartsWithStrengthsOneAndMinusOneSumToTheFullMorph)
{
    TestApp app;
    QTemporaryDir dir;
    StickFigure fig;
    dzScene->addNode(fig.figure);
    auto* pDFormer = new DzDFormer;
    pDFormer->setLabel("D-Former_1");
    QVector<float> weights(16, 0.0f);
    for (int i = StickFigure::Head; i < StickFigure::Head + 4; ++i)
        weights[i] = 1.0f;
    weights[StickFigure::Hip + 3] = 0.4f;
    pDFormer->setInfluenceWeights(weights);
    fig.figure->addNodeChild(pDFormer);
    PoseAndPlace(fig);

    DzMorph* pTarget = testgeo::addMorph(fig.figure, "Target", {0, 9, 15}, {{0, 0, 1}, {0, 0, 2}, {0, 3, 0}});
    pTarget->getValueControl()->setValue(1.0f);
    const QVector<DzVec3> target = EvaluatedPositions(fig.figure, dir.filePath("full.obj"));
    pTarget->getValueControl()->setValue(0.0f);

    const std::string map = "D-Former_1::weightmap::Genesis 9/Influence Weights";
    tav::daz::LoadMorph(fig.figure, Path(dir, "full.obj"), "Head", ImporterJson(), false, 0, "", true, map, 1.0f);
    tav::daz::LoadMorph(fig.figure, Path(dir, "full.obj"), "Body", ImporterJson(), false, 0, "", true, map, -1.0f);
    DzMorph* pHead = FindMorph(fig.figure, "Head");
    DzMorph* pBody = FindMorph(fig.figure, "Body");
    ASSERT_TRUE(pHead && pBody);
    EXPECT_EQ(pHead->getDeltas()->deltaIndices(), QVector<int>({9, 15}));
    EXPECT_EQ(pBody->getDeltas()->deltaIndices(), QVector<int>({0, 15}));
    pHead->getValueControl()->setValue(1.0f);
    pBody->getValueControl()->setValue(1.0f);
    EXPECT_LT(WorstDistance(EvaluatedPositions(fig.figure, dir.filePath("sum.obj")), target), 1e-4f);
}

TEST(LoadMorph, NodesThatAreNotFiguresLoadInTheirOwnMode)
{
    TestApp app;
    QTemporaryDir dir;
    DzNode* pProp = AddNode("Prop", testgeo::cube());
    pProp->getXRotControl()->setValue(30.0f);
    QVector<DzVec3> target = EvaluatedPositions(pProp, dir.filePath("prop.obj"));
    target[0] += DzVec3(0, 1, 0);
    QFile file(dir.filePath("moved.obj"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    for (const DzVec3& p : target)
        file.write(QStringLiteral("v %1 %2 %3\n").arg(p.m_x, 0, 'f', 8).arg(p.m_y, 0, 'f', 8).arg(p.m_z, 0, 'f', 8).toUtf8());
    file.close();

    tav::daz::LoadMorph(pProp, Path(dir, "moved.obj"), "Lift", QString(), false, 0, "", true, "", 1.0f);
    DzMorph* pMorph = FindMorph(pProp, "Lift");
    ASSERT_NE(pMorph, nullptr);
    pMorph->getValueControl()->setValue(1.0f);
    EXPECT_LT(WorstDistance(EvaluatedPositions(pProp, dir.filePath("after.obj")), target), 1e-4f);
}

TEST(LoadMorph, FailuresThrowTheProductMessages)
{
    TestApp app;
    QTemporaryDir dir;
    DzNode* pBare = AddNode("Bare", DzFacetMesh());
    auto load = [&](DzNode* pNode, const QString& json) {
        return Message([&] {
            tav::daz::LoadMorph(pNode, Path(dir, "x.obj"), "M", json, false, 0, "", false, "", 1.0f);
        });
    };
    EXPECT_EQ(load(pBare, "{not json"), "invalid JSON settings for OBJ importer in Morph Loader Pro");
    EXPECT_EQ(load(pBare, QString()), "incompatible load mode");
    EXPECT_EQ(load(nullptr, QString()), "incompatible load mode");

    DzClassFactory* pReal = dzApp->findClassFactory("DzMorphLoader");
    ASSERT_NE(pReal, nullptr);
    dzApp->unregisterClassFactory(pReal);
    EXPECT_EQ(load(pBare, QString()), "cannot find DzMorphLoader factory");
    NullFactory nullFactory;
    dzApp->registerClassFactory(&nullFactory);
    EXPECT_EQ(load(pBare, QString()), "DzMorphLoader factory failed to create object");
    dzApp->unregisterClassFactory(&nullFactory);
    dzApp->registerClassFactory(pReal);

    EXPECT_EQ(Message([] { tav::daz::ResolveMethod(&DzMorphLoader::staticMetaObject, "setLoadMode(int,DzNode*)"); }),
              "failed to resolve method DzMorphLoader::setLoadMode(int,DzNode*)");
}

TEST(LoadMorph, SubdivisionSupportFollowsTheHostPlugin)
{
    {
        TestApp app;
        EXPECT_FALSE(tav::daz::IsMorphLoaderProSubdivisionAvailable());  // not loaded yet
        app->startup();
        EXPECT_TRUE(tav::daz::IsMorphLoaderProSubdivisionAvailable());
    }
    DzAppOptions options = TestApp::defaultOptions();
    options.hdMorphs = false;
    TestApp app(options);
    app->startup();
    EXPECT_FALSE(tav::daz::IsMorphLoaderProSubdivisionAvailable());
}
