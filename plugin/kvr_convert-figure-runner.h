#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tav::daz {
class StepProgress;
}

// One step as the runner takes it: the text the progress shows, and the work.
struct KvrPlannedStep {
    std::string text;
    std::function<void()> run;
};

// Runs a plan of steps under one host progress: the first step's text shows as soon as the
// runner exists, each later step is begun in the progress just before its work. Nothing else
// moves the progress. With confirmation the user is asked before each later step, and declining
// throws tav::CanceledException before its work.
class KvrStepRunner {
public:
    KvrStepRunner(std::vector<KvrPlannedStep> plan, bool bConfirm);
    ~KvrStepRunner();
    KvrStepRunner(const KvrStepRunner&) = delete;
    KvrStepRunner& operator=(const KvrStepRunner&) = delete;

    // Runs every step of the plan in order.
    void runAll();
    // Ends the progress display; destruction does it too, also when a step throws.
    void finish();

private:
    std::vector<KvrPlannedStep> _plan;
    bool _bConfirm;
    std::unique_ptr<tav::daz::StepProgress> _pProgress;
};
