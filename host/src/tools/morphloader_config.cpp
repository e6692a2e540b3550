// Loader options in INI config files: one group per object, "Common" for shared options.
#include <QFileInfo>
#include <QSettings>

#include "tools/morphloader_options.h"

namespace {

const QString kCommonGroup = QStringLiteral("Common");

// Options every morph of a project may share (written to the common group).
void writeCommon(QSettings& ini, const DzMorphLoader& l)
{
    ini.setValue("MorphSubdivision", l.getMorphSubdivision());
    ini.setValue("SubdivisionBuiltResolution", l.getSubdivisionBuiltResolution());
    ini.setValue("SubdivisionMinResolution", l.getSubdivisionMinResolution());
    ini.setValue("SubdivisionMaxResolution", l.getSubdivisionMaxResolution());
    ini.setValue("SubdivisionSmoothCage", l.getSubdivisionSmoothCage());
    ini.setValue("SubdivisionMapping", int(l.getSubdivisionMapping()));
    ini.setValue("DeltaTolerance", l.getDeltaTolerance());
    ini.setValue("CreateControlProperty", l.getCreateControlProperty());
    ini.setValue("PropertyGroupPath", l.getPropertyGroupPath());
    ini.setValue("ERCType", int(l.getControlPropertyERCType()));
    ini.setValue("ERCUseCustomValue", l.getControlPropertyERCUseCustomValue());
    ini.setValue("ERCCustomValue", l.getControlPropertyERCCustomValue());
    ini.setValue("HideSecondaryProperties", l.getHideSecondaryProperties());
    ini.setValue("ReverseDeformations", l.getReverseDeformations());
    ini.setValue("PreserveExistingDeltas", l.getPreserveExistingDeltas());
    ini.setValue("ReverseDeformationsPose", l.getReverseDeformationsPose());
    ini.setValue("OverwriteExisting", int(l.getOverwriteExisting()));
    ini.setValue("CleanUpOrphans", l.getCleanUpOrphans());
    ini.setValue("MorphMirroring", int(l.getMorphMirroring()));
    ini.setValue("AttenuateMapPath", l.getAttenuateMapPath());
    ini.setValue("AttenuateStrength", l.getAttenuateStrength());
    ini.setValue("AttenuateEdgeStrength", l.getAttenuateEdgeStrength());
}

void writeOwn(QSettings& ini, const DzMorphLoader& l)
{
    ini.setValue("Filename", l.getFilename());
    ini.setValue("MorphName", l.getMorphName());
    ini.setValue("DisplayName", l.getDisplayName());
    ini.setValue("UseCustomLabel", l.getControlPropertyUseCustomLabel());
    ini.setValue("CustomLabel", l.getControlPropertyCustomLabel());
}

// Reads only the keys present, so a group may hold a subset.
void readAll(const QSettings& ini, DzMorphLoader& l)
{
    auto has = [&](const char* key) { return ini.contains(QLatin1String(key)); };
    auto num = [&](const char* key) { return ini.value(QLatin1String(key)); };
    if (has("MorphSubdivision")) l.setMorphSubdivision(num("MorphSubdivision").toBool());
    if (has("SubdivisionBuiltResolution")) l.setSubdivisionBuiltResolution(num("SubdivisionBuiltResolution").toInt());
    if (has("SubdivisionMinResolution")) l.setSubdivisionMinResolution(num("SubdivisionMinResolution").toInt());
    if (has("SubdivisionMaxResolution")) l.setSubdivisionMaxResolution(num("SubdivisionMaxResolution").toInt());
    if (has("SubdivisionSmoothCage")) l.setSubdivisionSmoothCage(num("SubdivisionSmoothCage").toBool());
    if (has("SubdivisionMapping")) l.setSubdivisionMapping(DzMorphLoader::SubdMapping(num("SubdivisionMapping").toInt()));
    if (has("DeltaTolerance")) l.setDeltaTolerance(num("DeltaTolerance").toFloat());
    if (has("CreateControlProperty")) l.setCreateControlProperty(num("CreateControlProperty").toBool());
    if (has("PropertyGroupPath")) l.setPropertyGroupPath(num("PropertyGroupPath").toString());
    if (has("ERCType")) l.setControlPropertyERCType(DzERCLink::ERCType(num("ERCType").toInt()));
    if (has("ERCUseCustomValue")) l.setControlPropertyERCUseCustomValue(num("ERCUseCustomValue").toBool());
    if (has("ERCCustomValue")) l.setControlPropertyERCCustomValue(num("ERCCustomValue").toFloat());
    if (has("HideSecondaryProperties")) l.setHideSecondaryProperties(num("HideSecondaryProperties").toBool());
    if (has("ReverseDeformations")) l.setReverseDeformations(num("ReverseDeformations").toBool());
    if (has("PreserveExistingDeltas")) l.setPreserveExistingDeltas(num("PreserveExistingDeltas").toBool());
    if (has("ReverseDeformationsPose")) l.setReverseDeformationsPose(num("ReverseDeformationsPose").toString());
    if (has("OverwriteExisting")) l.setOverwriteExisting(DzMorphLoader::OverwriteMode(num("OverwriteExisting").toInt()));
    if (has("CleanUpOrphans")) l.setCleanUpOrphans(num("CleanUpOrphans").toBool());
    if (has("MorphMirroring")) l.setMorphMirroring(DzMorphLoader::MirroringType(num("MorphMirroring").toInt()));
    if (has("AttenuateMapPath")) l.setAttenuateMapPath(num("AttenuateMapPath").toString());
    if (has("AttenuateStrength")) l.setAttenuateStrength(num("AttenuateStrength").toFloat());
    if (has("AttenuateEdgeStrength")) l.setAttenuateEdgeStrength(num("AttenuateEdgeStrength").toFloat());
    if (has("Filename")) l.setFilename(num("Filename").toString());
    if (has("MorphName")) l.setMorphName(num("MorphName").toString());
    if (has("DisplayName")) l.setDisplayName(num("DisplayName").toString());
    if (has("UseCustomLabel")) l.setControlPropertyUseCustomLabel(num("UseCustomLabel").toBool());
    if (has("CustomLabel")) l.setControlPropertyCustomLabel(num("CustomLabel").toString());
}

bool readGroup(const QString& filename, const QString& group, DzMorphLoader& loader)
{
    if (!QFileInfo(filename).isFile())
        return false;
    QSettings ini(filename, QSettings::IniFormat);
    if (!ini.childGroups().contains(group))
        return false;
    ini.beginGroup(group);
    readAll(ini, loader);
    ini.endGroup();
    return ini.status() == QSettings::NoError;
}

} // namespace

bool DzMorphLoader::readObjectSettingsFromConfigFile(const QString& filename, const QString& objectName)
{
    return readGroup(filename, objectName, *this);
}

bool DzMorphLoader::readObjectCommonSettingsFromConfigFile(const QString& filename)
{
    return readGroup(filename, kCommonGroup, *this);
}

bool DzMorphLoader::saveObjectSettingsToConfigFile(const QString& filename, const QString& objectName,
                                                   bool common)
{
    QSettings ini(filename, QSettings::IniFormat);
    ini.beginGroup(common ? kCommonGroup : objectName);
    writeCommon(ini, *this);
    if (!common)
        writeOwn(ini, *this);
    ini.endGroup();
    ini.sync();
    return ini.status() == QSettings::NoError;
}
