#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "dzapp.h"  // before the fixtures, which use dzScene
#include "../../host/src/geometry/dzgeometry.h"
#include "../host/test_geometry_fixtures.h"
#include "dzfileiosettings.h"
#include "dzscene.h"
#include "test_app.h"
#include "test_scene_access_scene.h"
#include "tv_daz-helpers-objio.h"
#include "tv_exception.h"
#include "tv_str.h"

namespace objio_test {

using scene_access::messageOf;

inline DzNode* AddNode(const QString& label, const DzFacetMesh& mesh)
{
    DzNode* pNode = testgeo::nodeWithMesh(mesh);
    pNode->setName(label);
    pNode->setLabel(label);
    dzScene->addNode(pNode);
    return pNode;
}

// The node's evaluated positions in world space, as the conversion exports them.
inline QVector<DzVec3> WorldPositions(DzNode* pNode)
{
    return DzGeometry::worldMesh(pNode)->vertices();
}

// Exports the node alone as the conversion does.
inline void ExportAlone(DzNode* pNode, const QString& path)
{
    dzScene->selectAllNodes(false);
    pNode->select(true);
    DzFileIOSettings settings;
    tav::daz::ApplyObjExportSettings(settings);
    tav::daz::SetSelectedOnly(settings, true);
    tav::daz::SetScale(settings, 1.0f);
    tav::daz::ExportObj(settings, tav::ToUtf8(path));
}

inline float WorstDistance(const QVector<DzVec3>& a, const QVector<DzVec3>& b)
{
    if (a.size() != b.size() || a.isEmpty())
        return 1e30f;
    float worst = 0.0f;
    for (int i = 0; i < a.size(); ++i)
        worst = std::max(worst, (a[i] - b[i]).length());
    return worst;
}

} // namespace objio_test
