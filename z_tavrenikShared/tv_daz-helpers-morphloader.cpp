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
#include "tv_assert.h"
#include "tv_daz-helpers-objects.h"
#include "tv_exception.h"
#include "tv_str.h"

namespace tav::daz {
namespace {

std::atomic<int> cTableResolutions{0};

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

// Every signature of a class, resolved once from the meta-object of its first object; calls
// find their method by signature, so the lists may grow or be reordered freely.
template <size_t N>
class MethodTable {
public:
    explicit MethodTable(const std::array<const char*, N>& aSignatures) : _aSignatures(aSignatures) {}

    void Resolve(const QObject* pObject)
    {
        std::call_once(_once, [&] {
            const QMetaObject* pMeta = pObject->metaObject();
            for (size_t i = 0; i < N; ++i)
                _aMethods[i] = ResolveMethod(pMeta, _aSignatures[i]);
            ++cTableResolutions;
        });
    }

    // The method of a signature of the list; asking for one that is not listed is a mistake in
    // this file.
    const QMetaMethod& Method(const char* pcszSignature) const
    {
        const QByteArray normalized = QMetaObject::normalizedSignature(pcszSignature);
        for (size_t i = 0; i < N; ++i)
            if (_aMethods[i].methodSignature() == normalized)
                return _aMethods[i];
        TV_ASSERT_AT(false, pcszSignature, "tv_daz-helpers-morphloader", __LINE__);
        return _aMethods[0];
    }

private:
    const std::array<const char*, N>& _aSignatures;
    std::once_flag _once;
    std::array<QMetaMethod, N> _aMethods;
};

MethodTable<aLoaderSignatures.size()> loaderTable(aLoaderSignatures);
MethodTable<aBatchSignatures.size()> batchTable(aBatchSignatures);

void Invoke(QObject* pObject, const QMetaMethod& method, QGenericReturnArgument ret,
            QGenericArgument a0 = QGenericArgument(), QGenericArgument a1 = QGenericArgument(),
            QGenericArgument a2 = QGenericArgument(), QGenericArgument a3 = QGenericArgument())
{
    if (!method.invoke(pObject, Qt::DirectConnection, ret, a0, a1, a2, a3))
        throw Exception("failed to invoke {}::{}", "QObject",
                        method.methodSignature().constData());
}

// The loader's setters each take one value; `pcszType` names the declared type.
template <typename T>
void Set(QObject* pLoader, const char* pcszSignature, const char* pcszType, const T& value)
{
    Invoke(pLoader, loaderTable.Method(pcszSignature), QGenericReturnArgument(), QGenericArgument(pcszType, &value));
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

    // The batch does not own the loaders added to it; both go with this call.
    const std::unique_ptr<QObject> pOwnedLoader(CreateObject("DzMorphLoader"));
    QObject* pLoader = pOwnedLoader.get();
    loaderTable.Resolve(pLoader);

    const int eLoadMode = pNode && pNode->inherits(QStringLiteral("DzFigure")) ? 3 : 2;
    bool bModeAccepted = false;
    Invoke(pLoader, loaderTable.Method("setLoadMode(LoadMode,DzNode*)"), Q_RETURN_ARG(bool, bModeAccepted),
           QGenericArgument("LoadMode", &eLoadMode), Q_ARG(DzNode*, pNode));
    Set(pLoader, "setFilename(QString)", "QString", ToQString(objPath));
    Set(pLoader, "setMorphName(QString)", "QString", ToQString(morphName));
    Set(pLoader, "setMorphSubdivision(bool)", "bool", bSubdivision);
    Set(pLoader, "setSubdivisionBuiltResolution(int)", "int", iBuiltResolution);
    Set(pLoader, "setSubdivisionMinResolution(int)", "int", 0);
    Set(pLoader, "setSubdivisionMaxResolution(int)", "int", 9);
    Set(pLoader, "setSubdivisionSmoothCage(bool)", "bool", bSubdivision);
    Set(pLoader, "setSubdivisionMapping(SubdMapping)", "SubdMapping", 0);
    Set(pLoader, "setDeltaTolerance(float)", "float", 0.001f);
    Set(pLoader, "setCreateControlProperty(bool)", "bool", false);
    Set(pLoader, "setPropertyGroupPath(QString)", "QString", ToQString(propertyGroupPath));
    Set(pLoader, "setReverseDeformations(bool)", "bool", bReverseDeformations);
    Set(pLoader, "setOverwriteExisting(OverwriteMode)", "OverwriteMode", 2);
    Set(pLoader, "setCleanUpOrphans(bool)", "bool", true);
    Set(pLoader, "setMorphMirroring(MirroringType)", "MirroringType", 0);
    if (!attenuateMapPath.empty()) {
        Set(pLoader, "setAttenuateMapPath(QString)", "QString", ToQString(attenuateMapPath));
        Set(pLoader, "setAttenuateStrength(float)", "float", fAttenuateStrength);
    }
    if (!bModeAccepted)
        throw Exception("incompatible load mode");

    const std::unique_ptr<QObject> pOwnedBatch(CreateObject("DzMorphLoaderBatch"));
    QObject* pBatch = pOwnedBatch.get();
    batchTable.Resolve(pBatch);
    Invoke(pBatch, batchTable.Method("addMorph(DzMorphLoader*)"), QGenericReturnArgument(),
           QGenericArgument("DzMorphLoader*", &pLoader));

    DzFileIOSettings* pRawSettings = pSettings.get();
    const bool bFalse = false, bTrue = true;
    QString report;
    Invoke(pBatch, batchTable.Method("createMorphs(DzFileIOSettings*,DzNode*,bool,bool)"),
           Q_RETURN_ARG(QString, report), QGenericArgument("DzFileIOSettings*", &pRawSettings), Q_ARG(DzNode*, pNode),
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
