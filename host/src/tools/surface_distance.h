#pragma once

// The surface distance moved to the host's surface library (host/surface), which the host, the
// main job and the tests share; this name stays until the last includer uses the new one.
#include "../../surface/surface_distance.h"
