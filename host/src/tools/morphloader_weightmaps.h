#pragma once

#include <QString>
#include <QVector>

class DzNode;

// The per-base-vertex weights of the weight map an attenuation path names for the node
// ("D-Former_1::weightmap::<node label>/Influence Weights"); empty when there is none or it
// does not fit the node's base mesh.
QVector<float> dzFindAttenuationMap(const DzNode* node, const QString& path);
