#pragma once

#include <QString>

// A four-part version number (major, minor, revision, build).
class DzVersion {
public:
    DzVersion() = default;
    DzVersion(unsigned short major, unsigned short minor, unsigned short revision, unsigned short build)
        : _major(major), _minor(minor), _revision(revision), _build(build) {}

    unsigned short getMajor() const { return _major; }
    unsigned short getMinor() const { return _minor; }
    unsigned short getRevision() const { return _revision; }
    unsigned short getBuild() const { return _build; }
    QString toString() const
    {
        return QStringLiteral("%1.%2.%3.%4").arg(_major).arg(_minor).arg(_revision).arg(_build);
    }
    bool operator==(const DzVersion& o) const
    {
        return _major == o._major && _minor == o._minor && _revision == o._revision && _build == o._build;
    }

private:
    unsigned short _major = 0, _minor = 0, _revision = 0, _build = 0;
};
