#include "dzshape.h"

#include "dzenumproperty.h"

DzShape::DzShape(QObject* parent) : DzElement(parent)
{
    _lod = new DzEnumProperty("lodlevel", {"Base", "High Resolution"});
    _lod->setLabel("Resolution Level");
    _lod->setPath("Mesh Resolution");
    addProperty(_lod);
    _subdLevel = new DzIntProperty("SubDIALevel", false, 1);
    _subdLevel->setLabel("SubDivision Level");
    _subdLevel->setPath("Mesh Resolution");
    _subdLevel->setMinMax(0, 4);
    addProperty(_subdLevel);
    connect(this, &DzElement::propertyValueChanged, this, &DzShape::shapeChanged);
}

DzShape::~DzShape() = default;

const DzFacetMesh& DzShape::getFacetMesh() const { return _mesh; }

void DzShape::setFacetMesh(const DzFacetMesh& mesh)
{
    _mesh = mesh;
    ++_meshRevision;
    emit shapeChanged();
}

int DzShape::meshRevision() const { return _meshRevision; }
int DzShape::getNumVertices() const { return _mesh.getNumVertices(); }
DzEnumProperty* DzShape::getLODControl() const { return _lod; }
DzIntProperty* DzShape::getSubDIALevelControl() const { return _subdLevel; }
bool DzShape::isHighResolution() const { return _lod->getValue() == 1; }

int DzShape::getEvaluatedLevel() const
{
    return isHighResolution() ? _subdLevel->getValue() : 0;
}
