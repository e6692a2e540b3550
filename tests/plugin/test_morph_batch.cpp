// The batch judged as geometry: each converted morph, and several dialled together, against the
// source with the same morphs dialled.
#include <gtest/gtest.h>

#include "../../host/src/geometry/dzgeometry.h"
#include "../../host/surface/surface_distance.h"
#include "conversion_fixture.h"
#include "dzbone.h"
#include "dzfloatproperty.h"
#include "dzmorph.h"
#include "dzmorphdeltas.h"
#include "kvr_convert-morphs-batch.h"
#include "tv_daz-helpers-scene-morphs.h"
#include "tv_str.h"

namespace {

// Every morph of the source: its character and regional libraries.
std::vector<std::string> everyMorph(DzFigure* pfigSource)
{
    std::vector<std::string> names;
    const tav::daz::NodeMorphs morphs(pfigSource);
    for (const auto& pInfo : morphs.all()) {
                names.push_back(pInfo->name);
    }
    return names;
}

std::string convertedName(const std::string& sourceName)
{
    return sourceName + " (G9)";
}

KvrMorphBatchOptions batchOf(const std::vector<std::string>& names, KvrJobFlags flags = KvrJobFlag::FullFigureMorph)
{
    KvrMorphBatchOptions options;
    options.flags = flags;
    for (const std::string& name : names) {
        const std::string converted = convertedName(name);
        options.orders.push_back({name, name, {converted, converted + " head", converted + " body"},
                                  {"/Converted", "/Converted", "/Converted"}});
    }
    return options;
}

// Every morph of the figure at zero but the given ones at their values.
void dialOnly(DzFigure* pFigure, const std::vector<std::pair<std::string, float>>& dials)
{
    const tav::daz::NodeMorphs morphs(pFigure);
    for (const auto& pInfo : morphs.all())
        pInfo->pProperty->setValue(0.0f);
    for (const auto& [name, fValue] : dials)
        morphs.byName().at(name)->pProperty->setValue(fValue);
}

// How far each source vertex lies from the target's surface, as the host evaluates both now.
QVector<float> gaps(ConversionScene& scene)
{
    scene.judge(nullptr);  // places and poses the target
    return dzMeasureSurfaceDistance(*DzGeometry::worldMesh(scene.source()), *DzGeometry::worldMesh(scene.target()))
        .fromA;
}

QVector<DzVec3> sourcePositions(ConversionScene& scene)
{
    return DzGeometry::worldMesh(scene.source())->vertices();
}

// What a conversion is judged by. The clone leaves a gap between the figures of its own; a morph
// converted well moves the Genesis 9 with the source, so each source vertex keeps its gap: the
// change error is the largest change of a gap. Unconverted, the gaps change by the morph's
// reach, how far it moves the source.
struct Judgement {
    Fidelity fidelity;  // the figures with the morphs dialled, whole
    float fReach = 0;
    float fChangeError = 0;
    float fUnconvertedError = 0;
};

void dialTarget(ConversionScene& scene, const SourceFigure& source,
                const std::vector<std::pair<std::string, float>>& dials, bool bConverted)
{
    std::vector<std::pair<std::string, float>> targetDials{{source.pcszCloneMorph, 1.0f}};
    if (bConverted) {
        for (const auto& [name, fValue] : dials)
            targetDials.emplace_back(convertedName(name), fValue);
    }
    dialOnly(scene.target(), targetDials);
}

float largestChange(const QVector<float>& a, const QVector<float>& b)
{
    float fLargest = 0;
    for (int i = 0; i < a.size(); ++i)
        fLargest = std::max(fLargest, std::fabs(a[i] - b[i]));
    return fLargest;
}

Judgement judgeDials(ConversionScene& scene, const SourceFigure& source,
                     const std::vector<std::pair<std::string, float>>& dials)
{
    dialOnly(scene.source(), {});
    dialTarget(scene, source, {}, false);
    const QVector<float> baseGaps = gaps(scene);
    const QVector<DzVec3> basePositions = sourcePositions(scene);

    dialOnly(scene.source(), dials);
    Judgement judgement;
    const QVector<DzVec3> positions = sourcePositions(scene);
    for (int i = 0; i < positions.size(); ++i)
        judgement.fReach = std::max(judgement.fReach, (positions[i] - basePositions[i]).length());
    judgement.fUnconvertedError = largestChange(gaps(scene), baseGaps);
    dialTarget(scene, source, dials, true);
    judgement.fChangeError = largestChange(gaps(scene), baseGaps);
    judgement.fidelity = scene.judge(nullptr);
    return judgement;
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

    for (const std::string& name : names) {
        const Judgement j = judgeDials(scene, GetParam(), {{name, 1.0f}});
        std::printf("%s %s: reach %.3f cm, change error %.4f cm (unconverted %.4f), max %.4f %% rms %.4f %%\n",
                    GetParam().pcszLabel, name.c_str(), j.fReach, j.fChangeError, j.fUnconvertedError,
                    100 * j.fidelity.maxRelative, 100 * j.fidelity.rmsRelative);
        EXPECT_LT(j.fChangeError, 0.6f * j.fUnconvertedError) << name;
        EXPECT_LT(j.fidelity.maxRelative, fMaxRelativeBound) << name;
        EXPECT_LT(j.fidelity.rmsRelative, fRmsRelativeBound) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(EverySourceKind, MorphBatchFidelity, ::testing::ValuesIn(aSourceFigures),
                         [](const ::testing::TestParamInfo<SourceFigure>& info) {
                             std::string name = info.param.pcszLabel;
                             for (char& c : name)
                                 if (!isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

} // namespace
