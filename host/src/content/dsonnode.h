#pragma once

#include <QStringList>
#include <memory>

#include "dsondocument.h"

class DzNode;

namespace dson {

// Builds the node `nodeId` of an asset document: a figure (bones, skin binding, its installed
// and inline morphs) or a plain node with geometry. Throws DsonError; nothing leaks on a throw.
// `instanceUrl` becomes the node's asset URI; unusable installed morph files are reported in
// `problems` and skipped.
std::unique_ptr<DzNode> buildAssetNode(const QStringList& contentDirs, Object assetDoc,
                                       const QString& nodeId, const QString& instanceUrl,
                                       QStringList* problems);

} // namespace dson
