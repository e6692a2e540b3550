#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <map>
#include <vector>

#include "conversion_fixture.h"
#include "library_copy.h"
#include "dzbone.h"
#include "dzcontentmgr.h"
#include "dzintproperty.h"
#include "dzscene.h"
#include "kvr_convert-figure-select.h"
#include "kvr_convert-figure-stock.h"
#include "test_app.h"
#include "test_scene_access_scene.h"
#include "tv_daz-helpers-scene-morphs.h"

using scene_access::messageOf;

namespace {

class StockFigures : public ::testing::Test {
protected:
    ConversionScene scene;
    DzContentMgr* pContentMgr = scene.app()->getContentMgr();

    // The source's thigh bone and the Genesis 9 selected, as a user may do.
    KvrParamsPtr select(DzFigure* pSource, DzFigure* pTarget)
    {
        dzScene->selectAllNodes(false);
        pSource->findBone("l_thigh")->select(true);
        pTarget->select(true);
        return validateSelection();
    }
};

} // namespace

TEST_F(StockFigures, ASelectedSourceOfEachKindGivesItsGenerationAndCloneDial)
{
    DzFigure* pTarget = scene.load("People/Genesis 9/Genesis 9.duf", "Genesis 9");
    const tav::daz::NodeMorphs targetMorphs(pTarget);
    for (const SourceFigure& source : aSourceFigures) {
        DzFigure* pSource = scene.load(source.pcszFile, source.pcszLabel);
        const KvrParamsPtr pParams = select(pSource, pTarget);
        EXPECT_EQ(pParams->pfigSource, pSource) << source.pcszLabel;
        EXPECT_EQ(pParams->pfigTarget, pTarget);
        EXPECT_EQ(pParams->eSourceGeneration, source.eGeneration) << source.pcszLabel;
        EXPECT_EQ(pParams->psetClone->property(), targetMorphs.byName().at(source.pcszCloneMorph)->pProperty)
            << source.pcszLabel;
        dzScene->removeNode(pSource);
    }
}

TEST_F(StockFigures, AStockFigureLoadsAsANewFigureAtTheJobsResolution)
{
    DzFigure* pUser = scene.load("People/Genesis 8 Male/Genesis 8.1 Basic Male.duf", "Genesis 8.1 Male");
    KvrStockPaths paths;
    paths.resolveFigures(pContentMgr);

    pUser->select(true);
    DzFigure* pStock = loadStockFigure(pContentMgr, paths, KvrStockFigure::Genesis8MaleDevLoad, KvrResolution::Subd, 2);
    ASSERT_NE(pStock, nullptr);
    EXPECT_NE(pStock, pUser);
    EXPECT_EQ(pStock->getLabel(), "Genesis 8 Male");
    EXPECT_EQ(tav::daz::FigureKindOf(pStock), tav::daz::FigureKind::Genesis8Male);
    EXPECT_FALSE(pUser->isSelected());
    EXPECT_TRUE(pStock->isVisible());
    EXPECT_EQ(tav::daz::GetNodeResolution(pStock), tav::daz::NodeResolution::HighResolution);
    DzIntProperty* pLevel = tav::daz::GetSubdivisionLevelProperty(pStock, true);
    EXPECT_EQ(pLevel->getValue(), 2);
    // A level above the figure's maximum raises the maximum first; base resolution goes back.
    pLevel->setMinMax(0, 1);
    applyResolution(pStock, KvrResolution::Subd, 2);
    EXPECT_EQ(pLevel->getMax(), 2);
    EXPECT_EQ(pLevel->getValue(), 2);
    applyResolution(pStock, KvrResolution::Base, 2);
    EXPECT_EQ(tav::daz::GetNodeResolution(pStock), tav::daz::NodeResolution::BaseResolution);

    EXPECT_EQ(messageOf([&] { loadStockFigure(pContentMgr, paths, KvrStockFigure::Invalid, KvrResolution::Base, 0); }),
              "invalid load figure value");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // the busy cursor ends with the failed load
}

TEST_F(StockFigures, TheJobKnowsItsFiguresAndItsDialledMorphsInCatalogueOrder)
{
    DzFigure* pSource = scene.load("People/Genesis 8 Female/Genesis 8.1 Basic Female.duf", "Genesis 8.1 Female");
    const KvrParamsPtr pParams = select(pSource, scene.load("People/Genesis 9/Genesis 9.duf", "Genesis 9"));
    EXPECT_EQ(pParams->psetProportionHeight->property(), pParams->pprpProportionHeight);
    const tav::daz::NodeMorphs sourceMorphs(pSource);
    for (const tav::MorphInfoPtr& pInfo : sourceMorphs.all())
        pInfo->pProperty->setValue(0.0f);
    // Kept with their sign, down to just above the float epsilon.
    const std::map<std::string, float> dials = {{"head_ctrl_NoseSize", 0.3f},   {"body_ctrl_BellySize", 0.6f},
                                                {"body_ctrl_Heavy", 0.5f},      {"body_ctrl_HipsWidth", -0.01f},
                                                {"body_ctrl_NeckSize", 2.5e-7f}};
    for (const auto& [name, value] : dials)
        sourceMorphs.byName().at(name)->pProperty->setValue(value);
    sourceMorphs.byName().at("body_ctrl_TorsoLength")->pProperty->setValue(1e-7f);  // not above epsilon
    KvrConverter job(pParams);
    EXPECT_EQ(job.tempDir(), QDir::tempPath().toStdString());
    EXPECT_EQ(job.title(), "Genesis 8.1 Female converted to G9");
    EXPECT_EQ(job.sourceResolution(), tav::daz::NodeResolution::BaseResolution);
    // The dialled morphs in the figure's catalogue order, which here is not their names' order.
    std::vector<std::pair<std::string, float>> expected, active;
    for (const tav::MorphInfoPtr& pInfo : sourceMorphs.all())
        if (dials.count(pInfo->name))
            expected.emplace_back(pInfo->name, dials.at(pInfo->name));
    ASSERT_FALSE(std::is_sorted(expected.begin(), expected.end()));
    for (const tav::daz::ActiveMorph& morph : job.activeMorphs())
        active.emplace_back(morph.name, morph.value);
    EXPECT_EQ(active, expected);
}

TEST(StockPaths, TheFirstMissingFigureInTheOrderOfResolutionIsNamed)
{
    // Genesis 9 first, then what each source generation needs; all six whatever the source.
    const char* const apcszOrder[] = {
        "People/Genesis 9/Developer Kit/Genesis 9 Dev Load.duf",
        "People/Genesis 9/Genesis 9.duf",
        "People/Genesis 8 Female/Developer Kit/Genesis 8 Female Dev Load.duf",
        "People/Genesis 8 Male/Developer Kit/Genesis 8 Male Dev Load.duf",
        "People/Genesis 3 Female/Genesis 3 Female.duf",
        "People/Genesis 3 Male/Genesis 3 Male.duf",
    };
    const LibraryCopyWithout library;
    for (const char* pcszPath : apcszOrder)
        ASSERT_TRUE(QFile::rename(library.filePath(pcszPath), library.filePath(pcszPath) + ".away"));
    DzAppOptions options = TestApp::defaultOptions();
    options.contentDirs = QStringList{library.path()};
    TestApp app(options);
    for (const char* pcszPath : apcszOrder) {
        KvrStockPaths paths;
        EXPECT_EQ(messageOf([&] { paths.resolveFigures(app->getContentMgr()); }),
                  std::string("cannot find ") + pcszPath
                      + " in any content library; please make sure Genesis 9 is installed correctly");
        QFile::rename(library.filePath(pcszPath) + ".away", library.filePath(pcszPath));
    }
    KvrStockPaths paths;
    EXPECT_NO_THROW(paths.resolveFigures(app->getContentMgr()));
}
