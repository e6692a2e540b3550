#include <gtest/gtest.h>

#include <climits>
#include <limits>

#include "../../host/src/view/viewrasterizer.h"
#include "../../host/src/view/viewscenerenderer.h"

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

// Draws the quad, or the triangle of the corners given.
void draw(ViewRasterizer& raster, const Quad& quad, int id, std::initializer_list<int> corners = {0, 1, 2, 3})
{
    DzFacet facet;
    std::copy(corners.begin(), corners.end(), facet.m_vertIdx);
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

// Each side of a surface shows its own colour, and the nearest surface wins whatever the order.
TEST(ViewportRaster, EachSideShowsItsOwnColourAndTheNearestSurfaceWins)
{
    Quad turned = facingSquare(10.0f, 1.0f, kRed, kBlue);
    std::reverse(turned.points.begin(), turned.points.end());
    ViewRasterizer behind = newRaster();
    draw(behind, turned, 1);
    EXPECT_EQ(picture(behind).pixel(50, 50), kBlue.toRgb());

    for (bool nearFirst : {true, false}) {
        ViewRasterizer raster = newRaster();
        const Quad near = facingSquare(5.0f, 0.5f, kGreen, kBlue);
        const Quad far = facingSquare(10.0f, 2.0f, kRed, kBlue);
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

TEST(ViewportRaster, ATriangleWithACornerThatIsNotAFinitePointIsSkipped)
{
    constexpr float inf = std::numeric_limits<float>::infinity();
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    const Quad square = facingSquare(10.0f, 1.0f, kRed, kGreen);
    // Corner 1 is in the quad's first triangle (0 1 2) only: the second (0 2 3) draws alone.
    ViewRasterizer expected = newRaster();
    draw(expected, square, 1, {0, 2, 3});
    const ViewPoint corners[] = {{inf, -1.0f, 10.0f}, {-inf, -1.0f, 10.0f}, {1.0f, -inf, 10.0f}, {nan, -1.0f, 10.0f},
                                 {1.0f, -1.0f, inf},  {1.0f, -1.0f, nan},   {1.0f, -1.0f, -inf}};
    for (const ViewPoint& corner : corners) {
        SCOPED_TRACE(testing::Message() << corner.x << " " << corner.y << " " << corner.depth);
        Quad broken = square;
        broken.points[1] = corner;
        ViewRasterizer raster = newRaster();
        draw(raster, broken, 1);
        EXPECT_EQ(raster.ids(), expected.ids());
        EXPECT_EQ(picture(raster), picture(expected));
    }
}

TEST(ViewportRaster, PicturesLargerThanTheLimitAreRefusedCountingIn64Bits)
{
    // 5792 x 5792 is the largest square within the limit; 65536^2 is 0 in 32 bits, INT_MAX^2
    // is 1, 2^80 is 0 in 64 bits.
    const qint64 max = ViewRasterizer::kMaxPixels, big = qint64(1) << 40;
    const qint64 cases[][3] = {{5792, 5792, 1}, {5793, 5793, 0}, {max, 1, 1},   {max + 1, 1, 0},
                               {65536, 65536, 0}, {INT_MAX, INT_MAX, 0}, {big, big, 0}, {-1, 1, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(ViewRasterizer::fits(c[0], c[1]), c[2] == 1) << c[0] << " x " << c[1];
    // Supersampled: 2 x 2896 = 5792; 65536^4 is 0 in 64 bits.
    EXPECT_TRUE(ViewSceneRenderer::fits(QSize(2896, 2896), 2));
    EXPECT_FALSE(ViewSceneRenderer::fits(QSize(2897, 2897), 2));
    EXPECT_FALSE(ViewSceneRenderer::fits(QSize(65536, 65536), 65536));

    ViewRasterizer raster(100, 100, 1.0f);
    EXPECT_FALSE(raster.reset(65536, 65536, 1.0f));
    EXPECT_TRUE(raster.ids().isEmpty());
}
