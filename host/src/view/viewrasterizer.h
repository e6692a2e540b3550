#pragma once

#include <QImage>
#include <QVector>

#include "dzfacetmesh.h"
#include "viewcamera.h"

// A colour with channels 0..1, interpolated across triangles.
struct ViewColor {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;

    ViewColor operator*(float s) const { return {r * s, g * s, b * s}; }
    ViewColor operator+(const ViewColor& o) const { return {r + o.r, g + o.g, b + o.b}; }
    // This colour moved toward `other` by t (0 keeps it, 1 gives `other`).
    ViewColor mixedWith(const ViewColor& other, float t) const { return *this * (1.0f - t) + other * t; }
    QRgb toRgb() const;
};

// A depth-buffered software rasterizer: it fills triangles given in the camera's frame with
// the colours of their corners interpolated, keeping at each pixel the nearest surface and the
// id of the mesh it belongs to. A corner has one colour for each side of the surface; a
// triangle seen from the side its facet winds counter-clockwise around takes the front
// colours, seen from behind the back colours, so open surfaces show both sides. Triangles
// crossing the near plane are clipped; a triangle with a corner that is not a finite point is
// skipped. The result depends only on the input and its order.
class ViewRasterizer {
public:
    // The most pixels a picture may have: its buffers take 12 bytes a pixel (about 400 MB
    // here), and the image made from them 4 more.
    static constexpr qint64 kMaxPixels = qint64(1) << 25;
    // Whether a picture of that size stays within kMaxPixels (counted in 64 bits).
    static bool fits(qint64 width, qint64 height);

    // A picture of that size with nothing drawn; focalPixels as ViewCamera::focalPixels.
    ViewRasterizer(int width, int height, float focalPixels);
    // Starts a new picture, keeping the buffers' memory for the next frame. A size that does
    // not fit gives an empty picture (0 x 0) and false.
    bool reset(int width, int height, float focalPixels);
    // Frees the buffers; the picture is empty until the next reset.
    void release();

    int width() const { return _width; }
    int height() const { return _height; }

    // Draws a mesh's facets; `points` and both colour lists hold one entry per vertex. Pixels
    // the mesh wins take its id, which must be above 0.
    void drawMesh(const QVector<ViewPoint>& points, const QVector<ViewColor>& front,
                  const QVector<ViewColor>& back, const QVector<DzFacet>& facets, int id);

    // Id of the mesh drawn at each pixel (row by row), 0 where nothing was drawn.
    const QVector<int>& ids() const { return _ids; }
    // Puts the drawn pixels into the image (same size); pixels nothing covers keep theirs.
    void writeTo(QImage* image) const;
    // Paints the colour on the pixels of that id up to `width` pixels in from where they
    // meet a pixel of another id: an outline inside the mesh's silhouette. The picture's
    // edge is no border.
    void outline(int id, int width, QRgb color);

private:
    // A vertex on the picture: its pixel position, 1 / depth, and its colours.
    struct Corner {
        float x = 0.0f;  // pixels, from the left edge
        float y = 0.0f;  // pixels, from the top edge
        float invDepth = 0.0f;
        ViewColor front;
        ViewColor back;
    };
    Corner project(const ViewPoint& p, const ViewColor& front, const ViewColor& back) const;
    qint64 pixelIndex(int x, int y) const { return qint64(y) * _width + x; }
    void drawTriangle(const ViewPoint* points, const ViewColor* front, const ViewColor* back,
                      const Corner* projected, const int* indices, int id);
    void drawClipped(const ViewPoint* points, const ViewColor* front, const ViewColor* back,
                     const int* indices, int id);
    void fill(const Corner& a, const Corner& b, const Corner& c, int id);

    int _width = 0;
    int _height = 0;
    float _focal = 0.0f;
    QVector<Corner> _projected;  // per vertex of the mesh being drawn
    QVector<QRgb> _colors;
    QVector<float> _invDepth;  // 1 / depth; 0 where nothing was drawn
    QVector<int> _ids;
};
