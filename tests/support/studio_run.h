#pragma once

#include <QString>
#include <QStringList>
#include <string>

#include "qt_print.h"

// The outcome of one headless studio run.
struct StudioRun {
    int exitCode = -1;       // -1 when the studio crashed or did not finish
    bool finished = false;   // false when it was killed after the time limit
    QString stdOut;
    QString stdErr;
    QStringList logLines;    // the home's log.txt, timestamps stripped
    QString home;            // the run's home folder (kept until the process ends)

    bool logContains(const QString& text) const;
    // The log lines that begin with the prefix.
    QStringList logLinesStartingWith(const QString& prefix) const;
    // Exit code, standard output, standard error and log, for a failure message.
    std::string describe() const;
};

// A script of tests/e2e/scripts, as text.
QString readTestScript(const char* pcszName);
// The text as a single-quoted script string literal.
QString scriptString(const QString& text);

// Where the studio starts: headless on the offscreen platform, or as from a plain terminal
// (no display, no platform chosen, no desktop session, no programs to open files with).
enum class StudioTerminal { Headless, Bare };

// Runs the studio on a fresh home with the script (if any) and the extra arguments.
// Plug-ins come from the build's plug-in folder unless args give --plugin-dir, content from the
// tests' copy of the bundled content unless they give --content-dir.
StudioRun runStudio(const QStringList& args, const QString& scriptText = QString(),
                    int timeLimitSeconds = 120, StudioTerminal eTerminal = StudioTerminal::Headless);
// Runs the example script examples/<name> with its arguments, each given as --script-arg.
StudioRun runExample(const char* pcszName, const QStringList& scriptArgs, const QStringList& args = QStringList());

// The main job (the build's mainjob) on the small content with the extra arguments, its pictures
// written into pictureDir. It waits while another test fills the bundled library with a user's
// saves.
struct MainJobRun {
    int exitCode = -1;
    QString stdOut;
    QString stdErr;
};
MainJobRun runSmallMainJob(const QStringList& args, const QString& pictureDir);
