#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <cstring>
#include <fmt/format.h>
#include <memory>

#include "dlg_fixture.h"
#include "dzappsettings.h"
#include "kvr_dlg_convert-morphs.h"
#include "kvr_morph-catalogue.h"

// The catalogue of a source's morphs, the names made from it, and the Convert morphs dialog on
// the bundled Genesis 8.1 Female (its head size dialled) beside a Genesis 9.
namespace {

TEST(MorphCatalogue, ShortNamesOfTheSourceKinds)
{
    using tav::daz::FigureKind;
    const std::pair<FigureKind, const char*> cases[] = {
        {FigureKind::Genesis3Female, "G3F"}, {FigureKind::Genesis3Male, "G3M"},
        {FigureKind::Genesis8Female, "G8F"}, {FigureKind::Genesis8Male, "G8M"},
        {FigureKind::Genesis81Female, "G8.1F"}, {FigureKind::Genesis81Male, "G8.1M"},
        {FigureKind::Genesis9, ""}, {FigureKind::None, ""},
    };
    for (const auto& [eKind, expected] : cases)
        EXPECT_EQ(SourceShortName(eKind), expected) << int(eKind);
}

TEST(MorphCatalogue, PatternsReplaceLabelAndSourceAndKeepEverythingElse)
{
    const KvrSourceMorph morph{"head_ctrl_NoseWidth", "Nose {source} Width", "/Actor/Head", 0.0f};
    const std::pair<const char*, const char*> cases[] = {
        {"{label} ({source})", "Nose {source} Width (G8.1F)"},  // a label is not expanded again
        {"/Kelvaro/Converted/{source}", "/Kelvaro/Converted/G8.1F"},
        {"{source}{source}-{label}", "G8.1FG8.1F-Nose {source} Width"},
        {"{Label} {sourc} {}", "{Label} {sourc} {}"},
        {"", ""},
    };
    for (const auto& [pattern, expected] : cases)
        EXPECT_EQ(ExpandMorphPattern(pattern, morph, "G8.1F"), expected) << pattern;
}

class ConvertMorphsDialogTest : public ::testing::Test {
protected:
    void TearDown() override { _pDialog.reset(); }

    KvrConvertMorphsDialog& open(std::vector<KvrSourceMorph> catalogue = {})
    {
        if (catalogue.empty())
            catalogue = SourceMorphCatalogue(_scene.pSource);
        _catalogue = catalogue;
        _pDialog = std::make_unique<KvrConvertMorphsDialog>(nullptr, _scene.pParams, std::move(catalogue), &_settings);
        showActive(*_pDialog);
        return *_pDialog;
    }

    template <typename W>
    W* child(const char* name) { return ::child<W>(*_pDialog, name); }
    QTreeWidget* list() { return child<QTreeWidget>("ptwMorphs"); }
    QPushButton* button(const char* text)
    {
        for (QPushButton* pButton : _pDialog->findChildren<QPushButton*>())
            if (pButton->text() == QString::fromLatin1(text))
                return pButton;
        ADD_FAILURE() << text;
        return nullptr;
    }
    int rowOf(const char* label)
    {
        for (int i = 0; i < list()->topLevelItemCount(); ++i)
            if (list()->topLevelItem(i)->text(0) == QString::fromLatin1(label))
                return i;
        ADD_FAILURE() << label;
        return -1;
    }
    // A click on the row's check box, as a user makes it.
    void clickRow(const char* label)
    {
        QTreeWidgetItem* pItem = list()->topLevelItem(rowOf(label));
        list()->scrollToItem(pItem);
        const QRect row = list()->visualItemRect(pItem);
        QStyleOptionViewItem option;
        option.initFrom(list());
        option.rect = row;
        option.features = QStyleOptionViewItem::HasCheckIndicator;
        const QRect box = list()->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list());
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, Qt::NoModifier, box.center());
    }
    QStringList checkedLabels()
    {
        QStringList labels;
        for (int i = 0; i < list()->topLevelItemCount(); ++i)
            if (list()->topLevelItem(i)->checkState(0) == Qt::Checked)
                labels << list()->topLevelItem(i)->text(0);
        return labels;
    }
    QStringList shownLabels()
    {
        QStringList labels;
        for (int i = 0; i < list()->topLevelItemCount(); ++i)
            if (!list()->topLevelItem(i)->isHidden())
                labels << list()->topLevelItem(i)->text(0);
        return labels;
    }
    QString problem() { return child<QLabel>("plblProblem")->isVisible() ? child<QLabel>("plblProblem")->text() : QString(); }

    DialogScene _scene;
    DzAppSettings _settings{QStringLiteral("Tavrenik's Kelvaro")};
    std::vector<KvrSourceMorph> _catalogue;
    std::unique_ptr<KvrConvertMorphsDialog> _pDialog;
};

TEST_F(ConvertMorphsDialogTest, ListsTheCatalogueWithTheDialledMorphsCheckedAndTheDefaultPatterns)
{
    KvrConvertMorphsDialog& dialog = open();
    EXPECT_TRUE(dialog.windowTitle().startsWith(QString::fromUtf8("Convert morphs \u2014 Tavrenik's Kelvaro")));
    ASSERT_EQ(list()->topLevelItemCount(), int(_catalogue.size()));
    const int iNose = rowOf("Nose Width");
    EXPECT_EQ(list()->topLevelItem(iNose)->text(1), QStringLiteral("Actor/Head/Nose"));
    EXPECT_EQ(list()->topLevelItem(rowOf("Head Size"))->text(2), QStringLiteral("80%"));
    EXPECT_EQ(checkedLabels(), QStringList{"Head Size"});
    EXPECT_EQ(child<QLineEdit>("pledNamePattern")->text(), QStringLiteral("{label} ({source})"));
    EXPECT_EQ(child<QLineEdit>("pledPathPattern")->text(), QStringLiteral("/Kelvaro/Converted/{source}"));
    EXPECT_FALSE(child<QCheckBox>("pchkHeadAndBody")->isChecked());
    EXPECT_TRUE(child<QPushButton>("pbtnConvert")->isEnabled());

    const KvrMorphBatchOptions options = dialog.options();
    ASSERT_EQ(options.orders.size(), 1u);
    EXPECT_EQ(options.orders[0].sourceName, "head_ctrl_HeadSize");
    EXPECT_EQ(options.orders[0].names.full, "Head Size (G8.1F)");
    EXPECT_EQ(options.orders[0].paths.full, "/Kelvaro/Converted/G8.1F");
    EXPECT_EQ(options.flags, KvrJobFlags(KvrJobFlag::FullFigureMorph));
}

TEST_F(ConvertMorphsDialogTest, TheFilterMatchesLabelOrGroupAndTheCheckButtonsActOnTheRowsItShows)
{
    open();
    const QStringList nose{"Nose Height", "Nose Size", "Nose Width"};
    struct Case {
        const char* filter;
        const char* clicked;  // a check button, or none
        QStringList shown;  // empty: every row
        QStringList checked;
    };
    const Case cases[] = {
        {"nose", nullptr, nose, {"Head Size"}},
        {"NOSE", "Check all", nose, QStringList{"Head Size"} + nose},
        // The group matches two of them; the third, hidden, keeps its check.
        {"actor/head/nose", "Check none", {"Nose Height", "Nose Width"}, {"Head Size", "Nose Size"}},
        {"Head Size", "Check none", {"Head Size"}, {"Nose Size"}},
        {"", "Check dialled", QStringList(), {"Head Size"}},
        {"", "Check all", QStringList(), {}},
    };
    for (const Case& c : cases) {
        auto* pledFilter = child<QLineEdit>("pledFilter");
        pledFilter->setFocus();
        QTest::keyClick(pledFilter, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(pledFilter, Qt::Key_Backspace);
        QTest::keyClicks(pledFilter, QString::fromLatin1(c.filter));
        if (c.clicked)
            QTest::mouseClick(button(c.clicked), Qt::LeftButton);
        QStringList shown = shownLabels();
        QStringList checked = checkedLabels();
        QStringList wantedChecked = c.checked.isEmpty() && c.clicked && !std::strcmp(c.clicked, "Check all") ? shown : c.checked;
        shown.sort();
        checked.sort();
        wantedChecked.sort();
        if (c.shown.isEmpty())
            EXPECT_EQ(shown.size(), list()->topLevelItemCount()) << c.filter;
        else
            EXPECT_EQ(shown, c.shown) << c.filter;
        EXPECT_EQ(checked, wantedChecked) << c.filter << " " << (c.clicked ? c.clicked : "");
    }
    EXPECT_EQ(child<QLabel>("plblChecked")->text(),
              QStringLiteral("%1 of %1 checked").arg(list()->topLevelItemCount()));
    // Return ends the typing in the filter; it does not start the batch.
    child<QLineEdit>("pledFilter")->setFocus();
    QTest::keyClick(child<QLineEdit>("pledFilter"), Qt::Key_Return);
    EXPECT_TRUE(_pDialog->isVisible());
    EXPECT_EQ(_pDialog->result(), 0);
}

TEST_F(ConvertMorphsDialogTest, ANameTheTargetHasOrTwoMorphsGivingOneNameKeepConvertDisabledAndSayWhich)
{
    _scene.addTargetMorph(QStringLiteral("Nose Width (G8.1F)"));
    _scene.addTargetMorph(QStringLiteral("Jaw Width (G8.1F) Body"));
    open();
    struct Case {
        const char* pattern;
        bool bHeadAndBody;
        const char* clickedRow;  // toggled before the check, and back after it
        const char* problem;  // empty when Convert may run
    };
    const Case cases[] = {
        {"{label} ({source})", false, nullptr, ""},
        {"{label} ({source})", false, "Nose Width",
         "The target figure already has a morph named \u201cNose Width (G8.1F)\u201d (from the morph \u201cNose Width\u201d)."},
        {"{label} ({source})", true, "Nose Width", ""},
        {"{label} ({source})", false, "Jaw Width", ""},
        {"{label} ({source})", true, "Jaw Width",
         "The target figure already has a morph named \u201cJaw Width (G8.1F) Body\u201d (from the morph \u201cJaw Width\u201d)."},
        {"Shape {source}", false, nullptr, ""},
        {"Shape {source}", true, "Eyes Size", "The morphs \u201cHead Size\u201d and \u201cEyes Size\u201d would both be named \u201cShape G8.1F Head\u201d."},
        {"  ", false, nullptr, "The name pattern gives the morph \u201cHead Size\u201d an empty name."},
        {"{label}", false, "Head Size", "Check at least one morph to convert."},
    };
    for (const Case& c : cases) {
        typeInto(child<QLineEdit>("pledNamePattern"), QString::fromLatin1(c.pattern));
        if (child<QCheckBox>("pchkHeadAndBody")->isChecked() != c.bHeadAndBody)
            clickIndicator(child<QCheckBox>("pchkHeadAndBody"));
        if (c.clickedRow)
            clickRow(c.clickedRow);
        EXPECT_EQ(problem(), QString::fromUtf8(c.problem)) << c.pattern << " " << (c.clickedRow ? c.clickedRow : "");
        EXPECT_EQ(child<QPushButton>("pbtnConvert")->isEnabled(), *c.problem == 0) << c.pattern;
        if (c.clickedRow)
            clickRow(c.clickedRow);
    }
    // Return in a field does not get round a disabled Convert.
    typeInto(child<QLineEdit>("pledNamePattern"), QStringLiteral("  "));
    QTest::keyClick(child<QLineEdit>("pledNamePattern"), Qt::Key_Return);
    EXPECT_TRUE(_pDialog->isVisible());
}

TEST_F(ConvertMorphsDialogTest, HeadAndBodyMorphsTakeThePatternsNameWithASuffixAndOnePath)
{
    KvrConvertMorphsDialog& dialog = open();
    clickRow("Nose Width");
    clickIndicator(child<QCheckBox>("pchkHeadAndBody"));
    typeInto(child<QLineEdit>("pledPathPattern"), QStringLiteral("/Shapes/{source}/{label}"));
    const KvrMorphBatchOptions options = dialog.options();
    EXPECT_EQ(options.flags, KvrJobFlags(KvrJobFlag::HeadMorph) | KvrJobFlags(KvrJobFlag::BodyMorph));
    ASSERT_EQ(options.orders.size(), 2u);
    // Catalogue order, whatever the order of the clicks.
    const bool bNoseFirst = rowOf("Nose Width") < rowOf("Head Size");
    const KvrMorphOrder& nose = options.orders[bNoseFirst ? 0 : 1];
    EXPECT_EQ(nose.sourceName, "head_ctrl_NoseWidth");
    EXPECT_EQ(nose.sourceLabel, "Nose Width");
    EXPECT_EQ(nose.names, (KvrMorphTexts{"", "Nose Width (G8.1F) Head", "Nose Width (G8.1F) Body"}));
    EXPECT_EQ(nose.paths, (KvrMorphTexts{"", "/Shapes/G8.1F/Nose Width", "/Shapes/G8.1F/Nose Width"}));
    EXPECT_EQ(options.eResolution, KvrResolution::Base);
    EXPECT_EQ(options.iSubdLevel, 0);
}

TEST_F(ConvertMorphsDialogTest, ConvertRemembersTheKindAndPatternsAndCancelDoesNot)
{
    struct Case {
        bool bConvert;
        const char* pattern;
        QStringList changed;
    };
    const Case cases[] = {
        {false, "Kept {label}", {"winpos_convert-morphs-dialog"}},
        {true, "{label} from {source}",
         {"convert_morphs_head_and_body", "convert_morphs_name_pattern", "convert_morphs_property_path",
          "winpos_convert-morphs-dialog"}},
    };
    for (const Case& c : cases) {
        const auto before = _scene.storedKeys();
        open();
        typeInto(child<QLineEdit>("pledNamePattern"), QString::fromLatin1(c.pattern));
        typeInto(child<QLineEdit>("pledPathPattern"), QStringLiteral("/Mine/{source}"));
        clickIndicator(child<QCheckBox>("pchkHeadAndBody"));
        QTest::mouseClick(child<QPushButton>(c.bConvert ? "pbtnConvert" : "pbtnCancel"), Qt::LeftButton);
        QStringList changed = _scene.changedKeys(before);
        changed.sort();
        EXPECT_EQ(changed, c.changed) << c.pattern;
    }
    open();
    EXPECT_EQ(child<QLineEdit>("pledNamePattern")->text(), QStringLiteral("{label} from {source}"));
    EXPECT_EQ(child<QLineEdit>("pledPathPattern")->text(), QStringLiteral("/Mine/{source}"));
    EXPECT_TRUE(child<QCheckBox>("pchkHeadAndBody")->isChecked());
}

TEST_F(ConvertMorphsDialogTest, ALongCatalogueScrollsInsideTheList)
{
    std::vector<KvrSourceMorph> catalogue;
    for (int i = 0; i < 150; ++i)
        catalogue.push_back({fmt::format("morph_{}", i), fmt::format("Morph {:03}", i), "Actor/Many", i % 7 ? 0.0f : 0.5f});
    open(catalogue);
    EXPECT_EQ(list()->topLevelItemCount(), 150);
    EXPECT_LT(_pDialog->height(), 1000);
    EXPECT_TRUE(list()->verticalScrollBar()->isVisible());
    EXPECT_EQ(checkedLabels().size(), 22);
    clickRow("Morph 149");
    EXPECT_EQ(checkedLabels().size(), 23);
    // Made as small as the user can make it, the wrapped texts still leave the list its room.
    _pDialog->resize(1, 1);
    QCoreApplication::processEvents();
    EXPECT_GE(list()->height(), list()->minimumHeight());
    EXPECT_LE(list()->geometry().bottom(), button("Check all")->geometry().top());
}

} // namespace
