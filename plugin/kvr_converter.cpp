#include "kvr_converter.h"

#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <algorithm>
#include <fmt/format.h>
#include <fmt/ranges.h>

#include "dzapp.h"
#include "dzfigure.h"
#include "kvr_convert-figure-pipeline.h"
#include "kvr_convert-figure-select.h"
#include "kvr_dlg_convert-figure.h"
#include "kvr_dlg_success.h"
#include "tv_daz-helpers-app.h"
#include "tv_exception.h"
#include "tv_identity.h"
#include "tv_log.h"
#include "tv_str.h"

std::string missingMorphsNote(const KvrMissingMorphs& missing)
{
    if (missing.empty())
        return {};
    std::vector<std::string> items;
    for (const auto& [name, fValue] : missing)
        items.push_back(fmt::format("{} ({:03.1f}%)", name, fValue * 100.0f));
    return fmt::format("<p><b>Note:</b> The following morphs had non-zero values in the source figure but could not be "
                       "found in the target figure created by the Transfer Utility:</p><ul><li>{}</li></ul>",
                       fmt::join(items, "</li><li>"));
}

std::string jobDurationText(int64_t iMilliseconds)
{
    return tav::str::FormatDuration(uint64_t(std::max<int64_t>(iMilliseconds, 0) / 1000));
}

void KvrConverter::exec_X(QWidget* parent)
{
    // The Leaving line is written also when the job unwinds with an exception.
    tav::ScopeLog scopeLog("KvrConverter::exec_X()");
    KvrConverter job(validateSelection());

    KvrMorphTexts paths;
    KvrMorphTexts names;
    KvrJobFlags flags;
    KvrResolution eResolution = KvrResolution::Base;
    QElapsedTimer clock;
    {
        KvrConvertDialog dialog(parent, job.params(), job.activeMorphs().size(), job.title(), job.appSettings());
        if (dialog.exec() != QDialog::Accepted)
            return;
        paths = dialog.morphPaths();
        clock.start();
        job.state().bConfirmSteps = dialog.confirmSteps();
        flags = dialog.jobFlags();
        names = dialog.morphNames();
        int iSubdLevel = 0;  // the pipeline builds at the source's own level
        eResolution = dialog.resolution(&iSubdLevel);
    }

    KvrMorphReports report;
    KvrMissingMorphs missing;
    runPipeline(job, report, eResolution, paths, names, flags, missing);
    const std::string note = missingMorphsNote(missing);
    const std::string timeText = jobDurationText(clock.elapsed());
    // Modeless: it shows itself and deletes itself when closed.
    new KvrSuccessDialog(parent, job.params(), report, timeText, note);
}

KvrConverter::KvrConverter(KvrParamsPtr pParams)
    : _appSettings(QString::fromUtf8(tav::pcszPluginName)),
      _pContentMgr(tav::daz::GetContentMgr()),
      _pParams(std::move(pParams)),
      _tempDir(tav::ToUtf8(QDir::tempPath()))
{
    _stockPaths.resolveFigures(_pContentMgr);

    DzFigure* pfigSource = _pParams->pfigSource;
    _activeMorphs = tav::daz::NodeMorphs(pfigSource).ActiveMorphs();
    if (_activeMorphs.empty()) {
        throw tav::Exception("source figure {} has no morphs dialed in; nothing to do",
                             tav::ToUtf8(pfigSource->getLabel()));
    }
    _eSourceResolution = tav::daz::GetNodeResolution(pfigSource);
    _title = fmt::format("{} converted to G9", tav::ToUtf8(pfigSource->getLabel()));
}

const std::string& KvrConverter::headSplitDFormerPath()
{
    KvrContentPath& path = _stockPaths.headSplitDFormer;
    if (path.absolute.empty())
        path.absolute = resolveContentPath(_pContentMgr, path.relative);
    return path.absolute;
}

DzFigure* KvrConverter::loadStockFigure(KvrStockFigure eFigure, KvrResolution eResolution, int iSubdLevel)
{
    return ::loadStockFigure(_pContentMgr, _stockPaths, eFigure, eResolution, iSubdLevel);
}
