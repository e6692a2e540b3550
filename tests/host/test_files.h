#pragma once

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

// Writes the file, making its folder; false when it cannot.
inline bool writeFile(const QString& path, const QByteArray& bytes, const QDateTime& modified = {})
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
        return false;
    return !modified.isValid() || file.setFileTime(modified, QFileDevice::FileModificationTime);
}

// The file's bytes; empty when it cannot be read.
inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
