#include "dzexportmgr.h"

#include "dzexporter.h"
#include "io/dzfileioerrortext.h"

DzExportMgr::DzExportMgr(QObject* parent) : QObject(parent) {}

DzExportMgr::~DzExportMgr() = default;

void DzExportMgr::addExporter(DzExporter* exporter)
{
    if (!exporter || _exporters.contains(exporter))
        return;
    exporter->setParent(this);
    _exporters.append(exporter);
}

int DzExportMgr::getNumExporters() const { return _exporters.size(); }

DzExporter* DzExportMgr::getExporter(int index) const { return _exporters.value(index); }

DzExporter* DzExportMgr::findExporterByClassName(const QString& className) const
{
    for (DzExporter* exporter : _exporters)
        if (QLatin1String(exporter->metaObject()->className()) == className)
            return exporter;
    return nullptr;
}

QString DzExportMgr::getErrorMessage(DzError code) const { return dzFileIOErrorMessage(code); }
