#pragma once

#include <QString>

struct MorphsJobResult;

// Prints the morphs job's report: what was converted, the time per morph and in all, the worst
// morphs' fidelity and the pictures.
void printMorphsReport(const MorphsJobResult& result, bool bSmall, const QString& pictureDir);
