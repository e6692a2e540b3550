#pragma once

#include <QTemporaryDir>

#include "qt_print.h"
#include <memory>

#include "dzapp.h"

// A host application on a fresh temporary home folder, for tests. Options not given take the
// test defaults: headless, the build's content and plug-in folders not loaded unless asked.
class TestApp {
public:
    TestApp();
    explicit TestApp(DzAppOptions options);
    ~TestApp();
    TestApp(const TestApp&) = delete;
    TestApp& operator=(const TestApp&) = delete;

    // Options with a home folder to be filled in, the bundled content library and no plug-ins.
    static DzAppOptions defaultOptions();

    DzApp* app() const { return _app.get(); }
    DzApp* operator->() const { return _app.get(); }
    QString home() const { return _home.path(); }

    // Log lines (without their timestamps) that contain the text.
    QStringList logLinesContaining(const QString& text) const;

private:
    QTemporaryDir _home;
    std::unique_ptr<DzApp> _app;
};

// The text of a log line without its leading timestamp.
QString logLineText(const QString& line);
