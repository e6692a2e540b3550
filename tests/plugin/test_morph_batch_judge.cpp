#include "test_morph_batch_judge.h"

#include <cmath>

#include "../../host/src/geometry/dzgeometry.h"
#include "../../host/surface/surface_distance.h"
#include "dzfloatproperty.h"
#include "tv_daz-helpers-scene-morphs.h"

namespace {

// How far each source vertex lies from the target's surface, the target placed and posed.
QVector<float> gaps(ConversionScene& scene)
{
    scene.judge(nullptr);
    return dzMeasureSurfaceDistance(*DzGeometry::worldMesh(scene.source()), *DzGeometry::worldMesh(scene.target()))
        .fromA;
}

QVector<DzVec3> sourcePositions(ConversionScene& scene)
{
    return DzGeometry::worldMesh(scene.source())->vertices();
}

void dialTarget(ConversionScene& scene, const SourceFigure& source, const Dials& dials)
{
    Dials targetDials{{source.pcszCloneMorph, 1.0f}};
    for (const auto& [name, fValue] : dials)
        targetDials.emplace_back(convertedName(name), fValue);
    dialOnly(scene.target(), targetDials);
}

float largestChange(const QVector<float>& a, const QVector<float>& b)
{
    float fLargest = 0;
    for (int i = 0; i < a.size(); ++i)
        fLargest = std::max(fLargest, std::fabs(a[i] - b[i]));
    return fLargest;
}

} // namespace

std::vector<std::string> everyMorph(DzFigure* pfigSource)
{
    std::vector<std::string> names;
    const tav::daz::NodeMorphs morphs(pfigSource);
    for (const auto& pInfo : morphs.all())
        names.push_back(pInfo->name);
    return names;
}

std::string convertedName(const std::string& sourceName)
{
    return sourceName + " (G9)";
}

KvrMorphBatchOptions batchOf(const std::vector<std::string>& names, KvrJobFlags flags)
{
    KvrMorphBatchOptions options;
    options.flags = flags;
    for (const std::string& name : names) {
        const std::string converted = convertedName(name);
        options.orders.push_back({name, name + " label", {converted, converted + " head", converted + " body"},
                                  {"/Converted", "/Converted", "/Converted"}});
    }
    return options;
}

void dialOnly(DzFigure* pFigure, const Dials& dials)
{
    const tav::daz::NodeMorphs morphs(pFigure);
    for (const auto& pInfo : morphs.all())
        pInfo->pProperty->setValue(0.0f);
    for (const auto& [name, fValue] : dials)
        morphs.byName().at(name)->pProperty->setValue(fValue);
}

Judgement judgeDials(ConversionScene& scene, const SourceFigure& source, const Dials& dials)
{
    dialOnly(scene.source(), {});
    dialTarget(scene, source, {});
    const QVector<float> baseGaps = gaps(scene);
    const QVector<DzVec3> basePositions = sourcePositions(scene);

    dialOnly(scene.source(), dials);
    Judgement judgement;
    const QVector<DzVec3> positions = sourcePositions(scene);
    for (int i = 0; i < positions.size(); ++i)
        judgement.fReach = std::max(judgement.fReach, (positions[i] - basePositions[i]).length());
    judgement.fUnconvertedError = largestChange(gaps(scene), baseGaps);
    dialTarget(scene, source, dials);
    judgement.fChangeError = largestChange(gaps(scene), baseGaps);
    judgement.fidelity = scene.judge(nullptr);
    return judgement;
}
