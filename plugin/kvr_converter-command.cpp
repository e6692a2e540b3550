// The command behind the convert action: one job from the selection to the Success dialog.
#include <QDialog>

#include "kvr_convert-figure-pipeline.h"
#include "kvr_convert-figure-select.h"
#include "kvr_converter.h"
#include "kvr_dlg_convert-figure.h"
#include "kvr_dlg_success.h"
#include "kvr_job-report.h"
#include "tv_log.h"

namespace {

// The choices in the order the job takes them: the property paths, then the job's clock starts,
// then the rest.
KvrJobOptions ReadJobOptions(const KvrConvertDialog& dialog, KvrConverter& job)
{
    KvrJobOptions options;
    options.paths = dialog.morphPaths();
    job.startClock();
    options.bConfirmSteps = dialog.confirmSteps();
    options.flags = dialog.jobFlags();
    options.names = dialog.morphNames();
    options.eResolution = dialog.resolution(&options.iSubdLevel);
    return options;
}

} // namespace

void KvrConverter::exec_X(QWidget* parent)
{
    // The Leaving line is written also when the job unwinds with an exception.
    tav::ScopeLog scopeLog("KvrConverter::exec_X()");
    KvrConverter job(validateSelection());

    KvrJobOptions options;
    {
        KvrConvertDialog dialog(parent, job.params(), job.activeMorphs().size(), job.title(), job.appSettings());
        if (dialog.exec() != QDialog::Accepted)
            return;
        options = ReadJobOptions(dialog, job);
    }

    const KvrJobResult result = runPipeline(job, options);
    // Modeless: it shows itself and deletes itself when closed.
    new KvrSuccessDialog(parent, job.params(), result.reports, jobDurationText(result.iDurationMs),
                         missingMorphsNote(result.missing));
}
