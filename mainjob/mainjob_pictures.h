#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

class Dz3DViewport;
class DzNode;

// Pictures of chosen nodes from the studio's 3D view: the other nodes are hidden while the
// picture is taken, the camera frames what is shown from a three-quarter front view.
class MainJobPictures {
public:
    MainJobPictures(Dz3DViewport* pView, const QString& folder);

    // Writes <folder>/<fileName> showing only `nodes`, with the caption that says what it shows;
    // false when it cannot be written.
    bool shoot(const QList<DzNode*>& nodes, const QString& fileName, const QString& caption);
    // The same, with the node coloured by one value per vertex (centimetres) and a legend.
    bool shootDistances(DzNode* pNode, const QVector<float>& distancesCm, const QString& fileName,
                        const QString& caption);

    const QStringList& written() const { return _written; }
    const QStringList& captions() const { return _captions; }  // one per file written

private:
    Dz3DViewport* _pView;
    QString _folder;
    QStringList _written;
    QStringList _captions;
};
