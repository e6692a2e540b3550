#include "io/objwriter.h"

#include <charconv>
#include <cstring>
#include <fmt/format.h>

#include <QIODevice>

#include "dzfacetmesh.h"
#include "geometry/dzmeshnormals.h"
#include "io/objdecimal.h"

namespace {

std::string utf8(const QString& s) { return s.toUtf8().toStdString(); }

constexpr size_t kMaxIndexBytes = 12;

} // namespace

ObjWriter::ObjWriter(const ObjWriteOptions& options, QIODevice& out)
    : _options(options), _out(out), _block(new char[kBlockBytes])  // uninitialised
{
    if (!_options.mtllib.isEmpty())
        statement("mtllib", _options.mtllib);
}

void ObjWriter::flush()
{
    if (_used > 0 && _out.write(_block.get(), qint64(_used)) != qint64(_used))
        _failed = true;
    _used = 0;
}

bool ObjWriter::finish()
{
    flush();
    return !_failed;
}

void ObjWriter::put(std::string_view s)
{
    if (s.size() > kBlockBytes / 2) {  // a huge name: past the block
        flush();
        _failed = _failed || _out.write(s.data(), qint64(s.size())) != qint64(s.size());
        return;
    }
    std::memcpy(room(s.size()), s.data(), s.size());
    _used += s.size();
}

void ObjWriter::number(double value)
{
    char* p = room(kObjFixedMaxBytes);
    _used += size_t(objWriteFixed(p, value, _options.precision) - p);
}

void ObjWriter::index(int value)
{
    char* p = room(kMaxIndexBytes);
    _used += size_t(std::to_chars(p, p + kMaxIndexBytes, value).ptr - p);
}

void ObjWriter::statement(const char* keyword, const QString& name)
{
    put(keyword);
    put(' ');
    const QByteArray utf8 = name.toUtf8();
    put(std::string_view(utf8.constData(), size_t(utf8.size())));
    put('\n');
}

QString ObjWriter::groupName(const QString& nodeLabel, const DzFacetMesh& mesh, const DzFacet& f) const
{
    if (_options.groupSingle)
        return _options.fileBaseName;
    QStringList parts;
    if (_options.groupNodes)
        parts << nodeLabel;
    if (_options.groupGeom)
        parts << mesh.getFaceGroupName(f.m_faceGroupIdx);
    if (_options.groupSurfaces)
        parts << mesh.getMaterialName(f.m_materialIdx);
    parts.removeAll(QString());
    return parts.isEmpty() ? nodeLabel : parts.join(QLatin1Char('_'));
}

void ObjWriter::addMesh(const QString& nodeLabel, const DzFacetMesh& mesh)
{
    const bool withUvs = _options.writeVT && mesh.hasUVs();
    const bool withNormals = _options.writeVN;
    if (_options.writeO)
        statement("o", nodeLabel);
    writeVertices(mesh);
    if (withUvs)
        for (const QPointF& uv : mesh.uvs()) {
            put("vt ");
            number(uv.x());
            put(' ');
            number(uv.y());
            put('\n');
        }
    if (withNormals)
        writeNormals(mesh);
    if (_options.writeF)
        writeFaces(nodeLabel, mesh, withUvs, withNormals);
    _vertexBase += mesh.getNumVertices();
    if (withUvs)
        _uvBase += mesh.getNumUVs();
}

void ObjWriter::writeVertices(const DzFacetMesh& mesh)
{
    for (const DzVec3& p : mesh.vertices()) {
        const auto f = _options.axes.sceneToFile({p.m_x, p.m_y, p.m_z});
        put("v ");
        number(f[0]);
        put(' ');
        number(f[1]);
        put(' ');
        number(f[2]);
        put('\n');
    }
}

void ObjWriter::writeNormals(const DzFacetMesh& mesh)
{
    const double unscale = 1.0 / _options.axes.scale;  // directions are not scaled
    for (const DzVec3& n : DzGeometry::vertexNormals(mesh)) {
        const auto f = _options.axes.sceneToFile({n.m_x, n.m_y, n.m_z});
        put("vn ");
        number(f[0] * unscale);
        put(' ');
        number(f[1] * unscale);
        put(' ');
        number(f[2] * unscale);
        put('\n');
    }
}

void ObjWriter::writeGroupAndMaterial(const QString& nodeLabel, const DzFacetMesh& mesh,
                                      const DzFacet& f)
{
    if (_options.writeG) {
        const QString group = groupName(nodeLabel, mesh, f);
        if (!_groupWritten || group != _currentGroup) {
            statement("g", group);
            _currentGroup = group;
            _groupWritten = true;
        }
    }
    if (_options.writeUsemtl) {
        const QString material = mesh.getMaterialName(f.m_materialIdx);
        if (!_materialWritten || material != _currentMaterial) {
            statement("usemtl", material);
            _currentMaterial = material;
            _materialWritten = true;
            if (!_materials.contains(material))
                _materials << material;
        }
    }
}

void ObjWriter::writeFaces(const QString& nodeLabel, const DzFacetMesh& mesh, bool withUvs,
                           bool withNormals)
{
    _lastFaceGroup = _lastMaterial = -1;
    for (const DzFacet& f : mesh.facets()) {
        if (f.m_faceGroupIdx != _lastFaceGroup || f.m_materialIdx != _lastMaterial) {
            writeGroupAndMaterial(nodeLabel, mesh, f);
            _lastFaceGroup = f.m_faceGroupIdx;
            _lastMaterial = f.m_materialIdx;
        }
        put('f');
        for (int c = 0; c < f.numCorners(); ++c) {
            const int v = _vertexBase + f.m_vertIdx[c] + 1;
            put(' ');
            index(v);
            if (withUvs || withNormals)
                put('/');
            if (withUvs)
                index(_uvBase + f.m_uvwIdx[c] + 1);
            if (withNormals) {
                put('/');
                index(v);
            }
        }
        put('\n');
    }
}

QByteArray ObjWriter::materialLibraryText() const
{
    std::string text;
    for (const QString& material : _materials)
        text += fmt::format("newmtl {}\nKd 0.8 0.8 0.8\n\n", utf8(material));
    return QByteArray::fromStdString(text);
}
