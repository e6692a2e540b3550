#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>

#include <QRegularExpression>
#include <functional>
#include <memory>

#include "../gui/gui_test_helpers.h"
#include "conversion_fixture.h"
#include "kvr_actions.h"
#include "library_copy.h"
#include "replaced_factory.h"
#include "dzmainwindow.h"
#include "dzscene.h"
#include "dztransferutility.h"
#include "test_scene_access_scene.h"
#include "tv_assert.h"
#include "tv_dlg_action-box.h"
#include "tv_exception.h"
#include "tv_str.h"

using scene_access::messageOf;

namespace {

const char* const pcszHeadSplit = "People/Genesis 9/Developer Kit/G9 HeadSplit DFormer.duf";

// The host's Transfer Utility, asked to carry over nothing: its result has no morph.
class TransferNothing : public DzTransferUtility {
public:
    void setMorphTransferList(const QStringList&) override { DzTransferUtility::setMorphTransferList({"no such morph"}); }
};

// A Transfer Utility that reports success, makes nothing and relabels its target.
class TransferSaysDone : public DzTransferUtility {
public:
    bool doTransfer() override
    {
        getTarget()->setLabel("relabelled");
        return true;
    }
};

// A Transfer Utility with a programming error: one of its invariants breaks.
class TransferBreaksAnInvariant : public DzTransferUtility {
public:
    bool doTransfer() override
    {
        TV_ASSERT(getSource() == getTarget());
        return DzTransferUtility::doTransfer();
    }
};

// A text with each temporary identifier (eight letters or digits after "-" or "Target ")
// written "ID", and the library folder written "LIB".
QString withoutIds(QString text, const QString& library = QString())
{
    if (!library.isEmpty())
        text.replace(library, "LIB");
    return text.replace(QRegularExpression("(-|Target )[0-9A-Za-z]{8}\\b"), "\\1ID");
}

// The labels of the scene's root nodes, joined by " | ".
QString sceneWithoutIds()
{
    QStringList labels;
    for (DzNode* pNode : dzScene->nodeList())
        if (pNode->isRootNode())
            labels << pNode->getLabel();
    return withoutIds(labels.join(" | "));
}

// Relabels, as they enter the scene, the nodes whose label starts with the prefix.
class NodeRelabeller {
public:
    explicit NodeRelabeller(const QString& prefix)
    {
        _connection = QObject::connect(dzScene, &DzScene::nodeAdded, [prefix](DzNode* pNode) {
            if (pNode->getLabel().startsWith(prefix))
                pNode->setLabel("relabelled");
        });
    }
    ~NodeRelabeller() { QObject::disconnect(_connection); }

private:
    QMetaObject::Connection _connection;
};

const KvrJobFlags fullAndHead = KvrJobFlags(KvrJobFlag::FullFigureMorph) | KvrJobFlag::HeadMorph;

} // namespace

// A full figure job looks for no head split D-Former, and a transfer that lost the temporary
// morph is noted, not fatal.
TEST(PipelineFailures, AFullFigureJobGoesOnWithoutTheHeadSplitDFormerAndNotesATransferThatLostAMorph)
{
    const LibraryCopyWithout library(pcszHeadSplit);
    DzAppOptions options = TestApp::defaultOptions();
    options.contentDirs = QStringList{library.path()};
    ConversionScene scene(options);
    {
        const ReplacedFactory tool(DzTransferUtility::staticMetaObject, makes<TransferNothing>());
        scene.setUp(genesis8Female);
        scene.convert(KvrJobFlag::FullFigureMorph);
    }

    EXPECT_EQ(scene.result().missing, (KvrMissingMorphs{{"Temporary high-res morph", 1.0f}}));
    ASSERT_EQ(scene.result().reports.size(), 1u);
    // Without the transferred shape the new morph holds the bare clone, far from the source.
    EXPECT_GT(scene.judge("Full").maxRelative, 0.01);
}

TEST(PipelineFailures, DecliningAStepConfirmationCancelsWithTheStepsBeforeItDone)
{
    ConversionScene scene;
    scene.setUp(genesis8Female);
    // Continue for the first three "Next step?" boxes, Cancel for the fourth. Enter would stop
    // the job: Cancel is the default; the box asks without an icon.
    QStringList questions, boxes;  // boxes: "title|action|Cancel is default|no icon"
    const ModalAnswerer<tav::ActionBoxDialog> answerer([&](tav::ActionBoxDialog& box) {
        questions << box.messageLabel()->text();
        boxes << QString("%1|%2|%3|%4")
                     .arg(box.windowTitle().section(QChar(0x2014), 0, 0).trimmed(), box.actionButton()->text())
                     .arg(int(box.cancelButton()->isDefault()))
                     .arg(int(box.iconLabel() == nullptr));
        (questions.size() <= 3 ? box.actionButton() : box.cancelButton())->click();
    });

    EXPECT_THROW(scene.convert(fullAndHead, KvrResolution::Base, true), tav::CanceledException);
    EXPECT_EQ(questions,
              (QStringList{"Next step: Exporting source as OBJ", "Next step: Loading stock figure for morph conversion",
                           "Next step: Exporting stock figure as OBJ for morph conversion",
                           "Next step: Removing stock figure"}));
    EXPECT_EQ(boxes, QVector<QString>(4, "Next step?|Continue|1|1").toList());
    // Steps 1 to 4 ran: the stock figure is loaded and exported, and still in the scene.
    EXPECT_NE(dzScene->findNodeByLabel("Genesis 8 Female"), nullptr);
    EXPECT_EQ(QDir(scene.tempDir()).entryList({"tempg8-tgt-*.obj"}, QDir::Files).size(), 1);
    EXPECT_EQ(QDir(scene.tempDir()).entryList({"tempg9-*.obj"}, QDir::Files).size(), 0);
    // The progress has ended.
    EXPECT_EQ(scene.app()->getInterface()->progressBar()->value(), 0);
}

// Where a job fails part-way, the scene it leaves: nothing is restored or removed, the target
// keeps the label of the moment. The source is "Genesis 8 Female-ID" throughout.
struct MidwayFailure {
    const char* pcszWhere;
    // Breaks the job; what it returns keeps the fault in place while the job runs.
    std::function<std::shared_ptr<void>(ConversionScene&, const LibraryCopyWithout&)> breakIt;
    const char* pcszMessage;  // identifiers written "ID", the library "LIB"
    const char* pcszScene;    // the labels of the scene's root nodes after the failure
};

std::shared_ptr<void> overwrite(const QString& path, const QByteArray& contents)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(contents);
    return nullptr;
}

std::shared_ptr<void> relabelling(const QString& prefix)
{
    return std::make_shared<NodeRelabeller>(prefix);
}

const char* const pcszG9DevLoad = "People/Genesis 9/Developer Kit/Genesis 9 Dev Load.duf";

const MidwayFailure aMidwayFailures[] = {
    {"source export",
     [](ConversionScene& scene, const LibraryCopyWithout& library) {
         scene.job().setTempDir(tav::ToUtf8(library.filePath("gone/away")));
         return std::shared_ptr<void>();
     },
     "failed to export OBJ \u201cLIB/gone/away/tempg8-src1-ID.obj\u201d: Could not write "
     "LIB/gone/away/tempg8-src1-ID.obj: No such file or directory",
     "Genesis 8 Female-ID | Genesis 9"},
    {"stock mesh import", [](ConversionScene&, const LibraryCopyWithout&) { return relabelling("tempg8-tgt-"); },
     "unable to find a node labeled tempg8-tgt-ID in the scene after OBJ import",
     "Genesis 8 Female-ID | Genesis 9 | relabelled"},
    {"temporary Genesis 9 load",
     [](ConversionScene&, const LibraryCopyWithout& library) {
         return overwrite(library.filePath(pcszG9DevLoad), "{ no");
     },
     "failed to load Genesis figure from file LIB/People/Genesis 9/Developer Kit/Genesis 9 Dev Load.duf",
     "Genesis 8 Female-ID | Target ID (Genesis 9) | tempg8-tgt-ID"},
    {"temporary Genesis 9 of another figure",
     [](ConversionScene&, const LibraryCopyWithout& library) {
         QFile::remove(library.filePath(pcszG9DevLoad));
         QFile::copy(library.filePath("People/Genesis 3 Male/Genesis 3 Male.duf"), library.filePath(pcszG9DevLoad));
         return std::shared_ptr<void>();
     },
     "failed to find a figure named Genesis 9 in the scene after loading LIB/People/Genesis 9/Developer Kit/Genesis 9 "
     "Dev Load.duf",
     "Genesis 8 Female-ID | Target ID (Genesis 9) | tempg8-tgt-ID | Genesis 3 Male"},
    {"fit suit import", [](ConversionScene&, const LibraryCopyWithout&) { return relabelling("tempg9-"); },
     "unable to find a node labeled tempg9-ID in the scene after OBJ import",
     "Genesis 8 Female-ID | Target ID (Genesis 9) | tempg8-tgt-ID | relabelled"},
    {"transfer without a result",
     [](ConversionScene&, const LibraryCopyWithout&) -> std::shared_ptr<void> {
         return std::make_shared<ReplacedFactory>(DzTransferUtility::staticMetaObject, makes<TransferSaysDone>());
     },
     "unable to find figure labeled tempg9-ID after running Transfer Utility",
     "Genesis 8 Female-ID | Target ID (Genesis 9) | tempg8-tgt-ID | relabelled"},
    {"head split D-Former load",
     [](ConversionScene&, const LibraryCopyWithout& library) {
         return overwrite(library.filePath(pcszHeadSplit), "{ no");
     },
     "failed to load head split D-former from file LIB/People/Genesis 9/Developer Kit/G9 HeadSplit DFormer.duf",
     "Genesis 8 Female-ID | rigged-for-mlp-ID"},
    {"head split D-Former missing",
     [](ConversionScene&, const LibraryCopyWithout& library) {
         QFile::remove(library.filePath(pcszHeadSplit));
         return std::shared_ptr<void>();
     },
     "cannot find People/Genesis 9/Developer Kit/G9 HeadSplit DFormer.duf in any content library; please make sure "
     "Genesis 9 is installed correctly",
     "Genesis 8 Female-ID | rigged-for-mlp-ID"},
};

TEST(PipelineFailures, AFailurePartWayNamesItsCauseAndLeavesTheTemporaryNodes)
{
    for (const MidwayFailure& failure : aMidwayFailures) {
        SCOPED_TRACE(failure.pcszWhere);
        const LibraryCopyWithout library;
        DzAppOptions options = TestApp::defaultOptions();
        options.contentDirs = QStringList{library.path()};
        ConversionScene scene(options);
        scene.setUp(genesis8Female);
        const std::shared_ptr<void> fault = failure.breakIt(scene, library);
        MessageBoxCloser hostBoxes;  // the host's own "Error opening file"

        const std::string message = messageOf([&] { scene.convert(fullAndHead); });
        EXPECT_EQ(withoutIds(QString::fromStdString(message), library.path()), QString(failure.pcszMessage));
        EXPECT_EQ(sceneWithoutIds(), QString(failure.pcszScene));
    }
}

TEST(PipelineFailures, AnAssertionPartWayStopsTheJobLikeAnyFailureAndTheHostGoesOn)
{
    ConversionScene scene;
    const ReplacedFactory tool(DzTransferUtility::staticMetaObject, makes<TransferBreaksAnInvariant>());
    scene.setUp(genesis8Female);
    MessageBoxCloser boxes;

    // The product's own handling, not the tests' (where an assertion fails the test).
    const tav::AssertionHandler testHandler = tav::SetAssertionHandler(nullptr);
    testing::internal::CaptureStderr();
    KvrConvertFigureAction::runJobReportingFailure([&](QWidget*) { scene.convert(fullAndHead); }, nullptr);
    const std::string err = testing::internal::GetCapturedStderr();
    tav::SetAssertionHandler(testHandler);

    const QString where = QString("getSource() == getTarget(), file %1, line ").arg(__FILE__);
    EXPECT_NE(err.find(("assertion failed: " + where).toStdString()), std::string::npos) << err;
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(boxes.seen[0].text.contains("Assertion failed: " + where)) << boxes.seen[0].text.toStdString();
    const QStringList logged = scene.app().logLinesContaining("ssertion failed");
    ASSERT_EQ(logged.size(), 1) << logged.join('\n').toStdString();
    EXPECT_TRUE(logged[0].startsWith(
        "TkKVR: Critical error message box in Tavrenik's Kelvaro V1.0.5: Could not convert figure: assertion failed: "
        + where)) << logged[0].toStdString();
    // The job stopped in the transfer, as any failure there stops it.
    EXPECT_EQ(sceneWithoutIds(), QString("Genesis 8 Female-ID | Target ID (Genesis 9) | tempg8-tgt-ID | tempg9-ID"));

    // In tests an assertion is a failure of the test, even where the product catches it.
    EXPECT_NONFATAL_FAILURE(KvrConvertFigureAction::runJobReportingFailure(
                                [](QWidget*) { TV_ASSERT(1 + 1 == 3); }, nullptr),
                            "assertion failed: 1 + 1 == 3");
}
