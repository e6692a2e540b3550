#include "dzmorphloader.h"

#include "dzapp.h"
#include "dzfigure.h"
#include "dzobject.h"
#include "dzplugin.h"
#include "dzpluginmgr.h"
#include "dzweightmapcontext.h"
#include "geometry/dzgeometry.h"
#include "tools/morphloader_options.h"

namespace {

bool hasGeometry(const DzNode* node)
{
    return node && DzGeometry::currentShape(node) && DzGeometry::vertexCount(node, 0) > 0;
}

} // namespace

DzMorphLoader::DzMorphLoader() : _o(new Options) {}

DzMorphLoader::~DzMorphLoader() { delete _o; }

DzVertexMeshPtr DzMorphLoader::getMesh() const { return _mesh; }

void DzMorphLoader::setMesh(const DzVertexMeshPtr& mesh) { _mesh = mesh; }

bool DzMorphLoader::setLoadMode(LoadMode mode, DzNode* node)
{
    const bool isFigure = node && node->inherits("DzFigure");
    bool ok = false;
    switch (mode) {
    case FigureMode: ok = isFigure && hasGeometry(node); break;
    case NodeGeometryMode: ok = !isFigure && hasGeometry(node); break;
    case NoLoadMode:
    case FileOnlyMode: ok = true; break;
    }
    if (ok)
        _o->loadMode = mode;
    return ok;
}

DzMorphLoader::LoadMode DzMorphLoader::getLoadMode() const { return _o->loadMode; }

void DzMorphLoader::setDisplayName(const QString& name) { _o->displayName = name; }
QString DzMorphLoader::getDisplayName() const { return _o->displayName; }
void DzMorphLoader::setFilename(const QString& filename) { _o->filename = filename; }
QString DzMorphLoader::getFilename() const { return _o->filename; }
void DzMorphLoader::setMorphName(const QString& name) { _o->morphName = name; }
QString DzMorphLoader::getMorphName() const { return _o->morphName; }
void DzMorphLoader::setMorphSubdivision(bool onOff) { _o->subdivision = onOff; }
bool DzMorphLoader::getMorphSubdivision() const { return _o->subdivision; }
void DzMorphLoader::setSubdivisionBuiltResolution(int level) { _o->builtResolution = level; }
int DzMorphLoader::getSubdivisionBuiltResolution() const { return _o->builtResolution; }
void DzMorphLoader::setSubdivisionMinResolution(int level) { _o->minResolution = level; }
int DzMorphLoader::getSubdivisionMinResolution() const { return _o->minResolution; }
void DzMorphLoader::setSubdivisionMaxResolution(int level) { _o->maxResolution = level; }
int DzMorphLoader::getSubdivisionMaxResolution() const { return _o->maxResolution; }
void DzMorphLoader::setSubdivisionSmoothCage(bool onOff) { _o->smoothCage = onOff; }
bool DzMorphLoader::getSubdivisionSmoothCage() const { return _o->smoothCage; }
void DzMorphLoader::setSubdivisionMapping(SubdMapping mapping) { _o->mapping = mapping; }
DzMorphLoader::SubdMapping DzMorphLoader::getSubdivisionMapping() const { return _o->mapping; }
void DzMorphLoader::setDeltaTolerance(float tolerance) { _o->deltaTolerance = tolerance; }
float DzMorphLoader::getDeltaTolerance() const { return _o->deltaTolerance; }
void DzMorphLoader::setCreateControlProperty(bool onOff) { _o->createControlProperty = onOff; }
bool DzMorphLoader::getCreateControlProperty() const { return _o->createControlProperty; }
void DzMorphLoader::setPropertyGroupPath(const QString& path) { _o->propertyGroupPath = path; }
QString DzMorphLoader::getPropertyGroupPath() const { return _o->propertyGroupPath; }
void DzMorphLoader::setControlPropertyERCType(DzERCLink::ERCType type) { _o->ercType = type; }
DzERCLink::ERCType DzMorphLoader::getControlPropertyERCType() const { return _o->ercType; }
void DzMorphLoader::setControlPropertyERCUseCustomValue(bool onOff) { _o->ercUseCustomValue = onOff; }
bool DzMorphLoader::getControlPropertyERCUseCustomValue() const { return _o->ercUseCustomValue; }
void DzMorphLoader::setControlPropertyERCCustomValue(float value) { _o->ercCustomValue = value; }
float DzMorphLoader::getControlPropertyERCCustomValue() const { return _o->ercCustomValue; }
void DzMorphLoader::setControlNode(DzNode* node) { _o->controlNode = node; }
DzNode* DzMorphLoader::getControlNode() const { return _o->controlNode; }
void DzMorphLoader::setControlProperty(DzNumericProperty* property) { _o->controlProperty = property; }
DzNumericProperty* DzMorphLoader::getControlProperty() const { return _o->controlProperty; }
void DzMorphLoader::setControlPropertyUseCustomLabel(bool onOff) { _o->useCustomLabel = onOff; }
bool DzMorphLoader::getControlPropertyUseCustomLabel() const { return _o->useCustomLabel; }
void DzMorphLoader::setControlPropertyCustomLabel(const QString& label) { _o->customLabel = label; }
QString DzMorphLoader::getControlPropertyCustomLabel() const { return _o->customLabel; }
void DzMorphLoader::setHideSecondaryProperties(bool onOff) { _o->hideSecondary = onOff; }
bool DzMorphLoader::getHideSecondaryProperties() const { return _o->hideSecondary; }
void DzMorphLoader::setReverseDeformations(bool onOff) { _o->reverseDeformations = onOff; }
bool DzMorphLoader::getReverseDeformations() const { return _o->reverseDeformations; }
void DzMorphLoader::setPreserveExistingDeltas(bool onOff) { _o->preserveExistingDeltas = onOff; }
bool DzMorphLoader::getPreserveExistingDeltas() const { return _o->preserveExistingDeltas; }
void DzMorphLoader::setReverseDeformationsPose(const QString& pose) { _o->reverseDeformationsPose = pose; }
QString DzMorphLoader::getReverseDeformationsPose() const { return _o->reverseDeformationsPose; }
void DzMorphLoader::setOverwriteExisting(OverwriteMode mode) { _o->overwrite = mode; }
DzMorphLoader::OverwriteMode DzMorphLoader::getOverwriteExisting() const { return _o->overwrite; }
void DzMorphLoader::setCleanUpOrphans(bool onOff) { _o->cleanUpOrphans = onOff; }
bool DzMorphLoader::getCleanUpOrphans() const { return _o->cleanUpOrphans; }
void DzMorphLoader::setMorphMirroring(MirroringType mirroring) { _o->mirroring = mirroring; }
DzMorphLoader::MirroringType DzMorphLoader::getMorphMirroring() const { return _o->mirroring; }
void DzMorphLoader::setAttenuateMapPath(const QString& path) { _o->attenuateMapPath = path; }
QString DzMorphLoader::getAttenuateMapPath() const { return _o->attenuateMapPath; }
void DzMorphLoader::setAttenuateStrength(float strength) { _o->attenuateStrength = strength; }
float DzMorphLoader::getAttenuateStrength() const { return _o->attenuateStrength; }
void DzMorphLoader::setAttenuateEdgeStrength(float strength) { _o->attenuateEdgeStrength = strength; }
float DzMorphLoader::getAttenuateEdgeStrength() const { return _o->attenuateEdgeStrength; }

bool DzMorphLoader::morphAlreadyExists(DzNode* node) const
{
    DzObject* object = node ? node->getObject() : nullptr;
    return object && object->findModifier(_o->morphName);
}

bool DzMorphLoader::allowMultiResolutionMorphs() const
{
    DzPluginMgr* mgr = dzApp ? dzApp->getPluginMgr() : nullptr;
    DzPlugin* plugin =
        mgr ? mgr->findPlugin(QStringLiteral("Morph Loader Pro SubDivision Resolution")) : nullptr;
    return plugin && plugin->isActivated() && plugin->getStatus() == 0;
}

QString DzMorphLoader::getPathForContext(DzWeightMapContext* context, DzNode* node) const
{
    if (!context || !context->getNode() || !node)
        return QString();
    return QStringLiteral("%1::weightmap::%2/%3")
        .arg(context->getNode()->getLabel(), node->getLabel(), context->getMapPath());
}
