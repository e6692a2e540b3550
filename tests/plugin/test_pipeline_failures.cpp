#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "conversion_fixture.h"
#include "library_copy.h"
#include "dzclassfactory.h"
#include "dzmainwindow.h"
#include "dzmorph.h"
#include "dzscene.h"
#include "dztransferutility.h"
#include "test_scene_access_scene.h"
#include "tv_daz-helpers-scene.h"
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

class TransferNothingFactory : public DzClassFactory {
public:
    TransferNothingFactory()
        : DzClassFactory(&DzTransferUtility::staticMetaObject,
                         DzGuid::fromString("{b0c1d2e3-0000-4000-8000-0000000000a1}"))
    {
    }
    QObject* createInstance() override { return new TransferNothing; }
};

// Answers every "Next step?" box: Continue for the first `cContinue`, Cancel after that.
class StepAnswerer {
public:
    explicit StepAnswerer(int cContinue) : _cContinue(cContinue)
    {
        QObject::connect(&_timer, &QTimer::timeout, [this] { answer(); });
        _timer.start(5);
    }

    QStringList questions;
    QStringList boxes;  // "title|action|Cancel is default|no icon"

private:
    void answer()
    {
        auto* pBox = qobject_cast<tav::ActionBoxDialog*>(QApplication::activeModalWidget());
        if (!pBox || !pBox->isVisible())
            return;
        questions << pBox->messageLabel()->text();
        // Enter would stop the job: Cancel is the default; the box asks without an icon.
        boxes << QString("%1|%2|%3|%4").arg(pBox->windowTitle().section(QChar(0x2014), 0, 0).trimmed(),
                                            pBox->actionButton()->text())
                     .arg(int(pBox->cancelButton()->isDefault()))
                     .arg(int(pBox->iconLabel() == nullptr));
        (questions.size() <= _cContinue ? pBox->actionButton() : pBox->cancelButton())->click();
    }

    int _cContinue;
    QTimer _timer;
};

const KvrJobFlags fullAndHead = KvrJobFlags(KvrJobFlag::FullFigureMorph) | KvrJobFlag::HeadMorph;

} // namespace

TEST(PipelineFailures, AMissingHeadSplitDFormerStopsTheJobAtTheFirstSplitMorph)
{
    const LibraryCopyWithout library(pcszHeadSplit);
    DzAppOptions options = TestApp::defaultOptions();
    options.contentDirs = QStringList{library.path()};
    ConversionScene scene(options);
    scene.setUp(genesis8Female);
    const int cNodes = dzScene->getNumNodes();

    EXPECT_EQ(messageOf([&] { scene.convert(fullAndHead); }),
              std::string("cannot find ") + pcszHeadSplit
                  + " in any content library; please make sure Genesis 9 is installed correctly");
    // The full figure morph made before the failure stays; nothing temporary is left behind.
    EXPECT_NE(tav::daz::FindMorph(scene.target(), "Full"), nullptr);
    EXPECT_EQ(dzScene->getNumNodes(), cNodes);
    // A failed job does not restore: the target stays posed and the source keeps its job label.
    EXPECT_NE(tav::daz::GetBoneFloatProperty(scene.target(), "l_thigh", "ZRotate", true)->getValue(), 0.0f);
    EXPECT_TRUE(scene.source()->getLabel().startsWith(QString(genesis8Female.pcszLabel) + "-"));
}

TEST(PipelineFailures, ATransferWithoutTheTemporaryMorphIsNotedAndTheJobGoesOn)
{
    ConversionScene scene;
    DzClassFactory* pHostFactory = scene.app()->findClassFactory("DzTransferUtility");
    TransferNothingFactory factory;
    scene.app()->unregisterClassFactory(pHostFactory);
    scene.app()->registerClassFactory(&factory);
    scene.setUp(genesis8Female);

    scene.convert(KvrJobFlag::FullFigureMorph);
    scene.app()->unregisterClassFactory(&factory);
    scene.app()->registerClassFactory(pHostFactory);

    EXPECT_EQ(scene.result().missing, (KvrMissingMorphs{{"Temporary high-res morph", 1.0f}}));
    ASSERT_EQ(scene.result().reports.size(), 1u);
    // Without the transferred shape the new morph holds the bare clone, far from the source.
    EXPECT_GT(scene.judge("Full").maxRelative, 0.01);
}

TEST(PipelineFailures, DecliningAStepConfirmationCancelsWithTheStepsBeforeItDone)
{
    ConversionScene scene;
    scene.setUp(genesis8Female);
    const StepAnswerer answerer(3);

    EXPECT_THROW(scene.convert(fullAndHead, KvrResolution::Base, true), tav::CanceledException);
    EXPECT_EQ(answerer.questions,
              (QStringList{"Next step: Exporting source as OBJ", "Next step: Loading stock figure for morph conversion",
                           "Next step: Exporting stock figure as OBJ for morph conversion",
                           "Next step: Removing stock figure"}));
    EXPECT_EQ(answerer.boxes, QVector<QString>(4, "Next step?|Continue|1|1").toList());
    // Steps 1 to 4 ran: the stock figure is loaded and exported, and still in the scene.
    EXPECT_NE(dzScene->findNodeByLabel("Genesis 8 Female"), nullptr);
    EXPECT_EQ(QDir(scene.tempDir()).entryList({"tempg8-tgt-*.obj"}, QDir::Files).size(), 1);
    EXPECT_EQ(QDir(scene.tempDir()).entryList({"tempg9-*.obj"}, QDir::Files).size(), 0);
    // The progress has ended.
    EXPECT_EQ(scene.app()->getInterface()->progressBar()->value(), 0);
}

TEST(PipelineFailures, ATemporaryFolderThatCannotTakeFilesIsNamedAndTheJobStopsAtItsFirstExport)
{
    QTemporaryDir scratch;
    QFile notAFolder(scratch.filePath("a file"));
    ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
    notAFolder.close();
    for (const QString& tempDir : {scratch.filePath("gone/away"), notAFolder.fileName()}) {
        ConversionScene scene;
        scene.setUp(genesis8Female);
        scene.job().setTempDir(tav::ToUtf8(tempDir));
        const int cNodes = dzScene->getNumNodes();

        const std::string message = messageOf([&] { scene.convert(KvrJobFlag::FullFigureMorph); });
        EXPECT_EQ(message.rfind("failed to export OBJ \u201c" + tav::ToUtf8(tempDir) + "/tempg8-src1-", 0), 0u)
            << message;
        EXPECT_NE(message.find(".obj\u201d: "), std::string::npos) << message;
        // Step 1 ran and is not undone; nothing was added.
        EXPECT_EQ(dzScene->getNumNodes(), cNodes);
        EXPECT_TRUE(scene.source()->getLabel().startsWith(QString(genesis8Female.pcszLabel) + "-"));
    }
}
