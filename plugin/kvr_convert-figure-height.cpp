#include "kvr_convert-figure-height.h"

#include "dzfigure.h"
#include "dzfloatproperty.h"
#include "tv_wait-cursor.h"

namespace {

const float fHeightStep = 0.005f;  // proportional-height change per try
const int cMaxHeightSteps = 2001;

float Height(DzNode* pNode)
{
    return pNode->getWorldBoundingBox().getMax().m_y;
}

} // namespace

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
