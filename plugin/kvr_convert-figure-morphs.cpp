#include "kvr_convert-figure-morphs.h"

#include <fmt/format.h>

#include "dzcontentmgr.h"
#include "dzfigure.h"
#include "dzfileiosettings.h"
#include "dzfloatproperty.h"
#include "kvr_convert-figure-stage.h"
#include "kvr_convert-figure-tempobj.h"
#include "kvr_converter.h"
#include "tv_clickaway.h"
#include "tv_daz-helpers-morphloader.h"
#include "tv_daz-helpers-objio.h"
#include "tv_daz-helpers-scene.h"
#include "tv_daz-helpers-tracker.h"
#include "tv_exception.h"
#include "tv_str.h"

namespace {

const bool bReverseDeformations = true;
// The D-Former's "Preset Exceeds Limits" box is answered with its second button.
const bool bClickFirstButton = false;

// How a kind of morph is cut from the converted shape: whole, or through the head-split
// D-Former's weight map with a strength (1 keeps the head, -1 the rest).
struct MorphCut {
    KvrMorphKind eKind;
    bool bThroughHeadSplit;
    float fStrength;
};

const MorphCut aCuts[] = {
    {KvrMorphKind::FullFigure, false, 0.0f},
    {KvrMorphKind::Head, true, 1.0f},
    {KvrMorphKind::Body, true, -1.0f},
};

// Morph Loader Pro reads the OBJ itself: the exporter's options at the scene's own scale.
QString MorphLoaderObjOptions()
{
    DzFileIOSettings settings;
    tav::daz::ApplyObjExportSettings(settings);
    tav::daz::SetScale(settings, fObjUnitScale);
    return tav::daz::SettingsToJson(settings);
}

void CreateRequestedMorph(KvrConversion& c, KvrMorphKind eKind)
{
    c.result.reports.push_back(createTargetMorph(c.job, c.riggedObjPath, eKind, c.options.names.of(eKind),
                                                 c.options.paths.of(eKind), c.options.eResolution));
}

} // namespace

void createFullFigureMorph(KvrConversion& c)
{
    CreateRequestedMorph(c, KvrMorphKind::FullFigure);
}

void createHeadMorph(KvrConversion& c)
{
    CreateRequestedMorph(c, KvrMorphKind::Head);
}

void createBodyMorph(KvrConversion& c)
{
    CreateRequestedMorph(c, KvrMorphKind::Body);
}

KvrMorphReport createTargetMorph(KvrConverter& job, const std::string& objPath, KvrMorphKind eKind,
                                 const std::string& name, const std::string& groupPath, KvrResolution eResolution)
{
    const MorphCut* pCut = nullptr;
    for (const MorphCut& cut : aCuts) {
        if (cut.eKind == eKind)
            pCut = &cut;
    }
    const KvrParams& params = *job.params();
    std::string mapPath;
    if (pCut->bThroughHeadSplit) {
        ensureHeadSplitDFormer(job);
        mapPath = headSplitWeightMapPath(tav::ToUtf8(params.pfigTarget->getLabel()));
    }
    DzFloatProperty* pProperty =
        loadMorphFromObj(params.pfigTarget, objPath,
                         {name, groupPath, eResolution == KvrResolution::Subd, params.iSubdLevelSource, mapPath,
                          pCut->fStrength});
    return {eKind, name, pProperty};
}

std::string headSplitWeightMapPath(std::string_view targetLabel)
{
    return fmt::format("D-Former_1::weightmap::{}/Influence Weights", targetLabel);
}

DzFloatProperty* loadMorphFromObj(DzNode* pNode, std::string_view objPath, const KvrMorphLoad& load)
{
    tav::daz::SelectOnly(pNode);
    const std::string loaderResult =
        tav::daz::LoadMorph(pNode, objPath, load.name, MorphLoaderObjOptions(), load.bSubdivision, load.iSubdLevel,
                            load.groupPath, bReverseDeformations, load.attenuationMapPath, load.fStrength);
    return verifyNewMorph(pNode, load.name, loaderResult);
}

void ensureHeadSplitDFormer(KvrConverter& job)
{
    if (job.changes().has(KvrJobChange::HeadSplitLoaded))
        return;
    job.noteChange(KvrJobChange::HeadSplitLoaded);

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
    job.adoptTempNodes(tracker.nodes());
}

DzFloatProperty* verifyNewMorph(DzNode* pNode, std::string_view name, std::string_view loaderResult)
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
