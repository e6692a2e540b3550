#pragma once

#include <QStringList>

#include "anatomy.h"

// The figures' surfaces (material groups): skin, the lips, the eyes and the fingernails.

namespace cg {

const QStringList& surfaceNames();

// The surface of the face whose centre is at (u, v) of the part.
int surfaceOf(Part part, double u, double v);

} // namespace cg
