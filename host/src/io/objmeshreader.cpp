#include "io/objmeshreader.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <new>

#include "dzapp.h"
#include "dzfacetmesh.h"
#include "dzsettings.h"
#include "io/dzfileioerrortext.h"
#include "io/objaxes.h"
#include "io/objfile.h"
#include "io/objtriangulator.h"

namespace {

const QString kDefaultGroup = QStringLiteral("default");

// The file is read whole into one array (below 2 GiB in Qt 5); a gigabyte of OBJ text is
// already a mesh of some ten million vertices.
constexpr qint64 kMaxFileBytes = qint64(1) << 30;

struct IncludeOptions {
    bool uvs = true;
    bool faces = true;
    bool groups = true;
    bool materials = true;
    bool lines = true;
};

// What the conversion left out, for the log.
struct ReadNotes {
    int degenerateFaces = 0;   // no area left once repeated corners are removed
    int degeneratePieces = 0;  // triangles of a split face that repeat a corner
};

// The whole file, read (not mapped: a file cut short by another program while mapped would
// end the process).
class FileBytes {
public:
    explicit FileBytes(const QString& path) : _file(path) {}

    DzError open()
    {
        const QString path = _file.fileName();
        const QFileInfo info(path);
        if (info.isDir())
            return dzFileIOFail(DZ_OPEN_FILE_ERROR, QStringLiteral("%1 is a folder, not an OBJ file").arg(path));
        if (!info.exists())
            return dzFileIOFail(DZ_OPEN_FILE_ERROR, QStringLiteral("The file %1 does not exist").arg(path));
        if (!_file.open(QIODevice::ReadOnly))
            return dzFileIOFail(DZ_OPEN_FILE_ERROR,
                                QStringLiteral("Could not open %1: %2").arg(path, _file.errorString()));
        const qint64 size = _file.size();
        if (size > kMaxFileBytes)
            return dzFileIOFail(DZ_ILLEGAL_FILE_FORMAT,
                                QStringLiteral("The OBJ file %1 is too large to import: %2 (at most %3)")
                                    .arg(path, QLocale::c().formattedDataSize(size),
                                         QLocale::c().formattedDataSize(kMaxFileBytes)));
        _bytes = _file.readAll();
        if (_file.error() != QFileDevice::NoError)
            return dzFileIOFail(DZ_OPEN_FILE_ERROR,
                                QStringLiteral("Could not read %1: %2").arg(path, _file.errorString()));
        return DZ_NO_ERROR;
    }

    std::string_view bytes() const { return std::string_view(_bytes.constData(), size_t(_bytes.size())); }

private:
    QFile _file;
    QByteArray _bytes;
};

// The mesh's index of each of the file's group (or material) names, found or added on first
// use, so the mesh lists only names some face uses; names the options leave out, and faces
// without one, fall to "default".
class GroupMap {
public:
    using FindOrAdd = int (DzFacetMesh::*)(const QString&);

    GroupMap(const QStringList& names, bool include, FindOrAdd findOrAdd)
        : _names(names), _include(include), _findOrAdd(findOrAdd), _indices(names.size(), -1)
    {
    }

    int meshIndex(int fileIndex, DzFacetMesh& mesh)
    {
        if (fileIndex < 0 || !_include)
            return defaultIndex(mesh);
        int& index = _indices[fileIndex];
        if (index < 0)
            index = (mesh.*_findOrAdd)(_names.at(fileIndex));
        return index;
    }

private:
    int defaultIndex(DzFacetMesh& mesh)
    {
        if (_default < 0)
            _default = (mesh.*_findOrAdd)(kDefaultGroup);
        return _default;
    }

    const QStringList& _names;
    const bool _include;
    const FindOrAdd _findOrAdd;
    QVector<int> _indices;
    int _default = -1;
};

class FaceBuilder {
public:
    FaceBuilder(const ObjMeshData& obj, const IncludeOptions& include, DzFacetMesh& mesh)
        : _obj(obj),
          _mesh(mesh),
          _withUvs(include.uvs && !obj.uvs.empty()),
          _groups(obj.groups, include.groups, &DzFacetMesh::findOrAddFaceGroup),
          _materials(obj.materials, include.materials, &DzFacetMesh::findOrAddMaterial)
    {
    }

    void add(const ObjMeshData::Face& face)
    {
        _facet.m_faceGroupIdx = _groups.meshIndex(face.group, _mesh);
        _facet.m_materialIdx = _materials.meshIndex(face.material, _mesh);
        collectCorners(face);
        if (_corners.size() < 3) {
            ++notes.degenerateFaces;
            return;
        }
        if (_corners.size() <= 4 && !repeatsAVertex()) {
            addFacet(_corners);
            return;
        }
        triangulate();
    }

    ReadNotes notes;

private:
    struct Corner {
        int vertex;
        int uv;
    };

    // The face's corners without immediate repeats (the last one also against the first).
    void collectCorners(const ObjMeshData::Face& face)
    {
        _corners.clear();
        for (int i = 0; i < face.cornerCount; ++i) {
            const auto c = size_t(face.firstCorner + i);
            const Corner corner{_obj.cornerVertex[c], _withUvs ? _obj.cornerUv[c] : -1};
            if (_corners.empty() || _corners.back().vertex != corner.vertex)
                _corners.push_back(corner);
        }
        while (_corners.size() > 1 && _corners.back().vertex == _corners.front().vertex)
            _corners.pop_back();
    }

    bool repeatsAVertex() const
    {
        for (size_t i = 0; i < _corners.size(); ++i)
            for (size_t j = i + 1; j < _corners.size(); ++j)
                if (_corners[i].vertex == _corners[j].vertex)
                    return true;
        return false;
    }

    void addFacet(const std::vector<Corner>& corners)
    {
        bool allUvs = _withUvs;
        for (size_t i = 0; i < 4; ++i) {
            _facet.m_vertIdx[i] = i < corners.size() ? corners[i].vertex : -1;
            _facet.m_uvwIdx[i] = i < corners.size() ? corners[i].uv : -1;
            allUvs = allUvs && (i >= corners.size() || corners[i].uv >= 0);
        }
        if (!allUvs)
            std::fill(std::begin(_facet.m_uvwIdx), std::end(_facet.m_uvwIdx), -1);
        _mesh.addFacet(_facet);
    }

    void triangulate()
    {
        _points.clear();
        for (const Corner& c : _corners)
            _points.push_back(_obj.positions[size_t(c.vertex)]);
        const std::vector<int>& triangles = _triangulator.triangulate(_points);
        if (triangles.empty())
            ++notes.degenerateFaces;
        for (size_t t = 0; t + 2 < triangles.size(); t += 3) {
            _triangle.assign({_corners[size_t(triangles[t])], _corners[size_t(triangles[t + 1])],
                              _corners[size_t(triangles[t + 2])]});
            const int a = _triangle[0].vertex, b = _triangle[1].vertex, c = _triangle[2].vertex;
            if (a == b || b == c || a == c)
                ++notes.degeneratePieces;
            else
                addFacet(_triangle);
        }
    }

    const ObjMeshData& _obj;
    DzFacetMesh& _mesh;
    const bool _withUvs;
    GroupMap _groups, _materials;
    DzFacet _facet;
    std::vector<Corner> _corners, _triangle;  // reused: no allocation per face
    std::vector<std::array<double, 3>> _points;
    ObjTriangulator _triangulator;
};

QVector<DzVec3> scenePositions(const ObjMeshData& obj, const ObjAxes& axes)
{
    QVector<DzVec3> vertices(int(obj.positions.size()));
    DzVec3* out = vertices.data();
    for (const auto& p : obj.positions) {
        const auto s = axes.fileToScene(p);
        *out++ = DzVec3(float(s[0]), float(s[1]), float(s[2]));
    }
    return vertices;
}

ReadNotes buildMesh(const ObjMeshData& obj, const ObjAxes& axes, const IncludeOptions& include,
                    DzFacetMesh& mesh)
{
    mesh.clear();
    mesh.setVertices(scenePositions(obj, axes));
    if (!include.faces)
        return {};
    if (include.uvs)
        for (const auto& uv : obj.uvs)
            mesh.addUV(QPointF(uv[0], uv[1]));
    FaceBuilder builder(obj, include, mesh);
    for (const ObjMeshData::Face& face : obj.faces)
        builder.add(face);
    return builder.notes;
}

// One log line naming what the file held that the mesh does not.
void logLeftOut(const QString& path, const ObjMeshData& obj, const IncludeOptions& include,
                const ReadNotes& notes)
{
    QStringList parts;
    if (obj.lineStatements + obj.pointStatements > 0) {
        const QString elements = QStringLiteral("%1 line (l) and %2 point (p) statements")
                                     .arg(obj.lineStatements)
                                     .arg(obj.pointStatements);
        parts << (include.lines ? elements + QStringLiteral(" not kept: meshes hold faces only; "
                                                            "their vertices are kept")
                                : elements + QStringLiteral(" skipped (IncludeL is off)"));
    }
    if (notes.degenerateFaces > 0)
        parts << QStringLiteral("%1 faces without area dropped").arg(notes.degenerateFaces);
    if (notes.degeneratePieces > 0)
        parts << QStringLiteral("%1 triangles that repeat a corner dropped").arg(notes.degeneratePieces);
    QStringList unsupported;
    for (auto it = obj.unsupported.cbegin(); it != obj.unsupported.cend(); ++it)
        unsupported << QStringLiteral("%1 x%2").arg(it.key()).arg(it.value());
    if (!unsupported.isEmpty())
        parts << QStringLiteral("unsupported statements skipped (%1)").arg(unsupported.join(QStringLiteral(", ")));
    if (!parts.isEmpty() && dzApp)
        dzApp->log(QStringLiteral("OBJ import of %1: %2").arg(path, parts.join(QStringLiteral("; "))));
}

// Parses the file; an error code with its text when it cannot be read or holds no vertices.
DzError parseFile(const QString& path, bool elements, ObjMeshData& obj)
{
    FileBytes file(path);
    if (const DzError e = file.open())
        return e;
    ObjParseError error;
    if (!parseObjText(file.bytes(), obj, &error, elements))
        return dzFileIOFail(DZ_ILLEGAL_FILE_FORMAT, QStringLiteral("Malformed OBJ file %1, line %2: %3")
                                                        .arg(path)
                                                        .arg(error.line)
                                                        .arg(error.reason));
    if (obj.positions.empty())
        return dzFileIOFail(DZ_ILLEGAL_FILE_FORMAT,
                            file.bytes().empty()
                                ? QStringLiteral("The OBJ file %1 is empty").arg(path)
                                : QStringLiteral("The OBJ file %1 holds no vertices").arg(path));
    return DZ_NO_ERROR;
}

DzError readMesh(const QString& path, const DzSettings& options, const ObjAxes& axes, DzFacetMesh& mesh)
{
    ObjMeshData obj;
    if (const DzError e = parseFile(path, true, obj))
        return e;
    IncludeOptions include;
    include.uvs = options.getBoolValue(QStringLiteral("IncludeVT"), true);
    include.faces = options.getBoolValue(QStringLiteral("IncludeF"), true);
    include.groups = options.getBoolValue(QStringLiteral("IncludeG"), true);
    include.materials = options.getBoolValue(QStringLiteral("IncludeUsemtl"), true);
    include.lines = options.getBoolValue(QStringLiteral("IncludeL"), true);
    DzFacetMesh built;
    const ReadNotes notes = buildMesh(obj, axes, include, built);
    logLeftOut(path, obj, include, notes);
    mesh = built;
    return DZ_NO_ERROR;
}

// Runs a read, turning running out of memory into an error code: a file can ask for more than
// the machine has.
template <class Read>
DzError guardedRead(const QString& path, const DzSettings& options, Read read)
{
    ObjAxes axes;
    if (!axes.read(options, ""))
        return dzFileIOFail(DZ_INVALID_ARGUMENT,
                            QStringLiteral("Invalid axis or scale options for importing %1").arg(path));
    try {
        return read(axes);
    } catch (const std::bad_alloc&) {
        return dzFileIOFail(DZ_ILLEGAL_FILE_FORMAT,
                            QStringLiteral("The OBJ file %1 is too large to import: out of memory").arg(path));
    }
}

} // namespace

DzError dzReadObjFacetMesh(const QString& path, const DzSettings& options, DzFacetMesh& mesh)
{
    return guardedRead(path, options, [&](const ObjAxes& axes) { return readMesh(path, options, axes, mesh); });
}

DzError dzReadObjPositions(const QString& path, const DzSettings& options, QVector<DzVec3>& positions)
{
    return guardedRead(path, options, [&](const ObjAxes& axes) {
        ObjMeshData obj;
        const DzError e = parseFile(path, false, obj);
        if (e == DZ_NO_ERROR)
            positions = scenePositions(obj, axes);
        return e;
    });
}
