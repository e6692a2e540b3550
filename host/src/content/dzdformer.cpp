#include "dzdformer.h"

#include "dzapp.h"
#include "dzscene.h"

DzDFormer::DzDFormer(QObject* parent) : DzNode(parent) {}
DzDFormer::~DzDFormer() = default;

const QVector<float>* dzFindInfluenceWeights(const QString& path)
{
    static const QString separator = QStringLiteral("::weightmap::");
    static const QString mapSuffix = QStringLiteral("/Influence Weights");
    const int sep = path.indexOf(separator);
    if (sep <= 0 || !path.endsWith(mapSuffix) || !dzScene)
        return nullptr;
    const QString dformerLabel = path.left(sep);
    const QString figureLabel =
        path.mid(sep + separator.size(), path.size() - sep - separator.size() - mapSuffix.size());
    for (DzNode* node : dzScene->nodeList()) {
        if (node->getLabel() != figureLabel)
            continue;
        for (int i = 0; i < node->getNumNodeChildren(); ++i) {
            auto* dformer = qobject_cast<DzDFormer*>(node->getNodeChild(i));
            if (dformer && dformer->getLabel() == dformerLabel && dformer->hasWeightMap())
                return &dformer->influenceWeights();
        }
    }
    return nullptr;
}
