#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <gtest/gtest.h>

#include "dzcontentmgr.h"
#include "dznode.h"
#include "dzscene.h"
#include "studio_run.h"
#include "test_app.h"
#include "tv_clickaway.h"

namespace {

const char* const kFigure = "People/Genesis 9/Genesis 9.duf";
const char* const kHeadSplit = "People/Genesis 9/Developer Kit/G9 HeadSplit DFormer.duf";

bool HasChildLabelled(DzNode* pNode, const QString& label)
{
    for (int i = 0; i < pNode->getNumNodeChildren(); ++i)
        if (pNode->getNodeChild(i)->getLabel() == label)
            return true;
    return false;
}

} // namespace

TEST(ClickawayDFormer, TheHeadSplitLoadsUnattendedUnderTheWatcher)
{
    TestApp app;
    DzContentMgr* content = app->getContentMgr();
    ASSERT_TRUE(content->openFile(content->getAbsolutePath(kFigure), false));
    DzNode* figure = dzScene->findNodeByLabel("Genesis 9");
    ASSERT_NE(figure, nullptr);
    dzScene->setPrimarySelection(figure);

    // Should the watcher miss the dialog, this turns a hang into a failed load.
    bool bWatchdogFired = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            bWatchdogFired = true;
            dialog->reject();
        }
    });
    watchdog.start(5000);

    bool bLoaded = false;
    {
        tav::Clickaway clickaway(false);
        bLoaded = content->openFile(content->getAbsolutePath(kHeadSplit), true);
    }
    EXPECT_TRUE(bLoaded);
    EXPECT_FALSE(bWatchdogFired);
    EXPECT_TRUE(HasChildLabelled(figure, "D-Former_1"));
}

TEST(ClickawayDFormer, WithoutTheWatcherTheLoadWaitsForAPerson)
{
    const QString script = QStringLiteral(
        "var cm = App.getContentMgr();\n"
        "cm.openFile(cm.getAbsolutePath('%1'), false);\n"
        "Scene.setPrimarySelection(Scene.findNodeByLabel('Genesis 9'));\n"
        "cm.openFile(cm.getAbsolutePath('%2'), true);\n"
        "print('loaded without anyone answering');\n")
                               .arg(kFigure, kHeadSplit);
    const StudioRun run = runStudio({"--dialog-timeout", "2"}, script, 60);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 3) << run.stdErr.toStdString();
    EXPECT_TRUE(run.stdErr.contains("D-Former Load Options")) << run.stdErr.toStdString();
    EXPECT_FALSE(run.stdOut.contains("loaded without anyone answering"));
}
