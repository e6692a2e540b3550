#include "kvr_convert-figure-runner.h"

#include "tv_daz-helpers-progress.h"

namespace {

std::vector<std::string> TextsOf(const std::vector<KvrPlannedStep>& plan)
{
    std::vector<std::string> texts;
    for (const KvrPlannedStep& step : plan)
        texts.push_back(step.text);
    return texts;
}

} // namespace

KvrStepRunner::KvrStepRunner(std::vector<KvrPlannedStep> plan, bool bConfirm)
    : _plan(std::move(plan)),
      _bConfirm(bConfirm),
      _pProgress(std::make_unique<tav::daz::StepProgress>(TextsOf(_plan)))
{
}

KvrStepRunner::~KvrStepRunner() = default;

void KvrStepRunner::runAll()
{
    for (size_t i = 0; i < _plan.size(); ++i) {
        if (i > 0)
            _pProgress->nextStep(_bConfirm);
        _plan[i].run();
    }
}

void KvrStepRunner::finish()
{
    _pProgress.reset();
}
