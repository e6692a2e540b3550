#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include "vec3.h"

namespace cg {

// A node instance of a .duf scene: its asset url, label and placement.
QJsonObject nodeInstance(const QString& id, const QString& url, const QString& label,
                         const Vec3& translation = {});

// A modifier instance that dials the asset's value channel on a node instance (no parent:
// the selected node).
QJsonObject modifierInstance(const QString& id, const QString& url, const QString& parentId,
                             double value);

// A .duf document with the given scene nodes and modifier instances.
QJsonObject sceneFile(const QString& relativePath, const QString& type, const QJsonArray& nodes,
                      const QJsonArray& modifiers = {});

} // namespace cg
