#pragma once

#include <memory>
#include <string>
#include <vector>

#include "kvr_job-options.h"
#include "tv_daz-helpers-scene-morphs.h"
#include "tv_daz-helpers-tracker.h"

class DzFigure;
class DzNode;
class KvrConverter;

// The source's shape as a morph of the stock mesh, carried onto the fit suit by name.
inline const char* const pcszTempMorph = "Temporary high-res morph";

// One pass of a job through its steps: the job and the user's choices, what each step hands to
// the next, and what the job has made. Every step is a function of it.
struct KvrConversion {
    KvrConversion(KvrConverter& job, const KvrJobOptions& options) : job(job), options(options) {}

    KvrConverter& job;
    const KvrJobOptions& options;
    KvrJobResult result;

    // The source and its stock figure.
    std::string sourceObjPath;  // the converted shape: the source's second export
    DzFigure* pfigStock = nullptr;
    std::string stockObjPath;
    DzNode* pStockMesh = nullptr;  // the stock figure as re-imported, the transfer's source
    // The stock mesh's morphs the Transfer Utility carries onto the fit suit, each with the
    // value it is dialled to there.
    std::vector<tav::daz::ActiveMorph> morphsToTransfer{{pcszTempMorph, 1.0f}};

    // The fit suit.
    DzFigure* pfigTempG9 = nullptr;
    std::string fitSuitObjPath;
    DzNode* pFitSuit = nullptr;  // the fit suit as imported, the transfer's target
    // Records the nodes added from the fit suit import on: the Transfer Utility's result is one.
    std::unique_ptr<tav::daz::NodeAdditionTracker> pFitSuitTracker;
    DzFigure* pfigResult = nullptr;  // the figure the Transfer Utility made of the fit suit
    std::string riggedObjPath;  // its converted shape, the new morphs' source
};

// The work of one step.
using KvrStepFunction = void (*)(KvrConversion& c);
