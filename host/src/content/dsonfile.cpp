#include "dsonfile.h"

#include <QFile>
#include <QJsonDocument>
#include <QLocale>
#include <QUrl>
#include <cmath>
#include <limits>
#include <zlib.h>

#include "dsonerror.h"

namespace dson {
namespace {

bool isGzip(const QByteArray& bytes)
{
    return bytes.size() >= 2 && uchar(bytes[0]) == 0x1f && uchar(bytes[1]) == 0x8b;
}

QString sizeText(qint64 bytes)
{
    return QLocale::c().formattedDataSize(bytes, 0, QLocale::DataSizeTraditionalFormat);
}

// Owns a zlib inflate stream for gzip input, ended on every way out.
class GzipStream {
public:
    explicit GzipStream(const QByteArray& input)
    {
        if (inflateInit2(&_stream, 15 + 16) != Z_OK)
            dsonFail(QStringLiteral("cannot start decompression"));
        _stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(input.constData()));
        _stream.avail_in = uInt(input.size());
    }
    ~GzipStream() { inflateEnd(&_stream); }
    GzipStream(const GzipStream&) = delete;
    GzipStream& operator=(const GzipStream&) = delete;

    z_stream* operator->() { return &_stream; }
    z_stream* get() { return &_stream; }

private:
    z_stream _stream{};
};

// Inflates a whole gzip stream of at most `maxBytes`; a stream that ends early, is corrupt or
// expands beyond the limit is a fault.
QByteArray gunzip(const QByteArray& bytes, qint64 maxBytes)
{
    GzipStream stream(bytes);
    QByteArray out;
    char buffer[1 << 16];
    int result = Z_OK;
    while (result == Z_OK) {
        stream->next_out = reinterpret_cast<Bytef*>(buffer);
        stream->avail_out = sizeof buffer;
        result = inflate(stream.get(), Z_NO_FLUSH);
        const qint64 produced = qint64(sizeof buffer - stream->avail_out);
        if (out.size() + produced > maxBytes)
            dsonFail(QStringLiteral("expands to more than %1, the most a content file may hold")
                         .arg(sizeText(maxBytes)));
        out.append(buffer, int(produced));
        if (result == Z_BUF_ERROR && stream->avail_in == 0)
            break;
    }
    if (result != Z_STREAM_END)
        dsonFail(stream->avail_in == 0 ? QStringLiteral("has truncated compressed data")
                                       : QStringLiteral("has corrupt compressed data"));
    return out;
}

QString member(const QString& where, const QString& key)
{
    return where.isEmpty() ? key : where + QLatin1Char('.') + key;
}

QString element(const QString& where, int i)
{
    return QStringLiteral("%1[%2]").arg(where).arg(i);
}

QJsonValue required(const QJsonObject& o, const QString& key, const QString& where)
{
    const auto it = o.find(key);
    if (it == o.end())
        dsonFail(QStringLiteral("%1 is missing").arg(member(where, key)));
    return it.value();
}

[[noreturn]] void wrongKind(const QString& path, const char* expected)
{
    dsonFail(QStringLiteral("%1 is not %2").arg(path, QLatin1String(expected)));
}

// Every number the loader keeps ends up in a float or an int.
double toNumber(const QJsonValue& v, const QString& path)
{
    if (!v.isDouble())
        wrongKind(path, "a number");
    const double d = v.toDouble();
    if (!std::isfinite(d) || std::fabs(d) > double(std::numeric_limits<float>::max()))
        dsonFail(QStringLiteral("%1 is out of range (%2)").arg(path).arg(d));
    return d;
}

int toInteger(const QJsonValue& v, const QString& path)
{
    if (!v.isDouble())
        wrongKind(path, "a number");
    const double d = v.toDouble();
    if (!std::isfinite(d) || std::fabs(d) > double(std::numeric_limits<int>::max()))
        dsonFail(QStringLiteral("%1 is out of range (%2)").arg(path).arg(d));
    if (d != std::floor(d))
        wrongKind(path, "an integer");
    return int(d);
}

} // namespace

QJsonObject readDocument(const QString& filePath, qint64 maxBytes)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        dsonFail(QStringLiteral("cannot be read (%1)").arg(file.errorString()));
    if (file.size() > maxBytes)
        dsonFail(QStringLiteral("is larger than %1, the most a content file may hold")
                     .arg(sizeText(maxBytes)));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        dsonFail(QStringLiteral("cannot be read (%1)").arg(file.errorString()));
    return parseDocument(bytes, maxBytes);
}

QJsonObject parseDocument(const QByteArray& bytes, qint64 maxBytes)
{
    const QByteArray text = isGzip(bytes) ? gunzip(bytes, maxBytes) : bytes;
    if (text.trimmed().isEmpty())
        dsonFail(QStringLiteral("is empty"));
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError)
        dsonFail(QStringLiteral("is not valid JSON (%1 at offset %2)")
                     .arg(error.errorString())
                     .arg(error.offset));
    if (!doc.isObject())
        dsonFail(QStringLiteral("does not hold a JSON object"));
    return doc.object();
}

QJsonObject object(const QJsonObject& o, const QString& key, const QString& where)
{
    const QJsonValue v = required(o, key, where);
    if (!v.isObject())
        wrongKind(member(where, key), "an object");
    return v.toObject();
}

QJsonArray array(const QJsonObject& o, const QString& key, const QString& where)
{
    const QJsonValue v = required(o, key, where);
    if (!v.isArray())
        wrongKind(member(where, key), "an array");
    return v.toArray();
}

QString string(const QJsonObject& o, const QString& key, const QString& where)
{
    const QJsonValue v = required(o, key, where);
    if (!v.isString())
        wrongKind(member(where, key), "a string");
    return v.toString();
}

double number(const QJsonObject& o, const QString& key, const QString& where)
{
    return toNumber(required(o, key, where), member(where, key));
}

int integer(const QJsonObject& o, const QString& key, const QString& where)
{
    return toInteger(required(o, key, where), member(where, key));
}

bool boolean(const QJsonObject& o, const QString& key, const QString& where)
{
    const QJsonValue v = required(o, key, where);
    if (!v.isBool())
        wrongKind(member(where, key), "true or false");
    return v.toBool();
}

QString optString(const QJsonObject& o, const QString& key, const QString& where,
                  const QString& fallback)
{
    return o.contains(key) ? string(o, key, where) : fallback;
}

double optNumber(const QJsonObject& o, const QString& key, const QString& where, double fallback)
{
    return o.contains(key) ? number(o, key, where) : fallback;
}

int optInteger(const QJsonObject& o, const QString& key, const QString& where, int fallback)
{
    return o.contains(key) ? integer(o, key, where) : fallback;
}

bool optBoolean(const QJsonObject& o, const QString& key, const QString& where, bool fallback)
{
    return o.contains(key) ? boolean(o, key, where) : fallback;
}

QJsonArray optArray(const QJsonObject& o, const QString& key, const QString& where)
{
    return o.contains(key) ? array(o, key, where) : QJsonArray();
}

QJsonObject objectAt(const QJsonArray& a, int i, const QString& where)
{
    if (!a.at(i).isObject())
        wrongKind(element(where, i), "an object");
    return a.at(i).toObject();
}

QJsonArray arrayAt(const QJsonArray& a, int i, const QString& where)
{
    if (!a.at(i).isArray())
        wrongKind(element(where, i), "an array");
    return a.at(i).toArray();
}

double numberAt(const QJsonArray& a, int i, const QString& where)
{
    return toNumber(a.at(i), element(where, i));
}

int integerAt(const QJsonArray& a, int i, const QString& where)
{
    return toInteger(a.at(i), element(where, i));
}

QJsonArray countedValues(const QJsonObject& o, const QString& key, const QString& where)
{
    const QString path = member(where, key);
    const QJsonObject block = object(o, key, where);
    const int count = integer(block, QStringLiteral("count"), path);
    const QJsonArray values = array(block, QStringLiteral("values"), path);
    if (count != values.size())
        dsonFail(QStringLiteral("%1 has count %2 but %3 values").arg(path).arg(count).arg(values.size()));
    return values;
}

QVector<float> vertexWeights(const QJsonObject& o, const QString& key, const QString& where,
                             int vertexCount)
{
    QVector<float> weights(vertexCount, 0.0f);
    const QJsonArray values = countedValues(o, key, where);
    const QString vpath = member(where, key) + QStringLiteral(".values");
    for (int i = 0; i < values.size(); ++i) {
        const QString at = QStringLiteral("%1[%2]").arg(vpath).arg(i);
        const QJsonArray w = arrayAt(values, i, vpath);
        if (w.size() != 2)
            dsonFail(QStringLiteral("%1 is not [vertex, weight]").arg(at));
        const int v = integerAt(w, 0, at);
        if (v < 0 || v >= vertexCount)
            dsonFail(QStringLiteral("%1 weights vertex %2 of %3").arg(at).arg(v).arg(vertexCount));
        weights[v] = float(numberAt(w, 1, at));
    }
    return weights;
}

AssetRef parseUrl(const QString& url)
{
    const int hash = url.indexOf(QLatin1Char('#'));
    const QString filePart = hash < 0 ? url : url.left(hash);
    AssetRef ref;
    ref.id = hash < 0 ? QString() : QUrl::fromPercentEncoding(url.mid(hash + 1).toUtf8());
    QString decoded = QUrl::fromPercentEncoding(filePart.toUtf8());
    while (decoded.startsWith(QLatin1Char('/')))
        decoded.remove(0, 1);
    ref.file = decoded;
    return ref;
}

QString encodePath(const QString& relativePath)
{
    return QLatin1Char('/') + QString::fromLatin1(QUrl::toPercentEncoding(relativePath, "/"));
}

} // namespace dson
