#pragma once

#include <QObject>
#include <QString>

#include "dzfileioerror.h"

class DzFileIOSettings;

// A file exporter. Subclasses write the scene (or part of it) in one format.
class DzExporter : public QObject {
    Q_OBJECT
public:
    explicit DzExporter(QObject* parent = nullptr);
    ~DzExporter() override;

public slots:
    virtual QString getDescription() const = 0;
    virtual QString getExtension() const = 0;
    // Fills `options` with the exporter's defaults.
    virtual void getDefaultOptions(DzFileIOSettings* options) const;
    // 0 on success, otherwise a DzFileIOErrorCode whose text the export manager gives.
    virtual DzError writeFile(const QString& filename, const DzFileIOSettings* options) = 0;
};
