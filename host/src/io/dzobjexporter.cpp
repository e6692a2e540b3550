#include "io/dzobjexporter.h"

#include <QFileInfo>

#include "io/objaxes.h"
#include "dzapp.h"
#include "dzfileiosettings.h"
#include "dznode.h"
#include "dzscene.h"
#include "geometry/dzgeometry.h"
#include "io/dzfileioerrortext.h"
#include "io/filereplacer.h"
#include "io/objoptionsdialog.h"
#include "io/objwriter.h"

namespace {

bool flag(const DzSettings& o, const char* key, bool def)
{
    return o.getBoolValue(QLatin1String(key), def);
}

bool hasSelectedAncestor(const DzNode* node)
{
    for (DzNode* p = node->getNodeParent(); p; p = p->getNodeParent())
        if (p->isSelected())
            return true;
    return false;
}

const DzNode* rootOf(const DzNode* node)
{
    while (node->getNodeParent())
        node = node->getNodeParent();
    return node;
}

// A selected node whose ancestors are not selected heads one selected hierarchy.
bool isSelectionRoot(const DzNode* node)
{
    return node->isSelected() && !hasSelectedAncestor(node);
}

bool passesSelection(const DzNode* node, const DzSettings& o)
{
    const bool parented = flag(o, "IncludeParented", false);
    if (flag(o, "SelectedOnly", false)
        && !(node->isSelected() || (parented && hasSelectedAncestor(node))))
        return false;
    if (flag(o, "SelectedRootsOnly", false)) {
        bool underSelectionRoot = false;
        for (const DzNode* p = node->getNodeParent(); p && parented; p = p->getNodeParent())
            underSelectionRoot = underSelectionRoot || isSelectionRoot(p);
        if (!isSelectionRoot(node) && !underSelectionRoot)
            return false;
    }
    if (flag(o, "PrimaryRootOnly", false)) {
        const DzNode* primary = dzScene->getPrimarySelection();
        if (!primary)
            return false;
        const DzNode* root = rootOf(primary);
        if (node != root && !(parented && rootOf(node) == root))
            return false;
    }
    return true;
}

ObjWriteOptions writeOptions(const DzSettings& o, const QString& filename)
{
    ObjWriteOptions w;
    w.precision = qBound(0, o.getIntValue(QStringLiteral("FloatPrecision"), 8), 17);
    w.writeVT = flag(o, "WriteVT", true);
    w.writeVN = flag(o, "WriteVN", false);
    w.writeF = flag(o, "WriteF", true);
    w.writeO = flag(o, "WriteO", false);
    w.writeG = flag(o, "WriteG", true);
    w.groupNodes = flag(o, "GroupNodes", false);
    w.groupGeom = flag(o, "GroupGeom", true);
    w.groupSurfaces = flag(o, "GroupSurfaces", false);
    w.groupSingle = flag(o, "GroupSingle", false);
    w.writeUsemtl = flag(o, "WriteUsemtl", true);
    w.fileBaseName = QFileInfo(filename).completeBaseName();
    if (flag(o, "WriteMtllib", false))
        w.mtllib = w.fileBaseName + QStringLiteral(".mtl");
    return w;
}

// A shared temporary folder may hold a link someone planted at the path: it is refused, not
// followed.
DzError writeFailure(const FileReplacer& file)
{
    if (file.failure() == FileReplacer::Failure::Link)
        return dzFileIOFail(DZ_FILE_LINK_ERROR,
                            QStringLiteral("Could not write %1: it is a symbolic link, and the exporter never "
                                           "writes through links")
                                .arg(file.path()));
    return dzFileIOFail(DZ_WRITE_FILE_ERROR, QStringLiteral("Could not write %1: %2").arg(file.path(), file.reason()));
}

// The file named `name` in `folder`, replaced whole.
DzError writeText(const QString& folder, const QString& name, const QByteArray& text)
{
    FileReplacer file(folder, name);
    if (!file.open() || file.device().write(text) != text.size() || !file.commit())
        return writeFailure(file);
    return DZ_NO_ERROR;
}

} // namespace

DzObjExporter::DzObjExporter(QObject* parent) : DzExporter(parent) {}

QString DzObjExporter::getDescription() const { return QStringLiteral("Wavefront Object"); }

QString DzObjExporter::getExtension() const { return QStringLiteral("obj"); }

void DzObjExporter::getDefaultOptions(DzFileIOSettings* options) const
{
    if (!options)
        return;
    ObjAxes::writeDefaults(*options, "Axis");
    for (const char* key : {"WriteVN",
                            "WriteO", "GroupNodes", "GroupSurfaces", "GroupSingle", "WriteMtllib",
                            "SelectedOnly", "PrimaryRootOnly", "SelectedRootsOnly",
                            "IncludeParented"})
        options->setBoolValue(QLatin1String(key), false);
    for (const char* key : {"IgnoreInvisible", "WriteVT", "WriteF", "WriteG", "GroupGeom",
                            "WriteUsemtl"})
        options->setBoolValue(QLatin1String(key), true);
    options->setIntValue(QStringLiteral("FloatPrecision"), 8);
    options->setIntValue(QStringLiteral("RunSilent"), 0);
}

QList<DzNode*> DzObjExporter::chooseNodes(const DzSettings& options)
{
    QList<DzNode*> chosen;
    if (!dzScene)
        return chosen;
    const bool ignoreInvisible = flag(options, "IgnoreInvisible", true);
    for (DzNode* node : dzScene->nodeList()) {
        if (chosen.contains(node) || !DzGeometry::worldMesh(node))
            continue;
        if (ignoreInvisible && !node->isVisible())
            continue;
        if (passesSelection(node, options))
            chosen.append(node);
    }
    return chosen;
}

DzError DzObjExporter::writeFile(const QString& filename, const DzFileIOSettings* options)
{
    DzFileIOSettings effective;
    getDefaultOptions(&effective);
    if (options)
        effective.mergeFrom(*options);
    if (effective.getIntValue(QStringLiteral("RunSilent"), 0) == 0
        && !dzExecObjOptionsDialog(QStringLiteral("OBJ Export Options"), effective, "Axis"))
        return dzFileIOFail(DZ_USER_CANCELLED, QString());

    ObjWriteOptions w = writeOptions(effective, filename);
    if (!w.axes.read(effective, "Axis"))
        return dzFileIOFail(DZ_INVALID_ARGUMENT,
                            QStringLiteral("Invalid axis or scale options for exporting %1").arg(filename));
    const QList<DzNode*> nodes = chooseNodes(effective);
    if (nodes.isEmpty())
        return dzFileIOFail(DZ_NOTHING_TO_EXPORT,
                            QStringLiteral("There is nothing to export to %1: no node with geometry "
                                           "matches the selection options")
                                .arg(filename));
    const QFileInfo target(filename);
    FileReplacer file(target.path(), target.fileName());  // an existing file stays until the new one is whole
    if (!file.open())
        return writeFailure(file);
    ObjWriter writer(w, file.device());
    for (DzNode* node : nodes)
        writer.addMesh(node->getLabel(), *DzGeometry::worldMesh(node));
    if (!writer.finish() || !file.commit())
        return writeFailure(file);
    if (!w.mtllib.isEmpty())
        return writeText(target.path(), w.mtllib, writer.materialLibraryText());
    return DZ_NO_ERROR;
}
