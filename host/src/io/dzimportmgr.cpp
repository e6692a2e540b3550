#include "dzimportmgr.h"

#include "dzimporter.h"
#include "io/dzfileioerrortext.h"

DzImportMgr::DzImportMgr(QObject* parent) : QObject(parent) {}

DzImportMgr::~DzImportMgr() = default;

void DzImportMgr::addImporter(DzImporter* importer)
{
    if (!importer || _importers.contains(importer))
        return;
    importer->setParent(this);
    _importers.append(importer);
}

int DzImportMgr::getNumImporters() const { return _importers.size(); }

DzImporter* DzImportMgr::getImporter(int index) const { return _importers.value(index); }

DzImporter* DzImportMgr::findImporterByClassName(const QString& className) const
{
    for (DzImporter* importer : _importers)
        if (QLatin1String(importer->metaObject()->className()) == className)
            return importer;
    return nullptr;
}

QString DzImportMgr::getErrorMessage(DzError code) const { return dzFileIOErrorMessage(code); }
