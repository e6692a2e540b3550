#include "kvr_convert-morphs-target.h"

#include "dzfigure.h"
#include "dzfloatproperty.h"
#include "dzintproperty.h"
#include "kvr_convert-figure-stock.h"
#include "kvr_convert-figure-target.h"
#include "kvr_converter.h"
#include "kvr_generations.h"
#include "tv_daz-helpers-scene-morphs.h"

namespace {

void PlaceAtOrigin(KvrConverter& job, DzFigure* pfigTarget)
{
    for (const char* pcszName : apcszAlignedTransforms)
        job.setRemembering(tav::daz::GetFloatProperty(pfigTarget, tav::daz::PropertyScope::Node, pcszName, true), 0.0f);
    job.setRemembering(tav::daz::GetFloatProperty(pfigTarget, tav::daz::PropertyScope::Node, pcszFloorTransform, true),
                       0.0f);
}

void DialCloneAlone(KvrConverter& job, DzFigure* pfigTarget)
{
    const tav::daz::NodeMorphs morphs(pfigTarget);
    for (const tav::daz::ActiveMorph& morph : morphs.ActiveMorphs())
        job.setRemembering(morphs.byName().at(morph.name)->pProperty, 0.0f);
    const char* pcszClone = Generation(job.params()->eSourceGeneration).pcszCloneMorph;
    job.setRemembering(tav::daz::GetMorphValueProperty(tav::daz::FindMorph(pfigTarget, pcszClone)), 1.0f);
}

void StandLikeSource(KvrConverter& job, DzFigure* pfigTarget)
{
    const KvrThighPose* pPose = Generation(job.params()->eSourceGeneration).pThighPose;
    if (!pPose)
        return;
    for (const KvrBoneRotation& rotation : *pPose)
        job.setRemembering(
            tav::daz::GetBoneFloatProperty(pfigTarget, rotation.pcszBone, rotation.pcszProperty, true),
            rotation.fDegrees);
}

} // namespace

KvrMorphBatchTarget::KvrMorphBatchTarget(KvrConverter& job, KvrResolution eResolution, int iSubdLevel)
    : _job(job), _eResolution(tav::daz::GetNodeResolution(job.params()->pfigTarget))
{
    DzFigure* pfigTarget = job.params()->pfigTarget;
    _bHasSubdLevel = tav::daz::GetSubdivisionLevel(pfigTarget, &_iSubdLevel);
    PlaceAtOrigin(job, pfigTarget);
    DialCloneAlone(job, pfigTarget);
    StandLikeSource(job, pfigTarget);
    applyResolution(pfigTarget, eResolution, iSubdLevel);
}

void KvrMorphBatchTarget::restore()
{
    DzFigure* pfigTarget = _job.params()->pfigTarget;
    _job.restoreRemembered();
    tav::daz::SetNodeResolution(pfigTarget, _eResolution, false);
    if (_bHasSubdLevel)
        tav::daz::GetSubdivisionLevelProperty(pfigTarget, true)->setValue(_iSubdLevel);
}
