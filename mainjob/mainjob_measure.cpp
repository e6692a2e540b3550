#include "mainjob_measure.h"

#include <QDir>
#include <QFile>

#include "dzapp.h"
#include "dzexporter.h"
#include "dzexportmgr.h"
#include "dzfileiosettings.h"
#include "dzimporter.h"
#include "dzimportmgr.h"
#include "dznode.h"
#include "dzobject.h"
#include "dzscene.h"
#include "dzshape.h"

namespace {

const char* const pcszFileStem = "mainjob-evaluated-mesh";

// Silent, in the scene's own units, the selected node alone, every vertex as evaluated.
void setExportOptions(DzFileIOSettings& options)
{
    options.setIntValue(QStringLiteral("RunSilent"), 1);
    options.setFloatValue(QStringLiteral("Scale"), 1.0);
    options.setBoolValue(QStringLiteral("SelectedRootsOnly"), true);
    options.setBoolValue(QStringLiteral("IgnoreInvisible"), false);
    options.setBoolValue(QStringLiteral("WeldSeams"), false);
    options.setBoolValue(QStringLiteral("RemoveUnusedVerts"), false);
}

void setImportOptions(DzFileIOSettings& options)
{
    options.setIntValue(QStringLiteral("RunSilent"), 1);
    options.setFloatValue(QStringLiteral("Scale"), 1.0);
}

} // namespace

bool evaluatedWorldMesh(DzNode* pNode, const QString& folder, DzFacetMesh* pMesh, QString* error)
{
    DzExporter* pExporter = dzApp->getExportMgr()->findExporterByClassName(QStringLiteral("DzObjExporter"));
    DzImporter* pImporter = dzApp->getImportMgr()->findImporterByClassName(QStringLiteral("DzObjImporter"));
    if (!pExporter || !pImporter) {
        *error = QStringLiteral("the host has no OBJ exporter or importer");
        return false;
    }
    const QString path = QDir(folder).filePath(QStringLiteral("%1.obj").arg(pcszFileStem));
    dzScene->selectAllNodes(false);
    pNode->select(true);
    DzFileIOSettings exportSettings;
    setExportOptions(exportSettings);
    const DzError exportResult = pExporter->writeFile(path, &exportSettings);
    DzFileIOSettings importSettings;
    setImportOptions(importSettings);
    const DzError importResult = exportResult == 0 ? pImporter->readFile(path, &importSettings) : exportResult;
    QFile::remove(path);
    if (exportResult != 0 || importResult != 0) {
        *error = QStringLiteral("cannot take the evaluated mesh of %1 through an OBJ file: %2")
                     .arg(pNode->getLabel(), exportResult != 0 ? dzApp->getExportMgr()->getErrorMessage(exportResult)
                                                               : dzApp->getImportMgr()->getErrorMessage(importResult));
        return false;
    }
    DzNode* pCopy = dzScene->findNodeByLabel(QString::fromLatin1(pcszFileStem));
    DzShape* pShape = pCopy && pCopy->getObject() ? pCopy->getObject()->getCurrentShape() : nullptr;
    if (pShape)
        *pMesh = pShape->getFacetMesh();
    if (pCopy)
        dzScene->removeNode(pCopy);
    if (!pShape)
        *error = QStringLiteral("the OBJ importer added no mesh labelled %1").arg(pcszFileStem);
    return pShape != nullptr;
}
