#include "kvr_new-morphs-panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>
#include <QVBoxLayout>
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
#include "dzscene.h"
#include "tv_app_settings.h"
#include "tv_ctl_slider.h"
#include "tv_daz-helpers-assets.h"
#include "tv_daz-helpers-params.h"
#include "tv_dlg_base.h"
#include "tv_exception.h"
#include "tv_gui.h"
#include "tv_gui_button.h"
#include "tv_gui_check_radio.h"
#include "tv_identity.h"
#include "tv_log.h"
#include "tv_msgbox.h"
#include "tv_str.h"

namespace {

constexpr const char* pcszRowCheckToolTip =
    "Check the box if you would like to save this morph as a support asset using the below "
    "settings.";
constexpr const char* pcszShowToolTip =
    "Press %% to reveal the new morph dial in the ``Parameters'' pane.";
constexpr const char* pcszSaveToolTip =
    "<p>%%: Saves the selected new morphs as support morph assets for the Genesis 9 figure.</p>"
    "<p>The button is disabled if no morphs have been selected with the checkboxes above.</p>";
constexpr const char* pcszSaved = "The {} been saved to {}";
constexpr const char* pcszSaveCancelled = "The save was cancelled: {} may be missing from {}";
constexpr const char* pcszTargetGone =
    "The target figure {} is no longer in the scene: its new morphs can no longer be tried or "
    "saved.";
// Rows beyond this many scroll inside the group instead of growing the dialog.
constexpr int iRowsShownWhole = 8;

// Who is writing the figure's property: nobody, the property's echo into the dial, or the dial.
enum UpdateGuard : int32_t {
    Idle = 0,
    DialFromProperty = 1,
    PropertyFromDial = 2,
};

} // namespace

class KvrNewMorphsPanel::Impl {
public:
    Impl(tav::DialogBase* pDialog, QObject* pReceiver, DzFigure* pfigTarget, const KvrMorphReports& morphs,
         const KvrSaveWidgets& save)
        : pDialog(pDialog),
          pReceiver(pReceiver),
          pfigTarget(pfigTarget),
          pTargetIdentity(pfigTarget),
          targetLabel(tav::ToUtf8(pfigTarget->getLabel())),
          save(save),
          appSettings(QString::fromUtf8(tav::pcszPluginName)),
          morphs(morphs),
          colours(tav::readHostColours()),
          buttons(&colours),
          lastLibrary(&appSettings, "save_last_content_library", ""),
          lastVendor(&appSettings, "save_last_vendor_name", ""),
          lastProduct(&appSettings, "save_last_product_name", "Product")
    {
        grpNewMorphs.setTitle(QString::fromLatin1("Newly created morphs"));
        gridNewMorphs.setObjectName(QString::fromLatin1("pgridNewMorphs"));
    }

    void layOut(bool bScrolling);
    void addRow(int iRow);
    void fillSaveSettings();
    void updateSaveControls();
    void dialMoved(size_t iRow, float value);
    int rowOf(const QObject* pSender) const;
    void disableRow(size_t iRow);
    void targetGone();
    void saveMorphAssets();
    std::vector<std::string> checkedNames() const;

    tav::DialogBase* pDialog;
    QObject* pReceiver;
    QPointer<DzFigure> pfigTarget;
    // The target as a plain object, to recognise it while it is being destroyed, when it may no
    // longer be taken as a figure.
    const QObject* pTargetIdentity;
    std::string targetLabel;  // for saying which figure is gone once it is
    KvrSaveWidgets save;
    DzAppSettings appSettings;
    KvrMorphReports morphs;
    std::vector<std::shared_ptr<tav::FloatPropertySetting>> rowSettings;
    std::vector<std::shared_ptr<tav::FloatSliderController>> dials;
    std::vector<std::shared_ptr<tav::ButtonHandler>> showButtons;
    // The grid is declared after its box so that it is destroyed first and leaves the box.
    QGroupBox grpNewMorphs;
    QGridLayout gridNewMorphs;
    QLabel* plblTargetGone = nullptr;
    bool bTargetGone = false;
    int32_t updateGuard = Idle;
    tav::ButtonHandler saveHandler;
    tav::HostColours colours;
    tav::ButtonHandlerList buttons;
    std::vector<std::unique_ptr<tav::CheckBox>> rowChecks;
    tav::StringAppSetting lastLibrary;
    tav::StringAppSetting lastVendor;
    tav::StringAppSetting lastProduct;
};

void KvrNewMorphsPanel::Impl::layOut(bool bScrolling)
{
    plblTargetGone = new QLabel;
    plblTargetGone->setWordWrap(true);
    plblTargetGone->hide();
    if (!bScrolling) {
        gridNewMorphs.addWidget(plblTargetGone, gridNewMorphs.rowCount(), 0, 1, 3);
        grpNewMorphs.setLayout(&gridNewMorphs);
        return;
    }
    auto* pvert = new QVBoxLayout(&grpNewMorphs);
    pvert->addWidget(plblTargetGone);
    auto* pScroll = new QScrollArea;
    pScroll->setObjectName(QString::fromLatin1("pscrNewMorphs"));
    pScroll->setWidgetResizable(true);
    pScroll->setFrameShape(QFrame::NoFrame);
    auto* pRows = new QWidget;
    pRows->setLayout(&gridNewMorphs);
    pScroll->setWidget(pRows);
    pvert->addWidget(pScroll);
    // A few rows shown whole, the rest scrolled; never taller than the list.
    const QSize rowsSize = pRows->sizeHint();
    const int cRows = std::max(1, int(morphs.size()));
    pScroll->setMinimumHeight(rowsSize.height() * std::min(cRows, iRowsShownWhole) / cRows);
    pScroll->setMinimumWidth(rowsSize.width() + pScroll->verticalScrollBar()->sizeHint().width());
}

void KvrNewMorphsPanel::Impl::addRow(int iRow)
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

    tav::connectOrDisconnect(pProperty, SIGNAL(currentValueChanged()), pReceiver,
                             SLOT(slotPropertyValueChanged()), true);
    tav::connectOrDisconnect(pProperty, SIGNAL(removed()), pReceiver, SLOT(slotPropertyRemoved()), true);
}

void KvrNewMorphsPanel::Impl::fillSaveSettings()
{
    DzContentMgr* pContentMgr = dzApp->getContentMgr();
    const int cDirectories = pContentMgr ? pContentMgr->getNumContentDirectories() : 0;
    const QString stored = tav::ToQString(lastLibrary.value());
    int iCurrent = 0;
    for (int i = 0; i < cDirectories; ++i) {
        const QString path = pContentMgr->getContentDirectoryPath(i);
        save.pcboContentLibrary->addItem(path);
        if (path == stored)
            iCurrent = i;
    }
    save.pcboContentLibrary->setCurrentIndex(iCurrent);

    const std::string& vendor = lastVendor.value();
    save.pledVendorName->setText(vendor.empty() ? dzApp->getCurrentAuthor().getName() : tav::ToQString(vendor));
    save.pledProductName->setText(tav::ToQString(lastProduct.value()));
}

void KvrNewMorphsPanel::Impl::updateSaveControls()
{
    bool bAnyChecked = false;
    for (const auto& pCheck : rowChecks)
        bAnyChecked = bAnyChecked || pCheck->checkBox()->isChecked();
    const bool bEnabled = bAnyChecked && pfigTarget;
    for (QWidget* pWidget : std::initializer_list<QWidget*>{save.pcboContentLibrary, save.pledVendorName,
                                                             save.pledProductName, save.pchkCompressFiles,
                                                             save.pbtnSaveMorphAssets})
        pWidget->setEnabled(bEnabled);
}

void KvrNewMorphsPanel::Impl::dialMoved(size_t iRow, float value)
{
    if (updateGuard != Idle || !morphs[iRow].pProperty)
        return;
    updateGuard = PropertyFromDial;
    morphs[iRow].pProperty->setValue(value);
    updateGuard = Idle;
}

int KvrNewMorphsPanel::Impl::rowOf(const QObject* pSender) const
{
    for (size_t i = 0; i < morphs.size(); ++i)
        if (morphs[i].pProperty && morphs[i].pProperty == pSender)
            return int(i);
    return -1;
}

void KvrNewMorphsPanel::Impl::disableRow(size_t iRow)
{
    // The property is going away: nothing of this row may write it again, presets included.
    morphs[iRow].pProperty = nullptr;
    tav::forEachWidgetInLayout(gridNewMorphs.itemAtPosition(int(iRow), 1)->layout(),
                               [](QWidget& widget) { widget.setEnabled(false); });
    showButtons[iRow]->button()->setEnabled(false);
}

void KvrNewMorphsPanel::Impl::targetGone()
{
    if (bTargetGone)
        return;
    bTargetGone = true;
    pfigTarget = nullptr;
    for (size_t i = 0; i < morphs.size(); ++i) {
        disableRow(i);
        rowChecks[i]->checkBox()->setEnabled(false);
    }
    plblTargetGone->setText(tav::ToQString(fmt::format(pcszTargetGone, tav::str::Quoted(targetLabel))));
    tav::setWarningStyle(plblTargetGone);
    plblTargetGone->show();
    updateSaveControls();
}

std::vector<std::string> KvrNewMorphsPanel::Impl::checkedNames() const
{
    std::vector<std::string> chosen;
    for (size_t i = 0; i < rowChecks.size(); ++i)
        if (rowChecks[i]->checkBox()->isChecked())
            chosen.push_back(morphs[i].name);
    return chosen;
}

void KvrNewMorphsPanel::Impl::saveMorphAssets()
{
    try {
        lastLibrary.assign(tav::ToUtf8(save.pcboContentLibrary->currentText()));
        lastVendor.assign(tav::ToUtf8(save.pledVendorName->text()));
        lastProduct.assign(tav::ToUtf8(save.pledProductName->text()));
        const std::vector<std::string> chosen = checkedNames();
        if (!pfigTarget)
            throw tav::Exception("the target figure {} is no longer in the scene", tav::str::Quoted(targetLabel));

        // Silent: the host's exporter options would only repeat what this dialog asked.
        const bool bSaved =
            tav::daz::SaveMorphSupportAssets(pfigTarget.data(), lastLibrary.value(), lastVendor.value(),
                                             lastProduct.value(), chosen, save.pchkCompressFiles->isChecked());
        if (bSaved) {
            tav::InformationMessageBox(
                "Morph support assets saved",
                fmt::format(pcszSaved,
                            tav::str::CountText(chosen.size(), "selected morph has", "%d selected morphs have"),
                            lastLibrary.value()),
                pDialog);
            return;
        }
        const std::string text = fmt::format(
            pcszSaveCancelled,
            tav::str::CountText(chosen.size(), "the selected morph", "some of the %d selected morphs"),
            lastLibrary.value());
        tav::Log(text);
        tav::InformationMessageBox("Morph support assets not saved", text, pDialog);
    } catch (const std::exception& e) {
        pDialog->showCriticalError("Failed to save morph support assets", e.what());
    }
}

KvrNewMorphsPanel::KvrNewMorphsPanel(tav::DialogBase* pDialog, QObject* pReceiver, DzFigure* pfigTarget,
                                     const KvrMorphReports& morphs, const KvrSaveWidgets& save, bool bScrolling)
    : _pImpl(std::make_unique<Impl>(pDialog, pReceiver, pfigTarget, morphs, save))
{
    Impl& d = *_pImpl;
    for (size_t i = 0; i < d.morphs.size(); ++i)
        d.addRow(int(i));
    d.layOut(bScrolling);
    d.fillSaveSettings();
    d.saveHandler.init(save.pbtnSaveMorphAssets, [&d] { d.saveMorphAssets(); }, pcszSaveToolTip);
    d.updateSaveControls();
    // Deleted, or only taken out of the scene (an undo may bring it back, but not to us).
    tav::connectOrDisconnect(pfigTarget, SIGNAL(destroyed()), this, SLOT(slotTargetDestroyed()), true);
    if (dzScene)
        tav::connectOrDisconnect(dzScene, SIGNAL(nodeRemoved(DzNode*)), this, SLOT(slotNodeRemoved(DzNode*)),
                                 true);
}

KvrNewMorphsPanel::~KvrNewMorphsPanel() = default;

QGroupBox* KvrNewMorphsPanel::group()
{
    return &_pImpl->grpNewMorphs;
}

void KvrNewMorphsPanel::propertyValueChanged(const QObject* pSender)
{
    Impl& d = *_pImpl;
    if (d.updateGuard != Idle)
        return;
    const int iRow = d.rowOf(pSender);
    if (iRow < 0)
        return;
    d.updateGuard = DialFromProperty;
    d.dials[size_t(iRow)]->widget()->setValue(d.morphs[size_t(iRow)].pProperty->getValue());
    d.updateGuard = Idle;
}

void KvrNewMorphsPanel::propertyRemoved(const QObject* pSender)
{
    const int iRow = _pImpl->rowOf(pSender);
    if (iRow >= 0)
        _pImpl->disableRow(size_t(iRow));
}

void KvrNewMorphsPanel::slotNodeRemoved(DzNode* pNode)
{
    // Compared only, as objects: the node may be half destroyed already.
    if (!_pImpl->pfigTarget.isNull() && static_cast<const QObject*>(pNode) == _pImpl->pTargetIdentity)
        _pImpl->targetGone();
}

void KvrNewMorphsPanel::slotTargetDestroyed()
{
    _pImpl->targetGone();
}
