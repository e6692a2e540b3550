#include "kvr_convert-figure-morphs.h"

#include <fmt/format.h>

#include "dzcontentmgr.h"
#include "dzfigure.h"
#include "dzfileiosettings.h"
#include "dzfloatproperty.h"
#include "kvr_convert-figure-tempobj.h"
#include "kvr_converter.h"
#include "tv_clickaway.h"
#include "tv_daz-helpers-morphloader.h"
#include "tv_daz-helpers-objio.h"
#include "tv_daz-helpers-progress.h"
#include "tv_daz-helpers-scene.h"
#include "tv_daz-helpers-tracker.h"
#include "tv_exception.h"
#include "tv_str.h"

namespace {

const bool bReverseDeformations = true;
// The D-Former's "Preset Exceeds Limits" box is answered with its second button.
const bool bClickFirstButton = false;

// Morph Loader Pro reads the OBJ itself: the exporter's options at the scene's own scale.
QString MorphLoaderObjOptions()
{
    DzFileIOSettings settings;
    tav::daz::ApplyObjExportSettings(settings);
    tav::daz::SetScale(settings, fObjUnitScale);
    return tav::daz::SettingsToJson(settings);
}

} // namespace

std::string headSplitWeightMapPath(std::string_view targetLabel)
{
    return fmt::format("D-Former_1::weightmap::{}/Influence Weights", targetLabel);
}

DzFloatProperty* createMorphFromObj(KvrConverter& job, tav::daz::StepProgress& progress, DzNode* pNode,
                                    std::string_view objPath, KvrResolution eResolution, int iSubdLevel,
                                    std::string_view name, std::string_view path,
                                    std::string_view attenuationMapPath, float fStrength)
{
    progress.nextStep(job.state().bConfirmSteps);
    return loadMorphFromObj(job, pNode, objPath, eResolution == KvrResolution::Subd, iSubdLevel, name, path,
                            attenuationMapPath, fStrength);
}

DzFloatProperty* loadMorphFromObj(const KvrConverter& job, DzNode* pNode, std::string_view objPath,
                                  bool bSubdivision, int iSubdLevel, std::string_view name, std::string_view path,
                                  std::string_view attenuationMapPath, float fStrength)
{
    tav::daz::SelectOnly(pNode);
    const std::string loaderResult =
        tav::daz::LoadMorph(pNode, objPath, name, MorphLoaderObjOptions(), bSubdivision, iSubdLevel, path,
                            bReverseDeformations, attenuationMapPath, fStrength);
    return verifyNewMorph(job, pNode, name, loaderResult);
}

DzFloatProperty* createSplitMorph(KvrConverter& job, tav::daz::StepProgress& progress, KvrResolution eResolution,
                                  std::string_view name, std::string_view path, float fStrength)
{
    ensureHeadSplitDFormer(job);
    DzFigure* pfigTarget = job.params()->pfigTarget;
    const std::string mapPath = headSplitWeightMapPath(tav::ToUtf8(pfigTarget->getLabel()));
    return createMorphFromObj(job, progress, pfigTarget, job.state().riggedObjPath, eResolution,
                              job.params()->iSubdLevelSource, name, path, mapPath, fStrength);
}

void ensureHeadSplitDFormer(KvrConverter& job)
{
    KvrJobState& state = job.state();
    if (state.bDFormerLoaded)
        return;
    state.bDFormerLoaded = true;

    DzFigure* pfigTarget = job.params()->pfigTarget;
    tav::daz::NodeAdditionTracker tracker(pfigTarget);
    tav::daz::SelectOnly(pfigTarget);
    const std::string& path = job.headSplitDFormerPath();
    bool bLoaded = false;
    {
        tav::Clickaway clickaway(bClickFirstButton);
        bLoaded = job.contentMgr()->openFile(tav::ToQString(path), true);
    }
    if (!bLoaded)
        throw tav::Exception("failed to load head split D-former from file {}", path);

    state.tempNodes.clear();
    for (DzNode* pNode : tracker.nodes())
        state.tempNodes.emplace_back(pNode);
}

DzFloatProperty* verifyNewMorph(const KvrConverter&, DzNode* pNode, std::string_view name,
                                std::string_view loaderResult)
{
    const tav::daz::NodeMorphs morphs(pNode);
    const auto it = morphs.byName().find(std::string(name));
    if (it == morphs.byName().end()) {
        throw tav::Exception("failed to find new morph {} in node {} figure after conversion; Morph Loader Pro returned: {}",
                             name, tav::ToUtf8(pNode->getLabel()), loaderResult);
    }
    DzFloatProperty* pProperty = it->second->pProperty;
    pProperty->setMinMax(0.0f, 1.0f);
    return pProperty;
}
