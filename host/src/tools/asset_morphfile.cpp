#include "tools/asset_morphfile.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QCryptographicHash>
#include <QUrl>
#include <zlib.h>

#include "content/dsonfile.h"
#include "dzfloatproperty.h"
#include "dzmorph.h"
#include "dzmorphdeltas.h"
#include "io/dzfileioerrortext.h"
#include "io/filereplacer.h"

namespace {

QJsonObject deltaBlock(const QVector<int>& indices, const QVector<DzVec3>& deltas)
{
    QJsonArray values;
    for (int i = 0; i < indices.size(); ++i)
        values.append(QJsonArray{indices[i], deltas[i].m_x, deltas[i].m_y, deltas[i].m_z});
    return QJsonObject{{"count", values.size()}, {"values", values}};
}

QJsonObject morphModifier(const DzMorph* morph, const QString& figureUri, int vertexCount)
{
    const DzFloatProperty* value = morph->getValueControl();
    const DzMorphDeltas* deltas = morph->getDeltas();
    QJsonObject data{{"vertex_count", vertexCount},
                     {"deltas", deltaBlock(deltas->deltaIndices(), deltas->deltaValues())}};
    if (deltas->hasHDDeltas()) {
        QJsonObject hd{{"level", deltas->getHDLevel()}};
        hd.insert("deltas", deltaBlock(deltas->hdDeltaIndices(), deltas->hdDeltaValues()));
        data.insert("hd", hd);
    }
    const QJsonObject channel{{"id", "value"},
                              {"type", "float"},
                              {"name", morph->getName()},
                              {"label", value->getLabel()},
                              {"value", value->getDefaultValue()},
                              {"min", value->getMin()},
                              {"max", value->getMax()},
                              {"clamped", value->isClamped()},
                              {"visible", !value->isHidden()}};
    return QJsonObject{{"id", morph->getName()},
                       {"name", morph->getName()},
                       {"parent", figureUri},
                       {"channel", channel},
                       {"group", QLatin1Char('/') + value->getPath()},
                       {"morph", data}};
}

// gzip stream (header and trailer included) of the bytes; empty when zlib fails.
QByteArray gzip(const QByteArray& bytes)
{
    z_stream stream{};
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return {};
    QByteArray out(int(deflateBound(&stream, uLong(bytes.size()))), Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.constData()));
    stream.avail_in = uInt(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.resize(int(stream.total_out));
    deflateEnd(&stream);
    return result == Z_STREAM_END ? out : QByteArray();
}

// File systems take names of up to 255 bytes; a longer one keeps its start and gets a short
// fingerprint of the whole, so two long names that differ only at their ends stay apart.
QString fitComponentLength(const QString& name)
{
    if (name.toUtf8().size() <= DzMorphAssetFile::kMaxComponentBytes)
        return name;
    const QString fingerprint =
        QStringLiteral("~") +
        QString::fromLatin1(QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1).toHex().left(10));
    QString kept = name;
    while (!kept.isEmpty() && (kept + fingerprint).toUtf8().size() > DzMorphAssetFile::kMaxComponentBytes) {
        kept.chop(1);
        if (!kept.isEmpty() && kept.at(kept.size() - 1).isHighSurrogate())
            kept.chop(1);  // never half a character
    }
    return kept + fingerprint;
}

} // namespace

namespace DzMorphAssetFile {

QString safeComponent(const QString& text)
{
    static const QString reserved = QStringLiteral("/\\:*?\"<>|");
    QString safe = text.trimmed();
    for (QChar& c : safe)
        if (c.unicode() < 0x20 || reserved.contains(c))
            c = QLatin1Char('_');
    for (int i = 0; i < safe.size() && safe[i] == QLatin1Char('.'); ++i)
        safe[i] = QLatin1Char('_');
    return fitComponentLength(safe);
}

QString dataFolderOf(const QString& figureUri)
{
    const QString file = dson::parseUrl(figureUri).file;
    const QString prefix = QStringLiteral("data/");
    if (!file.startsWith(prefix))
        return {};
    QStringList parts = QFileInfo(file.mid(prefix.size())).path().split(QLatin1Char('/'), Qt::SkipEmptyParts);
    parts.removeAll(QStringLiteral("."));
    for (QString& part : parts)
        part = safeComponent(part);
    // A folder named only by blanks has no safe name; an empty part would start the folder
    // with "/" or double one.
    parts.removeAll(QString());
    return parts.join(QLatin1Char('/'));
}

DzError write(const DzMorph* morph, const QString& baseDataPath, const QString& assetId,
              const QString& figureUri, int vertexCount, const QString& vendor, bool compress)
{
    const QJsonObject info{{"id", dson::encodePath(assetId)},
                           {"type", "modifier"},
                           {"contributor", QJsonObject{{"author", vendor}}},
                           {"revision", "1.0"}};
    const QJsonObject document{
        {"file_version", "0.6.0.0"},
        {"asset_info", info},
        {"modifier_library", QJsonArray{morphModifier(morph, figureUri, vertexCount)}}};
    QByteArray bytes = QJsonDocument(document).toJson(QJsonDocument::Compact);
    if (compress)
        bytes = gzip(bytes);
    // The library is the user's choice of place, wherever a link may take it; below it
    // nothing is written through a link.
    QDir().mkpath(baseDataPath);
    FileReplacer file(baseDataPath, assetId);
    if (bytes.isEmpty())
        return dzFileIOFail(DZ_WRITE_FILE_ERROR, QStringLiteral("Cannot write \"%1\": the morph could not be compressed")
                                                     .arg(file.path()));
    if (file.open() && file.device().write(bytes) == bytes.size() && file.commit())
        return DZ_NO_ERROR;
    switch (file.failure()) {
    case FileReplacer::Failure::Link:
        return dzFileIOFail(DZ_FILE_LINK_ERROR,
                            QStringLiteral("Cannot write \"%1\": \"%2\" is a symbolic link, and morph assets are "
                                           "never written through links")
                                .arg(file.path(), file.failedPath()));
    case FileReplacer::Failure::Folder:
        return dzFileIOFail(DZ_WRITE_FILE_ERROR, QStringLiteral("Cannot create the folder \"%1\": %2")
                                                     .arg(file.failedPath(), file.reason()));
    default:
        return dzFileIOFail(DZ_WRITE_FILE_ERROR,
                            QStringLiteral("Cannot write \"%1\": %2").arg(file.failedPath(), file.reason()));
    }
}

} // namespace DzMorphAssetFile
