#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>

#include "dz3dviewport.h"
#include "dzcontentmgr.h"
#include "dzfloatproperty.h"
#include "test_app.h"
#include "test_geometry_fixtures.h"

// Pictures of the 3D view compared pixel by pixel.
namespace testview {

using namespace testgeo;

constexpr int kWidth = 320;
constexpr int kHeight = 240;

// The pixels where two pictures of the same size differ, as their bounding rectangle and count.
struct Difference {
    QRect region;
    int pixels = 0;
};

inline Difference differenceOf(const QImage& a, const QImage& b)
{
    Difference d;
    if (a.size() != b.size())
        return {a.rect().united(b.rect()), -1};
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) {
                d.region |= QRect(x, y, 1, 1);
                ++d.pixels;
            }
    return d;
}

// Where a picture differs from the background picture: what the scene covers.
inline QRect footprint(const QImage& picture, const QImage& background)
{
    return differenceOf(picture, background).region;
}

// Pixels of the region that are the same in both pictures.
inline bool sameInside(const QImage& a, const QImage& b, const QRect& region)
{
    return a.copy(region) == b.copy(region);
}

// The bundled sample scene: "Genesis 8.1 Female" at x = -72 and "Genesis 9" at x = 72.
struct SampleScene : TestApp {
    SampleScene()
    {
        background = view.renderImage(kWidth, kHeight);
        DzContentMgr* content = app()->getContentMgr();
        loaded = content->openFile(content->getAbsolutePath("Scenes/Sample Conversion.duf"), false);
        source = dzScene->findNodeByLabel("Genesis 8.1 Female");
        target = dzScene->findNodeByLabel("Genesis 9");
        // Loading selects what it loaded; the pictures start from a plain scene.
        dzScene->selectAllNodes(false);
    }
    QImage render() { return view.renderImage(kWidth, kHeight); }

    Dz3DViewport view;
    QImage background;  // nothing loaded yet
    bool loaded = false;
    DzNode* source = nullptr;
    DzNode* target = nullptr;
};

} // namespace testview
