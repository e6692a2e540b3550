#include "mesh_regions.h"

#include <QHash>
#include <QRegularExpression>

DzFacetMesh meshOfGroups(const DzFacetMesh& mesh, const std::function<bool(const QString&)>& pick)
{
    DzFacetMesh out;
    QHash<int, int> moved;
    for (const DzFacet& f : mesh.facets()) {
        const QString group = mesh.getFaceGroupName(f.m_faceGroupIdx);
        if (!pick(group))
            continue;
        QVector<int> corners;
        for (int c = 0; c < f.numCorners(); ++c) {
            const int v = f.m_vertIdx[c];
            if (!moved.contains(v))
                moved.insert(v, out.addVertex(mesh.getVertex(v)));
            corners.append(moved.value(v));
        }
        out.addFacet(corners, out.findOrAddFaceGroup(group));
    }
    return out;
}

QString digitOfGroup(const QString& group)
{
    static const QRegularExpression digit(QStringLiteral("^([lr]_(thumb|index|mid|ring|pinky))[123]$"));
    const QRegularExpressionMatch m = digit.match(group);
    return m.hasMatch() ? m.captured(1) : QString();
}
