#pragma once

#include <QVector>

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

// Reading DSON documents and walking them with checked types. Every accessor throws DsonError
// with the JSON path of the offending value, so a malformed file never yields half a value.

namespace dson {

// The most a content file may hold, as stored and once inflated: a small gzip file can ask for
// gigabytes, and Qt's byte arrays end at 2 GB.
constexpr qint64 kMaxDocumentBytes = qint64(512) << 20;

// Reads a plain or gzip-compressed JSON object; throws DsonError when it is neither, or empty,
// or larger than `maxBytes`.
QJsonObject readDocument(const QString& filePath, qint64 maxBytes = kMaxDocumentBytes);
// The same for the bytes of a file.
QJsonObject parseDocument(const QByteArray& bytes, qint64 maxBytes = kMaxDocumentBytes);

// The object member `key`, of the expected kind; `where` names the container in messages.
// Numbers must fit a float and integers an int.
QJsonObject object(const QJsonObject& o, const QString& key, const QString& where);
QJsonArray array(const QJsonObject& o, const QString& key, const QString& where);
QString string(const QJsonObject& o, const QString& key, const QString& where);
double number(const QJsonObject& o, const QString& key, const QString& where);
int integer(const QJsonObject& o, const QString& key, const QString& where);
bool boolean(const QJsonObject& o, const QString& key, const QString& where);

// Optional members: the fallback when absent, DsonError when present with the wrong kind.
QString optString(const QJsonObject& o, const QString& key, const QString& where,
                  const QString& fallback = {});
double optNumber(const QJsonObject& o, const QString& key, const QString& where, double fallback);
int optInteger(const QJsonObject& o, const QString& key, const QString& where, int fallback);
bool optBoolean(const QJsonObject& o, const QString& key, const QString& where, bool fallback);
QJsonArray optArray(const QJsonObject& o, const QString& key, const QString& where);

// Array elements of the expected kind.
QJsonObject objectAt(const QJsonArray& a, int i, const QString& where);
QJsonArray arrayAt(const QJsonArray& a, int i, const QString& where);
double numberAt(const QJsonArray& a, int i, const QString& where);
int integerAt(const QJsonArray& a, int i, const QString& where);

// A {"count": n, "values": [...]} block whose count matches its values.
QJsonArray countedValues(const QJsonObject& o, const QString& key, const QString& where);

// A counted block of [vertex, weight] pairs as one weight per vertex (0 where none is given).
QVector<float> vertexWeights(const QJsonObject& o, const QString& key, const QString& where,
                             int vertexCount);

// An asset url split into its file (percent-decoded, relative to a content directory, empty
// for "#id" within the same file) and its id.
struct AssetRef {
    QString file;
    QString id;
};
AssetRef parseUrl(const QString& url);

// Percent-encodes a relative path the way asset urls write it ("data/A B" -> "/data/A%20B").
QString encodePath(const QString& relativePath);

} // namespace dson
