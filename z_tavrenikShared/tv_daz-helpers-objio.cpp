#include "tv_daz-helpers-objio.h"

#include "dzapp.h"
#include "dzexporter.h"
#include "dzexportmgr.h"
#include "dzfileiosettings.h"
#include "dzimporter.h"
#include "dzimportmgr.h"
#include "tv_daz-helpers-objects.h"
#include "tv_exception.h"
#include "tv_str.h"

namespace tav::daz {

const FileSettingsList ObjExportSettings = {
    {{"Preset", "Custom"}, {"LatAxis", "X"}, {"VertAxis", "Y"}, {"DepthAxis", "Z"}},
    {{"Scale", 50.0f}},
    {{"InvertLatAxis", false},
     {"InvertVertAxis", false},
     {"InvertDepthAxis", false},
     {"IgnoreInvisible", true},
     {"WeldSeams", false},
     {"RemoveUnusedVerts", false},
     {"TriangulateNgons", false},
     {"CollapseUVTiles", false},
     {"WriteVT", true},
     {"WriteVN", false},
     {"WriteF", true},
     {"WriteL", true},
     {"WriteO", false},
     {"WriteG", true},
     {"GroupGeom", true},
     {"GroupNodes", false},
     {"GroupSurfaces", false},
     {"GroupSingle", false},
     {"WriteUsemtl", true},
     {"NoMaps", false},
     {"OriginalMaps", true},
     {"CollectMaps", false},
     {"ConvertMaps", false},
     {"WriteMtllib", false},
     {"QuoteMapPathsWithSpaces", true},
     {"SelectedOnly", false},
     {"PrimaryRootOnly", false},
     {"SelectedRootsOnly", true},
     {"IncludeParented", false}},
    {{"FloatPrecision", 8}, {"RunSilent", 0}},
};

const FileSettingsList ObjImportSettings = {
    {{"Preset", "Custom"}, {"LatAxis", "X"}, {"VertAxis", "Y"}, {"DepthAxis", "Z"}},
    {{"Scale", 50.0f}},
    {{"InvertLat", false},
     {"InvertVert", false},
     {"InvertDepth", false},
     {"IncludeVT", true},
     {"IncludeF", true},
     {"IncludeL", true},
     {"IncludeG", true},
     {"IncludeUsemtl", true},
     {"IncludeMtllib", true},
     {"AutoAdapt", false}},
    {{"RunSilent", 0}},
};

void ApplySettings(DzFileIOSettings& settings, const FileSettingsList& list)
{
    for (const auto& [pcszKey, pcszValue] : list.texts)
        settings.setStringValue(QString::fromUtf8(pcszKey), QString::fromUtf8(pcszValue));
    for (const auto& [pcszKey, fValue] : list.floats)
        settings.setFloatValue(QString::fromUtf8(pcszKey), double(fValue));
    for (const auto& [pcszKey, bValue] : list.bools)
        settings.setBoolValue(QString::fromUtf8(pcszKey), bValue);
    for (const auto& [pcszKey, iValue] : list.ints)
        settings.setIntValue(QString::fromUtf8(pcszKey), iValue);
}

void ApplyObjExportSettings(DzFileIOSettings& settings) { ApplySettings(settings, ObjExportSettings); }

void ApplyObjImportSettings(DzFileIOSettings& settings) { ApplySettings(settings, ObjImportSettings); }

void SetScale(DzFileIOSettings& settings, float fScale)
{
    settings.setFloatValue(QString::fromLatin1("Scale"), double(fScale));
}

void SetSelectedOnly(DzFileIOSettings& settings, bool bSelectedOnly)
{
    settings.setBoolValue(QString::fromLatin1("SelectedOnly"), bSelectedOnly);
    settings.setBoolValue(QString::fromLatin1("SelectedRootsOnly"), bSelectedOnly);
}

void ExportObj(DzFileIOSettings& settings, std::string_view path)
{
    DzExportMgr* pMgr = dzApp ? dzApp->getExportMgr() : nullptr;
    DzExporter* pExporter =
        pMgr ? pMgr->findExporterByClassName(QString::fromLatin1("DzObjExporter")) : nullptr;
    if (!pExporter)
        throw Exception("failed to find DzObjExporter");
    settings.setIntValue(QString::fromLatin1("RunSilent"), 1);
    const DzError iResult = pExporter->writeFile(ToQString(path), &settings);
    if (iResult != 0)
        throw Exception("failed to export OBJ {}: {}", str::Quoted(path),
                        ToUtf8(pMgr->getErrorMessage(iResult)));
}

void ImportObj(DzFileIOSettings& settings, std::string_view path)
{
    DzImportMgr* pMgr = dzApp ? dzApp->getImportMgr() : nullptr;
    DzImporter* pImporter =
        pMgr ? pMgr->findImporterByClassName(QString::fromLatin1("DzObjImporter")) : nullptr;
    if (!pImporter)
        throw Exception("failed to find DzObjImporter");
    settings.setIntValue(QString::fromLatin1("RunSilent"), 1);
    const DzError iResult = pImporter->readFile(ToQString(path), &settings);
    if (iResult != 0)
        throw Exception("failed to export import OBJ {}: {}", str::Quoted(path),
                        ToUtf8(pMgr->getErrorMessage(iResult)));
}

QString SettingsToJson(DzFileIOSettings& settings)
{
    const QMetaMethod method = ResolveMethod(settings.metaObject(), "toJsonString()");
    QString json;
    if (!method.invoke(&settings, Qt::DirectConnection, Q_RETURN_ARG(QString, json)))
        throw Exception("failed to invoke DzFileIOSettings::toJsonString()");
    return json;
}

} // namespace tav::daz
