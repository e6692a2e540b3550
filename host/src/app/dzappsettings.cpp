#include "dzappsettings.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
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

// What this session knows of a settings file it cannot use as it should.
struct SessionFile {
    bool reported = false;
    QHash<QString, QVariant> unsaved;  // by key; an invalid value for a removal
};

SessionFile& sessionFile(const QString& path)
{
    static QHash<QString, SessionFile> files;
    return files[path];
}

// Why the settings file cannot be read (`writing` false) or written, in the system's words.
QString unusableReason(const QString& path, bool writing)
{
    if (QFileInfo(path).isDir())
        return QStringLiteral("it is a folder");
    if (!writing) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QStringLiteral("it could not be read") : file.errorString();
    }
    // Tried the way the settings are written: a new file beside it, renamed into place.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    file.cancelWriting();
    return QStringLiteral("it could not be written");
}

// Once per session and file: that choices cannot be kept in it, and why.
void reportUnusableFile(const QString& path, bool writing)
{
    SessionFile& file = sessionFile(path);
    if (file.reported)
        return;
    file.reported = true;
    if (dzApp)
        dzApp->log(QStringLiteral("Settings: \"%1\" cannot be %2: %3; choices are kept until the session ends "
                                  "but not saved")
                       .arg(path, writing ? QStringLiteral("written") : QStringLiteral("read"),
                            unusableReason(path, writing)));
}

// The session's settings file; without an application (tools, early start-up) the user's own.
std::unique_ptr<QSettings> openSettingsFile()
{
    auto settings = dzApp ? std::make_unique<QSettings>(dzApp->settingsFilePath(), QSettings::IniFormat)
                          : std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                                        QStringLiteral("DzStudio"), QStringLiteral("settings"));
    reportDamagedFile(*settings);
    // A format error is about the damaged file as it was read; an access error stops its use.
    if (settings->status() == QSettings::AccessError)
        reportUnusableFile(settings->fileName(), false);
    return settings;
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

QVariant DzAppSettings::value(const QString& key) const
{
    const QString full = fullKey(key);
    const SessionFile& file = sessionFile(_settings->fileName());
    const auto unsaved = file.unsaved.constFind(full);
    return unsaved != file.unsaved.constEnd() ? *unsaved : _settings->value(full);
}

bool DzAppSettings::store(const QString& key, const QVariant& value)
{
    const QString full = fullKey(key);
    // Written to the file at once, so another settings object (or run) sees it. The settings
    // object writes nothing over a file it could not read.
    if (value.isValid())
        _settings->setValue(full, value);
    else
        _settings->remove(full);
    _settings->sync();
    SessionFile& file = sessionFile(_settings->fileName());
    if (_settings->status() != QSettings::AccessError) {
        file.unsaved.remove(full);
        return true;
    }
    reportUnusableFile(_settings->fileName(), true);
    file.unsaved.insert(full, value);
    return false;
}

bool DzAppSettings::getBoolValue(const QString& key, bool def) const
{
    const QVariant stored = value(key);
    if (!stored.isValid())
        return def;
    const QString text = stored.toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("false") || text == QLatin1String("0"))
        return false;
    return def;
}

int DzAppSettings::getIntValue(const QString& key, int def) const
{
    bool ok = false;
    const int result = value(key).toInt(&ok);
    return ok ? result : def;
}

double DzAppSettings::getFloatValue(const QString& key, double def) const
{
    bool ok = false;
    const double result = value(key).toDouble(&ok);
    return ok ? result : def;
}

QString DzAppSettings::getStringValue(const QString& key, const QString& def) const
{
    const QVariant stored = value(key);
    return stored.isValid() ? stored.toString() : def;
}

bool DzAppSettings::hasKey(const QString& key) const { return value(key).isValid(); }

bool DzAppSettings::setBoolValue(const QString& key, bool value) { return store(key, value); }

bool DzAppSettings::setIntValue(const QString& key, int value) { return store(key, value); }

bool DzAppSettings::setFloatValue(const QString& key, double value) { return store(key, value); }

bool DzAppSettings::setStringValue(const QString& key, const QString& value) { return store(key, value); }

bool DzAppSettings::removeValue(const QString& key)
{
    return hasKey(key) && store(key, QVariant());
}
