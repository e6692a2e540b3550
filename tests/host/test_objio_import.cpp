#include <cmath>

#include "test_objio_support.h"

using namespace testgeo;

namespace {

DzFacetMesh importText(ObjIoSession& s, const QString& name, const QByteArray& text,
                       const DzFileIOSettings* given = nullptr)
{
    SilentOptions options;
    if (given)
        options.copyFrom(*given);
    writeFile(s.path(name + ".obj"), text);
    EXPECT_EQ(s.importer()->readFile(s.path(name + ".obj"), &options), 0)
        << dzApp->getImportMgr()->getErrorMessage(DZ_ILLEGAL_FILE_FORMAT).toStdString();
    DzNode* node = dzScene->findNodeByLabel(name);
    return node ? shapeOf(node)->getFacetMesh() : DzFacetMesh();
}

} // namespace

// One node is added, labelled with the file's name up to its last suffix.
TEST(ObjImport, AcceptsNegativeIndicesCrlfCommentsAndUnknownStatements)
{
    ObjIoSession s;
    const int before = dzScene->getNumNodes();
    const DzFacetMesh mesh = importText(
        s, "mixed shape.v2",
        "# exported elsewhere\r\n"
        "mtllib mixed.mtl\r\n"
        "o Thing\r\n"
        "v 0 0 0\r\nv 1 0 0\r\nv 1 1 0   # trailing comment\r\nv 0 1 0\r\n"
        "vn 0 0 1\r\n"
        "vt 0 0\r\nvt 1 0\r\nvt 1 1\r\nvt 0 1\r\n"
        "s off\r\n"
        "curv 0 1 1 2\r\n"
        "g top\r\nusemtl skin\r\n"
        "f -4/-4/1 -3/-3/1 -2/-2/1 -1/-1/1\r\n"
        "g side\r\n"
        "f 1//1 2//1 \\\r\n 3//1\r\n");
    ASSERT_EQ(mesh.getNumVertices(), 4);
    expectNear(mesh.getVertex(2), {1, 1, 0});
    ASSERT_EQ(mesh.getNumFacets(), 2);
    EXPECT_TRUE(mesh.getFacet(0).isQuad());
    EXPECT_EQ(mesh.getFacet(0).m_vertIdx[0], 0);
    EXPECT_EQ(mesh.getFacet(0).m_uvwIdx[3], 3);
    EXPECT_FALSE(mesh.getFacet(1).isQuad());
    EXPECT_EQ(mesh.getFacet(1).m_uvwIdx[0], -1);
    EXPECT_EQ(mesh.getFaceGroupName(mesh.getFacet(0).m_faceGroupIdx), "top");
    EXPECT_EQ(mesh.getFaceGroupName(mesh.getFacet(1).m_faceGroupIdx), "side");
    EXPECT_EQ(mesh.getMaterialName(mesh.getFacet(1).m_materialIdx), "skin");
    EXPECT_EQ(dzScene->getNumNodes(), before + 1);
}

TEST(ObjImport, ConcaveFacesOfManyCornersAreCutInsideTheirOutline)
{
    ObjIoSession s;
    // A star of 33 points (66 corners, concave at every inner corner) in a tilted plane, and
    // a comb-shaped hexagon whose fan from corner 1 would leave its outline.
    constexpr int kPoints = 33;
    std::vector<QPointF> star;
    for (int i = 0; i < 2 * kPoints; ++i) {
        const double angle = M_PI * i / kPoints, radius = i % 2 ? 1.0 : 3.0;
        star.emplace_back(radius * std::cos(angle), radius * std::sin(angle));
    }
    const std::vector<QPointF> comb = {{0, 0}, {3, 0}, {3, 2}, {2, 2}, {2, 0.5}, {1, 0.5}, {1, 2}, {0, 2}};
    // Plane axes u, v: the outline lies in the plane through the origin they span.
    const DzVec3 u(0.6f, 0.0f, 0.8f), v(0.0f, 1.0f, 0.0f);
    const DzVec3 normal = u.cross(v);
    for (const auto& outline : {star, comb}) {
        QByteArray text;
        for (const QPointF& p : outline) {
            const DzVec3 q = u * float(p.x()) + v * float(p.y());
            text += QByteArray("v ") + QByteArray::number(q.m_x) + ' ' + QByteArray::number(q.m_y)
                    + ' ' + QByteArray::number(q.m_z) + '\n';
        }
        text += "f";
        for (size_t i = 1; i <= outline.size(); ++i)
            text += ' ' + QByteArray::number(qulonglong(i));
        const DzFacetMesh mesh = importText(s, QStringLiteral("outline%1").arg(outline.size()), text + '\n');

        double outlineArea = 0.0;
        for (size_t i = 0; i < outline.size(); ++i) {
            const QPointF& a = outline[i];
            const QPointF& b = outline[(i + 1) % outline.size()];
            outlineArea += (a.x() * b.y() - b.x() * a.y()) / 2.0;
        }
        EXPECT_EQ(mesh.getNumFacets(), int(outline.size()) - 2);
        double area = 0.0;
        for (const DzFacet& f : mesh.facets()) {
            ASSERT_FALSE(f.isQuad());
            const DzVec3 a = mesh.getVertex(f.m_vertIdx[0]);
            const DzVec3 cross = (mesh.getVertex(f.m_vertIdx[1]) - a).cross(mesh.getVertex(f.m_vertIdx[2]) - a);
            EXPECT_GT(cross.dot(normal), 0.0f) << "a triangle faces the wrong way";
            area += cross.length() / 2.0;
        }
        EXPECT_NEAR(area, outlineArea, 1e-4 * outlineArea) << "triangles overlap or leave the outline";
    }
}

TEST(ObjImport, FacesThatRepeatCornersKeepTheirAreaOnceAndLogWhatWasDropped)
{
    ObjIoSession s;
    const DzFacetMesh mesh = importText(s, "repeats",
                                        "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n"
                                        "f 1 2 3 4 1 2 3 4\n"  // traced twice
                                        "f 1 2 2 3\n"          // a repeated corner in a quad
                                        "f 1 1 2\n");          // no area left
    double area = 0.0;
    for (const DzFacet& f : mesh.facets()) {
        for (int i = 0; i < f.numCorners(); ++i)
            for (int j = i + 1; j < f.numCorners(); ++j)
                EXPECT_NE(f.m_vertIdx[i], f.m_vertIdx[j]);
        const DzVec3 a = mesh.getVertex(f.m_vertIdx[0]);
        for (int i = 1; i + 1 < f.numCorners(); ++i)
            area += (mesh.getVertex(f.m_vertIdx[i]) - a).cross(mesh.getVertex(f.m_vertIdx[i + 1]) - a).length() / 2;
    }
    EXPECT_NEAR(area, 1.0 + 0.5, 1e-6);  // the square once, and the triangle 1 2 3
    EXPECT_TRUE(dzApp->logLines().last().contains("1 faces without area dropped"))
        << dzApp->logLines().last().toStdString();
}

// Text in any encoding reads the same: UTF-8 with or without a byte order mark, UTF-16 either
// way round with or without one, and names that are not UTF-8 as Latin-1.
TEST(ObjImport, EveryEncodingReadsLikePlainText)
{
    ObjIoSession s;
    const QString name = QString::fromUtf8("Terraind\u00e6k");
    const QString text = "v 0 0 0\nv 1 0 0\nv 0 1 0\ng " + name + "\nusemtl " + name + "\nf 1 2 3\n";
    const auto utf16 = [&](bool bigEndian, bool mark) {
        QByteArray bytes;
        if (mark)
            bytes += bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (const QChar c : text) {
            const char hi = char(c.unicode() >> 8), lo = char(c.unicode() & 0xFF);
            bytes += bigEndian ? QByteArray(1, hi) + lo : QByteArray(1, lo) + hi;
        }
        return bytes;
    };
    const QByteArray variants[] = {text.toUtf8(),      text.toLatin1(),     "\xEF\xBB\xBF" + text.toUtf8(),
                                   utf16(false, true), utf16(true, true),   utf16(false, false),
                                   utf16(true, false)};
    int n = 0;
    for (const QByteArray& bytes : variants) {
        const DzFacetMesh mesh = importText(s, QStringLiteral("encoded%1").arg(++n), bytes);
        ASSERT_EQ(mesh.getNumVertices(), 3) << bytes.toHex().left(12).constData();
        ASSERT_EQ(mesh.getNumFacets(), 1);
        EXPECT_EQ(mesh.getFaceGroupName(mesh.getFacet(0).m_faceGroupIdx), name);
        EXPECT_EQ(mesh.getMaterialName(mesh.getFacet(0).m_materialIdx), name);
    }
}

// Lines and points are checked, kept as vertices and named in the log; the include options drop
// what they exclude.
TEST(ObjImport, LinesAndPointsAreNamedInTheLogAndIncludeOptionsDropWhatTheyExclude)
{
    ObjIoSession s;
    const QByteArray wires = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 5 5 5\nf 1 2 3\nl 1 4 2\np 4\ncurv 0 1 1 2\n";
    DzFacetMesh mesh = importText(s, "wires", wires);
    EXPECT_EQ(mesh.getNumVertices(), 4);  // indices of the file stay valid
    EXPECT_EQ(mesh.getNumFacets(), 1);
    const QString line = dzApp->logLines().last();
    EXPECT_TRUE(line.contains("1 line (l) and 1 point (p) statements not kept")) << line.toStdString();
    EXPECT_TRUE(line.contains("curv x1")) << line.toStdString();

    SilentOptions o;
    o.setBoolValue("IncludeL", false);
    importText(s, "wires2", wires, &o);
    EXPECT_TRUE(dzApp->logLines().last().contains("skipped (IncludeL is off)"));

    const QByteArray text = "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 0 1\n"
                            "g part\nusemtl skin\nf 1/1 2/2 3/3\n";
    o.setBoolValue("IncludeVT", false);
    o.setBoolValue("IncludeG", false);
    o.setBoolValue("IncludeUsemtl", false);
    mesh = importText(s, "plain", text, &o);
    ASSERT_EQ(mesh.getNumFacets(), 1);
    EXPECT_FALSE(mesh.hasUVs());
    EXPECT_EQ(mesh.faceGroupNames(), QStringList({"default"}));
    EXPECT_EQ(mesh.materialNames(), QStringList({"default"}));

    o.setBoolValue("IncludeF", false);
    mesh = importText(s, "points", text, &o);
    EXPECT_EQ(mesh.getNumVertices(), 3);
    EXPECT_EQ(mesh.getNumFacets(), 0);
}

