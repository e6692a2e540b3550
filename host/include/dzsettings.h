#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

// Typed values by key, in insertion order, with nested settings objects as values.
// Text form is JSON: an object whose members keep the value types (nested settings become
// nested objects).
class DzSettings : public QObject {
    Q_OBJECT
public:
    enum ValueType { NoValue = 0, StringValue, IntValue, FloatValue, BoolValue, SettingsValue };
    Q_ENUM(ValueType)

    Q_INVOKABLE DzSettings();
    ~DzSettings() override;
    DzSettings(const DzSettings&) = delete;
    DzSettings& operator=(const DzSettings&) = delete;

    // Replaces this object's values with deep copies of the other's.
    void copyFrom(const DzSettings& other);
    // Sets every value of the other object on this one (deep copies), keeping the rest.
    void mergeFrom(const DzSettings& other);

public slots:
    void setStringValue(const QString& key, const QString& value);
    void setIntValue(const QString& key, int value);
    void setFloatValue(const QString& key, double value);
    void setBoolValue(const QString& key, bool value);
    // Stores a copy of `settings` (an empty nested object when null) and returns the
    // nested object now held under the key.
    DzSettings* setSettingsValue(const QString& key, const DzSettings* settings = nullptr);

    // Values of another type are converted where that makes sense; a missing key gives `def`.
    QString getStringValue(const QString& key, const QString& def = QString()) const;
    int getIntValue(const QString& key, int def = 0) const;
    double getFloatValue(const QString& key, double def = 0.0) const;
    bool getBoolValue(const QString& key, bool def = false) const;
    // The nested settings object under the key (owned by this object), or null.
    DzSettings* getSettingsValue(const QString& key) const;

    bool hasKey(const QString& key) const;
    ValueType getValueType(const QString& key) const;
    int getNumValues() const;
    QString getKey(int index) const;
    QStringList getKeys() const;
    bool removeValue(const QString& key);
    void clear();

    QString toJsonString() const;
    // Replaces the values with those of a JSON object text; false (and nothing changed)
    // when the text is not a JSON object.
    bool fromString(const QString& text);

private:
    struct Entry;
    Entry* find(const QString& key) const;
    Entry& entryFor(const QString& key);
    void store(const QString& key, ValueType type, const QVariant& value);
    QVariant value(const QString& key) const;

    std::vector<std::unique_ptr<Entry>> _entries;
};
