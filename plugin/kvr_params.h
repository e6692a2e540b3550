#pragma once

#include <cstdint>
#include <memory>

#include "kvr_types.h"
#include "tv_settings.h"

class DzFigure;
class DzFloatProperty;

// The figures of one job and the target dials the Convert dialog binds to. Shared by the job
// and the Success dialog; the host objects are borrowed.
struct KvrParams {
    DzFigure* pfigSource = nullptr;
    int32_t iSubdLevelSource = 0;  // the source's "SubDIALevel" when selected
    KvrSourceGeneration eSourceGeneration = KvrSourceGeneration::Genesis3Female;
    DzFigure* pfigTarget = nullptr;
    DzFloatProperty* pprpProportionHeight = nullptr;  // value of the target's "body_bs_ProportionHeight"
    std::shared_ptr<tav::FloatPropertySetting> psetClone;
    std::shared_ptr<tav::FloatPropertySetting> psetBaseFeminine;
    std::shared_ptr<tav::FloatPropertySetting> psetBaseMasculine;
    std::shared_ptr<tav::FloatPropertySetting> psetProportionHeight;
};

using KvrParamsPtr = std::shared_ptr<KvrParams>;
