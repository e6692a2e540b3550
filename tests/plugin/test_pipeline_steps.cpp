#include <gtest/gtest.h>

#include <QString>

#include "conversion_fixture.h"
#include "kvr_convert-figure-steps.h"

namespace {

const KvrJobFlags allMorphs = KvrJobFlags(KvrJobFlag::FullFigureMorph) | KvrJobFlag::HeadMorph | KvrJobFlag::BodyMorph;

std::vector<std::string> planFor(KvrJobFlags flags)
{
    ConversionScene scene;
    scene.setUp(aSourceFigures[0]);
    return buildStepPlan(scene.job(), KvrResolution::Subd, flags);
}

} // namespace

TEST(PipelineSteps, ThePlanHasTheSixteenCommonStepsAndOnePerRequestedMorph)
{
    const std::vector<std::string> none = planFor(KvrJobFlags());
    ASSERT_EQ(none.size(), 16u);
    EXPECT_EQ(none.front(), "Normalizing target G9 figure");
    EXPECT_EQ(none.back(), "Adjusting target G9 before creating morphs");

    const std::vector<std::string> fullAndBody = planFor(KvrJobFlags(KvrJobFlag::FullFigureMorph) | KvrJobFlag::BodyMorph);
    ASSERT_EQ(fullAndBody.size(), 18u);
    EXPECT_EQ(fullAndBody[16], "Creating full figure morph");
    EXPECT_EQ(fullAndBody[17], "Creating body morph");
}

TEST(PipelineSteps, AHeadlessJobShowsEveryStepOnceInOrderOnStandardError)
{
    ConversionScene scene;
    scene.setUp(aSourceFigures[4]);
    const std::vector<std::string> plan = buildStepPlan(scene.job(), KvrResolution::Base, allMorphs);

    testing::internal::CaptureStderr();
    scene.convert(allMorphs);
    // Only the progress lines: Qt's platform notes may come in between.
    std::string err;
    for (const QString& line : QString::fromStdString(testing::internal::GetCapturedStderr()).split('\n'))
        if (line.startsWith('['))
            err += line.toStdString() + "\n";

    std::string expected;
    for (size_t i = 0; i < plan.size(); ++i)
        expected += "[" + std::to_string(i + 1) + "/19] " + plan[i] + "\n";
    EXPECT_EQ(err, expected);
}
