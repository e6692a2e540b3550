#include "kvr_dlg_convert-figure.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <fmt/format.h>
#include <vector>

#include "dzfigure.h"
#include "dzfloatproperty.h"
#include "kvr_convert-figure-height.h"
#include "kvr_identity.h"
#include "kvr_resolution-offer.h"
#include "tv_app_settings.h"
#include "tv_ctl_checkbox.h"
#include "tv_ctl_slider.h"
#include "tv_daz-helpers-manual.h"
#include "tv_daz-helpers-scene.h"
#include "tv_dlg_morph-path.h"
#include "tv_gui.h"
#include "tv_gui_button.h"
#include "tv_gui_check_radio.h"
#include "tv_identity.h"
#include "tv_qt-compat.h"
#include "tv_str.h"
#include "tv_timer.h"
#include "ui_kvr_dlg_convert-figure.h"

namespace {

constexpr const char* pcszIntro =
    "\n<p>You are about to convert {} in the selected <b>source figure {}</b> to a single\n"
    "morph in the selected <b>target figure {}</b>.</p>\n"
    "<p>This will combine all currently active morphs from the source.\n"
    "If you want only some of those morphs active, press cancel now, zero the morphs and start "
    "again.</p>";

constexpr const char* pcszDialToolTip =
    "\n<p>The dials in the <b>{}</b> group determine what base the new morph will be built "
    "against. The dials\nare shortcuts to property dials of the selected target G9 figure.</p>\n"
    "<p>If all dials are zero, the new morph will contain the full set of vertex deltas against "
    "the default G9 figure.</p>\n"
    "<p>If any dial is not zero (or any other morph is active in the selected target G9 figure),\n"
    "those morphs will need to be active in addition to the new morph for a G9 figure to look "
    "like the source G8 figure:\n<ul>\n"
    "<li>with <b>{}</b>, the matching G8 clone morph (which is hidden under the ``Hidden'' "
    "category) will be needed;</li>\n"
    "<li>with <b>{}</b>, the ``Base feminine'' morph under ``Actor/People/Feminine'' will be "
    "needed;</li>\n"
    "<li>with <b>{}</b>, the ``Base masculine'' morph under ``Actor/People/Masculine'' will be "
    "needed.</li>\n"
    "</ul><p>Please see the user manual for details.</p>\n";

constexpr const char* pcszAutoAdjustToolTip =
    "If %% is turned on, Kelvarowill automatically adjust the target figure's height when you "
    "open this window, as if you had pressed the magic button above. This is the default "
    "behavior. Turn this off if you would like to control this manually.";

constexpr const char* pcszFullFigureToolTip =
    "%%: Causes a single morph to be created that contains the sum of all morphs that are "
    "currently dialed up in the source figure.";
constexpr const char* pcszHeadToolTip =
    "%%: Causes a morph to be created that contains the sum of all morphs that are currently "
    "dialed up in the source figure, but filtered through the ``head'' part of the standard "
    "``HeadSplit'' D-former weight map. This ships with the Daz Studio Genesis 9 development kit.";
constexpr const char* pcszBodyToolTip =
    "%%: Causes a morph to be created that contains the sum of all morphs that are currently "
    "dialed up in the source figure, but filtered through the ``body'' part of the standard "
    "``HeadSplit'' D-former weight map. This ships with the Daz Studio Genesis 9 development kit.";

constexpr const char* pcszResolutionToolTip =
    "\n<p>Since you have the Daz Studio HD morph plugin installed, you can elect whether the "
    "target morph should\nbe created in base or in high resolution. The ``subd'' value is taken "
    "from the selected Genesis 8 figure\nin the scene. The target G9 figure will also be set to "
    "that resolution, and the morph will have that resolution as well.</p>\n"
    "<p>If you want to use a different subd value, please cancel now and change the subd value "
    "in your source G8 figure.</p>";

constexpr const char* pcszAutoToolTip =
    "Calculates an optimal height value for the G9 target figure to match that of the source "
    "figure.";
constexpr const char* pcszPickPathToolTip =
    "Allows you to pick a morph path from the tree of existing property paths in the target "
    "figure.";
constexpr const char* pcszHelpToolTip =
    "Opens the tool's PDF manual in your system's default PDF viewer.";

constexpr const char* pcszDefaultMorphPath = "/Kelvaro";
constexpr int iMaxNameFieldChars = 48;
constexpr const char* pcszMorphPathPlacementKey = "winpos_morph_path";

// One row of the "G9 bases" group.
struct MorphBaseDial {
    std::string label;
    std::shared_ptr<tav::FloatPropertySetting> pSetting;
    bool bHasAutoButton;
};

// A dial of that group with the target property's setting it shows.
struct BaseDial {
    std::shared_ptr<tav::FloatSliderController> pController;
    std::shared_ptr<tav::FloatPropertySetting> pSetting;
};

// The path entry of one morph kind and the setting that remembers it.
struct MorphPathField {
    KvrMorphKind eKind = KvrMorphKind::FullFigure;
    QHBoxLayout* phorzRow = nullptr;
    QLineEdit* pledPath = nullptr;
    std::shared_ptr<tav::StringAppSetting> psetPath;
};

} // namespace

class KvrConvertDialog::Impl {
public:
    Impl(KvrConvertDialog* pDialog, const KvrParamsPtr& pParams, DzAppSettings* pAppSettings)
        : pDialog(pDialog),
          pParams(pParams),
          pAppSettings(pAppSettings),
          autoAdjustSetting(pAppSettings, "auto-adjust-proportional-height", true),
          jobFlagsSetting(pAppSettings, "last_job_flags",
                          KvrJobFlags(KvrJobFlag::HeadMorph) | KvrJobFlags(KvrJobFlag::BodyMorph)),
          colours(tav::readHostColours()),
          buttons(&colours)
    {
    }

    void addDials();
    void bindAutoAdjust();
    void bindJobFlags();
    void bindMorphPaths();
    void bindResolution();
    void setIntro(size_t activeMorphCount, std::string_view baseMorphName);

    void updateConvertButton();
    void fitProportionalHeight();
    void autoAdjustToggled(bool bChecked);
    void pickMorphPath(MorphPathField& field);
    void restoreMorphBaseDials();
    void commit();

    Ui::ConvertFigureDialog ui;
    KvrConvertDialog* pDialog;
    KvrParamsPtr pParams;
    DzAppSettings* pAppSettings;
    std::vector<BaseDial> dials;  // in row order
    std::shared_ptr<tav::FloatSliderController> pHeightDial;
    tav::Timer timer;
    tav::BoolAppSetting autoAdjustSetting;
    std::shared_ptr<tav::CheckBoxController> pAutoAdjust;
    tav::FlagAppSetting<KvrJobFlag> jobFlagsSetting;
    std::shared_ptr<tav::FlagSetController<KvrJobFlag>> pJobFlags;
    tav::RadioGroup<KvrResolution> resolution;
    int subdLevel = 0;
    tav::HostColours colours;
    tav::ButtonHandlerList buttons;
    std::array<MorphPathField, 3> paths;
};

void KvrConvertDialog::Impl::addDials()
{
    const MorphBaseDial rows[] = {
        {tav::ToUtf8(pParams->psetClone->floatProperty()->getLabel()), pParams->psetClone, false},
        {"Base feminine", pParams->psetBaseFeminine, false},
        {"Base masculine", pParams->psetBaseMasculine, false},
        {"Proportion height", pParams->psetProportionHeight, true},
    };
    const std::string toolTip = fmt::format(
        pcszDialToolTip, tav::str::Quoted(ui.pgrpMorphBases->title()), tav::str::Quoted(rows[0].label),
        tav::str::Quoted(rows[1].label), tav::str::Quoted(rows[2].label));

    int iRow = 0;
    for (const MorphBaseDial& row : rows) {
        ui.pgridMorphBases->addWidget(new QLabel(tav::ToQString(row.label)), iRow, 0);
        auto* phorz = new QHBoxLayout;
        ui.pgridMorphBases->addLayout(phorz, iRow, 1);
        DzFloatProperty* pProperty = row.pSetting->floatProperty();
        auto pDial = std::make_shared<tav::FloatSliderController>(
            phorz, nullptr, row.pSetting.get(), toolTip,
            tav::SliderTextEditable | tav::SliderDisplayAsPercent,
            [pProperty](const float& value) { pProperty->setValue(value); });
        dials.push_back({pDial, row.pSetting});
        if (row.bHasAutoButton) {
            buttons.addToolButton(phorz, ":/bootstrap/24/magic.png", [this] { fitProportionalHeight(); },
                                  "Auto", pcszAutoToolTip);
            pHeightDial = pDial;
        }
        tav::addPresetButtons(buttons, phorz, row.label, row.pSetting, pDial);
        ++iRow;
    }
}

void KvrConvertDialog::Impl::bindAutoAdjust()
{
    pAutoAdjust = std::make_shared<tav::CheckBoxController>(
        ui.pchkAutoAdjustProportionalHeight, &autoAdjustSetting, pcszAutoAdjustToolTip,
        [this](const bool& bChecked) { autoAdjustToggled(bChecked); });
    // The fit waits for the dialog's own event loop, so the user sees the figure change. A
    // dialog closed within the delay leaves the figure to the job as it was confirmed.
    if (autoAdjustSetting.value())
        timer.startOneshot(100, [this] {
            if (pDialog->isVisible())
                fitProportionalHeight();
        });
}

void KvrConvertDialog::Impl::bindJobFlags()
{
    pJobFlags = std::make_shared<tav::FlagSetController<KvrJobFlag>>(&jobFlagsSetting);
    pJobFlags->addCheckBox(KvrJobFlag::FullFigureMorph, ui.pchkCreateFullFigureMorph,
                           pcszFullFigureToolTip);
    pJobFlags->addCheckBox(KvrJobFlag::HeadMorph, ui.pchkCreateHeadMorph, pcszHeadToolTip);
    pJobFlags->addCheckBox(KvrJobFlag::BodyMorph, ui.pchkCreateBodyMorph, pcszBodyToolTip);
    pJobFlags->bind([this](bool) { updateConvertButton(); });
}

void KvrConvertDialog::Impl::bindMorphPaths()
{
    const MorphPathField fields[] = {
        {KvrMorphKind::FullFigure, ui.phorzFullFigureMorphPath, ui.pledFullFigureMorphPath, nullptr},
        {KvrMorphKind::Head, ui.phorzHeadMorphPath, ui.pledHeadMorphPath, nullptr},
        {KvrMorphKind::Body, ui.phorzBodyMorphPath, ui.pledBodyMorphPath, nullptr},
    };
    size_t i = 0;
    for (const MorphPathField& initial : fields) {
        MorphPathField& field = paths[i++];
        field = initial;
        field.psetPath = std::make_shared<tav::StringAppSetting>(
            pAppSettings, fmt::format("morph_path_{}", MorphKindKey(field.eKind)), pcszDefaultMorphPath);
        buttons.addToolButton(field.phorzRow, ":/bootstrap/24/eyedropper.png",
                              [this, &field] { pickMorphPath(field); }, "Pick morph path",
                              pcszPickPathToolTip);
        field.pledPath->setText(tav::ToQString(field.psetPath->value()));
    }
}

void KvrConvertDialog::Impl::bindResolution()
{
    const KvrResolutionOffer offer = OfferedResolution(pParams->pfigSource);
    subdLevel = offer.iSubdLevel;
    if (offer.bOffered)
        ui.pRadioResolutionSubd->setText(tav::ToQString(fmt::format("High resolution (subd {})", subdLevel)));
    else
        tav::setVisibleWithLayout(ui.pgrpResolution, false);
    resolution.addButton(KvrResolution::Base, ui.pRadioResolutionBase);
    resolution.addButton(KvrResolution::Subd, ui.pRadioResolutionSubd);
    resolution.bind(offer.eInitial, nullptr, pcszResolutionToolTip);
}

void KvrConvertDialog::Impl::setIntro(size_t activeMorphCount, std::string_view baseMorphName)
{
    ui.plblIntro->setText(tav::ToQString(fmt::format(
        pcszIntro, tav::str::CountText(activeMorphCount, "one active morph", "%d active morphs"),
        tav::str::Quoted(pParams->pfigSource->getLabel()),
        tav::str::Quoted(pParams->pfigTarget->getLabel()))));
    ui.pledFullFigureMorphName->setText(tav::ToQString(baseMorphName));
    ui.pledHeadMorphName->setText(tav::ToQString(fmt::format("{} Head", baseMorphName)));
    ui.pledBodyMorphName->setText(tav::ToQString(fmt::format("{} Body", baseMorphName)));
    // Default names run long ("<figure> converted to G9 Head"): show them whole where they fit,
    // and from their start where they do not.
    for (QLineEdit* pledName : {ui.pledFullFigureMorphName, ui.pledHeadMorphName, ui.pledBodyMorphName}) {
        const QFontMetrics metrics = pledName->fontMetrics();
        const int iWholeName = tav::compat::TextAdvance(metrics, pledName->text() + QString::fromLatin1("MM"));
        pledName->setMinimumWidth(std::min(iWholeName, iMaxNameFieldChars * metrics.averageCharWidth()));
        pledName->setCursorPosition(0);
    }
}

void KvrConvertDialog::Impl::updateConvertButton()
{
    ui.pbtnConvert->setEnabled(ui.pchkCreateFullFigureMorph->isChecked()
                               || ui.pchkCreateHeadMorph->isChecked()
                               || ui.pchkCreateBodyMorph->isChecked());
}

void KvrConvertDialog::Impl::fitProportionalHeight()
{
    autoAdjustProportionalHeight(pParams->pfigTarget, pParams->pprpProportionHeight,
                                 pParams->pfigSource);
    pHeightDial->setWidgetValue(pParams->pprpProportionHeight->getValue());
}

void KvrConvertDialog::Impl::autoAdjustToggled(bool bChecked)
{
    autoAdjustSetting.assign(bChecked);
    if (bChecked)
        fitProportionalHeight();
    else
        pHeightDial->setWidgetValue(pParams->psetProportionHeight->original());
}

void KvrConvertDialog::Impl::pickMorphPath(MorphPathField& field)
{
    // The picker starts from the stored path, not from what is typed now.
    tav::MorphPathDialog picker(pDialog, pParams->pfigTarget, field.psetPath->value(),
                                pcszMorphPathPlacementKey);
    if (picker.exec() == QDialog::Accepted)
        field.pledPath->setText(picker.path());
}

void KvrConvertDialog::Impl::restoreMorphBaseDials()
{
    for (const BaseDial& dial : dials)
        dial.pController->setWidgetValue(dial.pSetting->original());
}

void KvrConvertDialog::Impl::commit()
{
    pJobFlags->commit();
    for (const BaseDial& dial : dials)
        dial.pController->commit();
    for (MorphPathField& field : paths)
        field.psetPath->assign(tav::ToUtf8(field.pledPath->text()));
}

KvrConvertDialog::KvrConvertDialog(QWidget* parent, const KvrParamsPtr& pParams,
                                   size_t activeMorphCount, std::string_view baseMorphName,
                                   DzAppSettings* pAppSettings)
    : tav::DialogBase(parent), _pImpl(std::make_unique<Impl>(this, pParams, pAppSettings))
{
    Impl& d = *_pImpl;
    d.ui.setupUi(this);
    d.addDials();
    d.bindAutoAdjust();
    d.bindJobFlags();
    d.bindMorphPaths();
    d.bindResolution();
    d.buttons.addToolButton(d.ui.phorzBottomButtons, ":/bootstrap/24/question-square.png",
                            [] { tav::daz::openPdfManual(pcszManualTitle); }, "Help", pcszHelpToolTip, 0);
    d.updateConvertButton();
    d.setIntro(activeMorphCount, baseMorphName);
    setUpWindow("Convert figure", QString::fromUtf8(tav::pcszPluginName),
                QString::fromLatin1("winpos_convert-figure-dialog"));
    connectButtons(d.ui.pbtnConvert, d.ui.pbtnCancel);
    setMinimumSize(sizeHint());
}

KvrConvertDialog::~KvrConvertDialog() = default;

KvrMorphTexts KvrConvertDialog::morphPaths() const
{
    KvrMorphTexts texts;
    for (const MorphPathField& field : _pImpl->paths)
        texts.of(field.eKind) = tav::ToUtf8(field.pledPath->text());
    return texts;
}

bool KvrConvertDialog::confirmSteps() const
{
    return false;
}

KvrJobFlags KvrConvertDialog::jobFlags() const
{
    return _pImpl->jobFlagsSetting.value();
}

KvrMorphTexts KvrConvertDialog::morphNames() const
{
    const Ui::ConvertFigureDialog& ui = _pImpl->ui;
    return {tav::ToUtf8(ui.pledFullFigureMorphName->text()), tav::ToUtf8(ui.pledHeadMorphName->text()),
            tav::ToUtf8(ui.pledBodyMorphName->text())};
}

KvrResolution KvrConvertDialog::resolution(int* piSubdLevel) const
{
    const KvrResolution eResolution = _pImpl->resolution.current();
    if (piSubdLevel)
        *piSubdLevel = eResolution == KvrResolution::Subd ? _pImpl->subdLevel : 0;
    return eResolution;
}

void KvrConvertDialog::accept()
{
    _pImpl->commit();
    tav::DialogBase::accept();
}

void KvrConvertDialog::reject()
{
    _pImpl->restoreMorphBaseDials();
    tav::DialogBase::reject();
}
