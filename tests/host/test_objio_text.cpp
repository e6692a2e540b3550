// The exporter's exact text for small scenes: a faster writer must not change one byte. The
// importer given the inverse options reads the mapped text back to the scene's numbers.
#include "test_objio_support.h"

using namespace testgeo;

namespace {

// Two nodes: a quad with UVs, and a quad plus a triangle in two groups and two surfaces, with
// coordinates that test rounding (ties, tiny negatives, large and small magnitudes).
void addTwoNodes(ObjIoSession& s)
{
    DzFacetMesh quad = openQuad();
    quad.setVertex(1, DzVec3(2.123456789f, -0.000000004f, 1e-9f));
    quad.setVertex(2, DzVec3(12345.678f, 0.5f, -0.125f));
    s.addNode("Quad", quad);

    DzFacetMesh parts;
    parts.addVertex({0.1f, 0.2f, 0.3f});
    parts.addVertex({-1.0f / 3.0f, 2.0f / 3.0f, 1e-5f});
    parts.addVertex({100.0f, -100.0f, 0.0f});
    parts.addVertex({0.0000125f, -7.5f, 3.14159265f});
    parts.addVertex({1e6f, -1e-6f, 0.99999999f});
    const int body = parts.findOrAddFaceGroup("body");
    const int head = parts.findOrAddFaceGroup("head");
    const int skin = parts.findOrAddMaterial("Skin");
    const int eyes = parts.findOrAddMaterial("Eyes");
    parts.addFacet({0, 1, 2, 3}, body, skin);
    parts.addFacet({2, 3, 4}, head, eyes);
    parts.addFacet({0, 3, 4}, head, skin);
    s.addNode("Parts", parts);
}

} // namespace

TEST(ObjText, TheOptionsWriteThisExactText)
{
    ObjIoSession s;
    addTwoNodes(s);
    const SilentOptions defaults;
    SilentOptions all;  // normals, objects, group names, a material library, numbers mapped
    all.setBoolValue("WriteVN", true);
    all.setBoolValue("WriteO", true);
    all.setBoolValue("GroupNodes", true);
    all.setBoolValue("GroupSurfaces", true);
    all.setBoolValue("WriteMtllib", true);
    all.setIntValue("FloatPrecision", 3);
    all.setFloatValue("Scale", 2.0);
    all.setStringValue("LatAxis", "Z");
    all.setStringValue("DepthAxis", "X");
    all.setBoolValue("InvertVertAxis", true);
    struct Case {
        const char* file;
        const SilentOptions& options;
        std::string obj;
        std::string mtl;  // empty: none written
    };
    const Case cases[] = {
        {"two", defaults,
              "v 0.00000000 0.00000000 0.00000000\n"
              "v 2.12345672 -0.00000000 0.00000000\n"
              "v 12345.67773438 0.50000000 -0.12500000\n"
              "v 0.00000000 2.00000000 0.00000000\n"
              "vt 0.00000000 0.00000000\n"
              "vt 1.00000000 0.00000000\n"
              "vt 1.00000000 1.00000000\n"
              "vt 0.00000000 1.00000000\n"
              "g plane\n"
              "usemtl \n"
              "f 1/1 2/2 3/3 4/4\n"
              "v 0.10000000 0.20000000 0.30000001\n"
              "v -0.33333334 0.66666669 0.00001000\n"
              "v 100.00000000 -100.00000000 0.00000000\n"
              "v 0.00001250 -7.50000000 3.14159274\n"
              "v 1000000.00000000 -0.00000100 1.00000000\n"
              "g body\n"
              "usemtl Skin\n"
              "f 5 6 7 8\n"
              "g head\n"
              "usemtl Eyes\n"
              "f 7 8 9\n"
              "usemtl Skin\n"
              "f 5 8 9\n",
         ""},
        {"all", all,
              "mtllib all.mtl\n"
              "o Quad\n"
              "v 0.000 -0.000 0.000\n"
              "v 0.000 0.000 4.247\n"
              "v -0.250 -1.000 24691.355\n"
              "v 0.000 -4.000 0.000\n"
              "vt 0.000 0.000\n"
              "vt 1.000 0.000\n"
              "vt 1.000 1.000\n"
              "vt 0.000 1.000\n"
              "vn 1.000 -0.000 -0.000\n"
              "vn 0.970 -0.243 0.000\n"
              "vn 1.000 -0.000 0.000\n"
              "vn 1.000 -0.000 0.000\n"
              "g Quad_plane\n"
              "usemtl \n"
              "f 1/1/1 2/2/2 3/3/3 4/4/4\n"
              "o Parts\n"
              "v 0.600 -0.400 0.200\n"
              "v 0.000 -1.333 -0.667\n"
              "v 0.000 200.000 200.000\n"
              "v 6.283 15.000 0.000\n"
              "v 2.000 0.000 2000000.000\n"
              "vn 0.938 -0.346 -0.000\n"
              "vn -0.075 0.704 -0.706\n"
              "vn -0.999 -0.034 -0.000\n"
              "vn -0.998 -0.070 -0.000\n"
              "vn -0.998 -0.070 -0.000\n"
              "g Parts_body_Skin\n"
              "usemtl Skin\n"
              "f 5//5 6//6 7//7 8//8\n"
              "g Parts_head_Eyes\n"
              "usemtl Eyes\n"
              "f 7//7 8//8 9//9\n"
              "g Parts_head_Skin\n"
              "usemtl Skin\n"
              "f 5//5 8//8 9//9\n",
              "newmtl \n"
              "Kd 0.8 0.8 0.8\n"
              "\n"
              "newmtl Skin\n"
              "Kd 0.8 0.8 0.8\n"
              "\n"
              "newmtl Eyes\n"
              "Kd 0.8 0.8 0.8\n"
              "\n"},
    };
    for (const Case& c : cases) {
        const QString obj = s.path(QString(c.file) + ".obj"), mtl = s.path(QString(c.file) + ".mtl");
        ASSERT_EQ(s.exporter()->writeFile(obj, &c.options), 0);
        EXPECT_EQ(readFile(obj).toStdString(), c.obj);
        EXPECT_EQ(readFile(mtl).toStdString(), c.mtl);
    }

    SilentOptions back;
    back.setFloatValue("Scale", 0.5);
    back.setStringValue("LatAxis", "Z");
    back.setStringValue("DepthAxis", "X");
    back.setBoolValue("InvertVert", true);
    ASSERT_EQ(s.importer()->readFile(s.path("all.obj"), &back), 0);
    expectNear(shapeOf(dzScene->findNodeByLabel("all"))->getFacetMesh().getVertex(4), {0.1f, 0.2f, 0.3f}, 1e-3f);

    all.setStringValue("VertAxis", "Z");  // two file axes from one scene axis
    EXPECT_EQ(s.exporter()->writeFile(s.path("bad.obj"), &all), DZ_INVALID_ARGUMENT);
}
