#include "io/objmeshreader.h"

#include <QFile>
#include <QFileInfo>

#include "dzfacetmesh.h"
#include "dzsettings.h"
#include "io/dzfileioerrortext.h"
#include "io/objaxes.h"
#include "io/objfile.h"

namespace {

const QString kDefaultGroup = QStringLiteral("default");

struct IncludeOptions {
    bool uvs = true;
    bool faces = true;
    bool groups = true;
    bool materials = true;
};

QString groupName(const QStringList& names, int index, bool include)
{
    return include && index >= 0 ? names.at(index) : kDefaultGroup;
}

void addPositions(const ObjMeshData& obj, const ObjAxes& axes, DzFacetMesh& mesh)
{
    QVector<DzVec3> vertices;
    vertices.reserve(int(obj.positions.size()));
    for (const auto& p : obj.positions) {
        const auto s = axes.fileToScene(p);
        vertices.append(DzVec3(float(s[0]), float(s[1]), float(s[2])));
    }
    mesh.setVertices(vertices);
}

// Adds the face as one facet, or as a fan of triangles when it has more than four corners.
void addFace(const ObjMeshData& obj, const ObjMeshData::Face& face, bool withUvs, int group,
             int material, DzFacetMesh& mesh)
{
    auto corner = [&](int i) { return size_t(face.firstCorner + i); };
    auto addPolygon = [&](std::initializer_list<int> corners) {
        QVector<int> v, uv;
        for (int c : corners) {
            v.append(obj.cornerVertex[corner(c)]);
            uv.append(withUvs ? obj.cornerUv[corner(c)] : -1);
        }
        const bool allUvs = withUvs && !uv.contains(-1);
        mesh.addFacet(v, group, material, allUvs ? uv : QVector<int>());
    };
    if (face.cornerCount == 3)
        addPolygon({0, 1, 2});
    else if (face.cornerCount == 4)
        addPolygon({0, 1, 2, 3});
    else
        for (int i = 1; i + 1 < face.cornerCount; ++i)
            addPolygon({0, i, i + 1});
}

void buildMesh(const ObjMeshData& obj, const ObjAxes& axes, const IncludeOptions& include,
               DzFacetMesh& mesh)
{
    mesh.clear();
    addPositions(obj, axes, mesh);
    if (!include.faces)
        return;
    const bool withUvs = include.uvs && !obj.uvs.empty();
    if (withUvs)
        for (const auto& uv : obj.uvs)
            mesh.addUV(QPointF(uv[0], uv[1]));
    for (const ObjMeshData::Face& face : obj.faces) {
        const int group = mesh.findOrAddFaceGroup(groupName(obj.groups, face.group, include.groups));
        const int material =
            mesh.findOrAddMaterial(groupName(obj.materials, face.material, include.materials));
        addFace(obj, face, withUvs, group, material, mesh);
    }
}

} // namespace

DzError dzReadObjFacetMesh(const QString& path, const DzSettings& options, DzFacetMesh& mesh)
{
    ObjAxes axes;
    if (!axes.read(options, ""))
        return dzFileIOFail(DZ_INVALID_ARGUMENT,
                            QStringLiteral("Invalid axis or scale options for importing %1").arg(path));
    QFile file(path);
    if (!QFileInfo(path).isFile())
        return dzFileIOFail(DZ_OPEN_FILE_ERROR,
                            QStringLiteral("The file %1 does not exist").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        return dzFileIOFail(DZ_OPEN_FILE_ERROR,
                            QStringLiteral("Could not open %1: %2").arg(path, file.errorString()));
    ObjMeshData obj;
    ObjParseError error;
    if (!parseObjText(file.readAll(), obj, &error))
        return dzFileIOFail(DZ_ILLEGAL_FILE_FORMAT, QStringLiteral("Malformed OBJ file %1, line %2: %3")
                                                        .arg(path)
                                                        .arg(error.line)
                                                        .arg(error.reason));
    IncludeOptions include;
    include.uvs = options.getBoolValue(QStringLiteral("IncludeVT"), true);
    include.faces = options.getBoolValue(QStringLiteral("IncludeF"), true);
    include.groups = options.getBoolValue(QStringLiteral("IncludeG"), true);
    include.materials = options.getBoolValue(QStringLiteral("IncludeUsemtl"), true);
    buildMesh(obj, axes, include, mesh);
    return DZ_NO_ERROR;
}
