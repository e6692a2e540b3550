#pragma once

#include <QString>
#include <functional>

#include "dzfacetmesh.h"

// Regions of the bundled figures' meshes, picked by face group (the groups are the bones'
// names: "head", "l_forearm", "r_index2").

// The facets whose group passes, with the vertices they use, as a mesh of their own.
DzFacetMesh meshOfGroups(const DzFacetMesh& mesh, const std::function<bool(const QString&)>& pick);

// The digit a group belongs to ("l_index" for "l_index2"), empty for any other group.
QString digitOfGroup(const QString& group);
