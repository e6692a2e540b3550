#include "scene_files.h"

#include "dson_writer.h"

namespace cg {

QJsonObject nodeInstance(const QString& id, const QString& url, const QString& label,
                         const Vec3& translation)
{
    QJsonObject node;
    node[QStringLiteral("id")] = id;
    node[QStringLiteral("url")] = url;
    node[QStringLiteral("label")] = label;
    if (translation.x != 0 || translation.y != 0 || translation.z != 0) {
        QJsonArray channels;
        const double values[3] = {translation.x, translation.y, translation.z};
        const char* axes[3] = {"x", "y", "z"};
        for (int i = 0; i < 3; ++i)
            channels.append(QJsonObject{{QStringLiteral("id"), QString::fromLatin1(axes[i])},
                                        {QStringLiteral("current_value"), values[i]}});
        node[QStringLiteral("translation")] = channels;
    }
    return node;
}

QJsonObject modifierInstance(const QString& id, const QString& url, const QString& parentId,
                             double value)
{
    QJsonObject m;
    m[QStringLiteral("id")] = id;
    m[QStringLiteral("url")] = url;
    if (!parentId.isEmpty())
        m[QStringLiteral("parent")] = QLatin1Char('#') + parentId;
    m[QStringLiteral("channel")] = QJsonObject{{QStringLiteral("id"), QStringLiteral("value")},
                                               {QStringLiteral("current_value"), value}};
    return m;
}

QJsonObject sceneFile(const QString& relativePath, const QString& type, const QJsonArray& nodes,
                      const QJsonArray& modifiers)
{
    QJsonObject doc = dsonFile(assetPath(relativePath), type);
    QJsonObject scene;
    if (!nodes.isEmpty())
        scene[QStringLiteral("nodes")] = nodes;
    if (!modifiers.isEmpty())
        scene[QStringLiteral("modifiers")] = modifiers;
    doc[QStringLiteral("scene")] = scene;
    return doc;
}

} // namespace cg
