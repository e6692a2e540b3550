#pragma once

#include <QString>

#include "dzfileioerror.h"

class DzFacetMesh;
class DzSettings;

// Reads an OBJ file into a facet mesh in scene coordinates, honouring the importer options
// (axes, inversions, Scale, IncludeVT, IncludeF, IncludeG, IncludeUsemtl). Faces of more
// than four corners are split into a triangle fan. Returns 0, or a code whose detailed text
// (file, and line for malformed input) the managers' getErrorMessage gives.
DzError dzReadObjFacetMesh(const QString& path, const DzSettings& options, DzFacetMesh& mesh);
