#pragma once

#include <QObject>

#include "studio_options.h"

// What the studio does at start after the application is up: open the scene, run the script.
class StudioSession : public QObject {
    Q_OBJECT
public:
    explicit StudioSession(const StudioOptions& options, QObject* parent = nullptr);

    // Opens --scene through the content manager and selects the --select nodes; false (reported
    // on stderr) when either fails.
    bool openScene();
    // Runs --script; the exit status: 0 when it finished, 1 when it threw (error and line on
    // stderr).
    int runScript();

private:
    bool selectNodes();

    StudioOptions _options;
};
