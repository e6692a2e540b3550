#pragma once

#include <QHash>
#include <QImage>
#include <QList>
#include <QPointer>
#include <QSize>
#include <QVector>

#include "dzbox3.h"
#include "dzfacetmesh.h"
#include "dznode.h"
#include "viewcamera.h"
#include "viewrasterizer.h"

class DzScene;

// A scalar per vertex of one node's evaluated mesh, shown by the colour ramp from 0 to
// maxValue with a legend. It shows only while the node's mesh has one vertex per value.
struct ViewOverlay {
    QPointer<DzNode> node;
    QVector<float> values;
    float maxValue = 0.0f;
    QString unit;
    QString title;

    bool isSet() const { return !node.isNull() && maxValue > 0.0f; }
};

// The scene's nodes a view draws, in scene order: visible ones with an evaluated mesh.
QList<DzNode*> viewDrawnNodes(const DzScene* scene);
// The box around the nodes' evaluated world meshes.
DzBox3 viewBoundsOf(const QList<DzNode*>& nodes);

// Draws nodes' evaluated world meshes (the geometry cache's, as exported) shaded as seen by a
// camera. Selected nodes are tinted and outlined; the overlay's node is coloured by its values
// and the legend drawn. It keeps each node's vertex normals until told the node changed, and
// its buffers from one picture to the next.
class ViewSceneRenderer {
public:
    // Whether a picture of that size at that supersampling draws within the rasterizer's
    // limit (ViewRasterizer::kMaxPixels).
    static bool fits(const QSize& size, int supersampling);

    // The picture of that size, null when it is empty or does not fit. With supersampling s
    // the scene is drawn s times larger and scaled down smoothly (edges anti-aliased; the
    // legend is drawn after). When `ids` is given and s is 1, it receives per pixel (row by
    // row) 1 + the index in `nodes` of the node drawn there, 0 for the background.
    QImage render(const QList<DzNode*>& nodes, const ViewCamera& camera, const QSize& size,
                  int supersampling, const ViewOverlay& overlay, QVector<int>* ids = nullptr);
    // Drops what is kept of a node whose drawn data changed or that is gone.
    void forget(const DzNode* node);
    // Frees the buffers kept for the next picture (after a large one that will not come again).
    void releaseBuffers();

private:
    const QVector<DzVec3>& normalsOf(const DzNode* node, const DzFacetMesh& mesh);

    QHash<const DzNode*, QVector<DzVec3>> _normals;
    // Kept from frame to frame so dragging the camera does not allocate.
    ViewRasterizer _raster{0, 0, 1.0f};
    QVector<ViewPoint> _points;
    QVector<ViewColor> _front;
    QVector<ViewColor> _back;
};
