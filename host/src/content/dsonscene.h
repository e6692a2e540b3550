#pragma once

#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "dsondocument.h"

class DzNode;

namespace dson {

// Everything a file would do to the scene, prepared without touching it: the new root nodes
// and the changes to apply to nodes (new or already in the scene). Building throws DsonError.
struct ScenePlan {
    // A scene object the changes touch. The host's dialogs run an event loop before the plan
    // is applied, in which it may be deleted or its node may leave the scene.
    struct Held {
        QPointer<QObject> object;
        QPointer<DzNode> node; // the scene node it belongs to
        QString what;          // names it in messages
    };

    // What of `held` is gone or out of the scene, for the message; empty when all is there.
    QString lostTarget() const;

    std::vector<std::unique_ptr<DzNode>> newNodes;
    std::vector<std::function<void()>> changes;
    std::vector<Held> held;
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
ScenePlan planLoad(const QStringList& contentDirs, const QString& filePath, const Document& doc,
                   const QStringList& knownFormulas, QStringList* newFormulas);

} // namespace dson
