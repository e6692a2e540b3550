#pragma once

#include <QList>

#include "dzexporter.h"

class DzNode;
class DzSettings;

// Writes the evaluated world meshes of the nodes chosen by the selection options to a
// Wavefront OBJ file (and a material library when asked).
class DzObjExporter : public DzExporter {
    Q_OBJECT
public:
    explicit DzObjExporter(QObject* parent = nullptr);

    // The nodes the options choose, in scene order (host-internal, for tests and tools).
    static QList<DzNode*> chooseNodes(const DzSettings& options);

public slots:
    QString getDescription() const override;
    QString getExtension() const override;
    void getDefaultOptions(DzFileIOSettings* options) const override;
    DzError writeFile(const QString& filename, const DzFileIOSettings* options) override;
};
