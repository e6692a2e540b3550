#pragma once

#include <QStringList>

// The modal dialogs a content load can open. Each waits for a person (or a watcher that
// answers it) and is parented to the application's dialog parent.
namespace dzcontent {

// "Missing Files": the asset urls a file refers to that no content directory has.
void showMissingFiles(const QString& filePath, const QStringList& urls);
// "Error opening file": a file that exists but cannot be read as content.
void showErrorOpeningFile(const QString& filePath, const QString& reason);
// "Preset Exceeds Limits": true to keep values within their limits (first button), false to
// ignore the limits (second button or closing the box).
bool askPresetExceedsLimits(const QStringList& values);
// "Duplicate Formulas Found": formula outputs defined more than once.
void showDuplicateFormulas(const QStringList& outputs);
// "D-Former Load Options - <file>": true when accepted.
bool askDFormerLoadOptions(const QString& filePath);

} // namespace dzcontent
