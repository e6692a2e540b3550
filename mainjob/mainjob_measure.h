#pragma once

#include <QString>

#include "dzfacetmesh.h"

class DzNode;

// The node's evaluated world mesh (morphs, resolution, pose and placement) as the host's OBJ
// exporter writes it, read back through the OBJ importer: the way a program sees it through the
// host's public interface. The imported copy and the file go again. False with the reason in
// `error` when the host refuses either.
bool evaluatedWorldMesh(DzNode* pNode, const QString& folder, DzFacetMesh* pMesh, QString* error);
