#include "tv_daz-helpers-progress.h"

#include "dzapp.h"
#include "dzprogress.h"
#include "tv_assert.h"
#include "tv_dlg_action-box.h"
#include "tv_exception.h"
#include "tv_str.h"

namespace tav::daz {

namespace {

// The confirmation box: Cancel is the default button, so Enter stops the job; no icon.
const int iConfirmDefaultButtonMode = CancelIsDefault;
const int iConfirmSeverity = 0;

} // namespace

StepProgress::StepProgress(std::vector<std::string> steps, bool bCancellable) : _steps(std::move(steps)), cSteps(_steps.size())
{
    TV_ASSERT_AT(cSteps > 0, "cSteps > 0", "z_tavrenikShared\\tv_daz-helpers", 1898);
    const std::string& first = _steps[currentStep++];
    _pProgress = std::make_unique<DzProgress>(ToQString(first), int(cSteps), bCancellable, false);
}

StepProgress::~StepProgress() = default;

void StepProgress::nextStep(bool confirm)
{
    TV_ASSERT_AT(currentStep < cSteps, "currentStep < cSteps", "z_tavrenikShared\\tv_daz-helpers", 1905);
    const std::string& text = _steps[currentStep++];
    _pProgress->setInfo(ToQString(text));
    _pProgress->step(1);
    if (confirm
        && !askAction(dzApp->getDialogParent(), "Next step?", fmt::format("Next step: {}", text), "Continue",
                      iConfirmDefaultButtonMode, iConfirmSeverity))
        throw CanceledException();
}

bool StepProgress::isCancelled() const
{
    return _pProgress->isCancelled();
}

void StepProgress::cancel()
{
    _pProgress->cancel();
}

} // namespace tav::daz
