#pragma once

#include <map>
#include <string>
#include <vector>

#include "kvr_convert-figure-runner.h"
#include "kvr_convert-figure-stage.h"
#include "kvr_types.h"

// One step of a conversion: its number and text as the user sees them, and its work.
struct KvrStep {
    int iNumber;
    const char* pcszText;
    KvrStepFunction run;
    // Empty: every job takes the step; otherwise only a job that requests that morph.
    KvrJobFlags requestedBy;
};

// Every step, in the order a job runs them.
const std::vector<KvrStep>& conversionSteps();

// Every step's text by number.
using KvrStepTable = std::map<int, std::string>;
KvrStepTable makeStepTable();

// The text of a step; a number missing from the table is an internal error.
const std::string& stepText(const KvrStepTable& mapSteps, int iNumber);

// The steps a job with these flags takes: 1 to 16, then one per requested morph.
std::vector<const KvrStep*> planSteps(KvrJobFlags flags);

// Their texts, as the progress shows them.
std::vector<std::string> buildStepPlan(KvrJobFlags flags);

// The job's steps bound to its conversion, for the runner.
std::vector<KvrPlannedStep> planConversion(KvrConversion& c);
