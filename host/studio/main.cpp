#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <vector>

#include "dialog_watcher.h"
#include "dzapp.h"
#include "dzscene.h"
#include "studio_options.h"
#include "studio_session.h"

namespace {

// Without a display a headless run still needs a platform for its widgets.
void chooseHeadlessPlatform()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
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

} // namespace

int main(int argc, char** argv)
{
    if (studioWantsHeadless(argc, argv))
        chooseHeadlessPlatform();
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    std::vector<char*> qtArgv = argumentsForQt(argc, argv);
    int qtArgc = static_cast<int>(qtArgv.size()) - 1;
    QApplication application(qtArgc, qtArgv.data());
    QApplication::setApplicationName(QStringLiteral("studio"));
    QApplication::setOrganizationName(QStringLiteral("Kelvaro"));

    StudioOptions options;
    QString errorText;
    if (!parseStudioOptions(arguments, QApplication::applicationDirPath(), &options,
                            &errorText)) {
        std::fprintf(stderr, "%s\n", errorText.toUtf8().constData());
        return 2;
    }

    DialogWatcher watcher(options.answers, options.dialogTimeoutSeconds);
    application.installEventFilter(&watcher);

    DzApp app(options.app);
    app.startup();
    StudioSession session(options);
    if (!session.openScene())
        return 1;

    if (options.scriptFile.isEmpty()) {
        if (options.app.headless)
            return 0;
        return QApplication::exec();
    }
    // The script runs inside the event loop, so its dialogs and timers behave as in a session.
    QTimer::singleShot(0, &session, [&session]() { QApplication::exit(session.runScript()); });
    return QApplication::exec();
}
