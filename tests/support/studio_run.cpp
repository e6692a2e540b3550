#include "studio_run.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "test_app.h"

namespace {

// Homes stay until the test process ends, so a failing test's log can still be read.
QString newHome()
{
    static std::vector<std::unique_ptr<QTemporaryDir>> homes;
    homes.push_back(std::make_unique<QTemporaryDir>());
    return homes.back()->path();
}

QStringList readLog(const QString& path)
{
    QStringList lines;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return lines;
    QTextStream in(&file);
    in.setCodec("UTF-8");
    while (!in.atEnd())
        lines << logLineText(in.readLine());
    return lines;
}

// A sanitized build's studio reports memory errors, leaks and undefined behaviour on standard
// error, and its exit status may be one a test expects: the report itself fails the test.
void failOnSanitizerReport(const QString& stdErr)
{
    static const QRegularExpression report(QStringLiteral("ERROR: \\w+Sanitizer|SUMMARY: \\w+Sanitizer"));
    if (stdErr.contains(report))
        ADD_FAILURE() << "The studio reported:\n" << stdErr.toStdString();
}

QProcessEnvironment studioEnvironment(StudioTerminal eTerminal, const QString& home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (eTerminal == StudioTerminal::Headless) {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return env;
    }
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR",
                                 "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                                 "GNOME_DESKTOP_SESSION_ID"})
        env.remove(QString::fromLatin1(variable));
    env.insert(QStringLiteral("PATH"), QDir(home).filePath(QStringLiteral("no-programs")));
    return env;
}

} // namespace

bool StudioRun::logContains(const QString& text) const
{
    for (const QString& line : logLines)
        if (line.contains(text))
            return true;
    return false;
}

QStringList StudioRun::logLinesStartingWith(const QString& prefix) const
{
    QStringList found;
    for (const QString& line : logLines)
        if (line.startsWith(prefix))
            found << line;
    return found;
}

std::string StudioRun::describe() const
{
    return QStringLiteral("exit %1\n--- stdout\n%2\n--- stderr\n%3\n--- log\n%4")
        .arg(exitCode)
        .arg(stdOut, stdErr, logLines.join('\n'))
        .toStdString();
}

QString readTestScript(const char* pcszName)
{
    QFile file(QStringLiteral(KVR_SOURCE_DIR "/tests/e2e/scripts/") + QString::fromUtf8(pcszName));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString scriptString(const QString& text)
{
    return QLatin1Char('\'') + QString(text).replace('\\', "\\\\").replace('\'', "\\'") + QLatin1Char('\'');
}

StudioRun runStudio(const QStringList& args, const QString& scriptText, int timeLimitSeconds,
                    StudioTerminal eTerminal)
{
    StudioRun run;
    run.home = newHome();
    QStringList arguments{QStringLiteral("--home"), run.home};
    if (eTerminal == StudioTerminal::Headless)
        arguments << QStringLiteral("--headless");
    if (!args.contains(QStringLiteral("--plugin-dir")))
        arguments << QStringLiteral("--plugin-dir") << QStringLiteral(KVR_PLUGIN_DIR);
    // The tests' own copy of the content, not the build's, where a user's saves land.
    if (!args.contains(QStringLiteral("--content-dir")))
        arguments << QStringLiteral("--content-dir") << QStringLiteral(KVR_CONTENT_DIR);
    if (!scriptText.isNull()) {
        const QString scriptPath = QDir(run.home).filePath(QStringLiteral("run.js"));
        QFile script(scriptPath);
        if (script.open(QIODevice::WriteOnly | QIODevice::Text))
            script.write(scriptText.toUtf8());
        arguments << QStringLiteral("--script") << scriptPath;
    }
    arguments << args;

    QProcess process;
    process.setProcessEnvironment(studioEnvironment(eTerminal, run.home));
    process.start(QStringLiteral(KVR_STUDIO), arguments);
    run.finished = process.waitForFinished(timeLimitSeconds * 1000);
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
    }
    run.stdOut = QString::fromUtf8(process.readAllStandardOutput());
    run.stdErr = QString::fromUtf8(process.readAllStandardError());
    failOnSanitizerReport(run.stdErr);
    if (run.finished && process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    run.logLines = readLog(QDir(run.home).filePath(QStringLiteral("log.txt")));
    return run;
}

StudioRun runExample(const char* pcszName, const QStringList& scriptArgs, const QStringList& args)
{
    QFile script(QStringLiteral(KVR_SOURCE_DIR "/examples/") + QString::fromUtf8(pcszName));
    EXPECT_TRUE(script.open(QIODevice::ReadOnly)) << pcszName;
    QStringList arguments = args;
    for (const QString& arg : scriptArgs)
        arguments << QStringLiteral("--script-arg") << arg;
    return runStudio(arguments, QString::fromUtf8(script.readAll()), 300);
}

MainJobRun runSmallMainJob(const QStringList& args, const QString& pictureDir)
{
    QLockFile bundledInUse(QStringLiteral(KVR_BUILD_DIR "/content.lock"));
    bundledInUse.setStaleLockTime(0);
    MainJobRun run;
    if (!bundledInUse.tryLock(240000)) {
        run.stdErr = QStringLiteral("the bundled library stayed locked");
        return run;
    }
    QProcess job;
    job.start(QStringLiteral(KVR_BUILD_DIR "/bin/mainjob"),
              QStringList{QStringLiteral("--small")} + args + QStringList{QStringLiteral("--pictures"), pictureDir});
    if (job.waitForFinished(120000) && job.exitStatus() == QProcess::NormalExit)
        run.exitCode = job.exitCode();
    run.stdOut = QString::fromUtf8(job.readAllStandardOutput());
    run.stdErr = QString::fromUtf8(job.readAllStandardError());
    return run;
}
