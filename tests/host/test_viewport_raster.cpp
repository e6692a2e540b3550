#include <gtest/gtest.h>

#include "../../host/src/view/viewrasterizer.h"

namespace {

constexpr int kSize = 100;
const ViewColor kRed{1.0f, 0.0f, 0.0f};
const ViewColor kGreen{0.0f, 1.0f, 0.0f};
const ViewColor kBlue{0.0f, 0.0f, 1.0f};

// One quad of four points in the camera's frame, coloured `front` on the side it winds
// counter-clockwise around and `back` on the other.
struct Quad {
    QVector<ViewPoint> points;
    ViewColor front;
    ViewColor back;
};

void draw(ViewRasterizer& raster, const Quad& quad, int id)
{
    DzFacet facet;
    for (int c = 0; c < 4; ++c)
        facet.m_vertIdx[c] = c;
    raster.drawMesh(quad.points, QVector<ViewColor>(4, quad.front),
                    QVector<ViewColor>(4, quad.back), {facet}, id);
}

// A square across the view's axis at that depth, counter-clockwise as the eye sees it.
Quad facingSquare(float depth, float half, const ViewColor& front, const ViewColor& back)
{
    return {{{-half, -half, depth}, {half, -half, depth}, {half, half, depth}, {-half, half, depth}},
            front,
            back};
}

QImage picture(const ViewRasterizer& raster)
{
    QImage image(kSize, kSize, QImage::Format_RGB32);
    image.fill(Qt::black);
    raster.writeTo(&image);
    return image;
}

ViewRasterizer newRaster()
{
    return ViewRasterizer(kSize, kSize, ViewCamera::focalPixels(kSize));
}

} // namespace

TEST(ViewportRaster, EachSideOfASurfaceShowsItsOwnColour)
{
    ViewRasterizer raster = newRaster();
    draw(raster, facingSquare(10.0f, 1.0f, kRed, kBlue), 1);
    EXPECT_EQ(picture(raster).pixel(50, 50), kRed.toRgb());

    Quad turned = facingSquare(10.0f, 1.0f, kRed, kBlue);
    std::reverse(turned.points.begin(), turned.points.end());
    ViewRasterizer behind = newRaster();
    draw(behind, turned, 1);
    EXPECT_EQ(picture(behind).pixel(50, 50), kBlue.toRgb());
}

TEST(ViewportRaster, TheNearestSurfaceWinsWhateverTheOrder)
{
    for (bool nearFirst : {true, false}) {
        ViewRasterizer raster = newRaster();
        const Quad near = facingSquare(5.0f, 0.5f, kGreen, kGreen);
        const Quad far = facingSquare(10.0f, 2.0f, kRed, kRed);
        draw(raster, nearFirst ? near : far, nearFirst ? 1 : 2);
        draw(raster, nearFirst ? far : near, nearFirst ? 2 : 1);
        const QImage image = picture(raster);
        EXPECT_EQ(image.pixel(50, 50), kGreen.toRgb()) << nearFirst;
        EXPECT_EQ(raster.ids()[50 * kSize + 50], 1);
        // Around the small near square the far one shows.
        EXPECT_EQ(image.pixel(50, 50 + 28), kRed.toRgb());
        EXPECT_EQ(raster.ids()[0], 0);
    }
}

TEST(ViewportRaster, ASurfaceReachingBehindTheEyeIsCutAtTheNearPlane)
{
    // A floor under the eye from behind it to far ahead: its near part fills the bottom rows,
    // its far edge stops just below the horizon.
    ViewRasterizer raster = newRaster();
    const Quad floor{{{-50.0f, -1.0f, -5.0f}, {-50.0f, -1.0f, 50.0f}, {50.0f, -1.0f, 50.0f},
                      {50.0f, -1.0f, -5.0f}},
                     kGreen,
                     kGreen};
    draw(raster, floor, 1);
    EXPECT_EQ(raster.ids()[(kSize - 1) * kSize + kSize / 2], 1);
    EXPECT_EQ(raster.ids()[(kSize / 2 + 10) * kSize + 5], 1);
    for (int y = 0; y < kSize / 2; ++y)
        ASSERT_EQ(raster.ids()[y * kSize + kSize / 2], 0) << y;
}

TEST(ViewportRaster, TheOutlineFollowsTheSilhouetteInsideIt)
{
    ViewRasterizer raster = newRaster();
    draw(raster, facingSquare(10.0f, 1.0f, kRed, kRed), 7);
    raster.outline(7, 2, kBlue.toRgb());
    const QImage image = picture(raster);
    EXPECT_EQ(image.pixel(50, 50), kRed.toRgb());
    int left = 0;
    while (raster.ids()[50 * kSize + left] != 7)
        ++left;
    EXPECT_EQ(image.pixel(left, 50), kBlue.toRgb());
    EXPECT_EQ(image.pixel(left + 1, 50), kBlue.toRgb());
    EXPECT_EQ(image.pixel(left + 2, 50), kRed.toRgb());
    EXPECT_EQ(image.pixel(left - 1, 50), qRgb(0, 0, 0));
}
