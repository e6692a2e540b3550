#include "morph_asset.h"

#include <QJsonArray>
#include <cmath>

namespace cg {

std::vector<Vec3> difference(const std::vector<Vec3>& to, const std::vector<Vec3>& from)
{
    std::vector<Vec3> out(to.size());
    for (size_t i = 0; i < to.size(); ++i)
        out[i] = to[i] - from[i];
    return out;
}

QJsonObject morphAssetJson(const QString& assetFile, const QString& figureUrl, const MorphSpec& m)
{
    QJsonArray values;
    for (size_t i = 0; i < m.deltas.size(); ++i) {
        const Vec3& d = m.deltas[i];
        if (!std::isfinite(d.x) || !std::isfinite(d.y) || !std::isfinite(d.z))
            failGeneration(QStringLiteral("morph %1 moves vertex %2 by no number").arg(m.name).arg(i));
        if (std::abs(d.x) < kDeltaEpsilon && std::abs(d.y) < kDeltaEpsilon &&
            std::abs(d.z) < kDeltaEpsilon)
            continue;
        values.append(QJsonArray{int(i), rounded(d.x, 4), rounded(d.y, 4), rounded(d.z, 4)});
    }
    QJsonObject morph;
    morph[QStringLiteral("vertex_count")] = int(m.deltas.size());
    morph[QStringLiteral("deltas")] =
        QJsonObject{{QStringLiteral("count"), values.size()}, {QStringLiteral("values"), values}};

    ChannelSpec channel;
    channel.name = m.name;
    channel.label = m.label;
    channel.min = m.min;
    channel.max = m.max;
    channel.visible = m.visible;

    QJsonObject modifier;
    modifier[QStringLiteral("id")] = m.name;
    modifier[QStringLiteral("name")] = m.name;
    modifier[QStringLiteral("parent")] = figureUrl;
    modifier[QStringLiteral("channel")] = channelJson(channel);
    modifier[QStringLiteral("group")] = m.group;
    modifier[QStringLiteral("morph")] = morph;

    QJsonObject doc = dsonFile(assetPath(assetFile), QStringLiteral("modifier"));
    doc[QStringLiteral("modifier_library")] = QJsonArray{modifier};
    return doc;
}

} // namespace cg
