#include <gtest/gtest.h>

#include "dzenumproperty.h"
#include "dzintproperty.h"
#include "dzshape.h"
#include "test_viewport_support.h"

using namespace testview;

namespace {

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
