#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kvr_report.h"
#include "kvr_types.h"

// A batch converts a source's morphs one by one, each into morphs of its own on the Genesis 9.
// These records pass between the Convert morphs dialog, the batch and the results dialog.

// One morph of the source's catalogue as the dialog lists it.
struct KvrSourceMorph {
    std::string name;  // the property's name, unique on the source
    std::string label;
    std::string group;  // its property group path
    float fValue = 0.0f;  // its value on the source when the dialog opened
};

// One source morph to convert, and the names and property paths of what it becomes.
struct KvrMorphOrder {
    std::string sourceName;
    std::string sourceLabel;
    KvrMorphTexts names;  // the full-figure text, or the head and body texts, as the flags say
    KvrMorphTexts paths;
};

// What the user chose in the Convert morphs dialog.
struct KvrMorphBatchOptions {
    std::vector<KvrMorphOrder> orders;  // converted in this order
    KvrJobFlags flags;  // FullFigureMorph, or HeadMorph and BodyMorph
    KvrResolution eResolution = KvrResolution::Base;
    int iSubdLevel = 0;  // the source's subdivision level with Subd, 0 with Base
};

// What one source morph became.
struct KvrConvertedMorph {
    std::string sourceName;
    std::string sourceLabel;
    KvrMorphReports reports;  // empty when skipped
    bool bSkipped = false;  // the source morph moves nothing, so nothing was made of it
};

// What a batch made.
struct KvrMorphBatchResult {
    std::vector<KvrConvertedMorph> morphs;  // the morphs done, in the orders' order
    bool bCancelled = false;  // the user stopped the batch between two morphs
    int64_t iDurationMs = 0;
};
