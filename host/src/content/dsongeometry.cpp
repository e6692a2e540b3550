#include "dsongeometry.h"

#include <QVector>

#include "dsonerror.h"
#include "dzenumproperty.h"
#include "dzintproperty.h"
#include "dzshape.h"

namespace dson {
namespace {

QVector<DzVec3> readVertices(Object geometry, const QString& where)
{
    const Array values = countedValues(geometry, "vertices", where);
    QVector<DzVec3> out;
    out.reserve(size(values));
    const QString path = where + QStringLiteral(".vertices.values");
    int i = 0;
    for (Value value : values) {
        const Row p(value, path, i++);
        if (p.size() != 3)
            dsonFail(QStringLiteral("%1 has %2 coordinates instead of 3").arg(p.path()).arg(p.size()));
        out.append(DzVec3(float(p.number(0)), float(p.number(1)), float(p.number(2))));
    }
    return out;
}

QStringList readNames(Object geometry, std::string_view key, const QString& where)
{
    QStringList names;
    if (!contains(geometry, key))
        return names;
    const Array values = countedValues(geometry, key, where);
    int i = 0;
    for (Value value : values) {
        std::string_view name;
        if (value.get(name) != simdjson::SUCCESS)
            dsonFail(QStringLiteral("%1.%2.values[%3] is not a string")
                         .arg(where, QLatin1String(key.data(), int(key.size())))
                         .arg(i));
        names.append(QString::fromUtf8(name.data(), int(name.size())));
        ++i;
    }
    return names;
}

void readPolygons(Object geometry, const QString& where, DzFacetMesh& mesh)
{
    const Array polys = countedValues(geometry, "polylist", where);
    const QString path = where + QStringLiteral(".polylist.values");
    const int vertexCount = mesh.getNumVertices();
    const int groupCount = qMax(1, mesh.getNumFaceGroups());
    const int materialCount = qMax(1, mesh.getNumMaterials());
    int f = 0;
    for (Value value : polys) {
        const Row entry(value, path, f++);
        if (entry.size() != 5 && entry.size() != 6)
            dsonFail(QStringLiteral("%1 has %2 entries; a polygon is a group, a material and 3 or 4 vertices")
                         .arg(entry.path()).arg(entry.size()));
        DzFacet facet;
        facet.m_faceGroupIdx = entry.integer(0);
        facet.m_materialIdx = entry.integer(1);
        if (facet.m_faceGroupIdx < 0 || facet.m_faceGroupIdx >= groupCount)
            dsonFail(QStringLiteral("%1 names face group %2 of %3").arg(entry.path()).arg(facet.m_faceGroupIdx).arg(mesh.getNumFaceGroups()));
        if (facet.m_materialIdx < 0 || facet.m_materialIdx >= materialCount)
            dsonFail(QStringLiteral("%1 names material %2 of %3").arg(entry.path()).arg(facet.m_materialIdx).arg(mesh.getNumMaterials()));
        for (int c = 2; c < entry.size(); ++c) {
            const int v = entry.integer(c);
            if (v < 0 || v >= vertexCount)
                dsonFail(QStringLiteral("%1 refers to vertex %2 of %3").arg(entry.path()).arg(v).arg(vertexCount));
            facet.m_vertIdx[c - 2] = v;
        }
        mesh.addFacet(facet);
    }
}

// UV i belongs to vertex i unless polygon_vertex_indices says otherwise for a corner.
void readUvs(Object doc, Object geometry, const QString& where, DzFacetMesh& mesh)
{
    const QString ref = optString(geometry, "default_uv_set", where);
    if (ref.isEmpty())
        return;
    const Object set = findById(doc, "uv_set_library", parseUrl(ref).id);
    const QString setWhere = QStringLiteral("uv set \"%1\"").arg(parseUrl(ref).id);
    const int vertexCount = integer(set, "vertex_count", setWhere);
    if (vertexCount != mesh.getNumVertices())
        dsonFail(QStringLiteral("%1 is for %2 vertices, the geometry has %3").arg(setWhere).arg(vertexCount).arg(mesh.getNumVertices()));
    const Array uvs = countedValues(set, "uvs", setWhere);
    const int uvCount = size(uvs);
    if (uvCount < vertexCount)
        dsonFail(QStringLiteral("%1 has fewer UVs than vertices").arg(setWhere));
    const QString uvPath = setWhere + QStringLiteral(".uvs.values");
    int i = 0;
    for (Value value : uvs) {
        const Row uv(value, uvPath, i++);
        if (uv.size() != 2)
            dsonFail(QStringLiteral("%1 does not have 2 coordinates").arg(uv.path()));
        mesh.addUV(QPointF(uv.number(0), uv.number(1)));
    }
    QVector<DzFacet> facets = mesh.facets();
    for (DzFacet& f : facets)
        for (int c = 0; c < f.numCorners(); ++c)
            f.m_uvwIdx[c] = f.m_vertIdx[c];
    const QString opath = setWhere + QStringLiteral(".polygon_vertex_indices");
    i = 0;
    for (Value value : optArray(set, "polygon_vertex_indices", setWhere)) {
        const Row o(value, opath, i++);
        if (o.size() != 3)
            dsonFail(QStringLiteral("%1 is not [polygon, vertex, uv]").arg(o.path()));
        const int face = o.integer(0), vertex = o.integer(1), uv = o.integer(2);
        if (face < 0 || face >= facets.size() || uv < 0 || uv >= uvCount)
            dsonFail(QStringLiteral("%1 is out of range").arg(o.path()));
        DzFacet& f = facets[face];
        int corner = -1;
        for (int c = 0; c < f.numCorners(); ++c)
            if (f.m_vertIdx[c] == vertex)
                corner = c;
        if (corner < 0)
            dsonFail(QStringLiteral("%1: polygon %2 has no vertex %3").arg(o.path()).arg(face).arg(vertex));
        f.m_uvwIdx[corner] = uv;
    }
    // Rebuild the facet list with the UV corners.
    DzFacetMesh withUvs;
    withUvs.setVertices(mesh.vertices());
    for (const QString& g : mesh.faceGroupNames())
        withUvs.findOrAddFaceGroup(g);
    for (const QString& m : mesh.materialNames())
        withUvs.findOrAddMaterial(m);
    for (const QPointF& uv : mesh.uvs())
        withUvs.addUV(uv);
    for (const DzFacet& f : facets)
        withUvs.addFacet(f);
    mesh = withUvs;
}

} // namespace

Object findById(Object doc, std::string_view library, const QString& id)
{
    const QByteArray wanted = id.toUtf8();
    const std::string_view want(wanted.constData(), size_t(wanted.size()));
    const QString where = QString::fromUtf8(library.data(), int(library.size()));
    int i = 0;
    for (Value value : optArray(doc, library, QString())) {
        const Object e = objectAt(value, where, i++);
        std::string_view entryId;
        if (e.at_key("id").get(entryId) == simdjson::SUCCESS && entryId == want)
            return e;
    }
    dsonFail(QStringLiteral("%1 has no entry \"%2\"").arg(where, id));
}

DzFacetMesh readMesh(Object doc, Object geometry, const QString& where)
{
    DzFacetMesh mesh;
    mesh.setVertices(readVertices(geometry, where));
    for (const QString& g : readNames(geometry, "polygon_groups", where))
        mesh.findOrAddFaceGroup(g);
    for (const QString& m : readNames(geometry, "polygon_material_groups", where))
        mesh.findOrAddMaterial(m);
    readPolygons(geometry, where, mesh);
    readUvs(doc, geometry, where, mesh);
    return mesh;
}

void forEachGeometryChannel(Object geometry, const QString& where,
                            const std::function<void(Object, const QString&)>& use)
{
    const QString epath = where + QStringLiteral(".extra");
    int e = 0;
    for (Value value : optArray(geometry, "extra", where)) {
        const QString eat = QStringLiteral("%1[%2]").arg(epath).arg(e);
        const Object extra = objectAt(value, epath, e++);
        if (looseString(extra, "type") != QLatin1String("studio_geometry_channels"))
            continue;
        const QString cpath = eat + QStringLiteral(".channels");
        int c = 0;
        for (Value channel : array(extra, "channels", eat)) {
            const QString at = QStringLiteral("%1[%2]").arg(cpath).arg(c);
            use(object(objectAt(channel, cpath, c++), "channel", at), at + QStringLiteral(".channel"));
        }
    }
}

DzShape* createShape(Object geometry, const DzFacetMesh& mesh, const QString& where)
{
    // Validate the channels before anything is created.
    int lod = 0, subd = 1, subdMin = 0, subdMax = 4;
    forEachGeometryChannel(geometry, where, [&](Object ch, const QString& chpath) {
        const QString id = string(ch, "id", chpath);
        if (id == QLatin1String("lodlevel")) {
            lod = integer(ch, "value", chpath);
            if (lod < 0 || lod > 1)
                dsonFail(QStringLiteral("%1: lodlevel %2 is neither 0 nor 1").arg(chpath).arg(lod));
        } else if (id == QLatin1String("SubDIALevel")) {
            subd = integer(ch, "value", chpath);
            subdMin = optInteger(ch, "min", chpath, 0);
            subdMax = optInteger(ch, "max", chpath, 4);
            if (subdMin > subdMax || subd < subdMin || subd > subdMax)
                dsonFail(QStringLiteral("%1: SubDIALevel %2 is outside %3..%4").arg(chpath).arg(subd).arg(subdMin).arg(subdMax));
        }
    });
    auto* shape = new DzShape;
    shape->setFacetMesh(mesh);
    shape->getSubDIALevelControl()->setMinMax(subdMin, subdMax);
    shape->getSubDIALevelControl()->setDefaultValue(subd);
    shape->getSubDIALevelControl()->setValue(subd);
    shape->getLODControl()->setValue(lod);
    return shape;
}

} // namespace dson
