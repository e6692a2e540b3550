#pragma once

#include <QString>
#include <string_view>
#include <utility>
#include <vector>

class DzFileIOSettings;

namespace tav::daz {

// Host file-tool options as constant data: applied texts first, then floats, booleans and
// integers, each list in its own order.
struct FileSettingsList {
    std::vector<std::pair<const char*, const char*>> texts;
    std::vector<std::pair<const char*, float>> floats;
    std::vector<std::pair<const char*, bool>> bools;
    std::vector<std::pair<const char*, int>> ints;
};

// Options of the host's OBJ exporter ("DzObjExporter") and importer ("DzObjImporter").
extern const FileSettingsList ObjExportSettings;
extern const FileSettingsList ObjImportSettings;

void ApplySettings(DzFileIOSettings& settings, const FileSettingsList& list);
void ApplyObjExportSettings(DzFileIOSettings& settings);
void ApplyObjImportSettings(DzFileIOSettings& settings);
void SetScale(DzFileIOSettings& settings, float fScale);
// Sets both "SelectedOnly" and "SelectedRootsOnly".
void SetSelectedOnly(DzFileIOSettings& settings, bool bSelectedOnly);

// Run the host's OBJ tools silently; throw tav::Exception with the host's text on failure.
void ExportObj(DzFileIOSettings& settings, std::string_view path);
void ImportObj(DzFileIOSettings& settings, std::string_view path);

// The host's JSON text of the settings, by the settings object's own "toJsonString()".
QString SettingsToJson(DzFileIOSettings& settings);

} // namespace tav::daz
