#pragma once

#include <QtGlobal>

#include "dzplugin.h"

// The entry points through which the host finds the plug-in.
extern "C" {
Q_DECL_EXPORT DzVersion getSDKVersion();
Q_DECL_EXPORT DzPlugin* getPluginDefinition();
}
