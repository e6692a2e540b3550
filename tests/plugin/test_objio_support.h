#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>

#include "dzapp.h"  // before the fixtures, which use dzScene
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

// Records the title of every modal dialog that opens while it lives, and closes it.
class ModalWatch {
public:
    ModalWatch()
    {
        QObject::connect(&_timer, &QTimer::timeout, [this] {
            if (auto* pDlg = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                titles << pDlg->windowTitle();
                pDlg->reject();
            }
        });
        _timer.start(20);
    }
    QStringList titles;

private:
    QTimer _timer;
};

inline DzNode* AddNode(const QString& label, const DzFacetMesh& mesh)
{
    DzNode* pNode = testgeo::nodeWithMesh(mesh);
    pNode->setName(label);
    pNode->setLabel(label);
    dzScene->addNode(pNode);
    return pNode;
}

// The "v" lines of an OBJ file as points.
inline QVector<DzVec3> ReadObjPositions(const QString& path)
{
    QVector<DzVec3> points;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return points;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (!line.startsWith("v "))
            continue;
        const QList<QByteArray> parts = line.simplified().split(' ');
        points.append(DzVec3(parts.value(1).toFloat(), parts.value(2).toFloat(),
                             parts.value(3).toFloat()));
    }
    return points;
}

// Exports the node alone as the conversion does and returns its evaluated world positions.
inline QVector<DzVec3> EvaluatedPositions(DzNode* pNode, const QString& path)
{
    dzScene->selectAllNodes(false);
    pNode->select(true);
    DzFileIOSettings settings;
    tav::daz::ApplyObjExportSettings(settings);
    tav::daz::SetSelectedOnly(settings, true);
    tav::daz::SetScale(settings, 1.0f);
    tav::daz::ExportObj(settings, tav::ToUtf8(path));
    return ReadObjPositions(path);
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
