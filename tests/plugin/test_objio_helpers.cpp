#include <QFileInfo>

#include "dzbox3.h"
#include "dzfloatproperty.h"
#include "tv_exception.h"
#include "test_objio_support.h"

using namespace objio_test;

namespace {

const char* const apcszExportBoolsOn[] = {"IgnoreInvisible", "WriteVT", "WriteF", "WriteL", "WriteG",
                                          "GroupGeom", "WriteUsemtl", "OriginalMaps",
                                          "QuoteMapPathsWithSpaces"};

} // namespace

TEST(ObjOptions, RecordsReachTheSettingsAndTheOverridesWin)
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

    DzFileIOSettings import;
    tav::daz::ApplyObjImportSettings(import);
    EXPECT_EQ(import.getNumValues(), 16);
    EXPECT_TRUE(import.hasKey("InvertLat"));
    EXPECT_FALSE(import.hasKey("InvertLatAxis"));
    EXPECT_EQ(import.getIntValue("RunSilent", -1), 0);
}

TEST(ObjOptions, JsonTextCarriesEveryValue)
{
    TestApp app;
    DzFileIOSettings settings;
    tav::daz::ApplyObjExportSettings(settings);
    tav::daz::SetScale(settings, 1.0f);
    DzFileIOSettings back;
    ASSERT_TRUE(back.fromString(tav::daz::SettingsToJson(settings)));
    EXPECT_EQ(back.getNumValues(), settings.getNumValues());
    for (const QString& key : settings.getKeys())
        EXPECT_EQ(back.getStringValue(key), settings.getStringValue(key)) << key.toStdString();
}

TEST(ObjRoundTrip, ExportWritesTheSelectedFigureAtScaleOneWithoutAskingAndImportBringsItBack)
{
    TestApp app;
    QTemporaryDir dir;
    DzNode* pChosen = AddNode("Chosen", testgeo::cube(3.0f));
    pChosen->getXPosControl()->setValue(25.0f);
    AddNode("Other", testgeo::cube(1.0f));
    dzScene->selectAllNodes(false);
    pChosen->select(true);

    ModalWatch watch;
    const std::string path = tav::ToUtf8(dir.filePath("tempg8 src1 \u00fc.obj"));
    DzFileIOSettings exportSettings;
    tav::daz::ApplyObjExportSettings(exportSettings);
    tav::daz::SetSelectedOnly(exportSettings, true);
    tav::daz::SetScale(exportSettings, 1.0f);
    tav::daz::ExportObj(exportSettings, path);
    EXPECT_EQ(exportSettings.getIntValue("RunSilent"), 1);

    const QVector<DzVec3> written = ReadObjPositions(QString::fromUtf8(path.c_str()));
    ASSERT_EQ(written.size(), 8);  // only the selected node, unscaled
    for (const DzVec3& p : written) {
        EXPECT_NEAR(std::abs(p.m_x - 25.0f), 3.0f, 1e-5f);
        EXPECT_NEAR(std::abs(p.m_y), 3.0f, 1e-5f);
    }

    DzFileIOSettings importSettings;
    tav::daz::ApplyObjImportSettings(importSettings);
    tav::daz::SetScale(importSettings, 1.0f);
    tav::daz::ImportObj(importSettings, path);
    DzNode* pImported = dzScene->findNodeByLabel(QString::fromUtf8("tempg8 src1 \u00fc"));
    ASSERT_NE(pImported, nullptr);
    const DzBox3 box = pImported->getWorldBoundingBox();
    EXPECT_NEAR(box.getMin().m_x, 22.0f, 1e-5f);
    EXPECT_NEAR(box.getMax().m_y, 3.0f, 1e-5f);
    EXPECT_TRUE(watch.titles.isEmpty()) << watch.titles.join(", ").toStdString();
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
