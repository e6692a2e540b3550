#pragma once

#include <QMetaType>
#include <QObject>
#include <QSharedPointer>

#include "dzfacetmesh.h"

// A polygon mesh held by an object, so tools can take a mesh by pointer.
class DzVertexMesh : public QObject {
    Q_OBJECT
public:
    explicit DzVertexMesh(const DzFacetMesh& mesh = DzFacetMesh(), QObject* parent = nullptr);
    ~DzVertexMesh() override;

    const DzFacetMesh& getFacetMesh() const;
    void setFacetMesh(const DzFacetMesh& mesh);

public slots:
    int getNumVertices() const;

private:
    DzFacetMesh _mesh;
};

typedef QSharedPointer<DzVertexMesh> DzVertexMeshPtr;
Q_DECLARE_METATYPE(DzVertexMeshPtr)
