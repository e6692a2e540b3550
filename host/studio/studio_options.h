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
    QString scriptFile;
    QList<StudioAnswer> answers;
    int dialogTimeoutSeconds = 0;  // 0: wait for ever
};

// True when the command line asks for a headless run; read before the application exists,
// since it decides the platform.
bool studioWantsHeadless(int argc, char** argv);

// Parses the command line of the running application. On a usage error returns false with
// the message in errorText.
bool parseStudioOptions(const QStringList& arguments, const QString& exeDir,
                        StudioOptions* options, QString* errorText);
