#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "dlg_fixture.h"
#include "dzappsettings.h"
#include "dzmorphdeltas.h"
#include "gui_test_helpers.h"
#include "kvr_dlg_convert-morphs.h"
#include "kvr_dlg_morph-results.h"
#include "kvr_morph-catalogue.h"
#include "tv_daz-helpers-scene.h"

// The Convert morphs and results dialogs on the sample scene, for a person to look at; they
// land in the build's screenshots folder, from where the manual takes them.
namespace {

void saveShot(QWidget& widget, const char* name)
{
    const QString dir = QStringLiteral(KVR_BUILD_DIR "/screenshots");
    QDir().mkpath(dir);
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    QCoreApplication::sendPostedEvents();
    const QPixmap shot = widget.grab();
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save(dir + QLatin1Char('/') + QLatin1String(name)));
}

TEST(Gallery, ConvertMorphsAndResultsDialogsOnTheSampleScene)
{
    // A library with a neutral path, as a user's would be; made here and removed after.
    const QString library = QDir::tempPath() + QStringLiteral("/My Library");
    ASSERT_FALSE(QFileInfo::exists(library)) << library.toStdString();
    ASSERT_TRUE(QDir().mkpath(library));
    struct Remover {
        QString path;
        ~Remover() { QDir(path).removeRecursively(); }
    } remover{library};
    DzAppOptions options = TestApp::defaultOptions();
    options.contentDirs.prepend(library);
    options.authorName = QStringLiteral("My Name");
    TestApp app(options);
    app->startup();
    DzContentMgr* pContent = app->getContentMgr();
    ASSERT_TRUE(pContent->openFile(pContent->getAbsolutePath("Scenes/Sample Conversion.duf"), false));
    auto* pSource = qobject_cast<DzFigure*>(dzScene->findNodeByLabel("Genesis 8.1 Female"));
    auto* pTarget = qobject_cast<DzFigure*>(dzScene->findNodeByLabel("Genesis 9"));
    ASSERT_TRUE(pSource && pTarget);
    KvrParamsPtr pParams = makeParams(pSource, KvrSourceGeneration::Genesis8Female, pTarget);
    ASSERT_TRUE(pParams);

    DzAppSettings settings(QStringLiteral("Tavrenik's Kelvaro"));
    KvrConvertMorphsDialog dialog(nullptr, pParams, SourceMorphCatalogue(pSource), &settings);
    showActive(dialog);
    const auto checkShown = [&dialog](const char* filter, const char* button) {
        typeInto(dialog.findChild<QLineEdit*>(QStringLiteral("pledFilter")), QString::fromLatin1(filter));
        for (QPushButton* pButton : dialog.findChildren<QPushButton*>())
            if (pButton->text() == QString::fromLatin1(button))
                QTest::mouseClick(pButton, Qt::LeftButton);
    };
    // The head morphs are the batch; the picture shows the nose ones among them.
    checkShown("", "Check none");
    checkShown("Actor/Head", "Check all");
    const KvrMorphBatchOptions chosen = dialog.options();
    checkShown("nose", "Check all");
    saveShot(dialog, "convert-morphs-dialog.png");
    dialog.reject();

    // What a batch of those morphs leaves: a morph per order, the last one skipped.
    KvrMorphBatchResult result;
    result.iDurationMs = 4000;
    for (const KvrMorphOrder& order : chosen.orders) {
        KvrConvertedMorph converted{order.sourceName, order.sourceLabel, {}, &order == &chosen.orders.back()};
        if (!converted.bSkipped) {
            auto* pMorph = new DzMorph(QString::fromStdString(order.names.full));
            pMorph->getValueControl()->setPath(QString::fromStdString(order.paths.full));
            pTarget->getObject()->addModifier(pMorph);
            converted.reports.push_back({KvrMorphKind::FullFigure, order.names.full, pMorph->getValueControl()});
        }
        result.morphs.push_back(converted);
    }
    new KvrMorphResultsDialog(nullptr, pParams, result, "4 seconds");
    QWidget* pResults = findTopLevel(QStringLiteral("MorphResultsDialog"));
    ASSERT_NE(pResults, nullptr);
    // One morph ticked for saving, so the save settings show enabled.
    auto* pgrid = pResults->findChild<QGridLayout*>(QStringLiteral("pgridNewMorphs"));
    ASSERT_NE(pgrid, nullptr);
    clickIndicator(qobject_cast<QCheckBox*>(pgrid->itemAtPosition(1, 0)->widget()));
    saveShot(*pResults, "convert-morphs-results.png");
    delete pResults;
}

} // namespace
