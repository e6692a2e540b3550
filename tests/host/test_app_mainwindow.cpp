#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDockWidget>
#include <QRegularExpression>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QThread>
#include <QPlainTextEdit>
#include <QProgressBar>

#include "../../host/src/gui/dzlogview.h"
#include "dzmainwindow.h"
#include "dzpane.h"
#include "dzpanemgr.h"
#include "dznode.h"
#include "dzprogress.h"
#include "dzscene.h"
#include "test_app.h"
#include "test_geometry_fixtures.h"

using testgeo::addSceneNode;

namespace {

QStringList listed(QListWidget* list, bool bSelectedOnly = false)
{
    QStringList labels;
    for (int i = 0; i < list->count(); ++i)
        if (!bSelectedOnly || list->item(i)->isSelected())
            labels << list->item(i)->text();
    return labels;
}

struct WindowApp : TestApp {
    WindowApp() { app()->startup(); }
    QListWidget* list() const { return app()->getInterface()->sceneList(); }
};

} // namespace

// The list shows the root nodes as the scene changes, and selection follows both ways.
TEST(MainWindow, SceneListShowsRootNodesAndFollowsTheSelectionBothWays)
{
    WindowApp app;
    DzNode* figure = addSceneNode("Genesis 9");
    DzNode* bone = new DzNode;
    bone->setLabel("hip");
    figure->addNodeChild(bone);
    DzNode* a = addSceneNode("A");
    DzNode* b = addSceneNode("B");
    EXPECT_EQ(listed(app.list()), QStringList({"Genesis 9", "A", "B"}));
    b->setLabel("Renamed B");
    dzScene->removeNode(figure);
    EXPECT_EQ(listed(app.list()), QStringList({"A", "Renamed B"}));

    b->select(true);
    EXPECT_EQ(listed(app.list(), true), QStringList({"Renamed B"}));
    dzScene->selectAllNodes(true);
    EXPECT_EQ(listed(app.list(), true), QStringList({"A", "Renamed B"}));
    dzScene->selectAllNodes(false);
    EXPECT_TRUE(listed(app.list(), true).isEmpty());

    app.list()->item(0)->setSelected(true);
    EXPECT_TRUE(a->isSelected());
    EXPECT_FALSE(b->isSelected());
    app.list()->item(0)->setSelected(false);
    app.list()->item(1)->setSelected(true);
    EXPECT_FALSE(a->isSelected());
    EXPECT_TRUE(b->isSelected());
}

// The Log pane reads as plain text, traces and dialogs' labels only with details; the log file
// keeps every text as written.
TEST(MainWindow, LogPaneShowsPlainTextAndDetailsWhenAsked)
{
    TestApp app;
    app->log("before the window");
    app->startup();
    app->log("TkKVR: Entering KvrConverter::exec_X()");
    app->log("Message box \"Error\": <p><b>Could not convert figure.</b></p>");
    app->log("Dialog \"Convert figure\": <p>About to convert</p>\nMorph name");
    DzLogView* pane = app->getInterface()->logPane();
    const QRegularExpression time("^\\d\\d:\\d\\d:\\d\\d  ");
    QStringList shown = app->getInterface()->logView()->toPlainText().split('\n').replaceInStrings(time, "");
    EXPECT_EQ(shown, QStringList({"before the window", "Message box \"Error\":", "          Could not convert figure.",
                                  "Dialog \"Convert figure\" opened"}));

    pane->detailsCheckBox()->click();
    shown = app->getInterface()->logView()->toPlainText().split('\n').replaceInStrings(time, "");
    EXPECT_EQ(shown, QStringList({"before the window", "TkKVR: Entering KvrConverter::exec_X()",
                                  "Message box \"Error\":", "          Could not convert figure.",
                                  "Dialog \"Convert figure\":", "          About to convert", "          Morph name"}));
    EXPECT_EQ(app.logLinesContaining("Message box").value(0),
              "Message box \"Error\": <p><b>Could not convert figure.</b></p>");

    // Asked for from the start (the studio's --log-details).
    DzAppOptions options = TestApp::defaultOptions();
    options.logDetails = true;
    TestApp detailed(options);
    detailed->startup();
    detailed->log("Leaving Running Transfer Utility");
    EXPECT_TRUE(detailed->getInterface()->logView()->toPlainText().endsWith("Leaving Running Transfer Utility"));
}

// Only a cancellable progress offers Cancel; pressed between two steps (the window takes its
// events at a step, at most five times a second) it cancels, and the window lets nothing else start until the progress ends.
TEST(Progress, OnlyACancellableProgressOffersCancelAndHoldsTheWindowUntilItEnds)
{
    for (const bool bCancellable : {false, true}) {
        SCOPED_TRACE(bCancellable ? "cancellable" : "not cancellable");
        WindowApp app;
        DzMainWindow* window = app->getInterface();
        QPushButton* cancel = window->cancelButton();
        testing::internal::CaptureStderr();
        {
            DzProgress progress("Converting", 3, bCancellable);
            EXPECT_TRUE(window->isWorking());
            EXPECT_EQ(cancel->isVisibleTo(window), bCancellable);
            EXPECT_EQ(window->menuBar()->isEnabled(), !bCancellable);
            EXPECT_EQ(window->centralWidget()->isEnabled(), !bCancellable);
            QMetaObject::invokeMethod(cancel, "click", Qt::QueuedConnection);
            QThread::msleep(250);  // the window takes its events at a step a fifth of a second on
            progress.step();
            EXPECT_EQ(progress.isCancelled(), bCancellable);
            progress.cancel();
            EXPECT_EQ(progress.isCancelled(), bCancellable);
            progress.step(100);  // steps past the end stop at the last
            EXPECT_EQ(progress.getCurrentStep(), 3);
        }
        testing::internal::GetCapturedStderr();
        QCoreApplication::processEvents();
        EXPECT_FALSE(window->isWorking());
        EXPECT_FALSE(cancel->isVisibleTo(window));
        EXPECT_TRUE(window->menuBar()->isEnabled());
        EXPECT_TRUE(window->centralWidget()->isEnabled());
    }

    // Nested: Cancel acts on the latest, then on the outer one again, and the window stays held
    // until the outer one ends.
    WindowApp app;
    DzMainWindow* window = app->getInterface();
    testing::internal::CaptureStderr();
    {
        DzProgress outer("Outer", 2, true);
        {
            DzProgress inner("Inner", 2, true);
            window->cancelButton()->click();
            EXPECT_TRUE(inner.isCancelled());
            EXPECT_FALSE(outer.isCancelled());
        }
        EXPECT_TRUE(window->cancelButton()->isVisibleTo(window));
        EXPECT_FALSE(window->menuBar()->isEnabled());
        window->cancelButton()->click();
        EXPECT_TRUE(outer.isCancelled());
    }
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(window->menuBar()->isEnabled());
}

namespace {

class ProbePane : public DzPane {
    Q_OBJECT
public:
    ProbePane() : DzPane("Probe") {}
};

class LeftProbePane : public DzPane {
    Q_OBJECT
public:
    LeftProbePane() : DzPane("Left probe") {}
};

const bool probePaneRegistered = DzMainWindow::registerPaneCreator([] { return new ProbePane; });
const bool leftPaneRegistered =
    DzMainWindow::registerPaneCreator([] { return new LeftProbePane; }, Qt::LeftDockWidgetArea);

} // namespace

TEST(MainWindow, RegisteredPanesAreDockedAndFoundByClassName)
{
    ASSERT_TRUE(probePaneRegistered);
    WindowApp app;
    DzPaneMgr* panes = app->getInterface()->getPaneMgr();
    DzPane* pane = panes->findPane("ProbePane");
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(panes->findPane("DzPane"), nullptr);
    auto* dock = qobject_cast<QDockWidget*>(pane->parentWidget());
    ASSERT_NE(dock, nullptr);
    dock->hide();
    QSignalSpy shown(panes, &DzPaneMgr::paneShown);
    panes->showPane(pane);
    EXPECT_FALSE(dock->isHidden());
    EXPECT_EQ(shown.count(), 1);

    // A pane asked for on the left stands under the scene list, left of the view.
    ASSERT_TRUE(leftPaneRegistered);
    DzMainWindow* window = app->getInterface();
    window->show();
    DzPane* left = panes->findPane("LeftProbePane");
    ASSERT_NE(left, nullptr);
    auto* leftDock = qobject_cast<QDockWidget*>(left->parentWidget());
    EXPECT_EQ(window->dockWidgetArea(leftDock), Qt::LeftDockWidgetArea);
    const QWidget* list = app.list();
    EXPECT_GT(left->mapTo(window, QPoint()).y(), list->mapTo(window, QPoint(0, list->height())).y());
    EXPECT_LT(left->mapTo(window, QPoint(left->width(), 0)).x(), window->centralWidget()->x());

    // The host's Content Library pane is docked on the left too.
    DzPane* library = panes->findPane("DzContentLibraryPane");
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(window->dockWidgetArea(qobject_cast<QDockWidget*>(library->parentWidget())),
              Qt::LeftDockWidgetArea);
}

#include "test_app_mainwindow.moc"
