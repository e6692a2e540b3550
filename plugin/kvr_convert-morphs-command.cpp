#include "kvr_convert-morphs-command.h"

#include <QDialog>

#include "kvr_convert-figure-select.h"
#include "kvr_convert-morphs-batch.h"
#include "kvr_converter.h"
#include "kvr_dlg_convert-morphs.h"
#include "kvr_dlg_morph-results.h"
#include "kvr_job-report.h"
#include "kvr_morph-catalogue.h"
#include "tv_log.h"

void execConvertMorphs_X(QWidget* parent)
{
    // The Leaving line is written also when the batch unwinds with an exception.
    tav::ScopeLog scopeLog("execConvertMorphs_X()");
    KvrConverter job(validateSelection(), KvrSourceCheck::AnyShape);

    KvrMorphBatchOptions options;
    {
        KvrConvertMorphsDialog dialog(parent, job.params(), SourceMorphCatalogue(job.params()->pfigSource),
                                      job.appSettings());
        if (dialog.exec() != QDialog::Accepted)
            return;
        options = dialog.options();
    }
    job.startClock();

    const KvrMorphBatchResult result = runMorphBatch(job, options);
    // Modeless: it shows itself and deletes itself when closed.
    new KvrMorphResultsDialog(parent, job.params(), result, jobDurationText(result.iDurationMs));
}
