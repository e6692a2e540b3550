#include "dz3dviewport.h"

#include <QImageWriter>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QWheelEvent>
#include <cmath>

#include "dzapp.h"
#include "dznode.h"
#include "dzscene.h"
#include "geometry/dzgeometry.h"
#include "view/viewcamera.h"
#include "view/viewscenerenderer.h"

namespace {

// The first look at a scene: from the front, a little to the figures' left and above.
constexpr float kStartYaw = 20.0f;
constexpr float kStartPitch = 8.0f;
constexpr float kOrbitDegreesPerPixel = 0.4f;
// Dragging with the right button zooms by e^(pixels * this).
constexpr float kDragZoomPerPixel = 0.01f;
// One wheel notch (120 eighths of a degree) zooms by this factor.
constexpr float kWheelZoomPerNotch = 1.15f;
constexpr int kWheelNotch = 120;
// A press and release closer than this (manhattan pixels) is a click, not a drag.
constexpr int kClickSlop = 3;
// Files are drawn at this many times their size and scaled down: smooth edges.
constexpr int kFileSupersampling = 2;

struct NamedDirection {
    const char* name;
    float yaw;
    float pitch;
};

constexpr NamedDirection kDirections[] = {
    {"front", 0.0f, 0.0f},   {"back", 180.0f, 0.0f},  {"left", 90.0f, 0.0f},
    {"side", 90.0f, 0.0f},   {"right", -90.0f, 0.0f}, {"top", 0.0f, 89.0f},
    {"bottom", 0.0f, -89.0f}, {"three-quarter", 35.0f, 10.0f},
};

enum class Drag { None, Orbit, Pan, Zoom };

void logFailure(const QString& text)
{
    if (dzApp)
        dzApp->log(QStringLiteral("3D view: ") + text);
}

Drag dragFor(Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    if (button == Qt::MiddleButton || (button == Qt::LeftButton && modifiers & Qt::ShiftModifier))
        return Drag::Pan;
    if (button == Qt::LeftButton)
        return Drag::Orbit;
    if (button == Qt::RightButton)
        return Drag::Zoom;
    return Drag::None;
}

} // namespace

struct Dz3DViewport::Impl {
    QPointer<DzScene> scene;
    ViewCamera camera;
    ViewSceneRenderer renderer;
    ViewOverlay overlay;

    // Framing asked for and not yet done: of every drawn node, or of the targets.
    bool framePending = true;
    bool frameAll = true;
    QList<QPointer<DzNode>> frameTargets;

    // The picture last painted, with the node at each pixel (1 + index in idNodes).
    QImage image;
    bool dirty = true;
    bool renderQueued = false;
    QVector<int> ids;
    QList<QPointer<DzNode>> idNodes;

    Drag drag = Drag::None;
    Qt::MouseButton button = Qt::NoButton;
    QPoint pressPosition;
    QPoint lastPosition;
    bool dragged = false;
};

Dz3DViewport::Dz3DViewport(QWidget* parent) : QWidget(parent), _d(std::make_unique<Impl>())
{
    setObjectName(QStringLiteral("3DViewport"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(160, 120);
    _d->camera.setAngles(kStartYaw, kStartPitch);
    _d->scene = dzScene;
    if (!_d->scene)
        return;
    connect(_d->scene, &DzScene::nodeAdded, this, &Dz3DViewport::slotNodeAdded);
    connect(_d->scene, &DzScene::nodeRemoved, this, &Dz3DViewport::slotNodeRemoved);
    connect(_d->scene, &DzScene::nodeSelectionListChanged, this, &Dz3DViewport::slotRedraw);
    for (DzNode* node : _d->scene->nodeList())
        watchNode(node);
}

Dz3DViewport::~Dz3DViewport() = default;

QImage Dz3DViewport::renderImage(int width, int height, int supersampling)
{
    if (width <= 0 || height <= 0)
        return QImage();
    resolveFraming(float(width) / float(height));
    return _d->renderer.render(viewDrawnNodes(_d->scene), _d->camera, QSize(width, height),
                               supersampling, _d->overlay);
}

DzNode* Dz3DViewport::nodeAt(const QPoint& position) const
{
    const QImage& image = _d->image;
    if (!image.rect().contains(position) || _d->ids.size() != image.width() * image.height())
        return nullptr;
    const int id = _d->ids[position.y() * image.width() + position.x()];
    return id > 0 ? _d->idNodes.value(id - 1).data() : nullptr;
}

bool Dz3DViewport::renderToFile(const QString& filePath, int width, int height)
{
    if (width <= 0 || height <= 0)
        return false;
    if (!ViewSceneRenderer::fits(QSize(width, height), kFileSupersampling)) {
        logFailure(QStringLiteral("cannot render \"%1\" at %2 x %3 pixels: drawn at %4 times that size it "
                                  "would take more than the %5 pixels the view draws at most")
                       .arg(filePath).arg(width).arg(height).arg(kFileSupersampling)
                       .arg(ViewRasterizer::kMaxPixels));
        return false;
    }
    const QImage image = renderImage(width, height, kFileSupersampling);
    // A file's buffers are several times the view's: they are not kept for the next frame.
    _d->renderer.releaseBuffers();
    QImageWriter writer(filePath);
    if (!writer.write(image)) {
        logFailure(QStringLiteral("could not write \"%1\": %2").arg(filePath, writer.errorString()));
        return false;
    }
    return true;
}

void Dz3DViewport::frameScene()
{
    _d->framePending = true;
    _d->frameAll = true;
    _d->frameTargets.clear();
    emit cameraChanged();
    slotRedraw();
}

bool Dz3DViewport::frameNodes(const QList<DzNode*>& nodes)
{
    if (viewBoundsOf(nodes).isEmpty())
        return false;
    _d->framePending = true;
    _d->frameAll = false;
    _d->frameTargets.clear();
    for (DzNode* node : nodes)
        _d->frameTargets.append(node);
    emit cameraChanged();
    slotRedraw();
    return true;
}

bool Dz3DViewport::frameSelected()
{
    return _d->scene && frameNodes(_d->scene->selectedNodeList());
}

bool Dz3DViewport::setViewDirection(const QString& name)
{
    for (const NamedDirection& direction : kDirections)
        if (name.compare(QLatin1String(direction.name), Qt::CaseInsensitive) == 0) {
            setCameraAngles(direction.yaw, direction.pitch);
            return true;
        }
    return false;
}

void Dz3DViewport::setCameraAngles(float yawDegrees, float pitchDegrees)
{
    _d->camera.setAngles(yawDegrees, pitchDegrees);
    emit cameraChanged();
    slotRedraw();
}

float Dz3DViewport::getCameraYaw() const { return _d->camera.yawDegrees; }
float Dz3DViewport::getCameraPitch() const { return _d->camera.pitchDegrees; }
float Dz3DViewport::getCameraDistance() const { return _d->camera.distance; }

void Dz3DViewport::orbitCamera(float yawDelta, float pitchDelta)
{
    takeCamera();
    _d->camera.orbit(yawDelta, pitchDelta);
    emit cameraChanged();
    slotRedraw();
}

void Dz3DViewport::panCamera(float rightFraction, float upFraction)
{
    takeCamera();
    _d->camera.pan(rightFraction, upFraction);
    emit cameraChanged();
    slotRedraw();
}

void Dz3DViewport::zoomCamera(float factor)
{
    takeCamera();
    _d->camera.zoom(factor);
    emit cameraChanged();
    slotRedraw();
}

bool Dz3DViewport::setScalarOverlay(DzNode* node, const QVector<float>& values, float maxValue,
                                    const QString& unit, const QString& title)
{
    const DzFacetMesh* mesh = node ? DzGeometry::worldMesh(node) : nullptr;
    if (!mesh || !(maxValue > 0.0f) || !std::isfinite(maxValue)
        || values.size() != mesh->getNumVertices())
        return false;
    _d->overlay = ViewOverlay{node, values, maxValue, unit, title};
    slotRedraw();
    return true;
}

void Dz3DViewport::clearOverlay()
{
    _d->overlay = ViewOverlay();
    slotRedraw();
}

bool Dz3DViewport::hasOverlay() const { return _d->overlay.isSet(); }

void Dz3DViewport::paintEvent(QPaintEvent*)
{
    // A new size cannot wait; a changed scene is drawn when the event loop is next idle, so the
    // window's other widgets repainting during a long job cost no scene renders.
    if (_d->image.size() != size())
        renderNow();
    else if (_d->dirty)
        slotRedraw();  // shown again after changes made while hidden
    QPainter(this).drawImage(0, 0, _d->image);
}

void Dz3DViewport::renderNow()
{
    resolveFraming(float(width()) / float(std::max(height(), 1)));
    const QList<DzNode*> nodes = viewDrawnNodes(_d->scene);
    _d->image = _d->renderer.render(nodes, _d->camera, size(), 1, _d->overlay, &_d->ids);
    _d->idNodes.clear();
    for (DzNode* node : nodes)
        _d->idNodes.append(node);
    _d->dirty = false;
}

void Dz3DViewport::slotRenderQueued()
{
    _d->renderQueued = false;
    if (!_d->dirty || !isVisible())
        return;
    renderNow();
    update();
}

void Dz3DViewport::mousePressEvent(QMouseEvent* event)
{
    if (_d->button != Qt::NoButton)
        return;
    _d->button = event->button();
    _d->drag = dragFor(event->button(), event->modifiers());
    _d->pressPosition = _d->lastPosition = event->pos();
    _d->dragged = false;
    setFocus(Qt::MouseFocusReason);
}

void Dz3DViewport::mouseMoveEvent(QMouseEvent* event)
{
    if (_d->button == Qt::NoButton)
        return;
    if (!_d->dragged && (event->pos() - _d->pressPosition).manhattanLength() < kClickSlop)
        return;
    _d->dragged = true;
    const QPoint delta = event->pos() - _d->lastPosition;
    _d->lastPosition = event->pos();
    const float viewHeight = float(std::max(height(), 1));
    switch (_d->drag) {
    case Drag::Orbit:
        orbitCamera(-delta.x() * kOrbitDegreesPerPixel, delta.y() * kOrbitDegreesPerPixel);
        break;
    case Drag::Pan:
        // The scene under the pointer follows it.
        panCamera(-delta.x() / viewHeight, delta.y() / viewHeight);
        break;
    case Drag::Zoom:
        zoomCamera(std::exp(-delta.y() * kDragZoomPerPixel));
        break;
    case Drag::None:
        break;
    }
}

void Dz3DViewport::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != _d->button)
        return;
    if (!_d->dragged && _d->button == Qt::LeftButton)
        selectAt(event->pos(), event->modifiers() & Qt::ControlModifier);
    _d->button = Qt::NoButton;
    _d->drag = Drag::None;
}

void Dz3DViewport::wheelEvent(QWheelEvent* event)
{
    const float notches = float(event->angleDelta().y()) / kWheelNotch;
    if (notches != 0.0f)
        zoomCamera(std::pow(kWheelZoomPerNotch, notches));
    event->accept();
}

void Dz3DViewport::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F && !(event->modifiers() & ~Qt::KeypadModifier)) {
        frameScene();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Dz3DViewport::slotNodeAdded(DzNode* node)
{
    watchNode(node);
    slotRedraw();
}

void Dz3DViewport::slotNodeRemoved(DzNode* node)
{
    disconnect(node, nullptr, this, nullptr);
    _d->renderer.forget(node);
    if (_d->overlay.node == node)
        _d->overlay = ViewOverlay();
    slotRedraw();
}

void Dz3DViewport::slotDrawnDataChanged()
{
    if (auto* node = qobject_cast<DzNode*>(sender()))
        _d->renderer.forget(node);
    slotRedraw();
}

void Dz3DViewport::slotRedraw()
{
    _d->dirty = true;
    if (_d->renderQueued)
        return;
    _d->renderQueued = true;
    QTimer::singleShot(0, this, &Dz3DViewport::slotRenderQueued);
}

void Dz3DViewport::watchNode(DzNode* node)
{
    connect(node, &DzNode::drawnDataChanged, this, &Dz3DViewport::slotDrawnDataChanged,
            Qt::UniqueConnection);
    connect(node, &DzNode::visibilityChanged, this, &Dz3DViewport::slotRedraw,
            Qt::UniqueConnection);
}

void Dz3DViewport::resolveFraming(float aspect)
{
    if (!_d->framePending)
        return;
    QList<DzNode*> nodes;
    if (_d->frameAll)
        nodes = viewDrawnNodes(_d->scene);
    else
        for (const QPointer<DzNode>& node : _d->frameTargets)
            if (node)
                nodes.append(node);
    const DzBox3 box = viewBoundsOf(nodes);
    // With nothing to frame yet the request waits for something to appear.
    if (box.isEmpty())
        return;
    _d->camera.frame(box, aspect);
    _d->framePending = false;
}

void Dz3DViewport::takeCamera()
{
    resolveFraming(float(width()) / float(std::max(height(), 1)));
    _d->framePending = false;
}

void Dz3DViewport::selectAt(const QPoint& position, bool toggle)
{
    if (!_d->scene)
        return;
    DzNode* node = nodeAt(position);
    if (toggle) {
        if (node)
            node->select(!node->isSelected());
        return;
    }
    _d->scene->selectAllNodes(false);
    if (node)
        _d->scene->setPrimarySelection(node);
}
