#include "io/objwriter.h"

#include <fmt/format.h>

#include "dzfacetmesh.h"
#include "geometry/dzmeshnormals.h"

namespace {

std::string utf8(const QString& s) { return s.toUtf8().toStdString(); }

} // namespace

ObjWriter::ObjWriter(const ObjWriteOptions& options) : _options(options)
{
    if (!_options.mtllib.isEmpty())
        _text += fmt::format("mtllib {}\n", utf8(_options.mtllib));
}

QString ObjWriter::groupName(const QString& nodeLabel, const DzFacetMesh& mesh, int facet) const
{
    if (_options.groupSingle)
        return _options.fileBaseName;
    const DzFacet& f = mesh.getFacet(facet);
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
    if (_options.writeO)
        _text += fmt::format("o {}\n", utf8(nodeLabel));
    writeVertices(mesh);
    const bool withUvs = _options.writeVT && mesh.hasUVs();
    if (withUvs)
        for (const QPointF& uv : mesh.uvs())
            _text += fmt::format("vt {:.{}f} {:.{}f}\n", uv.x(), _options.precision, uv.y(),
                                 _options.precision);
    const bool withNormals = _options.writeVN;
    if (withNormals)
        for (const DzVec3& n : DzGeometry::vertexNormals(mesh)) {
            const auto f = _options.axes.sceneToFile({n.m_x, n.m_y, n.m_z});
            const double s = 1.0 / _options.axes.scale;  // directions are not scaled
            _text += fmt::format("vn {:.{}f} {:.{}f} {:.{}f}\n", f[0] * s, _options.precision,
                                 f[1] * s, _options.precision, f[2] * s, _options.precision);
        }
    if (_options.writeF)
        writeFaces(nodeLabel, mesh, withUvs, withNormals);
    _vertexBase += mesh.getNumVertices();
    if (withUvs)
        _uvBase += mesh.getNumUVs();
}

void ObjWriter::writeVertices(const DzFacetMesh& mesh)
{
    const int digits = _options.precision;
    for (const DzVec3& p : mesh.vertices()) {
        const auto f = _options.axes.sceneToFile({p.m_x, p.m_y, p.m_z});
        _text += fmt::format("v {:.{}f} {:.{}f} {:.{}f}\n", f[0], digits, f[1], digits, f[2], digits);
    }
}

void ObjWriter::writeFaces(const QString& nodeLabel, const DzFacetMesh& mesh, bool withUvs,
                           bool withNormals)
{
    for (int i = 0; i < mesh.getNumFacets(); ++i) {
        const DzFacet& f = mesh.getFacet(i);
        if (_options.writeG) {
            const QString group = groupName(nodeLabel, mesh, i);
            if (!_groupWritten || group != _currentGroup) {
                _text += fmt::format("g {}\n", utf8(group));
                _currentGroup = group;
                _groupWritten = true;
            }
        }
        if (_options.writeUsemtl) {
            const QString material = mesh.getMaterialName(f.m_materialIdx);
            if (!_materialWritten || material != _currentMaterial) {
                _text += fmt::format("usemtl {}\n", utf8(material));
                _currentMaterial = material;
                _materialWritten = true;
                if (!_materials.contains(material))
                    _materials << material;
            }
        }
        _text += 'f';
        for (int c = 0; c < f.numCorners(); ++c) {
            const int v = _vertexBase + f.m_vertIdx[c] + 1;
            if (withUvs && withNormals)
                _text += fmt::format(" {}/{}/{}", v, _uvBase + f.m_uvwIdx[c] + 1, v);
            else if (withUvs)
                _text += fmt::format(" {}/{}", v, _uvBase + f.m_uvwIdx[c] + 1);
            else if (withNormals)
                _text += fmt::format(" {}//{}", v, v);
            else
                _text += fmt::format(" {}", v);
        }
        _text += '\n';
    }
}

QByteArray ObjWriter::text() const { return QByteArray::fromStdString(_text); }

QByteArray ObjWriter::materialLibraryText() const
{
    std::string text;
    for (const QString& material : _materials)
        text += fmt::format("newmtl {}\nKd 0.8 0.8 0.8\n\n", utf8(material));
    return QByteArray::fromStdString(text);
}
