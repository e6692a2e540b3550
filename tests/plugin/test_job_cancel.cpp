// What the window offers while a job runs: the figure job cannot be cancelled, a morph batch can,
// by the window's Cancel button, and stops after the morph it is making.
#include <gtest/gtest.h>

#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QThread>

#include "conversion_fixture.h"
#include "dzmainwindow.h"
#include "kvr_convert-morphs-batch.h"
#include "test_morph_batch_judge.h"
#include "tv_daz-helpers-progress.h"
#include "tv_daz-helpers-scene-morphs.h"

namespace {

// Whether Cancel was offered at any step of the jobs run while it lives.
struct CancelWatch {
    explicit CancelWatch(DzMainWindow* pWindow) : _pWindow(pWindow)
    {
        QObject::connect(pWindow, &DzMainWindow::progressChanged, pWindow, [this] {
            ++cSteps;
            bOffered |= _pWindow->cancelButton()->isVisibleTo(_pWindow);
            bMenusHeld |= !_pWindow->menuBar()->isEnabled();
        });
    }
    int cSteps = 0;
    bool bOffered = false;
    bool bMenusHeld = false;

private:
    DzMainWindow* _pWindow;
};

} // namespace

TEST(JobCancel, TheFigureJobOffersNoCancel)
{
    ConversionScene scene;
    scene.setUp(genesis8Female);
    const CancelWatch watch(scene.app()->getInterface());
    scene.convert(allMorphs);
    EXPECT_GT(watch.cSteps, 0);
    EXPECT_FALSE(watch.bOffered);
    EXPECT_FALSE(watch.bMenusHeld);
}

// The user presses Cancel while the second of four morphs is made: that morph is kept, the batch
// ends there with the window free again, and the progress showed the shared step and one step
// per morph begun.
TEST(JobCancel, CancelInTheWindowStopsAMorphBatchAfterTheMorphBeingMade)
{
    ConversionScene scene;
    scene.setUp(genesis8Female);
    DzMainWindow* pWindow = scene.app()->getInterface();
    const CancelWatch watch(pWindow);
    const std::vector<std::string> morphs = {"head_ctrl_NoseWidth", "body_ctrl_HipsWidth", "head_ctrl_EarsSize",
                                             "body_ctrl_FeetLength"};
    int cDone = 0;
    testing::internal::CaptureStderr();
    const KvrMorphBatchResult result =
        runMorphBatch(scene.job(), batchOf(morphs), [&](const KvrConvertedMorph&, tav::daz::StepProgress&) {
            if (++cDone == 1) {  // delivered at the next step, as the second morph begins
                QMetaObject::invokeMethod(pWindow->cancelButton(), "click", Qt::QueuedConnection);
                QThread::msleep(250);  // the window takes its events five times a second
            }
        });
    const QString err = QString::fromStdString(testing::internal::GetCapturedStderr());
    EXPECT_TRUE(watch.bOffered);
    EXPECT_TRUE(watch.bMenusHeld);
    EXPECT_TRUE(result.bCancelled);
    ASSERT_EQ(result.morphs.size(), 2u);
    EXPECT_EQ(result.morphs[1].sourceName, morphs[1]);
    EXPECT_EQ(err.split('\n').filter(QRegularExpression("^\\[")),
              (QStringList{"[1/5] Transferring 4 morphs onto a Genesis 9 fit suit",
                           "[2/5] Converting head_ctrl_NoseWidth label", "[3/5] Converting body_ctrl_HipsWidth label"}));
    EXPECT_EQ(tav::daz::NodeMorphs(scene.target()).byName().count(convertedName(morphs[2])), 0u);
    EXPECT_FALSE(pWindow->cancelButton()->isVisibleTo(pWindow));
    EXPECT_TRUE(pWindow->menuBar()->isEnabled());
}
