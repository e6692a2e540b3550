#pragma once

#include <QObject>
#include <QString>

class DzNode;

// Names a weight map a tool may read: the node carrying the map and the map's path on it
// ("<node label>/Influence Weights").
class DzWeightMapContext : public QObject {
    Q_OBJECT
public:
    DzWeightMapContext(DzNode* node, const QString& mapPath, QObject* parent = nullptr);
    ~DzWeightMapContext() override;

public slots:
    DzNode* getNode() const;
    QString getMapPath() const;

private:
    DzNode* _node;
    QString _mapPath;
};
