#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <climits>
#include <functional>
#include <malloc.h>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's allocator keeps its own count (GCC installs no header for it).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

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

// A change to the Genesis 9 redraws its pixels only; undone, it gives the first picture again.
TEST(ViewportRender, AChangeToOneFigureRedrawsItAloneAndUndoingItRestoresThePicture)
{
    struct Case {
        const char* what;
        std::function<void(DrawnSample&, bool undo)> change;
        // What the changed picture shows, beside the source being as it was.
        std::function<void(DrawnSample&, const QImage& changed)> check;
    };
    const Case cases[] = {
        {"moved",
         [](DrawnSample& s, bool undo) {
             DzFloatProperty* x = s.target->getXPosControl();
             x->setValue(x->getValue() + (undo ? 20.0f : -20.0f));
         },
         [](DrawnSample& s, const QImage&) {
             const QRect moved = s.alone(s.target).region;
             EXPECT_LT(moved.left(), s.targetArea.left() - 10);
             EXPECT_LT(moved.right(), s.targetArea.right() - 10);
         }},
        {"taller by a morph",
         [](DrawnSample& s, bool undo) { morphOf(s.target, "body_bs_ProportionHeight")->getValueControl()->setValue(undo ? 0 : 1); },
         [](DrawnSample& s, const QImage&) {
             EXPECT_LT(s.alone(s.target).region.top(), s.targetArea.top() - 2);
             // Nothing of the earlier shape lingers: a view that never saw it draws the same.
             Dz3DViewport fresh;
             s.view.frameScene();
             EXPECT_EQ(s.render(), fresh.renderImage(kWidth, kHeight));
         }},
        {"hidden", [](DrawnSample& s, bool undo) { s.target->setVisible(undo); },
         [](DrawnSample& s, const QImage& changed) {
             EXPECT_TRUE(sameInside(changed, s.background, s.targetArea));
         }},
        {"at high resolution",
         [](DrawnSample& s, bool undo) {
             DzShape* shape = s.target->getObject()->getCurrentShape();
             shape->getLODControl()->setValue(undo ? 0 : 1);
             shape->getSubDIALevelControl()->setValue(2);
         },
         [](DrawnSample& s, const QImage& changed) {
             // Smoothing pulls the surface in a little; it does not move the figure.
             const Difference difference = differenceOf(changed, s.first);
             EXPECT_GT(difference.pixels, 0);
             EXPECT_TRUE(s.targetArea.adjusted(-2, -2, 2, 2).contains(difference.region));
             const QRect smooth = s.alone(s.target).region;
             EXPECT_NEAR(smooth.center().x(), s.targetArea.center().x(), 3);
             EXPECT_NEAR(smooth.height(), s.targetArea.height(), s.targetArea.height() / 20);
         }},
        {"selected", [](DrawnSample& s, bool undo) { s.target->select(!undo); },
         [](DrawnSample& s, const QImage& changed) {
             // The tint reaches the whole figure, not only its outline.
             const Difference difference = differenceOf(changed, s.first);
             EXPECT_TRUE(s.targetArea.contains(difference.region));
             s.target->select(false);
             EXPECT_GT(difference.pixels, s.alone(s.target).pixels * 9 / 10);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DrawnSample scene;
        ASSERT_TRUE(scene.loaded);
        c.change(scene, false);
        const QImage changed = scene.render();
        EXPECT_TRUE(sameInside(changed, scene.first, scene.sourceArea));
        c.check(scene, changed);
        c.change(scene, true);
        scene.view.frameScene();
        EXPECT_EQ(scene.render(), scene.first);
    }
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
    EXPECT_TRUE(scene.view.renderImage(6000, 6000).isNull());
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
