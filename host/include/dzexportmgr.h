#pragma once

#include <QList>
#include <QObject>

#include "dzfileioerror.h"

class DzExporter;

// The exporters of the session (owned by the manager).
class DzExportMgr : public QObject {
    Q_OBJECT
public:
    explicit DzExportMgr(QObject* parent = nullptr);
    ~DzExportMgr() override;

    void addExporter(DzExporter* exporter);

public slots:
    int getNumExporters() const;
    DzExporter* getExporter(int index) const;
    DzExporter* findExporterByClassName(const QString& className) const;
    // The text of a result code; for the last failure of a file tool it names the file.
    QString getErrorMessage(DzError code) const;

private:
    QList<DzExporter*> _exporters;
};
