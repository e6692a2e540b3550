#pragma once

#include <QByteArray>
#include <QStringList>

class DzScene;

// Scene files in the part of DSON the loader reads (dsonscene.h), so that opening one gives
// back the scene it was written from:
//   scene.nodes      one instance per root node, by its asset url, with its label, its
//                    transform channels and, in "geometries", the resolution channels
//                    "lodlevel" and "SubDIALevel" (current values); one instance per posed bone
//                    ("#<bone>" with the figure's instance as parent)
//   scene.modifiers  one instance per morph that has an asset, by its asset url, with the
//                    figure's instance as parent and the morph's current value
// A scene file refers to assets and holds none: nodes without an asset (an imported OBJ),
// child nodes that are not bones and morphs never saved as assets cannot be written, and are
// named in `leftOut` instead.
namespace dson {

struct SceneFile {
    QByteArray json;
    QStringList leftOut;  // "node \"Cube\" (it has no asset file)", ...
};

SceneFile sceneFileOf(const DzScene& scene, const QString& fileName);

// Writes `bytes` to `path` whole or not at all: into a temporary file beside it, renamed over
// the old file only once complete. A path that is a symbolic link is refused (the file it
// points to is never written), as is one whose folder does not exist. Returns the reason a
// write failed, with the system's own words; empty on success.
QString writeFileWhole(const QString& path, const QByteArray& bytes);

} // namespace dson
