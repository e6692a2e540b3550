#include "kvr_convert-figure-pipeline.h"

#include "kvr_convert-figure-runner.h"
#include "kvr_convert-figure-stage.h"
#include "kvr_convert-figure-steps.h"
#include "kvr_convert-figure-target.h"
#include "kvr_converter.h"
#include "tv_assert.h"
#include "tv_wait-cursor.h"

KvrJobResult runPipeline(KvrConverter& job, const KvrJobOptions& options)
{
    // The dialog offers the source's own level; the steps build at that level.
    TV_ASSERT(options.eResolution == KvrResolution::Base || options.iSubdLevel == job.params()->iSubdLevelSource);
    tav::WaitCursor busyCursor(true);
    KvrConversion conversion(job, options);
    KvrStepRunner runner(planConversion(conversion), options.bConfirmSteps);
    runner.runAll();

    job.removeTempNodes();
    poseThighs(job, job.params()->pfigTarget, false);
    runner.finish();
    restoreFigures(job);

    conversion.result.iDurationMs = job.elapsedMs();
    return std::move(conversion.result);
}
