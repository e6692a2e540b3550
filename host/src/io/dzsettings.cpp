#include "dzsettings.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <limits>

struct DzSettings::Entry {
    QString key;
    ValueType type = NoValue;
    QVariant value;
    std::unique_ptr<DzSettings> nested;
};

namespace {

QJsonObject toJsonObject(const DzSettings& settings);

QJsonValue toJsonValue(const DzSettings& settings, const QString& key)
{
    switch (settings.getValueType(key)) {
    case DzSettings::StringValue: return settings.getStringValue(key);
    case DzSettings::IntValue: return settings.getIntValue(key);
    case DzSettings::FloatValue: return settings.getFloatValue(key);
    case DzSettings::BoolValue: return settings.getBoolValue(key);
    case DzSettings::SettingsValue: return toJsonObject(*settings.getSettingsValue(key));
    case DzSettings::NoValue: break;
    }
    return QJsonValue();
}

QJsonObject toJsonObject(const DzSettings& settings)
{
    QJsonObject object;
    for (const QString& key : settings.getKeys())
        object.insert(key, toJsonValue(settings, key));
    return object;
}

// JSON numbers do not say whether they were integers; integral values within int range
// come back as integers, and the typed getters convert either way.
bool fromJsonObject(DzSettings& settings, const QJsonObject& object)
{
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QJsonValue v = it.value();
        if (v.isBool()) {
            settings.setBoolValue(it.key(), v.toBool());
        } else if (v.isString()) {
            settings.setStringValue(it.key(), v.toString());
        } else if (v.isDouble()) {
            const double d = v.toDouble();
            if (std::floor(d) == d && std::fabs(d) <= 2147483647.0)
                settings.setIntValue(it.key(), int(d));
            else
                settings.setFloatValue(it.key(), d);
        } else if (v.isObject()) {
            if (!fromJsonObject(*settings.setSettingsValue(it.key()), v.toObject()))
                return false;
        } else {
            return false;  // arrays and nulls have no settings type
        }
    }
    return true;
}

} // namespace

DzSettings::DzSettings() = default;

DzSettings::~DzSettings() = default;

void DzSettings::copyFrom(const DzSettings& other)
{
    if (&other == this)
        return;
    clear();
    for (const auto& source : other._entries) {
        Entry& e = entryFor(source->key);
        e.type = source->type;
        e.value = source->value;
        if (source->nested) {
            e.nested = std::make_unique<DzSettings>();
            e.nested->copyFrom(*source->nested);
        }
    }
}

void DzSettings::mergeFrom(const DzSettings& other)
{
    if (&other == this)
        return;
    for (const auto& source : other._entries) {
        if (source->nested) {
            setSettingsValue(source->key, source->nested.get());
            continue;
        }
        Entry& e = entryFor(source->key);
        e.type = source->type;
        e.value = source->value;
    }
}

DzSettings::Entry* DzSettings::find(const QString& key) const
{
    for (const auto& e : _entries)
        if (e->key == key)
            return e.get();
    return nullptr;
}

DzSettings::Entry& DzSettings::entryFor(const QString& key)
{
    if (Entry* e = find(key)) {
        e->nested.reset();
        return *e;
    }
    _entries.push_back(std::make_unique<Entry>());
    _entries.back()->key = key;
    return *_entries.back();
}

QVariant DzSettings::value(const QString& key) const
{
    const Entry* e = find(key);
    return e ? e->value : QVariant();
}

void DzSettings::store(const QString& key, ValueType type, const QVariant& value)
{
    Entry& e = entryFor(key);
    e.type = type;
    e.value = value;
}

void DzSettings::setStringValue(const QString& key, const QString& value)
{
    store(key, StringValue, value);
}

void DzSettings::setIntValue(const QString& key, int value) { store(key, IntValue, value); }

void DzSettings::setFloatValue(const QString& key, double value)
{
    store(key, FloatValue, value);
}

void DzSettings::setBoolValue(const QString& key, bool value) { store(key, BoolValue, value); }

DzSettings* DzSettings::setSettingsValue(const QString& key, const DzSettings* settings)
{
    auto nested = std::make_unique<DzSettings>();
    if (settings)
        nested->copyFrom(*settings);
    Entry& e = entryFor(key);
    e.type = SettingsValue;
    e.value = QVariant();
    e.nested = std::move(nested);
    return e.nested.get();
}

QString DzSettings::getStringValue(const QString& key, const QString& def) const
{
    const Entry* e = find(key);
    if (!e || e->type == SettingsValue)
        return def;
    return e->value.toString();
}

int DzSettings::getIntValue(const QString& key, int def) const
{
    const Entry* e = find(key);
    if (!e)
        return def;
    bool ok = false;
    if (e->type != FloatValue) {
        const int i = e->value.toInt(&ok);
        return ok ? i : def;
    }
    // A float that rounds outside the int range (or is no number) has no int value.
    const double rounded = std::round(e->value.toDouble(&ok));
    if (!ok || !(rounded >= double(std::numeric_limits<int>::min()) &&
                 rounded <= double(std::numeric_limits<int>::max())))
        return def;
    return int(rounded);
}

double DzSettings::getFloatValue(const QString& key, double def) const
{
    bool ok = false;
    const double d = value(key).toDouble(&ok);
    return ok ? d : def;
}

bool DzSettings::getBoolValue(const QString& key, bool def) const
{
    const Entry* e = find(key);
    if (!e || e->type == SettingsValue)
        return def;
    if (e->type == StringValue) {
        const QString s = e->value.toString().trimmed().toLower();
        if (s == QLatin1String("true") || s == QLatin1String("1"))
            return true;
        if (s == QLatin1String("false") || s == QLatin1String("0"))
            return false;
        return def;
    }
    return e->value.toBool();
}

DzSettings* DzSettings::getSettingsValue(const QString& key) const
{
    const Entry* e = find(key);
    return e ? e->nested.get() : nullptr;
}

bool DzSettings::hasKey(const QString& key) const { return find(key) != nullptr; }

DzSettings::ValueType DzSettings::getValueType(const QString& key) const
{
    const Entry* e = find(key);
    return e ? e->type : NoValue;
}

int DzSettings::getNumValues() const { return int(_entries.size()); }

QString DzSettings::getKey(int index) const
{
    if (index < 0 || index >= int(_entries.size()))
        return QString();
    return _entries[size_t(index)]->key;
}

QStringList DzSettings::getKeys() const
{
    QStringList keys;
    for (const auto& e : _entries)
        keys << e->key;
    return keys;
}

bool DzSettings::removeValue(const QString& key)
{
    for (auto it = _entries.begin(); it != _entries.end(); ++it) {
        if ((*it)->key == key) {
            _entries.erase(it);
            return true;
        }
    }
    return false;
}

void DzSettings::clear() { _entries.clear(); }

QString DzSettings::toJsonString() const
{
    return QString::fromUtf8(QJsonDocument(toJsonObject(*this)).toJson(QJsonDocument::Compact));
}

bool DzSettings::fromString(const QString& text)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return false;
    DzSettings parsed;
    if (!fromJsonObject(parsed, doc.object()))
        return false;
    copyFrom(parsed);
    return true;
}
