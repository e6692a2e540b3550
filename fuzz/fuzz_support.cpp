#include "fuzz_support.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "dzapp.h"

namespace fuzz {

void startQt(int* argc, char*** argv)
{
    if (QCoreApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt keeps the argument count by reference for the application's life.
    static int qtArgc = 1;
    static char* qtArgv[] = {(*argv)[0], nullptr};
    (void)argc;
    new QApplication(qtArgc, qtArgv);
}

QString contentDir()
{
    return QStringLiteral(KVR_FUZZ_CONTENT_DIR);
}

DzApp* hostApp()
{
    static QTemporaryDir home;
    static std::unique_ptr<DzApp> app;
    if (!app) {
        if (!QDir(contentDir()).exists())
            fail("setup", QStringLiteral("no content library at %1; build the content target first").arg(contentDir()));
        DzAppOptions options;
        options.homeDir = home.path();
        options.contentDirs = QStringList{contentDir()};
        options.headless = true;
        app = std::make_unique<DzApp>(options);
    }
    return app.get();
}

void fail(const char* what, const QString& detail)
{
    std::fprintf(stderr, "\n== fuzz harness: %s: %s\n", what, detail.toLocal8Bit().constData());
    std::abort();
}

QString textOf(const std::string& bytes, bool utf16)
{
    if (!utf16)
        return QString::fromUtf8(bytes.data(), int(bytes.size()));
    QString text(int(bytes.size() / 2), Qt::Uninitialized);
    for (int i = 0; i < text.size(); ++i)
        text[i] = QChar(ushort(uchar(bytes[2 * i]) | uchar(bytes[2 * i + 1]) << 8));
    return text;
}

} // namespace fuzz
