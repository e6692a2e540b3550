#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QTest>
#include <QToolButton>

#include "dlg_fixture.h"
#include "dzappsettings.h"
#include "gui_test_helpers.h"
#include "kvr_dlg_convert-figure.h"

// Both ways of reaching the manual open the PDF the build installs under the documentation
// path: the host is told "file:///" followed by that path, and a PDF is there.
namespace {

const QString docsPath = QStringLiteral(KVR_BUILD_DIR "/docs");
const QString manualPdf = docsPath + QStringLiteral("/Plugins/Kelvaro for Genesis 9/Kelvaro for Genesis 9 Manual.pdf");

DzAppOptions withBuiltDocs()
{
    DzAppOptions options = TestApp::defaultOptions();
    options.docPath = docsPath;
    return options;
}

void expectOpenedInstalledManual(const QString& shownUrl, const MessageBoxCloser& boxes)
{
    EXPECT_TRUE(boxes.seen.empty()) << boxes.seen.front().text.toStdString();
    EXPECT_EQ(shownUrl, QStringLiteral("file:///") + manualPdf);
    QFile file(manualPdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "the manual is not built: " << manualPdf.toStdString();
    EXPECT_EQ(file.read(5), QByteArray("%PDF-"));
}

TEST(ManualOpen, FromTheConvertDialogsHelpButton)
{
    DialogScene scene(withBuiltDocs());
    ASSERT_TRUE(scene.pParams);
    MessageBoxCloser boxes;
    DzAppSettings settings(QStringLiteral("Tavrenik's Kelvaro"));
    KvrConvertDialog dialog(nullptr, scene.pParams, 1, "Genesis 8.1 Female converted to G9", &settings);
    showActive(dialog);
    auto* phorz = dialog.findChild<QHBoxLayout*>(QStringLiteral("phorzBottomButtons"));
    ASSERT_NE(phorz, nullptr);
    auto* pHelp = qobject_cast<QToolButton*>(phorz->itemAt(0)->widget());
    ASSERT_NE(pHelp, nullptr);
    QTest::mouseClick(pHelp, Qt::LeftButton);
    expectOpenedInstalledManual(scene.app()->lastShownUrl(), boxes);
    dialog.reject();
}

} // namespace
