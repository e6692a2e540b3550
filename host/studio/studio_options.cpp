#include "studio_options.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

namespace {

const int kUnattendedDialogTimeout = 30;

QString besideExe(const QString& exeDir, const char* name)
{
    return QDir::cleanPath(QDir(exeDir).filePath(QStringLiteral("../") + QLatin1String(name)));
}

bool parseAnswer(const QString& text, StudioAnswer* answer)
{
    // The title may itself hold '=', the button text rarely does: split at the last one.
    const int split = text.lastIndexOf(QLatin1Char('='));
    if (split <= 0 || split == text.size() - 1)
        return false;
    answer->titlePattern = text.left(split);
    answer->buttonText = text.mid(split + 1);
    return true;
}

} // namespace

StudioRequest parseStudioOptions(const QStringList& arguments, const QString& exeDir,
                                 StudioOptions* options, QString* text)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("The studio: scene, tools and plug-ins. Without --headless or --screenshot "
                       "it opens a window, which needs a display."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption headless(QStringLiteral("headless"),
                                      QStringLiteral("Run without showing a window."));
    const QCommandLineOption home(QStringLiteral("home"),
                                  QStringLiteral("Folder of settings.ini and log.txt."),
                                  QStringLiteral("DIR"));
    const QCommandLineOption pluginDir(QStringLiteral("plugin-dir"),
                                       QStringLiteral("Folder of the plug-ins to load."),
                                       QStringLiteral("DIR"));
    const QCommandLineOption docPath(QStringLiteral("doc-path"),
                                     QStringLiteral("Documentation folder."), QStringLiteral("DIR"));
    const QCommandLineOption contentDir(QStringLiteral("content-dir"),
                                        QStringLiteral("A content library (repeatable)."),
                                        QStringLiteral("DIR"));
    const QCommandLineOption style(QStringLiteral("style"),
                                   QStringLiteral("Style definition name."), QStringLiteral("NAME"));
    const QCommandLineOption author(QStringLiteral("author"),
                                    QStringLiteral("Current content author."),
                                    QStringLiteral("NAME"));
    const QCommandLineOption noHdMorphs(QStringLiteral("no-hd-morphs"),
                                        QStringLiteral("Run without HD morph support."));
    const QCommandLineOption noUserLibrary(
        QStringLiteral("no-user-library"),
        QStringLiteral("Leave out the home folder's \"My Library\" (otherwise the first content "
                       "library, made when missing)."));
    const QCommandLineOption logDetails(
        QStringLiteral("log-details"),
        QStringLiteral("Show traces and every label of each dialog in the Log pane (the log "
                       "file always has them)."));
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Draw the main window, once the scene is open and the script has run, "
                       "into this PNG file and exit. Needs no display."),
        QStringLiteral("FILE"));
    const QCommandLineOption scene(QStringLiteral("scene"),
                                   QStringLiteral("Scene file to open at start."),
                                   QStringLiteral("FILE"));
    const QCommandLineOption select(QStringLiteral("select"),
                                    QStringLiteral("Select the node of this label once the scene is open "
                                                   "(repeatable; the first is the primary selection)."),
                                    QStringLiteral("LABEL"));
    const QCommandLineOption script(QStringLiteral("script"),
                                    QStringLiteral("Script to run; the studio then exits."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption scriptArg(QStringLiteral("script-arg"),
                                       QStringLiteral("A value for the script, in App.scriptArgs (repeatable)."),
                                       QStringLiteral("VALUE"));
    const QCommandLineOption answer(
        QStringLiteral("answer"),
        QStringLiteral("Press BUTTON in dialogs titled TITLE (* wildcards; repeatable)."),
        QStringLiteral("TITLE=BUTTON"));
    const QCommandLineOption timeout(
        QStringLiteral("dialog-timeout"),
        QStringLiteral("Fail when a modal dialog stays unanswered this long (default 30 "
                       "with --headless or --screenshot, else none)."),
        QStringLiteral("SECONDS"));
    parser.addOptions({headless, home, pluginDir, docPath, contentDir, noUserLibrary, style,
                       author, noHdMorphs, logDetails, scene, select, script, scriptArg, answer,
                       timeout, screenshot});
    if (!parser.parse(arguments)) {
        *text = parser.errorText();
        return StudioRequest::UsageError;
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        *text = parser.helpText();
        return StudioRequest::Help;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        *text = QCoreApplication::applicationName() + QLatin1Char(' ')
                + QCoreApplication::applicationVersion();
        return StudioRequest::Version;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *text = QStringLiteral("Unexpected argument: %1")
                    .arg(parser.positionalArguments().constFirst());
        return StudioRequest::UsageError;
    }

    DzAppOptions& app = options->app;
    app.headless = parser.isSet(headless);
    app.homeDir = parser.value(home);
    app.pluginDir = parser.isSet(pluginDir) ? parser.value(pluginDir)
                                            : besideExe(exeDir, KVR_DEFAULT_PLUGIN_DIR_NAME);
    app.docPath = parser.isSet(docPath) ? parser.value(docPath)
                                        : besideExe(exeDir, KVR_DEFAULT_DOC_DIR_NAME);
    app.contentDirs = parser.isSet(contentDir)
                          ? parser.values(contentDir)
                          : QStringList{besideExe(exeDir, KVR_DEFAULT_CONTENT_DIR_NAME)};
    if (parser.isSet(style))
        app.styleName = parser.value(style);
    app.authorName = parser.value(author);
    app.hdMorphs = !parser.isSet(noHdMorphs);
    app.userLibrary = !parser.isSet(noUserLibrary);
    app.logDetails = parser.isSet(logDetails);
    app.scriptArgs = parser.values(scriptArg);

    options->sceneFile = parser.value(scene);
    options->selectLabels = parser.values(select);
    options->scriptFile = parser.value(script);
    options->screenshotFile = parser.value(screenshot);
    for (const QString& answerText : parser.values(answer)) {
        StudioAnswer parsed;
        if (!parseAnswer(answerText, &parsed)) {
            *text = QStringLiteral("--answer wants TITLE=BUTTON, not %1").arg(answerText);
            return StudioRequest::UsageError;
        }
        options->answers << parsed;
    }
    options->dialogTimeoutSeconds = options->unattended() ? kUnattendedDialogTimeout : 0;
    if (parser.isSet(timeout)) {
        bool ok = false;
        options->dialogTimeoutSeconds = parser.value(timeout).toInt(&ok);
        if (!ok || options->dialogTimeoutSeconds < 0) {
            *text = QStringLiteral("--dialog-timeout wants a number of seconds");
            return StudioRequest::UsageError;
        }
    }
    return StudioRequest::Run;
}
