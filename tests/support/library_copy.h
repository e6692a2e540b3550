#pragma once

#include <QString>
#include <QTemporaryDir>

// A copy of the bundled content library without one of its files, removed with the object.
class LibraryCopyWithout {
public:
    explicit LibraryCopyWithout(const QString& relativePath);

    QString path() const { return _dir.path(); }

private:
    QTemporaryDir _dir;
};
