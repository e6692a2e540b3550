#include "dsonfile.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QUrl>
#include <zlib.h>

#include "dsonerror.h"

namespace dson {
namespace {

bool isGzip(const QByteArray& bytes)
{
    return bytes.size() >= 2 && uchar(bytes[0]) == 0x1f && uchar(bytes[1]) == 0x8b;
}

bool isBlank(const QByteArray& text)
{
    for (const char c : text)
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
            return false;
    return true;
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

} // namespace

QByteArray readText(const QString& filePath, qint64 maxBytes)
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
    return textOf(bytes, maxBytes);
}

QByteArray textOf(const QByteArray& bytes, qint64 maxBytes)
{
    QByteArray text = isGzip(bytes) ? gunzip(bytes, maxBytes) : bytes;
    if (isBlank(text))
        dsonFail(QStringLiteral("is empty"));
    return text;
}

AssetRef parseUrl(const QString& url)
{
    const int hash = url.indexOf(QLatin1Char('#'));
    const QString filePart = hash < 0 ? url : url.left(hash);
    AssetRef ref;
    ref.id = hash < 0 ? QString() : QUrl::fromPercentEncoding(url.mid(hash + 1).toUtf8());
    // Backslashes separate folders too, as they do in libraries shared with a Windows host.
    QString decoded = QUrl::fromPercentEncoding(filePart.toUtf8()).replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (decoded.startsWith(QLatin1Char('/')))
        decoded.remove(0, 1);
    ref.file = decoded.isEmpty() ? decoded : QDir::cleanPath(decoded);
    return ref;
}

QString encodePath(const QString& relativePath)
{
    return QLatin1Char('/') + QString::fromLatin1(QUrl::toPercentEncoding(relativePath, "/"));
}

} // namespace dson
