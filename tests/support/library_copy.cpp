#include "library_copy.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

LibraryCopyWithout::LibraryCopyWithout(const QString& relativePath)
{
    const QDir from(QStringLiteral(KVR_CONTENT_DIR));
    for (QDirIterator it(from.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString relative = from.relativeFilePath(it.next());
        if (relative == relativePath)
            continue;
        const QString copy = QDir(_dir.path()).filePath(relative);
        QDir().mkpath(QFileInfo(copy).path());
        QFile::copy(it.filePath(), copy);
    }
}

QStringList filesBelow(const QString& dir, const QStringList& nameFilters)
{
    QStringList files;
    for (QDirIterator it(dir, nameFilters, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
         it.hasNext();)
        files << QDir(dir).relativeFilePath(it.next());
    files.sort();
    return files;
}
