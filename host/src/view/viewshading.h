#pragma once

#include "dzvec3.h"
#include "viewrasterizer.h"

// The view's lights. They turn with the camera, so whatever side the user looks at is lit the
// same way: a key light from the upper left, a weaker fill from the right, an ambient term,
// and a soft highlight of the key.
namespace ViewShading {

// The colour of a surface of that albedo whose unit normal, in the camera's frame (x right,
// y up, z toward the eye), is `normal`.
ViewColor shade(const DzVec3& normal, const ViewColor& albedo);

} // namespace ViewShading
