#pragma once

#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

class DzNode;

// A batch of single-morph conversions for scripts: the same job the menu command runs (one
// progress, the same clean-up), without its dialogs and message boxes. Input that does not fit
// is refused before anything changes, with an error naming the thing at fault. Nothing throws:
// every outcome comes back in the returned map, and a failure is also one log line.

// The source's morphs as the Convert morphs dialog lists them, each a map with "name", "label",
// "group" and "value"; empty for a node that is not a Genesis 3, 8 or 8.1 figure.
QVariantList ScriptSourceMorphs(DzNode* pSource);

// Converts the named morphs of the source, in the given order, onto the Genesis 9 target.
// Options (all optional): "headAndBody" (false: one morph of each), "namePattern" ("{label}
// ({source})"), "propertyPath" ("/Kelvaro/Converted/{source}"), "highResolution" (false).
// Returns "error" (empty on success), "morphs" (every new morph's name), "converted" (per source
// morph made into something: "source", "label", "morphs"), "skipped" (the source morphs that
// change nothing), "cancelled" and "timeMs".
QVariantMap ScriptConvertMorphs(DzNode* pSource, DzNode* pTarget, const QStringList& morphNames,
                                const QVariantMap& options);

// Saves the figure's named morphs as support assets, as the results dialog does. Options:
// "library" (required, an existing folder), "vendor" ("Kelvaro"), "product" ("Converted"),
// "compress" (true). Returns "error" (empty on success), "cancelled" and "assets" (the asset
// URI each morph is now tied to, in the given order).
QVariantMap ScriptSaveMorphAssets(DzNode* pFigure, const QStringList& morphNames, const QVariantMap& options);
