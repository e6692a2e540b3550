#include "kvr_dlg_success.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <exception>
#include <fmt/format.h>
#include <string>
#include <vector>

#include "dzapp.h"
#include "dzappsettings.h"
#include "dzauthor.h"
#include "dzcontentmgr.h"
#include "dzfigure.h"
#include "dzfloatproperty.h"
#include "tv_app_settings.h"
#include "tv_ctl_slider.h"
#include "tv_daz-helpers-assets.h"
#include "tv_daz-helpers-params.h"
#include "tv_gui.h"
#include "tv_gui_button.h"
#include "tv_gui_check_radio.h"
#include "tv_identity.h"
#include "tv_msgbox.h"
#include "tv_str.h"
#include "ui_kvr_dlg_success.h"

namespace {

constexpr const char* pcszReport =
    "<p>The source figure {} has been converted successfully.</p>"
    "<p>The target figure <b>{}</b> now contains {}:</p><p>Time taken: {}</p>{}";
constexpr const char* pcszRowCheckToolTip =
    "Check the box if you would like to save this morph as a support asset using the below "
    "settings.";
constexpr const char* pcszShowToolTip =
    "Press %% to reveal the new morph dial in the ``Parameters'' pane.";
constexpr const char* pcszSaveToolTip =
    "<p>%%: Saves the selected new morphs as support morph assets for the Genesis 9 figure.</p>"
    "<p>The button is disabled if no morphs have been selected with the checkboxes above.</p>";
constexpr const char* pcszSaved = "The {} been saved to {}";

// Who is writing the figure's property: nobody, the property's echo into the dial, or the dial.
enum UpdateGuard : int32_t {
    Idle = 0,
    DialFromProperty = 1,
    PropertyFromDial = 2,
};

} // namespace

class KvrSuccessDialog::Impl {
public:
    Impl(KvrSuccessDialog* pDialog, KvrParamsPtr pParams, const KvrMorphReports& morphs)
        : pDialog(pDialog),
          pParams(std::move(pParams)),
          appSettings(QString::fromUtf8(tav::pcszPluginName)),
          morphs(morphs),
          colours(tav::readHostColours()),
          buttons(&colours),
          lastLibrary(&appSettings, "save_last_content_library", ""),
          lastVendor(&appSettings, "save_last_vendor_name", ""),
          lastProduct(&appSettings, "save_last_product_name", "Product")
    {
        grpNewMorphs.setTitle(QString::fromLatin1("Newly created morphs"));
        grpNewMorphs.setLayout(&gridNewMorphs);
    }

    void addRow(int iRow);
    void fillSaveSettings();
    void updateSaveControls();
    void dialMoved(size_t iRow, float value);
    // The row of the property that sent a signal; -1 for any other sender.
    int rowOf(const QObject* pSender) const;
    void saveMorphAssets();

    Ui::SuccessDialog ui;
    KvrSuccessDialog* pDialog;
    KvrParamsPtr pParams;
    DzAppSettings appSettings;
    KvrMorphReports morphs;
    std::vector<std::shared_ptr<tav::FloatPropertySetting>> rowSettings;
    std::vector<std::shared_ptr<tav::FloatSliderController>> dials;
    std::vector<std::shared_ptr<tav::ButtonHandler>> showButtons;
    // The grid is declared after its box so that it is destroyed first and leaves the box.
    QGroupBox grpNewMorphs;
    QGridLayout gridNewMorphs;
    int32_t updateGuard = Idle;
    tav::ButtonHandler saveHandler;
    tav::HostColours colours;
    tav::ButtonHandlerList buttons;
    std::vector<std::string> names;
    std::vector<std::unique_ptr<tav::CheckBox>> rowChecks;
    tav::StringAppSetting lastLibrary;
    tav::StringAppSetting lastVendor;
    tav::StringAppSetting lastProduct;
};

void KvrSuccessDialog::Impl::addRow(int iRow)
{
    const KvrMorphReport& morph = morphs[size_t(iRow)];
    DzFloatProperty* pProperty = morph.pProperty;
    auto pSetting = std::make_shared<tav::FloatPropertySetting>(pProperty);
    rowSettings.push_back(pSetting);

    auto* pchk = new QCheckBox(tav::ToQString(morph.name));
    gridNewMorphs.addWidget(pchk, iRow, 0);
    auto pCheck = std::make_unique<tav::CheckBox>();
    pCheck->init(pchk, false, [this](bool) { updateSaveControls(); }, pcszRowCheckToolTip);
    rowChecks.push_back(std::move(pCheck));

    auto* phorz = new QHBoxLayout;
    gridNewMorphs.addLayout(phorz, iRow, 1);
    auto pDial = std::make_shared<tav::FloatSliderController>(
        phorz, nullptr, pSetting.get(), "", tav::SliderTextEditable | tav::SliderDisplayAsPercent,
        [this, iRow](const float& value) { dialMoved(size_t(iRow), value); });
    dials.push_back(pDial);

    auto* pbtnShow = new QPushButton(QString::fromLatin1("Show in Parameters"));
    gridNewMorphs.addWidget(pbtnShow, iRow, 2);
    auto pShow = std::make_shared<tav::ButtonHandler>();
    pShow->init(
        pbtnShow,
        [this, iRow] {
            if (DzFloatProperty* pShown = morphs[size_t(iRow)].pProperty)
                tav::daz::JumpToProperty(pShown);
        },
        pcszShowToolTip);
    showButtons.push_back(pShow);

    tav::addPresetButtons(buttons, phorz, tav::ToUtf8(pProperty->getLabel()), pSetting, pDial);

    QObject* pReceiver = pDialog;
    tav::connectOrDisconnect(pProperty, SIGNAL(currentValueChanged()), pReceiver,
                             SLOT(slotPropertyValueChanged()), true);
    tav::connectOrDisconnect(pProperty, SIGNAL(removed()), pReceiver, SLOT(slotPropertyRemoved()),
                             true);
    names.push_back(morph.name);
}

void KvrSuccessDialog::Impl::fillSaveSettings()
{
    DzContentMgr* pContentMgr = dzApp->getContentMgr();
    const int cDirectories = pContentMgr ? pContentMgr->getNumContentDirectories() : 0;
    const QString stored = tav::ToQString(lastLibrary.value());
    int iCurrent = 0;
    for (int i = 0; i < cDirectories; ++i) {
        const QString path = pContentMgr->getContentDirectoryPath(i);
        ui.pcboContentLibrary->addItem(path);
        if (path == stored)
            iCurrent = i;
    }
    ui.pcboContentLibrary->setCurrentIndex(iCurrent);

    const std::string& vendor = lastVendor.value();
    ui.pledVendorName->setText(vendor.empty() ? dzApp->getCurrentAuthor().getName()
                                              : tav::ToQString(vendor));
    ui.pledProductName->setText(tav::ToQString(lastProduct.value()));
}

void KvrSuccessDialog::Impl::updateSaveControls()
{
    bool bAnyChecked = false;
    for (const auto& pCheck : rowChecks)
        bAnyChecked = bAnyChecked || pCheck->checkBox()->isChecked();
    for (QWidget* pWidget : std::initializer_list<QWidget*>{
             ui.pcboContentLibrary, ui.pledVendorName, ui.pledProductName, ui.pchkCompressFiles,
             ui.pbtnSaveMorphAssets})
        pWidget->setEnabled(bAnyChecked);
}

void KvrSuccessDialog::Impl::dialMoved(size_t iRow, float value)
{
    if (updateGuard != Idle || !morphs[iRow].pProperty)
        return;
    updateGuard = PropertyFromDial;
    morphs[iRow].pProperty->setValue(value);
    updateGuard = Idle;
}

int KvrSuccessDialog::Impl::rowOf(const QObject* pSender) const
{
    for (size_t i = 0; i < morphs.size(); ++i)
        if (morphs[i].pProperty == pSender)
            return int(i);
    return -1;
}

void KvrSuccessDialog::Impl::saveMorphAssets()
{
    try {
        lastLibrary.assign(tav::ToUtf8(ui.pcboContentLibrary->currentText()));
        lastVendor.assign(tav::ToUtf8(ui.pledVendorName->text()));
        lastProduct.assign(tav::ToUtf8(ui.pledProductName->text()));

        std::vector<std::string> chosen;
        for (size_t i = 0; i < rowChecks.size(); ++i)
            if (rowChecks[i]->checkBox()->isChecked())
                chosen.push_back(names[i]);

        // Silent: the host's exporter options would only repeat what this dialog asked.
        tav::daz::SaveMorphSupportAssets(pParams->pfigTarget, lastLibrary.value(), lastVendor.value(),
                                         lastProduct.value(), chosen,
                                         ui.pchkCompressFiles->isChecked());
        tav::InformationMessageBox(
            "Morph support assets saved",
            fmt::format(pcszSaved,
                        tav::str::CountText(chosen.size(), "selected morph has",
                                            "%d selected morphs have"),
                        lastLibrary.value()),
            pDialog);
    } catch (const std::exception& e) {
        pDialog->showCriticalError("Failed to save morph support assets", e.what());
    }
}

KvrSuccessDialog::KvrSuccessDialog(QWidget* parent, KvrParamsPtr pParams,
                                   const KvrMorphReports& morphs, std::string_view timeText,
                                   std::string_view noteText)
    : tav::DialogBase(parent), _pImpl(std::make_unique<Impl>(this, std::move(pParams), morphs))
{
    Impl& d = *_pImpl;
    d.ui.setupUi(this);
    d.ui.plblIntro->setText(tav::ToQString(fmt::format(
        pcszReport, tav::str::Quoted(d.pParams->pfigSource->getLabel()),
        tav::str::Quoted(d.pParams->pfigTarget->getLabel()),
        tav::str::CountText(d.morphs.size(), "one new morph", "%d new morphs"), timeText, noteText)));

    for (size_t i = 0; i < d.morphs.size(); ++i)
        d.addRow(int(i));
    d.ui.pvertMain->insertWidget(1, &d.grpNewMorphs);

    d.fillSaveSettings();
    d.saveHandler.init(d.ui.pbtnSaveMorphAssets, [&d] { d.saveMorphAssets(); }, pcszSaveToolTip);
    addButtonRow(d.ui.pvertMain, "Close", "");
    d.updateSaveControls();
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
    Impl& d = *_pImpl;
    if (d.updateGuard != Idle)
        return;
    const int iRow = d.rowOf(sender());
    if (iRow < 0)
        return;
    d.updateGuard = DialFromProperty;
    d.dials[size_t(iRow)]->widget()->setValue(d.morphs[size_t(iRow)].pProperty->getValue());
    d.updateGuard = Idle;
}

void KvrSuccessDialog::slotPropertyRemoved()
{
    Impl& d = *_pImpl;
    const int iRow = d.rowOf(sender());
    if (iRow < 0)
        return;
    // The property is going away: nothing of this row may write it again, presets included.
    d.morphs[size_t(iRow)].pProperty = nullptr;
    tav::forEachWidgetInLayout(d.gridNewMorphs.itemAtPosition(iRow, 1)->layout(),
                               [](QWidget& widget) { widget.setEnabled(false); });
    d.showButtons[size_t(iRow)]->button()->setEnabled(false);
}
