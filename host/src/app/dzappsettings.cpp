#include "dzappsettings.h"

#include <QSettings>

#include "dzapp.h"

namespace {

// The session's settings file; without an application (tools, early start-up) the user's own.
std::unique_ptr<QSettings> openSettingsFile()
{
    if (dzApp)
        return std::make_unique<QSettings>(dzApp->settingsFilePath(), QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("DzStudio"), QStringLiteral("settings"));
}

// Values are written to the file at once, so another settings object (or run) sees them.
bool writeNow(QSettings& settings, const QString& key, const QVariant& value)
{
    settings.setValue(key, value);
    settings.sync();
    return settings.status() == QSettings::NoError;
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
    return _settings->status() == QSettings::NoError;
}
