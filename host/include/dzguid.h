#pragma once

#include <QUuid>

// A class factory's identity.
class DzGuid {
public:
    DzGuid() = default;
    explicit DzGuid(const QUuid& uuid) : _uuid(uuid) {}

    // Parses "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}"; an unparsable text gives a null GUID.
    static DzGuid fromString(const QString& text) { return DzGuid(QUuid::fromString(text)); }

    QString toString() const { return _uuid.toString(); }
    bool isNull() const { return _uuid.isNull(); }
    bool operator==(const DzGuid& o) const { return _uuid == o._uuid; }

private:
    QUuid _uuid;
};
