#pragma once

#include <QJsonObject>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class DzNode;

namespace dson {

// Everything a file would do to the scene, prepared without touching it: the new root nodes
// and the changes to apply to nodes (new or already in the scene). Building throws DsonError.
struct ScenePlan {
    std::vector<std::unique_ptr<DzNode>> newNodes;
    std::vector<std::function<void()>> changes;
    QStringList missingUrls;
    QStringList valuesOutOfRange;       // "label: property = value (min..max)"
    std::vector<std::function<void()>> ignoreLimits; // unclamps the out-of-range properties
    QStringList duplicateFormulas;
    QStringList problems;               // skipped morph files and the like, for the log
    bool isPreset = false;        // applies to the selection; never clears the scene
    bool isDFormerPreset = false;
    bool hadSceneNodes = false;
};

// Plans the load of `doc` (read from `filePath`). `knownFormulas` holds the formula outputs
// loaded before; the plan's duplicates are those met twice.
ScenePlan planLoad(const QStringList& contentDirs, const QString& filePath, const QJsonObject& doc,
                   const QStringList& knownFormulas, QStringList* newFormulas);

} // namespace dson
