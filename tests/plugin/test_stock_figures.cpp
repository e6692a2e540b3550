#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "dzbone.h"
#include "dzcontentmgr.h"
#include "dzenumproperty.h"
#include "dzfigure.h"
#include "dzintproperty.h"
#include "dzobject.h"
#include "dzscene.h"
#include "dzshape.h"
#include "kvr_convert-figure-select.h"
#include "kvr_convert-figure-stock.h"
#include "kvr_converter.h"
#include "test_app.h"
#include "test_scene_access_scene.h"
#include "tv_daz-helpers-scene-morphs.h"
#include "tv_exception.h"

using scene_access::messageOf;
using tav::daz::FigureKind;

namespace {

class StockFigures : public ::testing::Test {
protected:
    TestApp app;
    DzContentMgr* pContentMgr = app->getContentMgr();

    DzFigure* open(const char* relativePath, const char* label)
    {
        EXPECT_TRUE(pContentMgr->openFile(pContentMgr->getAbsolutePath(relativePath), true)) << relativePath;
        return qobject_cast<DzFigure*>(dzScene->findNodeByLabel(label));
    }

    // The sample scene's two figures selected, a bone standing for the source.
    KvrParamsPtr selectSampleFigures()
    {
        EXPECT_TRUE(pContentMgr->openFile(pContentMgr->getAbsolutePath("Scenes/Sample Conversion.duf"), true));
        pSource = qobject_cast<DzFigure*>(dzScene->findNodeByLabel("Genesis 8.1 Female"));
        pTarget = qobject_cast<DzFigure*>(dzScene->findNodeByLabel("Genesis 9"));
        dzScene->selectAllNodes(false);
        pSource->findBone("l_thigh")->select(true);
        pTarget->select(true);
        return validateSelection();
    }

    DzFigure* pSource = nullptr;
    DzFigure* pTarget = nullptr;
};

TEST_F(StockFigures, Genesis81MaleLoadsTheGenesis8MaleDeveloperFigure)
{
    ASSERT_NE(pContentMgr, nullptr);
    DzFigure* pUser = open("People/Genesis 8 Male/Genesis 8.1 Basic Male.duf", "Genesis 8.1 Male");
    ASSERT_NE(pUser, nullptr);
    EXPECT_EQ(tav::daz::FigureKindOf(pUser), FigureKind::Genesis81Male);
    KvrSourceGeneration eGeneration;
    ASSERT_TRUE(SourceGenerationOf(FigureKind::Genesis81Male, &eGeneration));
    EXPECT_EQ(eGeneration, KvrSourceGeneration::Genesis8Male);
    EXPECT_STREQ(CloneProperty(eGeneration), "CloneGenesis8Male");
    ASSERT_EQ(StockFigureOf(eGeneration), KvrStockFigure::Genesis8MaleDevLoad);

    KvrStockPaths paths;
    paths.resolveFigures(pContentMgr);
    EXPECT_TRUE(paths.headSplitDFormer.absolute.empty());
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(paths.genesis3Male.absolute)));

    pUser->select(true);
    DzFigure* pStock = loadStockFigure(pContentMgr, paths, KvrStockFigure::Genesis8MaleDevLoad,
                                       KvrResolution::Subd, 2);
    ASSERT_NE(pStock, nullptr);
    EXPECT_NE(pStock, pUser);
    EXPECT_EQ(pStock->getLabel(), "Genesis 8 Male");
    EXPECT_EQ(tav::daz::FigureKindOf(pStock), FigureKind::Genesis8Male);
    EXPECT_EQ(dzScene->findNodeIndex(pStock) >= 0, true);
    EXPECT_FALSE(pUser->isSelected());
    EXPECT_TRUE(pStock->isVisible());
    EXPECT_EQ(tav::daz::GetNodeResolution(pStock), tav::daz::NodeResolution::HighResolution);
    EXPECT_EQ(tav::daz::GetSubdivisionLevelProperty(pStock, true)->getValue(), 2);
}

TEST_F(StockFigures, ASecondLoadReturnsTheNewFigureNotTheOneAlreadyThere)
{
    KvrStockPaths paths;
    paths.resolveFigures(pContentMgr);
    DzFigure* pFirst = loadStockFigure(pContentMgr, paths, KvrStockFigure::Genesis9, KvrResolution::Base, 0);
    DzFigure* pSecond = loadStockFigure(pContentMgr, paths, KvrStockFigure::Genesis9DevLoad, KvrResolution::Base, 0);
    EXPECT_NE(pFirst, pSecond);
    EXPECT_EQ(pSecond->getLabel(), "Genesis 9");
    EXPECT_EQ(tav::daz::GetNodeResolution(pSecond), tav::daz::NodeResolution::BaseResolution);

    EXPECT_EQ(messageOf([&] { loadStockFigure(pContentMgr, paths, KvrStockFigure::Invalid, KvrResolution::Base, 0); }),
              "invalid load figure value");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // the busy cursor ends with the failed load
    EXPECT_EQ(messageOf([&] { resolveContentPath(pContentMgr, "People/Genesis 9/Nope.duf"); }),
              "cannot find People/Genesis 9/Nope.duf in any content library; please make sure Genesis 9 is "
              "installed correctly");
}

TEST_F(StockFigures, SubdivisionRaisesTheLevelMaximumFirst)
{
    DzFigure* pFigure = open("People/Genesis 9/Genesis 9.duf", "Genesis 9");
    ASSERT_NE(pFigure, nullptr);
    DzIntProperty* pLevel = tav::daz::GetSubdivisionLevelProperty(pFigure, true);
    pLevel->setMinMax(0, 1);

    applyResolution(pFigure, KvrResolution::Subd, 2);
    EXPECT_EQ(pLevel->getMax(), 2);
    EXPECT_EQ(pLevel->getValue(), 2);
    EXPECT_EQ(tav::daz::GetNodeResolution(pFigure), tav::daz::NodeResolution::HighResolution);

    applyResolution(pFigure, KvrResolution::Base, 2);
    EXPECT_EQ(tav::daz::GetNodeResolution(pFigure), tav::daz::NodeResolution::BaseResolution);
}

TEST_F(StockFigures, SelectionBuildsParamsOnTheTargetDials)
{
    KvrParamsPtr pParams = selectSampleFigures();
    EXPECT_EQ(pParams->pfigSource, pSource);
    EXPECT_EQ(pParams->pfigTarget, pTarget);
    EXPECT_EQ(pParams->eSourceGeneration, KvrSourceGeneration::Genesis8Female);
    EXPECT_EQ(pParams->iSubdLevelSource, 1);
    const tav::daz::NodeMorphs targetMorphs(pTarget);
    EXPECT_EQ(pParams->psetClone->property(), targetMorphs.byName().at("CloneGenesis8Female")->pProperty);
    EXPECT_EQ(pParams->psetBaseFeminine->property(),
              targetMorphs.byName().at("BaseFeminine_figure_ctrl_Character")->pProperty);
    EXPECT_EQ(pParams->pprpProportionHeight, targetMorphs.byName().at("body_bs_ProportionHeight")->pProperty);
    EXPECT_EQ(pParams->psetProportionHeight->property(), pParams->pprpProportionHeight);

    KvrConverter job(pParams);
    EXPECT_EQ(job.tempDir(), QDir::tempPath().toStdString());
    EXPECT_EQ(job.title(), "Genesis 8.1 Female converted to G9");
    EXPECT_EQ(job.sourceResolution(), tav::daz::NodeResolution::BaseResolution);
    EXPECT_TRUE(job.stockPaths().headSplitDFormer.absolute.empty());
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(job.headSplitDFormerPath())));
    std::vector<std::string> names;
    for (const tav::daz::ActiveMorph& morph : job.activeMorphs())
        names.push_back(morph.name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"body_ctrl_Athletic", "body_ctrl_FingersLength", "body_ctrl_Heavy",
                                               "body_ctrl_HipsWidth", "body_ctrl_WaistWidth",
                                               "head_ctrl_CheekbonesHeight", "head_ctrl_EyesSize",
                                               "head_ctrl_HeadSize", "head_ctrl_LipsFullness",
                                               "head_ctrl_NoseSize"}));
}

TEST_F(StockFigures, ASourceWithoutDialledMorphsIsRefused)
{
    KvrParamsPtr pParams = selectSampleFigures();
    const tav::daz::NodeMorphs sourceMorphs(pSource);
    for (const tav::MorphInfoPtr& pInfo : sourceMorphs.all())
        pInfo->pProperty->setValue(0.0f);
    EXPECT_EQ(messageOf([&] { KvrConverter job(pParams); }),
              "source figure Genesis 8.1 Female has no morphs dialed in; nothing to do");
}

} // namespace
