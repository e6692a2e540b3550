#include "io/dzobjimporter.h"

#include <QFileInfo>

#include "io/objaxes.h"
#include "dzfacetmesh.h"
#include "dzapp.h"
#include "dzfileiosettings.h"
#include "dznode.h"
#include "dzobject.h"
#include "dzscene.h"
#include "dzshape.h"
#include "io/dzfileioerrortext.h"
#include "io/objmeshreader.h"
#include "io/objoptionsdialog.h"

DzObjImporter::DzObjImporter(QObject* parent) : DzImporter(parent) {}

QString DzObjImporter::getDescription() const { return QStringLiteral("Wavefront Object"); }

QString DzObjImporter::getExtension(int index) const
{
    return index == 0 ? QStringLiteral("obj") : QString();
}

void DzObjImporter::getDefaultOptions(DzFileIOSettings* options) const
{
    if (!options)
        return;
    ObjAxes::writeDefaults(*options, "");
    options->setBoolValue(QStringLiteral("AutoAdapt"), false);
    for (const char* key :
         {"IncludeVT", "IncludeF", "IncludeL", "IncludeG", "IncludeUsemtl", "IncludeMtllib"})
        options->setBoolValue(QLatin1String(key), true);
    options->setIntValue(QStringLiteral("RunSilent"), 0);
}

DzError DzObjImporter::readFile(const QString& filename, const DzFileIOSettings* options)
{
    DzFileIOSettings effective;
    getDefaultOptions(&effective);
    if (options)
        effective.mergeFrom(*options);
    if (effective.getIntValue(QStringLiteral("RunSilent"), 0) == 0
        && !dzExecObjOptionsDialog(QStringLiteral("OBJ Import Options"), effective, ""))
        return dzFileIOFail(DZ_USER_CANCELLED, QString());
    if (!dzScene)
        return dzFileIOFail(DZ_INVALID_ARGUMENT, QStringLiteral("There is no scene to import into"));

    DzFacetMesh mesh;
    const DzError result = dzReadObjFacetMesh(filename, effective, mesh);
    if (result != DZ_NO_ERROR)
        return result;

    const QString label = QFileInfo(filename).completeBaseName();
    auto* shape = new DzShape();
    shape->setFacetMesh(mesh);
    auto* object = new DzObject();
    object->addShape(shape);
    auto* node = new DzNode();
    node->setName(label);
    node->setLabel(label);
    node->setObject(object);
    dzScene->addNode(node);
    return DZ_NO_ERROR;
}
