#pragma once

#include <QObject>
#include <QString>

#include "dzfileioerror.h"

class DzFileIOSettings;

// A file importer. Subclasses read one format and add what they read to the scene.
class DzImporter : public QObject {
    Q_OBJECT
public:
    explicit DzImporter(QObject* parent = nullptr);
    ~DzImporter() override;

public slots:
    virtual QString getDescription() const = 0;
    virtual int getNumExtensions() const;
    virtual QString getExtension(int index) const = 0;
    // Fills `options` with the importer's defaults.
    virtual void getDefaultOptions(DzFileIOSettings* options) const;
    // 0 on success, otherwise a DzFileIOErrorCode whose text the import manager gives.
    virtual DzError readFile(const QString& filename, const DzFileIOSettings* options) = 0;
};
