#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <memory>

#include "dlg_fixture.h"
#include "qt_wait.h"
#include "dzappsettings.h"
#include "dzfloatslider.h"
#include "gui_test_helpers.h"
#include "kvr_dlg_convert-figure.h"
#include "tv_dlg_morph-path.h"

namespace {

const char* const pcszBaseName = "Genesis 8.1 Female converted to G9";

// The tip of each dial: the group's title and the first three rows' labels, quoted.
const char* const pcszDialToolTip =
    "\n<p>The dials in the <b>\u201cG9 bases for new morph\u201d</b> group determine what base the new morph will be "
    "built against. The dials\nare shortcuts to property dials of the selected target G9 figure.</p>\n<p>If all dials "
    "are zero, the new morph will contain the full set of vertex deltas against the default G9 figure.</p>\n<p>If any "
    "dial is not zero (or any other morph is active in the selected target G9 figure),\nthose morphs will need to be "
    "active in addition to the new morph for a G9 figure to look like the source G8 figure:\n<ul>\n<li>with "
    "<b>\u201cCloneGenesis8Female\u201d</b>, the matching G8 clone morph (which is hidden under the \u201cHidden\u201d "
    "category) will be needed;</li>\n<li>with <b>\u201cBase feminine\u201d</b>, the \u201cBase feminine\u201d morph under "
    "\u201cActor/People/Feminine\u201d will be needed;</li>\n<li>with <b>\u201cBase masculine\u201d</b>, the \u201cBase "
    "masculine\u201d morph under \u201cActor/People/Masculine\u201d will be needed.</li>\n</ul><p>Please see the user "
    "manual for details.</p>\n";

const char* const pcszPickToolTip = "<b>Pick morph path:</b> Allows you to pick a morph path from the tree of existing "
                                    "property paths in the target figure.";

class ConvertDialogTest : public ::testing::Test {
protected:
    std::unique_ptr<KvrConvertDialog> open(size_t cActiveMorphs = 1)
    {
        return std::make_unique<KvrConvertDialog>(nullptr, _scene.pParams, cActiveMorphs, pcszBaseName,
                                                  &_settings);
    }

    // The host dial of a row of the "G9 bases" group (0 clone ... 3 proportion height).
    static DzFloatSlider* dial(QWidget& dialog, int iRow)
    {
        QLayoutItem* pCell = child<QGridLayout>(dialog, "pgridMorphBases")->itemAtPosition(iRow, 1);
        return qobject_cast<DzFloatSlider*>(pCell->layout()->itemAt(0)->widget());
    }

    // The tool button at that place of a row layout.
    static QToolButton* toolButton(QWidget& dialog, const char* rowName, int index)
    {
        return qobject_cast<QToolButton*>(child<QLayout>(dialog, rowName)->itemAt(index)->widget());
    }

    static QToolButton* autoButton(QWidget& dialog)
    {
        QLayoutItem* pCell = child<QGridLayout>(dialog, "pgridMorphBases")->itemAtPosition(3, 1);
        return qobject_cast<QToolButton*>(pCell->layout()->itemAt(1)->widget());
    }

    float height() const { return _scene.pParams->pprpProportionHeight->getValue(); }

    DialogScene _scene;
    DzAppSettings _settings{QStringLiteral("Tavrenik's Kelvaro")};
    const float _originalHeight = height();
};

TEST_F(ConvertDialogTest, FirstUseOffersHeadAndBodyNamesTheFiguresAndFitsTheHeightOnceShown)
{
    ASSERT_TRUE(_scene.pParams);
    auto pDialog = open(0);
    EXPECT_FLOAT_EQ(height(), _originalHeight) << "the fit waits for the dialog's event loop";

    EXPECT_FALSE(child<QCheckBox>(*pDialog, "pchkCreateFullFigureMorph")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(*pDialog, "pchkCreateHeadMorph")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(*pDialog, "pchkCreateBodyMorph")->isChecked());
    EXPECT_TRUE(child<QPushButton>(*pDialog, "pbtnConvert")->isEnabled());
    EXPECT_TRUE(child<QCheckBox>(*pDialog, "pchkAutoAdjustProportionalHeight")->isChecked());
    for (const char* name : {"pledFullFigureMorphPath", "pledHeadMorphPath", "pledBodyMorphPath"})
        EXPECT_EQ(child<QLineEdit>(*pDialog, name)->text(), QStringLiteral("/Kelvaro")) << name;
    EXPECT_EQ(child<QLineEdit>(*pDialog, "pledFullFigureMorphName")->text(), pcszBaseName);
    EXPECT_EQ(child<QLineEdit>(*pDialog, "pledHeadMorphName")->text(),
              QStringLiteral("Genesis 8.1 Female converted to G9 Head"));
    EXPECT_EQ(child<QLineEdit>(*pDialog, "pledBodyMorphName")->text(),
              QStringLiteral("Genesis 8.1 Female converted to G9 Body"));

    const QString intro = child<QLabel>(*pDialog, "plblIntro")->text();
    EXPECT_TRUE(intro.contains(QStringLiteral("convert 0 active morphs in")));
    EXPECT_TRUE(intro.contains(QString::fromUtf8("<b>source figure \u201cGenesis 8.1 Female\u201d</b>")));
    EXPECT_TRUE(intro.contains(QString::fromUtf8("<b>target figure \u201cGenesis 9\u201d</b>")));
    EXPECT_TRUE(child<QLabel>(*open(1), "plblIntro")->text().contains(QStringLiteral("convert one active morph in")));
    EXPECT_TRUE(pDialog->windowTitle().startsWith(QString::fromUtf8("Convert figure \u2014 Tavrenik's Kelvaro V1.0.5")));
    EXPECT_TRUE(child<QCheckBox>(*pDialog, "pchkCreateFullFigureMorph")->toolTip().startsWith(
        QString::fromUtf8("<b>\u201cCreate full figure morph\u201d</b>: Causes a single morph")));
    auto* pgrid = child<QGridLayout>(*pDialog, "pgridMorphBases");
    QStringList labels;
    for (int iRow = 0; iRow < 4; ++iRow)
        labels << qobject_cast<QLabel*>(pgrid->itemAtPosition(iRow, 0)->widget())->text();
    EXPECT_EQ(labels, (QStringList{"CloneGenesis8Female", "Base feminine", "Base masculine", "Proportion height"}));
    for (int iRow = 0; iRow < 4; ++iRow)
        EXPECT_EQ(dial(*pDialog, iRow)->toolTip(), QString::fromUtf8(pcszDialToolTip)) << "row " << iRow;
    const std::pair<QToolButton*, const char*> aToolTips[] = {
        {autoButton(*pDialog), "<b>Auto:</b> Calculates an optimal height value for the G9 target figure to match that "
                               "of the source figure."},
        {toolButton(*pDialog, "phorzBottomButtons", 0),
         "<b>Help:</b> Opens the tool's PDF manual in your system's default PDF viewer."},
        {toolButton(*pDialog, "phorzFullFigureMorphPath", 1), pcszPickToolTip},
        {toolButton(*pDialog, "phorzHeadMorphPath", 1), pcszPickToolTip},
        {toolButton(*pDialog, "phorzBodyMorphPath", 1), pcszPickToolTip},
    };
    for (const auto& [pButton, pcszToolTip] : aToolTips) {
        ASSERT_NE(pButton, nullptr) << pcszToolTip;
        EXPECT_EQ(pButton->toolTip(), QString::fromUtf8(pcszToolTip));
    }
    for (QWidget* pWidget : pDialog->findChildren<QWidget*>()) {
        EXPECT_FALSE(pWidget->toolTip().contains(QStringLiteral("%%"))) << pWidget->objectName().toStdString();
        EXPECT_FALSE(pWidget->toolTip().contains(QStringLiteral("``"))) << pWidget->objectName().toStdString();
    }

    showActive(*pDialog);
    ASSERT_EVENTUALLY(height() != _originalHeight);
    EXPECT_FLOAT_EQ(dial(*pDialog, 3)->getValue(), height());
}

TEST_F(ConvertDialogTest, TabbingFromAutoAdjustFollowsTheFormBeforeAnyDialOrToolButton)
{
    auto pDialog = open();
    showActive(*pDialog);
    child<QCheckBox>(*pDialog, "pchkAutoAdjustProportionalHeight")->setFocus();
    QStringList visited;
    for (int i = 0; i < 12; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    // The radio buttons share one tab stop, the checked one.
    EXPECT_EQ(visited, (QStringList{"pchkCreateFullFigureMorph", "pledFullFigureMorphPath", "pledFullFigureMorphName",
                                    "pchkCreateHeadMorph", "pledHeadMorphPath", "pledHeadMorphName",
                                    "pchkCreateBodyMorph", "pledBodyMorphPath", "pledBodyMorphName",
                                    "pRadioResolutionBase", "pbtnConvert", "pbtnCancel"}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->parentWidget(), dial(*pDialog, 0)) << "the dials come after the form";
}

TEST_F(ConvertDialogTest, ConvertFollowsTheMorphKindsAndStoresOnlyTheChoicesThatChanged)
{
    const auto before = _scene.storedKeys();
    auto pDialog = open();
    showActive(*pDialog);
    auto* pConvert = child<QPushButton>(*pDialog, "pbtnConvert");
    clickIndicator(child<QCheckBox>(*pDialog, "pchkCreateHeadMorph"));
    EXPECT_TRUE(pConvert->isEnabled());
    clickIndicator(child<QCheckBox>(*pDialog, "pchkCreateBodyMorph"));
    EXPECT_FALSE(pConvert->isEnabled());
    EXPECT_TRUE(child<QLineEdit>(*pDialog, "pledBodyMorphPath")->isEnabled()) << "fields stay editable";
    clickIndicator(child<QCheckBox>(*pDialog, "pchkCreateFullFigureMorph"));
    ASSERT_TRUE(pConvert->isEnabled());
    typeInto(child<QLineEdit>(*pDialog, "pledHeadMorphPath"), QStringLiteral("/Morphs/Kelvaro/Head"));
    typeInto(child<QLineEdit>(*pDialog, "pledBodyMorphName"), QStringLiteral("Slim Body"));

    QTest::mouseClick(pConvert, Qt::LeftButton);
    ASSERT_EQ(pDialog->result(), QDialog::Accepted);
    QStringList changed = _scene.changedKeys(before);
    changed.removeAll(QStringLiteral("winpos_convert-figure-dialog"));
    changed.sort();
    EXPECT_EQ(changed, (QStringList{"last_job_flags", "morph_path_head"})) << "names are not remembered";
    EXPECT_EQ(_scene.storedKeys().value("last_job_flags").toInt(), 1);
    EXPECT_EQ(pDialog->jobFlags(), KvrJobFlags(KvrJobFlag::FullFigureMorph));
    EXPECT_FALSE(pDialog->confirmSteps());
    EXPECT_EQ(pDialog->morphPaths(), (KvrMorphTexts{"/Kelvaro", "/Morphs/Kelvaro/Head", "/Kelvaro"}));
    EXPECT_EQ(pDialog->morphNames().body, "Slim Body");

    auto pNext = open();
    EXPECT_TRUE(child<QCheckBox>(*pNext, "pchkCreateFullFigureMorph")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(*pNext, "pchkCreateHeadMorph")->isChecked());
    EXPECT_EQ(child<QLineEdit>(*pNext, "pledHeadMorphPath")->text(), QStringLiteral("/Morphs/Kelvaro/Head"));
}

TEST_F(ConvertDialogTest, DialsMoveTheTargetAtOnceAutoAdjustOffIsStoredAndCancelPutsThemBack)
{
    DzFloatProperty* pFeminine = _scene.pParams->psetBaseFeminine->floatProperty();
    const float originalFeminine = pFeminine->getValue();
    auto pDialog = open();
    showActive(*pDialog);
    ASSERT_EVENTUALLY(height() != _originalHeight);
    const float fitted = height();

    typeDialValue(dial(*pDialog, 1), QStringLiteral("40"));
    EXPECT_FLOAT_EQ(pFeminine->getValue(), 0.4f);

    auto* pAutoAdjust = child<QCheckBox>(*pDialog, "pchkAutoAdjustProportionalHeight");
    const auto storedAutoAdjust = [&] { return _scene.storedKeys().value("auto-adjust-proportional-height").toString(); };
    clickIndicator(pAutoAdjust);
    EXPECT_FLOAT_EQ(height(), _originalHeight);
    EXPECT_FLOAT_EQ(dial(*pDialog, 3)->getValue(), _originalHeight);
    EXPECT_EQ(storedAutoAdjust(), QStringLiteral("false"));
    // Back on, it fits at once and is stored.
    clickIndicator(pAutoAdjust);
    EXPECT_FLOAT_EQ(height(), fitted);
    EXPECT_EQ(storedAutoAdjust(), QStringLiteral("true"));
    clickIndicator(pAutoAdjust);
    EXPECT_FLOAT_EQ(height(), _originalHeight);
    // The magic button still fits by hand.
    QTest::mouseClick(autoButton(*pDialog), Qt::LeftButton);
    EXPECT_FLOAT_EQ(height(), fitted);

    const auto before = _scene.storedKeys();
    QTest::mouseClick(child<QPushButton>(*pDialog, "pbtnCancel"), Qt::LeftButton);
    EXPECT_EQ(pDialog->result(), QDialog::Rejected);
    EXPECT_FLOAT_EQ(pFeminine->getValue(), originalFeminine);
    EXPECT_FLOAT_EQ(height(), _originalHeight);
    EXPECT_EQ(_scene.changedKeys(before), QStringList{"winpos_convert-figure-dialog"});
    EXPECT_EQ(storedAutoAdjust(), QStringLiteral("false"));

    // With false stored, a dialog opens unchecked and leaves the height alone.
    auto pNext = open();
    EXPECT_FALSE(child<QCheckBox>(*pNext, "pchkAutoAdjustProportionalHeight")->isChecked());
    showActive(*pNext);
    QTest::qWait(400);
    EXPECT_FLOAT_EQ(height(), _originalHeight);
}

TEST_F(ConvertDialogTest, APickedPathStartsFromTheStoredOneIsShownButNotStoredOnCancel)
{
    // A stored path the target has as a property group: the picker shows it as its entry.
    _settings.setStringValue(QStringLiteral("morph_path_head"), QStringLiteral("/Actor/People"));
    auto pDialog = open();
    showActive(*pDialog);
    typeInto(child<QLineEdit>(*pDialog, "pledHeadMorphPath"), QStringLiteral("/Actor"));
    QString offered;
    ModalAnswerer<tav::MorphPathDialog> picker([&](tav::MorphPathDialog& dialog) {
        auto* pledPath = dialog.findChild<QLineEdit*>(QStringLiteral("pledMorphPropertyPath"));
        offered = pledPath->text();
        pledPath->selectAll();
        QTest::keyClicks(pledPath, QStringLiteral("/Picked/Path"));
        auto* pButtons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("pButtonBox"));
        QTest::mouseClick(pButtons->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    QTest::mouseClick(toolButton(*pDialog, "phorzHeadMorphPath", 1), Qt::LeftButton);
    EXPECT_EQ(picker.count(), 1);
    EXPECT_EQ(offered, QStringLiteral("/Actor/People")) << "the stored path, not the typed one";
    EXPECT_EQ(child<QLineEdit>(*pDialog, "pledHeadMorphPath")->text(), QStringLiteral("/Picked/Path"));

    QTest::mouseClick(child<QPushButton>(*pDialog, "pbtnCancel"), Qt::LeftButton);
    EXPECT_EQ(_scene.storedKeys().value("morph_path_head").toString(), QStringLiteral("/Actor/People"));
    EXPECT_EQ(child<QLineEdit>(*open(), "pledHeadMorphPath")->text(), QStringLiteral("/Actor/People"));
}

} // namespace
