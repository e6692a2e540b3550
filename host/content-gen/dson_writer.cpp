#include "dson_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QUrl>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <zlib.h>

namespace cg {
namespace {

// gzip with a zero time stamp, so equal input gives equal bytes.
QByteArray gzip(const QByteArray& data)
{
    z_stream stream{};
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        failGeneration(QStringLiteral("cannot start zlib"));
    QByteArray out;
    out.resize(int(deflateBound(&stream, uLong(data.size()))) + 64);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    const int result = deflate(&stream, Z_FINISH);
    const auto written = stream.total_out;
    deflateEnd(&stream);
    if (result != Z_STREAM_END)
        failGeneration(QStringLiteral("gzip compression failed"));
    out.resize(int(written));
    return out;
}

} // namespace

void failGeneration(const QString& message)
{
    std::fprintf(stderr, "content-gen: %s\n", qPrintable(message));
    std::exit(1);
}

double rounded(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    const double r = std::round(value * scale) / scale;
    return r == 0 ? 0.0 : r; // no "-0"
}

QString assetPath(const QString& relativePath)
{
    return QLatin1Char('/') + QString::fromLatin1(QUrl::toPercentEncoding(relativePath, "/"));
}

QJsonObject channelJson(const ChannelSpec& spec)
{
    QJsonObject c;
    c[QStringLiteral("id")] = spec.id;
    c[QStringLiteral("type")] = spec.type;
    c[QStringLiteral("name")] = spec.name;
    c[QStringLiteral("label")] = spec.label;
    c[QStringLiteral("value")] = spec.value;
    c[QStringLiteral("min")] = spec.min;
    c[QStringLiteral("max")] = spec.max;
    c[QStringLiteral("clamped")] = spec.clamped;
    c[QStringLiteral("visible")] = spec.visible;
    return c;
}

QJsonObject dsonFile(const QString& assetId, const QString& type)
{
    QJsonObject info;
    info[QStringLiteral("id")] = assetId;
    info[QStringLiteral("type")] = type;
    info[QStringLiteral("contributor")] =
        QJsonObject{{QStringLiteral("author"), QStringLiteral("Stand-in Content Library")}};
    info[QStringLiteral("revision")] = QStringLiteral("1.0");
    QJsonObject doc;
    doc[QStringLiteral("file_version")] = QStringLiteral("0.6.0.0");
    doc[QStringLiteral("asset_info")] = info;
    return doc;
}

void writeDson(const QString& root, const QString& relativePath, const QJsonObject& doc,
               bool compressed)
{
    const QString path = QDir(root).filePath(relativePath);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        failGeneration(QStringLiteral("cannot create the folder of %1").arg(path));
    QByteArray bytes = QJsonDocument(doc).toJson(QJsonDocument::Compact);
    if (compressed)
        bytes = gzip(bytes);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        failGeneration(QStringLiteral("cannot write %1").arg(path));
}

} // namespace cg
