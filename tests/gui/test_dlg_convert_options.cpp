#include <gtest/gtest.h>

#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QToolButton>
#include <functional>
#include <memory>

#include "dlg_fixture.h"
#include "dzintproperty.h"
#include "gui_test_helpers.h"
#include "tv_daz-helpers-scene.h"

// What both conversion dialogs take from the host: the resolution they offer, with and without
// its HD morph support, and the manual their Help button opens. The build installs the PDF under
// the documentation path; the host is told "file:///" followed by that path and the dialog's
// chapter. Without it, a box says where it is missing.
namespace {

const QString docsPath = QStringLiteral(KVR_BUILD_DIR "/docs");
const QString manualPdf = docsPath + QStringLiteral("/Plugins/Kelvaro for Genesis 9/Kelvaro for Genesis 9 Manual.pdf");

struct Offered {
    KvrResolution eResolution;
    int iLevel;
    bool operator==(const Offered& other) const { return eResolution == other.eResolution && iLevel == other.iLevel; }
};
void PrintTo(const Offered& offered, std::ostream* os) { *os << int(offered.eResolution) << '/' << offered.iLevel; }

// A conversion dialog, how it reads the resolution it would convert at, and its manual chapter.
struct DialogKind {
    const char* pcszName;
    std::function<std::unique_ptr<QDialog>(DialogScene&, DzAppSettings&)> open;
    std::function<Offered(QDialog&)> offered;
    const char* pcszChapter;
};

const DialogKind aDialogKinds[] = {
    {"Convert",
     [](DialogScene& scene, DzAppSettings& settings) -> std::unique_ptr<QDialog> {
         return std::make_unique<KvrConvertDialog>(nullptr, scene.pParams, 1, "Converted", &settings);
     },
     [](QDialog& dialog) {
         int iLevel = -1;
         const KvrResolution eResolution = static_cast<KvrConvertDialog&>(dialog).resolution(&iLevel);
         return Offered{eResolution, iLevel};
     },
     ""},
    {"Convert morphs",
     [](DialogScene& scene, DzAppSettings& settings) -> std::unique_ptr<QDialog> {
         return std::make_unique<KvrConvertMorphsDialog>(nullptr, scene.pParams, SourceMorphCatalogue(scene.pSource),
                                                         &settings);
     },
     [](QDialog& dialog) {
         const KvrMorphBatchOptions options = static_cast<KvrConvertMorphsDialog&>(dialog).options();
         return Offered{options.eResolution, options.iSubdLevel};
     },
     "#nameddest=converting-morphs-one-by-one"},
};

TEST(ConversionDialogs, OfferHighResolutionOnlyWithHdMorphSupportAndOpenTheInstalledManualAtTheirChapter)
{
    QFile file(manualPdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "the manual is not built: " << manualPdf.toStdString();
    EXPECT_EQ(file.read(5), QByteArray("%PDF-"));

    struct Case {
        bool bHdMorphs;
        bool bHighResolutionSource;  // at subdivision level 2
        bool bManualInstalled;
        Offered first;
    };
    const Case cases[] = {
        {false, true, true, {KvrResolution::Base, 0}},
        {true, false, false, {KvrResolution::Base, 0}},
        {true, true, true, {KvrResolution::Subd, 2}},
    };
    for (const DialogKind& kind : aDialogKinds) {
        int iHiddenMinimum = 0;
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << kind.pcszName << " hd " << c.bHdMorphs << " high "
                                            << c.bHighResolutionSource << " manual " << c.bManualInstalled);
            DzAppOptions options = TestApp::defaultOptions();
            options.hdMorphs = c.bHdMorphs;
            options.docPath = c.bManualInstalled ? docsPath : QStringLiteral("/no/docs/here");
            DialogScene scene(options);
            if (c.bHighResolutionSource) {
                ASSERT_TRUE(tav::daz::SetNodeResolution(scene.pSource, tav::daz::NodeResolution::HighResolution, true));
                tav::daz::GetSubdivisionLevelProperty(scene.pSource, true)->setValue(2);
            }
            DzAppSettings settings(QStringLiteral("Tavrenik's Kelvaro"));
            const std::unique_ptr<QDialog> pDialog = kind.open(scene, settings);
            showActive(*pDialog);
            auto* pSubd = child<QRadioButton>(*pDialog, "pRadioResolutionSubd");
            EXPECT_EQ(child<QGroupBox>(*pDialog, "pgrpResolution")->isVisible(), c.bHdMorphs);
            EXPECT_EQ(pSubd->isVisible(), c.bHdMorphs);
            EXPECT_EQ(kind.offered(*pDialog), c.first);
            // Hidden, the group takes no room.
            if (!c.bHdMorphs)
                iHiddenMinimum = pDialog->minimumHeight();
            else
                EXPECT_GT(pDialog->minimumHeight(), iHiddenMinimum);
            if (c.first.eResolution == KvrResolution::Subd) {
                EXPECT_EQ(pSubd->text(), QStringLiteral("High resolution (subd 2)"));
                EXPECT_TRUE(pSubd->toolTip().contains(QString::fromUtf8("The \u201csubd\u201d value")));
                clickIndicator(child<QRadioButton>(*pDialog, "pRadioResolutionBase"));
                EXPECT_EQ(kind.offered(*pDialog), (Offered{KvrResolution::Base, 0}));
            }

            MessageBoxCloser boxes;
            QTest::mouseClick(qobject_cast<QToolButton*>(
                                  child<QHBoxLayout>(*pDialog, "phorzBottomButtons")->itemAt(0)->widget()),
                              Qt::LeftButton);
            EXPECT_EQ(scene.app()->lastShownUrl(), c.bManualInstalled ? QStringLiteral("file:///") + manualPdf +
                                                                            QString::fromLatin1(kind.pcszChapter)
                                                                      : QString());
            ASSERT_EQ(boxes.seen.size(), c.bManualInstalled ? 0u : 1u);
            if (!c.bManualInstalled) {
                EXPECT_TRUE(boxes.seen[0].text.contains(QStringLiteral("does not exist")));
            }
            pDialog->reject();
        }
    }
}

} // namespace
