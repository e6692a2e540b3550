// The application settings file (settings.ini in the home folder) as any bytes: every key it
// yields reads as every type, and a write still succeeds and reads back, however damaged the
// file was.
#include <QDateTime>
#include <QFile>
#include <QSettings>
#include <cstdint>

#include "dzapp.h"
#include "dzappsettings.h"
#include "fuzz_support.h"

namespace {

void writeSettingsFile(const uint8_t* data, size_t size)
{
    static qint64 inputs = 0;
    QFile file(fuzz::hostApp()->settingsFilePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        fuzz::fail("setup", QStringLiteral("cannot write %1").arg(file.fileName()));
    // Qt re-reads a cached settings file only when its size or time changed: give every
    // input its own time.
    file.setFileTime(QDateTime::fromSecsSinceEpoch(1000000000 + ++inputs), QFileDevice::FileModificationTime);
}

void readEveryKey()
{
    // Kept open so the stores below share its parse of the file.
    const QSettings file(fuzz::hostApp()->settingsFilePath(), QSettings::IniFormat);
    for (const QString& key : file.allKeys()) {
        const int slash = key.lastIndexOf(QLatin1Char('/'));
        const DzAppSettings settings(slash < 0 ? QString() : key.left(slash));
        const QString name = key.mid(slash + 1);
        settings.getBoolValue(name);
        settings.getIntValue(name);
        settings.getFloatValue(name);
        settings.getStringValue(name);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::startQt(argc, argv);
    fuzz::hostApp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    writeSettingsFile(data, size);
    readEveryKey();
    DzAppSettings settings(QStringLiteral("Fuzz Check"));
    if (!settings.setStringValue(QStringLiteral("Written"), QStringLiteral("yes")))
        fuzz::fail("settings.ini", QStringLiteral("a write failed after reading the file"));
    if (DzAppSettings(QStringLiteral("Fuzz Check")).getStringValue(QStringLiteral("Written")) != QLatin1String("yes"))
        fuzz::fail("settings.ini", QStringLiteral("a written value did not read back"));
    return 0;
}
