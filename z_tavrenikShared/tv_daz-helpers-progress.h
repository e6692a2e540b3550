#pragma once

#include <memory>
#include <string>
#include <vector>

class DzProgress;

namespace tav::daz {

// Shows a job's named steps one after the other in the host's progress indicator. The first
// step's text shows from construction; each later step begins with nextStep. Destruction ends
// the progress, also when the job unwinds with an exception. A cancellable progress lets the user
// ask to stop; the job reads isCancelled() where it can stop cleanly.
class StepProgress {
public:
    explicit StepProgress(std::vector<std::string> steps, bool bCancellable = false);
    ~StepProgress();
    StepProgress(const StepProgress&) = delete;
    StepProgress& operator=(const StepProgress&) = delete;

    // Shows the next step. With `confirm` the user is then asked ("Next step?") whether to do
    // it; declining throws tav::CanceledException before the step's work runs.
    void nextStep(bool confirm);

    // The user asked to stop (only ever with a cancellable progress).
    bool isCancelled() const;
    // Asks to stop, as the user's Cancel does.
    void cancel();

    size_t stepCount() const { return cSteps; }
    // How many steps have begun (1 after construction).
    size_t stepsBegun() const { return currentStep; }

private:
    std::unique_ptr<DzProgress> _pProgress;
    std::vector<std::string> _steps;
    size_t cSteps;
    size_t currentStep = 0;
};

} // namespace tav::daz
