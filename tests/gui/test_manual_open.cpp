#include <gtest/gtest.h>

#include <QFile>
#include <QHBoxLayout>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <memory>

#include "dlg_fixture.h"
#include "gui_test_helpers.h"

// Each dialog's Help button opens the PDF the build installs under the documentation path, at
// the dialog's chapter: the host is told "file:///" followed by that path. Without it, a box
// says where it is missing.
namespace {

const QString docsPath = QStringLiteral(KVR_BUILD_DIR "/docs");
const QString manualPdf = docsPath + QStringLiteral("/Plugins/Kelvaro for Genesis 9/Kelvaro for Genesis 9 Manual.pdf");

TEST(ManualOpen, EachDialogsHelpButtonOpensTheInstalledManualAtItsChapter)
{
    QFile file(manualPdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "the manual is not built: " << manualPdf.toStdString();
    EXPECT_EQ(file.read(5), QByteArray("%PDF-"));

    struct Case {
        const char* pcszDialog;
        std::function<std::unique_ptr<QDialog>(DialogScene&, DzAppSettings&)> open;
        const char* pcszChapter;
    };
    const Case cases[] = {
        {"Convert", openConvertDialog, ""},
        {"Convert morphs", openConvertMorphsDialog, "#nameddest=converting-morphs-one-by-one"},
    };
    for (const Case& c : cases) {
        for (const bool bInstalled : {true, false}) {
            SCOPED_TRACE(testing::Message() << c.pcszDialog << (bInstalled ? " installed" : " missing"));
            DzAppOptions options = TestApp::defaultOptions();
            options.docPath = bInstalled ? docsPath : QStringLiteral("/no/docs/here");
            DialogScene scene(options);
            DzAppSettings settings(QStringLiteral("Tavrenik's Kelvaro"));
            const std::unique_ptr<QDialog> pDialog = c.open(scene, settings);
            showActive(*pDialog);
            MessageBoxCloser boxes;
            QTest::mouseClick(qobject_cast<QToolButton*>(
                                  child<QHBoxLayout>(*pDialog, "phorzBottomButtons")->itemAt(0)->widget()),
                              Qt::LeftButton);
            EXPECT_EQ(scene.app()->lastShownUrl(),
                      bInstalled ? QStringLiteral("file:///") + manualPdf + QString::fromLatin1(c.pcszChapter) : QString());
            ASSERT_EQ(boxes.seen.size(), bInstalled ? 0u : 1u);
            if (!bInstalled) {
                EXPECT_TRUE(boxes.seen[0].text.contains(QStringLiteral("does not exist")));
            }
            pDialog->reject();
        }
    }
}

} // namespace
