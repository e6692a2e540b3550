#include <gtest/gtest.h>

#include <cmath>

#include "conversion_fixture.h"
#include "dzfloatproperty.h"
#include "kvr_convert-figure-height.h"
#include "kvr_convert-figure-target.h"
#include "tv_daz-helpers-scene.h"

namespace {

float height(DzNode* pNode)
{
    return pNode->getWorldBoundingBox().getMax().m_y;
}

} // namespace

TEST(TargetPreparation, NormalizingStandsTheTargetOnTheSourceAndRestoringPutsBackOnlyWhatItSet)
{
    ConversionScene scene;
    scene.setUp(genesis81Female);
    nodeTransform(scene.source(), "XTranslate")->setValue(-45.0f);
    nodeTransform(scene.target(), "XTranslate")->setValue(-45.0f);
    nodeTransform(scene.source(), "ZTranslate")->setValue(20.0f);
    nodeTransform(scene.source(), "YRotate")->setValue(90.0f);
    nodeTransform(scene.target(), "YTranslate")->setValue(0.0f);

    normalizeFigures(scene.job());
    EXPECT_EQ(nodeTransform(scene.target(), "ZTranslate")->getValue(), 20.0f);
    EXPECT_EQ(nodeTransform(scene.target(), "YRotate")->getValue(), 90.0f);

    // Moved meanwhile: X was not changed by the job and stays; Y was set (to the 0 it had) and
    // goes back.
    nodeTransform(scene.target(), "XTranslate")->setValue(10.0f);
    nodeTransform(scene.target(), "YTranslate")->setValue(5.0f);
    restoreFigures(scene.job());
    EXPECT_EQ(nodeTransform(scene.target(), "ZTranslate")->getValue(), 0.0f);
    EXPECT_EQ(nodeTransform(scene.target(), "YRotate")->getValue(), 0.0f);
    EXPECT_EQ(nodeTransform(scene.target(), "XTranslate")->getValue(), 10.0f);
    EXPECT_EQ(nodeTransform(scene.target(), "YTranslate")->getValue(), 0.0f);
}

TEST(TargetPreparation, AutoHeightStopsJustPastTheSourceInStepsOfFiveThousandths)
{
    // A taller source makes the target just taller, a shorter one just shorter.
    for (const float fTorso : {1.0f, -1.0f}) {
        ConversionScene scene;
        scene.setUp(genesis81Female);
        scene.dial(scene.source(), "body_ctrl_TorsoLength", fTorso);
        scene.dial(scene.target(), "body_bs_ProportionHeight", fTorso > 0 ? 0.0f : 0.5f);
        const bool bGrow = fTorso > 0;
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
}
