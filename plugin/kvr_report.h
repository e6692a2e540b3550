#pragma once

#include <string>
#include <vector>

#include "kvr_types.h"

class DzFloatProperty;

// One morph a job created on the target; the property is the host's.
struct KvrMorphReport {
    KvrMorphKind eKind = KvrMorphKind::FullFigure;
    std::string name;
    DzFloatProperty* pProperty = nullptr;
};

using KvrMorphReports = std::vector<KvrMorphReport>;
