#pragma once

#include <functional>

#include "dsondocument.h"
#include "dzfacetmesh.h"

class DzShape;

namespace dson {

// The mesh of a polygon_mesh geometry with its default UV set (looked up in `doc`).
DzFacetMesh readMesh(Object doc, Object geometry, const QString& where);

// Calls `use` with each channel of the geometry's "studio_geometry_channels" extras (an asset's
// geometry, or a scene's geometry instance) and its path, for messages.
void forEachGeometryChannel(Object geometry, const QString& where,
                            const std::function<void(Object, const QString&)>& use);

// A shape holding the mesh, with the resolution channels the geometry declares.
DzShape* createShape(Object geometry, const DzFacetMesh& mesh, const QString& where);

// The library entry with that id; DsonError when there is none.
Object findById(Object doc, std::string_view library, const QString& id);

} // namespace dson
