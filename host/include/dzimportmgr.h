#pragma once

#include <QList>
#include <QObject>

#include "dzfileioerror.h"

class DzImporter;

// The importers of the session (owned by the manager).
class DzImportMgr : public QObject {
    Q_OBJECT
public:
    explicit DzImportMgr(QObject* parent = nullptr);
    ~DzImportMgr() override;

    void addImporter(DzImporter* importer);

public slots:
    int getNumImporters() const;
    DzImporter* getImporter(int index) const;
    DzImporter* findImporterByClassName(const QString& className) const;
    // The text of a result code; for the last failure of a file tool it names the file
    // (and, for malformed input, the line).
    QString getErrorMessage(DzError code) const;

private:
    QList<DzImporter*> _importers;
};
