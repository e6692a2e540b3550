#include "dzappsettings.h"

#include <QFile>
#include <QSet>
#include <QSettings>

#include "dzapp.h"

namespace {

// A damaged settings file is still read for what can be read, and the next write replaces it
// with that part: say so once per file, and keep a copy of it as it was.
void reportDamagedFile(const QSettings& settings)
{
    static QSet<QString> reported;
    const QString path = settings.fileName();
    settings.allKeys(); // sections are parsed, and found damaged, only when read
    if (settings.status() != QSettings::FormatError || reported.contains(path))
        return;
    reported.insert(path);
    const QString copy = path + QStringLiteral(".damaged");
    QFile::remove(copy);
    const QString kept = QFile::copy(path, copy) ? QStringLiteral("a copy is kept as \"%1\"").arg(copy)
                                                 : QStringLiteral("no copy could be kept");
    if (dzApp)
        dzApp->log(QStringLiteral("Settings: \"%1\" is not a valid settings file; the values that "
                                  "could be read are used and %2")
                       .arg(path, kept));
}

// The session's settings file; without an application (tools, early start-up) the user's own.
std::unique_ptr<QSettings> openSettingsFile()
{
    auto settings = dzApp ? std::make_unique<QSettings>(dzApp->settingsFilePath(), QSettings::IniFormat)
                          : std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                                        QStringLiteral("DzStudio"), QStringLiteral("settings"));
    reportDamagedFile(*settings);
    return settings;
}

// A format error is about the damaged file as it was read; only an access error stops a write.
bool written(const QSettings& settings)
{
    return settings.status() != QSettings::AccessError;
}

// Values are written to the file at once, so another settings object (or run) sees them.
bool writeNow(QSettings& settings, const QString& key, const QVariant& value)
{
    settings.setValue(key, value);
    settings.sync();
    return written(settings);
}

} // namespace

DzAppSettings::DzAppSettings(const QString& path) : _path(path), _settings(openSettingsFile()) {}

DzAppSettings::~DzAppSettings() = default;

QString DzAppSettings::getPath() const { return _path; }

void DzAppSettings::setPath(const QString& path) { _path = path; }

QString DzAppSettings::fullKey(const QString& key) const
{
    return _path.isEmpty() ? key : _path + QLatin1Char('/') + key;
}

bool DzAppSettings::getBoolValue(const QString& key, bool def) const
{
    const QVariant value = _settings->value(fullKey(key));
    if (!value.isValid())
        return def;
    const QString text = value.toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("false") || text == QLatin1String("0"))
        return false;
    return def;
}

int DzAppSettings::getIntValue(const QString& key, int def) const
{
    const QVariant value = _settings->value(fullKey(key));
    bool ok = false;
    const int result = value.toInt(&ok);
    return ok ? result : def;
}

double DzAppSettings::getFloatValue(const QString& key, double def) const
{
    const QVariant value = _settings->value(fullKey(key));
    bool ok = false;
    const double result = value.toDouble(&ok);
    return ok ? result : def;
}

QString DzAppSettings::getStringValue(const QString& key, const QString& def) const
{
    const QVariant value = _settings->value(fullKey(key));
    return value.isValid() ? value.toString() : def;
}

bool DzAppSettings::hasKey(const QString& key) const { return _settings->contains(fullKey(key)); }

bool DzAppSettings::setBoolValue(const QString& key, bool value)
{
    return writeNow(*_settings, fullKey(key), value);
}

bool DzAppSettings::setIntValue(const QString& key, int value)
{
    return writeNow(*_settings, fullKey(key), value);
}

bool DzAppSettings::setFloatValue(const QString& key, double value)
{
    return writeNow(*_settings, fullKey(key), value);
}

bool DzAppSettings::setStringValue(const QString& key, const QString& value)
{
    return writeNow(*_settings, fullKey(key), value);
}

bool DzAppSettings::removeValue(const QString& key)
{
    if (!_settings->contains(fullKey(key)))
        return false;
    _settings->remove(fullKey(key));
    _settings->sync();
    return written(*_settings);
}
