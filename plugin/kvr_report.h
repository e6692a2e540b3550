#pragma once

#include <cstdint>
#include <string>
#include <vector>

class DzFloatProperty;

// What kind of morph a job made, in the order of the job flags' bits.
enum class KvrMorphKind : int32_t {
    FullFigure = 0,
    Head = 1,
    Body = 2,
};

// One morph a job created on the target; the property is the host's.
struct KvrMorphReport {
    KvrMorphKind eKind = KvrMorphKind::FullFigure;
    std::string name;
    DzFloatProperty* pProperty = nullptr;
};

using KvrMorphReports = std::vector<KvrMorphReport>;
