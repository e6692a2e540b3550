#pragma once

#include <QStringList>

#include "dzapp.h"

// One answer to give when a dialog opens: the button to press in dialogs whose title matches.
struct StudioAnswer {
    QString titlePattern;  // * matches any run of characters
    QString buttonText;    // & (mnemonic) ignored
};

// Everything the studio's command line sets.
struct StudioOptions {
    DzAppOptions app;
    QString sceneFile;
    QStringList selectLabels;  // nodes selected once the scene is open
    QString scriptFile;
    QString screenshotFile;     // the window drawn into this PNG, then the studio ends
    QList<StudioAnswer> answers;
    int dialogTimeoutSeconds = 0;  // 0: wait for ever

    // No one is at the screen: the run ends by itself (headless, or drawing a screenshot).
    bool unattended() const { return app.headless || !screenshotFile.isEmpty(); }
};

// What a command line asks the studio to do.
enum class StudioRequest {
    Run,         // options filled in
    Help,        // print the text (the usage) and stop
    Version,     // print the text (name and version) and stop
    UsageError,  // the text says what is wrong
};

// Parses the command line. Needs an application object for the program's name and version,
// but no display.
StudioRequest parseStudioOptions(const QStringList& arguments, const QString& exeDir,
                                 StudioOptions* options, QString* text);
