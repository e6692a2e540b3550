#include <gtest/gtest.h>

#include "conversion_fixture.h"

namespace {

class PipelineFidelity : public ::testing::TestWithParam<SourceFigure> {
};

TEST_P(PipelineFidelity, TheFullFigureMorphLaysTheGenesis9OnTheSource)
{
    ConversionScene scene;
    scene.setUp(GetParam());
    scene.convert(KvrJobFlag::FullFigureMorph);

    // Without the new morph the figures are far apart, so the measure can tell.
    const Fidelity before = scene.judge(nullptr);
    EXPECT_GT(before.maxRelative, 4 * fMaxRelativeBound);
    const Fidelity after = scene.judge("Full");
    std::printf("%s: before max %.4f %%, after rms %.4f %% max %.4f %%\n", GetParam().pcszLabel,
                100 * before.maxRelative, 100 * after.rmsRelative, 100 * after.maxRelative);
    EXPECT_LT(after.maxRelative, fMaxRelativeBound);
    EXPECT_LT(after.rmsRelative, fRmsRelativeBound);
}

INSTANTIATE_TEST_SUITE_P(EverySourceKind, PipelineFidelity, ::testing::ValuesIn(aSourceFigures),
                         SourceFigureTestName);

} // namespace
