#pragma once

#include <QString>

#include "figure_asset.h"

// The library's scene files: the stock and user figure files, the prop, the sample scenes, the
// head-split D-Former preset and the files that make the host stop and ask.

namespace cg {

void writeFigureDufs(const QString& root);
void writeSphere(const QString& root);
void writeSampleScene(const QString& root);
void writeSeveralSourcesScene(const QString& root);
void writeHeadSplitDFormer(const QString& root, const BuiltFigure& g9);
void writeDialogTriggers(const QString& root);

} // namespace cg
