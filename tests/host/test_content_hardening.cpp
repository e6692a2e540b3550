#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "../../host/src/content/contentpaths.h"
#include "../../host/src/content/dsondocument.h"
#include "../../host/src/geometry/dzgeometry.h"
#include "dzfloatproperty.h"
#include "dzmorph.h"
#include "dzobject.h"
#include "dzappsettings.h"
#include "dzshape.h"
#include "test_content_support.h"
#include "test_geometry_fixtures.h"

using namespace testcontent;

namespace {

void deleteNow(DzNode* node)
{
    dzScene->removeNode(node);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

TEST(ContentHardening, DFormerPresetWhoseNodeFileIsMissingFailsTheLoad)
{
    TestApp app;
    DzFigure* figure = loadGenesis9();
    ASSERT_NE(figure, nullptr);
    const int vertices = figure->getObject()->getCurrentShape()->getNumVertices();
    const QByteArray preset =
        "{\"asset_info\":{\"id\":\"/x.duf\",\"type\":\"preset_dformer\"},"
        "\"modifier_library\":[{\"id\":\"D-Former_1\",\"dformer\":{\"vertex_count\":" +
        QByteArray::number(vertices) +
        ",\"influence_weights\":{\"count\":1,\"values\":[[0,1]]}}}],"
        "\"scene\":{\"nodes\":[{\"id\":\"D\",\"url\":\"/data/Nowhere/DFormer.dsf#D-Former_1\"}]}}";
    QTemporaryDir dir;
    const QString path = dir.filePath("Lost DFormer.duf");
    ASSERT_TRUE(writeFile(path, preset));
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
        DzFigure* figure = loadGenesis9();
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
        ASSERT_TRUE(writeFile(path, c.bytes));

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
        EXPECT_EQ(readFile(path + ".damaged"), c.bytes);
    }
}

namespace {

// Two content directories (the second reached through a link to it) and, beside them, a
// folder that is none, holding a figure and a morph that no scene may load.
struct FencedLibrary {
    QTemporaryDir root;
    QString lib = root.filePath("lib"), second = root.filePath("second-link"), outside = root.filePath("outside");
    std::unique_ptr<TestApp> app;

    FencedLibrary()
    {
        writeFile(lib + "/data/My Vendor/fig.dsf", quadFigure("Fig"));
        writeFile(lib + "/data/My Vendor/Morphs/Lift.dsf", quadMorph("Lift", "/data/My%20Vendor/fig.dsf#Fig", 0.5f));
        writeFile(root.filePath("second/data/Second/fig.dsf"), quadFigure("Other"));
        QFile::link(root.filePath("second"), second);
        writeFile(outside + "/data/evil.dsf", quadFigure("Evil"));
        writeFile(outside + "/data/evil-morph.dsf", quadMorph("Evil", "/data/My%20Vendor/fig.dsf#Fig", 9.0f));
        QFile::link(outside + "/data/evil.dsf", lib + "/data/link.dsf");
        QFile::link(outside + "/data/evil-morph.dsf", lib + "/data/link-morph.dsf");
        QFile::link(outside + "/data", lib + "/data/linkdir");
        QFile::link(lib + "/data/My Vendor/fig.dsf", lib + "/data/alias.dsf");
        QFile::link(root.filePath("second/data/Second/fig.dsf"), lib + "/data/cross.dsf");
        DzAppOptions options = TestApp::defaultOptions();
        options.contentDirs = QStringList{lib, second};
        app = std::make_unique<TestApp>(options);
    }

    // A scene with the url as a node of its own, or as a morph dialled on a good figure.
    QString sceneWith(const QString& url, bool asModifier)
    {
        QJsonArray nodes{QJsonObject{{"id", "f"}, {"url", asModifier ? "/data/My%20Vendor/fig.dsf#Fig" : url}, {"label", "Loaded"}}};
        QJsonArray modifiers;
        if (asModifier)
            modifiers.append(QJsonObject{{"id", "m"}, {"url", url}, {"parent", "#f"},
                                         {"channel", QJsonObject{{"id", "value"}, {"current_value", 1}}}});
        const QJsonObject doc{{"asset_info", QJsonObject{{"id", "/Scenes/s.duf"}, {"type", "scene"}}},
                              {"scene", QJsonObject{{"nodes", nodes}, {"modifiers", modifiers}}}};
        const QString path = lib + "/Scenes/s.duf";
        writeFile(path, QJsonDocument(doc).toJson());
        return path;
    }
};

} // namespace

// Urls that lead out of the content directories, as a figure's url or as a morph's: the load
// fails with a line naming the url and the scene file, nothing outside is read.
TEST(ContentHardening, AssetUrlsThatLeadOutOfTheContentDirectoriesAreRefused)
{
    struct Case {
        const char* url;
        const char* reason;
    };
    // EVIL is the outside file, LINK a link to it inside the library.
    const Case cases[] = {
        {"/../outside/data/EVIL.dsf#Evil", "climbs out of the content directories"},
        {"/%2e%2e/outside/data/EVIL.dsf#Evil", "climbs out"},
        {"/data/..%2F..%2Foutside/data/EVIL.dsf#Evil", "climbs out"},
        {"\\..\\outside\\data\\EVIL.dsf#Evil", "climbs out"},
        {"//..//outside/data/EVIL.dsf#Evil", "climbs out"},
        {"/data/LINK.dsf#Evil", "leads through a link to"},
        {"/data/linkdir/EVIL.dsf#Evil", "leads through a link to"},
    };
    for (bool asModifier : {false, true}) {
        for (const Case& c : cases) {
            const QString url = QString(c.url)
                                    .replace("EVIL", asModifier ? "evil-morph" : "evil")
                                    .replace("LINK", asModifier ? "link-morph" : "link");
            SCOPED_TRACE(url.toStdString() + (asModifier ? " as a morph" : " as a node"));
            FencedLibrary library;
            const QString scene = library.sceneWith(url, asModifier);
            DialogAnswerer closer;
            EXPECT_FALSE(contentMgr()->openFile(scene, true));
            EXPECT_EQ(dzScene->getNumNodes(), 0);
            const QString line = library.app->logLinesContaining(scene).join('\n');
            EXPECT_TRUE(line.contains(QStringLiteral("asset url \"%1\" in \"%2\" %3").arg(url, scene, c.reason)))
                << line.toStdString();
        }
    }
}

TEST(ContentHardening, AssetUrlsThatStayInsideStillLoad)
{
    struct Case {
        const char* url;
        float lift;         // the y of vertex 2 once "Lift" is dialled to 1: its installed morph was found
    };
    const Case cases[] = {
        {"/data/My%20Vendor/fig.dsf#Fig", 1.5f},
        {"/data/Second/fig.dsf#Other", 1.0f},  // in the second directory
        {"/data/x/../My%20Vendor/fig.dsf#Fig", 1.5f},
        {"/data/alias.dsf#Fig", 1.0f},  // a link to a file inside
        {"/data/cross.dsf#Other", 1.0f},  // a link into the other directory
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        FencedLibrary library;
        DialogAnswerer closer;
        ASSERT_TRUE(contentMgr()->openFile(library.sceneWith(c.url, false), true));
        DzNode* node = dzScene->findNodeByLabel("Loaded");
        ASSERT_NE(node, nullptr);
        if (auto* lift = qobject_cast<DzMorph*>(node->getObject()->findModifier("Lift")))
            lift->getValueControl()->setValue(1);
        EXPECT_FLOAT_EQ(DzGeometry::worldMesh(node)->getVertex(2).m_y, c.lift);
    }
}

TEST(ContentHardening, RelativePathsLookedUpStayInsideTheContentDirectories)
{
    FencedLibrary library;
    const std::pair<QString, QString> cases[] = {  // the path, why it is refused (empty: found)
        {"data/My Vendor/fig.dsf", ""},
        {"data/Second/fig.dsf", ""},
        {"data/alias.dsf", ""},
        {"/etc/passwd", "is an absolute path"},
        {library.outside + "/data/evil.dsf", "is an absolute path"},
        {"../outside/data/evil.dsf", "climbs out"},
        {"data\\..\\..\\outside\\data\\evil.dsf", "climbs out"},
        {"data/link.dsf", "leads through a link to \"" + QFileInfo(library.outside + "/data/evil.dsf").canonicalFilePath()},
    };
    for (const auto& [relative, refusal] : cases) {
        SCOPED_TRACE(relative.toStdString());
        const QString path = contentMgr()->getAbsolutePath(relative);
        EXPECT_EQ(path.isEmpty(), !refusal.isEmpty()) << path.toStdString();
        EXPECT_TRUE(path.isEmpty() || dzcontent::liesInsideContent({library.lib, library.second}, path));
        const QStringList lines = library.app->logLinesContaining("\"" + relative + "\" was not looked up: it " + refusal);
        EXPECT_EQ(lines.size(), refusal.isEmpty() ? 0 : 1);
    }
}

// Installed morphs are found below the figure's folder; a Morphs folder or morph file that is
// a link to a place outside the content directories is skipped, with a line.
TEST(ContentHardening, InstalledMorphsThatLeadOutsideAreSkipped)
{
    FencedLibrary library;
    for (const char* figure : {"Linked", "Planted"})
        writeFile(QStringLiteral("%1/data/%2/fig.dsf").arg(library.lib, figure), quadFigure(figure));
    writeFile(library.outside + "/morphs/Evil.dsf", quadMorph("Evil", "/data/Linked/fig.dsf#Linked", 9.0f));
    writeFile(library.outside + "/planted.dsf", quadMorph("Evil", "/data/Planted/fig.dsf#Planted", 9.0f));
    QFile::link(library.outside + "/morphs", library.lib + "/data/Linked/Morphs");
    writeFile(library.lib + "/data/Planted/Morphs/Good.dsf", quadMorph("Good", "/data/Planted/fig.dsf#Planted", 1.0f));
    QFile::link(library.outside + "/planted.dsf", library.lib + "/data/Planted/Morphs/Planted.dsf");
    const std::pair<const char*, QStringList> cases[] = {{"Linked", {}}, {"Planted", {"Good"}}};
    for (const auto& [figure, morphs] : cases) {
        SCOPED_TRACE(figure);
        ASSERT_TRUE(contentMgr()->openFile(library.sceneWith(QStringLiteral("/data/%1/fig.dsf#%1").arg(figure), false), false));
        QStringList found;
        for (DzModifier* m : dzScene->findNodeByLabel("Loaded")->getObject()->modifierList())
            if (qobject_cast<DzMorph*>(m))
                found << m->getName();
        EXPECT_EQ(found, morphs);
    }
    EXPECT_EQ(library.app->logLinesContaining("Linked/Morphs\" skipped: it lies outside the content directories").size(), 1);
    EXPECT_EQ(library.app->logLinesContaining("Planted.dsf\" skipped: it links to a file outside the content directories").size(), 1);
}
