#include "kvr_convert-figure-fitsuit.h"

#include <QString>

#include "dzapp.h"
#include "dzfigure.h"
#include "dzfloatproperty.h"
#include "dzscene.h"
#include "kvr_convert-figure-stage.h"
#include "kvr_convert-figure-stock.h"
#include "kvr_convert-figure-target.h"
#include "kvr_convert-figure-tempobj.h"
#include "kvr_converter.h"
#include "kvr_generations.h"
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

QString TargetLabelDuringFitSuit(const QString& label)
{
    return QString::fromLatin1("Target %2 (%1)").arg(label, tav::ToQString(makeTempId()));
}

} // namespace

DzFigure* loadFitSuitFigure(KvrConverter& job, KvrResolution eResolution)
{
    const KvrParams& params = *job.params();
    DzFigure* pfigTempG9ForFitSuit = job.loadStockFigure(KvrStockFigure::Genesis9DevLoad, eResolution,
                                                          params.iSubdLevelSource);
    const char* pcszClone = Generation(params.eSourceGeneration).pcszCloneMorph;
    tav::daz::GetMorphValueProperty(tav::daz::FindMorph(pfigTempG9ForFitSuit, pcszClone))->setValue(1.0f);
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

void loadTempG9(KvrConversion& c)
{
    DzFigure* pfigTarget = c.job.params()->pfigTarget;
    pfigTarget->setLabel(TargetLabelDuringFitSuit(pfigTarget->getLabel()));
    c.pfigTempG9 = loadFitSuitFigure(c.job, c.options.eResolution);
    c.pfigTempG9->setLabel(QString::fromUtf8(pcszTempG9Label));
}

void exportTempG9(KvrConversion& c)
{
    c.fitSuitObjPath = exportTempObj(c.job, makeTempName("tempg9-{}"));
}

void removeTempG9(KvrConversion& c)
{
    deleteTempNode(c.pfigTempG9);
    c.pfigTempG9 = nullptr;
}

void importFitSuit(KvrConversion& c)
{
    c.pFitSuitTracker = std::make_unique<tav::daz::NodeAdditionTracker>();
    c.pFitSuit = importTempObj(c.fitSuitObjPath);
}

void runTransferUtility(KvrConversion& c)
{
    {
        tav::ScopeLog scopeLog("Running Transfer Utility");
        tav::daz::transferMorphs(c.pStockMesh, c.pFitSuit, &c.morphsToTransfer);
    }
    c.pFitSuit = nullptr;  // the transfer may have replaced it
    const std::string label(tav::Stem(c.fitSuitObjPath));
    // The imported fit suit may carry the same label: only a figure is the transfer's result.
    DzFigure* pResult = nullptr;
    for (DzNode* pNode : c.pFitSuitTracker->nodes()) {
        if (pNode->getLabel() == tav::ToQString(label) && qobject_cast<DzFigure*>(pNode))
            pResult = qobject_cast<DzFigure*>(pNode);
    }
    if (!pResult)
        throw tav::Exception("unable to find figure labeled {} after running Transfer Utility", label);
    c.pfigResult = pResult;
    tav::daz::SetNodeResolution(c.pfigResult, NodeResolution::BaseResolution, true);

    deleteTempNode(c.pStockMesh);
    c.pStockMesh = nullptr;
}

void dialFitSuitMorphs(KvrConversion& c)
{
    const tav::daz::NodeMorphs morphs(c.pfigResult);
    for (const tav::daz::ActiveMorph& morph : c.morphsToTransfer) {
        const auto it = morphs.byName().find(morph.name);
        if (it != morphs.byName().end())
            it->second->pProperty->setValue(morph.value);
        else
            c.result.missing.emplace(morph.name, morph.value);
    }
}

void exportFitSuit(KvrConversion& c)
{
    tav::daz::SelectOnly(c.pfigResult);
    c.riggedObjPath = exportTempObj(c.job, makeTempName("rigged-for-mlp-{}"));
    dzScene->removeNode(c.pfigResult);
    c.pfigResult = nullptr;
}

void adjustTarget(KvrConversion& c)
{
    DzFigure* pfigTarget = c.job.params()->pfigTarget;
    applyResolution(pfigTarget, c.options.eResolution, c.job.params()->iSubdLevelSource);
    poseThighs(c.job, pfigTarget, true);
    pfigTarget->setLabel(tav::ToQString(tav::Stem(c.riggedObjPath)));
}
