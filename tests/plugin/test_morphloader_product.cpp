#include "replaced_factory.h"
#include "dzenumproperty.h"
#include "dzfloatproperty.h"
#include "dzintproperty.h"
#include "dzmorphdeltas.h"
#include "dzmorphloader.h"
#include "dzmorphloaderbatch.h"
#include "kvr_convert-figure-morphs.h"
#include "test_objio_support.h"
#include "tv_daz-helpers-morphloader.h"
#include "tv_daz-helpers-objects.h"
#include "tv_daz-helpers-scene.h"

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

// A stick figure posed, placed and with a morph dialled, as a user's figure would be, and a
// morph "Target" (at 0) whose shape the tests load back.
class LoadMorphScene : public ::testing::Test {
protected:
    LoadMorphScene()
    {
        dzScene->addNode(fig.figure);
        testgeo::addMorph(fig.figure, "Character", {0, 1, 9}, {{-1, 0, 0}, {1, 0, 0}, {0, 1, 0}})
            ->getValueControl()->setValue(0.6f);
        fig.lThigh->getZRotControl()->setValue(6.5f);
        fig.rThigh->getZRotControl()->setValue(-6.5f);
        fig.head->getXRotControl()->setValue(12.0f);
        fig.figure->getXPosControl()->setValue(-35.0f);
        fig.figure->getZPosControl()->setValue(10.0f);
        fig.figure->getYRotControl()->setValue(-70.0f);
        pTarget = testgeo::addMorph(fig.figure, "Target", {0, 9, 15}, {{0, 0, 1}, {0, 0, 2}, {0, 3, 0}});
    }

    // The figure's evaluated positions with "Target" at 1, written to the file.
    QVector<DzVec3> targetShape(const char* pcszFile)
    {
        pTarget->getValueControl()->setValue(1.0f);
        ExportAlone(fig.figure, path(pcszFile));
        const QVector<DzVec3> shape = WorldPositions(fig.figure);
        pTarget->getValueControl()->setValue(0.0f);
        return shape;
    }

    QString path(const char* pcszFile) const { return dir.filePath(pcszFile); }

    std::string load(const char* pcszFile, const char* pcszMorph, bool bSubdivision = false, int iLevel = 0,
                     const std::string& map = {}, float fStrength = 1.0f)
    {
        return tav::daz::LoadMorph(fig.figure, tav::ToUtf8(path(pcszFile)), pcszMorph, ImporterJson(), bSubdivision,
                                   iLevel, "Morphs/Kelvaro", true, map, fStrength);
    }

    TestApp app;
    QTemporaryDir dir;
    StickFigure fig;
    DzMorph* pTarget = nullptr;
};

} // namespace

TEST_F(LoadMorphScene, APosedPlacedMorphedFigureGetsARestMorphThatReproducesTheObjAndReplacesIt)
{
    const QVector<DzVec3> target = targetShape("target.obj");
    const auto hostMade = [](DzClassFactory* pHost) { return pHost->createInstance(); };
    const ReplacedFactory loaders(DzMorphLoader::staticMetaObject, hostMade);
    const ReplacedFactory batches(DzMorphLoaderBatch::staticMetaObject, hostMade);

    EXPECT_EQ(load("target.obj", "Converted"), "Created morph \"Converted\" on node \"Genesis 9\": 3 of 16 vertices moved");
    DzMorph* pMorph = tav::daz::FindMorph(fig.figure, "Converted");
    EXPECT_EQ(pMorph->getValueControl()->getPath(), "Morphs/Kelvaro");
    EXPECT_GT(WorstDistance(WorldPositions(fig.figure), target), 0.5f);
    pMorph->getValueControl()->setValue(1.0f);
    EXPECT_LT(WorstDistance(WorldPositions(fig.figure), target), 1e-4f);
    EXPECT_EQ(tav::daz::MorphLoaderTableResolutions(), 2);  // one per class

    // A second morph of the name replaces the first (no renamed copy beside it); the tables are
    // not resolved again.
    const int cModifiers = fig.figure->getObject()->getNumModifiers();
    EXPECT_EQ(load("target.obj", "Converted"), "Created morph \"Converted\" on node \"Genesis 9\": 3 of 16 vertices moved");
    EXPECT_EQ(tav::daz::FindMorph(fig.figure, "Converted"), pMorph);
    EXPECT_EQ(fig.figure->getObject()->getNumModifiers(), cModifiers);
    EXPECT_EQ(tav::daz::MorphLoaderTableResolutions(), 2);
    EXPECT_EQ(loaders.cLive, 0);
    EXPECT_EQ(batches.cLive, 0);

    // When the tool makes nothing, the verification ends with its report.
    QFile file(path("short.obj"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("v 0 0 0\nv 1 1 1\n");
    file.close();
    const std::string objPath = tav::ToUtf8(path("short.obj"));
    EXPECT_EQ(messageOf([&] { loadMorphFromObj(fig.figure, objPath, {"Short", "/Kelvaro", false, 0, {}, 0.0f}); }),
              "failed to find new morph Short in node Genesis 9 figure after conversion; Morph Loader Pro returned: "
              "Error: the OBJ file \"" + objPath + "\" has 2 vertices but node \"Genesis 9\" needs 16 at "
              "subdivision level 0");
}

TEST_F(LoadMorphScene, ASubdivisionMorphAtLevelTwoReproducesTheObjAtLevelTwo)
{
    app->startup();  // the HD morph support
    testgeo::shapeOf(fig.figure)->getLODControl()->setValue(1);
    testgeo::shapeOf(fig.figure)->getSubDIALevelControl()->setValue(2);
    const QVector<DzVec3> target = targetShape("hd.obj");
    ASSERT_GT(target.size(), 16);

    load("hd.obj", "ConvertedHD", true, 2);
    DzMorph* pMorph = tav::daz::FindMorph(fig.figure, "ConvertedHD");
    EXPECT_EQ(pMorph->getDeltas()->getHDLevel(), 2);
    pMorph->getValueControl()->setValue(1.0f);
    EXPECT_LT(WorstDistance(WorldPositions(fig.figure), target), 1e-4f);
}

TEST(LoadMorph, FailuresThrowTheProductMessages)
{
    TestApp app;
    QTemporaryDir dir;
    DzNode* pBare = AddNode("Bare", DzFacetMesh());
    auto load = [&](DzNode* pNode, const QString& json) {
        return messageOf([&] {
            tav::daz::LoadMorph(pNode, tav::ToUtf8(dir.filePath("x.obj")), "M", json, false, 0, "", false, "", 1.0f);
        });
    };
    EXPECT_EQ(load(pBare, "{not json"), "invalid JSON settings for OBJ importer in Morph Loader Pro");
    EXPECT_EQ(load(pBare, QString()), "incompatible load mode");
    EXPECT_EQ(load(nullptr, QString()), "incompatible load mode");
    DzClassFactory* pReal = dzApp->findClassFactory("DzMorphLoader");
    dzApp->unregisterClassFactory(pReal);
    EXPECT_EQ(load(pBare, QString()), "cannot find DzMorphLoader factory");
    {
        const ReplacedFactory makesNothing(DzMorphLoader::staticMetaObject, [](DzClassFactory*) { return nullptr; });
        EXPECT_EQ(load(pBare, QString()), "DzMorphLoader factory failed to create object");
    }
    dzApp->registerClassFactory(pReal);
    EXPECT_EQ(messageOf([] { tav::daz::ResolveMethod(&DzMorphLoader::staticMetaObject, "setLoadMode(int,DzNode*)"); }),
              "failed to resolve method DzMorphLoader::setLoadMode(int,DzNode*)");
}
