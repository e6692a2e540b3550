#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <zlib.h>

#include "../../host/src/content/dsondocument.h"
#include "test_content_support.h"

using namespace testcontent;

namespace {

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

// A figure with every part the loader reads: UVs, resolution channels, a bone with its centre,
// a skin, a morph with HD deltas and a scene instance with a transform. Each case below
// replaces one piece of it.
const QByteArray kRich = R"({
 "asset_info": {"id": "/data/T/rich.dsf", "type": "figure"},
 "geometry_library": [{"id": "g", "type": "polygon_mesh", "default_uv_set": "#uv",
  "vertices": {"count": 4, "values": [[0,0,0],[1,0,0],[1,1,0],[0,1,0]]},
  "polygon_groups": {"count": 1, "values": ["Body"]},
  "polygon_material_groups": {"count": 1, "values": ["Skin"]},
  "polylist": {"count": 2, "values": [[0,0,0,1,2],[0,0,0,2,3]]},
  "extra": [{"type": "studio_other_extra"}, {"type": "studio_geometry_channels", "channels": [
   {"channel": {"id": "lodlevel", "value": 0}},
   {"channel": {"id": "SubDIALevel", "value": 1, "min": 0, "max": 4}}]}]}],
 "uv_set_library": [{"id": "uv", "vertex_count": 4,
  "uvs": {"count": 5, "values": [[0,0],[1,0],[1,1],[0,1],[0.5,0.5]]},
  "polygon_vertex_indices": [[1,2,4]]}],
 "node_library": [{"id": "Rich", "label": "Rich", "type": "figure", "geometry": "#g"},
  {"id": "hip", "type": "bone", "parent": "#Rich",
   "center_point": [{"id": "x", "value": 0}, {"id": "y", "value": 0.5}]}],
 "modifier_library": [
  {"id": "SkinBinding", "parent": "#Rich", "skin": {"vertex_count": 4, "joints": [
   {"node": "#hip", "node_weights": {"count": 2, "values": [[0,1],[3,0.5]]}}]}},
  {"id": "Lift", "parent": "#Rich", "channel": {"id": "value", "value": 0, "min": -1, "max": 1},
   "morph": {"vertex_count": 4, "deltas": {"count": 1, "values": [[2,0,0.25,0]]},
    "hd": {"level": 1, "deltas": {"count": 1, "values": [[7,0,0.1,0]]}}}}],
 "scene": {"nodes": [{"id": "r", "url": "#Rich", "label": "Rich",
  "translation": [{"id": "x", "current_value": 2}]}]}
})";

// kRich with one piece replaced; empty when the piece is not there (so a stale case fails).
QByteArray rich(const char* from, const char* to)
{
    if (!kRich.contains(from))
        return {};
    return QByteArray(kRich).replace(from, to);
}

// Deeper than any parser's stack should follow.
QByteArray nested(int depth)
{
    return "{\"asset_info\":" + QByteArray(depth, '[') + QByteArray(depth, ']') + "}";
}

struct Case {
    const char* name;
    QByteArray bytes;
    const char* fault; // a piece of the log line
};

} // namespace

// Writes each case as a file and opens it over a scene holding a sphere: the load fails with
// one log line naming the file and the fault (its JSON path where it has one), and the scene
// is as it was.
TEST(ContentMalformed, EachFaultFailsTheLoadWithALogLineAndLeavesTheSceneAlone)
{
    const Case cases[] = {
        // The file as a whole.
        {"bad json", "{\"asset_info\": [", "not valid JSON"},
        {"not an object", "[1,2,3]", "does not hold a JSON object"},
        {"truncated gzip", gzipped(kRich, 40), "truncated"},
        {"no asset info", "{\"scene\":{}}", "asset_info is missing"},
        {"blank", " \n\t ", "the file is empty"},
        {"empty gzip", gzipped("", -1), "the file is empty"},
        {"gzip header on garbage", QByteArray("\x1f\x8b\x08\0\0\0\0\0\0\x03garbage garbage", 25),
         "has corrupt compressed data"},
        {"nested too deep", nested(100000), "not valid JSON"},
        {"invalid utf-8", rich("\"label\": \"Rich\", \"type\"", "\"label\": \"Ri\xc3\x28\", \"type\""),
         "not valid JSON"},
        // Numbers a float or an int cannot hold.
        {"coordinate beyond float", rich("[1,1,0]", "[1,-1e39,0]"), "geometry \"g\".vertices.values[2][1] is out of range"},
        {"polygon index 1e300", rich("[0,0,0,2,3]", "[0,0,0,2,1e300]"), "polylist.values[1][4] is out of range"},
        {"polygon index 2.5", rich("[0,0,0,2,3]", "[0,0,0,2.5,3]"), "polylist.values[1][3] is not an integer"},
        {"polygon index as text", rich("[0,0,0,2,3]", "[0,0,0,\"2\",3]"), "polylist.values[1][3] is not a number"},
        {"negative vertex count", rich("\"count\": 4, \"values\": [[0,0,0]", "\"count\": -4, \"values\": [[0,0,0]"),
         "vertices has count -4 but 4 values"},
        {"subdivision min 1e300", rich("\"min\": 0, \"max\": 4", "\"min\": 1e300, \"max\": 4"),
         "channels[1].channel.min is out of range"},
        {"subdivision beyond max", rich("\"value\": 1, \"min\": 0", "\"value\": 7, \"min\": 0"), "SubDIALevel 7 is outside 0..4"},
        {"lod level 2", rich("\"lodlevel\", \"value\": 0", "\"lodlevel\", \"value\": 2"), "lodlevel 2 is neither 0 nor 1"},
        {"bone centre 1e300", rich("\"value\": 0.5}", "\"value\": 1e300}"), "center_point[1].value is out of range"},
        {"skin weight 1e300", rich("[3,0.5]", "[3,1e300]"), "node_weights.values[1][1] is out of range"},
        {"skin vertex_count 1e300", rich("\"skin\": {\"vertex_count\": 4", "\"skin\": {\"vertex_count\": 1e300"),
         "skin.vertex_count is out of range"},
        {"skin index -1", rich("[3,0.5]", "[-1,0.5]"), "weights vertex -1 of 4"},
        {"morph delta 1e300", rich("[2,0,0.25,0]", "[2,0,1e300,0]"), "deltas.values[0][2] is out of range"},
        {"morph vertex_count -4", rich("\"morph\": {\"vertex_count\": 4", "\"morph\": {\"vertex_count\": -4"),
         "is for -4 vertices, the figure has 4"},
        {"morph delta count 1e300", rich("\"count\": 1, \"values\": [[2,", "\"count\": 1e300, \"values\": [[2,"),
         "deltas.count is out of range"},
        {"morph min 1e300", rich("\"min\": -1, \"max\": 1", "\"min\": -1e300, \"max\": 1"), "channel.min is out of range"},
        {"hd level 9", rich("\"level\": 1", "\"level\": 9"), "hd.level 9 is outside 1..4"},
        {"hd delta index -3", rich("[7,0,0.1,0]", "[-3,0,0.1,0]"), "moves vertex -3"},
        {"translation 1e300", rich("\"current_value\": 2", "\"current_value\": 1e300"), "translation[0].current_value is out of range"},
        // Indices and references that point nowhere.
        {"uv index 5 of 5", rich("[[1,2,4]]", "[[1,2,5]]"), "polygon_vertex_indices[0] is out of range"},
        {"uv corner off the polygon", rich("[[1,2,4]]", "[[1,1,4]]"), "polygon 1 has no vertex 1"},
        {"uv set for 5 vertices", rich("\"vertex_count\": 4,\n  \"uvs\"", "\"vertex_count\": 5,\n  \"uvs\""),
         "uv set \"uv\" is for 5 vertices"},
        {"fewer uvs than vertices", rich("\"count\": 5, \"values\": [[0,0],[1,0],[1,1],[0,1],[0.5,0.5]]",
                                         "\"count\": 3, \"values\": [[0,0],[1,0],[1,1]]"), "fewer UVs than vertices"},
        {"material 1 of 1", rich("[0,0,0,1,2]", "[0,1,0,1,2]"), "names material 1 of 1"},
        {"polygon vertex -1", rich("[0,0,0,1,2]", "[0,0,-1,1,2]"), "refers to vertex -1 of 4"},
        {"skin to a missing bone", rich("\"node\": \"#hip\"", "\"node\": \"#spine\""), "binds to bone \"spine\""},
        {"bone without its parent", rich("\"parent\": \"#Rich\",\n   \"center_point\"", "\"parent\": \"#Gone\",\n   \"center_point\""),
         "a bone whose parent is not in the figure"},
        {"no uv set", rich("\"default_uv_set\": \"#uv\"", "\"default_uv_set\": \"#other\""), "uv_set_library has no entry \"other\""},
        {"null vertex", rich("[1,1,0]", "null"), "vertices.values[2] is not an array"},
        // Counts and indices that do not fit the mesh.
        {"vertex count", rich("\"count\": 4, \"values\": [[0,0,0]", "\"count\": 5, \"values\": [[0,0,0]"),
         "count 5 but 4 values"},
        {"polygon index 9", rich("[0,0,0,2,3]", "[0,0,0,2,9]"), "vertex 9 of 4"},
        {"pentagon", rich("[0,0,0,2,3]", "[0,0,0,2,3,0,1]"), "3 or 4 vertices"},
        {"face group 3", rich("[0,0,0,2,3]", "[3,0,0,2,3]"), "face group 3"},
        {"skin index 7", rich("[3,0.5]", "[7,0.5]"), "weights vertex 7 of 4"},
        {"morph delta count", rich("\"count\": 1, \"values\": [[2,", "\"count\": 2, \"values\": [[2,"),
         "count 2 but 1 values"},
        {"morph delta index 4", rich("[2,0,0.25,0]", "[4,0,0.25,0]"), "moves vertex 4 of 4"},
        {"morph delta shape", rich("[2,0,0.25,0]", "[2,0,0.25]"), "[index, dx, dy, dz]"},
        {"unknown node", rich("\"url\": \"#Rich\"", "\"url\": \"#Nope\""), "no entry \"Nope\""},
        {"scene lodlevel 2", rich("\"label\": \"Rich\",\n  \"translation\"",
                                  "\"label\": \"Rich\", \"geometries\": [{\"extra\": [{\"type\": \"studio_geometry_channels\", "
                                  "\"channels\": [{\"channel\": {\"id\": \"lodlevel\", \"current_value\": 2}}]}]}],\n  \"translation\""),
         "geometries[0].extra[0].channels[0].channel: lodlevel 2 is outside 0..1"},
        {"scene level 1e300", rich("\"label\": \"Rich\",\n  \"translation\"",
                                   "\"label\": \"Rich\", \"geometries\": [{\"extra\": [{\"type\": \"studio_geometry_channels\", "
                                   "\"channels\": [{\"channel\": {\"id\": \"SubDIALevel\", \"current_value\": 1e300}}]}]}],\n  \"translation\""),
         "channels[0].channel.current_value is out of range"},
    };
    QTemporaryDir dir;
    TestApp app;
    // The template itself loads, so each case fails for its own fault.
    ASSERT_TRUE(writeFile(dir.filePath("good.duf"), kRich));
    ASSERT_TRUE(contentMgr()->openFile(dir.filePath("good.duf"), false));
    ASSERT_NE(dzScene->findNodeByLabel("Rich"), nullptr);
    ASSERT_TRUE(contentMgr()->openFile(contentMgr()->getAbsolutePath("Props/Primitive Sphere.duf"), false));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromLatin1(c.name) + ".duf");
        ASSERT_TRUE(!c.bytes.isNull() && writeFile(path, c.bytes));
        DialogAnswerer closer;
        EXPECT_FALSE(contentMgr()->openFile(path, true));
        EXPECT_EQ(dzScene->getNumNodes(), 1);
        const QStringList lines = app.logLinesContaining(path);
        ASSERT_EQ(lines.size(), 1) << lines.join('\n').toStdString();
        EXPECT_TRUE(lines[0].contains(QString::fromLatin1(c.fault))) << lines[0].toStdString();
    }
}

TEST(ContentMalformed, OversizedFilesAreRefusedBeforeTheyAreRead)
{
    QTemporaryDir dir;
    TestApp app;
    // A sparse file: as big as it says, without the disk space.
    const QString huge = dir.filePath("huge.duf");
    QFile file(huge);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(dson::kMaxDocumentBytes + 1));
    file.close();
    DialogAnswerer closer;
    EXPECT_FALSE(contentMgr()->openFile(huge, true));
    ASSERT_EQ(closer.seen().size(), 1);
    EXPECT_EQ(closer.seen()[0].title, "Error opening file");
    const QStringList lines = app.logLinesContaining(huge);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].contains("the file is larger than 512 MB, the most a content file may hold"))
        << lines[0].toStdString();
    EXPECT_EQ(dzScene->getNumNodes(), 0);
}

TEST(ContentMalformed, GzipThatExpandsBeyondTheLimitStopsAtTheLimit)
{
    QTemporaryDir dir;
    const QString bomb = dir.filePath("bomb.duf");
    ASSERT_TRUE(writeFile(bomb, gzipped(QByteArray(4 << 20, ' ') + kRich, -1)));  // 4 MB of blanks, then a figure
    try {
        dson::readDocument(bomb, 1 << 20);
        FAIL() << "a 4 MB document was inflated under a 1 MB limit";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "expands to more than 1 MB, the most a content file may hold");
    }
    EXPECT_NO_THROW(dson::readDocument(bomb, 8 << 20));
}
