#pragma once

#include <QString>
#include <QTemporaryDir>

// A copy of the bundled content library without one of its files (none for an empty path),
// removed with the object.
class LibraryCopyWithout {
public:
    explicit LibraryCopyWithout(const QString& relativePath = QString());

    QString path() const { return _dir.path(); }
    QString filePath(const QString& relativePath) const { return _dir.filePath(relativePath); }

private:
    QTemporaryDir _dir;
};
