#include "test_app.h"

TestApp::TestApp() : TestApp(defaultOptions()) {}

TestApp::TestApp(DzAppOptions options)
{
    if (options.homeDir.isEmpty())
        options.homeDir = _home.path();
    _app = std::make_unique<DzApp>(options);
}

TestApp::~TestApp() = default;

DzAppOptions TestApp::defaultOptions()
{
    DzAppOptions options;
    options.contentDirs = QStringList{QStringLiteral(KVR_CONTENT_DIR)};
    options.docPath = QStringLiteral(KVR_BUILD_DIR "/docs");
    options.headless = true;
    return options;
}

QStringList TestApp::logLinesContaining(const QString& text) const
{
    QStringList found;
    for (const QString& line : _app->logLines())
        if (line.contains(text))
            found << logLineText(line);
    return found;
}

QString logLineText(const QString& line)
{
    const int blank = line.indexOf(QLatin1Char(' '));
    return blank < 0 ? line : line.mid(blank + 1);
}
