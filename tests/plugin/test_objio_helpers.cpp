#include "tv_exception.h"
#include "test_objio_support.h"

using namespace objio_test;

namespace {

const char* const apcszExportBoolsOn[] = {"IgnoreInvisible", "WriteVT", "WriteF", "WriteL", "WriteG",
                                          "GroupGeom", "WriteUsemtl", "OriginalMaps",
                                          "QuoteMapPathsWithSpaces"};

} // namespace

TEST(ObjOptions, RecordsReachTheSettingsTheOverridesWinAndJsonCarriesThemAll)
{
    DzFileIOSettings settings;
    tav::daz::ApplyObjExportSettings(settings);
    EXPECT_EQ(settings.getNumValues(), 36);
    EXPECT_EQ(settings.getKey(0), "Preset");  // texts come first, integers last
    EXPECT_EQ(settings.getKey(35), "RunSilent");
    EXPECT_DOUBLE_EQ(settings.getFloatValue("Scale"), 50.0);
    for (const char* pcszKey : apcszExportBoolsOn)
        EXPECT_TRUE(settings.getBoolValue(pcszKey, false)) << pcszKey;
    EXPECT_FALSE(settings.getBoolValue("SelectedOnly", true));
    EXPECT_EQ(settings.getIntValue("FloatPrecision"), 8);

    tav::daz::SetSelectedOnly(settings, true);
    tav::daz::SetScale(settings, 1.0f);
    EXPECT_TRUE(settings.getBoolValue("SelectedOnly"));
    EXPECT_TRUE(settings.getBoolValue("SelectedRootsOnly"));
    EXPECT_DOUBLE_EQ(settings.getFloatValue("Scale"), 1.0);
    EXPECT_EQ(settings.getNumValues(), 36);
    // Morph Loader Pro gets them as JSON text.
    DzFileIOSettings back;
    ASSERT_TRUE(back.fromString(tav::daz::SettingsToJson(settings)));
    EXPECT_EQ(back.getNumValues(), 36);
    for (const QString& key : settings.getKeys())
        EXPECT_EQ(back.getStringValue(key), settings.getStringValue(key)) << key.toStdString();

    DzFileIOSettings import;
    tav::daz::ApplyObjImportSettings(import);
    EXPECT_EQ(import.getNumValues(), 16);
    EXPECT_TRUE(import.hasKey("InvertLat"));
    EXPECT_FALSE(import.hasKey("InvertLatAxis"));
    EXPECT_EQ(import.getIntValue("RunSilent", -1), 0);
}

TEST(ObjRoundTrip, HostFailuresBecomeExceptionsWithTheQuotedPathAndTheHostText)
{
    TestApp app;
    QTemporaryDir dir;
    AddNode("Cube", testgeo::cube())->select(true);
    const std::string nowhere = tav::ToUtf8(dir.filePath("no such dir/out \u00e9.obj"));

    DzFileIOSettings exportSettings;
    tav::daz::ApplyObjExportSettings(exportSettings);
    tav::daz::SetScale(exportSettings, 1.0f);
    const std::string exportMessage = messageOf([&] { tav::daz::ExportObj(exportSettings, nowhere); });
    EXPECT_EQ(exportMessage.rfind("failed to export OBJ " + tav::str::Quoted(nowhere) + ": ", 0), 0u)
        << exportMessage;
    EXPECT_NE(exportMessage.find("Could not write"), std::string::npos) << exportMessage;

    DzFileIOSettings importSettings;
    tav::daz::ApplyObjImportSettings(importSettings);
    tav::daz::SetScale(importSettings, 1.0f);
    const std::string importMessage = messageOf([&] { tav::daz::ImportObj(importSettings, nowhere); });
    EXPECT_EQ(importMessage.rfind("failed to export import OBJ " + tav::str::Quoted(nowhere) + ": ", 0), 0u)
        << importMessage;
    EXPECT_NE(importMessage.find("does not exist"), std::string::npos) << importMessage;

    dzScene->selectAllNodes(false);
    tav::daz::SetSelectedOnly(exportSettings, true);
    const std::string emptyMessage = messageOf([&] {
        tav::daz::ExportObj(exportSettings, tav::ToUtf8(dir.filePath("empty.obj")));
    });
    EXPECT_NE(emptyMessage.find("nothing to export"), std::string::npos) << emptyMessage;
}
