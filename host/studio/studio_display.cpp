#include "studio_display.h"

#include <QByteArray>
#include <QList>

namespace {

bool isSet(const char* variable) { return !qEnvironmentVariableIsEmpty(variable); }

// The display variable a platform plug-in connects through, null for one that needs none.
const char* displayVariableOf(const QByteArray& platform)
{
    if (platform.startsWith("xcb"))
        return "DISPLAY";
    if (platform.startsWith("wayland"))
        return "WAYLAND_DISPLAY";
    return nullptr;
}

} // namespace

bool studioHasDisplay(QString* missing)
{
    const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
    if (chosen.isEmpty()) {
        if (isSet("DISPLAY") || isSet("WAYLAND_DISPLAY"))
            return true;
        *missing = QStringLiteral("DISPLAY");
        return false;
    }
    // Qt tries each platform of a ';'-separated list in turn.
    for (const QByteArray& platform : chosen.split(';')) {
        const char* variable = displayVariableOf(platform.trimmed());
        if (!variable || isSet(variable))
            return true;
        *missing = QString::fromLatin1(variable);
    }
    return false;
}

void useOffscreenPlatform() { qputenv("QT_QPA_PLATFORM", "offscreen"); }
