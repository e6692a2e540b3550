#include "tv_daz-helpers-morphloader.h"

#include <array>
#include <memory>

#include "dzapp.h"
#include "dzfileiosettings.h"
#include "dzmorphloader.h"
#include "dznode.h"
#include "dzplugin.h"
#include "dzpluginmgr.h"
#include "tv_daz-helpers-objects.h"
#include "tv_exception.h"
#include "tv_str.h"

namespace tav::daz {
namespace {

constexpr std::array<const char*, 67> aLoaderSignatures = {
    "createMorph(DzFileIOSettings*,DzNode*,bool,bool)",
    "createMorphFromMesh(DzVertexMeshPtr,DzNode*,bool,bool)",
    "setLoadMode(LoadMode,DzNode*)",
    "setDisplayName(QString)", "getDisplayName()",
    "setFilename(QString)", "getFilename()",
    "setMorphName(QString)", "getMorphName()",
    "setMorphSubdivision(bool)", "getMorphSubdivision()",
    "setSubdivisionBuiltResolution(int)", "getSubdivisionBuiltResolution()",
    "setSubdivisionMinResolution(int)", "getSubdivisionMinResolution()",
    "setSubdivisionMaxResolution(int)", "getSubdivisionMaxResolution()",
    "setSubdivisionSmoothCage(bool)", "getSubdivisionSmoothCage()",
    "setSubdivisionMapping(SubdMapping)", "getSubdivisionMapping()",
    "setDeltaTolerance(float)", "getDeltaTolerance()",
    "setCreateControlProperty(bool)", "getCreateControlProperty()",
    "setPropertyGroupPath(QString)", "getPropertyGroupPath()",
    "setControlPropertyERCType(DzERCLink::ERCType)", "getControlPropertyERCType()",
    "setControlPropertyERCUseCustomValue(bool)", "getControlPropertyERCUseCustomValue()",
    "setControlPropertyERCCustomValue(float)", "getControlPropertyERCCustomValue()",
    "setControlNode(DzNode*)", "getControlNode()",
    "setControlProperty(DzNumericProperty*)", "getControlProperty()",
    "setControlPropertyUseCustomLabel(bool)", "getControlPropertyUseCustomLabel()",
    "setControlPropertyCustomLabel(QString)", "getControlPropertyCustomLabel()",
    "setHideSecondaryProperties(bool)", "getHideSecondaryProperties()",
    "setReverseDeformations(bool)", "getReverseDeformations()",
    "setPreserveExistingDeltas(bool)", "getPreserveExistingDeltas()",
    "setReverseDeformationsPose(QString)", "getReverseDeformationsPose()",
    "setOverwriteExisting(OverwriteMode)", "getOverwriteExisting()",
    "setCleanUpOrphans(bool)", "getCleanUpOrphans()",
    "setMorphMirroring(MirroringType)", "getMorphMirroring()",
    "setAttenuateMapPath(QString)", "getAttenuateMapPath()",
    "setAttenuateStrength(float)", "getAttenuateStrength()",
    "setAttenuateEdgeStrength(float)", "getAttenuateEdgeStrength()",
    "readObjectSettingsFromConfigFile(QString,QString)",
    "readObjectCommonSettingsFromConfigFile(QString)",
    "saveObjectSettingsToConfigFile(QString,QString,bool)",
    "morphAlreadyExists(DzNode*)",
    "allowMultiResolutionMorphs()",
    "getPathForContext(DzWeightMapContext*,DzNode*)",
};

constexpr std::array<const char*, 25> aBatchSignatures = {
    "morphListChanged()",
    "morphAdded(DzMorphLoader*)",
    "morphRemoved(DzMorphLoader*,int)",
    "morphMoved(int,int)",
    "createMorphs(DzFileIOSettings*,DzNode*,bool,bool)",
    "createMorphs(DzFileIOSettings*,DzNode*,bool)",
    "createMorphs(DzFileIOSettings*,DzNode*)",
    "addMorph(DzMorphLoader*)",
    "getNumMorphs()",
    "getMorph(int)",
    "findMorph(DzMorphLoader*)",
    "clear()",
    "moveMorph(DzMorphLoader*,bool)",
    "removeMorph(DzMorphLoader*)",
    "addFromFile(QString)",
    "addFromFiles(QStringList)",
    "addFromMesh(DzVertexMesh*)",
    "addFromConfigFile(QString)",
    "saveProjectSettingsToConfigFile(QString,bool,bool)",
    "usePresetConfiguration()",
    "setUsePresetConfiguration(bool)",
    "presetConfigurationFile()",
    "setPresetConfigurationFile(QString)",
    "setNode(DzNode*)",
    "getNode()",
};

MethodTable<aLoaderSignatures.size()> loaderTable(aLoaderSignatures);
MethodTable<aBatchSignatures.size()> batchTable(aBatchSignatures);

// The loader's setters each take one value; `pcszType` names the declared type.
template <typename T>
void Set(QObject* pLoader, const char* pcszSignature, const char* pcszType, const T& value)
{
    InvokeMethod(pLoader, loaderTable.Method(pcszSignature), QGenericReturnArgument(),
                 QGenericArgument(pcszType, &value));
}

std::unique_ptr<DzFileIOSettings> ImporterSettings(const QString& importerJson)
{
    auto pSettings = std::make_unique<DzFileIOSettings>();
    if (!importerJson.isEmpty() && !pSettings->fromString(importerJson))
        throw Exception("invalid JSON settings for OBJ importer in Morph Loader Pro");
    for (const char* pcszKey : {"IncludeVT", "IncludeG", "IncludeUsemtl", "IncludeMtllib"})
        pSettings->setBoolValue(QString::fromUtf8(pcszKey), false);
    pSettings->setIntValue(QString::fromLatin1("RunSilent"), 1);
    return pSettings;
}

} // namespace

std::string LoadMorph(DzNode* pNode, std::string_view objPath, std::string_view morphName,
                      const QString& importerJson, bool bSubdivision, int iBuiltResolution,
                      std::string_view propertyGroupPath, bool bReverseDeformations,
                      std::string_view attenuateMapPath, float fAttenuateStrength)
{
    const std::unique_ptr<DzFileIOSettings> pSettings = ImporterSettings(importerJson);

    // The batch does not own the loaders added to it; both go with this call.
    const std::unique_ptr<QObject> pOwnedLoader(CreateObject("DzMorphLoader"));
    QObject* pLoader = pOwnedLoader.get();
    loaderTable.Resolve(pLoader);

    const int eLoadMode = pNode && pNode->inherits(QString::fromLatin1("DzFigure")) ? DzMorphLoader::FigureMode
                                                                                     : DzMorphLoader::NodeGeometryMode;
    bool bModeAccepted = false;
    InvokeMethod(pLoader, loaderTable.Method("setLoadMode(LoadMode,DzNode*)"), Q_RETURN_ARG(bool, bModeAccepted),
                 QGenericArgument("LoadMode", &eLoadMode), Q_ARG(DzNode*, pNode));
    Set(pLoader, "setFilename(QString)", "QString", ToQString(objPath));
    Set(pLoader, "setMorphName(QString)", "QString", ToQString(morphName));
    Set(pLoader, "setMorphSubdivision(bool)", "bool", bSubdivision);
    Set(pLoader, "setSubdivisionBuiltResolution(int)", "int", iBuiltResolution);
    Set(pLoader, "setSubdivisionMinResolution(int)", "int", int(DzMorphLoader::MinSubdivisionResolution));
    Set(pLoader, "setSubdivisionMaxResolution(int)", "int", int(DzMorphLoader::MaxSubdivisionResolution));
    Set(pLoader, "setSubdivisionSmoothCage(bool)", "bool", bSubdivision);
    Set(pLoader, "setSubdivisionMapping(SubdMapping)", "SubdMapping", int(DzMorphLoader::CatmarkMapping));
    Set(pLoader, "setDeltaTolerance(float)", "float", DzMorphLoader::DefaultDeltaTolerance);
    Set(pLoader, "setCreateControlProperty(bool)", "bool", false);
    Set(pLoader, "setPropertyGroupPath(QString)", "QString", ToQString(propertyGroupPath));
    Set(pLoader, "setReverseDeformations(bool)", "bool", bReverseDeformations);
    Set(pLoader, "setOverwriteExisting(OverwriteMode)", "OverwriteMode", int(DzMorphLoader::ReplaceExisting));
    Set(pLoader, "setCleanUpOrphans(bool)", "bool", true);
    Set(pLoader, "setMorphMirroring(MirroringType)", "MirroringType", int(DzMorphLoader::NoMirroring));
    if (!attenuateMapPath.empty()) {
        Set(pLoader, "setAttenuateMapPath(QString)", "QString", ToQString(attenuateMapPath));
        Set(pLoader, "setAttenuateStrength(float)", "float", fAttenuateStrength);
    }
    if (!bModeAccepted)
        throw Exception("incompatible load mode");

    const std::unique_ptr<QObject> pOwnedBatch(CreateObject("DzMorphLoaderBatch"));
    QObject* pBatch = pOwnedBatch.get();
    batchTable.Resolve(pBatch);
    InvokeMethod(pBatch, batchTable.Method("addMorph(DzMorphLoader*)"), QGenericReturnArgument(),
                 QGenericArgument("DzMorphLoader*", &pLoader));

    DzFileIOSettings* pRawSettings = pSettings.get();
    const bool bFalse = false, bTrue = true;
    QString report;
    InvokeMethod(pBatch, batchTable.Method("createMorphs(DzFileIOSettings*,DzNode*,bool,bool)"),
                 Q_RETURN_ARG(QString, report), QGenericArgument("DzFileIOSettings*", &pRawSettings),
                 Q_ARG(DzNode*, pNode), QGenericArgument("bool", &bFalse), QGenericArgument("bool", &bTrue));
    return ToUtf8(report);
}

bool IsMorphLoaderProSubdivisionAvailable()
{
    DzPluginMgr* pMgr = dzApp ? dzApp->getPluginMgr() : nullptr;
    if (!pMgr)
        return false;
    DzPlugin* pPlugin = pMgr->findPlugin(QString::fromLatin1("Morph Loader Pro SubDivision Resolution"));
    if (!pPlugin || !pPlugin->isActivated())
        return false;
    return pPlugin->getStatus() == 0;
}

int MorphLoaderTableResolutions() { return loaderTable.Resolutions() + batchTable.Resolutions(); }

} // namespace tav::daz
