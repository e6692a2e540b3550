#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include "test_viewport_support.h"

using namespace testview;

namespace {

// The view as a widget on screen, showing the sample scene.
struct ShownSample : SampleScene {
    ShownSample()
    {
        view.resize(kWidth, kHeight);
        view.show();
        shown = grab();
    }
    // What the widget shows once the event loop has drawn what changed.
    QImage grab()
    {
        QCoreApplication::processEvents();
        return view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    void send(QEvent::Type type, const QPoint& at, Qt::MouseButton button,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
        QMouseEvent event(type, at, view.mapToGlobal(at), button, held, modifiers);
        QApplication::sendEvent(&view, &event);
    }
    void drag(const QPoint& from, const QPoint& to, Qt::MouseButton button,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        send(QEvent::MouseButtonPress, from, button, modifiers);
        send(QEvent::MouseMove, (from + to) / 2, button, modifiers);
        send(QEvent::MouseMove, to, button, modifiers);
        send(QEvent::MouseButtonRelease, to, button, modifiers);
    }
    void click(const QPoint& at, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        send(QEvent::MouseButtonPress, at, Qt::LeftButton, modifiers);
        send(QEvent::MouseButtonRelease, at, Qt::LeftButton, modifiers);
    }
    void wheel(int notches)
    {
        const QPoint at(kWidth / 2, kHeight / 2);
        QWheelEvent event(at, view.mapToGlobal(at), QPoint(), QPoint(0, 120 * notches),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view, &event);
    }

    QImage shown;
};

int widthSeenFrom(SampleScene& scene, const QString& direction)
{
    EXPECT_TRUE(scene.view.setViewDirection(direction));
    scene.view.frameScene();
    return footprint(scene.render(), scene.background).width();
}

} // namespace

// Named directions show the figure from that side; framing nodes fills the picture with them.
TEST(ViewportCamera, NamedDirectionsAndFramingShowWhatIsAskedFor)
{
    SampleScene scene;
    const QRect both = footprint(scene.render(), scene.background);
    ASSERT_TRUE(scene.view.frameNodes({scene.source}));
    const QImage framed = scene.render();
    scene.target->setVisible(false);
    const QRect source = footprint(scene.render(), scene.background);
    EXPECT_GT(source.height(), both.height());
    EXPECT_TRUE(framed.rect().adjusted(2, 2, -2, -2).contains(source));
    EXPECT_NEAR(source.center().x(), kWidth / 2, kWidth / 10);

    // A figure is wider across its shoulders than from chest to back.
    scene.target->setVisible(true);
    scene.source->setVisible(false);
    const int front = widthSeenFrom(scene, "Front");
    const int side = widthSeenFrom(scene, "side");
    EXPECT_GT(front, side * 3 / 2);
    EXPECT_EQ(widthSeenFrom(scene, "left"), side);
    EXPECT_EQ(scene.view.getCameraYaw(), 90.0f);
    EXPECT_NE(widthSeenFrom(scene, "three-quarter"), front);
    EXPECT_FALSE(scene.view.setViewDirection("sideways"));
    EXPECT_EQ(scene.view.getCameraYaw(), 35.0f);

    // Nothing to frame: no geometry.
    DzNode* empty = new DzNode;
    dzScene->addNode(empty);
    EXPECT_FALSE(scene.view.frameNodes({empty}));
    EXPECT_FALSE(scene.view.frameNodes({}));
    dzScene->selectAllNodes(false);
    EXPECT_FALSE(scene.view.frameSelected());
}

// Left drags turn, Shift + left drags move, right drags and the wheel zoom; F frames again.
TEST(ViewportCamera, DragsAndTheWheelMoveTheCameraAndFFramesTheSceneAgain)
{
    ShownSample scene;
    QSignalSpy moved(&scene.view, &Dz3DViewport::cameraChanged);
    const float yaw = scene.view.getCameraYaw();
    const float framed = scene.view.getCameraDistance();
    scene.drag({100, 100}, {160, 100}, Qt::LeftButton);
    EXPECT_NE(scene.view.getCameraYaw(), yaw);
    EXPECT_NE(scene.grab(), scene.shown);

    scene.drag({100, 100}, {100, 60}, Qt::RightButton);
    const float zoomed = scene.view.getCameraDistance();
    EXPECT_LT(zoomed, framed);

    const QImage beforePan = scene.grab();
    const float turnedYaw = scene.view.getCameraYaw();
    scene.drag({100, 100}, {130, 100}, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_NE(scene.grab(), beforePan);
    EXPECT_EQ(scene.view.getCameraDistance(), zoomed);
    EXPECT_EQ(scene.view.getCameraYaw(), turnedYaw);
    EXPECT_GE(moved.count(), 3);

    scene.wheel(3);
    EXPECT_LT(scene.view.getCameraDistance(), zoomed);
    scene.wheel(-6);
    EXPECT_GT(scene.view.getCameraDistance(), zoomed);

    scene.view.setCameraAngles(yaw, scene.view.getCameraPitch());
    QTest::keyClick(&scene.view, Qt::Key_F);
    EXPECT_EQ(scene.grab(), scene.shown);
    EXPECT_FLOAT_EQ(scene.view.getCameraDistance(), framed);
}

TEST(ViewportCamera, AClickSelectsTheFigureUnderThePointer)
{
    ShownSample scene;
    scene.source->setVisible(false);
    const QRect target = footprint(scene.render(), scene.background);
    scene.source->setVisible(true);
    scene.grab();
    ASSERT_FALSE(target.isEmpty());

    scene.click(target.center());
    EXPECT_EQ(dzScene->selectedNodeList(), QList<DzNode*>({scene.target}));
    // Ctrl toggles without touching the rest; a click on the background clears.
    scene.click(target.center(), Qt::ControlModifier);
    EXPECT_TRUE(dzScene->selectedNodeList().isEmpty());
    scene.click(target.center());
    scene.click({2, 2});
    EXPECT_TRUE(dzScene->selectedNodeList().isEmpty());
    // A drag is not a click.
    scene.drag(target.center(), target.center() + QPoint(40, 0), Qt::LeftButton);
    EXPECT_TRUE(dzScene->selectedNodeList().isEmpty());
}
