#pragma once

#include <QStringList>

// Content files come only from inside the content directories. A relative content path (the
// file part of an asset url, or a path such as "People/Genesis 9/Genesis 9.duf") is resolved in
// the first directory that has the file, and refused when it leads anywhere else: a path that
// climbs above its directory ("../", "data/../.."), an absolute path, or a link whose target
// lies outside every content directory. Backslashes count as separators, as they do for a
// library shared with a Windows host.
namespace dzcontent {

// A resolved content path: the file found, or why the path was refused. Both are empty when no
// content directory has the file.
struct ContentFile {
    QString path;     // the file, as the directory's path joined with the cleaned relative path
    QString refusal;  // "climbs out of the content directories", ...
};

ContentFile findContentFile(const QStringList& contentDirs, const QString& relativePath);

// True when the file or folder at `path`, with every link in it followed, lies inside one of
// the content directories (their own links followed too).
bool liesInsideContent(const QStringList& contentDirs, const QString& path);

} // namespace dzcontent
