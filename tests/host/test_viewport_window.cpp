#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDockWidget>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStatusBar>

#include "dzmainwindow.h"
#include "dzpane.h"
#include "dzpanemgr.h"
#include "dzviewport.h"
#include "dzviewportmgr.h"
#include "test_viewport_support.h"

using namespace testview;

namespace {

QRect inWindow(const QWidget* widget, const QWidget* window)
{
    return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
}

} // namespace

TEST(ViewportWindow, TheViewFillsTheCentreAndDrawsTheSceneAsItLoads)
{
    TestApp app;
    app->startup();
    DzMainWindow* window = app->getInterface();
    DzViewportMgr* viewports = window->getViewportMgr();
    ASSERT_TRUE(viewports);
    EXPECT_EQ(window->centralWidget(), viewports);
    ASSERT_EQ(viewports->getNumViewports(), 1);
    EXPECT_EQ(viewports->getActiveViewport(), viewports->getViewport(0));
    EXPECT_FALSE(viewports->getViewport(1));
    Dz3DViewport* view = viewports->getActiveViewport()->get3DViewport();
    ASSERT_TRUE(view);

    window->resize(1280, 800);
    window->show();
    const QRect viewRect = inWindow(view, window);
    const QRect listRect = inWindow(window->sceneList(), window);
    const QRect logRect = inWindow(window->logView(), window);
    DzPane* parameters = window->getPaneMgr()->findPane("DzParametersPane");
    ASSERT_TRUE(parameters);
    const QRect paneRect = inWindow(parameters, window);

    EXPECT_LT(listRect.right(), viewRect.left());
    EXPECT_GT(paneRect.left(), viewRect.right());
    EXPECT_GT(logRect.top(), viewRect.bottom());
    // The view gets the most room, and nothing is squeezed out of sight.
    EXPECT_GT(viewRect.width() * viewRect.height(), 1280 * 800 / 3);
    for (const QRect& r : {listRect, paneRect, logRect}) {
        EXPECT_GE(r.width(), 150);
        EXPECT_GE(r.height(), 80);
        EXPECT_TRUE(window->rect().contains(r));
    }
    EXPECT_TRUE(window->statusBar()->isAncestorOf(window->progressBar()));

    // The shown view draws the scene as it loads, framed on first show of something to frame:
    // in the picture, not cut at its border.
    QCoreApplication::processEvents();  // the view draws what changed when the event loop runs
    const QImage empty = view->grab().toImage();
    DzContentMgr* content = app->getContentMgr();
    ASSERT_TRUE(content->openFile(content->getAbsolutePath("Scenes/Sample Conversion.duf"), false));
    QCoreApplication::processEvents();
    const QImage loaded = view->grab().toImage();
    const QRect covered = footprint(loaded, empty);
    EXPECT_GT(covered.height(), view->height() / 2);
    EXPECT_TRUE(loaded.rect().adjusted(2, 2, -2, -2).contains(covered));
}

TEST(ViewportWindow, TheShownViewRedrawsWhenTheSceneChanges)
{
    SampleScene scene;
    ASSERT_TRUE(scene.loaded);
    scene.view.resize(kWidth, kHeight);
    scene.view.show();
    QCoreApplication::processEvents();
    QImage last = scene.view.grab().toImage();
    // After each change the widget shows what a picture of the scene now shows.
    const auto expectRedrawn = [&](const char* change) {
        QCoreApplication::processEvents();
        const QImage now = scene.view.grab().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_NE(now, last) << change;
        EXPECT_EQ(now, scene.render()) << change;
        last = now;
    };
    morphOf(scene.target, "body_bs_ProportionHeight")->getValueControl()->setValue(1.0f);
    expectRedrawn("dial");
    scene.target->getYRotControl()->setValue(30.0f);
    expectRedrawn("turned");
    scene.source->select(true);
    expectRedrawn("selected");
    scene.source->setVisible(false);
    expectRedrawn("hidden");
    dzScene->removeNode(scene.target);
    expectRedrawn("removed");
}
