#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <vector>

#include "dialog_watcher.h"
#include "dzapp.h"
#include "dzmainwindow.h"
#include "dzpluginmgr.h"
#include "studio_display.h"
#include "studio_options.h"
#include "studio_screenshot.h"
#include "studio_session.h"

namespace {

void setStudioIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("studio"));
    QCoreApplication::setOrganizationName(QStringLiteral("Kelvaro"));
    // The stand-in host is the SDK it implements.
    QCoreApplication::setApplicationVersion(DzPluginMgr::supportedSDKVersion().toString());
}

void printLine(FILE* stream, const QString& text)
{
    std::fprintf(stream, "%s\n", text.trimmed().toUtf8().constData());
}

// Parses the command line before the GUI exists, so --help, --version and usage errors need
// no display. Returns the exit status when the studio stops here, -1 to go on.
int readCommandLine(int argc, char** argv, StudioOptions* options)
{
    int probeArgc = argc;
    QCoreApplication probe(probeArgc, argv);
    setStudioIdentity();
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QString text;
    switch (parseStudioOptions(arguments, QCoreApplication::applicationDirPath(), options, &text)) {
    case StudioRequest::Help:
    case StudioRequest::Version:
        printLine(stdout, text);
        return 0;
    case StudioRequest::UsageError:
        printLine(stderr, text);
        return 2;
    case StudioRequest::Run:
        break;
    }
    return -1;
}

// QApplication would take --style for its widget style; the studio's --style names the host's
// style definition, so it is kept from Qt.
std::vector<char*> argumentsForQt(int argc, char** argv)
{
    std::vector<char*> kept;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--style") == 0 || std::strcmp(argv[i], "-style") == 0) {
            ++i;
            continue;
        }
        if (std::strncmp(argv[i], "--style=", 8) == 0 || std::strncmp(argv[i], "-style=", 7) == 0)
            continue;
        kept.push_back(argv[i]);
    }
    kept.push_back(nullptr);
    return kept;
}

// Chooses the platform before the GUI starts: a window needs a display, a headless run or a
// screenshot does not (offscreen). False, with the reason on stderr, when there is none.
bool choosePlatform(const StudioOptions& options)
{
    QString missing;
    if (studioHasDisplay(&missing))
        return true;
    if (options.unattended()) {
        useOffscreenPlatform();
        return true;
    }
    std::fprintf(stderr,
                 "studio: no display to open a window on (%s is not set); use --headless, "
                 "--screenshot FILE, or run it under a virtual X server (xvfb-run)\n",
                 missing.toUtf8().constData());
    return false;
}

// Draws the main window into the --screenshot file; the exit status of the run.
int takeScreenshot(const QString& filePath, int scriptStatus)
{
    QString error;
    if (!saveWindowScreenshot(dzApp->getInterface(), filePath, &error)) {
        printLine(stderr, QStringLiteral("studio: could not write the screenshot %1: %2").arg(filePath, error));
        return 1;
    }
    return scriptStatus;
}

} // namespace

int main(int argc, char** argv)
{
    StudioOptions options;
    if (const int status = readCommandLine(argc, argv, &options); status >= 0)
        return status;
    if (!choosePlatform(options))
        return 2;
    std::vector<char*> qtArgv = argumentsForQt(argc, argv);
    int qtArgc = static_cast<int>(qtArgv.size()) - 1;
    QApplication application(qtArgc, qtArgv.data());
    setStudioIdentity();

    DialogWatcher watcher(options.answers, options.dialogTimeoutSeconds);
    application.installEventFilter(&watcher);

    DzApp app(options.app);
    app.startup();
    StudioSession session(options);
    if (!session.openScene())
        return 1;

    const QString screenshot = options.screenshotFile;
    if (options.scriptFile.isEmpty()) {
        if (!screenshot.isEmpty())
            return takeScreenshot(screenshot, 0);
        if (options.app.headless)
            return 0;
        return QApplication::exec();
    }
    // The script runs inside the event loop, so its dialogs and timers behave as in a session.
    QTimer::singleShot(0, &session, [&session, screenshot]() {
        const int status = session.runScript();
        QApplication::exit(screenshot.isEmpty() ? status : takeScreenshot(screenshot, status));
    });
    return QApplication::exec();
}
