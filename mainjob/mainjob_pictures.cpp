#include "mainjob_pictures.h"

#include <QDir>
#include <algorithm>
#include <cmath>

#include "dz3dviewport.h"
#include "dzapp.h"
#include "dznode.h"
#include "dzscene.h"

namespace {

const int iWidth = 800;
const int iHeight = 900;
const float fYawDegrees = 25.0f;  // a little from the figure's left
const float fPitchDegrees = 8.0f;

// Shows only `nodes` while it lives, then restores every node's visibility.
class OnlyVisible {
public:
    explicit OnlyVisible(const QList<DzNode*>& nodes)
    {
        for (DzNode* pNode : dzScene->nodeList()) {
            if (!pNode->isRootNode())
                continue;
            _was.append({pNode, pNode->isVisible()});
            pNode->setVisible(nodes.contains(pNode));
        }
    }
    ~OnlyVisible()
    {
        for (const auto& [pNode, bVisible] : _was)
            pNode->setVisible(bVisible);
    }

private:
    QList<QPair<DzNode*, bool>> _was;
};

// A legend top that reads well: the largest value rounded up to 1, 2 or 5 times a power of 10.
float legendTop(float fLargest)
{
    if (fLargest <= 0)
        return 1.0f;
    const float fPower = std::pow(10.0f, std::floor(std::log10(fLargest)));
    for (float fStep : {1.0f, 2.0f, 5.0f, 10.0f})
        if (fStep * fPower >= fLargest)
            return fStep * fPower;
    return 10.0f * fPower;
}

} // namespace

MainJobPictures::MainJobPictures(Dz3DViewport* pView, const QString& folder) : _pView(pView), _folder(folder)
{
    QDir().mkpath(folder);
}

bool MainJobPictures::shoot(const QList<DzNode*>& nodes, const QString& fileName, const QString& caption)
{
    const OnlyVisible only(nodes);
    dzScene->selectAllNodes(false);  // no selection highlight in the pictures
    _pView->setCameraAngles(fYawDegrees, fPitchDegrees);
    _pView->frameNodes(nodes);
    const QString path = QDir(_folder).filePath(fileName);
    if (!_pView->renderToFile(path, iWidth, iHeight))
        return false;
    _written << path;
    _captions << caption;
    return true;
}

bool MainJobPictures::shootDistances(DzNode* pNode, const QVector<float>& distancesCm, const QString& fileName,
                                     const QString& caption)
{
    const float fLargest = distancesCm.isEmpty() ? 0.0f : *std::max_element(distancesCm.begin(), distancesCm.end());
    if (!_pView->setScalarOverlay(pNode, distancesCm, legendTop(fLargest), QStringLiteral("cm"),
                                  QStringLiteral("Distance to the source")))
        return false;
    const bool bWritten = shoot({pNode}, fileName, caption);
    _pView->clearOverlay();
    return bWritten;
}
