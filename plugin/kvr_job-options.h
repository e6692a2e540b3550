#pragma once

#include <cstdint>

#include "kvr_report.h"
#include "kvr_types.h"

// What the user chose in the Convert dialog for one job.
struct KvrJobOptions {
    KvrMorphTexts paths;  // each new morph's property group
    bool bConfirmSteps = false;  // every step waits for the user's go-ahead
    KvrJobFlags flags;  // the morphs to create
    KvrMorphTexts names;
    KvrResolution eResolution = KvrResolution::Base;
    int iSubdLevel = 0;  // the source's subdivision level with Subd, 0 with Base
};

// What a job made.
struct KvrJobResult {
    KvrMorphReports reports;  // in the order full, head, body
    KvrMissingMorphs missing;  // source morphs the transfer could not carry over
    int64_t iDurationMs = 0;  // from the user's choices read to the end of the pipeline
};
