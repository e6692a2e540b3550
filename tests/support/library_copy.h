#pragma once

#include <QString>
#include <QStringList>
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

// Every file below the folder (hidden ones too) whose name matches one of the filters (any
// file when there are none), by its path relative to the folder, sorted.
QStringList filesBelow(const QString& dir, const QStringList& nameFilters = QStringList());
