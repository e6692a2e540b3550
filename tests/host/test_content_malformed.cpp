#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <zlib.h>

#include "test_content_support.h"

using namespace testcontent;

namespace {

// A tiny, valid figure file whose parts the cases below break one at a time.
const QByteArray kQuad = "[[0,0,0],[1,0,0],[1,1,0],[0,1,0]]";

QByteArray figureFile(const QByteArray& vertices = kQuad,
                      const QByteArray& vertexCount = "4",
                      const QByteArray& polys = "[[0,0,0,1,2,3]]",
                      const QByteArray& morph = "",
                      const QByteArray& skin = "[[0,1],[1,1],[2,1],[3,1]]")
{
    return "{\"asset_info\":{\"id\":\"/data/T/quad.dsf\",\"type\":\"figure\"},"
           "\"geometry_library\":[{\"id\":\"g\",\"type\":\"polygon_mesh\","
           "\"vertices\":{\"count\":" + vertexCount + ",\"values\":" + vertices + "},"
           "\"polygon_groups\":{\"count\":1,\"values\":[\"Body\"]},"
           "\"polylist\":{\"count\":1,\"values\":" + polys + "}}],"
           "\"node_library\":[{\"id\":\"Quad\",\"label\":\"Quad\",\"type\":\"figure\",\"geometry\":\"#g\"},"
           "{\"id\":\"hip\",\"type\":\"bone\",\"parent\":\"#Quad\"}],"
           "\"modifier_library\":[{\"id\":\"SkinBinding\",\"parent\":\"#Quad\",\"skin\":{\"vertex_count\":4,"
           "\"joints\":[{\"node\":\"#hip\",\"node_weights\":{\"count\":4,\"values\":" + skin + "}}]}}"
           + (morph.isEmpty() ? QByteArray() : "," + morph) + "],"
           "\"scene\":{\"nodes\":[{\"id\":\"q\",\"url\":\"#Quad\",\"label\":\"Quad\"}]}}";
}

QByteArray morphOf(const QByteArray& vertexCount, const QByteArray& count, const QByteArray& values)
{
    return "{\"id\":\"M\",\"parent\":\"#Quad\",\"channel\":{\"id\":\"value\",\"value\":0},"
           "\"morph\":{\"vertex_count\":" + vertexCount + ",\"deltas\":{\"count\":" + count +
           ",\"values\":" + values + "}}}";
}

QByteArray gzipped(const QByteArray& data, int keep)
{
    z_stream s{};
    deflateInit2(&s, 9, Z_DEFLATED, 31, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(int(deflateBound(&s, uLong(data.size()))) + 32, 0);
    s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    s.avail_in = uInt(data.size());
    s.next_out = reinterpret_cast<Bytef*>(out.data());
    s.avail_out = uInt(out.size());
    deflate(&s, Z_FINISH);
    out.resize(int(s.total_out));
    deflateEnd(&s);
    return keep < 0 ? out : out.left(keep);
}

struct Case {
    const char* name;
    QByteArray bytes;
    const char* fault; // a piece of the log line
};

} // namespace

TEST(ContentMalformed, EachFaultFailsTheLoadWithALogLineAndLeavesTheSceneAlone)
{
    const QByteArray good = figureFile();
    const Case cases[] = {
        {"bad json", "{\"asset_info\": [", "not valid JSON"},
        {"not an object", "[1,2,3]", "JSON object"},
        {"truncated gzip", gzipped(good, 40), "truncated"},
        {"no asset info", "{\"scene\":{}}", "asset_info is missing"},
        {"vertex as text", figureFile("[[0,0,0],[1,0,0],\"x\",[0,1,0]]"), "is not an array"},
        {"vertex count", figureFile("[[0,0,0],[1,0,0],[1,1,0],[0,1,0]]", "5"), "count 5 but 4 values"},
        {"polygon index", figureFile(kQuad, "4", "[[0,0,0,1,2,9]]"), "vertex 9 of 4"},
        {"pentagon", figureFile(kQuad, "4", "[[0,0,0,1,2,3,0,1]]"), "3 or 4 vertices"},
        {"face group", figureFile(kQuad, "4", "[[3,0,0,1,2,3]]"), "face group 3"},
        {"skin index", figureFile(kQuad, "4", "[[0,0,0,1,2,3]]", "", "[[0,1],[1,1],[2,1],[7,1]]"), "vertex 7 of 4"},
        {"morph for another mesh", figureFile(kQuad, "4", "[[0,0,0,1,2,3]]", morphOf("5", "1", "[[0,1,0,0]]")),
         "is for 5 vertices"},
        {"morph delta count", figureFile(kQuad, "4", "[[0,0,0,1,2,3]]", morphOf("4", "2", "[[0,1,0,0]]")),
         "count 2 but 1 values"},
        {"morph delta index", figureFile(kQuad, "4", "[[0,0,0,1,2,3]]", morphOf("4", "1", "[[4,1,0,0]]")),
         "moves vertex 4 of 4"},
        {"morph delta shape", figureFile(kQuad, "4", "[[0,0,0,1,2,3]]", morphOf("4", "1", "[[0,1,0]]")),
         "[index, dx, dy, dz]"},
        {"unknown node", QByteArray(good).replace("\"url\":\"#Quad\"", "\"url\":\"#Nope\""), "no entry \"Nope\""},
    };

    QTemporaryDir dir;
    TestApp app;
    ASSERT_TRUE(openStock("Props/Primitive Sphere.duf"));
    const int before = dzScene->getNumNodes();

    // The template itself loads, so each case fails for its own fault.
    const QString goodPath = dir.filePath("good.duf");
    QFile goodFile(goodPath);
    ASSERT_TRUE(goodFile.open(QIODevice::WriteOnly));
    goodFile.write(good);
    goodFile.close();
    ASSERT_TRUE(contentMgr()->openFile(goodPath, true));
    ASSERT_NE(dzScene->findNodeByLabel("Quad"), nullptr);
    dzScene->removeNode(dzScene->findNodeByLabel("Quad"));
    ASSERT_EQ(dzScene->getNumNodes(), before);

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromLatin1(c.name) + ".duf");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.bytes);
        file.close();
        DialogAnswerer closer;
        EXPECT_FALSE(contentMgr()->openFile(path, false));
        EXPECT_EQ(dzScene->getNumNodes(), before);
        EXPECT_EQ(dzScene->findNodeByLabel("Quad"), nullptr);
        const QStringList lines = app.logLinesContaining(path);
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_TRUE(lines.last().contains(QString::fromLatin1(c.fault))) << lines.last().toStdString();
    }
}
