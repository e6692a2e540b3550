#pragma once

#include <QJsonObject>

#include "dzfacetmesh.h"

class DzShape;

namespace dson {

// The mesh of a polygon_mesh geometry with its default UV set (looked up in `doc`).
DzFacetMesh readMesh(const QJsonObject& doc, const QJsonObject& geometry, const QString& where);

// A shape holding the mesh, with the resolution channels the geometry declares.
DzShape* createShape(const QJsonObject& geometry, const DzFacetMesh& mesh, const QString& where);

// The library entry with that id; DsonError when there is none.
QJsonObject findById(const QJsonObject& doc, const QString& library, const QString& id);

} // namespace dson
