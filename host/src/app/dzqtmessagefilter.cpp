#include "app/dzqtmessagefilter.h"

#include <QString>
#include <QtGlobal>

// Qt reports a few things that are normal on a machine without a desktop session and say
// nothing a user could act on: the runtime folder it makes up when XDG_RUNTIME_DIR is unset,
// and the offscreen platform's window size hints. Those are dropped before any program of the
// host starts its QApplication; every other message goes to the handler that was there.
namespace {

QtMessageHandler previousHandler = nullptr;
int cReportedByHost = 0;  // guards alive

bool isDesktopSessionNoise(QtMsgType type, const QString& message)
{
    if (type != QtWarningMsg)
        return false;
    return message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))
           || message == QLatin1String("This plugin does not support propagateSizeHints()");
}

void filterMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (isDesktopSessionNoise(type, message) || (type == QtWarningMsg && cReportedByHost > 0))
        return;
    // Qt hands back its default handler when none was installed before.
    previousHandler(type, context, message);
}

// At library load, before a program's QApplication (which reports the runtime folder).
const bool installed = [] {
    previousHandler = qInstallMessageHandler(filterMessage);
    return true;
}();

} // namespace

DzQtWarningsReportedByHost::DzQtWarningsReportedByHost() { ++cReportedByHost; }
DzQtWarningsReportedByHost::~DzQtWarningsReportedByHost() { --cReportedByHost; }
