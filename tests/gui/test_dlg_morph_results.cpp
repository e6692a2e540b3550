#include <gtest/gtest.h>

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>

#include "dlg_fixture.h"
#include "gui_test_helpers.h"
#include "kvr_dlg_morph-results.h"
#include "qt_wait.h"

// The results of a batch: one row per new morph, the skipped source morphs, a cancelled batch,
// and the saving of the ticked morphs into a content library of the test's own.
namespace {

class MorphResultsDialogTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        while (QWidget* pDialog = findTopLevel(QStringLiteral("MorphResultsDialog")))
            delete pDialog;
    }

    // Source morphs labelled "Shape <i>", each made into one morph, except the skipped ones.
    KvrMorphBatchResult batch(int cMorphs, const std::vector<int>& skipped = {}, bool bCancelled = false)
    {
        KvrMorphBatchResult result;
        for (int i = 0; i < cMorphs; ++i) {
            KvrConvertedMorph morph;
            morph.sourceName = "shape_" + std::to_string(i);
            morph.sourceLabel = "Shape " + std::to_string(i);
            morph.bSkipped = std::find(skipped.begin(), skipped.end(), i) != skipped.end();
            const QString name = QStringLiteral("Shape %1 (G8.1F)").arg(i);
            if (!morph.bSkipped)
                morph.reports.push_back({KvrMorphKind::FullFigure, name.toStdString(),
                                         _scene.addTargetMorph(name)->getValueControl()});
            result.morphs.push_back(morph);
        }
        result.bCancelled = bCancelled;
        return result;
    }

    QWidget& open(const KvrMorphBatchResult& result)
    {
        new KvrMorphResultsDialog(nullptr, _scene.pParams, result, "3 seconds");
        QWidget* pDialog = findTopLevel(QStringLiteral("MorphResultsDialog"));
        EXPECT_NE(pDialog, nullptr);
        return *pDialog;
    }

    QTemporaryDir _library;
    DialogScene _scene{SavingOptions(_library)};
};

TEST_F(MorphResultsDialogTest, ReportsNewMorphsSkippedOnesAndACancelledBatch)
{
    struct Case {
        int cMorphs;
        std::vector<int> skipped;
        bool bCancelled;
        const char* count;
    };
    const Case cases[] = {
        {3, {}, false, "now contains 3 new morphs:"},
        {3, {0, 2}, false, "now contains one new morph:"},
        {2, {}, true, "now contains 2 new morphs:"},
        {0, {}, true, "now contains 0 new morphs:"},
    };
    for (const Case& c : cases) {
        QWidget& dialog = open(batch(c.cMorphs, c.skipped, c.bCancelled));
        const QString intro = child<QLabel>(dialog, "plblIntro")->text();
        EXPECT_TRUE(intro.contains(QString::fromUtf8(c.count))) << intro.toStdString();
        EXPECT_TRUE(intro.contains(QString::fromUtf8("\u201cGenesis 8.1 Female\u201d"))) << intro.toStdString();
        EXPECT_EQ(intro.contains(QStringLiteral("The conversion was cancelled")), c.bCancelled) << c.count;
        EXPECT_TRUE(dialog.windowTitle().startsWith(QString::fromUtf8("Morphs converted \u2014 ")));

        QStringList made, skippedLabels;
        for (int i = 0; i < c.cMorphs; ++i) {
            if (std::find(c.skipped.begin(), c.skipped.end(), i) == c.skipped.end())
                made << QStringLiteral("Shape %1 (G8.1F)").arg(i);
            else
                skippedLabels << QStringLiteral("Shape %1").arg(i);
        }
        QStringList rows;
        for (int iRow = 0; newMorphRows(dialog)->itemAtPosition(iRow, 0); ++iRow)
            rows << rowCheck(dialog, iRow)->text();
        EXPECT_EQ(rows, made);

        auto* plst = dialog.findChild<QListWidget*>(QStringLiteral("plstSkipped"));
        QStringList skipped;
        for (int i = 0; plst && i < plst->count(); ++i)
            skipped << plst->item(i)->text();
        EXPECT_EQ(skipped, skippedLabels);
        delete &dialog;
    }
}

TEST_F(MorphResultsDialogTest, ManyNewMorphsScrollInsideTheirGroup)
{
    QWidget& dialog = open(batch(60));
    showActive(dialog);
    EXPECT_LT(dialog.height(), 900);
    auto* pScroll = child<QScrollArea>(dialog, "pscrNewMorphs");
    EXPECT_TRUE(pScroll->verticalScrollBar()->isVisible());
    // The last row is there and works once scrolled to.
    QCheckBox* pLast = rowCheck(dialog, 59);
    pScroll->ensureWidgetVisible(pLast);
    clickIndicator(pLast);
    EXPECT_TRUE(pLast->isChecked());
    EXPECT_TRUE(child<QPushButton>(dialog, "pbtnSaveMorphAssets")->isEnabled());
}

TEST_F(MorphResultsDialogTest, SavesTheTickedMorphAndRemembersItsPlace)
{
    QWidget& dialog = open(batch(3, {1}));
    showActive(dialog);
    clickIndicator(rowCheck(dialog, 1));
    MessageBoxCloser boxes;
    QTest::mouseClick(child<QPushButton>(dialog, "pbtnSaveMorphAssets"), Qt::LeftButton);
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_TRUE(boxes.seen[0].text.contains(QStringLiteral("The selected morph has been saved to ") + _library.path()))
        << boxes.seen[0].text.toStdString();

    ASSERT_EQ(savedMorphAssets(_library).size(), 1);
    EXPECT_TRUE(savedMorphAssets(_library)[0].endsWith(QStringLiteral("/Shape 2 (G8.1F).dsf")));

    QPointer<QWidget> pDialog = &dialog;
    QTest::keyClick(pDialog.data(), Qt::Key_Escape);
    ASSERT_EVENTUALLY(pDialog.isNull());
    EXPECT_TRUE(_scene.storedKeys().contains(QStringLiteral("winpos_dlg_morph-results")));
}

} // namespace
