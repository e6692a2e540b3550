#pragma once

#include <QImage>
#include <QList>
#include <QVector>
#include <QWidget>
#include <memory>

class DzNode;

// The 3D view of the scene: its visible figures and props drawn shaded from their evaluated
// world meshes (morphs, resolution, pose and placement as exported), the selection tinted and
// outlined, seen through an orbit camera. It draws in software, so it works on every platform,
// offscreen included, and renders to files the same way it draws.
//
// Mouse: the left button turns the camera around its target (a click without moving selects
// the node under it, Ctrl toggles it), the middle button or Shift + left moves it, the right
// button and the wheel zoom. F frames the scene.
//
// Framing is done by the next picture, for its size: the view starts out framing the scene,
// and frameScene / frameNodes ask for it again. Turning, moving and zooming work on the camera
// as last shown.
class Dz3DViewport : public QWidget {
    Q_OBJECT
public:
    explicit Dz3DViewport(QWidget* parent = nullptr);
    ~Dz3DViewport() override;

    // The picture of the current camera at that size. With supersampling s it is drawn s
    // times larger and scaled down (anti-aliased). Framing asked for is done first. Null when
    // the size is empty or would draw more pixels than the view can (about 33 million).
    QImage renderImage(int width, int height, int supersampling = 1);
    // The node drawn at a point of the widget as last painted, null over the background.
    DzNode* nodeAt(const QPoint& position) const;

public slots:
    // Renders the current camera anti-aliased at that size to an image file in the format its
    // suffix names (.png, .jpg, ...); false when the size is empty, too large to draw (up to
    // about 4096 x 2048) or the file is not written, with a log line saying which.
    bool renderToFile(const QString& filePath, int width, int height);

    // Frames every drawn node at the next picture, from the current direction.
    void frameScene();
    // Frames the nodes' evaluated meshes at the next picture; false (nothing changes) when
    // none of them has geometry.
    bool frameNodes(const QList<DzNode*>& nodes);
    // Frames the selected nodes; false when none of them has geometry.
    bool frameSelected();

    // Looks from a named direction, keeping target and distance: "front" (+Z, where figures
    // face), "back", "left" or "side" (the figure's left, +X), "right", "top", "bottom",
    // "three-quarter" (front-left, a little above). Case is ignored; false for other names.
    bool setViewDirection(const QString& name);
    // Yaw turns about +Y from the front (90 looks from +X); pitch lifts the eye above the
    // horizon (up to 89 either way).
    void setCameraAngles(float yawDegrees, float pitchDegrees);
    float getCameraYaw() const;
    float getCameraPitch() const;
    // The camera's distance from its target, in scene units (cm).
    float getCameraDistance() const;
    void orbitCamera(float yawDelta, float pitchDelta);
    // Moves across the view by fractions of the view's height at the target.
    void panCamera(float rightFraction, float upFraction);
    // Comes closer by the factor (> 1) or steps back (< 1).
    void zoomCamera(float factor);

    // Colours the node by one value per vertex of its evaluated mesh, on a colour ramp from 0
    // to maxValue (larger values take the top colour), with a legend of the title and ticks in
    // the unit. Replaces any overlay. false (nothing changes) without a node, with maxValue
    // not above 0, or when the value count is not the mesh's vertex count. The overlay shows
    // while the node's mesh keeps that vertex count.
    bool setScalarOverlay(DzNode* node, const QVector<float>& values, float maxValue,
                          const QString& unit, const QString& title);
    void clearOverlay();
    bool hasOverlay() const;

signals:
    void cameraChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private slots:
    void slotNodeAdded(DzNode* node);
    void slotNodeRemoved(DzNode* node);
    void slotDrawnDataChanged();
    void slotRedraw();
    void slotRenderQueued();

private:
    void watchNode(DzNode* node);
    void renderNow();
    // Turns a framing asked for into the camera, for a picture of that aspect.
    void resolveFraming(float aspect);
    // Resolves framing for the widget's own aspect before the camera is moved by hand.
    void takeCamera();
    void selectAt(const QPoint& position, bool toggle);

    struct Impl;
    std::unique_ptr<Impl> _d;
};
