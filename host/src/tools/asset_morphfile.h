#pragma once

#include <QString>

#include "dzfileioerror.h"

class DzMorph;

// Writing one morph as a DSON morph asset that the content loader attaches to its figure.
namespace DzMorphAssetFile {

// The longest path component written, in UTF-8 bytes; room is left for ".dsf".
constexpr int kMaxComponentBytes = 200;

// A name usable as one path component: no separators, reserved characters or leading dots,
// so "../../x" stays a plain file name; a name too long for a file system is shortened, keeping
// a fingerprint of the whole.
QString safeComponent(const QString& text);

// The figure's data folder ("DAZ 3D/Genesis 9/Base" for ".../Base/Genesis9.dsf#Genesis9"),
// each component made safe; empty when the URI is not below "/data/".
QString dataFolderOf(const QString& figureUri);

// Writes the morph asset file (gzip when `compress`) for a figure of `vertexCount` vertices
// whose asset URI is `figureUri`. `assetId` is the file's path below the content directory
// `baseDataPath` ("data/.../x.dsf"); no link below that directory is written through. On
// failure returns a code whose text names the file or folder at fault and the system's reason.
DzError write(const DzMorph* morph, const QString& baseDataPath, const QString& assetId,
              const QString& figureUri, int vertexCount, const QString& vendor, bool compress);

} // namespace DzMorphAssetFile
