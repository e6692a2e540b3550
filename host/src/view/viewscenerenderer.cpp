#include "view/viewscenerenderer.h"

#include <algorithm>

#include "dzscene.h"
#include "dzskeleton.h"
#include "geometry/dzgeometry.h"
#include "geometry/dzmeshnormals.h"
#include "view/viewcolorramp.h"
#include "view/viewlegend.h"
#include "view/viewrasterizer.h"
#include "view/viewshading.h"

namespace {

const ViewColor kFigureAlbedo{0.80f, 0.69f, 0.60f};
const ViewColor kPropAlbedo{0.66f, 0.70f, 0.76f};
const ViewColor kSelectionColor{1.0f, 0.60f, 0.15f};
// How far a selected node's albedo moves toward the selection colour.
constexpr float kSelectionTint = 0.35f;
// Width of a selected node's outline in the finished picture.
constexpr int kOutlinePixels = 2;
// The inner side of an open surface reads darker than its outer side.
constexpr float kBackSideShade = 0.6f;
const ViewColor kBackgroundTop{0.29f, 0.33f, 0.38f};
const ViewColor kBackgroundBottom{0.13f, 0.15f, 0.18f};

QImage backgroundImage(const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    const int rows = std::max(size.height() - 1, 1);
    for (int y = 0; y < size.height(); ++y) {
        const QRgb color = kBackgroundTop.mixedWith(kBackgroundBottom, float(y) / rows).toRgb();
        std::fill_n(reinterpret_cast<QRgb*>(image.scanLine(y)), size.width(), color);
    }
    return image;
}

ViewColor albedoOf(const DzNode* node)
{
    ViewColor albedo = qobject_cast<const DzSkeleton*>(node) ? kFigureAlbedo : kPropAlbedo;
    return node->isSelected() ? albedo.mixedWith(kSelectionColor, kSelectionTint) : albedo;
}

} // namespace

QList<DzNode*> viewDrawnNodes(const DzScene* scene)
{
    QList<DzNode*> drawn;
    if (!scene)
        return drawn;
    for (DzNode* node : scene->nodeList())
        if (node->isVisible() && DzGeometry::worldMesh(node))
            drawn.append(node);
    return drawn;
}

DzBox3 viewBoundsOf(const QList<DzNode*>& nodes)
{
    DzBox3 bounds;
    for (const DzNode* node : nodes) {
        const DzBox3 box = DzGeometry::worldBoundingBox(node);
        if (!box.isEmpty()) {
            bounds.include(box.getMin());
            bounds.include(box.getMax());
        }
    }
    return bounds;
}

bool ViewSceneRenderer::fits(const QSize& size, int supersampling)
{
    const qint64 scale = std::max(1, supersampling);
    return ViewRasterizer::fits(size.width() * scale, size.height() * scale);
}

QImage ViewSceneRenderer::render(const QList<DzNode*>& nodes, const ViewCamera& camera,
                                 const QSize& size, int supersampling,
                                 const ViewOverlay& overlay, QVector<int>* ids)
{
    if (size.isEmpty() || !fits(size, supersampling))
        return QImage();
    const int scale = std::max(1, supersampling);
    const QSize drawnSize = size * scale;
    QImage image = backgroundImage(drawnSize);
    ViewRasterizer& raster = _raster;
    raster.reset(drawnSize.width(), drawnSize.height(), ViewCamera::focalPixels(drawnSize.height()));
    const ViewBasis basis = camera.basis();
    bool overlayDrawn = false;
    for (int i = 0; i < nodes.size(); ++i) {
        const DzNode* node = nodes[i];
        const DzFacetMesh* mesh = DzGeometry::worldMesh(node);
        if (!mesh)
            continue;
        const int count = mesh->getNumVertices();
        const QVector<DzVec3>& normals = normalsOf(node, *mesh);
        const bool overlaid =
            overlay.isSet() && overlay.node == node && overlay.values.size() == count;
        overlayDrawn = overlayDrawn || overlaid;
        const ViewColor albedo = albedoOf(node);
        _points.resize(count);
        _front.resize(count);
        _back.resize(count);
        const DzVec3* positions = mesh->vertices().constData();
        for (int v = 0; v < count; ++v) {
            _points[v] = basis.toView(positions[v]);
            const DzVec3 normal = basis.directionToView(normals[v]);
            const ViewColor color =
                overlaid ? viewRampColor(overlay.values[v] / overlay.maxValue) : albedo;
            _front[v] = ViewShading::shade(normal, color);
            _back[v] = ViewShading::shade(-normal, color * kBackSideShade);
        }
        raster.drawMesh(_points, _front, _back, mesh->facets(), i + 1);
    }
    for (int i = 0; i < nodes.size(); ++i)
        if (nodes[i]->isSelected())
            raster.outline(i + 1, kOutlinePixels * scale, kSelectionColor.toRgb());
    raster.writeTo(&image);
    if (ids && scale == 1)
        *ids = raster.ids();
    if (scale > 1)
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (overlayDrawn)
        drawViewLegend(&image, overlay.maxValue, overlay.unit, overlay.title);
    return image;
}

void ViewSceneRenderer::forget(const DzNode* node) { _normals.remove(node); }

void ViewSceneRenderer::releaseBuffers()
{
    _raster.release();
    _points = QVector<ViewPoint>();
    _front = QVector<ViewColor>();
    _back = QVector<ViewColor>();
}

const QVector<DzVec3>& ViewSceneRenderer::normalsOf(const DzNode* node, const DzFacetMesh& mesh)
{
    QVector<DzVec3>& normals = _normals[node];
    if (normals.size() != mesh.getNumVertices())
        normals = DzGeometry::vertexNormals(mesh);
    return normals;
}
