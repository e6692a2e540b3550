#include "kvr_convert-figure-target.h"

#include <cfloat>
#include <cmath>
#include <fmt/format.h>

#include "dzfigure.h"
#include "dzfloatproperty.h"
#include "kvr_convert-figure-tempobj.h"
#include "kvr_converter.h"
#include "tv_daz-helpers-scene.h"
#include "tv_str.h"
#include "tv_wait-cursor.h"

namespace {

using tav::daz::PropertyScope;

// The transforms copied from the source onto the target, in this order. Y translation is not
// copied: the target stands on the floor.
const char* const apcszAlignedTransforms[] = {"XTranslate", "ZTranslate", "XRotate", "YRotate", "ZRotate"};

const float fThighStance = 6.5f;        // degrees about Z, left thigh +, right thigh -
const float fHeightStep = 0.005f;       // proportional-height change per try
const int cMaxHeightSteps = 2001;

DzFloatProperty* NodeTransform(DzNode* pNode, const char* pcszName)
{
    return tav::daz::GetFloatProperty(pNode, PropertyScope::Node, pcszName, true);
}

// Saves the value before the job's first change of the property and sets the new one.
void SetSaved(KvrJobState& state, DzFloatProperty* pProperty, float fValue)
{
    state.mapSavedValues.emplace(pProperty, pProperty->getValue());
    pProperty->setValue(fValue);
}

float Height(DzNode* pNode)
{
    return pNode->getWorldBoundingBox().getMax().m_y;
}

bool IsGenesis8(KvrSourceGeneration eGeneration)
{
    return eGeneration == KvrSourceGeneration::Genesis8Female || eGeneration == KvrSourceGeneration::Genesis8Male;
}

} // namespace

void normalizeFigures(KvrConverter& job)
{
    KvrJobState& state = job.state();
    DzFigure* pfigSource = job.params()->pfigSource;
    DzFigure* pfigTarget = job.params()->pfigTarget;

    for (const char* pcszName : apcszAlignedTransforms) {
        const float fSource = NodeTransform(pfigSource, pcszName)->getValue();
        DzFloatProperty* pTarget = NodeTransform(pfigTarget, pcszName);
        if (std::fabs(fSource - pTarget->getValue()) > FLT_EPSILON)
            SetSaved(state, pTarget, fSource);
    }
    SetSaved(state, NodeTransform(pfigTarget, "YTranslate"), 0.0f);

    state.savedSourceLabel = tav::ToUtf8(pfigSource->getLabel());
    pfigSource->setLabel(tav::ToQString(fmt::format("{}-{}", state.savedSourceLabel, makeTempId())));
}

void restoreFigures(KvrConverter& job)
{
    KvrJobState& state = job.state();
    for (const auto& [pProperty, fValue] : state.mapSavedValues)
        pProperty->setValue(fValue);
    state.mapSavedValues.clear();

    DzFigure* pfigSource = job.params()->pfigSource;
    if (!state.savedSourceLabel.empty()) {
        pfigSource->setLabel(tav::ToQString(state.savedSourceLabel));
        state.savedSourceLabel.clear();
    }
    if (state.bSourceSetToBase)
        tav::daz::SetNodeResolution(pfigSource, job.sourceResolution(), false);
}

void poseThighs(const KvrConverter& job, DzFigure* pFigure, bool bOn)
{
    if (!IsGenesis8(job.params()->eSourceGeneration))
        return;
    tav::daz::SetBoneFloatPropertyValue(pFigure, "l_thigh", "ZRotate", bOn ? fThighStance : 0.0f);
    tav::daz::SetBoneFloatPropertyValue(pFigure, "r_thigh", "ZRotate", bOn ? -fThighStance : 0.0f);
}

void autoAdjustProportionalHeight(DzFigure* pfigTarget, DzFloatProperty* pprpHeight, DzFigure* pfigSource)
{
    tav::WaitCursor waitCursor(false);
    float fValue = pprpHeight->getValue();
    const float fSourceHeight = Height(pfigSource);
    const bool bGrow = fSourceHeight > Height(pfigTarget);

    for (int i = 0; i < cMaxHeightSteps; ++i) {
        const float fTargetHeight = Height(pfigTarget);
        if (bGrow ? fTargetHeight > fSourceHeight : fSourceHeight > fTargetHeight)
            break;
        fValue += bGrow ? fHeightStep : -fHeightStep;
        pprpHeight->setValue(fValue);
    }
}
