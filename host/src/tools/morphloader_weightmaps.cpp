#include "tools/morphloader_weightmaps.h"

#include "content/dzdformer.h"
#include "geometry/dzgeometry.h"

QVector<float> dzFindAttenuationMap(const DzNode* node, const QString& path)
{
    const QVector<float>* weights = dzFindInfluenceWeights(path);
    if (!weights || weights->size() != DzGeometry::vertexCount(node, 0))
        return {};
    return *weights;
}
