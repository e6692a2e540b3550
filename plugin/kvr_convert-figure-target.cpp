#include "kvr_convert-figure-target.h"

#include <cfloat>
#include <cmath>
#include <fmt/format.h>

#include "dzfigure.h"
#include "dzfloatproperty.h"
#include "kvr_convert-figure-stage.h"
#include "kvr_convert-figure-tempobj.h"
#include "kvr_converter.h"
#include "kvr_generations.h"
#include "tv_daz-helpers-scene.h"
#include "tv_str.h"

namespace {

DzFloatProperty* NodeTransform(DzNode* pNode, const char* pcszName)
{
    return tav::daz::GetFloatProperty(pNode, tav::daz::PropertyScope::Node, pcszName, true);
}

} // namespace

void prepareFigures(KvrConversion& c)
{
    normalizeFigures(c.job);
    if (c.options.eResolution == KvrResolution::Base) {
        tav::daz::SetNodeResolution(c.job.params()->pfigSource, tav::daz::NodeResolution::BaseResolution, true);
        c.job.noteChange(KvrJobChange::SourceSetToBase);
    }
}

void normalizeFigures(KvrConverter& job)
{
    DzFigure* pfigSource = job.params()->pfigSource;
    DzFigure* pfigTarget = job.params()->pfigTarget;

    for (const char* pcszName : apcszAlignedTransforms) {
        const float fSource = NodeTransform(pfigSource, pcszName)->getValue();
        DzFloatProperty* pTarget = NodeTransform(pfigTarget, pcszName);
        if (std::fabs(fSource - pTarget->getValue()) > FLT_EPSILON)
            job.setRemembering(pTarget, fSource);
    }
    job.setRemembering(NodeTransform(pfigTarget, pcszFloorTransform), 0.0f);

    job.relabelSource(tav::ToQString(fmt::format("{}-{}", tav::ToUtf8(pfigSource->getLabel()), makeTempId())));
    job.noteChange(KvrJobChange::FiguresNormalized);
}

void restoreFigures(KvrConverter& job)
{
    if (job.changes().has(KvrJobChange::FiguresNormalized)) {
        job.restoreRemembered();
        job.noteChange(KvrJobChange::FiguresNormalized, false);
    }
    if (job.changes().has(KvrJobChange::SourceSetToBase)) {
        tav::daz::SetNodeResolution(job.params()->pfigSource, job.sourceResolution(), false);
        job.noteChange(KvrJobChange::SourceSetToBase, false);
    }
}

void poseThighs(const KvrConverter& job, DzFigure* pFigure, bool bOn)
{
    const KvrThighPose* pPose = Generation(job.params()->eSourceGeneration).pThighPose;
    if (!pPose)
        return;
    for (const KvrBoneRotation& rotation : *pPose)
        tav::daz::SetBoneFloatPropertyValue(pFigure, rotation.pcszBone, rotation.pcszProperty,
                                            bOn ? rotation.fDegrees : 0.0f);
}
