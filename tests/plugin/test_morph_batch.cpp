// The batch judged as geometry: each converted morph, and several dialled together, against the
// source with the same morphs dialled.
#include <gtest/gtest.h>

#include "../../host/src/geometry/dzgeometry.h"
#include "dzbone.h"
#include "dzintproperty.h"
#include "dzmorph.h"
#include "dzmorphdeltas.h"
#include "kvr_convert-figure-stock.h"
#include "kvr_convert-morphs-batch.h"
#include "tv_daz-helpers-scene.h"
#include "test_morph_batch_judge.h"

namespace {

// Face morphs, some of them reaching down to the jaw and the chin.
const char* const apcszFaceMorphs[] = {"head_ctrl_NoseWidth", "head_ctrl_JawWidth", "head_ctrl_ChinDepth",
                                       "head_ctrl_EarsSize", "head_ctrl_LipsFullness", "head_ctrl_BrowHeight"};

// How many vertices below the Genesis 9's neck (the neck bone's origin) the converted morph
// moves by more than 0.01 cm.
int movedBelowTheNeck(DzFigure* pfigTarget, const std::string& convertedMorph)
{
    const float fNeckY = pfigTarget->findBone("neck")->getOrigin().m_y;
    const QVector<DzVec3> base = DzGeometry::restPositions(pfigTarget, 0);
    const DzMorphDeltas* pDeltas = tav::daz::FindMorph(pfigTarget, convertedMorph)->getDeltas();
    int cBelow = 0;
    for (int i = 0; i < pDeltas->getNumDeltas(); ++i) {
        if (base[pDeltas->getDeltaIndex(i)].m_y < fNeckY && pDeltas->getDelta(i).length() > 0.01f)
            ++cBelow;
    }
    return cBelow;
}

void expectJudgedWell(const Judgement& j, const std::string& what)
{
    std::printf("%s: reach %.3f cm, change error %.4f cm (unconverted %.4f), max %.4f %% rms %.4f %%\n",
                what.c_str(), j.fReach, j.fChangeError, j.fUnconvertedError, 100 * j.fidelity.maxRelative,
                100 * j.fidelity.rmsRelative);
    EXPECT_LT(j.fChangeError, 0.6f * j.fUnconvertedError) << what;
    EXPECT_LT(j.fidelity.maxRelative, fMaxRelativeBound) << what;
    EXPECT_LT(j.fidelity.rmsRelative, fRmsRelativeBound) << what;
}

class MorphBatchFidelity : public ::testing::TestWithParam<SourceFigure> {
};

TEST_P(MorphBatchFidelity, EachConvertedMorphLaysTheCloneOnTheSourceWithThatMorph)
{
    ConversionScene scene;
    scene.setUp(GetParam());
    const std::vector<std::string> names = everyMorph(scene.source());
    ASSERT_GE(names.size(), 20u);
    const KvrMorphBatchResult result = runMorphBatch(scene.job(), batchOf(names));
    ASSERT_EQ(result.morphs.size(), names.size());

    for (const std::string& name : names)
        expectJudgedWell(judgeDials(scene, GetParam(), {{name, 1.0f}}), std::string(GetParam().pcszLabel) + " " + name);
    dialOnly(scene.target(), {});
    for (const char* pcszFace : apcszFaceMorphs)
        EXPECT_EQ(movedBelowTheNeck(scene.target(), convertedName(pcszFace)), 0) << pcszFace;
    EXPECT_GT(movedBelowTheNeck(scene.target(), convertedName("body_ctrl_Heavy")), 100);  // the count can tell
}

INSTANTIATE_TEST_SUITE_P(EverySourceKind, MorphBatchFidelity, ::testing::ValuesIn(aSourceFigures),
                         SourceFigureTestName);

// At high resolution the morphs are subdivision morphs at the source's level, judged on the
// subdivided surfaces.
TEST(MorphBatchFidelity, AtSubdivisionLevel1TheMorphsAreSubdivisionMorphsThatFit)
{
    ConversionScene scene;
    scene.loadFigures(genesis8Female);
    tav::daz::SetNodeResolution(scene.source(), tav::daz::NodeResolution::HighResolution, true);
    tav::daz::GetSubdivisionLevelProperty(scene.source(), true)->setValue(1);
    scene.makeJob();
    const std::vector<std::string> names = {"body_ctrl_WaistWidth", "head_ctrl_NoseHeight", "body_ctrl_ThumbLength"};
    KvrMorphBatchOptions options = batchOf(names);
    options.eResolution = KvrResolution::Subd;
    options.iSubdLevel = 1;
    runMorphBatch(scene.job(), options);

    applyResolution(scene.target(), KvrResolution::Subd, 1);
    for (const std::string& name : names) {
        const DzMorphDeltas* pDeltas = tav::daz::FindMorph(scene.target(), convertedName(name))->getDeltas();
        EXPECT_TRUE(pDeltas->hasHDDeltas()) << name;
        EXPECT_EQ(pDeltas->getHDLevel(), 1) << name;
        expectJudgedWell(judgeDials(scene, genesis8Female, {{name, 1.0f}}), "level 1 " + name);
    }
}

// The full content library: the real mesh density and the whole morph library.
TEST(MorphBatchFidelity, ASampleAtRealScaleFits)
{
    DzAppOptions options = TestApp::defaultOptions();
    options.contentDirs = QStringList{QStringLiteral(KVR_BUILD_DIR "/content-full")};
    ConversionScene scene(options);
    scene.setUp(genesis8Female);
    const std::vector<std::string> names = {"body_ctrl_Heavy", "body_ctrl_IndexFingerLength", "head_ctrl_EarsSize",
                                            "head_ctrl_MouthWidth", "body_ctrl_CalvesSize"};
    runMorphBatch(scene.job(), batchOf(names));
    for (const std::string& name : names)
        expectJudgedWell(judgeDials(scene, genesis8Female, {{name, 1.0f}}), "full content " + name);
}

} // namespace
