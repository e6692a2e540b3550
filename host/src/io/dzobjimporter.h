#pragma once

#include "dzimporter.h"

// Reads a polygon OBJ file and adds it to the scene as one node (with an object and a shape)
// labelled with the file's base name.
class DzObjImporter : public DzImporter {
    Q_OBJECT
public:
    explicit DzObjImporter(QObject* parent = nullptr);

public slots:
    QString getDescription() const override;
    QString getExtension(int index) const override;
    void getDefaultOptions(DzFileIOSettings* options) const override;
    DzError readFile(const QString& filename, const DzFileIOSettings* options) override;
};
