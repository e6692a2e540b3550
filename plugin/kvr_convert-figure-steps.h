#pragma once

#include <map>
#include <string>
#include <vector>

#include "kvr_types.h"

class KvrConverter;

// The steps of a conversion, numbered as the user sees them in the progress indicator.
enum class KvrStep : int {
    NormalizeTarget = 1,
    ExportSource = 2,
    LoadStockFigure = 3,
    ExportStockFigure = 4,
    RemoveStockFigure = 5,
    ImportStockMesh = 6,
    CreateConvertedMorph = 7,
    DialConvertedMorph = 8,
    LoadTempG9 = 9,
    ExportTempG9 = 10,
    RemoveTempG9 = 11,
    ImportFitSuit = 12,
    RunTransferUtility = 13,
    DialFitSuitMorphs = 14,
    ExportFitSuit = 15,
    AdjustTarget = 16,
    CreateFullFigureMorph = 17,
    CreateHeadMorph = 18,
    CreateBodyMorph = 19,
};

using KvrStepTable = std::map<int, std::string>;

// Every step's text by number.
KvrStepTable makeStepTable();

// The text of a step; a number missing from the table is an internal error.
const std::string& stepText(const KvrStepTable& mapSteps, KvrStep eStep);

// The step texts of one job: steps 1 to 16, then one per requested morph. The resolution does
// not change the plan.
std::vector<std::string> buildStepPlan(const KvrConverter& job, KvrResolution eResolution, KvrJobFlags flags);
