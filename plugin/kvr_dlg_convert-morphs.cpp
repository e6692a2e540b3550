#include "kvr_dlg_convert-morphs.h"

#include <QKeyEvent>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <fmt/format.h>
#include <limits>
#include <string>

#include "dzfigure.h"
#include "kvr_convert-morphs-naming.h"
#include "kvr_identity.h"
#include "kvr_morph-catalogue.h"
#include "kvr_resolution-offer.h"
#include "tv_app_settings.h"
#include "tv_ctl_checkbox.h"
#include "tv_daz-helpers-manual-place.h"
#include "tv_daz-helpers-scene-morphs.h"
#include "tv_daz-helpers-scene.h"
#include "tv_gui.h"
#include "tv_gui_button.h"
#include "tv_gui_check_radio.h"
#include "tv_identity.h"
#include "tv_str.h"

namespace {

constexpr const char* pcszIntro =
    "<p>Each checked morph of the <b>source figure {}</b> becomes a morph of its own in the "
    "<b>target figure {}</b>, holding only that morph's change.</p>";
constexpr const char* pcszHeadAndBodyToolTip =
    "%%: Makes two morphs of each checked morph, split through the ``head'' and ``body'' parts of "
    "the standard ``HeadSplit'' D-former weight map, as the figure conversion splits them. Their "
    "names are the pattern's followed by ``Head'' and ``Body''.";
constexpr const char* pcszPatternHelp =
    "In the name and the path, {{label}} stands for the morph's label and {{source}} for the "
    "source figure's kind ({}).";
constexpr const char* pcszResolutionToolTip =
    "<p>Since you have the Daz Studio HD morph plugin installed, you can elect whether the new "
    "morphs should be created in base or in high resolution. The ``subd'' value is taken from the "
    "selected source figure in the scene.</p>";
constexpr const char* pcszHelpToolTip =
    "Opens the tool's PDF manual in your system's default PDF viewer, at the chapter on converting "
    "morphs one by one.";
// The manual's chapter "Converting morphs one by one", as its named destination.
constexpr const char* pcszManualChapter = "converting-morphs-one-by-one";

constexpr const char* pcszCheckToolTip = "%%: acts on the morphs the filter shows; the others keep their checks.";
constexpr const char* pcszFilterToolTip = "Shows only the morphs whose label or group contains this text.";

// The morph list shows about a dozen rows and its three columns at least.
constexpr int iListMinWidth = 560;
constexpr int iListMinHeight = 300;

// The columns of the morph list.
enum MorphColumn : int {
    LabelColumn = 0,
    GroupColumn = 1,
    ValueColumn = 2,
};

// A morph counts as dialled as the figure conversion counts it active.
bool IsDialled(const KvrSourceMorph& morph)
{
    return std::fabs(morph.fValue) > std::numeric_limits<float>::epsilon();
}

QString ValueText(float fValue)
{
    return QString::number(double(fValue) * 100.0, 'g', 4) + QLatin1Char('%');
}

} // namespace

class KvrConvertMorphsDialog::Impl {
public:
    Impl(KvrConvertMorphsDialog* pDialog, const KvrParamsPtr& pParams, std::vector<KvrSourceMorph> catalogue,
         DzAppSettings* pAppSettings)
        : pDialog(pDialog),
          pParams(pParams),
          catalogue(std::move(catalogue)),
          shortName(SourceShortName(tav::daz::FigureKindOf(pParams->pfigSource))),
          headAndBodySetting(pAppSettings, "convert_morphs_head_and_body", false),
          namePatternSetting(pAppSettings, "convert_morphs_name_pattern", pcszDefaultMorphNamePattern),
          pathPatternSetting(pAppSettings, "convert_morphs_property_path", pcszDefaultMorphPathPattern),
          colours(tav::readHostColours()),
          buttons(&colours)
    {
    }

    void build();
    void fitHeightToWrappedText();
    void buildMorphList(QVBoxLayout* pvertMain);
    void buildCheckButtons(QVBoxLayout* pvertMain);
    // The morph kind, the name and path patterns, and the line saying why Convert is disabled.
    void buildNewMorphsGroup(QVBoxLayout* pvertMain);
    void buildResolutionGroup(QVBoxLayout* pvertMain);
    void buildBottomRow(QVBoxLayout* pvertMain);
    void fillMorphList();
    void bindResolution();
    void setChecks(bool (*pShouldCheck)(const KvrSourceMorph&));
    void filter(const QString& text);
    // Why Convert cannot run now; empty when it can.
    std::string problem() const;
    void update();
    std::vector<KvrMorphOrder> orders() const;
    KvrJobFlags flags() const;

    KvrConvertMorphsDialog* pDialog;
    KvrParamsPtr pParams;
    std::vector<KvrSourceMorph> catalogue;
    std::string shortName;
    QLabel* plblIntro = nullptr;
    QLineEdit* pledFilter = nullptr;
    QTreeWidget* ptwMorphs = nullptr;
    QLabel* plblChecked = nullptr;
    QCheckBox* pchkHeadAndBody = nullptr;
    QLineEdit* pledNamePattern = nullptr;
    QLineEdit* pledPathPattern = nullptr;
    QLabel* plblProblem = nullptr;
    QGroupBox* pgrpResolution = nullptr;
    QRadioButton* pRadioResolutionBase = nullptr;
    QRadioButton* pRadioResolutionSubd = nullptr;
    QPushButton* pbtnConvert = nullptr;
    QPushButton* pbtnCancel = nullptr;
    std::vector<QTreeWidgetItem*> items;  // in catalogue order
    bool bBulkChange = false;  // many rows change at once: check once at the end
    tav::BoolAppSetting headAndBodySetting;
    std::shared_ptr<tav::CheckBoxController> pHeadAndBody;
    tav::StringAppSetting namePatternSetting;
    tav::StringAppSetting pathPatternSetting;
    tav::RadioGroup<KvrResolution> resolution;
    int subdLevel = 0;
    tav::HostColours colours;
    tav::ButtonHandlerList buttons;
    std::vector<std::shared_ptr<tav::ButtonHandler>> checkButtons;
};

// A layout takes its wrapped labels' minimum height as one line each; at the narrowest the
// dialog can be they wrap into more, and the list would be squeezed under the rows below it.
void KvrConvertMorphsDialog::Impl::fitHeightToWrappedText()
{
    QLayout* pLayout = pDialog->layout();
    if (!pLayout)
        return;
    const int iNarrowest = std::max(pDialog->minimumWidth(), pLayout->minimumSize().width());
    const int iNeeded = pLayout->totalHeightForWidth(iNarrowest);
    pDialog->setMinimumHeight(iNeeded);
    if (pDialog->height() < iNeeded)
        pDialog->resize(pDialog->width(), iNeeded);
}

void KvrConvertMorphsDialog::Impl::build()
{
    auto* pvertMain = new QVBoxLayout(pDialog);
    plblIntro = new QLabel(tav::ToQString(fmt::format(pcszIntro, tav::str::Quoted(pParams->pfigSource->getLabel()),
                                                      tav::str::Quoted(pParams->pfigTarget->getLabel()))));
    plblIntro->setWordWrap(true);
    pvertMain->addWidget(plblIntro);
    buildMorphList(pvertMain);
    buildCheckButtons(pvertMain);
    buildNewMorphsGroup(pvertMain);
    buildResolutionGroup(pvertMain);
    buildBottomRow(pvertMain);
}

void KvrConvertMorphsDialog::Impl::buildMorphList(QVBoxLayout* pvertMain)
{
    auto* phorzFilter = new QHBoxLayout;
    phorzFilter->addWidget(new QLabel(QString::fromLatin1("Filter:")));
    pledFilter = new QLineEdit;
    pledFilter->setObjectName(QString::fromLatin1("pledFilter"));
    pledFilter->setToolTip(QString::fromLatin1(pcszFilterToolTip));
    phorzFilter->addWidget(pledFilter);
    pvertMain->addLayout(phorzFilter);

    ptwMorphs = new QTreeWidget;
    ptwMorphs->setObjectName(QString::fromLatin1("ptwMorphs"));
    ptwMorphs->setHeaderLabels({QString::fromLatin1("Morph"), QString::fromLatin1("Group"), QString::fromLatin1("Value")});
    ptwMorphs->setRootIsDecorated(false);
    ptwMorphs->setUniformRowHeights(true);  // keeps long catalogues quick to scroll
    ptwMorphs->setSelectionMode(QAbstractItemView::NoSelection);
    ptwMorphs->setMinimumSize(iListMinWidth, iListMinHeight);
    pvertMain->addWidget(ptwMorphs, 1);
}

void KvrConvertMorphsDialog::Impl::buildCheckButtons(QVBoxLayout* pvertMain)
{
    auto* phorzChecks = new QHBoxLayout;
    const std::pair<const char*, bool (*)(const KvrSourceMorph&)> checks[] = {
        {"Check all", [](const KvrSourceMorph&) { return true; }},
        {"Check none", [](const KvrSourceMorph&) { return false; }},
        {"Check dialled", IsDialled},
    };
    for (const auto& [pcszText, pShouldCheck] : checks) {
        auto* pbtn = new QPushButton(QString::fromLatin1(pcszText));
        pbtn->setAutoDefault(false);
        phorzChecks->addWidget(pbtn);
        auto pHandler = std::make_shared<tav::ButtonHandler>();
        pHandler->init(pbtn, [this, pShouldCheck = pShouldCheck] { setChecks(pShouldCheck); }, pcszCheckToolTip);
        checkButtons.push_back(pHandler);
    }
    phorzChecks->addStretch(1);
    plblChecked = new QLabel;
    plblChecked->setObjectName(QString::fromLatin1("plblChecked"));
    phorzChecks->addWidget(plblChecked);
    pvertMain->addLayout(phorzChecks);
}

void KvrConvertMorphsDialog::Impl::buildNewMorphsGroup(QVBoxLayout* pvertMain)
{
    auto* pgrpCreate = new QGroupBox(QString::fromLatin1("New morphs"));
    auto* pgrid = new QGridLayout(pgrpCreate);
    pchkHeadAndBody = new QCheckBox(QString::fromLatin1("Make a head and a body morph of each"));
    pchkHeadAndBody->setObjectName(QString::fromLatin1("pchkHeadAndBody"));
    pgrid->addWidget(pchkHeadAndBody, 0, 0, 1, 2);
    pgrid->addWidget(new QLabel(QString::fromLatin1("Name:")), 1, 0);
    pledNamePattern = new QLineEdit;
    pledNamePattern->setObjectName(QString::fromLatin1("pledNamePattern"));
    pgrid->addWidget(pledNamePattern, 1, 1);
    pgrid->addWidget(new QLabel(QString::fromLatin1("Property path:")), 2, 0);
    pledPathPattern = new QLineEdit;
    pledPathPattern->setObjectName(QString::fromLatin1("pledPathPattern"));
    pgrid->addWidget(pledPathPattern, 2, 1);
    auto* plblHelp = new QLabel(tav::ToQString(fmt::format(pcszPatternHelp, shortName)));
    plblHelp->setWordWrap(true);
    pgrid->addWidget(plblHelp, 3, 0, 1, 2);
    pvertMain->addWidget(pgrpCreate);

    plblProblem = new QLabel;
    plblProblem->setObjectName(QString::fromLatin1("plblProblem"));
    plblProblem->setWordWrap(true);
    tav::setWarningStyle(plblProblem);
    pvertMain->addWidget(plblProblem);
}

void KvrConvertMorphsDialog::Impl::buildResolutionGroup(QVBoxLayout* pvertMain)
{
    pgrpResolution = new QGroupBox(QString::fromLatin1("Morph resolution"));
    pgrpResolution->setObjectName(QString::fromLatin1("pgrpResolution"));
    auto* phorzResolution = new QHBoxLayout(pgrpResolution);
    pRadioResolutionBase = new QRadioButton(QString::fromLatin1("Base resolution"));
    pRadioResolutionBase->setObjectName(QString::fromLatin1("pRadioResolutionBase"));
    pRadioResolutionSubd = new QRadioButton(QString::fromLatin1("High resolution"));
    pRadioResolutionSubd->setObjectName(QString::fromLatin1("pRadioResolutionSubd"));
    phorzResolution->addWidget(pRadioResolutionBase);
    phorzResolution->addWidget(pRadioResolutionSubd);
    pvertMain->addWidget(pgrpResolution);
}

void KvrConvertMorphsDialog::Impl::buildBottomRow(QVBoxLayout* pvertMain)
{
    auto* phorzBottom = new QHBoxLayout;
    phorzBottom->setObjectName(QString::fromLatin1("phorzBottomButtons"));
    buttons.addToolButton(phorzBottom, ":/bootstrap/24/question-square.png",
                          [] { tav::daz::openPdfManualAt(pcszManualTitle, pcszManualChapter); }, "Help", pcszHelpToolTip);
    phorzBottom->addStretch(1);
    pbtnConvert = new QPushButton(QString::fromLatin1("Convert"));
    pbtnConvert->setObjectName(QString::fromLatin1("pbtnConvert"));
    pbtnCancel = new QPushButton(QString::fromLatin1("Cancel"));
    pbtnCancel->setObjectName(QString::fromLatin1("pbtnCancel"));
    phorzBottom->addWidget(pbtnConvert);
    phorzBottom->addWidget(pbtnCancel);
    pvertMain->addLayout(phorzBottom);
}

void KvrConvertMorphsDialog::Impl::fillMorphList()
{
    QList<QTreeWidgetItem*> rows;
    items.reserve(catalogue.size());
    for (const KvrSourceMorph& morph : catalogue) {
        auto* pItem = new QTreeWidgetItem(
            QStringList{tav::ToQString(morph.label), tav::ToQString(morph.group), ValueText(morph.fValue)});
        pItem->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        pItem->setCheckState(LabelColumn, IsDialled(morph) ? Qt::Checked : Qt::Unchecked);
        pItem->setTextAlignment(ValueColumn, Qt::AlignRight | Qt::AlignVCenter);
        items.push_back(pItem);
        rows << pItem;
    }
    ptwMorphs->addTopLevelItems(rows);
    // Wide enough for every column whole, so the list never scrolls sideways.
    int iWidth = 0;
    for (int iColumn : {LabelColumn, GroupColumn, ValueColumn}) {
        ptwMorphs->resizeColumnToContents(iColumn);
        iWidth += ptwMorphs->columnWidth(iColumn);
    }
    ptwMorphs->setMinimumWidth(std::max(ptwMorphs->minimumWidth(), iWidth + ptwMorphs->verticalScrollBar()->sizeHint().width()
                                                                      + 2 * ptwMorphs->frameWidth()));
}

void KvrConvertMorphsDialog::Impl::bindResolution()
{
    const KvrResolutionOffer offer = OfferedResolution(pParams->pfigSource);
    subdLevel = offer.iSubdLevel;
    if (offer.bOffered)
        pRadioResolutionSubd->setText(tav::ToQString(fmt::format("High resolution (subd {})", subdLevel)));
    else
        pgrpResolution->hide();
    resolution.addButton(KvrResolution::Base, pRadioResolutionBase);
    resolution.addButton(KvrResolution::Subd, pRadioResolutionSubd);
    resolution.bind(offer.eInitial, nullptr, pcszResolutionToolTip);
}

void KvrConvertMorphsDialog::Impl::setChecks(bool (*pShouldCheck)(const KvrSourceMorph&))
{
    bBulkChange = true;
    for (size_t i = 0; i < items.size(); ++i)
        if (!items[i]->isHidden())
            items[i]->setCheckState(LabelColumn, pShouldCheck(catalogue[i]) ? Qt::Checked : Qt::Unchecked);
    bBulkChange = false;
    update();
}

void KvrConvertMorphsDialog::Impl::filter(const QString& text)
{
    const QString wanted = text.trimmed();
    for (QTreeWidgetItem* pItem : items)
        pItem->setHidden(!wanted.isEmpty() && !pItem->text(LabelColumn).contains(wanted, Qt::CaseInsensitive)
                         && !pItem->text(GroupColumn).contains(wanted, Qt::CaseInsensitive));
}

std::vector<KvrMorphOrder> KvrConvertMorphsDialog::Impl::orders() const
{
    std::vector<KvrSourceMorph> chosen;
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i]->checkState(LabelColumn) == Qt::Checked)
            chosen.push_back(catalogue[i]);
    return NameMorphOrders(chosen, tav::ToUtf8(pledNamePattern->text()), tav::ToUtf8(pledPathPattern->text()),
                           pchkHeadAndBody->isChecked(), shortName);
}

KvrJobFlags KvrConvertMorphsDialog::Impl::flags() const
{
    return MorphBatchFlags(pchkHeadAndBody->isChecked());
}

std::string KvrConvertMorphsDialog::Impl::problem() const
{
    const std::vector<KvrMorphOrder> chosen = orders();
    if (chosen.empty())
        return "Check at least one morph to convert.";
    return MorphOrdersProblem(chosen, pchkHeadAndBody->isChecked(), pParams->pfigTarget);
}

void KvrConvertMorphsDialog::Impl::update()
{
    if (bBulkChange)
        return;
    size_t cChecked = 0;
    for (QTreeWidgetItem* pItem : items)
        cChecked += pItem->checkState(LabelColumn) == Qt::Checked ? 1 : 0;
    plblChecked->setText(tav::ToQString(fmt::format("{} of {} checked", cChecked, items.size())));
    const std::string why = problem();
    plblProblem->setText(tav::ToQString(why));
    plblProblem->setVisible(!why.empty());
    fitHeightToWrappedText();
    pbtnConvert->setEnabled(why.empty());
}

KvrConvertMorphsDialog::KvrConvertMorphsDialog(QWidget* parent, const KvrParamsPtr& pParams,
                                               std::vector<KvrSourceMorph> catalogue, DzAppSettings* pAppSettings)
    : tav::DialogBase(parent), _pImpl(std::make_unique<Impl>(this, pParams, std::move(catalogue), pAppSettings))
{
    Impl& d = *_pImpl;
    setObjectName(QString::fromLatin1("ConvertMorphsDialog"));
    d.build();
    d.fillMorphList();
    d.pHeadAndBody = std::make_shared<tav::CheckBoxController>(d.pchkHeadAndBody, &d.headAndBodySetting,
                                                               pcszHeadAndBodyToolTip,
                                                               [&d](const bool&) { d.update(); });
    d.pledNamePattern->setText(tav::ToQString(d.namePatternSetting.value()));
    d.pledPathPattern->setText(tav::ToQString(d.pathPatternSetting.value()));
    d.bindResolution();
    tav::connectOrDisconnect(d.pledFilter, SIGNAL(textChanged(QString)), this, SLOT(slotFilterChanged(QString)), true);
    tav::connectOrDisconnect(d.ptwMorphs, SIGNAL(itemChanged(QTreeWidgetItem*, int)), this,
                             SLOT(slotMorphItemChanged()), true);
    for (QLineEdit* pled : {d.pledNamePattern, d.pledPathPattern})
        tav::connectOrDisconnect(pled, SIGNAL(textChanged(QString)), this, SLOT(slotPatternChanged()), true);
    d.update();
    setUpWindow("Convert morphs", QString::fromUtf8(tav::pcszPluginName),
                QString::fromLatin1("winpos_convert-morphs-dialog"));
    connectButtons(d.pbtnConvert, d.pbtnCancel);
    d.fitHeightToWrappedText();
}

KvrConvertMorphsDialog::~KvrConvertMorphsDialog() = default;

KvrMorphBatchOptions KvrConvertMorphsDialog::options() const
{
    KvrMorphBatchOptions options;
    options.orders = _pImpl->orders();
    options.flags = _pImpl->flags();
    options.eResolution = _pImpl->resolution.current();
    options.iSubdLevel = options.eResolution == KvrResolution::Subd ? _pImpl->subdLevel : 0;
    return options;
}

void KvrConvertMorphsDialog::accept()
{
    Impl& d = *_pImpl;
    // Return in a field would accept while a name clashes: only an enabled Convert may.
    if (!d.pbtnConvert->isEnabled())
        return;
    d.pHeadAndBody->commit();
    d.namePatternSetting.assign(tav::ToUtf8(d.pledNamePattern->text()));
    d.pathPatternSetting.assign(tav::ToUtf8(d.pledPathPattern->text()));
    tav::DialogBase::accept();
}

void KvrConvertMorphsDialog::keyPressEvent(QKeyEvent* pEvent)
{
    // Return in the filter ends the typing there; it does not start the batch.
    const bool bReturn = pEvent->key() == Qt::Key_Return || pEvent->key() == Qt::Key_Enter;
    if (bReturn && focusWidget() == _pImpl->pledFilter) {
        pEvent->accept();
        return;
    }
    tav::DialogBase::keyPressEvent(pEvent);
}

void KvrConvertMorphsDialog::slotFilterChanged(const QString& text)
{
    _pImpl->filter(text);
}

void KvrConvertMorphsDialog::slotMorphItemChanged()
{
    _pImpl->update();
}

void KvrConvertMorphsDialog::slotPatternChanged()
{
    _pImpl->update();
}
