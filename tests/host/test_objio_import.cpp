#include "test_objio_support.h"

using namespace testgeo;

namespace {

DzFacetMesh importText(ObjIoSession& s, const QString& name, const QByteArray& text,
                       const DzFileIOSettings* given = nullptr)
{
    SilentOptions options;
    if (given)
        options.copyFrom(*given);
    ObjIoSession::write(s.path(name + ".obj"), text);
    EXPECT_EQ(s.importer()->readFile(s.path(name + ".obj"), &options), 0)
        << dzApp->getImportMgr()->getErrorMessage(DZ_ILLEGAL_FILE_FORMAT).toStdString();
    DzNode* node = dzScene->findNodeByLabel(name);
    return node ? shapeOf(node)->getFacetMesh() : DzFacetMesh();
}

} // namespace

TEST(ObjImport, AcceptsNegativeIndicesCrlfCommentsAndUnknownStatements)
{
    ObjIoSession s;
    const DzFacetMesh mesh = importText(
        s, "mixed",
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
}

TEST(ObjImport, AddsOneNodeLabelledWithTheBaseNameAndSplitsNgons)
{
    ObjIoSession s;
    const int before = dzScene->getNumNodes();
    const DzFacetMesh mesh = importText(
        s, "hex shape.v2", "v 0 0 0\nv 2 0 0\nv 3 1 0\nv 2 2 0\nv 0 2 0\nv -1 1 0\nf 1 2 3 4 5 6\n");
    EXPECT_EQ(dzScene->getNumNodes(), before + 1);
    DzNode* node = dzScene->findNodeByLabel("hex shape.v2");
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->getObject()->getNumShapes(), 1);
    EXPECT_EQ(mesh.getNumFacets(), 4);  // a fan of triangles
    for (const DzFacet& f : mesh.facets())
        EXPECT_EQ(f.m_vertIdx[0], 0);
}

TEST(ObjImport, IncludeOptionsDropWhatTheyExclude)
{
    ObjIoSession s;
    const QByteArray text = "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 0 1\n"
                            "g part\nusemtl skin\nf 1/1 2/2 3/3\n";
    SilentOptions o;
    o.setBoolValue("IncludeVT", false);
    o.setBoolValue("IncludeG", false);
    o.setBoolValue("IncludeUsemtl", false);
    DzFacetMesh mesh = importText(s, "plain", text, &o);
    ASSERT_EQ(mesh.getNumFacets(), 1);
    EXPECT_FALSE(mesh.hasUVs());
    EXPECT_EQ(mesh.faceGroupNames(), QStringList({"default"}));
    EXPECT_EQ(mesh.materialNames(), QStringList({"default"}));

    o.setBoolValue("IncludeF", false);
    mesh = importText(s, "points", text, &o);
    EXPECT_EQ(mesh.getNumVertices(), 3);
    EXPECT_EQ(mesh.getNumFacets(), 0);
}

TEST(ObjImport, MalformedOrMissingFilesFailWithTheirLineAndCreateNothing)
{
    ObjIoSession s;
    SilentOptions o;
    const int before = dzScene->getNumNodes();
    struct Case {
        QByteArray text;
        int line;
    };
    const Case cases[] = {
        {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 4\n", 4},       // index past the end
        {"v 0 0 0\n# fine\nv 1 x 0\n", 3},                  // not a number
        {"v 0 0 0\nv 1 0 0\r\nv 0 1 0\r\nf 1 2\r\n", 4},    // too few corners
        {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf 0 1 2\n", 4},       // OBJ counts from 1
        {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf -4 1 2\n", 4},      // relative index before the start
        {"v 1 2\n", 1},
    };
    for (const Case& c : cases) {
        ObjIoSession::write(s.path("bad.obj"), c.text);
        EXPECT_EQ(s.importer()->readFile(s.path("bad.obj"), &o), DZ_ILLEGAL_FILE_FORMAT) << c.text.constData();
        const QString message = dzApp->getImportMgr()->getErrorMessage(DZ_ILLEGAL_FILE_FORMAT);
        EXPECT_TRUE(message.contains(QStringLiteral("line %1").arg(c.line))) << message.toStdString();
        EXPECT_TRUE(message.contains(s.path("bad.obj")));
    }
    ObjIoSession::write(s.path("empty.obj"), "# nothing here\n");
    EXPECT_EQ(s.importer()->readFile(s.path("empty.obj"), &o), DZ_ILLEGAL_FILE_FORMAT);

    const QString missing = s.path("nowhere.obj");
    EXPECT_EQ(s.importer()->readFile(missing, &o), DZ_OPEN_FILE_ERROR);
    EXPECT_TRUE(dzApp->getImportMgr()->getErrorMessage(DZ_OPEN_FILE_ERROR).contains(missing));
    EXPECT_EQ(dzScene->getNumNodes(), before);
}
