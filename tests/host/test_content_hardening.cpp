#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <limits>

#include "../../host/src/content/dsondocument.h"
#include "dzfloatproperty.h"
#include "dzmorph.h"
#include "dzobject.h"
#include "dzpropertygrouptree.h"
#include "dzappsettings.h"
#include "dzsettings.h"
#include "dzshape.h"
#include "test_content_support.h"
#include "test_geometry_fixtures.h"

using namespace testcontent;

namespace {

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

DzFigure* loadSelectedGenesis9()
{
    if (!openStock("People/Genesis 9/Genesis 9.duf"))
        return nullptr;
    DzFigure* figure = figureLabelled("Genesis 9");
    dzScene->setPrimarySelection(figure);
    return figure;
}

void deleteNow(DzNode* node)
{
    dzScene->removeNode(node);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

TEST(ContentHardening, ContentFaultsAreStandardExceptions)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, "list.duf", "[1, 2]");
    try {
        dson::readDocument(path);
        FAIL() << "a JSON list was read as a document";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "does not hold a JSON object");
    }
}

TEST(ContentHardening, DFormerPresetWhoseNodeFileIsMissingFailsTheLoad)
{
    TestApp app;
    DzFigure* figure = loadSelectedGenesis9();
    ASSERT_NE(figure, nullptr);
    const int vertices = figure->getObject()->getCurrentShape()->getNumVertices();
    const QByteArray preset =
        "{\"asset_info\":{\"id\":\"/x.duf\",\"type\":\"preset_dformer\"},"
        "\"modifier_library\":[{\"id\":\"D-Former_1\",\"dformer\":{\"vertex_count\":" +
        QByteArray::number(vertices) +
        ",\"influence_weights\":{\"count\":1,\"values\":[[0,1]]}}}],"
        "\"scene\":{\"nodes\":[{\"id\":\"D\",\"url\":\"/data/Nowhere/DFormer.dsf#D-Former_1\"}]}}";
    QTemporaryDir dir;
    const QString path = writeFile(dir, "Lost DFormer.duf", preset);
    const int before = dzScene->getNumNodes();

    DialogAnswerer answerer("Accept");
    EXPECT_FALSE(contentMgr()->openFile(path, true));
    EXPECT_EQ(dzScene->getNumNodes(), before);
    const QStringList lines = app.logLinesContaining(path);
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines.last().contains("/data/Nowhere/DFormer.dsf#D-Former_1")) << lines.last().toStdString();
    EXPECT_TRUE(lines.last().contains("no content directory has")) << lines.last().toStdString();
}

// The host's dialogs run an event loop; a figure deleted or removed meanwhile must stop the
// load rather than be changed.
TEST(ContentHardening, ATargetGoneWhileADialogWaitsFailsTheLoad)
{
    struct Case {
        const char* file;
        const char* press;
        bool deleteIt;
    };
    const Case cases[] = {
        {"Tests/Preset Exceeds Limits.duf", "Ignore Limits", false},
        {"Tests/Preset Exceeds Limits.duf", "Ignore Limits", true},
        {"People/Genesis 9/Developer Kit/G9 HeadSplit DFormer.duf", "Accept", false},
        {"People/Genesis 9/Developer Kit/G9 HeadSplit DFormer.duf", "Accept", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + (c.deleteIt ? ", deleted" : ", removed"));
        TestApp app;
        DzFigure* figure = loadSelectedGenesis9();
        ASSERT_NE(figure, nullptr);
        DialogAnswerer answerer(c.press, [&] {
            if (c.deleteIt)
                deleteNow(figure);
            else
                dzScene->removeNode(figure);
        });
        const QString path = contentMgr()->getAbsolutePath(c.file);
        EXPECT_FALSE(contentMgr()->openFile(path, true));
        ASSERT_EQ(answerer.seen().size(), 1);
        EXPECT_EQ(dzScene->getNumNodes(), 0);
        const QStringList lines = app.logLinesContaining(path);
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_TRUE(lines.last().contains("\"Genesis 9\" left the scene")) << lines.last().toStdString();
    }
}

TEST(ContentHardening, PropertyGroupTreesStayValidAcrossCalls)
{
    std::unique_ptr<DzNode> node(testgeo::nodeWithMesh(testgeo::cube()));
    const DzPropertyGroupTree* first = node->getPropertyGroups();
    EXPECT_EQ(node->getPropertyGroups(), first); // nothing changed: the same tree
    testgeo::addMorph(node.get(), "Tall", {}, {})->getValueControl()->setPath("Morphs/Kelvaro");
    const DzPropertyGroupTree* second = node->getPropertyGroups();
    EXPECT_TRUE(second->collectAllPaths().contains("Morphs/Kelvaro"));
    // The caller of the first call may still read its tree.
    EXPECT_FALSE(first->collectAllPaths().contains("Morphs/Kelvaro"));
    EXPECT_TRUE(first->collectAllPaths().contains("Transforms"));
}

TEST(ContentHardening, SettingsFloatsBeyondTheIntRangeHaveNoIntValue)
{
    const double cases[] = {1e300, -1e300, 3e9, -3e9, std::numeric_limits<double>::quiet_NaN(),
                            std::numeric_limits<double>::infinity()};
    for (double value : cases) {
        SCOPED_TRACE(value);
        DzSettings s;
        s.setFloatValue("Scale", value);
        EXPECT_EQ(s.getIntValue("Scale", 7), 7);
    }
    DzSettings s;
    ASSERT_TRUE(s.fromString("{\"Big\": 1e300, \"Edge\": 2147483647.4, \"Low\": -2147483648}"));
    EXPECT_EQ(s.getIntValue("Big", 7), 7);
    EXPECT_EQ(s.getIntValue("Edge", 7), 2147483647);
    EXPECT_EQ(s.getIntValue("Low", 7), -2147483647 - 1);
}

// The studio's settings.ini, damaged outside the studio: the values that can be read are
// used, the rest falls back to the defaults, one log line names the file, and a copy of it is
// kept before the next write replaces it.
TEST(ContentHardening, DamagedSettingsFileGivesDefaultsOneLineAndACopy)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        bool damaged;  // QSettings can tell
        int width;     // what [Kelvaro] width reads as, 7 by default
    };
    const Case cases[] = {
        {"binary", QByteArrayLiteral("\x00\x01\xff\xfe[\x00\x80junk=\x00\x01\n\x00\x9c"), true, 7},
        {"utf-16", QByteArrayLiteral("\xff\xfe[\0K\0]\0\n\0w\0=\0001\0\n\0"), true, 7},
        {"group never closed", "[Kelvaro\nwidth=12\n", true, 12},
        {"cut in a value", "[Kelvaro]\nwidth=12\nname=\"unterminated", false, 12},
        {"numbers out of range", "[Kelvaro]\nwidth=1e300\nheight=nan\n", false, 7},
        {"empty", "", false, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestApp app;
        const QString path = dzApp->settingsFilePath();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.bytes);
        file.close();

        DzAppSettings settings("Kelvaro");
        EXPECT_EQ(settings.getIntValue("width", 7), c.width);
        EXPECT_TRUE(settings.getBoolValue("missing", true));
        EXPECT_TRUE(settings.setIntValue("depth", 3));
        EXPECT_EQ(DzAppSettings("Kelvaro").getIntValue("depth"), 3);

        const QStringList lines = app.logLinesContaining(path);
        if (!c.damaged) {
            EXPECT_TRUE(lines.isEmpty());
            continue;
        }
        ASSERT_EQ(lines.size(), 1);
        EXPECT_TRUE(lines[0].contains("is not a valid settings file")) << lines[0].toStdString();
        QFile copy(path + ".damaged");
        ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
        EXPECT_EQ(copy.readAll(), c.bytes);
    }
}
