#include "kvr_convert-figure-steps.h"

#include "tv_assert.h"

namespace {

const std::pair<KvrStep, const char*> aStepTexts[] = {
    {KvrStep::NormalizeTarget, "Normalizing target G9 figure"},
    {KvrStep::ExportSource, "Exporting source as OBJ"},
    {KvrStep::LoadStockFigure, "Loading stock figure for morph conversion"},
    {KvrStep::ExportStockFigure, "Exporting stock figure as OBJ for morph conversion"},
    {KvrStep::RemoveStockFigure, "Removing stock figure"},
    {KvrStep::ImportStockMesh, "Loading stock figure OBJ again"},
    {KvrStep::CreateConvertedMorph, "Creating converted morph"},
    {KvrStep::DialConvertedMorph, "Dialing up converted morph"},
    {KvrStep::LoadTempG9, "Loading temporary G9 for fit suit"},
    {KvrStep::ExportTempG9, "Exporting temporary G9 as OBJ for fit suit"},
    {KvrStep::RemoveTempG9, "Removing temporary G9"},
    {KvrStep::ImportFitSuit, "Loading fit suit OBJ again"},
    {KvrStep::RunTransferUtility, "Running Transfer Utility to create morphs in fit suit OBJ"},
    {KvrStep::DialFitSuitMorphs, "Dialing up morphs in fit suit with transfers"},
    {KvrStep::ExportFitSuit, "Exporting fit suit with transfers as OBJ again"},
    {KvrStep::AdjustTarget, "Adjusting target G9 before creating morphs"},
    {KvrStep::CreateFullFigureMorph, "Creating full figure morph"},
    {KvrStep::CreateHeadMorph, "Creating head morph"},
    {KvrStep::CreateBodyMorph, "Creating body morph"},
};

// Each requested morph adds its step, in the order of the flags' bits.
const std::pair<KvrJobFlag, KvrStep> aMorphSteps[] = {
    {KvrJobFlag::FullFigureMorph, KvrStep::CreateFullFigureMorph},
    {KvrJobFlag::HeadMorph, KvrStep::CreateHeadMorph},
    {KvrJobFlag::BodyMorph, KvrStep::CreateBodyMorph},
};

} // namespace

KvrStepTable makeStepTable()
{
    KvrStepTable mapSteps;
    for (const auto& [eStep, pcszText] : aStepTexts)
        mapSteps.emplace(int(eStep), pcszText);
    return mapSteps;
}

const std::string& stepText(const KvrStepTable& mapSteps, KvrStep eStep)
{
    const auto it = mapSteps.find(int(eStep));
    TV_ASSERT_AT(it != mapSteps.end(), "it != mapSteps.end()", "kvr_convert-figure", 266);
    return it->second;
}

std::vector<std::string> buildStepPlan(const KvrConverter&, KvrResolution, KvrJobFlags flags)
{
    const KvrStepTable mapSteps = makeStepTable();
    std::vector<std::string> plan;
    for (int i = int(KvrStep::NormalizeTarget); i <= int(KvrStep::AdjustTarget); ++i)
        plan.push_back(stepText(mapSteps, KvrStep(i)));
    for (const auto& [eFlag, eStep] : aMorphSteps) {
        if (flags.has(eFlag))
            plan.push_back(stepText(mapSteps, eStep));
    }
    return plan;
}
