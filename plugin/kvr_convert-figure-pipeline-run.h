#pragma once

#include <memory>
#include <string>

#include "kvr_convert-figure-pipeline.h"
#include "kvr_convert-figure-steps.h"
#include "tv_daz-helpers-progress.h"
#include "tv_daz-helpers-tracker.h"

class DzFigure;
class DzNode;

// The source's shape as a morph of the stock mesh, carried onto the fit suit by name.
inline const char* const pcszTempMorph = "Temporary high-res morph";

// One run of the pipeline: its inputs and what each step hands to the next. The steps are
// grouped by what they work on: the source and its stock copy, the fit suit, the morphs.
class KvrPipelineRun {
public:
    KvrPipelineRun(KvrConverter& job, KvrMorphReports& report, KvrResolution eResolution,
                   const KvrMorphTexts& paths, const KvrMorphTexts& names, KvrJobFlags flags,
                   KvrMissingMorphs& missing);

    void run();

private:
    void nextStep();
    // Deletes the node as a user would: selected alone, then the host's delete action.
    static void deleteNode(DzNode* pNode);

    // The source's shape as a morph on a stock mesh of its generation.
    void normalizeTarget();
    void exportSource();
    void loadStockFigure();
    void exportStockFigure();
    void removeStockFigure();
    void importStockMesh();
    void createConvertedMorph();
    void dialConvertedMorph();

    // That morph carried onto a Genesis 9 fit suit and exported as the morphs' shape.
    void loadTempG9();
    void exportTempG9();
    void removeTempG9();
    void importFitSuit();
    void runTransferUtility();
    void dialFitSuitMorphs();
    void exportFitSuit();
    void adjustTarget();

    // The requested morphs on the target, then the clean-up.
    void createMorphs();
    void removeTempNodes();

    KvrConverter& _job;
    KvrMorphReports& _report;
    const KvrResolution _eResolution;
    const KvrMorphTexts& _paths;
    const KvrMorphTexts& _names;
    const KvrJobFlags _flags;
    KvrMissingMorphs& _missing;

    std::unique_ptr<tav::daz::StepProgress> _pProgress;  // ended when the morphs are done
    std::string _sourceObjPath;       // the converted shape, the second export of the source
    DzFigure* _pfigStock = nullptr;
    std::string _stockObjPath;
    DzNode* _pStockMesh = nullptr;
    DzFigure* _pfigTempG9 = nullptr;
    std::string _fitSuitObjPath;
    DzNode* _pFitSuit = nullptr;      // the fit suit as imported, the transfer's target
    // Records the nodes added from the fit suit import on: the Transfer Utility's result is one.
    std::unique_ptr<tav::daz::NodeAdditionTracker> _pFitSuitTracker;
    DzFigure* _pfigResult = nullptr;  // the figure the Transfer Utility made of the fit suit
};
