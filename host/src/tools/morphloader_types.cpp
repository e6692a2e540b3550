// The small host types Morph Loader Pro's interface names.
#include "dzerclink.h"
#include "dzvertexmesh.h"
#include "dzweightmapcontext.h"

DzERCLink::DzERCLink(QObject* parent) : DzBase(parent) {}

DzERCLink::~DzERCLink() = default;

DzWeightMapContext::DzWeightMapContext(DzNode* node, const QString& mapPath, QObject* parent)
    : QObject(parent), _node(node), _mapPath(mapPath)
{
}

DzWeightMapContext::~DzWeightMapContext() = default;

DzNode* DzWeightMapContext::getNode() const { return _node; }

QString DzWeightMapContext::getMapPath() const { return _mapPath; }

DzVertexMesh::DzVertexMesh(const DzFacetMesh& mesh, QObject* parent) : QObject(parent), _mesh(mesh) {}

DzVertexMesh::~DzVertexMesh() = default;

const DzFacetMesh& DzVertexMesh::getFacetMesh() const { return _mesh; }

void DzVertexMesh::setFacetMesh(const DzFacetMesh& mesh) { _mesh = mesh; }

int DzVertexMesh::getNumVertices() const { return _mesh.getNumVertices(); }
