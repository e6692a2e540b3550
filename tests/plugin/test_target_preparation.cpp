#include <gtest/gtest.h>

#include <QRegularExpression>
#include <cmath>

#include "conversion_fixture.h"
#include "dzfloatproperty.h"
#include "kvr_convert-figure-target.h"
#include "tv_daz-helpers-scene.h"

using tav::daz::PropertyScope;

namespace {

DzFloatProperty* transform(DzNode* pNode, const char* pcszName)
{
    return tav::daz::GetFloatProperty(pNode, PropertyScope::Node, pcszName, true);
}

float height(DzNode* pNode)
{
    return pNode->getWorldBoundingBox().getMax().m_y;
}

class TargetPreparation : public ::testing::Test {
protected:
    void SetUp() override { scene.setUp(aSourceFigures[4]); }

    // Fits the height and checks the stop: just past the source, one 0.005 step after not past.
    void expectFittedHeight(bool bGrow)
    {
        DzFloatProperty* pHeight = scene.job().params()->pprpProportionHeight;
        const float fStart = pHeight->getValue();
        ASSERT_EQ(height(scene.source()) > height(scene.target()), bGrow);

        autoAdjustProportionalHeight(scene.target(), pHeight, scene.source());
        const float fEnd = pHeight->getValue();
        const float fSteps = (fEnd - fStart) / 0.005f;
        EXPECT_NEAR(fSteps, std::round(fSteps), 1e-3) << "not in steps of 0.005";
        EXPECT_EQ(fEnd > fStart, bGrow);
        EXPECT_EQ(height(scene.target()) > height(scene.source()), bGrow);

        pHeight->setValue(fEnd + (bGrow ? -0.005f : 0.005f));
        EXPECT_EQ(height(scene.target()) > height(scene.source()), !bGrow) << "went one step too far";
    }

    ConversionScene scene;
};

} // namespace

TEST_F(TargetPreparation, NormalizingAlignsTheTargetSavingOnlyWhatItChanges)
{
    transform(scene.source(), "XTranslate")->setValue(-45.0f);
    transform(scene.target(), "XTranslate")->setValue(-45.0f);
    transform(scene.source(), "ZTranslate")->setValue(20.0f);
    transform(scene.source(), "YRotate")->setValue(90.0f);
    transform(scene.target(), "YTranslate")->setValue(0.0f);

    normalizeFigures(scene.job());
    const auto& saved = scene.job().state().mapSavedValues;
    EXPECT_EQ(saved.count(transform(scene.target(), "XTranslate")), 0u);
    EXPECT_EQ(saved.at(transform(scene.target(), "ZTranslate")), 0.0f);
    EXPECT_EQ(saved.at(transform(scene.target(), "YRotate")), 0.0f);
    EXPECT_EQ(saved.at(transform(scene.target(), "YTranslate")), 0.0f);  // saved although unchanged
    EXPECT_EQ(saved.size(), 3u);
    EXPECT_EQ(transform(scene.target(), "ZTranslate")->getValue(), 20.0f);
    EXPECT_EQ(transform(scene.target(), "YRotate")->getValue(), 90.0f);
    EXPECT_TRUE(scene.source()->getLabel().contains(QRegularExpression("^Genesis 8.1 Female-[0-9A-Za-z]{8}$")));

    restoreFigures(scene.job());
    EXPECT_EQ(transform(scene.target(), "ZTranslate")->getValue(), 0.0f);
    EXPECT_EQ(transform(scene.target(), "YRotate")->getValue(), 0.0f);
    EXPECT_EQ(transform(scene.target(), "XTranslate")->getValue(), -45.0f);
    EXPECT_EQ(scene.source()->getLabel(), "Genesis 8.1 Female");
    EXPECT_TRUE(scene.job().state().mapSavedValues.empty());
}

TEST_F(TargetPreparation, AutoHeightMakesTheTargetJustTallerThanATallerSource)
{
    scene.dial(scene.source(), "body_ctrl_TorsoLength", 1.0f);
    expectFittedHeight(true);
}

TEST_F(TargetPreparation, AutoHeightMakesTheTargetJustShorterThanAShorterSource)
{
    scene.dial(scene.source(), "body_ctrl_TorsoLength", -1.0f);
    scene.dial(scene.target(), "body_bs_ProportionHeight", 0.5f);
    expectFittedHeight(false);
}

TEST(TargetPreparationGenesis3, TheThighsKeepTheirPoseForAGenesis3Source)
{
    ConversionScene scene;
    scene.setUp(aSourceFigures[0]);
    poseThighs(scene.job(), scene.target(), true);
    EXPECT_EQ(tav::daz::GetBoneFloatProperty(scene.target(), "l_thigh", "ZRotate", true)->getValue(), 0.0f);
}
