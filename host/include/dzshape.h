#pragma once

#include "dzelement.h"
#include "dzfacetmesh.h"

class DzEnumProperty;
class DzIntProperty;

// The base mesh of an object and its resolution: "lodlevel" ("Base" or "High Resolution") and
// the Catmull-Clark level "SubDIALevel" used at high resolution.
class DzShape : public DzElement {
    Q_OBJECT
public:
    explicit DzShape(QObject* parent = nullptr);
    ~DzShape() override;

    const DzFacetMesh& getFacetMesh() const;
    void setFacetMesh(const DzFacetMesh& mesh);
    // Grows with every setFacetMesh, so caches of the mesh's topology know when to rebuild.
    int meshRevision() const;

public slots:
    int getNumVertices() const;
    DzEnumProperty* getLODControl() const;
    DzIntProperty* getSubDIALevelControl() const;
    // True at "High Resolution".
    bool isHighResolution() const;
    // The subdivision level the shape evaluates at: 0 at base resolution.
    int getEvaluatedLevel() const;

signals:
    void shapeChanged();

private:
    DzFacetMesh _mesh;
    int _meshRevision = 0;
    DzEnumProperty* _lod = nullptr;
    DzIntProperty* _subdLevel = nullptr;
};
