#pragma once

#include <QString>
#include <memory>

class QSettings;

// Typed values by key in the application's settings file (one INI file in the home folder),
// under one group per path ("Tavrenik's Kelvaro"). Values are written at once.
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

    QString _path;
    std::unique_ptr<QSettings> _settings;
};
