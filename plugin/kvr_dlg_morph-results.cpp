#include "kvr_dlg_morph-results.h"

#include <QGroupBox>
#include <QListWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <fmt/format.h>
#include <string>

#include "dzfigure.h"
#include "kvr_new-morphs-panel.h"
#include "tv_identity.h"
#include "tv_str.h"
#include "ui_kvr_dlg_success.h"

namespace {

constexpr const char* pcszReport =
    "<p>The morphs of the source figure {} have been converted one by one.</p>"
    "<p>The target figure <b>{}</b> now contains {}:</p><p>Time taken: {}</p>{}";
constexpr const char* pcszCancelled =
    "<p><b>The conversion was cancelled.</b> The morphs made before it stopped are kept and "
    "listed below; the others were not converted.</p>";
constexpr const char* pcszSkippedTitle = "Skipped: these morphs change nothing, so no morph was made";
// The skipped list scrolls beyond this many lines.
constexpr int iSkippedLinesShown = 4;

// The morphs the batch made, in its order; skipped source morphs made none.
KvrMorphReports NewMorphs(const KvrMorphBatchResult& result)
{
    KvrMorphReports made;
    for (const KvrConvertedMorph& morph : result.morphs)
        made.insert(made.end(), morph.reports.begin(), morph.reports.end());
    return made;
}

} // namespace

class KvrMorphResultsDialog::Impl {
public:
    void addSkipped(const KvrMorphBatchResult& result);

    Ui::SuccessDialog ui;
    std::unique_ptr<KvrNewMorphsPanel> pPanel;
};

void KvrMorphResultsDialog::Impl::addSkipped(const KvrMorphBatchResult& result)
{
    QStringList skipped;
    for (const KvrConvertedMorph& morph : result.morphs)
        if (morph.bSkipped)
            skipped << tav::ToQString(morph.sourceLabel);
    if (skipped.isEmpty())
        return;
    auto* pgrp = new QGroupBox(QString::fromLatin1(pcszSkippedTitle));
    pgrp->setObjectName(QString::fromLatin1("pgrpSkipped"));
    auto* plst = new QListWidget;
    plst->setObjectName(QString::fromLatin1("plstSkipped"));
    plst->addItems(skipped);
    plst->setSelectionMode(QAbstractItemView::NoSelection);
    plst->setMaximumHeight(plst->sizeHintForRow(0) * std::min(int(skipped.size()), iSkippedLinesShown)
                           + 2 * plst->frameWidth());
    auto* pvert = new QVBoxLayout(pgrp);
    pvert->addWidget(plst);
    ui.pvertMain->insertWidget(2, pgrp);
}

KvrMorphResultsDialog::KvrMorphResultsDialog(QWidget* parent, KvrParamsPtr pParams,
                                             const KvrMorphBatchResult& result, std::string_view timeText)
    : tav::DialogBase(parent), _pImpl(std::make_unique<Impl>())
{
    Impl& d = *_pImpl;
    d.ui.setupUi(this);
    setObjectName(QString::fromLatin1("MorphResultsDialog"));
    const KvrMorphReports made = NewMorphs(result);
    d.ui.plblIntro->setText(tav::ToQString(fmt::format(
        pcszReport, tav::str::Quoted(pParams->pfigSource->getLabel()),
        tav::str::Quoted(pParams->pfigTarget->getLabel()),
        tav::str::CountText(made.size(), "one new morph", "%d new morphs"), timeText,
        result.bCancelled ? pcszCancelled : "")));

    d.pPanel = std::make_unique<KvrNewMorphsPanel>(
        // Converted here, where the private base is reachable.
        static_cast<tav::DialogBase*>(this), static_cast<QObject*>(this), pParams->pfigTarget, made,
        KvrSaveWidgets{d.ui.pcboContentLibrary, d.ui.pledVendorName, d.ui.pledProductName,
                       d.ui.pchkCompressFiles, d.ui.pbtnSaveMorphAssets},
        true);
    d.ui.pvertMain->insertWidget(1, d.pPanel->group());
    d.addSkipped(result);
    addButtonRow(d.ui.pvertMain, "Close", "");
    // As tall as the rows shown whole need: a long list scrolls instead of growing the dialog.
    setMinimumSize(minimumSizeHint());
    resize(sizeHint().width(), minimumSizeHint().height());
    setUpWindow("Morphs converted", QString::fromUtf8(tav::pcszPluginName),
                QString::fromLatin1("winpos_dlg_morph-results"));
    show();
}

KvrMorphResultsDialog::~KvrMorphResultsDialog() = default;

void KvrMorphResultsDialog::done(int iResult)
{
    tav::DialogBase::done(iResult);
    // Later, not now: done() may run inside the Close button's own click.
    deleteLater();
}

void KvrMorphResultsDialog::slotPropertyValueChanged()
{
    _pImpl->pPanel->propertyValueChanged(sender());
}

void KvrMorphResultsDialog::slotPropertyRemoved()
{
    _pImpl->pPanel->propertyRemoved(sender());
}
