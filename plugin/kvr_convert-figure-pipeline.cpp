#include "kvr_convert-figure-pipeline-run.h"

#include "dzapp.h"
#include "dzfigure.h"
#include "dzfloatproperty.h"
#include "dzscene.h"
#include "kvr_convert-figure-morphs.h"
#include "kvr_convert-figure-target.h"
#include "kvr_convert-figure-tempobj.h"
#include "kvr_converter.h"
#include "tv_daz-helpers-app.h"
#include "tv_daz-helpers-scene.h"
#include "tv_wait-cursor.h"

namespace {

const char* const pcszTempMorphGroup = "test morphs";

} // namespace

void runPipeline(KvrConverter& job, KvrMorphReports& report, KvrResolution eResolution, const KvrMorphTexts& paths,
                 const KvrMorphTexts& names, KvrJobFlags flags, KvrMissingMorphs& missing)
{
    tav::WaitCursor busyCursor(true);
    KvrPipelineRun(job, report, eResolution, paths, names, flags, missing).run();
}

KvrPipelineRun::KvrPipelineRun(KvrConverter& job, KvrMorphReports& report, KvrResolution eResolution,
                               const KvrMorphTexts& paths, const KvrMorphTexts& names, KvrJobFlags flags,
                               KvrMissingMorphs& missing)
    : _job(job),
      _report(report),
      _eResolution(eResolution),
      _paths(paths),
      _names(names),
      _flags(flags),
      _missing(missing),
      _pProgress(std::make_unique<tav::daz::StepProgress>(buildStepPlan(job, eResolution, flags)))
{
}

void KvrPipelineRun::run()
{
    normalizeTarget();
    for (auto step : {&KvrPipelineRun::exportSource, &KvrPipelineRun::loadStockFigure,
                      &KvrPipelineRun::exportStockFigure, &KvrPipelineRun::removeStockFigure,
                      &KvrPipelineRun::importStockMesh, &KvrPipelineRun::createConvertedMorph,
                      &KvrPipelineRun::dialConvertedMorph, &KvrPipelineRun::loadTempG9, &KvrPipelineRun::exportTempG9,
                      &KvrPipelineRun::removeTempG9, &KvrPipelineRun::importFitSuit,
                      &KvrPipelineRun::runTransferUtility, &KvrPipelineRun::dialFitSuitMorphs,
                      &KvrPipelineRun::exportFitSuit, &KvrPipelineRun::adjustTarget}) {
        nextStep();
        (this->*step)();
    }
    createMorphs();

    removeTempNodes();
    poseThighs(_job, _job.params()->pfigTarget, false);
    _pProgress.reset();
    restoreFigures(_job);
}

void KvrPipelineRun::nextStep()
{
    _pProgress->nextStep(_job.state().bConfirmSteps);
}

void KvrPipelineRun::deleteNode(DzNode* pNode)
{
    tav::daz::SelectOnly(pNode);
    tav::daz::TriggerAction("DzDeleteAction");
}

void KvrPipelineRun::normalizeTarget()
{
    normalizeFigures(_job);
    if (_eResolution == KvrResolution::Base) {
        tav::daz::SetNodeResolution(_job.params()->pfigSource, tav::daz::NodeResolution::BaseResolution, true);
        _job.state().bSourceSetToBase = true;
    }
}

void KvrPipelineRun::exportSource()
{
    DzFigure* pfigSource = _job.params()->pfigSource;
    tav::daz::SelectOnly(pfigSource);
    exportTempObj(_job, makeTempName("tempg8-src1-{}"));
    tav::daz::SelectOnly(pfigSource);
    _sourceObjPath = exportTempObj(_job, makeTempName("tempg8-src2-{}"));
}

void KvrPipelineRun::loadStockFigure()
{
    _pfigStock = _job.loadStockFigure(StockFigureOf(_job.params()->eSourceGeneration), _eResolution,
                                      _job.params()->iSubdLevelSource);
}

void KvrPipelineRun::exportStockFigure()
{
    _stockObjPath = exportTempObj(_job, makeTempName("tempg8-tgt-{}"));
}

void KvrPipelineRun::removeStockFigure()
{
    deleteNode(_pfigStock);
    _pfigStock = nullptr;
}

void KvrPipelineRun::importStockMesh()
{
    _pStockMesh = importTempObj(_job, _stockObjPath);
}

void KvrPipelineRun::createConvertedMorph()
{
    loadMorphFromObj(_job, _pStockMesh, _sourceObjPath, false, 0, pcszTempMorph, pcszTempMorphGroup, {}, 0.0f);
}

void KvrPipelineRun::dialConvertedMorph()
{
    tav::daz::GetMorphValueProperty(tav::daz::FindMorph(_pStockMesh, pcszTempMorph))->setValue(1.0f);
}

void KvrPipelineRun::removeTempNodes()
{
    KvrJobState& state = _job.state();
    for (const QPointer<DzNode>& pNode : state.tempNodes) {
        if (pNode && dzScene->findNodeIndex(pNode) != -1)
            dzScene->removeNode(pNode);
    }
    state.tempNodes.clear();
}
