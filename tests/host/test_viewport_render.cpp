#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <climits>
#include <malloc.h>
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/allocator_interface.h>
#endif

#include "dzenumproperty.h"
#include "dzintproperty.h"
#include "dzshape.h"
#include "test_viewport_support.h"

using namespace testview;

namespace {

// Bytes the program holds on the heap now.
size_t heapBytesInUse()
{
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

// The scene drawn once, and where each figure alone covers the picture.
struct DrawnSample : SampleScene {
    DrawnSample()
    {
        first = render();
        sourceArea = alone(source).region;
        targetArea = alone(target).region;
    }
    // What the node covers with the other figure hidden.
    Difference alone(DzNode* node)
    {
        DzNode* other = node == source ? target : source;
        other->setVisible(false);
        const Difference covered = differenceOf(render(), background);
        other->setVisible(true);
        return covered;
    }
    QImage first;
    QRect sourceArea;
    QRect targetArea;
};

} // namespace

TEST(ViewportRender, TheSameSceneGivesTheSamePictureFramedInside)
{
    DrawnSample scene;
    ASSERT_TRUE(scene.loaded && scene.source && scene.target);
    EXPECT_EQ(scene.render(), scene.first);
    // A view of its own draws the same: nothing depends on what was drawn before.
    Dz3DViewport other;
    EXPECT_EQ(other.renderImage(kWidth, kHeight), scene.first);

    const QRect covered = footprint(scene.first, scene.background);
    EXPECT_TRUE(scene.first.rect().adjusted(2, 2, -2, -2).contains(covered))
        << "touches the border";
    EXPECT_GT(covered.height(), kHeight * 3 / 4);
    // The figures stand apart: the source on the left, the Genesis 9 on the right.
    EXPECT_LT(scene.sourceArea.right(), scene.targetArea.left());
}

TEST(ViewportRender, MovingAFigureMovesOnlyItsPixelsAndMovingBackRestoresThePicture)
{
    DrawnSample scene;
    DzFloatProperty* x = scene.target->getXPosControl();
    const float start = x->getValue();
    x->setValue(start - 20.0f);
    const QImage moved = scene.render();
    EXPECT_TRUE(sameInside(moved, scene.first, scene.sourceArea));
    const QRect movedArea = scene.alone(scene.target).region;
    EXPECT_LT(movedArea.left(), scene.targetArea.left() - 10);
    EXPECT_LT(movedArea.right(), scene.targetArea.right() - 10);

    x->setValue(start);
    EXPECT_EQ(scene.render(), scene.first);
}

TEST(ViewportRender, AMorphDialChangesTheFigureItActsOn)
{
    DrawnSample scene;
    DzFloatProperty* height = morphDial(scene.target, "body_bs_ProportionHeight");
    ASSERT_TRUE(height);
    height->setValue(1.0f);
    const QImage taller = scene.render();
    EXPECT_TRUE(sameInside(taller, scene.first, scene.sourceArea));
    EXPECT_LT(scene.alone(scene.target).region.top(), scene.targetArea.top() - 2);

    // Nothing of the earlier shape lingers: a view that never saw it draws the same.
    Dz3DViewport fresh;
    scene.view.frameScene();
    EXPECT_EQ(scene.render(), fresh.renderImage(kWidth, kHeight));

    height->setValue(0.0f);
    scene.view.frameScene();
    EXPECT_EQ(scene.render(), scene.first);
}

TEST(ViewportRender, AHiddenFigureLeavesTheBackground)
{
    DrawnSample scene;
    scene.target->setVisible(false);
    const QImage hidden = scene.render();
    EXPECT_TRUE(sameInside(hidden, scene.background, scene.targetArea));
    EXPECT_TRUE(sameInside(hidden, scene.first, scene.sourceArea));

    scene.target->setVisible(true);
    EXPECT_EQ(scene.render(), scene.first);
}

TEST(ViewportRender, HighResolutionRedrawsTheSurfaceInPlace)
{
    DrawnSample scene;
    DzShape* shape = scene.target->getObject()->getCurrentShape();
    shape->getLODControl()->setValue(1);
    shape->getSubDIALevelControl()->setValue(2);
    const QImage smooth = scene.render();
    const Difference changed = differenceOf(smooth, scene.first);
    EXPECT_GT(changed.pixels, 0);
    EXPECT_TRUE(scene.targetArea.adjusted(-2, -2, 2, 2).contains(changed.region));
    // Smoothing pulls the surface in a little; it does not move the figure.
    const QRect smoothArea = scene.alone(scene.target).region;
    EXPECT_NEAR(smoothArea.center().x(), scene.targetArea.center().x(), 3);
    EXPECT_NEAR(smoothArea.height(), scene.targetArea.height(), scene.targetArea.height() / 20);
}

TEST(ViewportRender, TheSelectedFigureIsHighlightedAndNothingElse)
{
    DrawnSample scene;
    scene.target->select(true);
    const QImage selected = scene.render();
    const Difference changed = differenceOf(selected, scene.first);
    EXPECT_TRUE(scene.targetArea.contains(changed.region));
    // The tint reaches the whole figure, not only its outline.
    dzScene->selectAllNodes(false);
    const int targetPixels = scene.alone(scene.target).pixels;
    EXPECT_GT(changed.pixels, targetPixels * 9 / 10);

    dzScene->selectAllNodes(false);
    EXPECT_EQ(scene.render(), scene.first);
}

// A file too large to draw is refused at once with a log line that says why, whatever its size
// (no count wraps around); one within the limit is written.
TEST(ViewportRender, FilesTooLargeToDrawAreRefusedWithAReason)
{
    SampleScene scene;
    const QTemporaryDir dir;
    struct Case {
        int width;
        int height;
        bool written;
    };
    const Case cases[] = {
        {8192, 8192, false}, {2900, 2900, false}, {1 << 16, 1 << 16, false}, {INT_MAX, INT_MAX, false},
        {INT_MAX, 1, false}, {0, 100, false},     {64, 48, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        const QString path = dir.filePath(QStringLiteral("%1x%2.png").arg(c.width).arg(c.height));
        EXPECT_EQ(scene.view.renderToFile(path, c.width, c.height), c.written);
        EXPECT_EQ(QImage(path).size(), c.written ? QSize(c.width, c.height) : QSize(0, 0));
        const QStringList logged = scene.logLinesContaining(path);
        if (c.written || c.width == 0) {
            EXPECT_TRUE(logged.isEmpty());
            continue;
        }
        ASSERT_EQ(logged.size(), 1);
        EXPECT_EQ(logged[0], QStringLiteral("3D view: cannot render \"%1\" at %2 x %3 pixels: drawn at 2 times that "
                                            "size it would take more than the 33554432 pixels the view draws at most")
                                 .arg(path).arg(c.width).arg(c.height));
    }
    EXPECT_TRUE(scene.view.renderImage(INT_MAX, INT_MAX, INT_MAX).isNull());
}

// A file's buffers (several times the view's) are not kept once it is written.
TEST(ViewportRender, AFileRenderKeepsNoBuffers)
{
    SampleScene scene;
    const QTemporaryDir dir;
    scene.render();  // what the view keeps anyway: the normals, buffers of its own size
    const size_t before = heapBytesInUse();
    ASSERT_TRUE(scene.view.renderToFile(dir.filePath("big.png"), 1200, 1000));
    // Drawn at 2400 x 2000, the buffers take 57 MB.
    EXPECT_LT(qint64(heapBytesInUse()) - qint64(before), 8 << 20);
}
