#include <gtest/gtest.h>

#include <QDateTime>
#include <QTemporaryDir>
#include <memory>

#include "../../host/src/content/dsondocument.h"
#include "../../host/src/content/dsoninstalledmorphs.h"
#include "dzmorph.h"
#include "dzmorphdeltas.h"
#include "dzobject.h"
#include "dzshape.h"
#include "test_content_support.h"
#include "test_geometry_fixtures.h"

using namespace testcontent;

// A content library that changes between two loads: installed morph files rewritten, removed
// or added, and the whole library gone. Each load sees the library as it is at that moment.
namespace {

const QString qsFigureUrl = "/data/T/Fig/fig.dsf#Fig";

// A library with the figure "Fig", its scene file and a session on it.
struct Library {
    QTemporaryDir dir;
    QString scene = dir.filePath("People/Fig.duf");
    std::unique_ptr<TestApp> app;

    explicit Library(const QDateTime& figureModified = {}, bool relative = false)
    {
        writeFile(dir.filePath("data/T/Fig/fig.dsf"), quadFigure("Fig"), figureModified);
        writeFile(scene, R"({"asset_info": {"id": "/People/Fig.duf", "type": "figure"},
 "scene": {"nodes": [{"id": "f", "url": "/data/T/Fig/fig.dsf#Fig", "label": "Fig"}]}})");
        DzAppOptions options = TestApp::defaultOptions();
        options.contentDirs = QStringList{relative ? QDir::current().relativeFilePath(dir.path()) : dir.path()};
        app = std::make_unique<TestApp>(options);
    }
    bool writeMorph(const QString& relativePath, const char* name, float dy, const QDateTime& modified = {})
    {
        return writeFile(dir.filePath("data/T/Fig/Morphs/" + relativePath), quadMorph(name, qsFigureUrl, dy), modified);
    }
};

// The y delta of each morph on the loaded figure, by name; empty when the load failed.
QMap<QString, float> loadMorphs(const QString& scenePath)
{
    dzScene->clear();
    QMap<QString, float> morphs;
    if (!contentMgr()->openFile(scenePath, true))
        return morphs;
    for (DzModifier* m : figureLabelled("Fig")->getObject()->modifierList())
        if (auto* morph = qobject_cast<DzMorph*>(m))
            morphs.insert(morph->getName(), morph->getDeltas()->getDelta(0).m_y);
    return morphs;
}

using Morphs = QMap<QString, float>;

} // namespace

TEST(ContentChanges, EachLoadSeesTheInstalledMorphsAsTheyAreNow)
{
    Library lib;
    ASSERT_TRUE(lib.writeMorph("Lift.dsf", "Lift", 0.25f));
    EXPECT_EQ(loadMorphs(lib.scene), (Morphs{{"Lift", 0.25f}}));

    // Rewritten with the same size and within the same second as the first.
    ASSERT_TRUE(lib.writeMorph("Lift.dsf", "Lift", 0.75f));
    EXPECT_EQ(loadMorphs(lib.scene), (Morphs{{"Lift", 0.75f}}));

    ASSERT_TRUE(lib.writeMorph("Sub/Bend.dsf", "Bend", 0.5f));
    EXPECT_EQ(loadMorphs(lib.scene), (Morphs{{"Bend", 0.5f}, {"Lift", 0.75f}}));

    ASSERT_TRUE(QFile::remove(lib.dir.filePath("data/T/Fig/Morphs/Lift.dsf")));
    EXPECT_EQ(loadMorphs(lib.scene), (Morphs{{"Bend", 0.5f}}));

    // A morph file broken between two loads is skipped with a line; the figure still loads.
    ASSERT_TRUE(writeFile(lib.dir.filePath("data/T/Fig/Morphs/Sub/Bend.dsf"), "{\"asset_info\": "));
    EXPECT_EQ(loadMorphs(lib.scene), Morphs{});
    EXPECT_NE(figureLabelled("Fig"), nullptr);
    EXPECT_EQ(lib.app->logLinesContaining("Bend.dsf\" skipped: is not valid JSON").size(), 1);
}

TEST(ContentChanges, ALibraryGoneBetweenTwoLoadsFailsTheSecondAndKeepsTheScene)
{
    Library lib;
    QTemporaryDir elsewhere;
    ASSERT_TRUE(lib.writeMorph("Lift.dsf", "Lift", 0.25f));
    const QString outside = elsewhere.filePath("Fig elsewhere.duf");
    ASSERT_TRUE(QFile::copy(lib.scene, outside));
    ASSERT_EQ(loadMorphs(lib.scene).size(), 1);
    DzNode* loaded = figureLabelled("Fig");

    ASSERT_TRUE(QDir(lib.dir.path()).removeRecursively());
    DialogAnswerer answerer;
    EXPECT_FALSE(contentMgr()->openFile(lib.scene, true));
    EXPECT_EQ(lib.app->logLinesContaining(lib.scene).last(),
              QStringLiteral("Content: cannot open \"%1\": no such file").arg(lib.scene));

    // A file elsewhere that refers to the library: its figure is missing, nothing loads.
    EXPECT_FALSE(contentMgr()->openFile(outside, true));
    EXPECT_TRUE(lib.app->logLinesContaining(outside).last().contains("nothing in"));
    ASSERT_EQ(answerer.seen().size(), 1);
    EXPECT_EQ(answerer.seen()[0].title, "Missing Files");
    EXPECT_EQ(dzScene->findNodeByLabel("Fig"), loaded);
    EXPECT_EQ(dzScene->getNumNodes(), 2);
}

// Files last changed well before they were read are read once per session, until their size or
// time stamp changes; a file just written is read on every load until its time stamp is safely
// in the past.
TEST(ContentChanges, InstalledMorphFilesAndFigureAssetsAreReadOncePerChange)
{
    const QDateTime anHourAgo = QDateTime::currentDateTime().addSecs(-3600);
    Library lib(anHourAgo);
    ASSERT_TRUE(lib.writeMorph("Lift.dsf", "Lift", 0.25f, anHourAgo));
    const int morphReads = dson::installedMorphFileReads(), figureReads = dson::assetDocumentReads();
    EXPECT_EQ(loadMorphs(lib.scene), (Morphs{{"Lift", 0.25f}}));
    ASSERT_TRUE(contentMgr()->openFile(lib.scene, true));  // a second figure of the kind
    EXPECT_EQ(loadMorphs(lib.scene), (Morphs{{"Lift", 0.25f}}));
    EXPECT_EQ(dson::installedMorphFileReads(), morphReads + 1);
    EXPECT_EQ(dson::assetDocumentReads(), figureReads + 1);

    // The same size, another old time stamp: read again, once.
    ASSERT_TRUE(lib.writeMorph("Lift.dsf", "Lift", 0.75f, anHourAgo.addSecs(1)));
    QByteArray moved = quadFigure("Fig");
    ASSERT_TRUE(writeFile(lib.dir.filePath("data/T/Fig/fig.dsf"), moved.replace("[1,1,0]", "[1,2,0]"), anHourAgo.addSecs(1)));
    EXPECT_EQ(loadMorphs(lib.scene), (Morphs{{"Lift", 0.75f}}));
    EXPECT_EQ(loadMorphs(lib.scene), (Morphs{{"Lift", 0.75f}}));
    EXPECT_EQ(dson::installedMorphFileReads(), morphReads + 2);
    EXPECT_EQ(dson::assetDocumentReads(), figureReads + 2);
    EXPECT_EQ(figureLabelled("Fig")->getObject()->getCurrentShape()->getFacetMesh().getVertex(2), DzVec3(1, 2, 0));

    ASSERT_TRUE(lib.writeMorph("Lift.dsf", "Lift", 0.5f));
    EXPECT_EQ(loadMorphs(lib.scene), (Morphs{{"Lift", 0.5f}}));
    EXPECT_EQ(loadMorphs(lib.scene), (Morphs{{"Lift", 0.5f}}));
    EXPECT_EQ(dson::installedMorphFileReads(), morphReads + 4);
}

// A content directory given relative to the working folder, as on a command line: the urls of
// what loads from it are those an absolute path gives, so scene files refer to them.
TEST(ContentChanges, ARelativeContentDirectoryGivesTheSameAssetUrls)
{
    Library lib({}, true);
    ASSERT_TRUE(lib.writeMorph("Lift.dsf", "Lift", 0.25f));
    const QString scene = QDir::current().relativeFilePath(lib.scene);
    ASSERT_TRUE(writeFile(lib.dir.filePath("People/Inline.duf"), quadFigure("Inline").replace(
        "\"type\": \"figure\"},", "\"type\": \"figure\"}, \"scene\": {\"nodes\": [{\"id\": \"i\", \"url\": \"#Inline\"}]},")));
    ASSERT_TRUE(contentMgr()->openFile(scene, true));
    ASSERT_TRUE(contentMgr()->openFile(QDir::current().relativeFilePath(lib.dir.filePath("People/Inline.duf")), true));
    EXPECT_EQ(testgeo::morphOf(figureLabelled("Fig"), "Lift")->getDeltas()->getUri().toString(),
              "/data/T/Fig/Morphs/Lift.dsf#Lift");
    EXPECT_EQ(dzScene->findNodeByLabel("Inline")->getAssetUri().toString(), "/People/Inline.duf#Inline");
}
