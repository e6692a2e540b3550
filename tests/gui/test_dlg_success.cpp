#include <gtest/gtest.h>

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <QVBoxLayout>
#include <functional>
#include <memory>

#include "dlg_fixture.h"
#include "qt_wait.h"
#include "dzappsettings.h"
#include "dzassetiomgr.h"
#include "dzfloatslider.h"
#include "dzmainwindow.h"
#include "dzmorphsupportassetfilter.h"
#include "dzpanemgr.h"
#include "dzparameterspane.h"
#include "gui_test_helpers.h"
#include "kvr_dlg_success.h"

namespace {

const char* const pcszNote = "<p><b>Note:</b> one morph had no counterpart</p>";

// The host's support asset filter as a user's Cancel in its own dialog leaves it; it keeps
// the class name the plug-in looks for.
class CancellingAssetFilter : public DzMorphSupportAssetFilter {
public:
    DzError doSave(DzFileIOSettings*, const QString&, const QString&) override { return DZ_USER_CANCELLED; }
};

// Three new morphs on the target, as a finished job reports them, and a fresh content library
// of its own as the host's first directory to save into.
class SuccessDialogTest : public ::testing::Test {
protected:
    SuccessDialogTest()
    {
        const std::pair<KvrMorphKind, const char*> made[] = {
            {KvrMorphKind::FullFigure, "Kelvaro Full"},
            {KvrMorphKind::Head, "Kelvaro Head"},
            {KvrMorphKind::Body, "Kelvaro Body"},
        };
        for (const auto& [eKind, name] : made) {
            DzMorph* pMorph = _scene.addTargetMorph(QString::fromLatin1(name));
            // Unclamped, so the host may take a value beyond its dial's end.
            pMorph->getValueControl()->setIsClamped(false);
            _morphs.push_back(pMorph);
            _reports.push_back({eKind, name, pMorph->getValueControl()});
        }
    }

    void TearDown() override
    {
        // A dialog a test left open must not outlive the host it points into.
        while (QWidget* pDialog = findTopLevel(QStringLiteral("SuccessDialog")))
            delete pDialog;
    }

    // The dialog shows itself; the test finds it as a user would see it.
    QWidget& open()
    {
        new KvrSuccessDialog(nullptr, _scene.pParams, _reports, "12 seconds", pcszNote);
        QWidget* pDialog = findTopLevel(QStringLiteral("SuccessDialog"));
        EXPECT_NE(pDialog, nullptr);
        return *pDialog;
    }

    // Index 0 is the dial, 1 to 3 the Min, Default and Max buttons.
    static QWidget* rowDialPart(QWidget& dialog, int iRow, int index)
    {
        return newMorphRows(dialog)->itemAtPosition(iRow, 1)->layout()->itemAt(index)->widget();
    }
    static QPushButton* rowShow(QWidget& dialog, int iRow)
    {
        return qobject_cast<QPushButton*>(newMorphRows(dialog)->itemAtPosition(iRow, 2)->widget());
    }

    static std::vector<QWidget*> saveControls(QWidget& dialog)
    {
        return {child<QComboBox>(dialog, "pcboContentLibrary"), child<QLineEdit>(dialog, "pledVendorName"),
                child<QLineEdit>(dialog, "pledProductName"), child<QCheckBox>(dialog, "pchkCompressFiles"),
                child<QPushButton>(dialog, "pbtnSaveMorphAssets")};
    }

    static void clickSave(QWidget& dialog)
    {
        QTest::mouseClick(child<QPushButton>(dialog, "pbtnSaveMorphAssets"), Qt::LeftButton);
    }

    void expectTargetGoneAfter(const std::function<void(DzFigure*)>& takeAway);

    QTemporaryDir _library;
    DialogScene _scene{SavingOptions(_library)};
    std::vector<DzMorph*> _morphs;
    KvrMorphReports _reports;
};

TEST_F(SuccessDialogTest, ReportsTheJobAndEnablesSavingOnlyWithACheckedRow)
{
    QWidget& dialog = open();
    const QString intro = child<QLabel>(dialog, "plblIntro")->text();
    EXPECT_TRUE(intro.contains(QString::fromUtf8("The source figure \u201cGenesis 8.1 Female\u201d has been converted")));
    EXPECT_TRUE(intro.contains(QString::fromUtf8("<b>\u201cGenesis 9\u201d</b> now contains 3 new morphs:")));
    EXPECT_TRUE(intro.contains(QStringLiteral("<p>Time taken: 12 seconds</p>") + pcszNote));
    EXPECT_TRUE(dialog.windowTitle().startsWith(QString::fromUtf8("Conversion complete \u2014 ")));

    // Report, new morphs, save settings, Close.
    auto* pvert = child<QVBoxLayout>(dialog, "pvertMain");
    ASSERT_EQ(pvert->count(), 4);
    auto* pgrpNewMorphs = qobject_cast<QGroupBox*>(pvert->itemAt(1)->widget());
    EXPECT_EQ(pgrpNewMorphs->title(), QStringLiteral("Newly created morphs"));
    EXPECT_EQ(pgrpNewMorphs->layout(), newMorphRows(dialog));
    EXPECT_EQ(pvert->itemAt(2)->widget(), child<QGroupBox>(dialog, "groupBox"));

    for (QWidget* pControl : saveControls(dialog))
        EXPECT_FALSE(pControl->isEnabled()) << pControl->objectName().toStdString();
    clickIndicator(rowCheck(dialog, 1));
    for (QWidget* pControl : saveControls(dialog))
        EXPECT_TRUE(pControl->isEnabled()) << pControl->objectName().toStdString();
    clickIndicator(rowCheck(dialog, 1));
    for (QWidget* pControl : saveControls(dialog))
        EXPECT_FALSE(pControl->isEnabled()) << pControl->objectName().toStdString();
}

TEST_F(SuccessDialogTest, OffersTheFirstLibraryUnlessTheRememberedOneIsStillAContentDirectory)
{
    {
        QWidget& dialog = open();
        auto* pcbo = child<QComboBox>(dialog, "pcboContentLibrary");
        ASSERT_EQ(pcbo->count(), 2);
        EXPECT_EQ(pcbo->itemText(1), QStringLiteral(KVR_CONTENT_DIR));
        EXPECT_EQ(pcbo->currentText(), _library.path());
        EXPECT_EQ(child<QLineEdit>(dialog, "pledVendorName")->text(), QStringLiteral("Test Author"));
        EXPECT_EQ(child<QLineEdit>(dialog, "pledProductName")->text(), QStringLiteral("Product"));
        delete &dialog;
    }
    DzAppSettings settings(QStringLiteral("Tavrenik's Kelvaro"));
    settings.setStringValue(QStringLiteral("save_last_content_library"), QStringLiteral("/library/gone"));
    EXPECT_EQ(child<QComboBox>(open(), "pcboContentLibrary")->currentIndex(), 0);
}

TEST_F(SuccessDialogTest, DialAndPropertyFollowEachOtherWithoutAnEcho)
{
    DzFloatProperty* pProperty = _reports[0].pProperty;
    pProperty->setMinMax(-1.0f, 1.0f);
    pProperty->setDefaultValue(0.5f);
    QWidget& dialog = open();
    showActive(dialog);
    QSignalSpy writes(pProperty, SIGNAL(currentValueChanged()));

    typeDialValue(rowDialPart(dialog, 0, 0), QStringLiteral("40"));
    EXPECT_EQ(writes.count(), 1);
    EXPECT_FLOAT_EQ(pProperty->getValue(), 0.4f);
    const float afPresets[] = {-1.0f, 0.5f, 1.0f};  // Min, Default, Max
    for (int iPreset = 0; iPreset < 3; ++iPreset) {
        QTest::mouseClick(qobject_cast<QToolButton*>(rowDialPart(dialog, 0, 1 + iPreset)), Qt::LeftButton);
        EXPECT_FLOAT_EQ(pProperty->getValue(), afPresets[iPreset]);
    }
    EXPECT_EQ(writes.count(), 4);

    // Beyond the dial's end: the dial stops at its maximum and must not write that back.
    pProperty->setValue(0.25f);
    EXPECT_FLOAT_EQ(static_cast<DzFloatSlider*>(rowDialPart(dialog, 0, 0))->getValue(), 0.25f);
    pProperty->setValue(1.5f);
    EXPECT_FLOAT_EQ(static_cast<DzFloatSlider*>(rowDialPart(dialog, 0, 0))->getValue(), 1.0f);
    EXPECT_FLOAT_EQ(pProperty->getValue(), 1.5f);
    EXPECT_EQ(writes.count(), 6);
    EXPECT_FLOAT_EQ(_reports[1].pProperty->getValue(), 0.0f) << "other rows stay where they are";
}

TEST_F(SuccessDialogTest, ARemovedMorphDisablesItsRowAndASaveNamingItFailsVisibly)
{
    QWidget& dialog = open();
    _scene.pTarget->getObject()->removeModifier(_morphs[1]);
    delete _morphs[1];

    for (int index = 0; index < 4; ++index)
        EXPECT_FALSE(rowDialPart(dialog, 1, index)->isEnabled()) << index;
    EXPECT_FALSE(rowShow(dialog, 1)->isEnabled());
    EXPECT_TRUE(rowCheck(dialog, 1)->isEnabled());
    EXPECT_TRUE(rowDialPart(dialog, 0, 0)->isEnabled());
    EXPECT_TRUE(rowShow(dialog, 2)->isEnabled());

    MessageBoxCloser boxes;
    clickIndicator(rowCheck(dialog, 1));
    clickSave(dialog);
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(boxes.seen[0].text.contains(QStringLiteral("Failed to save morph support assets")));
    EXPECT_TRUE(boxes.seen[0].text.contains(QStringLiteral("Kelvaro Head")));
    EXPECT_TRUE(dialog.isVisible());
}

// The target goes while the dialog is open and a row is ticked; a user then ticks and saves.
void SuccessDialogTest::expectTargetGoneAfter(const std::function<void(DzFigure*)>& takeAway)
{
    QWidget& dialog = open();
    showActive(dialog);
    clickIndicator(rowCheck(dialog, 0));
    takeAway(_scene.pTarget);

    MessageBoxCloser boxes;
    clickIndicator(rowCheck(dialog, 2));
    clickSave(dialog);
    EXPECT_TRUE(boxes.seen.empty()) << boxes.seen.front().text.toStdString();
    for (int iRow = 0; iRow < 3; ++iRow) {
        EXPECT_FALSE(rowCheck(dialog, iRow)->isEnabled()) << iRow;
        EXPECT_FALSE(rowShow(dialog, iRow)->isEnabled()) << iRow;
    }
    for (QWidget* pControl : saveControls(dialog))
        EXPECT_FALSE(pControl->isEnabled()) << pControl->objectName().toStdString();
    QStringList shown;
    for (QLabel* plbl : dialog.findChildren<QLabel*>())
        if (plbl->isVisibleTo(&dialog))
            shown << plbl->text();
    EXPECT_TRUE(shown.join("\n").contains(QString::fromUtf8(
        "The target figure \u201cGenesis 9\u201d is no longer in the scene")))
        << shown.join("\n").toStdString();
}

TEST_F(SuccessDialogTest, ATargetDeletedWhileOpenDisablesRowsAndSaveAndNothingCallsIntoIt)
{
    expectTargetGoneAfter([this](DzFigure* pTarget) {
        delete pTarget;
        _scene.pTarget = nullptr;
    });
}

TEST_F(SuccessDialogTest, ATargetTakenOutOfTheSceneIsGoneAsWell)
{
    std::unique_ptr<DzFigure> pKept;
    expectTargetGoneAfter([&pKept](DzFigure* pTarget) {
        ASSERT_TRUE(dzScene->removeNode(pTarget));
        pKept.reset(pTarget);
    });
}

TEST_F(SuccessDialogTest, ASaveTheHostReportsCancelledIsNotReportedAsSaved)
{
    DzAssetIOMgr* pAssets = dzApp->getAssetIOMgr();
    ASSERT_TRUE(pAssets->removeFilter(pAssets->getFilter(pAssets->findFilter("DzMorphSupportAssetFilter"))));
    pAssets->addFilter(new CancellingAssetFilter);
    QWidget& dialog = open();
    clickIndicator(rowCheck(dialog, 1));
    MessageBoxCloser boxes;
    clickSave(dialog);
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_FALSE(boxes.seen[0].text.contains(QStringLiteral("been saved"))) << boxes.seen[0].text.toStdString();
    EXPECT_TRUE(boxes.seen[0].text.contains(QStringLiteral("cancelled"))) << boxes.seen[0].text.toStdString();
}

TEST_F(SuccessDialogTest, SavesTheCheckedMorphsIntoTheChosenLibrary)
{
    // The dialog offers the remembered library and vendor; the user picks another of each.
    DzAppSettings settings(QStringLiteral("Tavrenik's Kelvaro"));
    settings.setStringValue(QStringLiteral("save_last_content_library"), QStringLiteral(KVR_CONTENT_DIR));
    settings.setStringValue(QStringLiteral("save_last_vendor_name"), QStringLiteral("Someone"));
    QWidget& dialog = open();
    showActive(dialog);
    auto* pcboLibrary = child<QComboBox>(dialog, "pcboContentLibrary");
    ASSERT_EQ(pcboLibrary->currentIndex(), 1);
    EXPECT_EQ(child<QLineEdit>(dialog, "pledVendorName")->text(), QStringLiteral("Someone"));
    clickIndicator(rowCheck(dialog, 0));
    clickIndicator(rowCheck(dialog, 2));
    typeInto(child<QLineEdit>(dialog, "pledVendorName"), QStringLiteral("Tavrenik"));
    typeInto(child<QLineEdit>(dialog, "pledProductName"), QStringLiteral("Shapes"));
    pcboLibrary->setCurrentIndex(pcboLibrary->findText(_library.path()));

    MessageBoxCloser boxes;
    clickSave(dialog);
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].icon, QMessageBox::Information);
    EXPECT_TRUE(boxes.seen[0].text.contains(QStringLiteral("Morph support assets saved")));
    EXPECT_TRUE(boxes.seen[0].text.contains(
        QStringLiteral("The 2 selected morphs have been saved to ") + _library.path()));

    const QStringList saved = savedMorphAssets(_library);
    ASSERT_EQ(saved.size(), 2);
    EXPECT_TRUE(saved[0].endsWith(QStringLiteral("/Morphs/Tavrenik/Shapes/Kelvaro Body.dsf"))) << saved[0].toStdString();
    EXPECT_TRUE(saved[1].endsWith(QStringLiteral("/Morphs/Tavrenik/Shapes/Kelvaro Full.dsf"))) << saved[1].toStdString();

    const auto stored = _scene.storedKeys();
    EXPECT_EQ(stored.value("save_last_content_library").toString(), _library.path());
    EXPECT_EQ(stored.value("save_last_vendor_name").toString(), QStringLiteral("Tavrenik"));
    EXPECT_EQ(stored.value("save_last_product_name").toString(), QStringLiteral("Shapes"));
}

TEST_F(SuccessDialogTest, ShowInParametersRevealsTheRowsDial)
{
    QWidget& dialog = open();
    auto* pPane = qobject_cast<DzParametersPane*>(
        _scene.app()->getInterface()->getPaneMgr()->findPane("DzParametersPane"));
    ASSERT_NE(pPane, nullptr);
    QTest::mouseClick(rowShow(dialog, 2), Qt::LeftButton);
    EXPECT_EQ(pPane->getHighlightedProperty(), _reports[2].pProperty);
}

TEST_F(SuccessDialogTest, ClosingDeletesTheDialogAndRemembersItsPlace)
{
    QPointer<QWidget> pDialog = &open();
    QPushButton* pClose = nullptr;
    for (QPushButton* pButton : pDialog->findChildren<QPushButton*>())
        if (pButton->text() == QStringLiteral("Close"))
            pClose = pButton;
    ASSERT_NE(pClose, nullptr);
    EXPECT_TRUE(pClose->isDefault());
    QTest::mouseClick(pClose, Qt::LeftButton);
    ASSERT_EVENTUALLY(pDialog.isNull());
    EXPECT_TRUE(_scene.storedKeys().contains(QStringLiteral("winpos_dlg_success")));
}

} // namespace
