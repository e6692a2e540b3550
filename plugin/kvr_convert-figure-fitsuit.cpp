#include "kvr_convert-figure-pipeline-run.h"

#include <QString>

#include "dzapp.h"
#include "dzfigure.h"
#include "dzfloatproperty.h"
#include "dzscene.h"
#include "kvr_convert-figure-morphs.h"
#include "kvr_convert-figure-target.h"
#include "kvr_convert-figure-tempobj.h"
#include "kvr_converter.h"
#include "tv_assert.h"
#include "tv_daz-helpers-scene-morphs.h"
#include "tv_daz-helpers-scene.h"
#include "tv_daz-helpers-transfer.h"
#include "tv_exception.h"
#include "tv_log.h"
#include "tv_str.h"

namespace {

using tav::daz::NodeResolution;

const char* const pcszTempG9Label = "Genesis 9 temp for fit suit";

// What the Transfer Utility carries from the stock mesh onto the fit suit, and the value each
// morph is dialled to there.
const std::vector<tav::daz::ActiveMorph> morphsToTransfer = {{pcszTempMorph, 1.0f}};

QString TargetLabelDuringFitSuit(const QString& label)
{
    return QStringLiteral("Target %2 (%1)").arg(label, tav::ToQString(makeTempId()));
}

} // namespace

DzFigure* loadFitSuitFigure(KvrConverter& job, KvrResolution eResolution)
{
    const KvrParams& params = *job.params();
    DzFigure* pfigTempG9ForFitSuit = job.loadStockFigure(KvrStockFigure::Genesis9DevLoad, eResolution,
                                                          params.iSubdLevelSource);
    tav::daz::GetMorphValueProperty(tav::daz::FindMorph(pfigTempG9ForFitSuit, CloneProperty(params.eSourceGeneration)))
        ->setValue(1.0f);
    poseThighs(job, pfigTempG9ForFitSuit, true);

    if (eResolution == KvrResolution::Base) {
        TV_ASSERT_AT(tav::daz::GetNodeResolution(pfigTempG9ForFitSuit) == NodeResolution::BaseResolution,
                     "tav::daz::GetNodeResolution(*pfigTempG9ForFitSuit) == tav::daz::NodeResolution::BaseResolution",
                     "kvr_convert-figure", 784);
    } else {
        TV_ASSERT_AT(tav::daz::GetNodeResolution(pfigTempG9ForFitSuit) == NodeResolution::HighResolution,
                     "tav::daz::GetNodeResolution(*pfigTempG9ForFitSuit) == tav::daz::NodeResolution::HighResolution",
                     "kvr_convert-figure", 788);
        int iSubdLevelTemp = 0;
        TV_ASSERT_AT(tav::daz::GetSubdivisionLevel(pfigTempG9ForFitSuit, &iSubdLevelTemp)
                         && (iSubdLevelTemp == params.iSubdLevelSource),
                     "tav::daz::GetSubdivisionLevel(*pfigTempG9ForFitSuit, &iSubdLevelTemp) && (iSubdLevelTemp == "
                     "pParams->iSubdLevelSource)",
                     "kvr_convert-figure", 791);
    }
    return pfigTempG9ForFitSuit;
}

void KvrPipelineRun::loadTempG9()
{
    DzFigure* pfigTarget = _job.params()->pfigTarget;
    pfigTarget->setLabel(TargetLabelDuringFitSuit(pfigTarget->getLabel()));
    _pfigTempG9 = loadFitSuitFigure(_job, _eResolution);
    _pfigTempG9->setLabel(QString::fromUtf8(pcszTempG9Label));
}

void KvrPipelineRun::exportTempG9()
{
    _fitSuitObjPath = exportTempObj(_job, makeTempName("tempg9-{}"));
}

void KvrPipelineRun::removeTempG9()
{
    deleteNode(_pfigTempG9);
    _pfigTempG9 = nullptr;
}

void KvrPipelineRun::importFitSuit()
{
    _pFitSuitTracker = std::make_unique<tav::daz::NodeAdditionTracker>();
    _pFitSuit = importTempObj(_job, _fitSuitObjPath);
}

void KvrPipelineRun::runTransferUtility()
{
    {
        tav::ScopeLog scopeLog("Running Transfer Utility");
        tav::daz::transferMorphs(_pStockMesh, _pFitSuit, &morphsToTransfer);
    }
    _pFitSuit = nullptr;  // the transfer may have replaced it
    const std::string label(tav::Stem(_fitSuitObjPath));
    DzNode* pResult = _pFitSuitTracker->findByLabel(tav::ToQString(label));
    if (!pResult)
        throw tav::Exception("unable to find figure labeled {} after running Transfer Utility", label);
    _pfigResult = tav::daz::AsFigure(pResult);
    tav::daz::SetNodeResolution(_pfigResult, NodeResolution::BaseResolution, true);

    deleteNode(_pStockMesh);
    _pStockMesh = nullptr;
}

void KvrPipelineRun::dialFitSuitMorphs()
{
    const tav::daz::NodeMorphs morphs(_pfigResult);
    for (const tav::daz::ActiveMorph& morph : morphsToTransfer) {
        const auto it = morphs.byName().find(morph.name);
        if (it != morphs.byName().end())
            it->second->pProperty->setValue(morph.value);
        else
            _missing.emplace(morph.name, morph.value);
    }
}

void KvrPipelineRun::exportFitSuit()
{
    tav::daz::SelectOnly(_pfigResult);
    const std::string riggedName = makeTempName("rigged-for-mlp-{}");
    _job.state().riggedObjPath = exportTempObj(_job, riggedName);
    dzScene->removeNode(_pfigResult);
    _pfigResult = nullptr;
}

void KvrPipelineRun::adjustTarget()
{
    DzFigure* pfigTarget = _job.params()->pfigTarget;
    applyResolution(pfigTarget, _eResolution, _job.params()->iSubdLevelSource);
    poseThighs(_job, pfigTarget, true);

    pfigTarget->setLabel(tav::ToQString(tav::Stem(_job.state().riggedObjPath)));
}

void KvrPipelineRun::createMorphs()
{
    const KvrParams& params = *_job.params();
    if (_flags.has(KvrJobFlag::FullFigureMorph)) {
        const size_t i = size_t(KvrMorphKind::FullFigure);
        DzFloatProperty* pProperty =
            createMorphFromObj(_job, *_pProgress, params.pfigTarget, _job.state().riggedObjPath, _eResolution,
                               params.iSubdLevelSource, _names[i], _paths[i], {}, 0.0f);
        _report.push_back({KvrMorphKind::FullFigure, _names[i], pProperty});
    }
    const std::pair<KvrJobFlag, KvrMorphKind> aSplitMorphs[] = {{KvrJobFlag::HeadMorph, KvrMorphKind::Head},
                                                                 {KvrJobFlag::BodyMorph, KvrMorphKind::Body}};
    for (const auto& [eFlag, eKind] : aSplitMorphs) {
        if (!_flags.has(eFlag))
            continue;
        const size_t i = size_t(eKind);
        const float fStrength = eKind == KvrMorphKind::Head ? 1.0f : -1.0f;
        DzFloatProperty* pProperty = createSplitMorph(_job, *_pProgress, _eResolution, _names[i], _paths[i], fStrength);
        _report.push_back({eKind, _names[i], pProperty});
    }
}
