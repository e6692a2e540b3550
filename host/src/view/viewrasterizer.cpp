#include "view/viewrasterizer.h"

#include <algorithm>
#include <cmath>

namespace {

int channel(float value) { return static_cast<int>(std::clamp(value, 0.0f, 1.0f) * 255.0f + 0.5f); }

// A corner being clipped at the near plane: still in the camera's frame.
struct ClipVertex {
    ViewPoint p;
    ViewColor front;
    ViewColor back;
};

ClipVertex between(const ClipVertex& a, const ClipVertex& b, float t)
{
    const auto lerp = [t](float u, float v) { return u + (v - u) * t; };
    return {{lerp(a.p.x, b.p.x), lerp(a.p.y, b.p.y), lerp(a.p.depth, b.p.depth)},
            a.front.mixedWith(b.front, t),
            a.back.mixedWith(b.back, t)};
}

} // namespace

QRgb ViewColor::toRgb() const { return qRgb(channel(r), channel(g), channel(b)); }

bool ViewRasterizer::fits(qint64 width, qint64 height)
{
    // Each side is checked alone first, so the product cannot overflow.
    return width >= 0 && height >= 0 && width <= kMaxPixels && height <= kMaxPixels
           && width * height <= kMaxPixels;
}

ViewRasterizer::ViewRasterizer(int width, int height, float focalPixels)
{
    reset(width, height, focalPixels);
}

bool ViewRasterizer::reset(int width, int height, float focalPixels)
{
    const bool fitting = fits(std::max(width, 0), std::max(height, 0));
    _width = fitting ? std::max(width, 0) : 0;
    _height = fitting ? std::max(height, 0) : 0;
    _focal = focalPixels;
    const int pixels = int(qint64(_width) * _height);
    // Colours need no clearing: only pixels with an id are ever read.
    _colors.resize(pixels);
    _invDepth.fill(0.0f, pixels);
    _ids.fill(0, pixels);
    return fitting;
}

void ViewRasterizer::release()
{
    _width = _height = 0;
    _projected = QVector<Corner>();
    _colors = QVector<QRgb>();
    _invDepth = QVector<float>();
    _ids = QVector<int>();
}

ViewRasterizer::Corner ViewRasterizer::project(const ViewPoint& p, const ViewColor& front,
                                               const ViewColor& back) const
{
    const float inv = 1.0f / p.depth;
    return {0.5f * _width + p.x * _focal * inv, 0.5f * _height - p.y * _focal * inv, inv, front,
            back};
}

void ViewRasterizer::drawMesh(const QVector<ViewPoint>& points, const QVector<ViewColor>& front,
                              const QVector<ViewColor>& back, const QVector<DzFacet>& facets,
                              int id)
{
    const int count = points.size();
    if (front.size() != count || back.size() != count)
        return;
    _projected.resize(count);
    Corner* projected = _projected.data();
    for (int i = 0; i < count; ++i)
        if (points[i].depth > ViewCamera::kNearPlane)
            projected[i] = project(points[i], front[i], back[i]);
    for (const DzFacet& facet : facets) {
        const int first[3] = {facet.m_vertIdx[0], facet.m_vertIdx[1], facet.m_vertIdx[2]};
        drawTriangle(points.constData(), front.constData(), back.constData(), projected, first,
                     id);
        if (facet.isQuad()) {
            const int second[3] = {facet.m_vertIdx[0], facet.m_vertIdx[2], facet.m_vertIdx[3]};
            drawTriangle(points.constData(), front.constData(), back.constData(), projected,
                         second, id);
        }
    }
}

void ViewRasterizer::drawTriangle(const ViewPoint* points, const ViewColor* front,
                                  const ViewColor* back, const Corner* projected,
                                  const int* indices, int id)
{
    int inFront = 0;
    for (int c = 0; c < 3; ++c) {
        const ViewPoint& p = points[indices[c]];
        // A corner at infinity or not a number has no place on the picture: its bounds would
        // reach the pixel loops undefined.
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.depth))
            return;
        inFront += p.depth > ViewCamera::kNearPlane ? 1 : 0;
    }
    if (inFront == 3)
        fill(projected[indices[0]], projected[indices[1]], projected[indices[2]], id);
    else if (inFront > 0)
        drawClipped(points, front, back, indices, id);
}

void ViewRasterizer::drawClipped(const ViewPoint* points, const ViewColor* front,
                                 const ViewColor* back, const int* indices, int id)
{
    // One triangle cut by the plane depth = near keeps a triangle or a quad.
    ClipVertex kept[4];
    int keptCount = 0;
    for (int c = 0; c < 3; ++c) {
        const int i = indices[c], j = indices[(c + 1) % 3];
        const ClipVertex from{points[i], front[i], back[i]};
        const ClipVertex to{points[j], front[j], back[j]};
        const bool fromIn = from.p.depth >= ViewCamera::kNearPlane;
        const bool toIn = to.p.depth >= ViewCamera::kNearPlane;
        if (fromIn)
            kept[keptCount++] = from;
        if (fromIn != toIn)
            kept[keptCount++] = between(
                from, to, (ViewCamera::kNearPlane - from.p.depth) / (to.p.depth - from.p.depth));
    }
    Corner corners[4];
    for (int k = 0; k < keptCount; ++k)
        corners[k] = project(kept[k].p, kept[k].front, kept[k].back);
    for (int k = 2; k < keptCount; ++k)
        fill(corners[0], corners[k - 1], corners[k], id);
}

void ViewRasterizer::fill(const Corner& a, const Corner& b0, const Corner& c0, int id)
{
    float area = (b0.x - a.x) * (c0.y - a.y) - (b0.y - a.y) * (c0.x - a.x);
    if (!(std::abs(area) > 0.0f))
        return;
    // Pixel rows run downward, so a counter-clockwise facet seen from its front has area < 0.
    const bool frontSide = area < 0.0f;
    const Corner& b = frontSide ? c0 : b0;
    const Corner& c = frontSide ? b0 : c0;
    area = std::abs(area);

    // Only pixels whose centre (px + 0.5) lies in the triangle's box can be covered; most
    // triangles of a dense mesh have none and stop here.
    const auto firstCentre = [](float lo, int size) {
        return int(std::clamp(std::ceil(lo - 0.5f), 0.0f, float(size)));
    };
    const auto lastCentre = [](float hi, int size) {
        return int(std::clamp(std::floor(hi - 0.5f), -1.0f, float(size - 1)));
    };
    const int x0 = firstCentre(std::min({a.x, b.x, c.x}), _width);
    const int x1 = lastCentre(std::max({a.x, b.x, c.x}), _width);
    const int y0 = firstCentre(std::min({a.y, b.y, c.y}), _height);
    const int y1 = lastCentre(std::max({a.y, b.y, c.y}), _height);
    if (x0 > x1 || y0 > y1)
        return;

    const ViewColor& ca = frontSide ? a.front : a.back;
    const ViewColor& cb = frontSide ? b.front : b.back;
    const ViewColor& cc = frontSide ? c.front : c.back;
    const float invArea = 1.0f / area;
    QRgb* colors = _colors.data();
    float* depths = _invDepth.data();
    int* ids = _ids.data();
    for (int py = y0; py <= y1; ++py) {
        const float sy = py + 0.5f;
        for (int px = x0; px <= x1; ++px) {
            const float sx = px + 0.5f;
            // Each weight is the area of the triangle the pixel makes with the opposite edge.
            const float wa = (c.x - b.x) * (sy - b.y) - (c.y - b.y) * (sx - b.x);
            const float wb = (a.x - c.x) * (sy - c.y) - (a.y - c.y) * (sx - c.x);
            const float wc = (b.x - a.x) * (sy - a.y) - (b.y - a.y) * (sx - a.x);
            if (wa < 0.0f || wb < 0.0f || wc < 0.0f)
                continue;
            const qint64 k = pixelIndex(px, py);
            const float invDepth = (wa * a.invDepth + wb * b.invDepth + wc * c.invDepth) * invArea;
            if (invDepth <= depths[k])
                continue;
            depths[k] = invDepth;
            ids[k] = id;
            colors[k] = ((ca * wa + cb * wb + cc * wc) * invArea).toRgb();
        }
    }
}

void ViewRasterizer::writeTo(QImage* image) const
{
    if (!image || image->width() != _width || image->height() != _height)
        return;
    for (int y = 0; y < _height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image->scanLine(y));
        const int* ids = _ids.constData() + pixelIndex(0, y);
        const QRgb* colors = _colors.constData() + pixelIndex(0, y);
        for (int x = 0; x < _width; ++x)
            if (ids[x] != 0)
                line[x] = colors[x];
    }
}

void ViewRasterizer::outline(int id, int width, QRgb color)
{
    // The silhouette's own pixels first (few), then a band around each of them.
    const int* ids = _ids.constData();
    QVector<QPoint> border;
    for (int y = 0; y < _height; ++y)
        for (int x = 0; x < _width; ++x) {
            const int* k = ids + pixelIndex(x, y);
            if (*k == id
                && ((x > 0 && k[-1] != id) || (x + 1 < _width && k[1] != id)
                    || (y > 0 && k[-_width] != id) || (y + 1 < _height && k[_width] != id)))
                border.append(QPoint(x, y));
        }
    QRgb* colors = _colors.data();
    const int reach = width - 1;
    for (const QPoint& p : border)
        for (int ny = std::max(p.y() - reach, 0); ny <= std::min(p.y() + reach, _height - 1); ++ny)
            for (int nx = std::max(p.x() - reach, 0); nx <= std::min(p.x() + reach, _width - 1); ++nx)
                if (ids[pixelIndex(nx, ny)] == id)
                    colors[pixelIndex(nx, ny)] = color;
}
