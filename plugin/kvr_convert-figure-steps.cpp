#include "kvr_convert-figure-steps.h"

#include "kvr_convert-figure-fitsuit.h"
#include "kvr_convert-figure-morphs.h"
#include "kvr_convert-figure-source.h"
#include "kvr_convert-figure-target.h"
#include "tv_assert.h"

const std::vector<KvrStep>& conversionSteps()
{
    static const std::vector<KvrStep> steps = {
        {1, "Normalizing target G9 figure", &prepareFigures, {}},
        {2, "Exporting source as OBJ", &exportSource, {}},
        {3, "Loading stock figure for morph conversion", &loadStockFigureStep, {}},
        {4, "Exporting stock figure as OBJ for morph conversion", &exportStockFigure, {}},
        {5, "Removing stock figure", &removeStockFigure, {}},
        {6, "Loading stock figure OBJ again", &importStockMesh, {}},
        {7, "Creating converted morph", &createConvertedMorph, {}},
        {8, "Dialing up converted morph", &dialConvertedMorph, {}},
        {9, "Loading temporary G9 for fit suit", &loadTempG9, {}},
        {10, "Exporting temporary G9 as OBJ for fit suit", &exportTempG9, {}},
        {11, "Removing temporary G9", &removeTempG9, {}},
        {12, "Loading fit suit OBJ again", &importFitSuit, {}},
        {13, "Running Transfer Utility to create morphs in fit suit OBJ", &runTransferUtility, {}},
        {14, "Dialing up morphs in fit suit with transfers", &dialFitSuitMorphs, {}},
        {15, "Exporting fit suit with transfers as OBJ again", &exportFitSuit, {}},
        {16, "Adjusting target G9 before creating morphs", &adjustTarget, {}},
        {17, "Creating full figure morph", &createFullFigureMorph, KvrJobFlag::FullFigureMorph},
        {18, "Creating head morph", &createHeadMorph, KvrJobFlag::HeadMorph},
        {19, "Creating body morph", &createBodyMorph, KvrJobFlag::BodyMorph},
    };
    return steps;
}

KvrStepTable makeStepTable()
{
    KvrStepTable mapSteps;
    for (const KvrStep& step : conversionSteps())
        mapSteps.emplace(step.iNumber, step.pcszText);
    return mapSteps;
}

const std::string& stepText(const KvrStepTable& mapSteps, int iNumber)
{
    const auto it = mapSteps.find(iNumber);
    TV_ASSERT_AT(it != mapSteps.end(), "it != mapSteps.end()", "kvr_convert-figure", 266);
    return it->second;
}

std::vector<const KvrStep*> planSteps(KvrJobFlags flags)
{
    std::vector<const KvrStep*> plan;
    for (const KvrStep& step : conversionSteps()) {
        if (step.requestedBy.empty() || (flags.mask() & step.requestedBy.mask()) != 0)
            plan.push_back(&step);
    }
    return plan;
}

std::vector<std::string> buildStepPlan(KvrJobFlags flags)
{
    const KvrStepTable mapSteps = makeStepTable();
    std::vector<std::string> texts;
    for (const KvrStep* pStep : planSteps(flags))
        texts.push_back(stepText(mapSteps, pStep->iNumber));
    return texts;
}

std::vector<KvrPlannedStep> planConversion(KvrConversion& c)
{
    const std::vector<const KvrStep*> steps = planSteps(c.options.flags);
    const std::vector<std::string> texts = buildStepPlan(c.options.flags);
    std::vector<KvrPlannedStep> plan;
    for (size_t i = 0; i < steps.size(); ++i) {
        const KvrStepFunction run = steps[i]->run;
        plan.push_back({texts[i], [&c, run] { run(c); }});
    }
    return plan;
}
