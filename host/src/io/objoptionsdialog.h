#pragma once

#include <QString>

class DzSettings;

// The modal options dialog of the OBJ tools ("OBJ Import Options" / "OBJ Export Options"):
// shows the scale and axis choices of `options` and writes back what the user accepted.
// False when the user cancelled.
bool dzExecObjOptionsDialog(const QString& title, DzSettings& options, const char* invertKeySuffix);
