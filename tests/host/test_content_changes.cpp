#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "../../host/src/content/dsondocument.h"
#include "../../host/src/content/dsoninstalledmorphs.h"
#include "dzmorph.h"
#include "dzmorphdeltas.h"
#include "dzobject.h"
#include "dzshape.h"
#include "test_content_support.h"

using namespace testcontent;

// A content library that changes between two loads: installed morph files rewritten, removed
// or added, and the whole library gone. Each load sees the library as it is at that moment.
namespace {

const char kFigure[] = R"({
 "asset_info": {"id": "/data/T/Fig/fig.dsf", "type": "figure"},
 "geometry_library": [{"id": "g", "type": "polygon_mesh",
  "vertices": {"count": 4, "values": [[0,0,0],[1,0,0],[1,1,0],[0,1,0]]},
  "polygon_groups": {"count": 1, "values": ["Body"]},
  "polylist": {"count": 1, "values": [[0,0,0,1,2,3]]}}],
 "node_library": [{"id": "Fig", "label": "Fig", "type": "figure", "geometry": "#g"},
  {"id": "hip", "type": "bone", "parent": "#Fig"}]
})";

const char kScene[] = R"({"asset_info": {"id": "/People/Fig.duf", "type": "figure"},
 "scene": {"nodes": [{"id": "f", "url": "/data/T/Fig/fig.dsf#Fig", "label": "Fig"}]}})";

QByteArray morphFile(const char* name, float dy)
{
    return QStringLiteral(R"({"asset_info": {"id": "/data/T/Fig/Morphs/%1.dsf", "type": "modifier"},
 "modifier_library": [{"id": "%1", "parent": "/data/T/Fig/fig.dsf#Fig",
  "channel": {"id": "value", "value": 0},
  "morph": {"vertex_count": 4, "deltas": {"count": 1, "values": [[2, 0, %2, 0]]}}}]})")
        .arg(QLatin1String(name))
        .arg(double(dy))
        .toUtf8();
}

bool writeFile(const QString& path, const QByteArray& bytes, const QDateTime& modified = {})
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
        return false;
    return !modified.isValid() || file.setFileTime(modified, QFileDevice::FileModificationTime);
}

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

} // namespace

TEST(ContentChanges, EachLoadSeesTheInstalledMorphsAsTheyAreNow)
{
    QTemporaryDir lib;
    ASSERT_TRUE(writeFile(lib.filePath("data/T/Fig/fig.dsf"), kFigure));
    ASSERT_TRUE(writeFile(lib.filePath("People/Fig.duf"), kScene));
    const QString lift = lib.filePath("data/T/Fig/Morphs/Lift.dsf");
    ASSERT_TRUE(writeFile(lift, morphFile("Lift", 0.25f)));
    DzAppOptions options = TestApp::defaultOptions();
    options.contentDirs = QStringList{lib.path()};
    TestApp app(options);
    const QString scene = lib.filePath("People/Fig.duf");

    EXPECT_EQ(loadMorphs(scene), (QMap<QString, float>{{"Lift", 0.25f}}));

    // Rewritten with the same size and within the same second as the first.
    ASSERT_TRUE(writeFile(lift, morphFile("Lift", 0.75f)));
    EXPECT_EQ(loadMorphs(scene), (QMap<QString, float>{{"Lift", 0.75f}}));

    ASSERT_TRUE(writeFile(lib.filePath("data/T/Fig/Morphs/Sub/Bend.dsf"), morphFile("Bend", 0.5f)));
    EXPECT_EQ(loadMorphs(scene), (QMap<QString, float>{{"Bend", 0.5f}, {"Lift", 0.75f}}));

    ASSERT_TRUE(QFile::remove(lift));
    EXPECT_EQ(loadMorphs(scene), (QMap<QString, float>{{"Bend", 0.5f}}));

    // A morph file broken between two loads is skipped with a line; the figure still loads.
    ASSERT_TRUE(writeFile(lib.filePath("data/T/Fig/Morphs/Sub/Bend.dsf"), "{\"asset_info\": "));
    EXPECT_EQ(loadMorphs(scene), (QMap<QString, float>{}));
    EXPECT_NE(figureLabelled("Fig"), nullptr);
    EXPECT_EQ(app.logLinesContaining("Bend.dsf\" skipped: is not valid JSON").size(), 1);
}

TEST(ContentChanges, ALibraryGoneBetweenTwoLoadsFailsTheSecondAndKeepsTheScene)
{
    QTemporaryDir lib, elsewhere;
    ASSERT_TRUE(writeFile(lib.filePath("data/T/Fig/fig.dsf"), kFigure));
    ASSERT_TRUE(writeFile(lib.filePath("People/Fig.duf"), kScene));
    ASSERT_TRUE(writeFile(lib.filePath("data/T/Fig/Morphs/Lift.dsf"), morphFile("Lift", 0.25f)));
    const QString outside = elsewhere.filePath("Fig elsewhere.duf");
    ASSERT_TRUE(writeFile(outside, kScene));
    DzAppOptions options = TestApp::defaultOptions();
    options.contentDirs = QStringList{lib.path()};
    TestApp app(options);
    const QString scene = lib.filePath("People/Fig.duf");
    ASSERT_EQ(loadMorphs(scene).size(), 1);
    DzNode* loaded = figureLabelled("Fig");

    ASSERT_TRUE(QDir(lib.path()).removeRecursively());
    DialogAnswerer answerer;
    EXPECT_FALSE(contentMgr()->openFile(scene, true));
    EXPECT_EQ(app.logLinesContaining(scene).last(),
              QStringLiteral("Content: cannot open \"%1\": no such file").arg(scene));

    // A file elsewhere that refers to the library: its figure is missing, nothing loads.
    EXPECT_FALSE(contentMgr()->openFile(outside, true));
    EXPECT_TRUE(app.logLinesContaining(outside).last().contains("nothing in"));
    ASSERT_EQ(answerer.seen().size(), 1);
    EXPECT_EQ(answerer.seen()[0].title, "Missing Files");
    EXPECT_EQ(dzScene->findNodeByLabel("Fig"), loaded);
    EXPECT_EQ(dzScene->getNumNodes(), 2);
}

// Files last changed well before they were read are read once per session, until their size or
// time stamp changes.
TEST(ContentChanges, InstalledMorphFilesAreReadOncePerChange)
{
    QTemporaryDir lib;
    ASSERT_TRUE(writeFile(lib.filePath("data/T/Fig/fig.dsf"), kFigure));
    ASSERT_TRUE(writeFile(lib.filePath("People/Fig.duf"), kScene));
    const QDateTime anHourAgo = QDateTime::currentDateTime().addSecs(-3600);
    const QString lift = lib.filePath("data/T/Fig/Morphs/Lift.dsf");
    ASSERT_TRUE(writeFile(lift, morphFile("Lift", 0.25f), anHourAgo));
    DzAppOptions options = TestApp::defaultOptions();
    options.contentDirs = QStringList{lib.path()};
    TestApp app(options);
    const QString scene = lib.filePath("People/Fig.duf");

    const int before = dson::installedMorphFileReads();
    EXPECT_EQ(loadMorphs(scene), (QMap<QString, float>{{"Lift", 0.25f}}));
    EXPECT_EQ(loadMorphs(scene), (QMap<QString, float>{{"Lift", 0.25f}}));
    EXPECT_EQ(dson::installedMorphFileReads(), before + 1);

    // The same size, another time stamp, also an old one.
    ASSERT_TRUE(writeFile(lift, morphFile("Lift", 0.75f), anHourAgo.addSecs(1)));
    EXPECT_EQ(loadMorphs(scene), (QMap<QString, float>{{"Lift", 0.75f}}));
    EXPECT_EQ(dson::installedMorphFileReads(), before + 2);

    // A file just written is read on every load until its time stamp is safely in the past.
    ASSERT_TRUE(writeFile(lift, morphFile("Lift", 0.5f)));
    EXPECT_EQ(loadMorphs(scene), (QMap<QString, float>{{"Lift", 0.5f}}));
    EXPECT_EQ(loadMorphs(scene), (QMap<QString, float>{{"Lift", 0.5f}}));
    EXPECT_EQ(dson::installedMorphFileReads(), before + 4);
}

// The figure asset a scene refers to is parsed once for every figure of its kind, until it
// changes on disk; a change is seen by the next load.
TEST(ContentChanges, AFigureAssetIsParsedOncePerChange)
{
    QTemporaryDir lib;
    const QDateTime anHourAgo = QDateTime::currentDateTime().addSecs(-3600);
    const QString asset = lib.filePath("data/T/Fig/fig.dsf");
    ASSERT_TRUE(writeFile(asset, kFigure, anHourAgo));
    ASSERT_TRUE(writeFile(lib.filePath("People/Fig.duf"), kScene));
    DzAppOptions options = TestApp::defaultOptions();
    options.contentDirs = QStringList{lib.path()};
    TestApp app(options);
    const QString scene = lib.filePath("People/Fig.duf");

    const int before = dson::assetDocumentReads();
    ASSERT_TRUE(contentMgr()->openFile(scene, true));
    ASSERT_TRUE(contentMgr()->openFile(scene, true));
    EXPECT_EQ(dzScene->getNumNodes(), 4);  // two figures, each with its bone
    EXPECT_EQ(dson::assetDocumentReads(), before + 1);

    // Moved vertex: the next load shows it.
    QByteArray moved = kFigure;
    moved.replace("[1,1,0]", "[1,2,0]");
    ASSERT_TRUE(writeFile(asset, moved, anHourAgo.addSecs(1)));
    ASSERT_TRUE(contentMgr()->openFile(scene, true));
    EXPECT_EQ(dson::assetDocumentReads(), before + 2);
    EXPECT_EQ(qobject_cast<DzFigure*>(dzScene->getNode(4))->getObject()->getCurrentShape()->getFacetMesh().getVertex(2),
              DzVec3(1, 2, 0));
}
