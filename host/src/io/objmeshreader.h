#pragma once

#include <QString>
#include <QVector>

#include "dzfileioerror.h"

class DzFacetMesh;
class DzVec3;
class DzSettings;

// Reads an OBJ file into a facet mesh in scene coordinates, honouring the importer options
// (axes, inversions, Scale, IncludeVT, IncludeF, IncludeG, IncludeUsemtl, IncludeL).
// Triangles and quads stay as they are; other faces, and faces that repeat a corner, are
// triangulated (concave ones correctly) and their degenerate pieces dropped. The mesh holds
// faces only: lines and points are checked but not kept. What was dropped or skipped is
// said in the log. Returns 0, or a code whose detailed text (file, and line for malformed
// input) the managers' getErrorMessage gives; the mesh is untouched then.
DzError dzReadObjFacetMesh(const QString& path, const DzSettings& options, DzFacetMesh& mesh);

// Reads only the vertex positions of an OBJ file, in scene coordinates (axes, inversions and
// Scale of the importer options); faces, lines and points are skipped unread. Errors as for
// dzReadObjFacetMesh.
DzError dzReadObjPositions(const QString& path, const DzSettings& options, QVector<DzVec3>& positions);
