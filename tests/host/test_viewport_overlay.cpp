#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QSet>

#include "../../host/src/geometry/dzgeometry.h"
#include "../../host/src/view/viewlegend.h"
#include "test_viewport_support.h"

using namespace testview;

namespace {

std::vector<float> ticksOf(float maxValue)
{
    const QVector<float> ticks = viewLegendTicks(maxValue);
    return std::vector<float>(ticks.begin(), ticks.end());
}

// One value per vertex of the node's evaluated mesh: `high` above the box's middle height, 0
// below.
QVector<float> upperHalf(const DzNode* node, float high)
{
    const DzFacetMesh* mesh = DzGeometry::worldMesh(node);
    const float middle = DzGeometry::worldBoundingBox(node).getCenter().m_y;
    QVector<float> values;
    for (const DzVec3& p : mesh->vertices())
        values.append(p.m_y > middle ? high : 0.0f);
    return values;
}

// Mean colour of the pixels of the region that differ from the background.
QColor meanCovered(const QImage& picture, const QImage& background, const QRect& region)
{
    long r = 0, g = 0, b = 0, n = 0;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            if (picture.pixel(x, y) != background.pixel(x, y)) {
                const QRgb p = picture.pixel(x, y);
                r += qRed(p), g += qGreen(p), b += qBlue(p), ++n;
            }
    return n ? QColor(int(r / n), int(g / n), int(b / n)) : QColor();
}

int distinctColors(const QImage& picture, const QRect& region)
{
    QSet<QRgb> colors;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            colors.insert(picture.pixel(x, y));
    return colors.size();
}

// The sample scene seen from the front with the source alone in the picture's left part,
// so the legend (upper right) and the coloured figure do not meet.
struct OverlaidSample : SampleScene {
    OverlaidSample()
    {
        view.setViewDirection("front");
        view.frameScene();
        plain = render();
        target->setVisible(false);
        sourceArea = footprint(render(), background);
        target->setVisible(true);
    }
    QImage plain;
    QRect sourceArea;
};

} // namespace

TEST(ViewportOverlay, ColoursTheNodeByItsValuesAndDrawsTheLegend)
{
    OverlaidSample scene;
    ASSERT_TRUE(scene.view.setScalarOverlay(scene.source, upperHalf(scene.source, 2.0f), 2.0f,
                                            "cm", "Distance to source"));
    EXPECT_TRUE(scene.view.hasOverlay());
    const QImage overlaid = scene.render();
    EXPECT_EQ(scene.render(), overlaid);

    // The figure's upper half takes the ramp's top (yellow), its lower half the bottom (blue).
    const QRect upper = scene.sourceArea.adjusted(0, 0, 0, -scene.sourceArea.height() * 3 / 4);
    const QRect lower = scene.sourceArea.adjusted(0, scene.sourceArea.height() * 3 / 4, 0, 0);
    const QColor top = meanCovered(overlaid, scene.background, upper);
    const QColor bottom = meanCovered(overlaid, scene.background, lower);
    EXPECT_GT(top.green(), top.blue() + 40);
    EXPECT_GT(bottom.blue(), bottom.green());
    EXPECT_LT(bottom.red(), 120);

    // Outside the figure only the legend changed: a panel with a ramp, in the upper right.
    QImage outside = overlaid;
    for (int y = scene.sourceArea.top(); y <= scene.sourceArea.bottom(); ++y)
        for (int x = scene.sourceArea.left(); x <= scene.sourceArea.right(); ++x)
            outside.setPixel(x, y, scene.plain.pixel(x, y));
    const QRect legend = differenceOf(outside, scene.plain).region;
    ASSERT_FALSE(legend.isEmpty());
    EXPECT_GT(legend.left(), kWidth / 2);
    EXPECT_LT(legend.top(), kHeight / 4);
    EXPECT_GT(legend.height(), kHeight / 3);
    EXPECT_GT(distinctColors(overlaid, legend), 40);

    scene.view.clearOverlay();
    EXPECT_FALSE(scene.view.hasOverlay());
    EXPECT_EQ(scene.render(), scene.plain);
}

// Values that do not fit the mesh are refused; an overlay is dropped when the mesh no longer
// fits it or its node leaves.
TEST(ViewportOverlay, IsRefusedOrDroppedWhenTheValuesDoNotFitTheMesh)
{
    OverlaidSample scene;
    QVector<float> values = upperHalf(scene.source, 1.0f);
    values.removeLast();
    EXPECT_FALSE(scene.view.setScalarOverlay(scene.source, values, 1.0f, "cm", "Short"));
    EXPECT_FALSE(scene.view.setScalarOverlay(scene.source, upperHalf(scene.source, 1.0f), 0.0f,
                                             "cm", "No range"));
    EXPECT_FALSE(scene.view.setScalarOverlay(nullptr, {}, 1.0f, "cm", "No node"));
    EXPECT_FALSE(scene.view.hasOverlay());
    EXPECT_EQ(scene.render(), scene.plain);

    ASSERT_TRUE(scene.view.setScalarOverlay(scene.source, upperHalf(scene.source, 1.0f), 1.0f,
                                            "cm", "Distance"));
    // Subdivided, the mesh has other vertices: drawn plain, without a legend.
    setHighResolution(scene.source, 1);
    const QImage subdivided = scene.render();
    scene.view.clearOverlay();
    EXPECT_EQ(subdivided, scene.render());
    shapeOf(scene.source)->getLODControl()->setValue(0);

    ASSERT_TRUE(scene.view.setScalarOverlay(scene.source, upperHalf(scene.source, 1.0f), 1.0f,
                                            "cm", "Distance"));
    dzScene->removeNode(scene.source);
    EXPECT_FALSE(scene.view.hasOverlay());
}

TEST(ViewportOverlay, LegendTicksAreRoundStepsInTheUnit)
{
    using testing::FloatNear;
    using testing::Pointwise;
    EXPECT_THAT(ticksOf(1.0f),
                Pointwise(FloatNear(1e-5f), std::vector<float>{0.0f, 0.2f, 0.4f, 0.6f, 0.8f, 1.0f}));
    EXPECT_THAT(ticksOf(0.37f),
                Pointwise(FloatNear(1e-5f), std::vector<float>{0.0f, 0.1f, 0.2f, 0.3f}));
    EXPECT_THAT(ticksOf(25.0f),
                Pointwise(FloatNear(1e-4f), std::vector<float>{0.0f, 5.0f, 10.0f, 15.0f, 20.0f, 25.0f}));
    EXPECT_TRUE(viewLegendTicks(0.0f).isEmpty());
    EXPECT_EQ(viewLegendLabel(0.2f, 0.2f, "cm"), "0.2 cm");
    EXPECT_EQ(viewLegendLabel(0.05f, 0.05f, "cm"), "0.05 cm");
    EXPECT_EQ(viewLegendLabel(10.0f, 5.0f, QString()), "10");
}
