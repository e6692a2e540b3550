#include "kvr_dlg_success.h"

#include <fmt/format.h>

#include "dzfigure.h"
#include "kvr_new-morphs-panel.h"
#include "tv_identity.h"
#include "tv_str.h"
#include "ui_kvr_dlg_success.h"

namespace {

constexpr const char* pcszReport =
    "<p>The source figure {} has been converted successfully.</p>"
    "<p>The target figure <b>{}</b> now contains {}:</p><p>Time taken: {}</p>{}";

} // namespace

class KvrSuccessDialog::Impl {
public:
    Ui::SuccessDialog ui;
    std::unique_ptr<KvrNewMorphsPanel> pPanel;
};

KvrSuccessDialog::KvrSuccessDialog(QWidget* parent, KvrParamsPtr pParams,
                                   const KvrMorphReports& morphs, std::string_view timeText,
                                   std::string_view noteText)
    : tav::DialogBase(parent), _pImpl(std::make_unique<Impl>())
{
    Impl& d = *_pImpl;
    d.ui.setupUi(this);
    d.ui.plblIntro->setText(tav::ToQString(fmt::format(
        pcszReport, tav::str::Quoted(pParams->pfigSource->getLabel()),
        tav::str::Quoted(pParams->pfigTarget->getLabel()),
        tav::str::CountText(morphs.size(), "one new morph", "%d new morphs"), timeText, noteText)));

    d.pPanel = std::make_unique<KvrNewMorphsPanel>(
        // Converted here, where the private base is reachable.
        static_cast<tav::DialogBase*>(this), static_cast<QObject*>(this), pParams->pfigTarget, morphs,
        KvrSaveWidgets{d.ui.pcboContentLibrary, d.ui.pledVendorName, d.ui.pledProductName,
                       d.ui.pchkCompressFiles, d.ui.pbtnSaveMorphAssets},
        false);
    d.ui.pvertMain->insertWidget(1, d.pPanel->group());
    addButtonRow(d.ui.pvertMain, "Close", "");
    // The wrapped report would otherwise be squeezed below the height its lines need.
    setMinimumSize(sizeHint());
    setUpWindow("Conversion complete", QString::fromUtf8(tav::pcszPluginName),
                QString::fromLatin1("winpos_dlg_success"));
    show();
}

KvrSuccessDialog::~KvrSuccessDialog() = default;

void KvrSuccessDialog::done(int iResult)
{
    tav::DialogBase::done(iResult);
    // Later, not now: done() may run inside the Close button's own click.
    deleteLater();
}

void KvrSuccessDialog::slotPropertyValueChanged()
{
    _pImpl->pPanel->propertyValueChanged(sender());
}

void KvrSuccessDialog::slotPropertyRemoved()
{
    _pImpl->pPanel->propertyRemoved(sender());
}
