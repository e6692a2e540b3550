#pragma once

#include <cstdint>
#include <string>

#include "kvr_types.h"

// The report's note on source morphs the transfer could not carry over (empty when none): each
// with its value in percent, one decimal.
std::string missingMorphsNote(const KvrMissingMorphs& missing);

// The job's duration in whole seconds, as the report shows it ("1:01 minutes").
std::string jobDurationText(int64_t iMilliseconds);
