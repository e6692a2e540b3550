#include "tv_daz-helpers-morphloader.h"

#include <QMetaMethod>
#include <array>
#include <atomic>
#include <memory>
#include <mutex>

#include "dzapp.h"
#include "dzfileiosettings.h"
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

// Indices of the methods called, into the tables above.
enum LoaderMethod : size_t {
    eSetLoadMode = 2, eSetFilename = 5, eSetMorphName = 7, eSetMorphSubdivision = 9,
    eSetSubdivisionBuiltResolution = 11, eSetSubdivisionMinResolution = 13,
    eSetSubdivisionMaxResolution = 15, eSetSubdivisionSmoothCage = 17,
    eSetSubdivisionMapping = 19, eSetDeltaTolerance = 21, eSetCreateControlProperty = 23,
    eSetPropertyGroupPath = 25, eSetReverseDeformations = 43, eSetOverwriteExisting = 49,
    eSetCleanUpOrphans = 51, eSetMorphMirroring = 53, eSetAttenuateMapPath = 55,
    eSetAttenuateStrength = 57,
};
enum BatchMethod : size_t { eCreateMorphs = 4, eAddMorph = 7 };

// Resolved once, from the meta-object of the first object of the class.
template <size_t N>
struct MethodTable {
    std::once_flag once;
    const QMetaObject* pMetaObject = nullptr;
    std::array<QMetaMethod, N> aMethods;

    void Resolve(const QObject* pObject, const std::array<const char*, N>& aSignatures);
};

std::atomic<int> cTableResolutions{0};

template <size_t N>
void MethodTable<N>::Resolve(const QObject* pObject, const std::array<const char*, N>& aSignatures)
{
    std::call_once(once, [&] {
        const QMetaObject* pMeta = pObject->metaObject();
        for (size_t i = 0; i < N; ++i)
            aMethods[i] = ResolveMethod(pMeta, aSignatures[i]);
        pMetaObject = pMeta;
        ++cTableResolutions;
    });
}

MethodTable<aLoaderSignatures.size()> loaderTable;
MethodTable<aBatchSignatures.size()> batchTable;

void Invoke(QObject* pObject, const QMetaMethod& method, QGenericReturnArgument ret,
            QGenericArgument a0 = QGenericArgument(), QGenericArgument a1 = QGenericArgument(),
            QGenericArgument a2 = QGenericArgument(), QGenericArgument a3 = QGenericArgument())
{
    if (!method.invoke(pObject, Qt::DirectConnection, ret, a0, a1, a2, a3))
        throw Exception("failed to invoke {}::{}", "QObject",
                        method.methodSignature().constData());
}

void Invoke(QObject* pObject, const QMetaMethod& method, QGenericArgument a0,
            QGenericArgument a1 = QGenericArgument())
{
    Invoke(pObject, method, QGenericReturnArgument(), a0, a1);
}

// The loader's setters each take one value; `pcszType` names the declared type.
template <typename T>
void Set(QObject* pLoader, LoaderMethod eMethod, const char* pcszType, const T& value)
{
    Invoke(pLoader, loaderTable.aMethods[eMethod], QGenericArgument(pcszType, &value));
}

std::unique_ptr<DzFileIOSettings> ImporterSettings(const QString& importerJson)
{
    auto pSettings = std::make_unique<DzFileIOSettings>();
    if (!importerJson.isEmpty() && !pSettings->fromString(importerJson))
        throw Exception("invalid JSON settings for OBJ importer in Morph Loader Pro");
    for (const char* pcszKey : {"IncludeVT", "IncludeG", "IncludeUsemtl", "IncludeMtllib"})
        pSettings->setBoolValue(QString::fromUtf8(pcszKey), false);
    pSettings->setIntValue(QStringLiteral("RunSilent"), 1);
    return pSettings;
}

} // namespace

std::string LoadMorph(DzNode* pNode, std::string_view objPath, std::string_view morphName,
                      const QString& importerJson, bool bSubdivision, int iBuiltResolution,
                      std::string_view propertyGroupPath, bool bReverseDeformations,
                      std::string_view attenuateMapPath, float fAttenuateStrength)
{
    const std::unique_ptr<DzFileIOSettings> pSettings = ImporterSettings(importerJson);

    QObject* pLoader = CreateObject("DzMorphLoader");
    loaderTable.Resolve(pLoader, aLoaderSignatures);

    const int eLoadMode = pNode && pNode->inherits(QStringLiteral("DzFigure")) ? 3 : 2;
    bool bModeAccepted = false;
    Invoke(pLoader, loaderTable.aMethods[eSetLoadMode], Q_RETURN_ARG(bool, bModeAccepted),
           QGenericArgument("LoadMode", &eLoadMode), Q_ARG(DzNode*, pNode));
    Set(pLoader, eSetFilename, "QString", ToQString(objPath));
    Set(pLoader, eSetMorphName, "QString", ToQString(morphName));
    Set(pLoader, eSetMorphSubdivision, "bool", bSubdivision);
    Set(pLoader, eSetSubdivisionBuiltResolution, "int", iBuiltResolution);
    Set(pLoader, eSetSubdivisionMinResolution, "int", 0);
    Set(pLoader, eSetSubdivisionMaxResolution, "int", 9);
    Set(pLoader, eSetSubdivisionSmoothCage, "bool", bSubdivision);
    Set(pLoader, eSetSubdivisionMapping, "SubdMapping", 0);
    Set(pLoader, eSetDeltaTolerance, "float", 0.001f);
    Set(pLoader, eSetCreateControlProperty, "bool", false);
    Set(pLoader, eSetPropertyGroupPath, "QString", ToQString(propertyGroupPath));
    Set(pLoader, eSetReverseDeformations, "bool", bReverseDeformations);
    Set(pLoader, eSetOverwriteExisting, "OverwriteMode", 2);
    Set(pLoader, eSetCleanUpOrphans, "bool", true);
    Set(pLoader, eSetMorphMirroring, "MirroringType", 0);
    if (!attenuateMapPath.empty()) {
        Set(pLoader, eSetAttenuateMapPath, "QString", ToQString(attenuateMapPath));
        Set(pLoader, eSetAttenuateStrength, "float", fAttenuateStrength);
    }
    if (!bModeAccepted)
        throw Exception("incompatible load mode");

    QObject* pBatch = CreateObject("DzMorphLoaderBatch");
    batchTable.Resolve(pBatch, aBatchSignatures);
    Invoke(pBatch, batchTable.aMethods[eAddMorph], QGenericArgument("DzMorphLoader*", &pLoader));

    DzFileIOSettings* pRawSettings = pSettings.get();
    const bool bFalse = false, bTrue = true;
    QString report;
    Invoke(pBatch, batchTable.aMethods[eCreateMorphs], Q_RETURN_ARG(QString, report),
           QGenericArgument("DzFileIOSettings*", &pRawSettings), Q_ARG(DzNode*, pNode),
           QGenericArgument("bool", &bFalse), QGenericArgument("bool", &bTrue));
    return std::string();
}

bool IsMorphLoaderProSubdivisionAvailable()
{
    DzPluginMgr* pMgr = dzApp ? dzApp->getPluginMgr() : nullptr;
    if (!pMgr)
        return false;
    DzPlugin* pPlugin = pMgr->findPlugin(QStringLiteral("Morph Loader Pro SubDivision Resolution"));
    if (!pPlugin || !pPlugin->isActivated())
        return false;
    return pPlugin->getStatus() == 0;
}

int MorphLoaderTableResolutions() { return cTableResolutions.load(); }

} // namespace tav::daz
