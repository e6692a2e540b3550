#pragma once

#include <QStringList>

// The scene files last opened or saved, most recent first, at most kMaxRecentFiles of them,
// kept in the application settings (group "Recent Files") so the next session has them too.
// A file that no longer exists is dropped from the list when the list is read.
namespace dzrecentfiles {

constexpr int kMaxRecentFiles = 10;

QStringList files();
// Puts the file first (once: an earlier entry of it is removed).
void add(const QString& path);

} // namespace dzrecentfiles
