#pragma once

#include <QByteArray>
#include <QString>

// The bytes of DSON files, and the asset urls that name their parts. Reading throws DsonError.

namespace dson {

// The most a content file may hold, as stored and once inflated: a small gzip file can ask for
// gigabytes, and Qt's byte arrays end at 2 GB.
constexpr qint64 kMaxDocumentBytes = qint64(512) << 20;

// The text of a content file, inflated when it is gzip-compressed; DsonError when it cannot be
// read, is empty or is larger than `maxBytes`.
QByteArray readText(const QString& filePath, qint64 maxBytes = kMaxDocumentBytes);
// The same for the bytes of a file.
QByteArray textOf(const QByteArray& bytes, qint64 maxBytes = kMaxDocumentBytes);

// An asset url split into its file (percent-decoded, backslashes made slashes, relative to a
// content directory, empty for "#id" within the same file) and its id.
struct AssetRef {
    QString file;
    QString id;
};
AssetRef parseUrl(const QString& url);

// Percent-encodes a relative path the way asset urls write it ("data/A B" -> "/data/A%20B").
QString encodePath(const QString& relativePath);

} // namespace dson
