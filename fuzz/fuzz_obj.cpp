// The OBJ reader: the parser on the bytes, then the importer's whole read (triangulation
// included) on the same bytes as a file. Whatever the bytes, the result is an error with a
// line, or a mesh whose every index points into it.
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <string_view>

#include "dzfacetmesh.h"
#include "dzsettings.h"
#include "fuzz_support.h"
#include "io/objfile.h"
#include "io/objmeshreader.h"

namespace {

bool inRange(int index, size_t size) { return index >= 0 && size_t(index) < size; }

void checkParsed(const ObjMeshData& mesh)
{
    if (mesh.cornerVertex.size() != mesh.cornerUv.size())
        fuzz::fail("obj", QStringLiteral("corner lists differ in length"));
    for (int v : mesh.cornerVertex)
        if (!inRange(v, mesh.positions.size()))
            fuzz::fail("obj", QStringLiteral("corner vertex %1 of %2").arg(v).arg(mesh.positions.size()));
    for (int uv : mesh.cornerUv)
        if (uv != -1 && !inRange(uv, mesh.uvs.size()))
            fuzz::fail("obj", QStringLiteral("corner uv %1 of %2").arg(uv).arg(mesh.uvs.size()));
    for (const ObjMeshData::Face& f : mesh.faces) {
        if (f.firstCorner < 0 || f.cornerCount < 1 ||
            size_t(f.firstCorner) + size_t(f.cornerCount) > mesh.cornerVertex.size())
            fuzz::fail("obj", QStringLiteral("face corners %1+%2").arg(f.firstCorner).arg(f.cornerCount));
        if (f.group != -1 && !inRange(f.group, size_t(mesh.groups.size())))
            fuzz::fail("obj", QStringLiteral("face group %1").arg(f.group));
        if (f.material != -1 && !inRange(f.material, size_t(mesh.materials.size())))
            fuzz::fail("obj", QStringLiteral("face material %1").arg(f.material));
    }
}

void checkImported(const DzFacetMesh& mesh)
{
    for (const DzFacet& f : mesh.facets()) {
        for (int k = 0; k < f.numCorners(); ++k) {
            if (!inRange(f.m_vertIdx[k], size_t(mesh.getNumVertices())))
                fuzz::fail("obj import", QStringLiteral("facet vertex %1").arg(f.m_vertIdx[k]));
            if (f.m_uvwIdx[k] != -1 && !inRange(f.m_uvwIdx[k], size_t(mesh.getNumUVs())))
                fuzz::fail("obj import", QStringLiteral("facet uv %1").arg(f.m_uvwIdx[k]));
        }
        if (!inRange(f.m_faceGroupIdx, size_t(mesh.getNumFaceGroups())) && mesh.getNumFaceGroups() > 0)
            fuzz::fail("obj import", QStringLiteral("facet group %1").arg(f.m_faceGroupIdx));
    }
}

QString scratchFile()
{
    static QTemporaryDir dir;
    return dir.filePath(QStringLiteral("input.obj"));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::startQt(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ObjMeshData parsed;
    ObjParseError error;
    if (parseObjText(bytes, parsed, &error)) {
        checkParsed(parsed);
    } else if (error.line < 1 || error.reason.isEmpty()) {
        fuzz::fail("obj", QStringLiteral("an error without line or reason (line %1)").arg(error.line));
    }

    QFile file(scratchFile());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes.data(), qint64(size)) != qint64(size))
        fuzz::fail("obj import", QStringLiteral("cannot write %1").arg(file.fileName()));
    file.close();
    const DzSettings options;
    DzFacetMesh mesh;
    if (dzReadObjFacetMesh(file.fileName(), options, mesh) == 0)
        checkImported(mesh);
    return 0;
}
