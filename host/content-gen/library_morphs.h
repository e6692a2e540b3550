#pragma once

#include <QString>

#include "figure_asset.h"

// The morph assets of the library: Genesis 9's own, the source figures' character morphs, and
// their regional morph product.

namespace cg {

// Where a figure's morph of that name lives: Morphs/<vendor>/<product>/ below its data folder.
QString morphFile(const FigureDef& fig, const QString& vendor, const QString& product, const QString& name);
QString morphUrl(const FigureDef& fig, const QString& vendor, const QString& product, const QString& name);
// The url of a source figure's character morph or regional morph of that name.
QString sourceMorphUrl(const FigureDef& fig, const QString& name);
// Genesis 9's own morph of that name.
QString genesis9MorphUrl(const QString& name);

// Clones of the older generations, the base shapes and the height dial.
void writeGenesis9Morphs(const QString& root, const BuiltFigure& g9);
void writeCharacterMorphs(const QString& root, const BuiltFigure& fig);
// The regional morphs (on the small content only those marked for it).
void writeRegionalMorphs(const QString& root, const BuiltFigure& fig, Size size);

} // namespace cg
