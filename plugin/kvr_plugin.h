#pragma once

#include "dzplugin.h"

// The entry points through which the host finds the plug-in. They have C linkage so the host
// finds them by name; the version comes back as the host's own C++ value, which it expects.
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wreturn-type-c-linkage"
#endif
extern "C" {
DZ_PLUGIN_EXPORT DzVersion getSDKVersion();
DZ_PLUGIN_EXPORT DzPlugin* getPluginDefinition();
}
#if defined(__clang__)
#pragma clang diagnostic pop
#endif
