#pragma once

#include "dsondocument.h"
#include "dzfacetmesh.h"

class DzShape;

namespace dson {

// The mesh of a polygon_mesh geometry with its default UV set (looked up in `doc`).
DzFacetMesh readMesh(Object doc, Object geometry, const QString& where);

// A shape holding the mesh, with the resolution channels the geometry declares.
DzShape* createShape(Object geometry, const DzFacetMesh& mesh, const QString& where);

// The library entry with that id; DsonError when there is none.
Object findById(Object doc, std::string_view library, const QString& id);

} // namespace dson
