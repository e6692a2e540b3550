#pragma once

#include <QString>
#include <QVariant>
#include <memory>

class QSettings;

// Typed values by key in the application's settings file (one INI file in the home folder),
// under one group per path ("Tavrenik's Kelvaro"). Values are written at once. When the file
// cannot be read or written (a folder, no permission, no space) the log says so once per
// session, the setters return false, and the values set are kept until the session ends.
class DzAppSettings {
public:
    explicit DzAppSettings(const QString& path = QString());
    ~DzAppSettings();
    DzAppSettings(const DzAppSettings&) = delete;
    DzAppSettings& operator=(const DzAppSettings&) = delete;

    QString getPath() const;
    void setPath(const QString& path);

    bool getBoolValue(const QString& key, bool def = false) const;
    int getIntValue(const QString& key, int def = 0) const;
    double getFloatValue(const QString& key, double def = 0.0) const;
    QString getStringValue(const QString& key, const QString& def = QString()) const;
    bool hasKey(const QString& key) const;

    bool setBoolValue(const QString& key, bool value);
    bool setIntValue(const QString& key, int value);
    bool setFloatValue(const QString& key, double value);
    bool setStringValue(const QString& key, const QString& value);
    bool removeValue(const QString& key);

private:
    QString fullKey(const QString& key) const;
    // The value under the key: kept for the session, else from the file; invalid if none.
    QVariant value(const QString& key) const;
    // Writes the value (invalid: removes the key); false when it is kept for the session only.
    bool store(const QString& key, const QVariant& value);

    QString _path;
    std::unique_ptr<QSettings> _settings;
};
