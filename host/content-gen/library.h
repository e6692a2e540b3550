#pragma once

#include <QString>

#include "generations.h"

namespace cg {

// Writes the whole content library below `root`.
void writeLibrary(const QString& root, Size size);

} // namespace cg
