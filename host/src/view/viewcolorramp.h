#pragma once

#include "viewrasterizer.h"

// A perceptually uniform colour ramp (viridis: dark blue through green to yellow) for
// scalar values; t is clamped to 0..1.
ViewColor viewRampColor(float t);
